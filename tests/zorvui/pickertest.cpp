#include "controls/pickermodel.h"
#include "kitscene.h"
#include "look/zorvpalette.h"

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

#include <tuple>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QVariantList optionsOf(const QVariantList &values) {
    QVariantList options;
    for (const QVariant &value : values) {
        options.append(QVariantMap{{u"value"_s, value}, {u"label"_s, value.toString()}});
    }
    return options;
}

TEST(PickerModelTest, WalksTheRowsWithTheKeyboard) {
    const QVariantList abc{u"A"_s, u"B"_s, u"C"_s}, ab{u"A"_s, u"B"_s};
    const QVariantList withNull{u"A"_s, QVariant::fromValue(nullptr)};
    const struct {
        const char *name;
        QVariantList values;
        bool extra;
        QVariant selection;
        QList<int> steps;
        int highlighted;
    } cases[] = {
        {"opens on the selection, Down Down wraps to A", abc, false, u"B"_s, {1, 1}, 0},
        {"Up from the first row goes to the last", abc, false, u"A"_s, {-1}, 2},
        {"Down from the last option reaches the extra row", abc, true, u"C"_s, {1}, 3},
        {"Up from the first row reaches the extra row", ab, true, u"A"_s, {-1}, 2},
        {"no match opens on row 0", ab, false, u"Z"_s, {}, 0},
        {"a null selection matches a null option", withNull, false, QVariant(), {}, 1},
        {"no rows: the arrows do nothing", {}, false, u"A"_s, {1, -1, 1}, 0},
    };
    for (const auto &c : cases) {
        PickerModel model;
        model.setOptions(optionsOf(c.values));
        model.setHasExtra(c.extra);
        model.setSelection(c.selection);
        model.toggle();
        EXPECT_TRUE(model.isPresented()) << c.name;
        for (int step : c.steps) {
            model.move(step);
        }
        EXPECT_EQ(model.highlighted(), c.highlighted) << c.name;
    }
}

TEST(PickerModelTest, ChoosesOptionsAndTheExtraRow) {
    PickerModel model;
    model.setOptions(optionsOf({u"A"_s, u"B"_s, u"C"_s}));
    model.setHasExtra(true);
    model.setSelection(u"C"_s);
    QSignalSpy chosen(&model, &PickerModel::chosen);
    QSignalSpy extra(&model, &PickerModel::extraChosen);

    model.toggle();
    model.move(1);
    model.choose(model.highlighted());
    EXPECT_FALSE(model.isPresented());
    EXPECT_EQ(extra.size(), 1) << "Return on the extra row runs the extra action";
    EXPECT_EQ(model.selection(), QVariant(u"C"_s));

    model.toggle();
    model.choose(0);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(model.selection(), QVariant(u"A"_s));
    EXPECT_EQ(model.highlighted(), 2) << "kept until the next opening";

    model.toggle();
    EXPECT_EQ(model.highlighted(), 0);
    model.toggle();
    EXPECT_FALSE(model.isPresented()) << "a second click closes";
    model.choose(99);
    EXPECT_EQ(extra.size(), 2) << "an index beyond the options acts as the extra row";

    model.setHasExtra(false);
    model.choose(99);
    EXPECT_EQ(extra.size(), 2);
}

TEST(PickerModelTest, ShowsTheFirstMatchOrThePlaceholder) {
    PickerModel model;
    model.setPlaceholder(u"Choose an app"_s);
    model.setOptions({QVariantMap{{u"value"_s, 1}, {u"label"_s, u"One"_s}, {u"icon"_s, u"a.png"_s}},
                      QVariantMap{{u"value"_s, 1}, {u"label"_s, u"Uno"_s}}});
    const auto shown = [&] {
        return std::tuple(model.isPlaceholder(), model.currentLabel(), model.currentIcon());
    };
    EXPECT_EQ(shown(), std::tuple(true, u"Choose an app"_s, QVariant()));
    model.setSelection(1);
    EXPECT_EQ(shown(), std::tuple(false, u"One"_s, QVariant(u"a.png"_s)));
    EXPECT_TRUE(model.isSelected(0) && model.isSelected(1))
        << "both equal rows carry the checkmark";
    model.toggle();
    EXPECT_EQ(model.highlighted(), 0);
}

TEST(PickerModelTest, SizesTheListFromTheOptionCount) {
    const struct {
        int options;
        bool extra;
        qreal width;
        QSizeF list;
    } cases[] = {
        {3, false, 200, {260, 108}},  {3, true, 300, {300, 146}}, {10, false, 260, {260, 332}},
        {11, false, 260, {260, 340}}, {0, false, 100, {260, 12}}, {0, true, 100, {260, 50}},
    };
    for (const auto &c : cases) {
        PickerModel model;
        QVariantList values;
        for (int i = 0; i < c.options; ++i) {
            values.append(i);
        }
        model.setOptions(optionsOf(values));
        model.setHasExtra(c.extra);
        model.setWidth(c.width);
        EXPECT_EQ(QSizeF(model.listWidth(), model.listHeight()), c.list)
            << c.options << " options, width " << c.width;
    }
}

