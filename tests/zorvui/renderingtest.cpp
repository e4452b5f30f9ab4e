#include "controls/mackeys.h"
#include "items/itempictures.h"
#include "kit/zorvkit.h"
#include "kitscene.h"
#include "look/zorvstyle.h"
#include "menus/trailingmenurow.h"
#include "settings/keyshortcut.h"
#include "symbols/symbolglyphs.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

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
        // Eleven options, valued "a" to "k".
        options: "Safari Mail Notes Calendar Music Maps Photos Xcode Finder Books Terminal"
            .split(" ").map((label, i) => ({ value: "abcdefghijk"[i], label: label }))
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
    QColor highlight = ZorvStyle::resolve(ZorvStyle::Role::Honey, appearance);
    const QColor paper = ZorvStyle::resolve(ZorvStyle::Role::Paper, appearance);
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
    scene.grab(u"picker-scrolled-"_s + QLatin1String(GetParam().name));

    // The open list shows the choice made, never an earlier one.
    // Delegates hang in the item tree only.
    const std::function<QQuickItem *(QQuickItem *, const QString &)> findItem =
        [&](QQuickItem *item, const QString &name) -> QQuickItem * {
        if (item->objectName() == name) {
            return item;
        }
        for (QQuickItem *child : item->childItems()) {
            if (QQuickItem *found = findItem(child, name)) {
                return found;
            }
        }
        return nullptr;
    };
    const auto rowPart = [&](const QString &part, int row) {
        return findItem(list, part + QString::number(row));
    };
    ASSERT_TRUE(rowPart(u"pickerMark"_s, 10) && rowPart(u"pickerMark"_s, 3));
    EXPECT_EQ(rowPart(u"pickerMark"_s, 10)->opacity(), 1);
    EXPECT_EQ(rowPart(u"pickerMark"_s, 3)->opacity(), 0) << "d, chosen before, lost its mark";

    // The scroll bar keeps to its own lane, clear of the highlighted row and the round corners.
    const auto sceneRect = [](QQuickItem *item) {
        return QRectF(item->mapToScene(QPointF(0, 0)), item->size());
    };
    QQuickItem *bar = findItem(list, u"pickerScrollBar"_s);
    ASSERT_TRUE(bar && bar->isVisible());
    auto *handle = bar->property("contentItem").value<QQuickItem *>();
    QQuickItem *lastRow = rowPart(u"pickerRow"_s, 10);
    ASSERT_TRUE(handle && lastRow);
    const QRectF handleRect = sceneRect(handle);
    const QRectF listRect = sceneRect(list);
    EXPECT_GE(handleRect.left(), sceneRect(lastRow).right() + 1);
    EXPECT_LE(handleRect.right(), listRect.right() - 2);
    EXPECT_GE(handleRect.top(), listRect.top() + 8);
    EXPECT_LE(handleRect.bottom(), listRect.bottom() - 8);

    // Relabelled with the same count, the open list shows the new labels.
    QVariantList relabelled;
    for (int i = 0; i < 11; ++i) {
        relabelled.append(
            QVariantMap{{u"value"_s, QString(QChar(u'a' + i))}, {u"label"_s, u"App %1"_s.arg(i)}});
    }
    picker->setProperty("options", relabelled);
    EXPECT_EQ(rowPart(u"pickerLabel"_s, 10)->property("text").toString(), u"App 10"_s);
    EXPECT_EQ(rowPart(u"pickerMark"_s, 10)->opacity(), 1);
    QTest::mouseClick(&scene.view, Qt::LeftButton, {}, QPoint(320, 20));
    EXPECT_FALSE(picker->property("presented").toBool());
    EXPECT_EQ(picker->property("selection").toString(), u"k"_s);
    scene.grab(u"picker-closed-"_s + QLatin1String(GetParam().name));
}

INSTANTIATE_TEST_SUITE_P(Appearances, PickerRenderingTest, bothLooks, lookName);

class SymbolRenderingTest : public ::testing::TestWithParam<Look> {};

