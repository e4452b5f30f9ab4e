#include "items/menubaritemdrag.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <QUrl>

#include <tuple>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(MenuBarItemDragTest, RoundTripsAnItemIdWithOrWithoutItsOptionalFields) {
    const MenuBarItemID ids[] = {
        {u"com.example.app"_s, std::nullopt, std::nullopt, 0},
        {u"com.example.app"_s, u"status.1"_s, u"Title with \"quotes\" and ⌘"_s, 3},
        {u"com.apple.controlcenter"_s, u""_s, u""_s, 12},
    };
    for (const MenuBarItemID &id : ids) {
        const auto data = MenuBarItemDrag::mimeData(id);
        ASSERT_TRUE(MenuBarItemDrag::accepts(*data));
        const auto back = MenuBarItemDrag::fromMimeData(*data);
        ASSERT_TRUE(back);
        // Equality ignores the title and more; the payload keeps every field.
        EXPECT_EQ(std::tie(back->bundleID, back->axIdentifier, back->title, back->ordinal),
                  std::tie(id.bundleID, id.axIdentifier, id.title, id.ordinal));
    }
}

TEST(MenuBarItemDragTest, RefusesDataOfAnyOtherKind) {
    QMimeData text;
    text.setText(u"{\"bundleID\":\"com.example.app\",\"ordinal\":0}"_s);
    EXPECT_FALSE(MenuBarItemDrag::accepts(text));
    EXPECT_FALSE(MenuBarItemDrag::fromMimeData(text));

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(u"/tmp/a.json"_s)});
    EXPECT_FALSE(MenuBarItemDrag::fromMimeData(files));

    for (const QByteArray &junk : {QByteArray("not json"), QByteArray("[]"),
                                   QByteArray("{\"ordinal\":0}"), QByteArray("{}")}) {
        QMimeData data;
        data.setData(MenuBarItemDrag::mimeType, junk);
        EXPECT_FALSE(MenuBarItemDrag::fromMimeData(data)) << junk.toStdString();
    }
}

} // namespace
} // namespace zorv
