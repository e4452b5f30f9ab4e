#include "appwindow.h"
#include "onboardingcontroller.h"
#include "settingsfixture.h"
#include "welcomewindowmodel.h"

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Another Mac with its own model and windows, for cases that each need a tour of their own.
struct OtherMac : SettingsFixture {
    using SettingsFixture::clock;
    using SettingsFixture::engine;
    using SettingsFixture::mac;
    using SettingsFixture::model;
    using SettingsFixture::view;
};

class WelcomeWindowTest : public ::testing::Test, protected SettingsFixture {
protected:
    WelcomeWindowTest() {
        controller.setOnFinished([this] {
            ++followUps;
            pendingAtFollowUp = view.pendingSettingsPane();
        });
    }

    void setTrusted(bool trusted) { mac.desktop().permissions().setAccessibilityTrusted(trusted); }
    [[nodiscard]] WelcomeWindowModel &tour() { return *controller.model(); }
    void press(int key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(controller.window(), Qt::Key(key), modifiers);
        settle();
    }
    [[nodiscard]] QQuickItem *item(const QString &name) const {
        return controller.window()->findChild<QQuickItem *>(name);
    }

    OnboardingController controller{engine, view, mac.desktop().appWindows()};
    int followUps = 0;
    QString pendingAtFollowUp;
};

// What each page shows in its footer, and what Return does there.
TEST_F(WelcomeWindowTest, EachPageHasItsButtonsAndReturnMovesOn) {
    setTrusted(false);
    controller.show();
    settle();
    struct Page {
        int page;
        QString primary;
        bool back;
        bool done;
    };
    const std::vector<Page> pages = {
        {0, u"Continue"_s, false, false},
        {1, u"Continue Anyway"_s, true, false},
        {2, u"Open Menu Bar Layout"_s, true, true},
    };
    for (const Page &p : pages) {
        EXPECT_EQ(tour().page(), p.page);
        EXPECT_EQ(tour().dot(), p.page) << "the lit dot is the page's own";
        EXPECT_EQ(tour().primaryTitle(), p.primary) << p.page;
        EXPECT_EQ(tour().backShown(), p.back) << p.page;
        EXPECT_EQ(tour().doneShown(), p.done) << p.page;
        EXPECT_EQ(item(u"back"_s)->isVisible(), p.back) << p.page;
        EXPECT_EQ(item(u"done"_s)->isVisible(), p.done) << p.page;
        if (p.page < 2) {
            tour().done();
            ASSERT_TRUE(controller.model()) << "Done finishes only on the last page";
            tour().advance();
        }
    }
    tour().back();
    tour().back();
    EXPECT_EQ(tour().page(), 0);
    tour().back();
    EXPECT_EQ(tour().page(), 0);
}

TEST_F(WelcomeWindowTest, TheKeysReturnEscapeAndCommandReturn) {
    controller.show();
    settle();
    QQuickWindow *window = controller.window();
    struct Key {
        const char *label;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int pageAfter;
    };
    // Only Return (and the keypad's Enter) presses the default button.
    const std::vector<Key> keys = {
        {"Escape", Qt::Key_Escape, Qt::NoModifier, 0},
        {"CommandReturn", Qt::Key_Return, Qt::ControlModifier, 0},
        {"Return", Qt::Key_Return, Qt::NoModifier, 1},
        {"Escape", Qt::Key_Escape, Qt::NoModifier, 1},
        {"Enter", Qt::Key_Enter, Qt::KeypadModifier, 2},
        {"CommandReturn", Qt::Key_Return, Qt::ControlModifier, 2},
    };
    for (const Key &k : keys) {
        press(k.key, k.modifiers);
        ASSERT_TRUE(controller.model()) << k.label;
        EXPECT_EQ(tour().page(), k.pageAfter) << k.label;
        EXPECT_TRUE(controller.appWindow()->isVisible()) << k.label;
    }
    EXPECT_FALSE(view.settings()->onboardingCompleted());
    // On the last page Return is Open Menu Bar Layout.
    QTest::keyClick(window, Qt::Key_Return);
    settle();
    EXPECT_EQ(controller.window(), nullptr);
    EXPECT_TRUE(view.settings()->onboardingCompleted());
    EXPECT_EQ(followUps, 1);
}

TEST_F(WelcomeWindowTest, BothLastButtonsCompleteTheTourAndOnlyTheLayoutOneOpensSettings) {
    struct Case {
        const char *label;
        bool openLayout;
        bool followUpSet;
        int followUps;
        QString pendingAfter;
    };
    const std::vector<Case> cases = {
        {"Done", false, true, 0, QString()},
        {"OpenLayout", true, true, 1, u"arrange"_s},
        // Without a follow-up nothing is left waiting for the next time Settings opens.
        {"OpenLayoutWithoutFollowUp", true, false, 0, QString()},
    };
    for (const Case &c : cases) {
        OtherMac fresh;
        OnboardingController onboarding(fresh.engine, fresh.view, fresh.mac.desktop().appWindows());
        int calls = 0;
        QString pending;
        if (c.followUpSet) {
            onboarding.setOnFinished([&] {
                ++calls;
                pending = fresh.view.pendingSettingsPane();
            });
        }
        onboarding.show();
        fresh.clock.settle();
        WelcomeWindowModel &model = *onboarding.model();
        model.advance();
        model.advance();
        c.openLayout ? model.advance() : model.done();
        fresh.clock.settle();
        EXPECT_TRUE(fresh.model.settings().onboardingCompleted) << c.label;
        EXPECT_TRUE(fresh.view.lastSavedAt().isValid()) << c.label << ": saved";
        EXPECT_EQ(onboarding.window(), nullptr) << c.label;
        EXPECT_EQ(calls, c.followUps) << c.label;
        if (c.followUps > 0) {
            EXPECT_EQ(pending, u"arrange"_s) << c.label << ": Settings opens on Menu Bar Layout";
        }
        EXPECT_EQ(fresh.view.pendingSettingsPane(), c.pendingAfter) << c.label;
    }
}

