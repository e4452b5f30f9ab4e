#include "layoutpanemodel.h"
#include "settingsfixture.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class LayoutPaneModelTest : public ::testing::Test, protected SettingsFixture {
protected:
    LayoutPaneModelTest() { attach(pane); }
    explicit LayoutPaneModelTest(QList<MenuBarItem> items) : SettingsFixture(std::move(items)) {
        attach(pane);
    }
    void attach(LayoutPaneModel &model) {
        model.setServices(&services);
        model.setView(&view);
    }

    LayoutPaneModel pane;
};

struct IconTextsCase {
    const char *name;
    bool clickOpensMenu;
    bool iconHidden;
    std::optional<KeyShortcut> reveal;
    const char *blurbGesture;
    const char *description;
    const char *help;
};

void PrintTo(const IconTextsCase &c, std::ostream *out) {
    *out << c.name;
}

class LayoutPaneTextsTest : public LayoutPaneModelTest,
                            public ::testing::WithParamInterface<IconTextsCase> {};

TEST_P(LayoutPaneTextsTest, FollowTheIconClickAndTheOwnIconSetting) {
    const IconTextsCase &c = GetParam();
    QSignalSpy changed(&pane, &LayoutPaneModel::changed);
    model.setIconClickOpensMenu(c.clickOpensMenu);
    model.setRevealShortcut(c.reveal);
    pane.setIconShown(!c.iconHidden);
    EXPECT_GE(changed.size(), 3);
    EXPECT_EQ(pane.blurb(),
              u"Drag an icon to another lane, or right-click it. Shown stays in the bar. Hidden "
              u"comes out when you "_s +
                  QString::fromLatin1(c.blurbGesture) +
                  u" Zorv's icon. Always Hidden needs {option} as well."_s);
    EXPECT_EQ(pane.ownIconDescription(), QString::fromUtf8(c.description));
    EXPECT_EQ(pane.ownIconHelp(), QString::fromUtf8(c.help));
    EXPECT_EQ(pane.iconShown(), !c.iconHidden);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LayoutPaneTextsTest,
    ::testing::Values(
        IconTextsCase{"ClickReveals", false, false, std::nullopt, "click",
                      "Right-click it for Zorv's menu; click it to reveal your hidden items.",
                      "Hide Zorv's icon from the menu bar"},
        IconTextsCase{"ClickOpensTheMenu", true, false, std::nullopt, "right-click",
                      "Click it for Zorv's menu; right-click it to reveal your hidden items.",
                      "Hide Zorv's icon from the menu bar"},
        IconTextsCase{"HiddenWithTheDefaultShortcut", false, true, std::nullopt, "click",
                      "Hidden. {⌥⌘S} still works. Open Zorv again for Settings.",
                      "Show Zorv's icon in the menu bar"},
        IconTextsCase{"HiddenWithItsOwnShortcut", true, true, KeyShortcut{15, 0x140000},
                      "right-click", "Hidden. {⌃⌘R} still works. Open Zorv again for Settings.",
                      "Show Zorv's icon in the menu bar"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LayoutPaneModelTest, TheIconSwitchSavesAndHidesTheIconInTheBar) {
    EXPECT_FALSE(view.lastSavedAt().isValid());
    pane.setIconShown(false);
    EXPECT_TRUE(model.settings().hideZorvIcon);
    EXPECT_FALSE(mac.engine().iconVisible());
    EXPECT_TRUE(view.lastSavedAt().isValid());
    pane.setIconShown(true);
    EXPECT_FALSE(model.settings().hideZorvIcon);
    EXPECT_TRUE(mac.engine().iconVisible());
}

TEST_F(LayoutPaneModelTest, BannersFollowPermissionAndHiding) {
    struct Case {
        std::optional<HidingBlockedReason> reason;
        const char *title;
        qsizetype texts;
    };
    const Case cases[] = {
        {HidingBlockedReason::iconMisseated, "Putting the menu bar back in order", 2},
        {HidingBlockedReason::displayNotHiding, "Waiting on this display", 1},
        {std::nullopt, "", 0},
    };
    for (const Case &c : cases) {
        mac.engine().mock().setHidingBlocked(c.reason);
        settle();
        EXPECT_EQ(pane.hidingBlockedTitle(), QString::fromLatin1(c.title));
        EXPECT_EQ(pane.hidingBlockedTexts().size(), c.texts) << c.title;
    }
    EXPECT_TRUE(pane.hidingBlockedTexts().isEmpty());

    EXPECT_FALSE(pane.accessibilityBannerShown());
    mac.desktop().permissions().setAccessibilityTrusted(false);
    // The permission is read again by a rescan, as the pane's buttons and its opening ask for.
    EXPECT_FALSE(pane.accessibilityBannerShown());
    pane.refresh();
    settle();
    EXPECT_TRUE(pane.accessibilityBannerShown());
    EXPECT_FALSE(pane.diagnosticsOk());
}

TEST_F(LayoutPaneModelTest, TheFootnoteFollowsTheLayoutMode) {
    EXPECT_EQ(pane.layoutFootnote(), u"Your real menu bar follows a moment after you move an "
                                     u"icon. The cursor hides briefly while it does."_s);
    model.setLiveLayout(false);
    EXPECT_EQ(pane.layoutFootnote(),
              u"On-Demand is on: Sort My Bar applies your changes to the real menu bar."_s);
}

TEST_F(LayoutPaneModelTest, WatchesForTheOtherMenuBarManagerWhileItExists) {
    EXPECT_FALSE(pane.otherManagerRunning());
    ApplicationRegistry &applications = mac.desktop().applications();
    const qint32 plain = applications.launch({u"com.surteesstudios"_s, u"Studio"_s});
    const qint32 helper =
        applications.launch({u"com.surteesstudios.Bartender.helper"_s, u"Helper"_s});
    settle();
    EXPECT_TRUE(pane.otherManagerRunning());
    applications.quit(helper);
    settle();
    EXPECT_FALSE(pane.otherManagerRunning());
    applications.quit(plain);

    // Applications without a bundle identifier count as none.
    EXPECT_FALSE(LayoutPaneModel::otherManagerAmong({RunningApplication{}}));
    EXPECT_FALSE(LayoutPaneModel::otherManagerAmong({}));
}

class EmptyLayoutPaneTest : public LayoutPaneModelTest {
protected:
    EmptyLayoutPaneTest() : LayoutPaneModelTest(QList<MenuBarItem>{}) {}
};

TEST_F(EmptyLayoutPaneTest, TheWaitingHintNeedsThePermissionAndTheDiagnosticsCountItems) {
    EXPECT_TRUE(pane.emptyHintShown());
    EXPECT_EQ(pane.diagnostics(), u"Accessibility on · 0 menu bar items seen"_s);
    EXPECT_TRUE(pane.diagnosticsOk());

    mac.desktop().permissions().setAccessibilityTrusted(false);
    pane.appear();
    settle();
    EXPECT_FALSE(pane.emptyHintShown());
    EXPECT_TRUE(pane.accessibilityBannerShown());
    EXPECT_EQ(pane.diagnostics(), u"Accessibility off · 0 menu bar items seen"_s);
}

TEST(LayoutPaneDiagnosticsTest, CountsEveryItemTheEngineSees) {
    struct Case {
        qsizetype items;
        const char *text;
    };
    const Case cases[] = {
        {1, "Accessibility on · 1 menu bar item seen"},
        {2, "Accessibility on · 2 menu bar items seen"},
        // The system's own items, never in a lane, count here.
        {7, "Accessibility on · 7 menu bar items seen"},
    };
    for (const Case &c : cases) {
        class Fixture : public SettingsFixture {
        public:
            explicit Fixture(qsizetype count)
                : SettingsFixture(MockMenuBarEngine::fixtures().mid(7 - count)) {}
            using SettingsFixture::services;
            using SettingsFixture::view;
        } fixture(c.items);
        LayoutPaneModel pane;
        pane.setView(&fixture.view);
        EXPECT_EQ(pane.diagnostics(), QString::fromUtf8(c.text));
    }
}

} // namespace
} // namespace zorv
