#include "itemicons.h"

#include "icons/iconcache.h"
#include "workspace.h"

#include <QHash>
#include <QSet>
#include <QtDebug>

#include <exception>
#include <utility>

namespace zorv {

namespace {

// Everything an item's icon and name are found from.
struct IconKey {
    QString bundleID;
    QString appName;
    qint32 pid = 0;
    // The first running copy's bundle path.
    std::optional<QString> bundlePath;
    // The item's own icon; 0 without one.
    qint64 picture = 0;
    // The item stands for an application that is not running: its name is only a stand-in.
    bool dormant = false;

    friend bool operator==(const IconKey &, const IconKey &) = default;
};

size_t qHash(const IconKey &key, size_t seed = 0) {
    return qHashMulti(seed, key.bundleID, key.appName, key.pid, key.bundlePath.has_value(),
                      key.bundlePath.value_or(QString()), key.picture, key.dormant);
}

struct Request {
    IconKey key;
    std::optional<QImage> picture;
};

// What the cache found for a key, and the application's revision in the cache just after.
struct Found {
    std::optional<QImage> best;
    quint64 revision = 0;
};

// An application's remembered name and revision in the cache.
struct AppNote {
    std::optional<QString> name;
    quint64 revision = 0;
};

struct Batch {
    QList<std::pair<IconKey, Found>> found;
    QHash<QString, AppNote> apps;
};

QHash<QString, QString> runningBundlePaths(const QList<RunningApplication> &applications) {
    QHash<QString, QString> paths;
    for (const RunningApplication &application : applications) {
        if (application.bundleIdentifier && application.bundlePath &&
            !paths.contains(*application.bundleIdentifier)) {
            paths.insert(*application.bundleIdentifier, *application.bundlePath);
        }
    }
    return paths;
}

// A dormant item's name is a stand-in (its title or bundle identifier); a running one's can be
// missing when the application's name could not be read.
bool lacksName(const MenuBarItem &item) {
    return item.isDormant || item.appName.isEmpty() || item.appName == item.id.bundleID;
}

// On the job's thread, in item order, so that an icon one item remembers serves the next. A
// running application's name is remembered whatever its icon; a dormant item's name (its title
// or bundle identifier) is not the application's, so it never replaces the remembered one.
Batch resolve(IconCache &cache, const QList<Request> &requests) {
    Batch batch;
    batch.found.reserve(requests.size());
    for (const Request &request : requests) {
        const IconKey &key = request.key;
        std::optional<QImage> best = cache.bestIcon(key.bundleID, request.picture, key.bundlePath);
        cache.remember(key.bundleID, key.dormant ? QString() : key.appName, best);
        batch.found.append({key, Found{std::move(best), cache.revision(key.bundleID)}});
    }
    for (const auto &[key, found] : std::as_const(batch.found)) {
        batch.apps.insert(key.bundleID,
                          AppNote{cache.name(key.bundleID), cache.revision(key.bundleID)});
    }
    return batch;
}

} // namespace

struct ItemIcons::State {
    State(QString folder, const Workspace &workspace, WorkRunner work, Publish publish)
        : cache(std::make_shared<IconCache>(std::move(folder), workspace)), workspace(workspace),
          work(work), publish(std::move(publish)) {}

    // Found since the application's remembered icon last changed.
    [[nodiscard]] bool isCurrent(const IconKey &key) const {
        const auto found = this->found.constFind(key);
        const auto app = apps.constFind(key.bundleID);
        return found != this->found.cend() && app != apps.cend() &&
               app->revision == found->revision;
    }

    [[nodiscard]] bool allFound() const {
        for (const Request &request : pendingRequests) {
            if (!found.contains(request.key)) {
                return false;
            }
        }
        return true;
    }

    // The pending requests not current, each key once.
    [[nodiscard]] QList<Request> wanted() const {
        QList<Request> wanted;
        QSet<IconKey> seen;
        for (const Request &request : pendingRequests) {
            if (!isCurrent(request.key) && !seen.contains(request.key)) {
                seen.insert(request.key);
                wanted.append(request);
            }
        }
        return wanted;
    }

    void merge(Batch batch) {
        for (auto &[key, result] : batch.found) {
            found.insert(key, std::move(result));
        }
        for (auto it = batch.apps.cbegin(); it != batch.apps.cend(); ++it) {
            apps.insert(it.key(), it.value());
        }
    }

