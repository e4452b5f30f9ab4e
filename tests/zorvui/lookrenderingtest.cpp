#include "kitscene.h"
#include "look/zorvpalette.h"

#include <gtest/gtest.h>

#include <QQuickItem>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A pane such as the report window or a settings pane builds from the kit.
const QString paneScene = uR"(
import QtQuick
import Zorv.UI

ZorvPane {
    index: 3
    total: 8
    title: "Menu Bar Layout"
    blurb: "Hold {option} and drag <items> & press {command+1}."
    savedAt: null

    ZorvCard {
        kicker: "What you saw"
        ZorvRow {
            title: "Reveal on hover"
            note: "Move the pointer to the bar, or press {control+option+s}."
            ZorvSwitch { objectName: "switch"; checked: true; accessibleName: "Reveal on hover" }
        }
        ZorvRule {}
        ZorvRow {
            title: "Alias"
            slot: 260
            ZorvTextField { objectName: "field"; width: 260; prompt: "Home Wi-Fi"; title: "Alias" }
        }
        ZorvRule {}
        ZorvRow {
            title: "Wi-Fi"
            icon: "image://zorvsymbol/wifi/" + String(Zorv.ink).substring(1)
            slot: 203
            ZorvValue { text: "Home" }
        }
        ZorvRule {}
        ZorvRow {
            title: "Auto-hide delay"
            ZorvValue { text: "12 s" }
        }
        ZorvRule {}
        ZorvWideRow {
            ZorvNote { text: "Sent with it: the version of {esc} and nothing from your windows." }
        }
    }
    ZorvBanner {
        symbol: "exclamationmark.triangle.fill"
        title: "Zorv can't see your menu bar"
        ZorvNote { text: "Grant Accessibility, then come back." }
    }
    Row {
        spacing: 8
        ZorvOutlineButton { text: "Cancel" }
        ZorvOutlineButton { text: "Delete"; destructive: true }
        ZorvAccentButton { objectName: "send"; text: "Send Report" }
        ZorvAccentButton { text: "Disabled"; enabled: false }
        KeyCaps { objectName: "caps"; keys: ["⌥", "⌘", "S"]; size: 13; weight: KeyCapsPainter.Menu }
    }
}
)"_s;

// Texts with key caps hold markup; what they show is their keysText.
bool anyTextContains(QQuickItem *item, const QString &part) {
    const QVariant keysText = item->property("keysText");
    const QString shown =
        keysText.isValid() ? keysText.toString() : item->property("text").toString();
    if (shown.contains(part)) {
        return true;
    }
    const QList<QQuickItem *> children = item->childItems();
    return std::any_of(children.begin(), children.end(),
                       [&](QQuickItem *child) { return anyTextContains(child, part); });
}

class LookRenderingTest : public ::testing::TestWithParam<Look> {};

TEST_P(LookRenderingTest, DrawsThePaneAndItsPartsInThePalette) {
    const Look look = GetParam();
    KitScene scene(look.dark);
    ASSERT_TRUE(scene.load(paneScene, QSize(640, 660)));
    const QImage picture = scene.grab(u"pane-"_s + QLatin1String(look.name));
    const QString appearance = scene.appearance.effectiveAppearanceName();
    auto color = [&](ZorvPalette::Role role) { return ZorvPalette::resolve(role, appearance); };

    EXPECT_GT(countPixels(picture, color(ZorvPalette::Role::Paper)), 100000) << "paper";
    EXPECT_GT(countPixels(picture, color(ZorvPalette::Role::Card)), 20000) << "card";
    EXPECT_GT(countPixels(picture, color(ZorvPalette::Role::Honey)), 1000) << "accent button";
    EXPECT_GT(countPixels(picture, color(ZorvPalette::Role::Ink), 40), 300) << "text";
    // Nothing shows the pane's place in the pane list.
    EXPECT_FALSE(anyTextContains(scene.view.rootObject(), u"3"_s));
    EXPECT_FALSE(anyTextContains(scene.view.rootObject(), u"8"_s));

    // The key caps carry the ink's colour on the paper.
    QQuickItem *caps = scene.find(u"caps"_s);
    ASSERT_TRUE(caps);
    const QRect capsArea = caps->mapRectToScene(caps->boundingRect()).toAlignedRect();
    EXPECT_GT(capsArea.width(), 30);
    const int area = capsArea.width() * capsArea.height();
    EXPECT_LT(countPixels(picture, color(ZorvPalette::Role::Paper), 60, capsArea), area - 10)
        << "ink of the labels";
}

// The pane's tick runs on the kit's clock: shown at a change of savedAt, gone 1.6 s later.
TEST(PaneTest, ShowsTheSavedTickOnTheKitsClock) {
    KitScene scene;
    ASSERT_TRUE(scene.load(u"import Zorv.UI\nZorvPane { title: \"General\"; savedAt: null }"_s,
                           QSize(400, 200)));
    QQuickItem *pane = scene.view.rootObject();
    EXPECT_FALSE(pane->property("savedTickShown").toBool()) << "not when first shown";
    pane->setProperty("savedAt", scene.clock.wallNow());
    EXPECT_TRUE(pane->property("savedTickShown").toBool());
    scene.clock.advance(seconds(1.5));
    EXPECT_TRUE(pane->property("savedTickShown").toBool());
    scene.clock.advance(seconds(0.1));
    scene.clock.settle();
    EXPECT_FALSE(pane->property("savedTickShown").toBool());
}

INSTANTIATE_TEST_SUITE_P(Appearances, LookRenderingTest, bothLooks, lookName);

} // namespace
} // namespace zorv
