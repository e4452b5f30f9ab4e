#include "appearance/simsystemappearance.h"
#include "kitscene.h"
#include "look/hexcolor.h"
#include "look/savedtick.h"
#include "look/zorvstyle.h"
#include "manualclock.h"

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QSignalSpy>

#include <cmath>
#include <tuple>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using Role = ZorvStyle::Role;

// Six hexadecimal digits, at most one "#" and spaces or tabs around them make an opaque colour.
TEST(HexColorTest, ParsesExactlySixDigits) {
    const auto rgba = [](const QString &text) {
        return HexColor::parse(text).value_or(QColor(Qt::transparent)).rgba();
    };
    for (const QString &text :
         {u"#F0B24A"_s, u"#f0b24a"_s, u"F0B24A"_s, u" \t#F0B24A\t "_s, u"\u00A0#F0B24A"_s}) {
        EXPECT_EQ(rgba(text), 0xFFF0B24A) << text.toStdString();
    }
    EXPECT_EQ(rgba(u"#000000"_s), 0xFF000000);
    EXPECT_EQ(rgba(u"#FFFFFF"_s), 0xFFFFFFFF);
    // A number parse would take the signs ("+FFFFF") and give nonsense channels.
    for (const QString &text :
         {u"#F0B24"_s, u"#F0B24A0"_s, u"##F0B24A"_s, u"#F0B24A\n"_s, u"#F0B24G"_s, u"+FFFFF"_s,
          u"-00001"_s, u"#-FFFFF"_s, u"0xFFFF"_s, u"#F0 B24A"_s, u""_s}) {
        EXPECT_FALSE(HexColor::parse(text)) << text.toStdString();
    }
}

// Colours are written as "#" and six upper-case digits, each component rounded half away from
// zero; wide-gamut components are held to 0-255 so the text always reads back.
TEST(HexColorTest, FormatsSixUpperCaseDigits) {
    struct Case {
        const char *name;
        QColor colour;
        const char16_t *text;
    };
    const Case cases[] = {
        {"halves round up", QColor::fromRgbF(0.5, 0.25, 1.0), u"#8040FF"},
        {"a palette value", QColor(0xF0, 0xB2, 0x4A), u"#F0B24A"},
        {"alpha is dropped", QColor::fromRgbF(1, 0, 0, 0.3), u"#FF0000"},
        {"beyond sRGB", QColor::fromRgbF(1.2f, -0.1f, 0.5f), u"#FF0080"},
        {"far beyond sRGB", QColor::fromRgbF(40.0f, -7.0f, 2.0f), u"#FF00FF"},
        {"not a number", QColor::fromRgbF(std::nanf(""), 0, 1), u"#0000FF"},
        {"another colour model", QColor::fromHsvF(0, 1, 1), u"#FF0000"},
        {"an invalid colour", QColor(), u"#000000"},
    };
    for (const Case &c : cases) {
        const QString text = HexColor::hexString(c.colour);
        EXPECT_EQ(text, QString::fromUtf16(c.text)) << c.name;
        EXPECT_TRUE(HexColor::parse(text)) << c.name;
    }
}

// Every appearance takes the light or the dark value by its best match; onEspresso is the same in
// both.
TEST(PaletteTest, ResolvesEveryRoleByTheAppearancesBestMatch) {
    const auto colours = [](const QString &appearance) {
        return std::tuple(ZorvStyle::resolve(Role::Paper, appearance),
                          ZorvStyle::resolve(Role::Ink, appearance),
                          ZorvStyle::resolve(Role::Honey, appearance),
                          ZorvStyle::resolve(Role::OnEspresso, appearance));
    };
    const auto light = std::tuple(QColor(u"#F7F3EC"_s), QColor(u"#1F1911"_s), QColor(u"#E79A2B"_s),
                                  QColor(u"#F3ECE0"_s));
    const auto dark = std::tuple(QColor(u"#14110D"_s), QColor(u"#F4EDE1"_s), QColor(u"#F0B24A"_s),
                                 QColor(u"#F3ECE0"_s));
    for (const QString &name :
         {AppearanceName::aqua, AppearanceName::highContrastAqua, AppearanceName::vibrantLight,
          u"SomeFutureAppearance"_s, QString()}) {
        EXPECT_EQ(colours(name), light) << name.toStdString();
    }
    for (const QString &name : {AppearanceName::darkAqua, AppearanceName::highContrastDarkAqua,
                                AppearanceName::vibrantDark}) {
        EXPECT_EQ(colours(name), dark) << name.toStdString();
    }
}

