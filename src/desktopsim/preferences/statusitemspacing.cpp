#include "statusitemspacing.h"

#include "statusbar.h"

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
    // A gap longer than any item can be is as unreadable as a negative one; it would also push
    // the bar's left end beyond what a double holds after a few items.
    return std::isfinite(spacing) && spacing >= 0.0 && spacing <= StatusBar::maximumLength
               ? spacing
               : kSystemSpacing;
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
