#include "script/baritems.h"

#include "layout/itemorder.h"
#include "layout/restingwidths.h"

#include <algorithm>

namespace zorv {

namespace {

const QString identifierAttribute = QStringLiteral("AXIdentifier");
const QString descriptionAttribute = QStringLiteral("AXDescription");

double capped(double length) {
    return length > StatusBar::maximumLength ? StatusBar::maximumLength : length;
}

} // namespace

BarItems::BarItems(DesktopModel &model) : m_model(model) {}

BarItems::~BarItems() {
    for (CancellationSource &cycle : m_cycles) {
        cycle.cancel();
    }
}

template <typename Fn> bool BarItems::change(quint64 itemId, Fn &&fn) {
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        ItemRecord *item = state.item(itemId);
        if (!item) {
            return false;
        }
        fn(state, *item);
        effects.layoutPass = true;
        return true;
    });
}

std::optional<quint64> BarItems::add(qint32 ownerProcessId, const ItemDescription &description) {
    return m_model.write([&](DesktopState &state, ModelEffects &effects) -> std::optional<quint64> {
        AppRecord *owner = state.app(ownerProcessId);
        if (!owner) {
            return std::nullopt;
        }
        ItemRecord item;
        item.id = state.nextItemId++;
        item.ownerProcessId = ownerProcessId;
        item.autosaveName = description.autosaveName.value_or(
            QStringLiteral("Item-%1").arg(owner->nextDefaultAutosaveNumber++));
        item.length = capped(description.length);
        item.title = description.title;
        item.image = description.image;
        item.glyph = description.glyph;
        item.immovable = description.immovable;
        if (description.identifier) {
            item.attributeOverrides.insert(identifierAttribute, *description.identifier);
        }
        if (description.accessibilityDescription) {
            item.attributeOverrides.insert(descriptionAttribute,
                                           *description.accessibilityDescription);
        }
        RestingWidths::itemAppeared(state, item);
        const quint64 id = item.id;
        state.addItem(std::move(item));
        ItemOrder::insertNew(state, id);
        effects.layoutPass = true;
        return id;
    });
}

bool BarItems::remove(quint64 itemId) {
    // A length cycle of the item ends by itself at its next step.
    return m_model.write([&](DesktopState &state, ModelEffects &effects) {
        if (!state.removeItem(itemId)) {
            return false;
        }
        ItemOrder::remove(state, itemId);
        effects.layoutPass = true;
        return true;
    });
}

std::optional<ItemRecord> BarItems::item(quint64 itemId) const {
    return m_model.read([&](const DesktopState &state) -> std::optional<ItemRecord> {
        const ItemRecord *item = state.item(itemId);
        return item ? std::optional(*item) : std::nullopt;
    });
}

QList<quint64> BarItems::itemsOf(qint32 ownerProcessId) const {
    return m_model.read([&](const DesktopState &state) {
        QList<quint64> ids;
        for (const auto &[id, item] : state.items) {
            if (item.ownerProcessId == ownerProcessId) {
                ids.append(id);
            }
        }
        return ids;
    });
}

std::optional<quint64> BarItems::find(qint32 ownerProcessId, const QString &autosaveName) const {
    return m_model.read([&](const DesktopState &state) -> std::optional<quint64> {
        for (const auto &[id, item] : state.items) {
            if (item.ownerProcessId == ownerProcessId && item.autosaveName == autosaveName) {
                return id;
            }
        }
        return std::nullopt;
    });
}

QList<quint64> BarItems::order() const {
    return m_model.read([](const DesktopState &state) { return state.order; });
}

bool BarItems::setLength(quint64 itemId, double length) {
    return change(itemId, [&](DesktopState &state, ItemRecord &item) {
        item.length = capped(length);
        RestingWidths::widthChanged(state, item);
    });
}

bool BarItems::setTitle(quint64 itemId, const QString &title) {
    return change(itemId, [&](DesktopState &state, ItemRecord &item) {
        item.title = title;
        RestingWidths::widthChanged(state, item);
    });
}

bool BarItems::setToolTip(quint64 itemId, const QString &toolTip) {
    // Drawn only when asked for: the bar does not change.
    return m_model.write([&](DesktopState &state, ModelEffects &) {
        ItemRecord *item = state.item(itemId);
        if (item) {
            item->toolTip = toolTip;
        }
        return item != nullptr;
    });
}

bool BarItems::setImage(quint64 itemId, const QImage &image) {
    return change(itemId, [&](DesktopState &state, ItemRecord &item) {
        item.image = image;
        RestingWidths::widthChanged(state, item);
    });
}

bool BarItems::setButtonHidden(quint64 itemId, bool hidden) {
    return change(itemId, [&](DesktopState &, ItemRecord &item) { item.buttonHidden = hidden; });
}