TEST(PaletteTest, FallsBackToTheAppearancesTextColourOnABadValue) {
    EXPECT_EQ(ZorvStyle::resolve(u"#12345"_s, u"#FFFFFF"_s, AppearanceName::darkAqua),
              QColor(Qt::white));
    EXPECT_EQ(ZorvStyle::resolve(u"#FFFFFF"_s, u"nope"_s, AppearanceName::aqua), QColor(Qt::black));
    // Only the value for the appearance in force is read.
    EXPECT_EQ(ZorvStyle::resolve(u"nope"_s, u"#102030"_s, AppearanceName::aqua),
              QColor(0x10, 0x20, 0x30));
}

TEST(PaletteTest, FollowsTheEffectiveAppearance) {
    SimSystemAppearance appearance;
    ZorvStyle palette(&appearance);
    QSignalSpy changed(&palette, &ZorvStyle::changed);
    EXPECT_FALSE(palette.isDark());
    EXPECT_EQ(palette.card(), QColor(u"#FFFCF6"_s));

    appearance.setDark(true);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_TRUE(palette.isDark());
    EXPECT_EQ(palette.card(), QColor(u"#1F1A14"_s));
    EXPECT_EQ(palette.pair(u"#010203"_s, u"#040506"_s), QColor(1, 2, 3));

    appearance.setDark(true);
    EXPECT_EQ(changed.size(), 1) << "no change, no notice";
}

class SavedTickTest : public ::testing::Test {
protected:
    // Moves the clock to `at` seconds after the test's start.
    void advanceTo(double at) {
        clock.advance(seconds(at) - (clock.now() - start));
        clock.settle();
    }

    ManualClock clock;
    MonotonicTime start = clock.now();
    QDateTime stamp = clock.wallNow();
};

// One timeline: changes 1 s apart hold from the first; the same value again is no change, a
// change to nothing is one.
TEST_F(SavedTickTest, ShowsForTheHoldAfterTheFirstOfAQuickRunOfChanges) {
    SavedTick tick(clock);
    EXPECT_FALSE(tick.isShown());
    const struct {
        double at;
        std::optional<QVariant> savedAt;
        bool shown;
    } timeline[] = {
        {0, stamp, true},
        {1.0, stamp.addSecs(1), true},
        {1.5, {}, true},
        {1.6, {}, false},
        {2.0, {}, false},
        {2.6, {}, false},
        {3.0, stamp.addSecs(1), false},
        {3.0, QVariant(), true},
        {4.5, {}, true},
        {4.6, {}, false},
    };
    for (const auto &step : timeline) {
        advanceTo(step.at);
        if (step.savedAt) {
            tick.setSavedAt(*step.savedAt);
        }
        EXPECT_EQ(tick.isShown(), step.shown) << "at " << step.at << " s";
    }
}

TEST_F(SavedTickTest, InitialValueOfABuiltComponentShowsNothing) {
    SavedTick tick(clock);
    tick.classBegin();
    tick.setSavedAt(stamp);
    tick.componentComplete();
    EXPECT_FALSE(tick.isShown());
    tick.setSavedAt(stamp.addSecs(5));
    EXPECT_TRUE(tick.isShown());
}

TEST_F(SavedTickTest, APendingHoldOutlivesNoTick) {
    {
        SavedTick tick(clock);
        tick.setSavedAt(stamp);
    }
    advanceTo(2);
    SUCCEED() << "the wait ended without touching the destroyed tick";
}

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

