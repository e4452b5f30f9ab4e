#pragma once

#include "settings/appearance.h"

#include <QObject>
#include <QtQmlIntegration>

namespace zorv {

// The menu-bar look as a QML value type: panes read `view.appearance.tintHex`, and assigning a
// field (`view.appearance.tintOpacity = 0.4`) writes the whole look back through the model.
class AppearanceValue {
    Q_GADGET
    QML_VALUE_TYPE(appearance)
    Q_PROPERTY(bool tintEnabled MEMBER tintEnabled)
    Q_PROPERTY(QString tintHex MEMBER tintHex)
    Q_PROPERTY(double tintOpacity MEMBER tintOpacity)
    Q_PROPERTY(bool borderEnabled MEMBER borderEnabled)
    Q_PROPERTY(bool shadowEnabled MEMBER shadowEnabled)
    Q_PROPERTY(double cornerRadius MEMBER cornerRadius)

public:
    AppearanceValue() = default;
    explicit AppearanceValue(const Appearance &appearance);
    [[nodiscard]] Appearance toAppearance() const;

    // A "#" and six hexadecimal digits, an opacity from 0 to 1 and a radius of 0 or more; what
    // fails is never stored.
    [[nodiscard]] Q_INVOKABLE bool isValid() const;

    bool tintEnabled = false;
    QString tintHex;
    double tintOpacity = 0;
    bool borderEnabled = false;
    bool shadowEnabled = false;
    double cornerRadius = 0;

    friend bool operator==(const AppearanceValue &, const AppearanceValue &) = default;
};

} // namespace zorv
