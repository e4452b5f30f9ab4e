#include "appicon.h"

#include <QQmlEngine>
#include <QQuickImageProvider>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

const QString providerName = u"zorvrunningicon"_s;

class AppIconProvider final : public QQuickImageProvider {
public:
    explicit AppIconProvider(QImage icon)
        : QQuickImageProvider(QQuickImageProvider::Image), m_icon(std::move(icon)) {}

    QImage requestImage(const QString &, QSize *size, const QSize &requested) override {
        QImage image = requested.isValid() && !requested.isEmpty()
                           ? m_icon.scaled(requested, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                           : m_icon;
        if (size) {
            *size = image.size();
        }
        return image;
    }

private:
    QImage m_icon;
};

} // namespace

QString AppIcon::source(QQmlEngine &engine, const QImage &icon) {
    if (icon.isNull()) {
        return {};
    }
    if (!engine.imageProvider(providerName)) {
        engine.addImageProvider(providerName, new AppIconProvider(icon));
    }
    return u"image://"_s + providerName + u"/app"_s;
}

} // namespace zorv
