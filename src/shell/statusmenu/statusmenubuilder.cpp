#include "statusmenu/statusmenubuilder.h"

#include "hotkeys/shellhotkeys.h"
#include "keycaps/keycapdrawing.h"
#include "menupresenter.h"
#include "menus/trailingmenurow.h"
#include "shellcommands.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// A row whose shortcut is drawn as key caps.
struct KeyRow {
    qsizetype index;
    QStringList keys;
    QString symbol;
};

constexpr quint64 shortcutModifierMask =
    KeyShortcut::kShift | KeyShortcut::kControl | KeyShortcut::kOption | KeyShortcut::kCommand;

MenuItem row(const QString &title, const QString &symbol, std::function<void()> action) {
    MenuItem item;
    item.title = title;
    item.symbol = symbol;
    item.action = std::move(action);
    return item;
}

MenuItemView trailingRow(const QString &title, const QString &symbol, double width,
                         const QVariant &trailing, const QString &trailingKey,
                         const QString &label) {
    MenuItemView view;
    view.source = StatusMenuBuilder::trailingRowView;
    view.height = StatusMenuBuilder::rowHeight;
    view.properties = {
        {u"title"_s, title}, {u"symbol"_s, symbol}, {trailingKey, trailing}, {u"width"_s, width}};
    view.accessibleLabel = label;
    return view;
}

// Widens every custom row to the widest row and gives the header and the rows with shortcuts
// their views.
void fitHeader(Menu &menu, qsizetype header, const QList<KeyRow> &keyRows,
               const StatusMenuState &state, const MenuPresenter &presenter) {
    double width = std::max(StatusMenuBuilder::minimumWidth, presenter.naturalWidth(menu));
    for (const KeyRow &keyRow : keyRows) {
        width = std::max(
            width, TrailingMenuRow::requiredWidth(menu.items[keyRow.index].title, keyRow.keys));
    }
    for (const KeyRow &keyRow : keyRows) {
        MenuItem &item = menu.items[keyRow.index];
        item.view = trailingRow(item.title, keyRow.symbol, width, keyRow.keys, u"keys"_s,
                                item.title + u", "_s + KeyCapDrawing::spoken(keyRow.keys));
    }
    MenuItemView headerView;
    headerView.source = StatusMenuBuilder::headerView;
    headerView.height = StatusMenuBuilder::headerHeight;
    headerView.properties = {{u"hotkey"_s, state.revealHotkey}, {u"width"_s, width}};
    headerView.accessibleLabel = u"Zorv"_s;
    menu.items[header].view = headerView;
    const auto about = std::ranges::find_if(menu.items, [](const MenuItem &item) {
        return item.title == u"About Zorv"_s && item.view == std::nullopt;
    });
    if (about != menu.items.end()) {
        const QString version = u"v"_s + state.version;
        about->view = trailingRow(about->title, about->symbol, width, version, u"trailingText"_s,
                                  u"About Zorv, "_s + version);
    }
}

} // namespace

QString StatusMenuBuilder::keyEquivalent(const KeyShortcut &shortcut) {
    const QString name = KeyShortcut::keyName(shortcut.keyCode());
    if (name.size() == 1 && name.front().unicode() < 128 && !name.front().isSpace() &&
        name.front().isPrint()) {
        return name.toLower();
    }
    return {};
}

Menu StatusMenuBuilder::buildMenu(const StatusMenuState &state, ShellCommands &commands,
                                  const MenuPresenter &presenter) {
    ShellCommands *c = &commands;
    Menu menu;
    QList<KeyRow> keyRows;

    MenuItem header;
    header.enabled = false;
    menu.items.append(header);
    menu.items.append(MenuItem::separator());
    if (state.needsAccessibility) {
        MenuItem permission = row(u"Allow Accessibility…"_s, u"lock.shield"_s,
                                  [c] { c->openAccessibilitySettings(); });
        permission.subtitle = u"Zorv can't see or arrange your menu bar without it"_s;
        menu.items.append(permission);
        menu.items.append(MenuItem::separator());
    }
    menu.items.append(row(u"About Zorv"_s, u"info.circle"_s, [c] { c->showAbout(); }));
    menu.items.append(MenuItem::separator());

    MenuItem settings = row(u"Settings…"_s, u"gearshape"_s, [c] { c->openSettings(); });
    settings.keyEquivalent = u","_s;
    menu.items.append(settings);
    keyRows.append({menu.items.size() - 1, {u"⌘"_s, u","_s}, settings.symbol});

    const QString revealSymbol = state.revealed ? u"eye.slash"_s : u"eye"_s;
    menu.items.append(row(state.revealed ? u"Hide Items"_s : u"Reveal Hidden Items"_s, revealSymbol,
                          [c] { c->toggleReveal(); }));
    MenuItem revealAll = row(state.revealed ? u"Hide Items"_s : u"Reveal All Items"_s, revealSymbol,
                             [c] { c->toggleRevealAll(); });
    revealAll.alternate = true;
    revealAll.keyEquivalentModifiers = KeyShortcut::kOption;
    menu.items.append(revealAll);

    const KeyShortcut search = state.searchShortcut.value_or(ShellHotKeys::defaultSearch);
    MenuItem searchRow =
        row(u"Search Menu Bar Items…"_s, u"magnifyingglass"_s, [c] { c->openSearch(); });
    searchRow.keyEquivalent = keyEquivalent(search);
    searchRow.keyEquivalentModifiers = search.modifiers() & shortcutModifierMask;
    menu.items.append(searchRow);
    keyRows.append({menu.items.size() - 1, KeyShortcut::caps(search.display()), searchRow.symbol});

    menu.items.append(row(u"Sort My Bar"_s, u"arrow.left.arrow.right"_s, [c] { c->sortMyBar(); }));

    if (!state.profiles.profiles.isEmpty()) {
        auto submenu = std::make_shared<Menu>();
        for (const Profile &profile : state.profiles.profiles) {
            MenuItem choice;
            choice.title = profile.name;
            choice.representedObject = QVariant::fromValue(profile.id);
            choice.state =
                state.profiles.activeID == profile.id ? MenuItemState::On : MenuItemState::Off;
            choice.action = [c, id = choice.representedObject] { c->switchProfile(id); };
            submenu->items.append(choice);
        }
        MenuItem profiles = row(u"Profile"_s, u"square.stack.3d.up"_s, {});
        profiles.submenu = submenu;
        menu.items.append(profiles);
    }
    menu.items.append(MenuItem::separator());

    if (const auto update = state.availability.menuRow(); update && state.canUpdate) {
        MenuItem updateRow = row(update->title, u"arrow.down.circle"_s, [c] { c->openUpdates(); });
        updateRow.subtitle = update->subtitle;
        menu.items.append(updateRow);
    }
    menu.items.append(row(u"Welcome Tour…"_s, u"sparkles"_s, [c] { c->startTour(); }));
    menu.items.append(
        row(u"Report a Problem…"_s, u"exclamationmark.bubble"_s, [c] { c->reportProblem(); }));
    menu.items.append(row(u"Zorv Website"_s, u"globe"_s, [c] { c->openHelpPage(); }));
    menu.items.append(MenuItem::separator());

    MenuItem quit = row(u"Quit Zorv"_s, u"power"_s, [c] { c->quit(); });
    quit.keyEquivalent = u"q"_s;
    menu.items.append(quit);
    keyRows.append({menu.items.size() - 1, {u"⌘"_s, u"Q"_s}, quit.symbol});

    fitHeader(menu, 0, keyRows, state, presenter);
    return menu;
}

} // namespace zorv
