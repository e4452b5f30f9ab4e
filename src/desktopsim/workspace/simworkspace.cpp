#include "simworkspace.h"

#include "model/desktopmodel.h"

#include <QMutexLocker>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The schemes some application of a stock Mac opens.
bool isHandledScheme(const QString &scheme) {
    static const QStringList schemes{u"http"_s, u"https"_s, u"mailto"_s,
                                     u"file"_s, u"zorv"_s,  u"x-apple.systempreferences"_s};
    return schemes.contains(scheme.toLower());
}

QString withoutTrailingSlash(QString path) {
    while (path.size() > 1 && path.endsWith(u'/')) {
        path.chop(1);
    }
    return path;
}

} // namespace

SimWorkspace::SimWorkspace(DesktopModel &model, QObject *parent)
    : Workspace(parent), m_model(model) {
    // The model emits on the main thread whatever thread changed it, so relaying keeps both the
    // thread and the order.
    connect(&m_model, &DesktopModel::applicationLaunched, this,
            [this](const AppRecord &app) { Q_EMIT applicationLaunched(running(app)); });
    connect(&m_model, &DesktopModel::applicationTerminated, this,
            [this](const AppRecord &app) { Q_EMIT applicationTerminated(running(app)); });
    connect(&m_model, &DesktopModel::applicationActivated, this,
            [this](const AppRecord &app) { Q_EMIT applicationActivated(running(app)); });
}

SimWorkspace::~SimWorkspace() = default;

RunningApplication SimWorkspace::running(const AppRecord &record) const {
    RunningApplication app;
    app.processId = record.processId;
    app.bundleIdentifier = record.bundleIdentifier;
    app.localizedName = record.localizedName;
    app.activationPolicy = record.activationPolicy;
    if (!record.bundleIdentifier) {
        return app;
    }
    QMutexLocker lock(&m_mutex);
    const auto installed = m_installed.constFind(*record.bundleIdentifier);
    if (installed == m_installed.cend()) {
        app.icon = m_genericIcons.application();
        return app;
    }
    app.bundlePath = installed->path;
    app.icon = installed->icon;
    return app;
}

QList<RunningApplication> SimWorkspace::runningApplications() const {
    // Discovery asks from a worker thread: the records are copied one by one under the lock, as
    // a list sharing the model's would be read here while the model moves its elements.
    const QList<AppRecord> records = m_model.read([](const DesktopState &state) {
        return QList<AppRecord>(state.apps.cbegin(), state.apps.cend());
    });
    QList<RunningApplication> apps;
    apps.reserve(records.size());
    for (const AppRecord &record : records) {
        apps.append(running(record));
    }
    return apps;
}

qint32 SimWorkspace::currentProcessId() const {
    return m_model.read([](const DesktopState &state) { return state.currentProcessId; });
}

std::optional<RunningApplication> SimWorkspace::frontmostApplication() const {
    const std::optional<AppRecord> record =
        m_model.read([](const DesktopState &state) -> std::optional<AppRecord> {
            if (!state.frontmostProcessId) {
                return std::nullopt;
            }
            const AppRecord *app = state.app(*state.frontmostProcessId);
            return app ? std::optional(*app) : std::nullopt;
        });
    return record ? std::optional(running(*record)) : std::nullopt;
}

std::optional<QString> SimWorkspace::applicationPath(const QString &bundleIdentifier) const {
    QMutexLocker lock(&m_mutex);
    const auto installed = m_installed.constFind(bundleIdentifier);
    return installed != m_installed.cend() ? std::optional(installed->path) : std::nullopt;
}

std::optional<QString> SimWorkspace::bundleIdentifier(const QString &bundlePath) const {
    const QString path = withoutTrailingSlash(bundlePath);
    QMutexLocker lock(&m_mutex);
    for (auto installed = m_installed.cbegin(); installed != m_installed.cend(); ++installed) {
        if (installed->path == path) {
            return installed.key();
        }
    }
    return std::nullopt;
}

QImage SimWorkspace::iconForFile(const QString &path) const {
    const QString bundlePath = withoutTrailingSlash(path);
    {
        QMutexLocker lock(&m_mutex);
        for (const Installed &installed : m_installed) {
            if (installed.path == bundlePath) {
                return installed.icon;
            }
        }
    }
    if (bundlePath.endsWith(u".app"_s)) {
        return m_genericIcons.application();
    }
    return m_genericIcons.document();
}

QImage SimWorkspace::iconForType(const QString &typeIdentifier) const {
    return m_genericIcons.forType(typeIdentifier);
}

bool SimWorkspace::openUrl(const QUrl &url) {
    if (!url.isValid() || !isHandledScheme(url.scheme())) {
        return false;
    }
    QMutexLocker lock(&m_mutex);
    m_openedUrls.append(url);
    return true;
}

void SimWorkspace::install(const InstalledApplication &application) {
    Installed installed{withoutTrailingSlash(application.path), application.icon
                                                                    ? application.icon->render()
                                                                    : m_genericIcons.application()};
    QMutexLocker lock(&m_mutex);
    m_installed.insert(application.bundleIdentifier, installed);
}

QList<QUrl> SimWorkspace::openedUrls() const {
    QMutexLocker lock(&m_mutex);
    return m_openedUrls;
}

} // namespace zorv
