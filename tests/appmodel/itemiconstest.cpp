#include "itemicons.h"
#include "icons/iconimages.h"
#include "mainthread.h"
#include "manualclock.h"
#include "model/desktopmodel.h"
#include "script/applicationregistry.h"
#include "workspace/simworkspace.h"

#include <QDir>
#include <QTemporaryDir>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QImage solid(QColor color) {
    QImage image(18, 18, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

// What a view shows of an item: its name and the colour in the middle of its icon.
struct Shown {
    QString name;
    QColor middle;
    bool isTemplate = false;

    friend bool operator==(const Shown &, const Shown &) = default;
    friend void PrintTo(const Shown &shown, std::ostream *out) {
        *out << shown.name.toStdString() << " " << shown.middle.name(QColor::HexArgb).toStdString()
             << (shown.isTemplate ? " template" : "");
    }
};

// The simulated workspace, but the icon look-up fails while failures are due.
class FlakyWorkspace final : public Workspace {
public:
    explicit FlakyWorkspace(const Workspace &real) : m_real(real) {}

    QList<RunningApplication> runningApplications() const override {
        return m_real.runningApplications();
    }
    qint32 currentProcessId() const override { return m_real.currentProcessId(); }
    std::optional<RunningApplication> frontmostApplication() const override {
        return m_real.frontmostApplication();
    }
    std::optional<QString> applicationPath(const QString &bundleIdentifier) const override {
        return m_real.applicationPath(bundleIdentifier);
    }
    std::optional<QString> bundleIdentifier(const QString &bundlePath) const override {
        return m_real.bundleIdentifier(bundlePath);
    }
    QImage iconForFile(const QString &path) const override {
        if (failuresDue.load() > 0) {
            --failuresDue;
            throw std::runtime_error("the icon service did not answer");
        }
        return m_real.iconForFile(path);
    }
    QImage iconForType(const QString &typeIdentifier) const override {
        return m_real.iconForType(typeIdentifier);
    }
    bool openUrl(const QUrl &) override { return false; }

    mutable std::atomic<int> failuresDue{0};

private:
    const Workspace &m_real;
};

class ItemIconsTest : public ::testing::Test {
protected:
    // Installs a bundle on disk with its icon and, when given, a menu-bar glyph; launches it.
    qint32 launch(const QString &bundleID, std::optional<QColor> icon,
                  std::optional<QColor> glyph = std::nullopt, bool installed = true) {
        const QString path = apps.filePath(bundleID + u".app"_s);
        QDir().mkpath(path + u"/Contents/Resources"_s);
        if (glyph) {
            EXPECT_TRUE(solid(*glyph).save(path + u"/Contents/Resources/StatusIcon.png"_s));
        }
        if (installed) {
            workspace.install(
                {bundleID, path,
                 icon ? std::optional(ApplicationIcon{*icon, u"A"_s}) : std::nullopt});
        }
        return applications.launch(AppDescription{bundleID, bundleID.section(u'.', -1)});
    }

    // An item of the process, with the process's icon as the engine gives it; a dormant one is
    // named by its title, else by its bundle identifier, as the engine names it.
    MenuBarItem item(const QString &bundleID, qint32 pid, bool dormant = false,
                     std::optional<QString> title = std::nullopt) const {
        std::optional<QImage> icon;
        for (const RunningApplication &app : workspace.runningApplications()) {
            if (app.processId == pid && !app.icon.isNull()) {
                icon = app.icon;
            }
        }
        return MenuBarItem{{bundleID, std::nullopt, title, 0},
                           dormant ? 0 : pid,
                           dormant ? title.value_or(bundleID) : bundleID.section(u'.', -1),
                           QRectF(),
                           dormant ? std::nullopt : icon,
                           std::nullopt,
                           Section::shown,
                           false,
                           dormant,
                           false};
    }

    std::unique_ptr<ItemIcons> make(WorkRunner work = WorkRunner(WorkRunner::Mode::Inline),
                                    const Workspace *through = nullptr) {
        return std::make_unique<ItemIcons>(data.path(), through ? *through : workspace, work,
                                           [this](QList<MenuBarItem> items) {
                                               onMainThread = onMainThread && isMainThread();
                                               published.append(std::move(items));
                                           });
    }

    [[nodiscard]] QList<Shown> lastShown() const {
        QList<Shown> shown;
        for (const MenuBarItem &item : published.value(published.size() - 1)) {
            const std::optional<QImage> &icon = item.appIcon;
            shown.append({item.appName,
                          icon ? icon->pixelColor(icon->width() / 2, icon->height() / 2) : QColor(),
                          item.appIcon && isTemplateImage(*item.appIcon)});
        }
        return shown;
    }

    QTemporaryDir data;
    QTemporaryDir apps;
    ManualClock clock;
    DesktopModel model{clock};
    ApplicationRegistry applications{model};
    SimWorkspace workspace{model};
    QList<QList<MenuBarItem>> published;
    bool onMainThread = true;
};

TEST_F(ItemIconsTest, EachItemShowsWhatItsApplicationOffersAndKeepsItWithoutLookingAgain) {
    const qint32 glyph = launch(u"com.example.glyph"_s, Qt::red, Qt::blue);
    const qint32 own = launch(u"com.example.own"_s, Qt::green);
    const qint32 bare = launch(u"com.example.bare"_s, std::nullopt, std::nullopt, false);
    const QList<MenuBarItem> items{
        item(u"com.example.glyph"_s, glyph), item(u"com.example.own"_s, own),
        item(u"com.example.bare"_s, bare), item(u"com.example.own"_s, 0, true)};
    const QColor ownIcon = items.at(1).appIcon->pixelColor(items.at(1).appIcon->width() / 2,
                                                           items.at(1).appIcon->height() / 2);
    const QList<Shown> expected{{u"glyph"_s, QColor(Qt::blue), true},
                                {u"own"_s, ownIcon, false},
                                {u"bare"_s, QColor(), false},
                                {u"own"_s, ownIcon, false}};
    auto icons = make();
    icons->hydrateIcons(items);
    EXPECT_EQ(lastShown(), expected);
    EXPECT_EQ(published.at(0).at(1).appIcon->cacheKey(), items.at(1).appIcon->cacheKey())
        << "an item whose own icon is the best stays as it is";

    // Nothing about the applications changed: the changed glyph file is not read again.
    ASSERT_TRUE(
        solid(Qt::yellow)
            .save(apps.filePath(u"com.example.glyph.app/Contents/Resources/StatusIcon.png"_s)));
    icons->hydrateIcons(items);
    EXPECT_EQ(lastShown(), expected);

    // A relaunch looks again.
    applications.quit(glyph);
    QList<MenuBarItem> relaunched = items;
    relaunched[0] = item(u"com.example.glyph"_s, launch(u"com.example.glyph"_s, Qt::red));
    icons->hydrateIcons(relaunched);
    EXPECT_EQ(lastShown().at(0), (Shown{u"glyph"_s, QColor(Qt::yellow), true}));
    EXPECT_EQ(published.size(), 3);
}

// A miss is remembered, but not past an icon another item of the application remembers.
TEST_F(ItemIconsTest, AMissIsLookedForAgainOnceTheApplicationsIconIsRemembered) {
    const qint32 first = launch(u"com.example.tool"_s, std::nullopt, std::nullopt, false);
    const qint32 second = launch(u"com.example.tool"_s, std::nullopt, std::nullopt, false);
    QList<MenuBarItem> items{item(u"com.example.tool"_s, first),
                             item(u"com.example.tool"_s, second)};
    items[0].appIcon.reset();
    items[1].appIcon = solid(Qt::magenta);
    auto icons = make();
    icons->hydrateIcons(items);
    EXPECT_EQ(lastShown().at(0).middle, QColor());
    icons->hydrateIcons(items);
    EXPECT_EQ(lastShown().at(0).middle, QColor(Qt::magenta));
}

TEST_F(ItemIconsTest, OnlyTheLatestListIsHandedOnFromTheMainThread) {
    QThreadPool pool;
    const qint32 one = launch(u"com.example.one"_s, Qt::red, Qt::blue);
    const qint32 two = launch(u"com.example.two"_s, Qt::green, Qt::cyan);
    auto icons = make(WorkRunner(WorkRunner::Mode::ThreadPool, &pool));
    icons->hydrateIcons({item(u"com.example.one"_s, one)});
    icons->hydrateIcons({item(u"com.example.one"_s, one), item(u"com.example.two"_s, two)});
    EXPECT_TRUE(published.isEmpty()) << "the file work is off the main thread";
    clock.advance(Duration::zero());
    ASSERT_EQ(published.size(), 1);
    EXPECT_EQ(lastShown(), (QList<Shown>{{u"one"_s, QColor(Qt::blue), true},
                                         {u"two"_s, QColor(Qt::cyan), true}}));
    icons->hydrateIcons({item(u"com.example.two"_s, two)});
    EXPECT_EQ(published.size(), 2) << "nothing changed: handed on at once";
    EXPECT_TRUE(onMainThread);
}

struct NameCase {
    const char *name;
    // Installed with an icon of its own; otherwise it shows the system's generic icon.
    bool ownIcon;
    std::optional<QString> title;

    friend void PrintTo(const NameCase &c, std::ostream *out) { *out << c.name; }
};

class ItemIconsNameTest : public ItemIconsTest, public ::testing::WithParamInterface<NameCase> {};

// A running application's name is remembered at its first sighting, whatever its icon. Once it
// quits, its dormant item, which the engine names by its title or bundle identifier, shows the
// name it ran under, in this run and at the next launch.
TEST_P(ItemIconsNameTest, ADormantItemShowsTheNameItsApplicationRanUnder) {
    const NameCase &c = GetParam();
    const QString bundleID = u"com.example.tool"_s;
    const qint32 pid = launch(bundleID, c.ownIcon ? std::optional<QColor>(Qt::red) : std::nullopt);
    auto icons = make();
    icons->hydrateIcons({item(bundleID, pid, false, c.title)});
    applications.quit(pid);
    const QList<MenuBarItem> dormant{item(bundleID, 0, true, c.title)};
    icons->hydrateIcons(dormant);
    ASSERT_EQ(published.size(), 2);
    EXPECT_EQ(published.at(1).at(0).appName.toStdString(), "tool");

    icons = make();
    icons->hydrateIcons(dormant);
    ASSERT_EQ(published.size(), 3);
    EXPECT_EQ(published.at(2).at(0).appName.toStdString(), "tool") << "at the next launch";

    // Running again under a name that could not be read: the remembered one fills it in.
    MenuBarItem unnamed = item(bundleID, launch(bundleID, std::nullopt), false, c.title);
    unnamed.appName = bundleID;
    icons->hydrateIcons({unnamed});
    ASSERT_EQ(published.size(), 4);
    EXPECT_EQ(published.at(3).at(0).appName.toStdString(), "tool");
}

INSTANTIATE_TEST_SUITE_P(Cases, ItemIconsNameTest,
                         ::testing::Values(NameCase{"OwnIcon", true, std::nullopt},
                                           NameCase{"GenericIcon", false, std::nullopt},
                                           NameCase{"Titled", true, u"12 KB/s"_s}),
                         [](const auto &info) { return std::string(info.param.name); });

struct FailedLookUpCase {
    const char *name;
    bool onThePool;
    // Another list comes while the failing job is on its way.
    bool newerListMeanwhile;
};

class ItemIconsFailedLookUpTest : public ItemIconsTest,
                                  public ::testing::WithParamInterface<FailedLookUpCase> {};

// A look-up that fails hands nothing on and is not remembered as a miss: the list that comes
// next, whether it came while the job failed or after, is still handed on with the icon.
TEST_P(ItemIconsFailedLookUpTest, TheNextListIsStillHandedOnWithTheIcon) {
    const FailedLookUpCase &c = GetParam();
    QThreadPool pool;
    FlakyWorkspace flaky(workspace);
    const qint32 one = launch(u"com.example.one"_s, Qt::red);
    const qint32 two = launch(u"com.example.two"_s, Qt::green);
    auto icons = make(c.onThePool ? WorkRunner(WorkRunner::Mode::ThreadPool, &pool)
                                  : WorkRunner(WorkRunner::Mode::Inline),
                      &flaky);
    const QList<MenuBarItem> first{item(u"com.example.one"_s, one)};
    const QList<MenuBarItem> second{item(u"com.example.one"_s, one),
                                    item(u"com.example.two"_s, two)};
    flaky.failuresDue = 1;
    icons->hydrateIcons(first);
    if (c.newerListMeanwhile) {
        icons->hydrateIcons(second);
    }
    clock.advance(Duration::zero());
    EXPECT_EQ(flaky.failuresDue.load(), 0);
    if (!c.newerListMeanwhile) {
        EXPECT_TRUE(published.isEmpty()) << "a failed look-up hands nothing on";
        icons->hydrateIcons(second);
        clock.advance(Duration::zero());
    }
    ASSERT_EQ(published.size(), 1);
    EXPECT_EQ(lastShown(), (QList<Shown>{{u"one"_s, QColor(Qt::red), false},
                                         {u"two"_s, QColor(Qt::green), false}}));
    icons->hydrateIcons(second);
    EXPECT_EQ(published.size(), 2) << "what was found is remembered";
    EXPECT_TRUE(onMainThread);
}

INSTANTIATE_TEST_SUITE_P(Cases, ItemIconsFailedLookUpTest,
                         ::testing::Values(FailedLookUpCase{"Inline", false, false},
                                           FailedLookUpCase{"OnThePool", true, false},
                                           FailedLookUpCase{"OnThePoolWithANewerListMeanwhile",
                                                            true, true}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
