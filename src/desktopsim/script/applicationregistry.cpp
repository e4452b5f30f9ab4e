#include "script/applicationregistry.h"

#include "input/itemmenu.h"
#include "layout/itemorder.h"

namespace zorv {

ApplicationRegistry::ApplicationRegistry(DesktopModel &model) : m_model(model) {}

template <typename Fn> bool ApplicationRegistry::change(qint32 processId, Fn &&fn) {
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        AppRecord *app = state.app(processId);
        if (!app) {
            return false;
        }
        fn(*app, effects);
        return true;
    });
}

qint32 ApplicationRegistry::launch(const AppDescription &description) {
    return launchProcess(description, false);
}

qint32 ApplicationRegistry::launchCurrentProcess(const AppDescription &description) {
    return launchProcess(description, true);
}

qint32 ApplicationRegistry::launchProcess(const AppDescription &description, bool currentProcess) {
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        AppRecord app;
        app.processId = state.nextProcessId++;
        app.bundleIdentifier = description.bundleIdentifier;
        app.localizedName = description.localizedName;
        app.activationPolicy = description.activationPolicy;
        app.menusWidth = description.menusWidth;
        app.dragAcceptance = description.dragAcceptance;
        app.statusItemSpacing = state.statusItemSpacing;
        state.apps.append(app);
        if (currentProcess) {
            state.currentProcessId = app.processId;
        }
        effects.launched.append(app);
        return app.processId;
    });
}

bool ApplicationRegistry::quit(qint32 processId) {
    const auto now = m_model.clock().now();
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        const AppRecord *app = state.app(processId);
        if (!app) {
            return false;
        }
        effects.terminated.append(*app);
        ItemMenu::ownerQuit(state, processId, now);
        // The system releases the hot keys of a process that ends.
        state.hotKeys.removeIf(
            [&](const HotKeyRecord &held) { return held.ownerProcessId == processId; });
        if (app->hangEnds) {
            app->hangEnds->cancel();
        }
        ItemOrder::rememberItemsOf(state, processId);
        state.apps.removeIf([&](const AppRecord &record) { return record.processId == processId; });
        for (const quint64 itemId : state.itemsByOwner.value(processId)) {
            state.removeItem(itemId);
            ItemOrder::remove(state, itemId);
        }
        state.activationHistory.removeAll(processId);
        if (state.frontmostProcessId == processId) {
            state.frontmostProcessId.reset();
            if (!state.activationHistory.isEmpty()) {
                state.frontmostProcessId = state.activationHistory.back();
                effects.activated.append(*state.app(*state.frontmostProcessId));
            }
            effects.barChanged = true;
        }
        effects.layoutPass = true;
        return true;
    });
}

bool ApplicationRegistry::activate(qint32 processId) {
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        const AppRecord *app = state.app(processId);
        if (!app) {
            return false;
        }
        state.frontmostProcessId = processId;
        state.activationHistory.removeAll(processId);
        state.activationHistory.append(processId);
        effects.activated.append(*app);
        effects.barChanged = true;
        return true;
    });
}

bool ApplicationRegistry::setHung(qint32 processId, bool hung) {
    return change(processId, [&](AppRecord &app, ModelEffects &) { app.setHung(hung); });
}

bool ApplicationRegistry::setDragAcceptance(qint32 processId, DragAcceptance acceptance) {
    return change(processId,
                  [&](AppRecord &app, ModelEffects &) { app.dragAcceptance = acceptance; });
}

bool ApplicationRegistry::setMenusWidth(qint32 processId, double width) {
    return change(processId, [&](AppRecord &app, ModelEffects &effects) {
        app.menusWidth = width;
        effects.barChanged = true;
    });
}

bool ApplicationRegistry::setExtrasBarFault(qint32 processId, AttributeFault fault) {
    return change(processId, [&](AppRecord &app, ModelEffects &) { app.extrasBarFault = fault; });
}

bool ApplicationRegistry::setChildrenFault(qint32 processId, AttributeFault fault) {
    return change(processId, [&](AppRecord &app, ModelEffects &) { app.childrenFault = fault; });
}

QList<AppRecord> ApplicationRegistry::applications() const {
    return m_model.read([](const DesktopState &state) { return state.apps; });
}

std::optional<AppRecord> ApplicationRegistry::application(qint32 processId) const {
    return m_model.read([&](const DesktopState &state) -> std::optional<AppRecord> {
        const AppRecord *app = state.app(processId);
        return app ? std::optional(*app) : std::nullopt;
    });
}

qint32 ApplicationRegistry::currentProcessId() const {
    return m_model.read([](const DesktopState &state) { return state.currentProcessId; });
}

std::optional<qint32> ApplicationRegistry::frontmostProcessId() const {
    return m_model.read([](const DesktopState &state) { return state.frontmostProcessId; });
}

void ApplicationRegistry::setStatusItemSpacing(double spacing) {
    m_model.write([&](DesktopState &state, ModelEffects &) { state.statusItemSpacing = spacing; });
}

double ApplicationRegistry::statusItemSpacing() const {
    return m_model.read([](const DesktopState &state) { return state.statusItemSpacing; });
}

bool ApplicationRegistry::readLaunchSettings(qint32 processId) {
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        AppRecord *app = state.app(processId);
        if (!app) {
            return false;
        }
        app->statusItemSpacing = state.statusItemSpacing;
        effects.layoutPass = true;
        return true;
    });
}

} // namespace zorv
