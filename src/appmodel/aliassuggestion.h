#pragma once

#include "menubaritem.h"

#include <QHash>
#include <QList>
#include <QString>

namespace zorv {

// The short aliases the search panel proposes for items, so that a few letters find an item even
// when the user has given it no alias: a known application's alias from a built-in table, or
// letters taken from the item's name. The search settings pane shows the same suggestions.
class AliasSuggestion {
public:
    AliasSuggestion() = delete;

    struct Entry {
        MenuBarItem item;
        QString name;
    };

    // Lower-case letters from a name: the first four of a single word, or the initials of the
    // first five words; empty when the name holds no ASCII letter or digit.
    [[nodiscard]] static QString derive(const QString &name);
    // The table's alias for the item's bundle identifier (prefixes, ignoring case), else one
    // derived from the display name, or from the application name when that is empty.
    [[nodiscard]] static QString alias(const MenuBarItem &item, const QString &displayName);
    // One suggestion per stable key, made distinct by numbering repeats ("sl", "sl2", "sl3") in
    // list order; items whose alias comes out empty get none.
    [[nodiscard]] static QHash<QString, QString> unique(const QList<Entry> &entries);
};

} // namespace zorv