TEST_F(WelcomeWindowTest, ClosingIsNotFinishingAndAFinishedTourStartsAgainOnItsFirstPage) {
    controller.show();
    settle();
    QQuickWindow *first = controller.window();
    tour().advance();
    first->close();
    settle();
    EXPECT_FALSE(controller.appWindow()->isVisible());
    EXPECT_FALSE(tour().isPolling());
    EXPECT_FALSE(model.settings().onboardingCompleted);

    controller.show();
    settle();
    EXPECT_EQ(controller.window(), first);
    EXPECT_EQ(tour().page(), 1) << "the closed tour comes back as it was";
    EXPECT_TRUE(controller.appWindow()->isVisible());
    EXPECT_EQ(controller.appWindow()->contentSize(), QSizeF(560, 440));

    tour().advance();
    tour().done();
    settle();
    controller.show();
    settle();
    ASSERT_TRUE(controller.window());
    EXPECT_EQ(tour().page(), 0);
}

TEST_F(WelcomeWindowTest, TheAccessibilityPageFollowsTheTrustWithinASecond) {
    struct Case {
        const char *label;
        bool trustedAtStart;
    };
    for (const Case &c : {Case{"GrantedLater", false}, Case{"GrantedBefore", true}}) {
        OtherMac fresh;
        fresh.mac.desktop().permissions().setAccessibilityTrusted(c.trustedAtStart);
        OnboardingController onboarding(fresh.engine, fresh.view, fresh.mac.desktop().appWindows());
        onboarding.show();
        fresh.clock.settle();
        WelcomeWindowModel &model = *onboarding.model();
        model.advance();
        EXPECT_EQ(model.axTrusted(), c.trustedAtStart) << c.label;
        EXPECT_EQ(model.primaryTitle(), c.trustedAtStart ? u"Continue"_s : u"Continue Anyway"_s)
            << c.label;

        fresh.mac.desktop().permissions().setAccessibilityTrusted(true);
        fresh.mac.advance(1.0);
        EXPECT_TRUE(model.axTrusted()) << c.label;
        EXPECT_EQ(model.primaryTitle(), u"Continue"_s) << c.label;
        EXPECT_EQ(model.page(), 1) << c.label << ": the poll never turns the page";
        auto *note = onboarding.window()->findChild<QQuickItem *>(u"trustedNote"_s);
        ASSERT_TRUE(note) << c.label;
        EXPECT_TRUE(note->isVisible()) << c.label;
    }
}

TEST_F(WelcomeWindowTest, NoPollRunsWhileTheWindowIsAway) {
    setTrusted(false);
    controller.show();
    settle();
    controller.window()->close();
    settle();
    setTrusted(true);
    mac.advance(5);
    EXPECT_FALSE(tour().axTrusted());
    controller.show();
    settle();
    EXPECT_TRUE(tour().axTrusted()) << "showing again reads the trust at once";
}

TEST_F(WelcomeWindowTest, TheLastPageFollowsTheClickSettingAndTheHotKeys) {
    controller.show();
    settle();
    const auto texts = [&] {
        QStringList lines;
        for (const QVariant &line : tour().readyLines()) {
            lines.append(line.toMap().value(u"text"_s).toString());
        }
        return lines;
    };
    view.settings()->setIconClickOpensMenu(true);
    EXPECT_EQ(texts().at(0), u"Right-click Zorv's icon to reveal or hide your hidden items"_s);
    EXPECT_EQ(texts().at(2), u"Click Zorv's icon for its menu and Settings"_s);
    EXPECT_EQ(texts().at(4), u"{⌥⌘S} reveals everything, from any app"_s);
    EXPECT_EQ(texts().at(5), u"{⌥⌘F} finds a menu bar item by name"_s);

    QSignalSpy changed(&tour(), &WelcomeWindowModel::readyLinesChanged);
    view.settings()->setIconClickOpensMenu(false);
    view.settings()->setRevealShortcut(
        QVariantMap{{u"keyCode"_s, 17}, {u"modifiers"_s, int(KeyShortcut::kControl)}});
    EXPECT_GE(changed.size(), 2);
    EXPECT_EQ(texts().at(0), u"Click Zorv's icon to reveal or hide your hidden items"_s);
    EXPECT_EQ(texts().at(2), u"Right-click Zorv's icon for its menu and Settings"_s);
    EXPECT_EQ(texts().at(4), u"{⌃T} reveals everything, from any app"_s);
}

} // namespace
} // namespace zorv
