#include "diagnostics/snapshotitems.h"

#include <QJsonObject>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

MenuBarItem itemAt(const QString &bundleID, double left, Section section = Section::shown) {
    return MenuBarItem{MenuBarItemID{bundleID, u"item"_s, u"Title"_s, 0},
                       7,
                       u"App"_s,
                       QRectF(left, 0, 20, 24),
                       std::nullopt,
                       std::nullopt,
                       section,
                       false,
                       false,
                       false};
}

// Whatever it kept from the last scan, the list shows every item as it stands now.
TEST(SnapshotItemsTest, ShowsEachItemAsItStandsNow) {
    SnapshotItems snapshot;
    QList<MenuBarItem> items{itemAt(u"com.example.a"_s, 100), itemAt(u"com.example.b"_s, 140)};
    const QJsonArray first = snapshot.update(items);
    ASSERT_EQ(first.size(), 2);
    EXPECT_EQ(first.at(1).toObject(), (QJsonObject{{u"name"_s, u"App"_s},
                                                   {u"bundleID"_s, u"com.example.b"_s},
                                                   {u"title"_s, u"Title"_s},
                                                   {u"section"_s, rawValue(Section::shown)},
                                                   {u"midX"_s, 150.0},
                                                   {u"width"_s, 20.0},
                                                   {u"dormant"_s, false}}));
    EXPECT_EQ(snapshot.update(items), first);

    const struct {
        const char *what;
        std::function<void(QList<MenuBarItem> &)> change;
    } changes[] = {
        {"moved", [](auto &list) { list[0].frame.moveLeft(60); }},
        {"section", [](auto &list) { list[1].section = Section::hidden; }},
        {"dormant", [](auto &list) { list[1].isDormant = true; }},
        {"title", [](auto &list) { list[0].id.title.reset(); }},
        {"added", [](auto &list) { list.prepend(itemAt(u"com.example.c"_s, 20)); }},
        {"removed", [](auto &list) { list.removeFirst(); }},
    };
    for (const auto &c : changes) {
        c.change(items);
        SnapshotItems fresh;
        EXPECT_EQ(snapshot.update(items), fresh.update(items)) << c.what;
    }
}

} // namespace
} // namespace zorv
