#pragma once

#include <QString>
#include <QVariant>

namespace zorv {

// Stands in for this application's own preferences domain (its standard user defaults). The
// status bar keeps the position of each of the application's status items there, under
// preferredPositionKey() of the item's autosave name: a distance in points from the right end of
// the movable status items. A position written before the item is created (or given that
// autosave name) is where the status bar puts it. Main thread.
class AppPreferences {
public:
    virtual ~AppPreferences() = default;

    [[nodiscard]] static QString preferredPositionKey(const QString &autosaveName) {
        return QStringLiteral("NSStatusItem Preferred Position ") + autosaveName;
    }

    // An invalid QVariant when the key is not set.
    [[nodiscard]] virtual QVariant value(const QString &key) const = 0;
    // An invalid QVariant removes the key.
    virtual void setValue(const QString &key, const QVariant &value) = 0;
};

} // namespace zorv
