#include "modelsearch.h"

#include "aliassuggestion.h"
#include "appmodel.h"
#include "clock.h"
#include "search/fuzzymatch.h"
#include "search/stablekey.h"

#include <algorithm>
#include <array>
#include <functional>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {

ModelSearch::ModelSearch(AppModel &model) : m_model(model) {}

QString ModelSearch::displayName(const MenuBarItem &item) {
    if (item.id.title && !item.id.title->isEmpty()) {
        return *item.id.title;
    }
    return item.appName;
}

QList<MenuBarItem> ModelSearch::candidates() const {
    QList<MenuBarItem> awake;
    for (const MenuBarItem &item : m_model.items()) {
        if (!item.isDormant) {
            awake.append(item);
        }
    }
    return awake;
}

const QList<ModelSearch::Candidate> &ModelSearch::preparedCandidates() const {
    const QList<MenuBarItem> &items = m_model.items();
    const QList<ItemAlias> &aliases = m_model.settings().itemAliases;
    // Lists the model replaced or changed no longer share their data with the kept copies.
    if (m_preparedOnce && items.isSharedWith(m_preparedItems) &&
        aliases.isSharedWith(m_preparedAliases)) {
        return m_prepared;
    }
    m_preparedOnce = true;
    m_preparedItems = items;
    m_preparedAliases = aliases;
    m_prepared.clear();

    const QList<MenuBarItem> awake = candidates();
    QList<AliasSuggestion::Entry> entries;
    entries.reserve(awake.size());
    for (const MenuBarItem &item : awake) {
        entries.append({item, displayName(item)});
    }
    const QHash<QString, QString> suggestions = AliasSuggestion::unique(entries);
    QHash<QString, QString> userAliases;
    for (const ItemAlias &alias : aliases) {
        // The first entry of a key is its alias.
        if (!userAliases.contains(alias.key)) {
            userAliases.insert(alias.key, alias.alias);
        }
    }
    m_prepared.reserve(awake.size());
    for (const MenuBarItem &item : awake) {
        const QString key = stableKey(item.id);
        Candidate candidate{item, {}};
        candidate.texts.append(FuzzyMatch::prepare(displayName(item)));
        candidate.texts.append(FuzzyMatch::prepare(item.appName));
        if (const auto userAlias = userAliases.constFind(key); userAlias != userAliases.cend()) {
            candidate.texts.append(FuzzyMatch::prepare(*userAlias));
        }
        if (const auto suggested = suggestions.constFind(key); suggested != suggestions.cend()) {
            candidate.texts.append(FuzzyMatch::prepare(*suggested));
        }
        m_prepared.append(std::move(candidate));
    }
    return m_prepared;
}

QList<MenuBarItem> ModelSearch::searchResults(const QString &query) const {
    const QList<Candidate> &candidates = preparedCandidates();
    const FuzzyMatch::Prepared wanted = FuzzyMatch::prepare(query);

    struct Scored {
        int score;
        const MenuBarItem *item;
    };
    QList<Scored> scored;
    scored.reserve(candidates.size());
    for (const Candidate &candidate : candidates) {
        std::optional<int> best;
        for (const FuzzyMatch::Prepared &text : candidate.texts) {
            const auto score = FuzzyMatch::score(wanted, text);
            if (score && (!best || *score > *best)) {
                best = score;
            }
        }
        if (best) {
            scored.append({*best, &candidate.item});
        }
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const Scored &a, const Scored &b) { return a.score > b.score; });
    QList<MenuBarItem> results;
    results.reserve(scored.size());
    for (const Scored &entry : scored) {
        results.append(*entry.item);
    }
    return results;
}

std::optional<QString> ModelSearch::alias(const MenuBarItem &item) const {
    return m_model.settings().alias(stableKey(item.id));
}

void ModelSearch::setAlias(const std::optional<QString> &alias, const MenuBarItem &item) {
    const QString key = stableKey(item.id);
    m_model.editSettings([&](Settings &settings) { settings.setAlias(alias, key); });
    m_model.persistSettings();
}

std::optional<KeyShortcut> ModelSearch::itemHotkey(const MenuBarItem &item) const {
    return m_model.settings().itemHotkey(stableKey(item.id));
}

void ModelSearch::setItemHotkey(const std::optional<KeyShortcut> &shortcut,
                                const MenuBarItem &item) {
    const QString key = stableKey(item.id);
    m_model.editSettings([&](Settings &settings) { settings.setItemHotkey(shortcut, key); });
    m_model.persistSettings();
    m_model.notifyShortcutsChanged();
}

void ModelSearch::activateItem(const QString &key) {
    if (m_itemsTaken) {
        matchAndActivate(key);
        return;
    }
    // Zorv's keys are registered before the engine has read the bar for the first time.
    m_keysBeforeTheBar.append(key);
    if (m_keysBeforeTheBarExpiry.isPending()) {
        return;
    }
    Clock &clock = m_model.clock();
    auto expiry = [this, &clock](CancellationToken token) -> QCoro::Task<> {
        const SleepOutcome slept = co_await clock.sleep(seconds(keysBeforeTheBarSeconds), token);
        if (slept == SleepOutcome::Cancelled || token.isCancelled()) {
            co_return;
        }
        for (const QString &key : std::exchange(m_keysBeforeTheBar, {})) {
            matchAndActivate(key);
        }
    };
    m_keysBeforeTheBarExpiry.start(std::move(expiry));
}

void ModelSearch::itemsTaken() {
    if (std::exchange(m_itemsTaken, true)) {
        return;
    }
    m_keysBeforeTheBarExpiry.cancel();
    for (const QString &key : std::exchange(m_keysBeforeTheBar, {})) {
        matchAndActivate(key);
    }
}

void ModelSearch::matchAndActivate(const QString &key) {
    const QList<MenuBarItem> items = candidates();
    const QStringList pieces = key.split(u'#');
    const bool structured = pieces.size() == 4;

    // Stored keys outlive the engine's numbering: an application that re-registered its item
    // gets a new ordinal (and may change its identifier), yet the hot key should still reach it.
    const std::array<std::function<bool(const MenuBarItem &)>, 3> tiers{
        [&](const MenuBarItem &item) { return stableKey(item.id) == key; },
        [&](const MenuBarItem &item) {
            return structured && item.id.bundleID == pieces[0] &&
                   item.id.axIdentifier.value_or(QString()) == pieces[1];
        },
        [&](const MenuBarItem &item) { return structured && item.id.bundleID == pieces[0]; },
    };
    std::optional<MenuBarItem> match;
    for (const auto &matches : tiers) {
        const auto found = std::find_if(items.cbegin(), items.cend(), matches);
        if (found != items.cend()) {
            match = *found;
            break;
        }
    }
    m_model.logHotkeyFire(key,
                          match ? u"fired -> "_s + displayName(*match) : u"fired -> NO MATCH"_s);
    if (match) {
        m_model.activate(match->id, ClickKind::left);
    }
}

} // namespace zorv
