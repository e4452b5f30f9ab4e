#pragma once

#include "menubaritem.h"

#include <QAbstractListModel>
#include <QList>
#include <QtQml/qqmlregistration.h>

namespace zorv {

// The app model's items section by section, for the list in the desktop window: shown, then
// hidden, then always hidden, each in the order the user wants, one row per item.
class SectionedItemsModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the desktop view model.")

public:
    enum Roles {
        // "shown", "hidden" or "alwaysHidden".
        SectionRole = Qt::UserRole + 1,
        // "Shown", "Hidden" or "Always hidden", for the heading above a section's first row.
        SectionTitleRole,
        StartsSectionRole,
        ApplicationRole,
        NameRole,
        DormantRole,
    };
    Q_ENUM(Roles)

    struct SectionItems {
        Section section;
        QList<MenuBarItem> items;
    };

    explicit SectionedItemsModel(QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    // Replaces the rows; only a change in the number of rows resets the list.
    void setSections(const QList<SectionItems> &sections);

private:
    struct Row {
        Section section;
        QString application;
        QString name;
        bool dormant;

        friend bool operator==(const Row &, const Row &) = default;
    };

    QList<Row> m_rows;
};

} // namespace zorv
