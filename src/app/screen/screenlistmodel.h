#pragma once

#include "desktopsnapshot.h"
#include "models/rowlistmodel.h"

#include <QtQml/qqmlregistration.h>

namespace zorv {

// The simulated screens for the desktop window, one row per screen in the system's order: its
// name, size and global frame (top-left convention), its bar's height, and what it shows (a
// MacScreenScene, for MacScreenView). Rows follow their display, so a display plugged in or out
// leaves the other screens' rows as they are.
class ScreenListModel : public RowListModel<ScreenSnapshot> {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the desktop view model.")

public:
    // In the order of the role list the rows are read through.
    enum Roles {
        DisplayIdRole = Qt::UserRole + 1,
        NameRole,
        WidthRole,
        HeightRole,
        FrameRole,
        BarHeightRole,
        SceneRole,
        ActiveRole,
        DetailsRole,
    };
    Q_ENUM(Roles)

    explicit ScreenListModel(QObject *parent = nullptr);

    void setScreens(const QList<ScreenSnapshot> &screens) { setRows(screens); }

    // "1512 × 982 points, scale 2, camera housing 200 points wide".
    [[nodiscard]] static QString details(const ScreenRecord &screen);
};

} // namespace zorv
