#include "aboutpanemodel.h"

#include "about/aboutcontent.h"
#include "about/appicon.h"
#include "fileviewer.h"
#include "workspace.h"

#include <QQmlEngine>

using namespace Qt::StringLiterals;

namespace zorv {

AboutPaneModel::AboutPaneModel(QObject *parent) : QObject(parent) {}

void AboutPaneModel::setServices(SettingsServices *services) {
    if (services != m_services) {
        m_services = services;
        Q_EMIT servicesChanged();
    }
}

QString AboutPaneModel::kicker() const {
    return AboutContent::applicationName + u" v"_s + (m_services ? m_services->version() : u"0"_s);
}

QString AboutPaneModel::credit() const {
    const QString by = u"Made by Brindlecot"_s;
    return m_services ? by + u" · "_s + m_services->about().build.line() : by;
}

QString AboutPaneModel::iconSource() const {
    QQmlEngine *engine = qmlEngine(this);
    if (!m_services || !engine) {
        return {};
    }
    return AppIcon::source(*engine, m_services->about().icon);
}

QString AboutPaneModel::dataFolder() const {
    if (!m_services) {
        return {};
    }
    return homeRelative(m_services->about().dataFolder, m_services->about().homeFolder);
}

QString AboutPaneModel::supportNote() const {
    return AboutContent::productUrl.host();
}

QString AboutPaneModel::homeRelative(const QString &path, const QString &home) {
    QString folder = home;
    while (folder.endsWith(u'/')) {
        folder.chop(1);
    }
    if (folder.isEmpty()) {
        return path;
    }
    if (path == folder) {
        return u"~"_s;
    }
    if (path.startsWith(folder) && path.at(folder.size()) == u'/') {
        return u"~"_s + path.mid(folder.size());
    }
    return path;
}

void AboutPaneModel::open(const QUrl &url) {
    if (m_services && m_services->about().workspace) {
        m_services->about().workspace->openUrl(url);
    }
}

void AboutPaneModel::openProductSite() {
    open(AboutContent::productUrl);
}

void AboutPaneModel::openMakerSite() {
    open(AboutContent::makerUrl);
}

void AboutPaneModel::showDataFolder() {
    if (m_services && !m_services->about().dataFolder.isEmpty()) {
        m_services->fileViewer().revealFile(m_services->about().dataFolder);
    }
}

void AboutPaneModel::replayWelcomeTour() {
    if (m_view) {
        m_view->replayOnboarding();
    }
}

} // namespace zorv
