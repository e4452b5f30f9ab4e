#include "statusitemspacing.h"

#include <QMetaType>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

const QString kSpacingKey = u"NSStatusItemSpacing"_s;
constexpr double kSystemSpacing = 16.0;

bool isNumber(const QVariant &value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

} // namespace

double launchStatusItemSpacing(const QVariant &stored) {
    if (!isNumber(stored)) {
        return kSystemSpacing;
    }
    const double spacing = stored.toDouble();
    return std::isfinite(spacing) && spacing >= 0.0 ? spacing : kSystemSpacing;
}

void linkStatusItemSpacing(SimGlobalPreferences &preferences, ApplicationRegistry &applications) {
    applications.setStatusItemSpacing(
        launchStatusItemSpacing(preferences.storedValue(kSpacingKey)));
    preferences.setOnStoredChange([&applications](const QString &key, const QVariant &value) {
        if (key == kSpacingKey) {
            applications.setStatusItemSpacing(launchStatusItemSpacing(value));
        }
    });
}

} // namespace zorv
