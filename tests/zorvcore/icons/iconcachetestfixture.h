#pragma once

#include "icons/iconcache.h"
#include "manualclock.h"
#include "model/desktopmodel.h"
#include "script/applicationregistry.h"
#include "workspace/simworkspace.h"

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

// A cache over a fresh folder and the simulated Mac's workspace; relaunch() makes a new cache over
// the same files, as the next launch of the application would.
class IconCacheTest : public ::testing::Test {
protected:
    IconCacheTest() { relaunch(); }

    void relaunch() { cache = std::make_unique<IconCache>(folder.path(), workspace); }
    QString path(const QString &relative) const { return QDir(folder.path()).filePath(relative); }
    QImage generic(const char *type) const {
        return workspace.iconForType(QString::fromLatin1(type));
    }

    // Installs an application bundle on disk, with the given files in Contents/Resources and,
    // when given, an icon of its own.
    QString install(const QString &bundleID, const QHash<QString, QImage> &resources = {},
                    std::optional<ApplicationIcon> icon = std::nullopt) {
        const QString bundle = QDir(apps.path()).filePath(bundleID + QStringLiteral(".app"));
        QDir().mkpath(bundle + QStringLiteral("/Contents/Resources"));
        for (auto it = resources.cbegin(); it != resources.cend(); ++it) {
            QFile file(bundle + QStringLiteral("/Contents/Resources/") + it.key());
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            it.value().save(&file, "PNG");
        }
        workspace.install({bundleID, bundle, icon});
        return bundle;
    }

    QTemporaryDir folder;
    QTemporaryDir apps;
    ManualClock clock;
    DesktopModel model{clock};
    ApplicationRegistry applications{model};
    SimWorkspace workspace{model};
    std::unique_ptr<IconCache> cache;
};

} // namespace zorv
