#pragma once

#include "menubaritem.h"
#include "workrunner.h"

#include <QList>

#include <functional>
#include <memory>

namespace zorv {

class Workspace;

// Fills in each scanned item's application icon and name from the icon cache (files in `folder`)
// for the app model. Each item's icon depends only on its application (bundle identifier, process,
// running bundle path), its own picture and its name; what was found for those, a miss included,
// is remembered and looked for again only when one of them changes or the application's
// remembered icon does. So a scan in which nothing changed is filled in at once on the main
// thread, from one look at the running applications; otherwise the cache's file work runs as one
// job on `work`, and the list is handed on once its job is back. A newer list replaces one still
// waiting: only the latest is handed on, and never an older one after a newer. A job that fails
// hands nothing on and leaves nothing remembered: a list that came while it ran is looked for at
// once, any other waits for the next list.
//
// The lists handed on are those the model's items always showed: an item whose own icon is the best
// one stays as it is (unless dormant); any other takes the best icon (none when there is none)
// and, when it has no name of its own, the remembered name. A running application's name is
// remembered when its item is first looked for, whatever its icon. A dormant item's name is only
// a stand-in (its title or bundle identifier, as the engine gives it): it is never remembered,
// and the item shows the name remembered while the application ran. Main thread; the cache is
// used only by one job at a time.
class ItemIcons {
public:
    using Publish = std::function<void(QList<MenuBarItem>)>;

    // The workspace must outlive every job started; `publish` is called on the main thread, never
    // after destruction.
    ItemIcons(QString folder, const Workspace &workspace, WorkRunner work, Publish publish);
    ~ItemIcons();
    ItemIcons(const ItemIcons &) = delete;
    ItemIcons &operator=(const ItemIcons &) = delete;

    // Takes a scan's items; hands them on filled in, at once when nothing about them changed.
    void hydrateIcons(QList<MenuBarItem> items);

private:
    struct State;

    static QCoro::Task<> resolvePending(std::weak_ptr<State> weak);

    std::shared_ptr<State> m_state;
};

} // namespace zorv
