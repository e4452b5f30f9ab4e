#include "appdelegate.h"

#include "accessibility.h"
#include "appmodel.h"
#include "dock/zorvmainmenu.h"
#include "menupresenter.h"
#include "modelprofiles.h"
#include "modelsearch.h"
#include "systemlog.h"
#include "update/updatesettingsreturn.h"

#include <QPointer>

using namespace Qt::StringLiterals;

namespace zorv {

AppDelegate::AppDelegate(AppModel &model, ShellWindows &windows, ShellPlatform platform,
                         ShellHooks hooks, LaunchArguments arguments, bool showInDock,
                         QObject *parent)
    : QObject(parent), m_model(model), m_windows(windows), m_platform(platform),
      m_hooks(std::move(hooks)), m_commands(model, windows, platform.application,
                                            platform.workspace, m_hooks.forceShowEverything),
      m_hotKeyCenter(platform.hotKeys, platform.log),
      m_hotKeys(m_hotKeyCenter, platform.log,
                HotKeyActions{
                    [this] { m_commands.revealFromHotKey(); },
                    [this] { m_windows.toggleSearchPanel(); },
                    [this](const QString &stableKey) { m_model.search().activateItem(stableKey); },
                    [this](const QUuid &id) { m_model.profileOps().switchToProfile(id); },
                }),
      m_statusItem(m_hooks.iconButton, platform.application, platform.menus, model, m_commands,
                   [this] { return menuState(); }),
      m_dock(platform.application, platform.clock,
             [this] { return ZorvMainMenu::build(m_commands); }),
      m_urls(model, windows), m_launch(model, windows, *this, arguments) {
    Application &application = m_platform.application;
    connect(&application, &Application::openUrlsRequested, this,
            [this](const QList<QUrl> &urls) { m_urls.open(urls); });
    connect(&application, &Application::reopenRequested, this, [this] { reopen(); });
    connect(&application, &Application::willTerminate, this, [this] { willTerminate(); });
    m_dock.apply(showInDock);
}

AppDelegate::~AppDelegate() {
    // The menu open at a quit (the status menu or one of the main menu's) closes with the
    // application: its rows act on this shell.
    m_platform.menus.cancelTracking();
}

void AppDelegate::applicationDidFinishLaunching() {
    m_launch.didFinishLaunching();
}

StatusMenuState AppDelegate::menuState() const {
    StatusMenuState state;
    state.revealed = m_model.isRevealed();
    state.searchShortcut = m_model.settings().searchShortcut;
    state.profiles = m_model.profiles();
    state.canUpdate = m_hooks.canUpdate ? m_hooks.canUpdate() : m_model.updateStatus().canUpdate;
    state.availability = m_model.updateStatus().availability;
    state.revealHotkey = m_model.menuStatus().hotkey;
    state.version = m_hooks.version;
    state.needsAccessibility = m_model.needsAccessibility();
    return state;
}

void AppDelegate::configureIcon() {
    m_statusItem.configureIcon();
    if (m_hooks.setOnIconReplaced) {
        m_hooks.setOnIconReplaced([self = QPointer<AppDelegate>(this)](StatusItemButton *button) {
            if (self) {
                self->m_statusItem.replaceButton(button);
            }
        });
    }
}

void AppDelegate::installTuckRefusedLog() {
    if (!m_hooks.setOnTuckRefused) {
        return;
    }
    m_hooks.setOnTuckRefused([log = &m_platform.log, self = QPointer<AppDelegate>(this)] {
        if (self) {
            log->write(u"Zorv: kept the bar visible to avoid hiding Zorv's own icon. Drag Zorv to "
                       u"the far right of the menu bar, or restart, to enable hiding."_s);
        }
    });
}

void AppDelegate::startUpdates() {
    if (m_hooks.startUpdates) {
        m_hooks.startUpdates();
    }
}

void AppDelegate::installModelCallbacks() {
    connect(&m_model, &AppModel::shortcutsChanged, this, [this] { registerHotKeys(); });
    connect(&m_model, &AppModel::dockPresenceChanged, this,
            [this](bool shown) { m_dock.apply(shown); });
    connect(&m_model, &AppModel::replayOnboardingRequested, this,
            [this] { m_windows.showOnboarding(); });
}

QCoro::Task<> AppDelegate::startModel() {
    return m_model.start();
}

void AppDelegate::registerHotKeys() {
    m_hotKeys.registerHotKeys(m_model.settings(), m_model.profiles());
}

std::optional<QString> AppDelegate::consumeSettingsReturn() {
    return UpdateSettingsReturn::consume(m_model.dataFolder() + u'/' + settingsReturnFile,
                                         m_platform.clock.wallNow());
}

bool AppDelegate::isInstalled() {
    return !m_hooks.isInstalled || m_hooks.isInstalled();
}

void AppDelegate::showMoveOffer(std::function<void()> onDismissed) {
    if (m_hooks.showMoveOffer) {
        m_hooks.showMoveOffer(std::move(onDismissed));
    } else {
        onDismissed();
    }
}

bool AppDelegate::isTrusted() {
    return m_platform.accessibility.isProcessTrusted();
}

void AppDelegate::promptForTrust() {
    (void)m_platform.accessibility.isProcessTrustedWithPrompt();
}

void AppDelegate::willTerminate() {
    m_model.flushStoresForTermination(1.0);
}

void AppDelegate::reopen() {
    m_windows.openSettings(std::nullopt);
}

} // namespace zorv
