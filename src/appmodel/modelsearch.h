#pragma once

#include "latesttask.h"
#include "menubaritem.h"
#include "search/fuzzymatch.h"
#include "settings/itemalias.h"
#include "settings/keyshortcut.h"

#include <QList>
#include <QString>

#include <optional>

namespace zorv {

class AppModel;

// Finding items: the search panel's ranked results over names, the user's aliases and the
// suggested ones, the per-item aliases and hot keys the search pane edits, and the action of a
// per-item hot key, which still finds its item after the engine renumbered it. Owned by the
// model; main thread.
class ModelSearch {
public:
    // How long a hot key pressed before the engine's first item list waits for it.
    static constexpr double keysBeforeTheBarSeconds = 10.0;

    explicit ModelSearch(AppModel &model);

    // Items that are not dormant and match the query by display name, application name, alias or
    // suggested alias; best match first, ties in item order.
    [[nodiscard]] QList<MenuBarItem> searchResults(const QString &query) const;

    [[nodiscard]] std::optional<QString> alias(const MenuBarItem &item) const;
    // A missing or blank alias clears it.
    void setAlias(const std::optional<QString> &alias, const MenuBarItem &item);
    [[nodiscard]] std::optional<KeyShortcut> itemHotkey(const MenuBarItem &item) const;
    void setItemHotkey(const std::optional<KeyShortcut> &shortcut, const MenuBarItem &item);

    // Clicks the item stored under the key: the exact item, else the same application's item
    // with the same identifier, else any item of that application. Logs every firing. Before the
    // model's first item list the key waits for it, within keysBeforeTheBarSeconds.
    void activateItem(const QString &stableKey);
    // The model took an item list in: keys pressed before the first one are matched now.
    void itemsTaken();

    // `id.title` when it is set and not empty, else the application's name.
    [[nodiscard]] static QString displayName(const MenuBarItem &item);

private:
    // An item with the texts a query is matched against, split once.
    struct Candidate {
        MenuBarItem item;
        QList<FuzzyMatch::Prepared> texts;
    };

    [[nodiscard]] QList<MenuBarItem> candidates() const;
    // The candidates for the model's items and aliases as they are now: kept while the model
    // holds the very same item and alias lists, rebuilt once either is replaced or changed.
    [[nodiscard]] const QList<Candidate> &preparedCandidates() const;
    void matchAndActivate(const QString &stableKey);

    AppModel &m_model;
    bool m_itemsTaken = false;
    QStringList m_keysBeforeTheBar;
    LatestTask m_keysBeforeTheBarExpiry;
    mutable QList<MenuBarItem> m_preparedItems;
    mutable QList<ItemAlias> m_preparedAliases;
    mutable QList<Candidate> m_prepared;
    mutable bool m_preparedOnce = false;
};

} // namespace zorv
