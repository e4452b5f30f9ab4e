#pragma once

#include "icons/iconcache.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace zorv {

inline QImage solidIcon(QColor color, int size = 64) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

// The workspace as far as the icon cache asks it. A file without an icon of its own gets the
// generic icon of its type, pixel for pixel.
class FakeWorkspace : public Workspace {
public:
    QList<RunningApplication> running;
    QHash<QString, QString> installed;
    QHash<QString, QImage> fileIcons;
    QImage genericApplication = solidIcon(Qt::gray);
    QImage genericDocument = solidIcon(Qt::white);

    QList<RunningApplication> runningApplications() const override { return running; }
    qint32 currentProcessId() const override { return 1; }
    std::optional<RunningApplication> frontmostApplication() const override { return {}; }
    std::optional<QString> applicationPath(const QString &bundleID) const override {
        return installed.contains(bundleID) ? std::optional(installed.value(bundleID))
                                            : std::nullopt;
    }
    QImage iconForFile(const QString &path) const override {
        return fileIcons.value(path, genericApplication);
    }
    QImage iconForType(const QString &type) const override {
        return type == QStringLiteral("com.apple.application-bundle") ? genericApplication
                                                                      : genericDocument;
    }
    bool openUrl(const QUrl &) override { return false; }
};

// A cache over a fresh folder; relaunch() makes a new one over the same files, as the next launch
// of the application would.
class IconCacheTest : public ::testing::Test {
protected:
    IconCacheTest() { relaunch(); }

    void relaunch() { cache = std::make_unique<IconCache>(folder.path(), workspace); }
    QString path(const QString &relative) const { return QDir(folder.path()).filePath(relative); }

    // An installed application bundle with the given files in Contents/Resources.
    QString install(const QString &bundleID, const QHash<QString, QImage> &resources = {}) {
        const QString bundle = QDir(apps.path()).filePath(bundleID + QStringLiteral(".app"));
        QDir().mkpath(bundle + QStringLiteral("/Contents/Resources"));
        for (auto it = resources.cbegin(); it != resources.cend(); ++it) {
            QFile file(bundle + QStringLiteral("/Contents/Resources/") + it.key());
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            it.value().save(&file, "PNG");
        }
        workspace.installed.insert(bundleID, bundle);
        return bundle;
    }

    QTemporaryDir folder;
    QTemporaryDir apps;
    FakeWorkspace workspace;
    std::unique_ptr<IconCache> cache;
};

} // namespace zorv
