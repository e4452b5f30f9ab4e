#include "snapshotitems.h"

using namespace Qt::StringLiterals;

namespace zorv {

const QJsonArray &SnapshotItems::update(const QList<MenuBarItem> &items) {
    QList<Shown> shown;
    shown.reserve(items.size());
    for (const MenuBarItem &item : items) {
        shown.append({item.appName, item.id.bundleID, item.id.title.value_or(QString()),
                      item.section, item.frame.center().x(), item.frame.width(), item.isDormant});
    }
    if (shown == m_shown) {
        return m_list;
    }
    QList<QJsonObject> objects;
    objects.reserve(shown.size());
    QJsonArray list;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        const Shown &entry = shown.at(i);
        if (i < m_shown.size() && m_shown.at(i) == entry) {
            objects.append(m_objects.at(i));
        } else {
            objects.append(QJsonObject{{u"name"_s, entry.name},
                                       {u"bundleID"_s, entry.bundleID},
                                       {u"title"_s, entry.title},
                                       {u"section"_s, rawValue(entry.section)},
                                       {u"midX"_s, entry.midX},
                                       {u"width"_s, entry.width},
                                       {u"dormant"_s, entry.dormant}});
        }
        list.append(objects.last());
    }
    m_shown = std::move(shown);
    m_objects = std::move(objects);
    m_list = std::move(list);
    return m_list;
}

} // namespace zorv