// WCAG 2 contrast ratio of two opaque colours.
double contrast(const QColor &a, const QColor &b) {
    const auto luminance = [](const QColor &c) {
        const auto channel = [](double v) {
            return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `top` at `alpha` over `bottom`.
QColor over(const QColor &top, double alpha, const QColor &bottom) {
    return QColor::fromRgbF(float(top.redF() * alpha + bottom.redF() * (1 - alpha)),
                            float(top.greenF() * alpha + bottom.greenF() * (1 - alpha)),
                            float(top.blueF() * alpha + bottom.blueF() * (1 - alpha)));
}

// Edges that must be seen (card borders, row dividers, control borders, the dark title strip)
// reach 1.5:1 against what they meet, and secondary and disabled labels 3:1 against what they sit
// on, in both appearances.
TEST(PaletteTest, KeepsEdgesAndQuietTextsClearOfTheirGround) {
    for (const QString &appearance : {AppearanceName::aqua, AppearanceName::darkAqua}) {
        const auto c = [&](Role role) { return ZorvStyle::resolve(role, appearance); };
        const QColor disabledAccentFill = over(c(Role::Honey), 0.25, c(Role::Paper));
        const struct {
            const char *name;
            QColor a;
            QColor b;
            double floor;
        } pairs[] = {
            {"card border on the card", c(Role::Line), c(Role::Card), 1.5},
            {"card border on the paper", c(Role::Line), c(Role::Paper), 1.5},
            {"control border on the card", c(Role::Line2), c(Role::Card), 1.5},
            {"control border on the paper", c(Role::Line2), c(Role::Paper), 1.5},
            {"pressed control border", c(Role::Line2), c(Role::Paper2), 1.5},
            {"title strip on the paper", c(Role::Espresso), c(Role::Paper), 1.5},
            {"secondary text on the paper", c(Role::Ink2), c(Role::Paper), 3},
            {"secondary text on the card", c(Role::Ink2), c(Role::Card), 3},
            {"disabled label while pressed", c(Role::Ink2), c(Role::Paper2), 3},
            {"disabled accent label", c(Role::HoneyInk), disabledAccentFill, 3},
            {"saved tick on the paper", c(Role::HoneyInk), c(Role::Paper), 3},
            {"secondary text on the strip", c(Role::OnEspresso2), c(Role::Espresso), 3},
            {"accent label on honey", ZorvStyle::accentLabel(), c(Role::Honey), 3},
        };
        for (const auto &p : pairs) {
            const double ratio = contrast(p.a, p.b);
            EXPECT_GE(ratio, p.floor)
                << p.name << " in " << appearance.toStdString() << ": " << ratio;
            RecordProperty(
                QStringLiteral("%1 (%2)").arg(QLatin1String(p.name), appearance).toStdString(),
                QString::number(ratio, 'f', 2).toStdString());
        }
    }
}

class LookRenderingTest : public ::testing::TestWithParam<Look> {};

TEST_P(LookRenderingTest, DrawsThePaneAndItsPartsInThePalette) {
    const Look look = GetParam();
    KitScene scene(look.dark);
    ASSERT_TRUE(scene.load(paneScene, QSize(640, 660)));
    const QImage picture = scene.grab(u"pane-"_s + QLatin1String(look.name));
    const QString appearance = scene.appearance.effectiveAppearanceName();
    auto color = [&](ZorvStyle::Role role) { return ZorvStyle::resolve(role, appearance); };

    EXPECT_GT(countPixels(picture, color(Role::Paper)), 100000) << "paper";
    EXPECT_GT(countPixels(picture, color(Role::Card)), 20000) << "card";
    EXPECT_GT(countPixels(picture, color(Role::Honey)), 1000) << "accent button";
    EXPECT_GT(countPixels(picture, color(Role::Ink), 40), 300) << "text";
    // Nothing shows the pane's place in the pane list.
    EXPECT_FALSE(anyTextContains(scene.view.rootObject(), u"3"_s));
    EXPECT_FALSE(anyTextContains(scene.view.rootObject(), u"8"_s));

    // The key caps carry the ink's colour on the paper.
    QQuickItem *caps = scene.find(u"caps"_s);
    ASSERT_TRUE(caps);
    const QRect capsArea = caps->mapRectToScene(caps->boundingRect()).toAlignedRect();
    EXPECT_GT(capsArea.width(), 30);
    const int area = devicePixels(picture, capsArea.width() * capsArea.height());
    EXPECT_LT(countPixels(picture, color(Role::Paper), 60, capsArea), area - 10)
        << "ink of the labels";

    // The saved tick runs on the kit's clock: shown at a change of savedAt, gone 1.6 s later.
    QQuickItem *pane = scene.view.rootObject();
    EXPECT_FALSE(pane->property("savedTickShown").toBool()) << "not when first shown";
    pane->setProperty("savedAt", scene.clock.wallNow());
    EXPECT_TRUE(pane->property("savedTickShown").toBool());
    scene.clock.advance(seconds(1.6));
    scene.clock.settle();
    EXPECT_FALSE(pane->property("savedTickShown").toBool());
}

INSTANTIATE_TEST_SUITE_P(Appearances, LookRenderingTest, bothLooks, lookName);

} // namespace
} // namespace zorv
