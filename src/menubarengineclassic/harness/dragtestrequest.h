#pragma once

#include "drag/movecoordinator.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorv {

// One request to the drag test hook: a JSON object dropped as "drag-test.json" in the app
// folder, taken (read and deleted) at a scan. Either a command (separator collapse, icon hide and
// show, a reconcile pass on demand, a reversed hidden section, a scramble-and-restore benchmark)
// or a single drag of one application's item by `deltaX` points with a chosen gesture.
//
// A key of the wrong type counts as absent. A single drag whose numbers cannot be used (not
// finite, negative waits, waits beyond 32 bits, a distance beyond a million points, a step
// length that gives no step count) is not carried out: its record says "invalid request".
struct DragTestRequest {
    enum class Form { command, singleDrag, invalidDrag };

    static inline const QString fileName = QStringLiteral("drag-test.json");
    static inline const QString resultFileName = QStringLiteral("drag-test-result.json");
    static constexpr double defaultDeltaX = 60.0;
    static constexpr double maximumDistance = 1.0e6;

    Form form = Form::command;
    // Command form; `batch` is what "bench-sort" runs with.
    QString command;
    bool batch = true;
    // Single-drag form.
    QString bundleID;
    QString variant = QStringLiteral("standard");
    double deltaX = defaultDeltaX;
    MoveCoordinator::Gesture gesture = MoveCoordinator::Gesture::standard;
    // Invalid form: the keys whose values were refused, sorted.
    QStringList rejected;

    // Reads the request file at `path` and deletes it (a failed delete is ignored). None when
    // the file cannot be read, is not JSON or not an object, or names neither a "command" nor a
    // "bundleID".
    [[nodiscard]] static std::optional<DragTestRequest> take(const QString &path);
    [[nodiscard]] static std::optional<DragTestRequest> fromJson(const QJsonObject &request);

    // The named gesture set: "commandKey", "humanLike", "both"; any other name the standard one.
    [[nodiscard]] static MoveCoordinator::Gesture variantGesture(const QString &variant);

    // The start of the drag's "drag-test" record: "kind", "item", "variant", "deltaX" (null
    // when not finite); an invalid request's is complete, with "outcome" "invalid request" and
    // "rejected".
    [[nodiscard]] QJsonObject record() const;
    // The record when no item of the application has a width on the bar.
    [[nodiscard]] QJsonObject notOnBarRecord() const;
    // The record of a drag carried out: the bar before and after, how long the drag took, and
    // where the item's middle went (`afterX` absent when the item is gone). It took when the
    // middle moved more than 6 points.
    [[nodiscard]] QJsonObject measuredRecord(const QJsonObject &before, const QJsonObject &after,
                                             qint64 dragMs, double fromX,
                                             std::optional<double> afterX) const;
};

} // namespace zorv
