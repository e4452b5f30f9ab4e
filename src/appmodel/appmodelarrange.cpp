// AppModel's operations on the bar as it is now: reveal and tuck, clicks for the user, the
// Arrange pane's lanes and moves with the debounced reconcile, sorting and rescanning.

#include "appmodel.h"

#include "accessibility.h"
#include "currentarrangement.h"
#include "modelsync.h"
#include "search/stablekey.h"
#include "sectionitems.h"
#include "workspace.h"

#include <QUrl>
#include <QtDebug>

#include <exception>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QCoro::Task<> moveItem(MenuBarEngine &engine, MenuBarItemID id, SectionPlacement placement) {
    try {
        co_await engine.move(id, placement);
    } catch (const EngineFailure &) {
        // Dropped: the reconcile still runs and the engine reports the layout it holds.
    } catch (const std::exception &error) {
        qWarning() << "AppModel: a move ended with an exception:" << error.what();
    }
}

} // namespace

QCoro::Task<> AppModel::runEngineCall(std::function<QCoro::Task<>()> call) {
    try {
        co_await call();
    } catch (const std::exception &error) {
        // Only apply, activate and move throw, and their callers handle that themselves.
        qWarning() << "AppModel: an engine call ended with an exception:" << error.what();
    }
}

void AppModel::toggleReveal() {
    runEngineCall([engine = m_engine.get()] { return engine->toggleRevealed(false); });
}

void AppModel::revealHidden() {
    runEngineCall(
        [engine = m_engine.get()] { return engine->setHiddenRevealed(true, false, false); });
}

void AppModel::hideHidden() {
    runEngineCall(
        [engine = m_engine.get()] { return engine->setHiddenRevealed(false, false, false); });
}

void AppModel::retryHiding() {
    runEngineCall([engine = m_engine.get()] { return engine->retryHiding(); });
}

void AppModel::refresh() {
    setAxTrusted(m_services.accessibility.isProcessTrusted());
    runEngineCall([engine = m_engine.get()] { return engine->refresh(); });
}

void AppModel::activate(const MenuBarItemID &id, ClickKind click) {
    activateItem(QPointer<AppModel>(this), *m_engine, id, click);
}

QCoro::Task<> AppModel::activateItem(QPointer<AppModel> model, MenuBarEngine &engine,
                                     MenuBarItemID id, ClickKind click) {
    try {
        co_await engine.activate(id, click);
    } catch (const EngineFailure &failure) {
        if (model) {
            model->logHotkeyFire(stableKey(id),
                                 u"activate FAILED: "_s + QString::fromLatin1(failure.what()));
        }
    } catch (const std::exception &error) {
        qWarning() << "AppModel: activation ended with an exception:" << error.what();
    }
}

QList<MenuBarItem> AppModel::itemsIn(Section section) const {
    return itemsInWantedOrder(m_items, m_layoutOrder, section);
}

void AppModel::move(const MenuBarItemID &id, Section section,
                    const std::optional<MenuBarItemID> &before) {
    // Counted among every item of the section, as the engine places it: before the bar's items
    // are taken in, the layout holds only what the user moved so far.
    const SectionPlacement placement{
        section, dropIndex(currentArrangement(m_layoutOrder, m_items), section, id, before)};
    moveItem(*m_engine, id, placement);
    scheduleReconcile();
}

void AppModel::takeInUnplacedItems() {
    const SectionLayout current = currentArrangement(m_layoutOrder, m_items);
    if (m_isImporting || current == m_layoutOrder.normalized()) {
        return;
    }
    setLayoutOrder(current);
    m_layoutStore.set(current);
    m_sync->pushToCloud();
}

void AppModel::scheduleReconcile() {
    m_reconcile.schedule();
}

void AppModel::sortMyBar() {
    // Without the permission the sort waits for it: the system's prompt, as at a launch without
    // it, tells the user what it waits for and where to grant it.
    setAxTrusted(m_services.accessibility.isProcessTrustedWithPrompt());
    runEngineCall([model = QPointer<AppModel>(this), engine = m_engine.get()] {
        return sortPass(model, *engine);
    });
}

QCoro::Task<> AppModel::sortPass(QPointer<AppModel> model, MenuBarEngine &engine) {
    if (!model) {
        co_return;
    }
    const SortPasses::Ticket ticket = model->m_sorts.begin();
    engine.setReorderEnabled(true);
    // A request made while a run is under way is queued behind it and returns at once; the
    // sort in flight keeps arranging on for both.
    co_await engine.reconcileMenuBar(u"sort-my-bar"_s);
    if (model) {
        model->m_sorts.end(ticket);
        engine.setReorderEnabled(model->m_settings.liveLayout || model->m_sorts.underWay());
    }
}

void AppModel::setLiveLayout(bool enabled) {
    changeSetting([enabled](Settings &settings) { settings.liveLayout = enabled; },
                  [this] { applySettingsToEngine(); });
}

void AppModel::openAccessibilitySettings() {
    const QUrl url(
        u"x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"_s);
    if (url.isValid()) {
        (void)m_services.workspace.openUrl(url);
    }
}

MenuBarStatus AppModel::menuStatus() const {
    return MenuBarStatus{revealShortcutDisplay()};
}

void AppModel::logHotkeyFire(const QString &key, const QString &note) const {
    m_hotkeyLog.append(key, note);
}

} // namespace zorv
