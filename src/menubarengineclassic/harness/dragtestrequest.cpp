#include "dragtestrequest.h"

#include "decodeerror.h"
#include "jsonreader.h"
#include "storage/wholefile.h"

#include <QFile>
#include <QJsonArray>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How far an item's middle must move for a drag to count as taken.
constexpr double tookThreshold = 6.0;

// 2^32: the first value a 32-bit wait cannot hold.
constexpr double waitLimit = 4294967296.0;

using WaitField = quint32 MoveCoordinator::Gesture::*;

struct WaitOverride {
    QString key;
    WaitField field;
};

const QList<WaitOverride> &waitOverrides() {
    static const QList<WaitOverride> overrides{
        {u"hold"_s, &MoveCoordinator::Gesture::holdBeforeMove},
        {u"stepDelay"_s, &MoveCoordinator::Gesture::stepDelay},
        {u"dwell"_s, &MoveCoordinator::Gesture::dwell},
        {u"warpSettle"_s, &MoveCoordinator::Gesture::warpSettle},
        {u"keySettle"_s, &MoveCoordinator::Gesture::keySettle},
        {u"preUpSettle"_s, &MoveCoordinator::Gesture::preUpSettle},
        {u"postUpSettle"_s, &MoveCoordinator::Gesture::postUpSettle},
    };
    return overrides;
}

std::optional<double> number(const QJsonObject &request, const QString &key) {
    const QJsonValue value = request.value(key);
    return value.isDouble() ? std::optional(value.toDouble()) : std::nullopt;
}

std::optional<QString> text(const QJsonObject &request, const QString &key) {
    const QJsonValue value = request.value(key);
    return value.isString() ? std::optional(value.toString()) : std::nullopt;
}

void readSingleDrag(const QJsonObject &request, DragTestRequest &drag) {
    QStringList rejected;
    drag.variant = text(request, u"variant"_s).value_or(drag.variant);
    drag.gesture = DragTestRequest::variantGesture(drag.variant);
    if (const auto deltaX = number(request, u"deltaX"_s)) {
        drag.deltaX = *deltaX;
        if (!std::isfinite(*deltaX) || std::abs(*deltaX) > DragTestRequest::maximumDistance) {
            rejected.append(u"deltaX"_s);
        }
    }
    for (const WaitOverride &wait : waitOverrides()) {
        if (const auto value = number(request, wait.key)) {
            if (std::isfinite(*value) && *value >= 0.0 && *value < waitLimit) {
                drag.gesture.*wait.field = static_cast<quint32>(*value);
            } else {
                rejected.append(wait.key);
            }
        }
    }
    const auto stepPx = number(request, u"stepPx"_s);
    if (stepPx) {
        if (std::isfinite(*stepPx) && *stepPx > 0.0) {
            drag.gesture.stepPx = *stepPx;
        } else {
            rejected.append(u"stepPx"_s);
        }
    }
    if (!rejected.contains(u"deltaX"_s) && !rejected.contains(u"stepPx"_s) &&
        !MoveCoordinator::stepsPerLeg(MoveCoordinator::longestLeg(drag.deltaX),
                                      drag.gesture.stepPx)) {
        rejected.append(stepPx ? u"stepPx"_s : u"deltaX"_s);
    }
    if (!rejected.isEmpty()) {
        rejected.sort();
        drag.rejected = rejected;
        drag.form = DragTestRequest::Form::invalidDrag;
    }
}

} // namespace

std::optional<DragTestRequest> DragTestRequest::take(const QString &path) {
    const std::optional<QByteArray> bytes = readWholeFile(path);
    QFile::remove(path);
    if (!bytes) {
        return std::nullopt;
    }
    try {
        const QJsonValue document = parseJson(*bytes);
        return document.isObject() ? fromJson(document.toObject()) : std::nullopt;
    } catch (const DecodeError &) {
        return std::nullopt;
    }
}

std::optional<DragTestRequest> DragTestRequest::fromJson(const QJsonObject &request) {
    DragTestRequest result;
    if (const auto command = text(request, u"command"_s)) {
        result.form = Form::command;
        result.command = *command;
        const QJsonValue batch = request.value(u"batch"_s);
        result.batch = batch.isBool() ? batch.toBool() : true;
        return result;
    }
    const auto bundleID = text(request, u"bundleID"_s);
    if (!bundleID) {
        return std::nullopt;
    }
    result.form = Form::singleDrag;
    result.bundleID = *bundleID;
    readSingleDrag(request, result);
    return result;
}

MoveCoordinator::Gesture DragTestRequest::variantGesture(const QString &variant) {
    if (variant == u"commandKey"_s) {
        return MoveCoordinator::Gesture::commandKey;
    }
    // Long holds and one-point-ish steps, as a careful hand drags; "both" adds the key.
    MoveCoordinator::Gesture humanLike{false, 250000, 6.0,   12000, 120000,
                                       15000, 10000,  15000, 8000};
    if (variant == u"humanLike"_s) {
        return humanLike;
    }
    if (variant == u"both"_s) {
        humanLike.commandViaKeyboard = true;
        return humanLike;
    }
    return MoveCoordinator::Gesture::standard;
}

QJsonObject DragTestRequest::record() const {
    QJsonObject result{{u"kind"_s, u"drag-test"_s},
                       {u"item"_s, bundleID},
                       {u"variant"_s, variant},
                       {u"deltaX"_s, std::isfinite(deltaX) ? QJsonValue(deltaX) : QJsonValue()}};
    if (form == Form::invalidDrag) {
        result.insert(u"outcome"_s, u"invalid request"_s);
        result.insert(u"rejected"_s, QJsonArray::fromStringList(rejected));
    }
    return result;
}

QJsonObject DragTestRequest::notOnBarRecord() const {
    QJsonObject result = record();
    result.insert(u"outcome"_s, u"item not on the bar"_s);
    return result;
}

QJsonObject DragTestRequest::measuredRecord(const QJsonObject &before, const QJsonObject &after,
                                            qint64 dragMs, double fromX,
                                            std::optional<double> afterX) const {
    QJsonObject result = record();
    result.insert(u"before"_s, before);
    result.insert(u"after"_s, after);
    result.insert(u"dragMs"_s, dragMs);
    result.insert(u"fromX"_s, fromX);
    result.insert(u"toX"_s, fromX + deltaX);
    result.insert(u"afterX"_s, afterX.value_or(-1.0));
    result.insert(u"took"_s, afterX && std::abs(*afterX - fromX) > tookThreshold);
    return result;
}

} // namespace zorv
