#include "menus/trailingmenurow.h"
#include "keycaps/keycapdrawing.h"
#include "kitscene.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QQuickItem>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(TrailingMenuRowTest, NeedsRoomForTitleGapCapsAndInsets) {
    const QFontMetricsF metrics(TrailingMenuRow::menuFont());
    const struct {
        QString title;
        QStringList keys;
    } cases[] = {
        {u"Settings…"_s, {u"⌘"_s, u","_s}},
        {u"Quit Zorv"_s, {u"⌘"_s, u"Q"_s}},
        {u"Search Menu Bar"_s, {u"⌃"_s, u"⌥"_s, u"⌘"_s, u"Space"_s}},
        {u"About Zorv"_s, {}},
        {u""_s, {}},
    };
    for (const auto &c : cases) {
        const qreal caps = KeyCapDrawing::size(c.keys, 14, KeyCapDrawing::Weight::Menu).width();
        EXPECT_EQ(TrailingMenuRow::requiredWidth(c.title, c.keys),
                  std::ceil(metrics.horizontalAdvance(c.title) + 37.5 + 24 + caps + 21))
            << c.title.toStdString();
    }
    // An empty key list still reserves the insets and the gap.
    EXPECT_EQ(TrailingMenuRow::requiredWidth(u""_s, {}), 83);
}

TEST(TrailingMenuRowTest, DrawsHighlightAndClosesTheMenuBeforeTheAction) {
    KitScene scene;
    ASSERT_TRUE(scene.load(uR"(
import QtQuick
import Zorv.UI
Rectangle {
    color: "white"
    Column {
        y: 4
        TrailingMenuRow {
            objectName: "settings"; width: 260; height: 24
            title: "Settings…"; symbol: "clock"; keys: ["⌘", ","]
            textColor: "black"; selectionColor: "#0a64d6"; selectedTextColor: "white"
        }
        TrailingMenuRow {
            objectName: "about"; width: 260; height: 24; highlighted: true
            title: "About Zorv"; symbol: "info.circle"; trailingText: "1.4.2"
            textColor: "black"; selectionColor: "#0a64d6"; selectedTextColor: "white"
        }
    }
}
)"_s,
                           QSize(270, 60)));
    QQuickItem *settings = scene.find(u"settings"_s);
    QQuickItem *about = scene.find(u"about"_s);
    ASSERT_TRUE(settings && about);
    const QImage picture = scene.grab(u"menu-rows"_s);
    const QColor selection(u"#0a64d6"_s);
    EXPECT_EQ(countPixels(picture, selection, 2, QRect(0, 4, 270, 24)), 0);
    EXPECT_GT(countPixels(picture, selection, 2, QRect(0, 28, 270, 24)), 4000);
    // Caps at the trailing edge: ink in the last 60 points of the first row, none in the inset.
    EXPECT_LT(countPixels(picture, Qt::white, 10, QRect(200, 6, 39, 20)), 39 * 20 - 10);
    EXPECT_EQ(countPixels(picture, Qt::white, 10, QRect(241, 4, 18, 24)), 18 * 24);
    // The highlight leaves 5 points on each side.
    EXPECT_EQ(countPixels(picture, Qt::white, 2, QRect(0, 28, 5, 24)), 5 * 24);

    QStringList order;
    auto *row = qobject_cast<TrailingMenuRow *>(settings);
    ASSERT_TRUE(row);
    QObject::connect(row, &TrailingMenuRow::closeMenuRequested, [&] { order << u"close"_s; });
    QObject::connect(row, &TrailingMenuRow::triggered, [&] { order << u"action"_s; });
    QTest::mouseClick(&scene.view, Qt::LeftButton, {}, QPoint(60, 14));
    EXPECT_EQ(order, (QStringList{u"close"_s, u"action"_s}));
}

} // namespace
} // namespace zorv
