#include "zorvlaunches.h"

#include "desktopapp.h"
#include "simulatedplatform.h"

namespace zorv {

ZorvLaunches::ZorvLaunches(SimulatedPlatform &platform, SimOptions options, QObject *parent)
    : QObject(parent), m_platform(platform), m_options(std::move(options)) {}

ZorvLaunches::~ZorvLaunches() = default;

bool ZorvLaunches::start() {
    if (m_options.runFor) {
        m_deadline = m_platform.clock().now() + *m_options.runFor;
    }
    return launch(m_options, 0);
}

bool ZorvLaunches::launch(SimOptions options, int picturesBefore) {
    m_app = std::make_unique<DesktopApp>(m_platform, std::move(options));
    m_app->numberLayoutPicturesAfter(picturesBefore);
    ++m_launches;
    connect(m_app.get(), &DesktopApp::finished, this, &ZorvLaunches::ended);
    return m_app->start();
}

void ZorvLaunches::openedByAnotherLaunch(const QStringList &arguments) {
    if (m_app) {
        m_app->openedByAnotherLaunch(arguments);
    }
}

void ZorvLaunches::ended(int exitCode) {
    // A copy ends once: what it signals after that (the run limit of a copy that quit) is past.
    disconnect(m_app.get(), &DesktopApp::finished, this, &ZorvLaunches::ended);
    if (!m_platform.installChosenUpdate()) {
        Q_EMIT finished(exitCode);
        return;
    }
    // The quitting copy is still answering the click that installed: it goes at the next turn.
    QMetaObject::invokeMethod(this, &ZorvLaunches::relaunch, Qt::QueuedConnection);
}

void ZorvLaunches::relaunch() {
    m_app->waitForQuitWrites();
    const int pictures = m_app->layoutPicturesSaved();
    m_app.reset();
    // The installer opens the new build as the Finder would: without the first launch's arguments.
    SimOptions options = m_options;
    options.launchArguments.clear();
    options.openMenu = false;
    if (m_deadline) {
        options.runFor = std::max(Duration::zero(), *m_deadline - m_platform.clock().now());
    }
    if (!launch(std::move(options), pictures)) {
        m_app.reset();
        Q_EMIT finished(1);
        return;
    }
    Q_EMIT relaunched();
}

} // namespace zorv
