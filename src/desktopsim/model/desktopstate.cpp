#include "model/desktopstate.h"

#include <algorithm>

namespace zorv {

namespace {

// The record of `records` whose `key` member equals `value`, or null. Through a non-const list
// it detaches first, so a change made through the pointer never reaches a copy handed out earlier.
template <typename List, typename Key, typename Value>
auto findBy(List &records, Key key, const Value &value) -> decltype(&*records.begin()) {
    const auto found = std::ranges::find(records, value, key);
    return found == records.end() ? nullptr : &*found;
}

// The application with the process id, or null. Applications are kept in launch order and each
// launch takes the next process id, so the list is sorted by process id. Detaches like findBy().
template <typename List> auto findApp(List &apps, qint32 processId) -> decltype(&*apps.begin()) {
    const auto found = std::ranges::lower_bound(apps, processId, {}, &AppRecord::processId);
    return found == apps.end() || found->processId != processId ? nullptr : &*found;
}

} // namespace

AppRecord *DesktopState::app(qint32 processId) {
    return findApp(apps, processId);
}

const AppRecord *DesktopState::app(qint32 processId) const {
    return findApp(apps, processId);
}

ItemRecord *DesktopState::item(quint64 itemId) {
    return const_cast<ItemRecord *>(std::as_const(*this).item(itemId));
}

const ItemRecord *DesktopState::item(quint64 itemId) const {
    const auto found = items.find(itemId);
    return found == items.end() ? nullptr : &found->second;
}

void DesktopState::addItem(ItemRecord item) {
    itemsByOwner[item.ownerProcessId].append(item.id);
    const quint64 id = item.id;
    items.emplace(id, std::move(item));
}

bool DesktopState::removeItem(quint64 itemId) {
    const auto found = items.find(itemId);
    if (found == items.end()) {
        return false;
    }
    const auto owned = itemsByOwner.find(found->second.ownerProcessId);
    if (owned != itemsByOwner.end()) {
        owned->removeOne(itemId);
        if (owned->isEmpty()) {
            itemsByOwner.erase(owned);
        }
    }
    items.erase(found);
    return true;
}

const ScreenRecord *DesktopState::screen(DisplayId displayId) const {
    return findBy(screens, &ScreenRecord::displayId, displayId);
}

ScreenRecord *DesktopState::screen(DisplayId displayId) {
    return findBy(screens, &ScreenRecord::displayId, displayId);
}

const ScreenRecord *DesktopState::primaryScreen() const {
    return screens.isEmpty() ? nullptr : &screens.front();
}

const ScreenRecord *DesktopState::activeScreen() const {
    if (keyWindowScreen) {
        if (const ScreenRecord *keyScreen = screen(*keyWindowScreen)) {
            return keyScreen;
        }
    }
    return primaryScreen();
}

double DesktopState::primaryTop() const {
    const ScreenRecord *primary = primaryScreen();
    return primary ? primary->frame.bottom() : 0.0;
}

const ScreenBar *DesktopState::bar(DisplayId displayId) const {
    return findBy(bars, &ScreenBar::displayId, displayId);
}

QString DesktopState::rememberKey(const QString &positionKey, const QString &autosaveName) {
    return positionKey + QLatin1Char('\n') + autosaveName;
}

void DesktopState::log(const LoggedEvent &event) {
    eventLog.push_back(event);
    if (eventLog.size() > logCapacity) {
        eventLog.pop_front();
    }
}

void DesktopState::recordClick(const DeliveredClick &click) {
    clicks.push_back(click);
    if (clicks.size() > logCapacity) {
        clicks.pop_front();
    }
}

void DesktopState::recordKeyDelivery(const KeyDelivery &delivery) {
    keyDeliveries.push_back(delivery);
    if (keyDeliveries.size() > logCapacity) {
        keyDeliveries.pop_front();
    }
}

} // namespace zorv
