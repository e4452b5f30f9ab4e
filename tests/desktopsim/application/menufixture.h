#pragma once

#include "desktoptest.h"

#include "statusitembutton.h"

namespace zorv::testing {

// This process's application object and pop-up menus on a laptop, with Zorv's icon in the bar.
class ApplicationMenusTest : public DesktopTest {
protected:
    ApplicationMenusTest() {
        addLaptop();
        addSystemItems();
        icon = desktop.statusBar().createStatusItem(StatusBar::squareLength);
        settle();
    }

    MenuItem row(const QString &title, const QString &key = {},
                 quint64 mask = EventFlags::command) {
        MenuItem item;
        item.title = title;
        item.keyEquivalent = key;
        item.keyEquivalentModifiers = mask;
        item.action = [this, title] {
            ran.append(title);
            events.append(desktop.application().currentEvent());
            menuOpenDuringAction.append(desktop.menus().isTracking());
        };
        return item;
    }

    std::shared_ptr<Menu> statusMenu() {
        auto menu = std::make_shared<Menu>();
        MenuItem reveal = row(QStringLiteral("Reveal Hidden Items"));
        MenuItem all = row(QStringLiteral("Reveal All Items"));
        all.alternate = true;
        all.keyEquivalentModifiers = EventFlags::option;
        auto profiles = std::make_shared<Menu>();
        profiles->items = {row(QStringLiteral("Work")), row(QStringLiteral("Home"))};
        MenuItem profile;
        profile.title = QStringLiteral("Profile");
        profile.submenu = profiles;
        menu->items = {reveal, all, MenuItem::separator(), profile,
                       row(QStringLiteral("Quit Zorv"))};
        return menu;
    }

    // The icon's middle, top-left convention.
    QPointF iconCentre() {
        const auto window = icon->button()->window();
        const double top =
            desktop.model().read([](const DesktopState &state) { return state.primaryTop(); });
        return {window->frame.center().x(), top - window->frame.center().y()};
    }

    std::unique_ptr<StatusItem> icon;
    QStringList ran;
    QList<std::optional<AppEvent>> events;
    QList<bool> menuOpenDuringAction;
};

} // namespace zorv::testing
