#include "aboutpanemodel.h"
#include "settingsfixture.h"
#include "updatescardmodel.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// Only a leading home folder, ended at a folder boundary, becomes "~".
TEST(AboutPaneTest, WritesOnlyALeadingHomeFolderAsTilde) {
    struct Case {
        const char16_t *path;
        const char16_t *home;
        const char16_t *shown;
    };
    const Case cases[] = {
        {u"/Users/ann/Library/Application Support/Zorv", u"/Users/ann",
         u"~/Library/Application Support/Zorv"},
        {u"/Users/ann", u"/Users/ann", u"~"},
        {u"/Users/ann/x", u"/Users/ann/", u"~/x"},
        {u"/Users/anna/x", u"/Users/ann", u"/Users/anna/x"},
        {u"/Users/annex", u"/Users/ann", u"/Users/annex"},
        {u"/backup/Users/ann/x", u"/Users/ann", u"/backup/Users/ann/x"},
        {u"/Users/ann/a/Users/ann/b", u"/Users/ann", u"~/a/Users/ann/b"},
        {u"/Users/ANN/x", u"/Users/ann", u"/Users/ANN/x"},
        {u"/var/zorv", u"/", u"/var/zorv"},
        {u"/var/zorv", u"", u"/var/zorv"},
    };
    for (const Case &c : cases) {
        const QString path = QString::fromUtf16(c.path);
        EXPECT_EQ(AboutPaneModel::homeRelative(path, QString::fromUtf16(c.home)),
                  QString::fromUtf16(c.shown))
            << path.toStdString() << " in " << QString::fromUtf16(c.home).toStdString();
    }
}

// The offered version, text from the network, is one escaped path segment of the release notes'
// address; an empty one makes no address.
TEST(UpdatesCardTest, ReleaseNotesAddressEscapesTheVersion) {
    struct Case {
        const char16_t *version;
        const char *url;
    };
    const Case cases[] = {
        {u"2.1", "https://zorv.app/release-notes/Zorv-2.1.html"},
        {u"2.1 beta", "https://zorv.app/release-notes/Zorv-2.1%20beta.html"},
        {u"1.0/../../admin", "https://zorv.app/release-notes/Zorv-1.0%2F..%2F..%2Fadmin.html"},
        {u"2.1?token=x#top", "https://zorv.app/release-notes/Zorv-2.1%3Ftoken%3Dx%23top.html"},
        {u"@evil.example", "https://zorv.app/release-notes/Zorv-%40evil.example.html"},
        {u"100%", "https://zorv.app/release-notes/Zorv-100%25.html"},
        {u"2.1\u00e9", "https://zorv.app/release-notes/Zorv-2.1%C3%A9.html"},
    };
    for (const Case &c : cases) {
        const std::optional<QUrl> url =
            UpdatesCardModel::releaseNotesUrl(QString::fromUtf16(c.version));
        ASSERT_TRUE(url) << c.url;
        EXPECT_EQ(url->toString(QUrl::FullyEncoded).toStdString(), c.url);
        EXPECT_EQ(url->host(), u"zorv.app"_s);
        EXPECT_FALSE(url->hasQuery()) << c.url;
        EXPECT_FALSE(url->hasFragment()) << c.url;
    }
    EXPECT_FALSE(UpdatesCardModel::releaseNotesUrl(QString()));
}

class UpdatesCardFixture : public ::testing::Test, protected SettingsFixture {
protected:
    UpdatesCardFixture() {
        card.setView(&view);
        card.setProperty("services", QVariant::fromValue(&services));
    }

    void status(UpdateAvailability availability, bool canUpdate, bool checking = false,
                std::optional<QDateTime> lastChecked = std::nullopt) {
        model.setUpdateStatus(UpdateStatus{std::move(availability), checking, false,
                                           std::move(lastChecked), canUpdate});
    }

    UpdatesCardModel card;
};

