#pragma once

#include "workspace.h"

#include <QColor>
#include <QHash>
#include <QImage>
#include <QList>

namespace zorv {

// A solid square of one colour: distinct colours make distinct icons.
inline QImage solidIcon(QColor color, int size = 64) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

// The workspace as far as the icon cache asks it: running and installed applications, file icons,
// and generic type icons that files without an icon of their own get pixel for pixel.
class FakeWorkspace : public Workspace {
public:
    QList<RunningApplication> running;
    QHash<QString, QString> installed;
    QHash<QString, QImage> fileIcons;
    QImage genericApplication = solidIcon(Qt::gray);
    QImage genericDocument = solidIcon(Qt::white);

    [[nodiscard]] QList<RunningApplication> runningApplications() const override { return running; }
    [[nodiscard]] qint32 currentProcessId() const override { return 1; }
    [[nodiscard]] std::optional<RunningApplication> frontmostApplication() const override {
        return std::nullopt;
    }
    [[nodiscard]] std::optional<QString> applicationPath(const QString &bundleID) const override {
        const auto path = installed.constFind(bundleID);
        return path != installed.cend() ? std::optional<QString>(*path) : std::nullopt;
    }
    [[nodiscard]] QImage iconForFile(const QString &path) const override {
        return fileIcons.value(path, path.endsWith(QStringLiteral(".app")) ? genericApplication
                                                                           : genericDocument);
    }
    [[nodiscard]] QImage iconForType(const QString &type) const override {
        return type == QStringLiteral("com.apple.application-bundle") ? genericApplication
                                                                      : genericDocument;
    }
    bool openUrl(const QUrl &) override { return false; }
};

} // namespace zorv