    // Hands the pending list on, filled in, and forgets keys it does not use.
    void handOn() {
        QList<MenuBarItem> items = std::exchange(pendingItems, {});
        const QList<Request> requests = std::exchange(pendingRequests, {});
        hasPending = false;
        QList<MenuBarItem> result;
        result.reserve(items.size());
        for (qsizetype i = 0; i < items.size(); ++i) {
            const MenuBarItem &item = items.at(i);
            const std::optional<QImage> &best = found.constFind(requests.at(i).key)->best;
            const bool ownIconIsBest =
                best && item.appIcon && best->cacheKey() == item.appIcon->cacheKey();
            if (ownIconIsBest && !item.isDormant) {
                result.append(item);
                continue;
            }
            MenuBarItem copy = item;
            copy.appIcon = best;
            if (lacksName(item)) {
                copy.appName = apps.value(item.id.bundleID).name.value_or(item.appName);
            }
            result.append(std::move(copy));
        }
        if (found.size() > requests.size()) {
            QSet<IconKey> used;
            for (const Request &request : requests) {
                used.insert(request.key);
            }
            for (auto it = found.begin(); it != found.end();) {
                it = used.contains(it.key()) ? std::next(it) : found.erase(it);
            }
        }
        publish(std::move(result));
    }

    // For the job's end, which nobody awaits.
    void handOnSafely() {
        if (!hasPending) {
            return;
        }
        try {
            handOn();
        } catch (const std::exception &error) {
            qWarning() << "ItemIcons: an item list could not be handed on:" << error.what();
        }
    }

    const std::shared_ptr<IconCache> cache;
    const Workspace &workspace;
    const WorkRunner work;
    const Publish publish;
    QHash<IconKey, Found> found;
    QHash<QString, AppNote> apps;
    // The latest list not yet handed on, with one request per item.
    QList<MenuBarItem> pendingItems;
    QList<Request> pendingRequests;
    bool hasPending = false;
    // Lists taken so far.
    quint64 listsTaken = 0;
    // A job is on its way.
    bool resolving = false;
};

ItemIcons::ItemIcons(QString folder, const Workspace &workspace, WorkRunner work, Publish publish)
    : m_state(std::make_shared<State>(std::move(folder), workspace, work, std::move(publish))) {}

ItemIcons::~ItemIcons() = default;

void ItemIcons::hydrateIcons(QList<MenuBarItem> items) {
    State &state = *m_state;
    const QHash<QString, QString> paths = runningBundlePaths(state.workspace.runningApplications());
    QList<Request> requests;
    requests.reserve(items.size());
    bool allCurrent = true;
    for (const MenuBarItem &item : std::as_const(items)) {
        const auto path = paths.constFind(item.id.bundleID);
        Request request{IconKey{item.id.bundleID, item.appName, item.pid,
                                path != paths.cend() ? std::optional(*path) : std::nullopt,
                                item.appIcon ? item.appIcon->cacheKey() : 0, item.isDormant},
                        item.appIcon};
        allCurrent = allCurrent && state.isCurrent(request.key);
        requests.append(std::move(request));
    }
    state.pendingItems = std::move(items);
    state.pendingRequests = std::move(requests);
    state.hasPending = true;
    ++state.listsTaken;
    if (allCurrent) {
        state.handOn();
    } else if (!state.resolving) {
        state.resolving = true;
        resolvePending(m_state);
    }
}

QCoro::Task<> ItemIcons::resolvePending(std::weak_ptr<State> weak) {
    while (true) {
        std::shared_ptr<State> state = weak.lock();
        if (!state) {
            co_return;
        }
        QList<Request> wanted = state->wanted();
        if (wanted.isEmpty()) {
            state->resolving = false;
            state->handOnSafely();
            co_return;
        }
        WorkRunner work = state->work;
        const quint64 listsBefore = state->listsTaken;
        auto job = [cache = state->cache, wanted = std::move(wanted)] {
            return resolve(*cache, wanted);
        };
        state.reset();
        std::optional<Batch> batch;
        try {
            batch = co_await work.run(std::move(job));
        } catch (const std::exception &error) {
            qWarning() << "ItemIcons: looking for icons failed:" << error.what();
        }
        state = weak.lock();
        if (!state) {
            co_return;
        }
        if (!batch) {
            // A list that came while the job ran is looked for at once; otherwise the next
            // list tries again, so a look-up that keeps failing does not spin.
            if (state->listsTaken != listsBefore) {
                continue;
            }
            state->resolving = false;
            co_return;
        }
        state->merge(std::move(*batch));
        if (state->allFound()) {
            state->resolving = false;
            state->handOnSafely();
            co_return;
        }
    }
}

} // namespace zorv
