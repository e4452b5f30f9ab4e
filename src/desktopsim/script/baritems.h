#pragma once

#include "cancellation.h"
#include "model/desktopmodel.h"
#include "script/itemdescription.h"
#include "script/rememberedpositions.h"

#include <QCoroTask>
#include <QHash>
#include <QList>

#include <chrono>
#include <optional>

namespace zorv {

// The status items of every application: add and remove them, change what they show and how
// long they are, move them as macOS sometimes does on its own, and manage the positions the
// system remembers per application and autosave name (see ItemOrder).
//
// When an application quits, the system remembers where each of its items stood, so they come
// back there when it launches again; an item the application removes keeps what was remembered
// before.
//
// Items are named by the id add() returns. Every change takes effect on the bars at the next
// layout pass. Operations on an item that no longer exists do nothing and return false.
// Thread-safe, but cycleLengths() and stopCycling() run on the main thread.
class BarItems {
public:
    static inline const QString zorvIconName = QStringLiteral("zorv-icon-v2");
    static inline const QString zorvHiddenSeparatorName =
        QStringLiteral("zorv-hidden-separator-v2");
    static inline const QString zorvAlwaysHiddenSeparatorName =
        QStringLiteral("zorv-always-hidden-separator-v2");

    explicit BarItems(DesktopModel &model);
    ~BarItems();
    BarItems(const BarItems &) = delete;
    BarItems &operator=(const BarItems &) = delete;

    // A new item of the running application, at the left end of the movable area or at its
    // remembered position; absent when no such application runs.
    std::optional<quint64> add(qint32 ownerProcessId, const ItemDescription &description);
    bool remove(quint64 itemId);

    [[nodiscard]] std::optional<ItemRecord> item(quint64 itemId) const;
    // The application's items in the order it created them.
    [[nodiscard]] QList<quint64> itemsOf(qint32 ownerProcessId) const;
    [[nodiscard]] std::optional<quint64> find(qint32 ownerProcessId,
                                              const QString &autosaveName) const;
    // Every item, left to right, as the next layout pass will place them.
    [[nodiscard]] QList<quint64> order() const;

    // Lengths above the maximum are cut to it. Screens that do not follow length changes keep
    // the item's width unless the change collapses it (see RestingWidths).
    bool setLength(quint64 itemId, double length);
    bool setTitle(quint64 itemId, const QString &title);
    bool setImage(quint64 itemId, const QImage &image);
    bool setToolTip(quint64 itemId, const QString &toolTip);
    // A hidden button draws nothing and takes no clicks, but the item keeps its place and length.
    bool setButtonHidden(quint64 itemId, bool hidden);
    // Renames the item and moves it to the position remembered under the new name, if any.
    bool setAutosaveName(quint64 itemId, const QString &name);
    // "AXIdentifier"; absent answers "no value".
    bool setIdentifier(quint64 itemId, const std::optional<QString> &identifier);
    // Answers the attribute with this value (of any type, nullopt for "no value") instead of
    // the default.
    bool overrideAttribute(quint64 itemId, const QString &attribute,
                           const std::optional<AXAttributeValue> &value);
    bool resetAttribute(quint64 itemId, const QString &attribute);

    // Moves a movable item to an index among the other movable items, as macOS does when it
    // rearranges the bar by itself.
    bool moveToIndex(quint64 itemId, qsizetype movableIndex);
    // Puts this process's icon ("zorv-icon-v2") directly left of the leftmost of its two
    // separators; false when any of the three is missing.
    bool moveZorvIconLeftOfSeparators();

    [[nodiscard]] std::optional<double> rememberedPosition(const QString &positionKey,
                                                           const QString &autosaveName) const;
    void setRememberedPosition(const QString &positionKey, const QString &autosaveName,
                               double distance);
    // Everything the system remembers.
    [[nodiscard]] RememberedPositions rememberedPositions() const;
    // Remembers where each item of the application stands now, as when it quits.
    void rememberPositionsOf(qint32 ownerProcessId);

    // Steps the item's length through `lengths` every `period` of simulated time, starting
    // with the first after one period, until the item goes or stopCycling() is called: a clock
    // whose text changes width. Main thread.
    void cycleLengths(quint64 itemId, QList<double> lengths, std::chrono::nanoseconds period);
    void stopCycling(quint64 itemId);

private:
    template <typename Fn> bool change(quint64 itemId, Fn &&fn);
    QCoro::Task<> cycle(quint64 itemId, QList<double> lengths, std::chrono::nanoseconds period,
                        CancellationToken token);

    DesktopModel &m_model;
    QHash<quint64, CancellationSource> m_cycles;
};

} // namespace zorv
