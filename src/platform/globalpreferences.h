#pragma once

#include <QString>
#include <QVariant>

namespace zorv {

// Stands in for the CoreFoundation preferences domain of any application, the current user and
// the current host (the per-host global domain), where the system keeps settings such as
// "NSStatusItemSpacing" and "NSStatusItemSelectionPadding".
//
// Values keep their type: a number stays a number (integer or with a fraction), a string a
// string. Writes reach other applications only after synchronize(), and applications read
// such settings when they launch. Main thread.
class GlobalPreferences {
public:
    virtual ~GlobalPreferences() = default;

    // An invalid QVariant when the key is not set.
    [[nodiscard]] virtual QVariant value(const QString &key) const = 0;
    virtual void setValue(const QString &key, const QVariant &value) = 0;
    virtual void removeValue(const QString &key) = 0;
    // False when the domain could not be written.
    virtual bool synchronize() = 0;
};

} // namespace zorv
