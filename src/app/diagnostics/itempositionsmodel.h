#pragma once

#include "desktopsnapshot.h"
#include "models/rowlistmodel.h"
#include "section.h"

#include <QtQml/qqmlregistration.h>

namespace zorv {

// One status item on one screen's bar, as the list beside the drawn bars shows it.
struct ItemPosition {
    // "Laptop (display 1)".
    QString screen;
    DisplayId displayId = 0;
    // The first row of its screen, so the list shows the screen's name above it.
    bool startsScreen = false;
    BarEntry entry;
    // "shown", "hidden", "alwaysHidden", or empty while the engine has not seen the item.
    QString section;

    friend bool operator==(const ItemPosition &, const ItemPosition &) = default;
};

// Every status item's place on every screen's bar, for the list beside the drawn bars: one row
// per item and screen, screens in order and items left to right, with the item's frame (top-left
// convention, as the accessibility interface reports it), why it is not drawn, if it is not, and
// the section the engine puts it in. Rows follow their item on their screen, so an item that
// comes, goes or moves touches only its own row and the rows whose screen heading it shifts.
class ItemPositionsModel : public RowListModel<ItemPosition> {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the desktop view model.")

public:
    // In the order of the role list the rows are read through.
    enum Roles {
        ScreenRole = Qt::UserRole + 1,
        StartsScreenRole,
        ApplicationRole,
        BundleIdRole,
        NameRole,
        XRole,
        WidthRole,
        VisibleRole,
        StateRole,
        SectionRole,
    };
    Q_ENUM(Roles)

    explicit ItemPositionsModel(QObject *parent = nullptr);

    // `sections`: the engine's section per item id (see EngineSections).
    void setScreens(const QList<ScreenSnapshot> &screens,
                    const QHash<quint64, Section> &sections = {});

    // "shown", "off screen", "under the menus", "under the camera housing" or "not drawn".
    [[nodiscard]] static QString state(const BarEntry &entry);
};

} // namespace zorv
