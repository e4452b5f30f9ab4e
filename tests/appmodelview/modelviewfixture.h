#pragma once

#include "appmodelharness.h"
#include "modelview.h"

#include <QAbstractItemModel>
#include <QStringList>

namespace zorv {

// A started model on one Mac with the view the windows would get.
class ModelViewFixture {
protected:
    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud, QStringLiteral("Mac")};
    AppModel &model = mac.started();
    ModelView view{model};
};

// One role's values down the rows, as strings.
[[nodiscard]] inline QStringList column(const QAbstractItemModel &list, int role) {
    QStringList values;
    for (int row = 0; row < list.rowCount(); ++row) {
        values.append(list.data(list.index(row, 0), role).toString());
    }
    return values;
}

[[nodiscard]] inline QVariant value(const QAbstractItemModel &list, int row, int role) {
    return list.data(list.index(row, 0), role);
}

} // namespace zorv
