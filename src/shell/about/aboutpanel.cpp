#include "aboutpanel.h"

#include "appwindow.h"

#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickImageProvider>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

const QString iconProvider = u"zorvappicon"_s;

// This application's icon for the view; the engine owns it, with its own copy of the picture.
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

QString iconSource(QQmlEngine &engine, const QImage &icon) {
    if (icon.isNull()) {
        return {};
    }
    if (!engine.imageProvider(iconProvider)) {
        engine.addImageProvider(iconProvider, new AppIconProvider(icon));
    }
    return u"image://"_s + iconProvider + u"/app"_s;
}

} // namespace

AboutPanel::AboutPanel(Build build, Services services, QObject *parent)
    : QObject(parent), m_build(std::move(build)), m_services(std::move(services)) {}

AboutPanel::~AboutPanel() {
    m_appWindow.reset();
    delete m_window;
}

QUrl AboutPanel::viewUrl() {
    return QUrl(u"qrc:/Zorv/Shell/about/AboutPanel.qml"_s);
}

void AboutPanel::show() {
    if (m_services.activateApp) {
        m_services.activateApp();
    }
    if (!m_window) {
        auto *content = new AboutContent(m_build, m_services.openUrl);
        QQmlComponent component(&m_services.engine, viewUrl());
        QObject *created = component.createWithInitialProperties(
            {{u"content"_s, QVariant::fromValue(content)},
             {u"iconSource"_s, iconSource(m_services.engine, m_services.icon)}});
        auto *window = qobject_cast<QQuickWindow *>(created);
        if (!window) {
            qWarning().noquote() << "The about panel could not be made:" << component.errorString();
            delete created;
            delete content;
            return;
        }
        content->setParent(window);
        m_window = window;
        m_appWindow = m_services.windows.adopt(*window);
        m_appWindow->center();
    }
    m_appWindow->makeKeyAndOrderFront();
}

} // namespace zorv
