#include "chaosasks.h"

#include "../appinput.h"
#include "chaoswatch.h"
#include "desktopapp.h"
#include "engine/classicengine.h"
#include "modelsearch.h"
#include "search/searchpanelcontroller.h"
#include "search/searchpanelmodel.h"
#include "search/stablekey.h"
#include "simulatedplatform.h"
#include "windows/itemrowsmodel.h"
#include "windows/simappwindows.h"
#include "workerclockdriver.h"

#include <QQuickItem>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr quint16 kKeyD = 2;
constexpr quint16 kKeyF = 3;
// The digit keys 1 to 9, which open the search panel's numbered rows with Command.
constexpr quint16 kDigitKeys[] = {18, 19, 20, 21, 23, 22, 26, 28, 25};
// The secondary bar opens half a second after the click on Zorv's icon.
constexpr double kStripOpensSeconds = 0.6;

// The row of `rows` listing the item, among the first `limit`.
std::optional<int> rowOf(const ItemRowsModel &rows, const MenuBarItemID &id, int limit) {
    for (int row = 0; row < std::min(limit, rows.rowCount()); ++row) {
        const std::optional<MenuBarItem> listed = rows.itemAt(row);
        if (listed && listed->id == id) {
            return row;
        }
    }
    return std::nullopt;
}

} // namespace

ChaosAsks::ChaosAsks(SimulatedPlatform &platform, WorkerClockDriver &driver)
    : m_platform(platform), m_driver(driver) {}

void ChaosAsks::press(quint16 keyCode, quint64 flags) {
    m_platform.desktop().userInput().pressKeyHolding(keyCode, flags);
    m_driver.drain();
}

void ChaosAsks::ask(DesktopApp &app, ChaosWatch &watch, quint32 pick) {
    QList<MenuBarItem> items;
    for (const MenuBarItem &item : app.engine()->lastItems()) {
        if (ClassicEngine::isOnTheBar(item) &&
            item.id.bundleID != SimulatedPlatform::bundleIdentifier) {
            items.append(item);
        }
    }
    if (items.isEmpty()) {
        return;
    }
    const MenuBarItem item = items.at(qsizetype(pick / 8 % items.size()));
    switch (pick % 4) {
    case 0:
        byHotKey(app, watch, item);
        break;
    case 1:
        bySearch(app, watch, item, pick);
        break;
    case 2:
        bySecondaryBar(app, watch, pick);
        break;
    default: {
        const ClickKind click = pick / 4 % 2 == 0 ? ClickKind::right : ClickKind::option;
        watch.activationAsked(item.id, click, u"the Layout pane"_s);
        app.model()->activate(item.id, click);
        break;
    }
    }
}

void ChaosAsks::byHotKey(DesktopApp &app, ChaosWatch &watch, const MenuBarItem &item) {
    ModelSearch &search = app.model()->search();
    if (m_hotKeyItem) {
        search.setItemHotkey(std::nullopt, *m_hotKeyItem);
    }
    search.setItemHotkey(
        KeyShortcut(kKeyD, KeyShortcut::kControl | KeyShortcut::kOption | KeyShortcut::kCommand),
        item);
    m_hotKeyItem = item;
    m_driver.drain();
    watch.activationAsked(item.id, ClickKind::left, u"its hot key"_s);
    press(kKeyD, EventFlags::control | EventFlags::option | EventFlags::command);
}

void ChaosAsks::bySearch(DesktopApp &app, ChaosWatch &watch, const MenuBarItem &item,
                         quint32 pick) {
    press(kKeyF, EventFlags::option | EventFlags::command);
    SearchPanelController *panel = app.searchPanel();
    if (!panel || !panel->isVisible()) {
        return;
    }
    const bool typed = m_platform.desktop().userInput().type(ModelSearch::displayName(item));
    m_driver.drain();
    const std::optional<int> row =
        typed ? rowOf(*panel->search()->results(), item.id, ItemRowsModel::numberedRows)
              : std::nullopt;
    if (!row) {
        press(KeyCode::escape, EventFlags::none);
        return;
    }
    watch.activationAsked(item.id, ClickKind::left, u"the search panel"_s);
    if (*row == 0 && pick / 4 % 2 == 0) {
        press(KeyCode::returnKey, EventFlags::none);
    } else {
        press(kDigitKeys[*row], EventFlags::command);
    }
}

void ChaosAsks::bySecondaryBar(DesktopApp &app, ChaosWatch &watch, quint32 pick) {
    SimulatedDesktop &desktop = m_platform.desktop();
    std::optional<BarEntry> icon;
    for (const BarEntry &entry : desktop.readout().bar()) {
        if (entry.bundleIdentifier == SimulatedPlatform::bundleIdentifier &&
            entry.autosaveName == BarItems::zorvIconName) {
            icon = entry;
        }
    }
    // The user reaches the strip through the icon they can see.
    if (!icon || !icon->visible) {
        return;
    }
    app.model()->setSecondaryBarEnabled(true);
    desktop.userInput().moveMouse(icon->frame.center());
    desktop.userInput().click(icon->frame.center(), MouseButton::Right);
    m_driver.run(seconds(kStripOpensSeconds));
    QQuickWindow *strip = shownWindowWith(desktop, u"strip"_s);
    auto *rows =
        strip ? qobject_cast<ItemRowsModel *>(strip->property("rows").value<QObject *>()) : nullptr;
    if (!rows || rows->rowCount() == 0) {
        if (strip) {
            press(KeyCode::escape, EventFlags::none);
        }
        return;
    }
    const int row = int(pick / 8 % quint32(rows->rowCount()));
    const std::optional<MenuBarItem> item = rows->itemAt(row);
    const QString cellName = u"item-%1"_s.arg(row);
    const std::optional<QPointF> cell =
        findIn(strip->contentItem(), cellName) ? pointOf(desktop, strip, cellName) : std::nullopt;
    // Only a cell the strip's window shows can be tapped.
    SimAppWindow *window = serverOf(desktop, strip);
    if (!item || !cell || !window || !window->record().frame.contains(*cell)) {
        press(KeyCode::escape, EventFlags::none);
        return;
    }
    watch.activationAsked(item->id, ClickKind::left, u"the secondary bar"_s);
    desktop.userInput().moveMouse(*cell);
    desktop.userInput().click(*cell);
    m_driver.drain();
    // A tap the strip took closes it; one that reached nothing asked for nothing.
    if (shownWindowWith(desktop, u"strip"_s)) {
        watch.activationWithdrawn(item->id);
        press(KeyCode::escape, EventFlags::none);
    }
}

} // namespace zorv
