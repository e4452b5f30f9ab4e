#pragma once

#include "fakeworkspace.h"
#include "icons/iconcache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace zorv {

// A cache over a fresh folder and a fake workspace; relaunch() makes a new cache over the same
// files, as the next launch of the application would.
class IconCacheTest : public ::testing::Test {
protected:
    IconCacheTest() { relaunch(); }

    void relaunch() { cache = std::make_unique<IconCache>(folder.path(), workspace); }

    [[nodiscard]] QString path(const QString &relative) const {
        return QDir(folder.path()).filePath(relative);
    }

    [[nodiscard]] QByteArray contents(const QString &relative) const {
        QFile file(path(relative));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // An application bundle at `bundlePath` (inside apps) with the given files in
    // Contents/Resources; returns the bundle's full path.
    QString makeApp(const QString &bundlePath, const QHash<QString, QByteArray> &resources = {}) {
        const QString bundle = QDir(apps.path()).filePath(bundlePath);
        const QString folder = bundle + QStringLiteral("/Contents/Resources");
        QDir().mkpath(folder);
        for (auto it = resources.cbegin(); it != resources.cend(); ++it) {
            QFile file(folder + u'/' + it.key());
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(it.value());
        }
        return bundle;
    }

    QTemporaryDir folder;
    QTemporaryDir apps;
    FakeWorkspace workspace;
    std::unique_ptr<IconCache> cache;
};

// The image as PNG bytes, to put glyph files into bundles.
QByteArray pngBytes(const QImage &image);
// Whether two images show the same pixels, whatever their formats.
bool samePixels(const QImage &a, const QImage &b);

} // namespace zorv