bool BarItems::setAutosaveName(quint64 itemId, const QString &name) {
    return change(itemId, [&](DesktopState &state, ItemRecord &item) {
        item.autosaveName = name;
        ItemOrder::moveToRememberedPosition(state, itemId);
    });
}

bool BarItems::setIdentifier(quint64 itemId, const std::optional<QString> &identifier) {
    return overrideAttribute(itemId, identifierAttribute,
                             identifier ? std::optional<AXAttributeValue>(*identifier)
                                        : std::nullopt);
}

bool BarItems::overrideAttribute(quint64 itemId, const QString &attribute,
                                 const std::optional<AXAttributeValue> &value) {
    return change(itemId, [&](DesktopState &, ItemRecord &item) {
        item.attributeOverrides.insert(attribute, value);
    });
}

bool BarItems::resetAttribute(quint64 itemId, const QString &attribute) {
    return change(itemId, [&](DesktopState &, ItemRecord &item) {
        item.attributeOverrides.remove(attribute);
    });
}

bool BarItems::moveToIndex(quint64 itemId, qsizetype movableIndex) {
    return change(itemId, [&](DesktopState &state, ItemRecord &) {
        ItemOrder::moveToIndex(state, itemId, movableIndex);
    });
}

bool BarItems::moveZorvIconLeftOfSeparators() {
    return m_model.write([](DesktopState &state, ModelEffects &effects) {
        std::optional<quint64> icon;
        QList<quint64> separators;
        for (const auto &[id, item] : state.items) {
            if (item.ownerProcessId != state.currentProcessId) {
                continue;
            }
            if (item.autosaveName == zorvIconName) {
                icon = id;
            } else if (item.autosaveName == zorvHiddenSeparatorName ||
                       item.autosaveName == zorvAlwaysHiddenSeparatorName) {
                separators.append(id);
            }
        }
        if (!icon || separators.size() != 2) {
            return false;
        }
        QList<quint64> movable = ItemOrder::movable(state);
        movable.removeAll(*icon);
        const qsizetype leftmost =
            std::min(movable.indexOf(separators[0]), movable.indexOf(separators[1]));
        ItemOrder::moveToIndex(state, *icon, leftmost);
        effects.layoutPass = true;
        return true;
    });
}

std::optional<double> BarItems::rememberedPosition(const QString &positionKey,
                                                   const QString &autosaveName) const {
    return m_model.read([&](const DesktopState &state) -> std::optional<double> {
        const auto found = state.rememberedPositions.constFind(
            DesktopState::rememberKey(positionKey, autosaveName));
        return found == state.rememberedPositions.cend() ? std::nullopt : std::optional(*found);
    });
}

void BarItems::setRememberedPosition(const QString &positionKey, const QString &autosaveName,
                                     double distance) {
    m_model.write([&](DesktopState &state, ModelEffects &) {
        state.rememberedPositions.insert(DesktopState::rememberKey(positionKey, autosaveName),
                                         distance);
    });
}

RememberedPositions BarItems::rememberedPositions() const {
    return m_model.read([](const DesktopState &state) {
        RememberedPositions positions;
        for (auto entry = state.rememberedPositions.cbegin();
             entry != state.rememberedPositions.cend(); ++entry) {
            // The key is the owner's position key and the autosave name, split at the first
            // line break: position keys are bundle identifiers or names, which hold none.
            const qsizetype split = entry.key().indexOf(QLatin1Char('\n'));
            positions[entry.key().left(split)].insert(entry.key().mid(split + 1), entry.value());
        }
        return positions;
    });
}

void BarItems::rememberPositionsOf(qint32 ownerProcessId) {
    m_model.write([&](DesktopState &state, ModelEffects &) {
        ItemOrder::rememberItemsOf(state, ownerProcessId);
    });
}

void BarItems::cycleLengths(quint64 itemId, QList<double> lengths,
                            std::chrono::nanoseconds period) {
    stopCycling(itemId);
    if (lengths.isEmpty() || period <= std::chrono::nanoseconds::zero()) {
        return;
    }
    CancellationSource source;
    m_cycles.insert(itemId, source);
    cycle(itemId, std::move(lengths), period, source.token());
}

void BarItems::stopCycling(quint64 itemId) {
    if (auto found = m_cycles.find(itemId); found != m_cycles.end()) {
        found->cancel();
        m_cycles.erase(found);
    }
}

QCoro::Task<> BarItems::cycle(quint64 itemId, QList<double> lengths,
                              std::chrono::nanoseconds period, CancellationToken token) {
    // The token is cancelled before this object goes away, so `this` is valid after each sleep
    // that was not cancelled.
    for (qsizetype step = 0;; step = (step + 1) % lengths.size()) {
        if (co_await m_model.clock().sleep(period, token) == SleepOutcome::Cancelled) {
            co_return;
        }
        if (!setLength(itemId, lengths[step])) {
            m_cycles.remove(itemId);
            co_return;
        }
    }
}

} // namespace zorv
