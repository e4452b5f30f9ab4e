#include "items/itempictures.h"
#include "kit/zorvkit.h"
#include "kitscene.h"
#include "look/zorvpalette.h"
#include "symbols/symbolglyphs.h"

#include <gtest/gtest.h>

#include <QQuickItem>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class SymbolRenderingTest : public ::testing::TestWithParam<Look> {};

// Every symbol of the set, tinted honey ink, key caps of both weights and the shared controls on
// the pane's paper.
TEST_P(SymbolRenderingTest, DrawsEverySymbolTintedBesideTheControls) {
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
    tiles += uR"(ItemPlate { objectName: "plate"; color: Qt.rgba(0.2, 0.2, 0.2, 1); source: "%1" }
)"_s.arg(ItemPictures::source(u"com.example.clock/0"_s, Qt::white).toString());
    ASSERT_TRUE(scene.load(uR"(
import QtQuick
import Zorv.UI
Rectangle {
    color: Zorv.paper
    Grid { x: 12; y: 12; columns: 11; spacing: 14
        %1
    }
    Column { x: 12; y: 250; spacing: 8
        KeyCaps { keys: ["⌃", "⌥", "⌘", "Space"]; size: 13; weight: KeyCapsPainter.Menu }
        KeyCaps { keys: ["⌘", "⇧", "K"]; size: 13; weight: KeyCapsPainter.Prose }
        KeyCaps { keys: ["⌘", "1"]; size: 24; weight: KeyCapsPainter.Prose }
    }
    Column { x: 180; y: 250; spacing: 8
        ShortcutRecorder { defaultDisplay: "⌥⌘S" }
        ZorvTextField { objectName: "field"; width: 200; prompt: "Home Wi-Fi"; title: "Network" }
        ZorvPicker { width: 200; placeholder: "Choose a profile"; options: [] }
    }
}
)"_s.arg(tiles),
                           QSize(520, 370)));
    // A focused field wears the honey border, 1.5 wide.
    QQuickItem *field = scene.find(u"field"_s);
    ASSERT_TRUE(field);
    QObject *border = field->property("border").value<QObject *>();
    ASSERT_TRUE(border);
    EXPECT_EQ(border->property("width").toReal(), 1);
    QMetaObject::invokeMethod(field, "forceActiveFocus");
    EXPECT_EQ(border->property("width").toReal(), 1.5);
    EXPECT_EQ(
        border->property("color").value<QColor>(),
        ZorvPalette::resolve(ZorvPalette::Role::Honey, scene.appearance.effectiveAppearanceName()));
    const QImage picture = scene.grab(u"symbols-"_s + QLatin1String(GetParam().name));
    const QColor ink = ZorvPalette::resolve(ZorvPalette::Role::HoneyInk,
                                            scene.appearance.effectiveAppearanceName());
    for (const QString &name : names) {
        QQuickItem *tile = scene.find(name);
        ASSERT_TRUE(tile) << name.toStdString();
        const QRect area = tile->mapRectToScene(tile->boundingRect()).toAlignedRect();
        const int inked = countPixels(picture, ink, 8, area);
        EXPECT_GT(inked, 20) << name.toStdString() << " has ink";
        EXPECT_LT(inked, area.width() * area.height() * 3 / 4)
            << name.toStdString() << " is a glyph, not a block";
    }
    QQuickItem *plate = scene.find(u"plate"_s);
    ASSERT_TRUE(plate);
    const QRect plateArea = plate->mapRectToScene(plate->boundingRect()).toAlignedRect();
    EXPECT_GT(countPixels(picture, Qt::white, 90, plateArea), 8) << "the glyph on its plate";
    EXPECT_GT(countPixels(picture, QColor(51, 51, 51), 2, plateArea), 200) << "the plate";
    EXPECT_TRUE(SymbolGlyphs::image(u"no.such.symbol"_s, 32, Qt::black).isNull());
    EXPECT_TRUE(SymbolGlyphs::image(u"wifi"_s, 0, Qt::black).isNull());
}

INSTANTIATE_TEST_SUITE_P(Appearances, SymbolRenderingTest, bothLooks, lookName);

} // namespace
} // namespace zorv
