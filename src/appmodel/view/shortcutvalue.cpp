#include "shortcutvalue.h"

#include <QJSValue>
#include <QVariantMap>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// A whole number in [0, limit], from a number or a numeric text QML may hand over.
std::optional<quint64> wholeNumber(const QVariant &value, double limit) {
    if (!value.isValid() || value.typeId() == QMetaType::Bool) {
        return std::nullopt;
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || !std::isfinite(number) || number < 0 || number > limit ||
        std::floor(number) != number) {
        return std::nullopt;
    }
    return quint64(number);
}

} // namespace

QVariant shortcutValue(const std::optional<KeyShortcut> &shortcut) {
    if (!shortcut) {
        return {};
    }
    return QVariantMap{{u"keyCode"_s, int(shortcut->keyCode())},
                       {u"modifiers"_s, double(shortcut->modifiers())}};
}

std::optional<std::optional<KeyShortcut>> shortcutFromValue(const QVariant &input) {
    QVariant value = input;
    if (value.metaType() == QMetaType::fromType<QJSValue>()) {
        value = value.value<QJSValue>().toVariant();
    }
    if (!value.isValid() || value.isNull()) {
        return std::optional<KeyShortcut>();
    }
    if (value.typeId() != QMetaType::QVariantMap) {
        return std::nullopt;
    }
    const QVariantMap map = value.toMap();
    // Masks stay below 2^53, where a JavaScript number is still exact.
    const std::optional<quint64> code = wholeNumber(map.value(u"keyCode"_s), 0xFFFF);
    const std::optional<quint64> modifiers =
        wholeNumber(map.value(u"modifiers"_s), 9007199254740991.0);
    if (!code || !modifiers) {
        return std::nullopt;
    }
    return std::optional(KeyShortcut(quint16(*code), *modifiers));
}

} // namespace zorv
