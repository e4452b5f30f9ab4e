#include "workspace/simworkspace.h"
#include "manualclock.h"
#include "simulateddesktop.h"
#include "workspace/applicationicon.h"
#include "workspace/genericicons.h"

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

// What the icon cache relies on: placeholders are recognised by comparing pictures, so each
// type's generic picture equals a separately built one pixel for pixel, the three differ from each
// other and from real icons, and a bundle or file without an icon of its own shows exactly the
// generic picture of its type.
TEST_F(SimWorkspaceTest, GenericPlaceholdersAreRecognisable) {
    const GenericIcons icons;
    const QImage genericApp = icons.application();
    const QImage genericItem = icons.document();
    const struct {
        QString type;
        QImage expected;
    } types[] = {
        {u"public.item"_s, genericItem},          {u"public.data"_s, genericItem},
        {u"public.plain-text"_s, genericItem},    {u"com.apple.application-bundle"_s, genericApp},
        {u"com.apple.application"_s, genericApp}, {u"public.folder"_s, icons.folder()},
    };
    for (const auto &[type, expected] : types) {
        EXPECT_EQ(workspace.iconForType(type), expected) << type.toStdString();
    }
    EXPECT_NE(genericItem, genericApp);
    EXPECT_NE(genericItem, icons.folder());
    EXPECT_NE(genericApp, icons.folder());
    const QImage own = ApplicationIcon{QColor(140, 146, 156), QString()}.render();
    EXPECT_EQ(own.size(), genericApp.size());
    EXPECT_NE(own, genericApp);
    EXPECT_NE(ApplicationIcon({Qt::red, u"A"_s}).render(),
              ApplicationIcon({Qt::blue, u"A"_s}).render());

    workspace.install({u"com.example.plain"_s, u"/Applications/Plain.app"_s, std::nullopt});
    workspace.install({u"com.example.own"_s, u"/Applications/Own.app"_s,
                       ApplicationIcon{QColor(u"#0061fe"_s), u"O"_s}});
    const struct {
        QString path;
        bool generic;
        QImage expected;
    } files[] = {
        {u"/Applications/Plain.app"_s, true, genericApp},
        {u"/Applications/Plain.app/"_s, true, genericApp},
        {u"/Applications/Missing.app"_s, true, genericApp},
        {u"/Users/me/notes.txt"_s, true, genericItem},
        {u"/Applications/Own.app/Contents/Resources/StatusIcon.png"_s, true, genericItem},
        {u"/Applications/Own.app"_s, false, genericApp},
    };
    for (const auto &[path, generic, expected] : files) {
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

    EXPECT_EQ(apps[1], (RunningApplication{own, u"com.example.own"_s, u"Own"_s,
                                           u"/Applications/Own.app"_s, ActivationPolicy::Regular,
                                           workspace.iconForFile(u"/Applications/Own.app"_s)}));
    EXPECT_EQ(apps[2],
              (RunningApplication{stray, u"com.example.stray"_s, u"Stray"_s, std::nullopt,
                                  ActivationPolicy::Regular,
                                  workspace.iconForType(u"com.apple.application-bundle"_s)}));
    EXPECT_FALSE(workspace.applicationPath(u"com.example.stray"_s));
    EXPECT_EQ(apps[3], (RunningApplication{script, std::nullopt, u"python3"_s, std::nullopt,
                                           ActivationPolicy::Accessory, QImage()}));
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
