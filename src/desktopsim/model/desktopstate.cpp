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

} // namespace

AppRecord *DesktopState::app(qint32 processId) {
    return findBy(apps, &AppRecord::processId, processId);
}

const AppRecord *DesktopState::app(qint32 processId) const {
    return findBy(apps, &AppRecord::processId, processId);
}

ItemRecord *DesktopState::item(quint64 itemId) {
    return const_cast<ItemRecord *>(std::as_const(*this).item(itemId));
}

const ItemRecord *DesktopState::item(quint64 itemId) const {
    const auto found = items.find(itemId);
    return found == items.end() ? nullptr : &found->second;
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
