#include "model/desktopstate.h"

namespace zorv {

AppRecord *DesktopState::app(qint32 processId) {
    return const_cast<AppRecord *>(std::as_const(*this).app(processId));
}

const AppRecord *DesktopState::app(qint32 processId) const {
    for (const AppRecord &record : apps) {
        if (record.processId == processId) {
            return &record;
        }
    }
    return nullptr;
}

ItemRecord *DesktopState::item(quint64 itemId) {
    const auto found = items.find(itemId);
    return found == items.end() ? nullptr : &found->second;
}

const ItemRecord *DesktopState::item(quint64 itemId) const {
    const auto found = items.find(itemId);
    return found == items.end() ? nullptr : &found->second;
}

const ScreenRecord *DesktopState::screen(DisplayId displayId) const {
    for (const ScreenRecord &record : screens) {
        if (record.displayId == displayId) {
            return &record;
        }
    }
    return nullptr;
}

ScreenRecord *DesktopState::screen(DisplayId displayId) {
    return const_cast<ScreenRecord *>(std::as_const(*this).screen(displayId));
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
    for (const ScreenBar &screenBar : bars) {
        if (screenBar.displayId == displayId) {
            return &screenBar;
        }
    }
    return nullptr;
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

} // namespace zorv
