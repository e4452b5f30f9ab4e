#include "application/simapplication.h"

#include "application/menubartitles.h"
#include "menus/menukeys.h"

#include <algorithm>

namespace zorv {

SimApplication::SimApplication(DesktopModel &model, ApplicationRegistry &applications,
                               SimAppWindows &windows)
    : m_model(model), m_applications(applications), m_windows(windows) {
    connect(&m_model, &DesktopModel::keyReceived, this, &SimApplication::keyReceived);
    m_windows.setMainMenuKeys([this](quint16 keyCode, quint64 flags) {
        return isActive() && keyEquivalentRow(keyCode, flags) != nullptr;
    });
}

ActivationPolicy SimApplication::activationPolicy() const {
    return m_model.read([](const DesktopState &state) {
        const AppRecord *self = state.app(state.currentProcessId);
        return self ? self->activationPolicy : ActivationPolicy::Prohibited;
    });
}

bool SimApplication::setActivationPolicy(ActivationPolicy policy) {
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        AppRecord *self = state.app(state.currentProcessId);
        if (!self) {
            return false;
        }
        self->activationPolicy = policy;
        effects.barChanged = true;
        return true;
    });
}

void SimApplication::activate(bool) {
    if (m_hidden) {
        unhide();
    }
    if (activationPolicy() != ActivationPolicy::Prohibited) {
        m_applications.activate(m_applications.currentProcessId());
    }
}

bool SimApplication::isActive() const {
    return m_model.read([](const DesktopState &state) {
        return state.frontmostProcessId && *state.frontmostProcessId == state.currentProcessId;
    });
}

QList<SimAppWindow *> SimApplication::shownWindows() const {
    QList<SimAppWindow *> visible;
    for (SimAppWindow *window : m_windows.windows()) {
        if (window->isVisible()) {
            visible.append(window);
        }
    }
    std::ranges::sort(visible, {},
                      [](const SimAppWindow *window) { return window->record().frontOrder; });
    return visible;
}

QList<AppWindow *> SimApplication::visibleWindows() const {
    QList<AppWindow *> visible;
    for (SimAppWindow *window : shownWindows()) {
        visible.append(window);
    }
    return visible;
}

void SimApplication::hide() {
    if (m_hidden) {
        return;
    }
    m_hidden = true;
    m_hiddenWindows.clear();
    for (SimAppWindow *window : shownWindows()) {
        m_hiddenWindows.append(window);
        window->orderOut();
    }
    // The front goes to the application active before this one.
    const auto previous = m_model.read([](const DesktopState &state) -> std::optional<qint32> {
        if (!state.frontmostProcessId || *state.frontmostProcessId != state.currentProcessId) {
            return std::nullopt;
        }
        for (auto pid = state.activationHistory.crbegin(); pid != state.activationHistory.crend();
             ++pid) {
            if (*pid != state.currentProcessId && state.app(*pid)) {
                return *pid;
            }
        }
        return std::nullopt;
    });
    if (previous) {
        m_applications.activate(*previous);
    }
}

void SimApplication::unhide() {
    if (!m_hidden) {
        return;
    }
    m_hidden = false;
    for (const QPointer<SimAppWindow> &window : std::exchange(m_hiddenWindows, {})) {
        if (window) {
            window->orderFrontRegardless();
        }
    }
    // The windows come back as they stood, the one in front with the keyboard.
    m_windows.passKeyOn();
}

void SimApplication::hideOtherApplications() {
    m_othersHidden = true;
}

void SimApplication::unhideAllApplications() {
    m_othersHidden = false;
    unhide();
}

void SimApplication::terminate() {
    if (m_terminated) {
        return;
    }
    m_terminated = true;
    Q_EMIT willTerminate();
    Q_EMIT terminated();
}

std::optional<AppEvent> SimApplication::currentEvent() const {
    return m_model.currentEvent();
}

void SimApplication::setMainMenu(std::shared_ptr<const Menu> menu) {
    m_mainMenu = std::move(menu);
    // The bar shows the menus while the application is in front; without any, the Apple menu.
    QStringList titles;
    if (m_mainMenu) {
        for (const MenuItem &item : m_mainMenu->items) {
            if (!item.isSeparator()) {
                titles.append(item.title);
            }
        }
    }
    const double width = MenuBarTitles::menusWidth(titles);
    m_model.write([&](DesktopState &state, ModelEffects &effects) {
        if (AppRecord *self = state.app(state.currentProcessId)) {
            self->menuTitles = titles;
            self->menusWidth = width;
        }
        effects.barChanged = true;
    });
}

void SimApplication::perform(const MenuItem &item) {
    perform(item, ChosenBy::Menu);
}

void SimApplication::perform(const MenuItem &item, ChosenBy chosenBy) {
    if (item.action) {
        item.action();
    } else if (!item.responderAction.isEmpty()) {
        sendResponderAction(item.responderAction, chosenBy);
    }
}

void SimApplication::sendResponderAction(const QString &action, ChosenBy chosenBy) {
    SimAppWindow *key = m_windows.keyWindow();
    if (action == QLatin1String("hide:")) {
        hide();
    } else if (action == QLatin1String("hideOtherApplications:")) {
        hideOtherApplications();
    } else if (action == QLatin1String("unhideAllApplications:")) {
        unhideAllApplications();
    } else if (action == QLatin1String("terminate:")) {
        terminate();
    } else if (action == QLatin1String("performClose:") && key) {
        key->userCloses();
    } else if (action == QLatin1String("performMiniaturize:") && key) {
        key->userMinimizes();
    } else if (action == QLatin1String("performZoom:") && key) {
        key->userZooms();
    } else if (action == QLatin1String("toggleFullScreen:") && key) {
        key->toggleFullScreen();
    } else if (action == QLatin1String("arrangeInFront:")) {
        for (SimAppWindow *window : shownWindows()) {
            window->orderFrontRegardless();
        }
    } else if (chosenBy == ChosenBy::KeyEquivalent || !m_windows.sendToFirstResponder(action)) {
        m_sentActions.append(action);
    }
}

const MenuItem *SimApplication::keyEquivalentRow(quint16 keyCode, quint64 flags) const {
    if (!m_mainMenu || activationPolicy() != ActivationPolicy::Regular) {
        return nullptr;
    }
    return MenuKeys::equivalent(*m_mainMenu, keyCode, flags);
}

void SimApplication::keyReceived(const KeyEvent &event) {
    if (!event.keyDown) {
        return;
    }
    // Copied: the action may replace the main menu.
    const std::shared_ptr<const Menu> menu = m_mainMenu;
    if (const MenuItem *item = keyEquivalentRow(event.keyCode, event.flags)) {
        perform(*item, ChosenBy::KeyEquivalent);
    }
}

void SimApplication::userReopens() {
    Q_EMIT reopenRequested(!shownWindows().isEmpty());
}

void SimApplication::userOpensUrls(const QList<QUrl> &urls) {
    Q_EMIT openUrlsRequested(urls);
}

} // namespace zorv