// Every symbol of the set, tinted honey ink, key caps of both weights and the shared controls on
// the pane's paper; then the shortcut recorder at work beside the text field.
TEST_P(SymbolRenderingTest, DrawsEverySymbolTintedBesideTheControlsThatWork) {
    const QStringList names = SymbolGlyphs::names();
    QString tiles;
    for (const QString &name : names) {
        tiles += uR"(SymbolImage { objectName: "%1"; name: "%1"; size: 32; color: Zorv.honeyInk }
)"_s.arg(name);
    }
    KitScene scene(GetParam().dark);
    // An item's captured light glyph on the dark plate it gets without a sampled bar colour.
    ZorvKit::of(scene.view.engine())
        ->itemPictures()
        .set(u"com.example.clock/0"_s, SymbolGlyphs::image(u"clock"_s, 64, Qt::white), true);
    tiles += uR"(ItemPlate { objectName: "plate"; plate: Qt.rgba(0.2, 0.2, 0.2, 1); source: "%1"
            pictureSize: Qt.size(64, 64); pictureHeight: 16 }
)"_s.arg(ItemPictures::source(u"com.example.clock/0"_s, Qt::white).toString());
    ASSERT_TRUE(scene.load(uR"(
import QtQuick
import Zorv.UI
Rectangle {
    color: Zorv.paper
    Grid { id: grid; x: 12; y: 12; columns: 11; spacing: 14
        %1
    }
    Column { x: 12; y: grid.y + grid.height + 18; spacing: 8
        KeyCaps { keys: ["⌃", "⌥", "⌘", "Space"]; size: 13; weight: KeyCapsPainter.Menu }
        KeyCaps { keys: ["⌘", "⇧", "K"]; size: 13; weight: KeyCapsPainter.Prose }
        KeyCaps { keys: ["⌘", "1"]; size: 24; weight: KeyCapsPainter.Prose }
    }
    Column { x: 180; y: grid.y + grid.height + 18; spacing: 8
        ShortcutRecorder { objectName: "recorder"; defaultDisplay: "⌥⌘S" }
        ZorvTextField { objectName: "field"; width: 200; prompt: "Home Wi-Fi"; title: "Network" }
        ZorvPicker { width: 200; placeholder: "Choose a profile"; options: [] }
    }
}
)"_s.arg(tiles),
                           QSize(520, 420)));
    // A focused field wears the honey border, 1.5 wide.
    QQuickItem *field = scene.find(u"field"_s);
    ASSERT_TRUE(field);
    QObject *border = field->property("border").value<QObject *>();
    ASSERT_TRUE(border);
    EXPECT_EQ(border->property("width").toReal(), 1);
    QMetaObject::invokeMethod(field, "forceActiveFocus");
    EXPECT_EQ(border->property("width").toReal(), 1.5);
    const QString appearance = scene.appearance.effectiveAppearanceName();
    EXPECT_EQ(border->property("color").value<QColor>(),
              ZorvStyle::resolve(ZorvStyle::Role::Honey, appearance));
    const QImage picture = scene.grab(u"symbols-"_s + QLatin1String(GetParam().name));
    const QColor ink = ZorvStyle::resolve(ZorvStyle::Role::HoneyInk, appearance);
    for (const QString &name : names) {
        QQuickItem *tile = scene.find(name);
        ASSERT_TRUE(tile) << name.toStdString();
        const QRect area = tile->mapRectToScene(tile->boundingRect()).toAlignedRect();
        const int inked = countPixels(picture, ink, 8, area);
        EXPECT_GT(inked, 20) << name.toStdString() << " has ink";
        EXPECT_LT(inked, devicePixels(picture, area.width() * area.height()) * 3 / 4)
            << name.toStdString() << " is a glyph, not a block";
    }
    QQuickItem *plate = scene.find(u"plate"_s);
    ASSERT_TRUE(plate);
    const QRect plateArea = plate->mapRectToScene(plate->boundingRect()).toAlignedRect();
    EXPECT_GT(countPixels(picture, Qt::white, 90, plateArea), 8) << "the glyph on its plate";
    EXPECT_GT(countPixels(picture, QColor(51, 51, 51), 2, plateArea), 200) << "the plate";
    EXPECT_TRUE(SymbolGlyphs::image(u"no.such.symbol"_s, 32, Qt::black).isNull());
    EXPECT_TRUE(SymbolGlyphs::image(u"wifi"_s, 0, Qt::black).isNull());

    // An armed recorder takes every key-down of the application, also keys typed into the
    // focused field; once it has recorded, typing reaches the field again.
    QQuickItem *recorder = scene.find(u"recorder"_s);
    ASSERT_TRUE(recorder);
    constexpr quint64 commandShift = KeyShortcut::kCommand | KeyShortcut::kShift;
    QTest::keyClick(&scene.view, Qt::Key_A);
    ASSERT_EQ(field->property("text").toString(), u"a"_s);

    QSignalSpy recorded(recorder, SIGNAL(recorded(QVariant)));
    const auto arm = [&] {
        QTest::mouseClick(&scene.view, Qt::LeftButton, {},
                          recorder->mapToScene(QPointF(10, 10)).toPoint());
    };
    arm();
    ASSERT_TRUE(recorder->property("recording").toBool());
    scene.grab(u"recorder-armed-"_s + QLatin1String(GetParam().name));
    QTest::keyClick(&scene.view, Qt::Key_B);
    QTest::keyClick(&scene.view, Qt::Key_Home);
    EXPECT_EQ(field->property("text").toString(), u"a"_s) << "consumed";
    EXPECT_TRUE(recorder->property("recording").toBool()) << "ignored keys keep it armed";
    EXPECT_EQ(recorded.size(), 0);

    QKeyEvent simulated = MacKeys::simulatedKeyEvent({40, commandShift});
    QCoreApplication::sendEvent(&scene.view, &simulated);
    ASSERT_EQ(recorded.size(), 1);
    EXPECT_EQ(recorded.at(0).at(0).toMap(),
              (QVariantMap{{u"keyCode"_s, 40}, {u"modifiers"_s, double(commandShift)}}));
    EXPECT_FALSE(recorder->property("recording").toBool());

    QTest::keyClick(&scene.view, Qt::Key_C);
    EXPECT_EQ(field->property("text").toString(), u"ac"_s);

    // Escape disarms without a report; Delete reports a reset.
    arm();
    QTest::keyClick(&scene.view, Qt::Key_Escape);
    EXPECT_FALSE(recorder->property("recording").toBool());
    arm();
    QTest::keyClick(&scene.view, Qt::Key_Backspace);
    ASSERT_EQ(recorded.size(), 2);
    EXPECT_FALSE(recorded.at(1).at(0).isValid());
}

INSTANTIATE_TEST_SUITE_P(Appearances, SymbolRenderingTest, bothLooks, lookName);

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
    EXPECT_LT(countPixels(picture, Qt::white, 10, QRect(200, 6, 39, 20)),
              devicePixels(picture, 39 * 20) - 10);
    EXPECT_EQ(countPixels(picture, Qt::white, 10, QRect(241, 4, 18, 24)),
              devicePixels(picture, 18 * 24));
    // The highlight leaves 5 points on each side.
    EXPECT_EQ(countPixels(picture, Qt::white, 2, QRect(0, 28, 5, 24)),
              devicePixels(picture, 5 * 24));

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
