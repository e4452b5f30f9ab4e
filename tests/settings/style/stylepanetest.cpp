#include "settingsfixture.h"
#include "stylepanemodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();
constexpr double inf = std::numeric_limits<double>::infinity();

Appearance look(const QString &hex, double opacity, double radius, bool tint = true) {
    Appearance a;
    a.tintEnabled = tint;
    a.tintHex = hex;
    a.tintOpacity = opacity;
    a.cornerRadius = radius;
    return a;
}

class StylePaneTest : public ::testing::Test, protected SettingsFixture {
protected:
    StylePaneTest() {
        pane.setView(&view);
        (void)model.appearanceOverlay();
    }

    // What a file, an import or another Mac may have stored, bypassing the pane's checks.
    void store(const Appearance &appearance) {
        model.editSettings([&](Settings &settings) { settings.appearance = appearance; });
    }
    [[nodiscard]] Appearance stored() const { return model.settings().appearance; }
    [[nodiscard]] qsizetype overlayApplies() const { return mac.fakes.overlay->applied.size(); }

    StylePaneModel pane;
};

// Sliders stand within their ranges; the radius readout says the radius the overlay is given, the
// strength readout the strength it can use; what is not a number reads as the default.
TEST_F(StylePaneTest, ReadoutsStayWithinTheirControls) {
    struct Case {
        const char *name;
        Appearance stored;
        const char16_t *tint;
        QColor well;
        double strength;
        const char16_t *strengthText;
        double radius;
        const char16_t *radiusText;
    };
    const Case cases[] = {
        {"the default", Appearance(), u"#000000", Qt::black, 0, u"0%", 0, u"Off"},
        {"lower-case hex", look(u"#8040ff"_s, 0.999, 5), u"#8040FF", QColor(0x80, 0x40, 0xFF),
         0.999, u"99%", 5, u"5pt"},
        {"full strength", look(u"#000000"_s, 1.0, 12), u"#000000", Qt::black, 1, u"100%", 12,
         u"12pt"},
        {"a strength between percents", look(u"#000000"_s, 0.126, 5.7), u"#000000", Qt::black,
         0.126, u"12%", 5.7, u"5pt"},
        {"a strength just under its percent in binary", look(u"#000000"_s, 0.29, 0.5), u"#000000",
         Qt::black, 0.29, u"29%", 0.5, u"0pt"},
        {"values past the controls' ends", look(u"#000000"_s, 5, 40), u"#000000", Qt::black, 1,
         u"100%", 12, u"40pt"},
        {"a radius far past the slider", look(u"#000000"_s, 0.5, 1e12), u"#000000", Qt::black, 0.5,
         u"50%", 12, u"1000000000000pt"},
        {"negative values", look(u"#000000"_s, -1, -3), u"#000000", Qt::black, 0, u"0%", 0, u"Off"},
        {"values that are not numbers", look(u"#000000"_s, nan, inf), u"#000000", Qt::black, 0,
         u"0%", 0, u"Off"},
        {"an unreadable tint", look(u"rust"_s, 0.5, 0), u"RUST", Qt::black, 0.5, u"50%", 0, u"Off"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        store(c.stored);
        EXPECT_EQ(pane.tintReadout(), QString::fromUtf16(c.tint));
        EXPECT_EQ(pane.tintColor(), c.well);
        EXPECT_DOUBLE_EQ(pane.strength(), c.strength);
        EXPECT_EQ(pane.strengthReadout(), QString::fromUtf16(c.strengthText));
        EXPECT_DOUBLE_EQ(pane.cornerRadius(), c.radius);
        EXPECT_EQ(pane.cornerReadout(), QString::fromUtf16(c.radiusText));
    }
}

// Every look control writes the whole look at once: it is saved, the saved tick's time moves
// and the overlay is redrawn; the other fields stay as they were.
TEST_F(StylePaneTest, EachLookControlWritesTheWholeLookAndRedrawsTheBar) {
    struct Case {
        const char *name;
        std::function<void(StylePaneModel &)> act;
        Appearance expected;
    };
    const Appearance start = look(u"#336699"_s, 0.4, 3, false);
    const auto with = [&](const std::function<void(Appearance &)> &change) {
        Appearance a = start;
        change(a);
        return a;
    };
    const Case cases[] = {
        {"tint on", [](auto &p) { p.setTintEnabled(true); },
         with([](Appearance &a) { a.tintEnabled = true; })},
        {"strength", [](auto &p) { p.setStrength(0.75); },
         with([](Appearance &a) { a.tintOpacity = 0.75; })},
        {"strength past 1", [](auto &p) { p.setStrength(3); },
         with([](Appearance &a) { a.tintOpacity = 1; })},
        {"hairline", [](auto &p) { p.setHairline(true); },
         with([](Appearance &a) { a.borderEnabled = true; })},
        {"shadow", [](auto &p) { p.setShadow(true); },
         with([](Appearance &a) { a.shadowEnabled = true; })},
        {"corners land on whole points", [](auto &p) { p.setCornerRadius(7.6); },
         with([](Appearance &a) { a.cornerRadius = 8; })},
        {"corners past 12", [](auto &p) { p.setCornerRadius(30); },
         with([](Appearance &a) { a.cornerRadius = 12; })},
        {"a colour", [](auto &p) { p.pickColor(QColor::fromRgbF(0.5, 0.25, 1.0)); },
         with([](Appearance &a) { a.tintHex = u"#8040FF"_s; })},
        {"a colour's opacity is dropped",
         [](auto &p) { p.pickColor(QColor::fromRgbF(1, 0, 0, 0.3)); },
         with([](Appearance &a) { a.tintHex = u"#FF0000"_s; })},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        store(start);
        mac.advance(1);
        const qsizetype applies = overlayApplies();
        const QDateTime before = view.lastSavedAt();
        c.act(pane);
        EXPECT_EQ(stored(), c.expected);
        ASSERT_EQ(overlayApplies(), applies + 1);
        EXPECT_EQ(mac.fakes.overlay->applied.last(), c.expected);
        EXPECT_NE(view.lastSavedAt(), before);
    }
}

// A value that is not a number, or the stored value again, writes nothing.
TEST_F(StylePaneTest, WritesNothingForNoChange) {
    store(look(u"#336699"_s, 0.4, 3));
    const qsizetype applies = overlayApplies();
    for (const auto &act : std::initializer_list<std::function<void()>>{
             [&] { pane.setStrength(nan); },
             [&] { pane.setCornerRadius(inf); },
             [&] { pane.setStrength(0.4); },
             [&] { pane.setTintEnabled(true); },
             [&] { pane.setCornerRadius(3); },
         }) {
        act();
    }
    EXPECT_EQ(overlayApplies(), applies);
    EXPECT_EQ(stored(), look(u"#336699"_s, 0.4, 3));
}

// Turning the tint off keeps its colour, strength and the corners, which show again when it
// comes back.
TEST_F(StylePaneTest, TurningTheTintOffKeepsItsValues) {
    store(look(u"#336699"_s, 0.4, 6));
    pane.setTintEnabled(false);
    pane.setCornerRadius(9);
    pane.setTintEnabled(true);
    EXPECT_EQ(stored(), look(u"#336699"_s, 0.4, 9));
    EXPECT_EQ(pane.strengthReadout(), u"40%"_s);
}

// A field the model would refuse never blocks the other controls: it is written as its control
// shows it, while a radius the bar can draw is kept even past the slider's end.
TEST_F(StylePaneTest, ABadStoredFieldDoesNotBlockTheOthers) {
    struct Case {
        const char *name;
        Appearance stored;
        Appearance written;
    };
    const auto hairline = [](Appearance a) {
        a.borderEnabled = true;
        return a;
    };
    const Case cases[] = {
        {"an unreadable tint", look(u"rust"_s, 0.5, 2), hairline(look(u"#000000"_s, 0.5, 2))},
        {"a strength past 1", look(u"#123456"_s, 5, 2), hairline(look(u"#123456"_s, 1, 2))},
        {"a strength that is not a number", look(u"#123456"_s, nan, 2),
         hairline(look(u"#123456"_s, 0, 2))},
        {"a negative radius", look(u"#123456"_s, 0.5, -4), hairline(look(u"#123456"_s, 0.5, 0))},
        {"a radius past the slider", look(u"#123456"_s, 0.5, 40),
         hairline(look(u"#123456"_s, 0.5, 40))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        store(c.stored);
        pane.setHairline(true);
        EXPECT_EQ(stored(), c.written);
        EXPECT_TRUE(pane.hairline());
    }
}

// Pixel-perfect icons: saved, handed to the engine and followed by a refresh of the items; the
// overlay is not redrawn.
TEST_F(StylePaneTest, PixelPerfectIconsGoToTheEngineNotTheOverlay) {
    for (const bool enabled : {true, false}) {
        SCOPED_TRACE(enabled);
        const qsizetype applies = overlayApplies();
        mac.fakes.log.clear();
        pane.setPixelPerfectIcons(enabled);
        settle();
        EXPECT_EQ(model.settings().pixelPerfectIconsEnabled, enabled);
        EXPECT_EQ(mac.engine().captureEnabled(), enabled);
        EXPECT_TRUE(mac.fakes.log.contains(u"engine.refresh"_s));
        EXPECT_EQ(pane.pixelPerfectIcons(), enabled);
        EXPECT_EQ(overlayApplies(), applies);
    }
}

// A look changed elsewhere (a profile, another Mac) shows at once.
TEST_F(StylePaneTest, FollowsALookChangedElsewhere) {
    int changes = 0;
    QObject::connect(&pane, &StylePaneModel::changed, [&] { ++changes; });
    store(look(u"#ABCDEF"_s, 0.2, 4));
    EXPECT_GT(changes, 0);
    EXPECT_EQ(pane.tintReadout(), u"#ABCDEF"_s);
    EXPECT_EQ(pane.cornerReadout(), u"4pt"_s);
}

} // namespace
} // namespace zorv
