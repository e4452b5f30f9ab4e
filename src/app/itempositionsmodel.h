#pragma once

#include "desktopsnapshot.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

namespace zorv {

// Every status item's place on every screen's bar, for the list beside the drawn bars: one row
// per item and screen, screens in order and items left to right, with the item's frame (top-left
// convention, as the accessibility interface reports it) and why it is not drawn, if it is not.
class ItemPositionsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the desktop view model.")

public:
    enum Roles {
        ScreenRole = Qt::UserRole + 1,
        // The row is the first of its screen, so the list shows the screen's name above it.
        StartsScreenRole,
        ApplicationRole,
        BundleIdRole,
        NameRole,
        XRole,
        WidthRole,
        VisibleRole,
        StateRole,
    };
    Q_ENUM(Roles)

    explicit ItemPositionsModel(QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    void setScreens(const QList<ScreenSnapshot> &screens);

    // "shown", "off screen", "under the menus", "under the camera housing" or "not drawn".
    [[nodiscard]] static QString state(const BarEntry &entry);

private:
    struct Row {
        QString screen;
        BarEntry entry;

        friend bool operator==(const Row &, const Row &) = default;
    };

    QList<Row> m_rows;
};

} // namespace zorv