// The status row's texts and buttons follow the update status.
TEST_F(UpdatesCardFixture, ShowsTheButtonsThatFitTheStatus) {
    struct Case {
        const char *name;
        UpdateAvailability availability;
        bool canUpdate;
        bool checking;
        const char16_t *line;
        const char16_t *note;
        bool offered;
        bool releaseNotes;
        bool checkNow;
    };
    const Case cases[] = {
        {"offered", UpdateAvailability::available(u"2.1"_s), true, false,
         u"Version 2.1 is available.", u"Never checked", true, true, true},
        {"offered with no version text", UpdateAvailability::available(QString()), true, false,
         u"Version  is available.", u"Never checked", false, false, true},
        {"up to date", UpdateAvailability::upToDate(), true, false, u"You're up to date.",
         u"Never checked", false, false, true},
        {"checking", UpdateAvailability::upToDate(), true, true, u"Checking\u2026",
         u"Never checked", false, false, false},
        {"cannot update", UpdateAvailability::unknown(), false, false, u"Not checked yet.",
         u"Move Zorv to Applications to get updates.", false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        status(c.availability, c.canUpdate, c.checking);
        EXPECT_EQ(card.statusLine(), QString::fromUtf16(c.line));
        EXPECT_EQ(card.note(), QString::fromUtf16(c.note));
        EXPECT_EQ(card.offered(), c.offered);
        EXPECT_EQ(card.releaseNotesShown(), c.releaseNotes);
        EXPECT_EQ(card.checkNowEnabled(), c.checkNow);
    }
    status(UpdateAvailability::available(u"2.1"_s), true);
    EXPECT_EQ(card.installTitle(), u"Install v2.1"_s);
}

// The note tells when the last check was, on the services' clock.
TEST_F(UpdatesCardFixture, NotesTheLastCheck) {
    status(UpdateAvailability::upToDate(), true, false, clock.wallNow().addSecs(-60));
    EXPECT_TRUE(card.note().startsWith(u"Last check: Today, "_s)) << card.note().toStdString();
}

// Each button calls the shell's command only when the card offers it, and the release notes open
// in the browser.
TEST_F(UpdatesCardFixture, ButtonsCallTheShellOnlyWhenOffered) {
    QSignalSpy checks(&model, &AppModel::checkForUpdatesNowRequested);
    QSignalSpy installs(&model, &AppModel::installUpdateRequested);

    status(UpdateAvailability::upToDate(), true, true);
    card.checkNow();
    status(UpdateAvailability::upToDate(), false);
    card.checkNow();
    card.install();
    card.openReleaseNotes();
    EXPECT_EQ(checks.size(), 0);
    EXPECT_EQ(installs.size(), 0);

    status(UpdateAvailability::upToDate(), true);
    card.checkNow();
    EXPECT_EQ(checks.size(), 1);

    status(UpdateAvailability::available(u"2.1/x"_s), true);
    card.install();
    EXPECT_EQ(installs.size(), 1);
    card.openReleaseNotes();
    EXPECT_EQ(mac.workspace().openedUrls(), QList<QUrl>{}) << "no workspace in the facts";
}

// The switch shows only once the updater has told its setting; a flip reaches the updater.
TEST_F(UpdatesCardFixture, AutomaticChecksSwitchWaitsForTheUpdater) {
    QSignalSpy toggled(&model, &AppModel::automaticUpdateChecksToggled);
    EXPECT_FALSE(card.automaticChecksShown());
    card.setAutomaticChecks(true);
    EXPECT_EQ(model.automaticUpdateChecks(), std::nullopt);

    model.setAutomaticUpdateChecks(true);
    EXPECT_TRUE(card.automaticChecksShown());
    EXPECT_TRUE(card.automaticChecks());
    card.setAutomaticChecks(false);
    EXPECT_FALSE(card.automaticChecks());
    ASSERT_EQ(toggled.size(), 1);
    EXPECT_EQ(toggled[0][0].toBool(), false);
}

// Version 1.4 at commit 3f2a9c1.
Build build() {
    BuildStamp stamp;
    stamp.sha = u"3f2a9c1"_s;
    BundleFacts bundle;
    bundle.version = u"1.4"_s;
    return Build(stamp, bundle);
}

// The About pane with the facts of a build: its texts, and where its buttons go.
class AboutPaneFixture : public ::testing::Test, protected SettingsFixture {
protected:
    AboutPaneFixture() {
        pane.setProperty("view", QVariant::fromValue(&view));
        pane.setServices(&about);
        card.setView(&view);
        card.setProperty("services", QVariant::fromValue(&about));
    }

    SettingsServices about{clock, panels, viewer, mac.desktop().scripting(),
                           AboutFacts{
                               .build = build(),
                               .icon = {},
                               .dataFolder = u"/Users/ann/Library/Application Support/Zorv"_s,
                               .homeFolder = u"/Users/ann"_s,
                               .workspace = &mac.workspace(),
                           }};
    AboutPaneModel pane;
    UpdatesCardModel card;
};

TEST_F(AboutPaneFixture, TextsAndActions) {
    EXPECT_EQ(pane.kicker(), u"Zorv v1.4"_s);
    EXPECT_TRUE(pane.credit().contains(u"v1.4 · 3f2a9c1"_s)) << pane.credit().toStdString();
    EXPECT_EQ(pane.dataFolder(), u"~/Library/Application Support/Zorv"_s);
    EXPECT_EQ(pane.supportNote(), u"zorv.app"_s);
    EXPECT_EQ(pane.iconSource(), QString()) << "no icon, no picture";

    QSignalSpy replays(&model, &AppModel::replayOnboardingRequested);
    pane.openProductSite();
    pane.openMakerSite();
    pane.showDataFolder();
    pane.replayWelcomeTour();
    model.setUpdateStatus(
        UpdateStatus{UpdateAvailability::available(u"2.1"_s), false, false, std::nullopt, true});
    card.openReleaseNotes();
    EXPECT_EQ(mac.workspace().openedUrls(),
              (QList<QUrl>{QUrl(u"https://zorv.app"_s), QUrl(u"https://brindlecot.com"_s),
                           QUrl(u"https://zorv.app/release-notes/Zorv-2.1.html"_s)}));
    EXPECT_EQ(viewer.revealedFiles(),
              QStringList{u"/Users/ann/Library/Application Support/Zorv"_s});
    EXPECT_EQ(replays.size(), 1);
}

} // namespace
} // namespace zorv
