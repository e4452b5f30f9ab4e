#include "workspace/simworkspace.h"
#include "manualclock.h"
#include "simulateddesktop.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QThread>

#include <thread>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

class SimWorkspaceTest : public ::testing::Test {
protected:
    ManualClock clock;
    SimulatedDesktop desktop{clock, AppDescription{u"app.zorv.Zorv"_s, u"Zorv"_s}};
    SimWorkspace workspace{desktop.model()};

    qint32 launch(const QString &bundleId, const QString &name) {
        return desktop.applications().launch(
            AppDescription{bundleId, name, ActivationPolicy::Regular, 300.0});
    }
};

// What the icon cache relies on: a bundle or file without an icon of its own shows exactly the
// generic picture of its type, and a real icon never equals one.
TEST_F(SimWorkspaceTest, GenericPlaceholdersAreRecognisable) {
    workspace.install({u"com.example.plain"_s, u"/Applications/Plain.app"_s, std::nullopt});
    workspace.install({u"com.example.own"_s, u"/Applications/Own.app"_s,
                       ApplicationIcon{QColor(u"#0061fe"_s), u"O"_s}});
    const QImage genericApp = workspace.iconForType(u"com.apple.application-bundle"_s);
    const QImage genericItem = workspace.iconForType(u"public.item"_s);
    EXPECT_EQ(genericItem, workspace.iconForType(u"public.data"_s));

    const struct {
        QString path;
        bool generic;
        QImage expected;
    } cases[] = {
        {u"/Applications/Plain.app"_s, true, genericApp},
        {u"/Applications/Plain.app/"_s, true, genericApp},
        {u"/Applications/Missing.app"_s, true, genericApp},
        {u"/Users/me/notes.txt"_s, true, genericItem},
        {u"/Applications/Own.app/Contents/Resources/StatusIcon.png"_s, true, genericItem},
        {u"/Applications/Own.app"_s, false, genericApp},
    };
    for (const auto &[path, generic, expected] : cases) {
        const QImage icon = workspace.iconForFile(path);
        EXPECT_FALSE(icon.isNull()) << path.toStdString();
        EXPECT_EQ(icon == expected, generic) << path.toStdString();
    }
    EXPECT_NE(workspace.iconForFile(u"/Applications/Own.app"_s), genericItem);
}

TEST_F(SimWorkspaceTest, RunningApplicationsCarryInstalledPathAndIcon) {
    workspace.install({u"com.example.own"_s, u"/Applications/Own.app"_s,
                       ApplicationIcon{QColor(u"#ff6363"_s), u"O"_s}});
    const qint32 own = launch(u"com.example.own"_s, u"Own"_s);
    const qint32 stray = launch(u"com.example.stray"_s, u"Stray"_s);
    const qint32 script = desktop.applications().launch(AppDescription{std::nullopt, u"python3"_s});

    const QList<RunningApplication> apps = workspace.runningApplications();
    ASSERT_EQ(apps.size(), 4);
    EXPECT_EQ(apps[0].processId, workspace.currentProcessId());
    EXPECT_EQ(apps[0].bundleIdentifier, u"app.zorv.Zorv"_s);

    EXPECT_EQ(apps[1].processId, own);
    EXPECT_EQ(apps[1].bundlePath, u"/Applications/Own.app"_s);
    EXPECT_EQ(apps[1].icon, workspace.iconForFile(u"/Applications/Own.app"_s));

    EXPECT_EQ(apps[2].processId, stray);
    EXPECT_FALSE(apps[2].bundlePath);
    EXPECT_EQ(apps[2].icon, workspace.iconForType(u"com.apple.application-bundle"_s));
    EXPECT_FALSE(workspace.applicationPath(u"com.example.stray"_s));

    EXPECT_EQ(apps[3].processId, script);
    EXPECT_FALSE(apps[3].bundleIdentifier);
    EXPECT_TRUE(apps[3].icon.isNull());
}

// Observers see launches, activations and terminations in the order they happened, on the main
// thread, also when the change was made on a worker thread.
TEST_F(SimWorkspaceTest, NotificationsArriveInOrderOnTheMainThread) {
    QStringList seen;
    bool offMainThread = false;
    auto record = [&](const QString &kind) {
        return [&, kind](const RunningApplication &app) {
            seen.append(kind + u' ' + app.localizedName.value_or(QString()));
            offMainThread |= QThread::currentThread() != qApp->thread();
        };
    };
    QObject::connect(&workspace, &Workspace::applicationLaunched, record(u"launched"_s));
    QObject::connect(&workspace, &Workspace::applicationActivated, record(u"activated"_s));
    QObject::connect(&workspace, &Workspace::applicationTerminated, record(u"terminated"_s));

    const qint32 mail = launch(u"com.apple.mail"_s, u"Mail"_s);
    qint32 notes = 0;
    std::thread worker([&] {
        notes = launch(u"com.apple.Notes"_s, u"Notes"_s);
        desktop.applications().activate(mail);
        desktop.applications().activate(notes);
    });
    worker.join();
    clock.settle();
    ASSERT_TRUE(workspace.frontmostApplication());
    EXPECT_EQ(workspace.frontmostApplication()->processId, notes);

    // Quitting the frontmost application brings the one activated before it to the front.
    desktop.applications().quit(notes);
    clock.settle();

    EXPECT_EQ(seen,
              (QStringList{u"launched Mail"_s, u"launched Notes"_s, u"activated Mail"_s,
                           u"activated Notes"_s, u"terminated Notes"_s, u"activated Mail"_s}));
    EXPECT_FALSE(offMainThread);
    EXPECT_EQ(workspace.frontmostApplication()->processId, mail);
}

TEST_F(SimWorkspaceTest, OpenedUrlsAreRecorded) {
    const QUrl settings(
        u"x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"_s);
    EXPECT_TRUE(workspace.openUrl(settings));
    EXPECT_TRUE(workspace.openUrl(QUrl(u"https://example.com/report"_s)));
    EXPECT_FALSE(workspace.openUrl(QUrl(u"gopher://old.example"_s)));
    EXPECT_FALSE(workspace.openUrl(QUrl()));
    EXPECT_EQ(workspace.openedUrls(),
              (QList<QUrl>{settings, QUrl(u"https://example.com/report"_s)}));
}

} // namespace
} // namespace zorv