const QString pickerScene = uR"(
import QtQuick
import Zorv.UI

Rectangle {
    color: Zorv.paper
    property int extraRuns: 0
    ZorvPicker {
        objectName: "picker"
        x: 20; y: 20; width: 200
        title: "App"
        placeholder: "Choose an app"
        selection: "b"
        options: [
            { value: "a", label: "Safari" }, { value: "b", label: "Mail" },
            { value: "c", label: "Notes" }, { value: "d", label: "Calendar" },
            { value: "e", label: "Music" }, { value: "f", label: "Maps" },
            { value: "g", label: "Photos" }, { value: "h", label: "Xcode" },
            { value: "i", label: "Finder" }, { value: "j", label: "Books" },
            { value: "k", label: "Terminal" }
        ]
        extraLabel: "Other App…"
        extraAction: function() { parent.extraRuns += 1 }
    }
    ZorvPicker {
        x: 20; y: 440; width: 200
        title: "Profile"
        placeholder: "Choose a profile"
        options: []
        enabled: false
    }
}
)"_s;

class PickerRenderingTest : public ::testing::TestWithParam<Look> {};

TEST_P(PickerRenderingTest, OpensBelowTheFieldAndTakesKeys) {
    KitScene scene(GetParam().dark);
    ASSERT_TRUE(scene.load(pickerScene, QSize(340, 480)));
    QQuickItem *picker = scene.find(u"picker"_s);
    ASSERT_TRUE(picker);
    EXPECT_EQ(picker->width(), 200);
    const auto clickField = [&] {
        QTest::mouseClick(&scene.view, Qt::LeftButton, {},
                          picker->mapToScene(QPointF(20, 10)).toPoint());
    };
    clickField();
    ASSERT_TRUE(picker->property("presented").toBool());
    EXPECT_EQ(picker->property("highlightedRow").toInt(), 1);
    QTest::keyClick(&scene.view, Qt::Key_Down);
    QTest::keyClick(&scene.view, Qt::Key_Down);
    EXPECT_EQ(picker->property("highlightedRow").toInt(), 3);
    const QImage open = scene.grab(u"picker-open-"_s + QLatin1String(GetParam().name));
    const QString appearance = scene.appearance.effectiveAppearanceName();
    QColor highlight = ZorvPalette::resolve(ZorvPalette::Role::Honey, appearance);
    const QColor paper = ZorvPalette::resolve(ZorvPalette::Role::Paper, appearance);
    // The highlighted row: honey at a quarter over paper.
    highlight = QColor::fromRgbF(highlight.redF() * 0.25f + paper.redF() * 0.75f,
                                 highlight.greenF() * 0.25f + paper.greenF() * 0.75f,
                                 highlight.blueF() * 0.25f + paper.blueF() * 0.75f);
    EXPECT_GT(countPixels(open, highlight, 3, QRect(20, 60, 260, 340)), 2000);

    QTest::keyClick(&scene.view, Qt::Key_Return);
    EXPECT_FALSE(picker->property("presented").toBool());
    EXPECT_EQ(picker->property("selection").toString(), u"d"_s);

    // Escape closes without choosing; Return on the extra row runs its action.
    clickField();
    QTest::keyClick(&scene.view, Qt::Key_Escape);
    EXPECT_FALSE(picker->property("presented").toBool());
    EXPECT_EQ(picker->property("selection").toString(), u"d"_s);
    clickField();
    for (int press = 0; press < 4; ++press) {
        QTest::keyClick(&scene.view, Qt::Key_Up);
    }
    EXPECT_EQ(picker->property("highlightedRow").toInt(), 11) << "from D up round to the extra row";
    QTest::keyClick(&scene.view, Qt::Key_Return);
    EXPECT_EQ(scene.view.rootObject()->property("extraRuns").toInt(), 1);

    // Opening on the eleventh option scrolls it into view; a click outside closes the list.
    picker->setProperty("selection", u"k"_s);
    clickField();
    scene.clock.settle();
    QQuickItem *list = scene.find(u"pickerList"_s);
    ASSERT_TRUE(list);
    EXPECT_GT(list->property("contentY").toReal(), 0);
    QTest::mouseClick(&scene.view, Qt::LeftButton, {}, QPoint(320, 20));
    EXPECT_FALSE(picker->property("presented").toBool());
    EXPECT_EQ(picker->property("selection").toString(), u"k"_s);
    scene.grab(u"picker-closed-"_s + QLatin1String(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(Appearances, PickerRenderingTest, bothLooks, lookName);

} // namespace
} // namespace zorv
