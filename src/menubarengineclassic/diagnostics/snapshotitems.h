#pragma once

#include "menubaritem.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

namespace zorv {

// The "items" list of the engine's snapshot, one object per published item. Building a JSON
// object costs far more than comparing the few fields it shows, and from one scan to the next
// most items show the same, so each object is built again only when its fields changed. Main
// thread only.
class SnapshotItems {
public:
    // The list for the items as last published, in their order.
    [[nodiscard]] const QJsonArray &update(const QList<MenuBarItem> &items);

private:
    struct Shown {
        QString name;
        QString bundleID;
        QString title;
        Section section = Section::shown;
        double midX = 0.0;
        double width = 0.0;
        bool dormant = false;

        friend bool operator==(const Shown &, const Shown &) = default;
    };

    QList<Shown> m_shown;
    QList<QJsonObject> m_objects;
    QJsonArray m_list;
};

} // namespace zorv
