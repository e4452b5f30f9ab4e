#include "dock/zorvmainmenu.h"

#include "shellcommands.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr quint64 command = EventFlags::command;

MenuItem targetRow(const QString &title, std::function<void()> action, const QString &key = {}) {
    MenuItem item;
    item.title = title;
    item.action = std::move(action);
    item.keyEquivalent = key;
    return item;
}

MenuItem responderRow(const QString &title, const QString &action, const QString &key = {},
                      quint64 mask = command) {
    MenuItem item;
    item.title = title;
    item.responderAction = action;
    item.keyEquivalent = key;
    item.keyEquivalentModifiers = mask;
    return item;
}

MenuItem topLevel(const QString &title, QList<MenuItem> rows, MenuRole role = MenuRole::None) {
    auto submenu = std::make_shared<Menu>();
    submenu->title = title;
    submenu->role = role;
    submenu->items = std::move(rows);
    MenuItem item;
    item.title = title;
    item.submenu = std::move(submenu);
    return item;
}

} // namespace

Menu ZorvMainMenu::build(ShellCommands &target) {
    ShellCommands *t = &target;
    auto services = std::make_shared<Menu>();
    services->title = u"Services"_s;
    services->role = MenuRole::Services;
    MenuItem servicesRow;
    servicesRow.title = u"Services"_s;
    servicesRow.submenu = services;

    Menu menu;
    menu.items = {
        topLevel(u"Zorv"_s,
                 {targetRow(u"About Zorv"_s, [t] { t->showAbout(); }), MenuItem::separator(),
                  targetRow(
                      u"Settings…"_s, [t] { t->openSettings(); }, u","_s),
                  MenuItem::separator(), servicesRow, MenuItem::separator(),
                  responderRow(u"Hide Zorv"_s, u"hide:"_s, u"h"_s),
                  responderRow(u"Hide Others"_s, u"hideOtherApplications:"_s, u"h"_s,
                               EventFlags::option | command),
                  responderRow(u"Show All"_s, u"unhideAllApplications:"_s), MenuItem::separator(),
                  responderRow(u"Quit Zorv"_s, u"terminate:"_s, u"q"_s)}),
        topLevel(u"Menu Bar"_s,
                 {targetRow(u"Reveal Hidden Items"_s, [t] { t->toggleReveal(); }),
                  targetRow(u"Search Menu Bar Items…"_s, [t] { t->openSearch(); }),
                  targetRow(u"Sort My Bar"_s, [t] { t->sortMyBar(); }), MenuItem::separator(),
                  targetRow(u"Welcome Tour…"_s, [t] { t->startTour(); })}),
        topLevel(u"Edit"_s,
                 {responderRow(u"Undo"_s, u"undo:"_s, u"z"_s),
                  responderRow(u"Redo"_s, u"redo:"_s, u"z"_s, EventFlags::shift | command),
                  MenuItem::separator(), responderRow(u"Cut"_s, u"cut:"_s, u"x"_s),
                  responderRow(u"Copy"_s, u"copy:"_s, u"c"_s),
                  responderRow(u"Paste"_s, u"paste:"_s, u"v"_s),
                  responderRow(u"Delete"_s, u"delete:"_s),
                  responderRow(u"Select All"_s, u"selectAll:"_s, u"a"_s)}),
        topLevel(
            u"Window"_s,
            {responderRow(u"Close Window"_s, u"performClose:"_s, u"w"_s), MenuItem::separator(),
             responderRow(u"Minimize"_s, u"performMiniaturize:"_s, u"m"_s),
             responderRow(u"Zoom"_s, u"performZoom:"_s),
             responderRow(u"Enter Full Screen"_s, u"toggleFullScreen:"_s, u"f"_s,
                          EventFlags::control | command),
             MenuItem::separator(), responderRow(u"Bring All to Front"_s, u"arrangeInFront:"_s)},
            MenuRole::Windows),
        topLevel(u"Help"_s,
                 {targetRow(
                     u"Zorv Website"_s, [t] { t->openHelpPage(); }, u"?"_s)},
                 MenuRole::Help),
    };
    return menu;
}

} // namespace zorv
