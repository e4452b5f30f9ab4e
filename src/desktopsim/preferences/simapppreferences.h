#pragma once

#include "apppreferences.h"
#include "model/desktopmodel.h"

#include <QHash>

namespace zorv {

// The preferences domain of the simulated desktop's own process. Preferred-position keys are
// the positions the system remembers for the process's status items (the same entries a
// Command-drag or quitting writes, see ItemOrder); a number written there places the item that
// is next given that autosave name. Other keys live only here. Main thread.
class SimAppPreferences final : public AppPreferences {
public:
    explicit SimAppPreferences(DesktopModel &model);

    [[nodiscard]] QVariant value(const QString &key) const override;
    // A preferred position that is not a finite number removes the remembered position.
    void setValue(const QString &key, const QVariant &value) override;

private:
    DesktopModel &m_model;
    QHash<QString, QVariant> m_values;
};

} // namespace zorv
