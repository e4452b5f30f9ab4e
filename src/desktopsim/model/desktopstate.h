#pragma once

#include "accessibility/axelementtable.h"
#include "model/apprecord.h"
#include "model/inputrecords.h"
#include "model/inputstate.h"
#include "model/itemmenus.h"
#include "model/itemrecord.h"
#include "model/screenbar.h"
#include "model/screenrecord.h"

#include <QColor>
#include <QHash>
#include <QList>

#include <chrono>
#include <deque>
#include <map>
#include <optional>

namespace zorv {

// Everything the simulated Mac knows, in one plain structure. DesktopModel guards it with its
// lock; the classes of the simulator read and change it only through DesktopModel.
struct DesktopState {
    // The event log, the click record and the key deliveries keep this many newest entries: what
    // a reader looks back on between two looks, reached within an hour of a busy desktop, so
    // that a simulated Mac running for weeks holds the same logs after the first hour as later.
    static constexpr std::size_t logCapacity = 1000;

    // Settings.
    double thickness = 24.0;
    // The spacing applications read when they launch.
    double statusItemSpacing = 16.0;
    std::chrono::nanoseconds layoutPassDelay{0};
    QColor barColor = QColor(236, 236, 236);
    QColor wallpaperColor = QColor(58, 110, 165);
    QColor menuColor = QColor(40, 40, 40);

    // Screens, the primary one (origin 0,0) first.
    QList<ScreenRecord> screens;
    // The screen with the key window; absent when no window is key.
    std::optional<DisplayId> keyWindowScreen;
    DisplayId nextDisplayId = 1;

    // Running applications in launch order, and so by process id (each launch takes the next).
    QList<AppRecord> apps;
    qint32 nextProcessId = 400;
    qint32 currentProcessId = 0;
    std::optional<qint32> frontmostProcessId;
    // Most recently activated last.
    QList<qint32> activationHistory;

    // Status items by id, and the bar order from left to right (immovable items last). Items
    // come and go through addItem() and removeItem(), which keep itemsByOwner.
    std::map<quint64, ItemRecord> items;
    // Each process's item ids, oldest first.
    QHash<qint32, QList<quint64>> itemsByOwner;
    quint64 nextItemId = 1;
    QList<quint64> order;
    // Remembered positions: distance from the right end of the movable area, keyed by
    // rememberKey().
    QHash<QString, double> rememberedPositions;

    // The bars as the last layout pass left them, one per screen.
    QList<ScreenBar> bars;

    bool accessibilityTrusted = true;
    // The system asked the user to grant this process the Accessibility permission.
    bool trustPromptShown = false;
    bool screenRecordingGranted = true;
    AXElementTable elements;
    // Attribute reads this process made on its main thread, which a hung application freezes.
    int mainThreadAccessibilityReads = 0;

    InputState input;
    std::deque<LoggedEvent> eventLog;
    std::deque<DeliveredClick> clicks;
    ItemMenus itemMenus;
    // Registered global hot keys, in registration order.
    QList<HotKeyRecord> hotKeys;
    std::deque<KeyDelivery> keyDeliveries;

    [[nodiscard]] AppRecord *app(qint32 processId);
    [[nodiscard]] const AppRecord *app(qint32 processId) const;
    [[nodiscard]] ItemRecord *item(quint64 itemId);
    [[nodiscard]] const ItemRecord *item(quint64 itemId) const;
    void addItem(ItemRecord item);
    // False when there was no such item.
    bool removeItem(quint64 itemId);
    [[nodiscard]] const ScreenRecord *screen(DisplayId displayId) const;
    [[nodiscard]] ScreenRecord *screen(DisplayId displayId);
    [[nodiscard]] const ScreenRecord *primaryScreen() const;
    // The display whose bar holds the status items' real windows: the key window's screen,
    // else the primary one.
    [[nodiscard]] const ScreenRecord *activeScreen() const;
    // The primary screen's top edge: converts between the two coordinate conventions.
    [[nodiscard]] double primaryTop() const;
    [[nodiscard]] const ScreenBar *bar(DisplayId displayId) const;

    [[nodiscard]] static QString rememberKey(const QString &positionKey,
                                             const QString &autosaveName);

    void log(const LoggedEvent &event);
    void recordClick(const DeliveredClick &click);
    void recordKeyDelivery(const KeyDelivery &delivery);
};

} // namespace zorv
