#pragma once

#include "desktopsnapshot.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

namespace zorv {

// The simulated screens for the desktop window, one row per screen in the system's order: its
// name, size and global frame (top-left convention), its bar's height, and what it shows (a
// MacScreenScene, for MacScreenView).
class ScreenListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the desktop view model.")

public:
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

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    void setScreens(const QList<ScreenSnapshot> &screens);

    // "1512 × 982 points, scale 2, camera housing 200 points wide".
    [[nodiscard]] static QString details(const ScreenRecord &screen);

private:
    QList<ScreenSnapshot> m_screens;
};

} // namespace zorv
