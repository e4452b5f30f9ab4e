#pragma once

#include "desktopsnapshot.h"
#include "section.h"

#include <QAbstractListModel>
#include <QtQml/qqmlregistration.h>

namespace zorv {

// Every status item's place on every screen's bar, for the list beside the drawn bars: one row
// per item and screen, screens in order and items left to right, with the item's frame (top-left
// convention, as the accessibility interface reports it), why it is not drawn, if it is not, and
// the section the engine puts it in.
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
        // "shown", "hidden", "alwaysHidden", or empty while the engine has not seen the item.
        SectionRole,
    };
    Q_ENUM(Roles)

    explicit ItemPositionsModel(QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    // `sections`: the engine's section per item id (see EngineSections).
    void setScreens(const QList<ScreenSnapshot> &screens,
                    const QHash<quint64, Section> &sections = {});

    // "shown", "off screen", "under the menus", "under the camera housing" or "not drawn".
    [[nodiscard]] static QString state(const BarEntry &entry);

private:
    struct Row {
        QString screen;
        BarEntry entry;
        QString section;

        friend bool operator==(const Row &, const Row &) = default;
    };

    QList<Row> m_rows;
};

} // namespace zorv
