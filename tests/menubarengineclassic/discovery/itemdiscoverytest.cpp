#include "discovery/itemdiscovery.h"
#include "coroutinetest.h"
#include "desktoptest.h"
#include "discovery/ax.h"
#include "workrunner.h"
#include "workspace/simworkspace.h"

#include <limits>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

class ItemDiscoveryTest : public DesktopTest {
protected:
    void SetUp() override {
        addLaptop();
        addSystemItems();
    }

    // A full scan on a worker thread, as the engine runs it.
    QList<DiscoveredItem> scan(QSet<qint32> *unanswered = nullptr) {
        auto work = [this, unanswered] { return discovery.scan(std::nullopt, unanswered); };
        return runTask(runner.run(std::move(work)));
    }

    quint64 addPlain(qint32 processId, double length, const QString &title = {}) {
        ItemDescription description;
        description.length = length;
        description.title = title;
        return desktop.items().add(processId, description).value();
    }

    QList<int> ordinalsOf(const QList<DiscoveredItem> &items, const QString &bundleID) {
        QList<int> ordinals;
        for (const DiscoveredItem &item : items) {
            if (item.bundleID == bundleID) {
                ordinals.append(item.ordinal);
            }
        }
        return ordinals;
    }

    SimWorkspace workspace{desktop.model()};
    ItemDiscovery discovery{desktop.accessibility(), workspace};
    WorkRunner runner;
};

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct ReadingCase {
    const char *name;
    AttributeFault barFault;
    QList<std::pair<const char *, std::optional<AXAttributeValue>>> overrides;
    bool found;
    std::optional<QString> title;
};

class ItemReading : public ItemDiscoveryTest, public ::testing::WithParamInterface<ReadingCase> {};

TEST_P(ItemReading, TurnsEveryFaultIntoAMissingValue) {
    const qint32 app = launch(u"com.example.tools"_s);
    const quint64 item = addPlain(app, 24.0, u"Tools"_s);
    desktop.applications().setExtrasBarFault(app, GetParam().barFault);
    for (const auto &[attribute, value] : GetParam().overrides) {
        desktop.items().overrideAttribute(item, QString::fromLatin1(attribute), value);
    }
    settle();
    QList<DiscoveredItem> items = scan();
    items.removeIf([&](const DiscoveredItem &found) { return found.pid != app; });
    ASSERT_EQ(items.size(), GetParam().found ? 1 : 0);
    if (GetParam().found) {
        EXPECT_EQ(items[0].title, GetParam().title);
        EXPECT_EQ(items[0].frame, entry(item).frame);
    }
}

using enum AttributeFault;

INSTANTIATE_TEST_SUITE_P(
    Cases, ItemReading,
    ::testing::Values(
        ReadingCase{"NoExtrasBar", Missing, {}, false, {}},
        ReadingCase{"ExtrasBarOfWrongType", WrongType, {}, false, {}},
        ReadingCase{"SizeUnreadable", None, {{"AXSize", u"wide"_s}}, false, {}},
        ReadingCase{"InfiniteWidth", None, {{"AXSize", QSizeF(infinity, 22)}}, false, {}},
        ReadingCase{"NaNPosition", None, {{"AXPosition", QPointF(nan, 0)}}, false, {}},
        ReadingCase{"AbsurdPosition", None, {{"AXPosition", QPointF(400, -2e6)}}, false, {}},
        ReadingCase{"AbsurdWidth", None, {{"AXSize", QSizeF(1e6 + 1, 22)}}, false, {}},
        ReadingCase{"EmptyTitleFallsBackToDescription",
                    None,
                    {{"AXTitle", u""_s}, {"AXDescription", u"Battery"_s}},
                    true,
                    u"Battery"_s},
        ReadingCase{"HelpIsTheLastResort",
                    None,
                    {{"AXTitle", std::nullopt}, {"AXHelp", u"Sync"_s}},
                    true,
                    u"Sync"_s},
        ReadingCase{"NoTitleAtAll",
                    None,
                    {{"AXTitle", u""_s}, {"AXDescription", u""_s}},
                    true,
                    std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ItemDiscoveryTest, ListsOtherApplicationsLeftToRightWithUniqueIdentifiers) {
    const qint32 tools = launch(u"com.example.tools"_s);
    const qint32 helper = desktop.applications().launch(AppDescription{});
    // Each new item goes to the left end.
    for (const char *name : {"twin", "solo", "twin", ""}) {
        addItem(tools, 24.0, QString::fromLatin1(name));
    }
    addItem(helper, 24.0, u"twin"_s);
    addItem(tools, 24.0, u"left"_s);
    auto own = desktop.statusBar().createStatusItem(StatusBar::squareLength);
    settle();

    const QString helperBundle = u"pid:"_s + QString::number(helper);
    QList<QString> seen;
    for (const DiscoveredItem &item : scan()) {
        if (item.pid == helper) {
            EXPECT_EQ(item.appName, helperBundle);
        }
        seen.append(item.bundleID.section(u'.', -1) + u'=' + item.axIdentifier.value_or(u"-"_s));
    }
    EXPECT_EQ(seen, (QList<QString>{u"tools=left"_s, helperBundle + u"=twin"_s, u"tools=-"_s,
                                    u"tools=-"_s, u"tools=solo"_s, u"tools=-"_s,
                                    u"controlcenter=-"_s, u"controlcenter=-"_s}))
        << "interleaved by position, identifiers unique per application, never our own item";
}

TEST_F(ItemDiscoveryTest, OrdinalsStayWhileItemsChangeAndRestartAfterRelaunch) {
    const QString bundle = u"com.example.meters"_s;
    const qint32 meters = launch(bundle);
    const quint64 cpu = addPlain(meters, 30.0, u"CPU 3%"_s);
    const quint64 net = addPlain(meters, 40.0, u"Net"_s);
    addPlain(meters, 22.0);
    settle();
    ASSERT_EQ(ordinalsOf(scan(), bundle), (QList<int>{0, 1, 2}));

    desktop.items().setTitle(net, u"Net 12 KB/s"_s);
    desktop.items().setTitle(cpu, u"CPU 97%"_s);
    desktop.items().setLength(cpu, 44.0);
    settle();
    EXPECT_EQ(ordinalsOf(scan(), bundle), (QList<int>{0, 1, 2}));

    desktop.applications().quit(meters);
    settle();
    EXPECT_TRUE(ordinalsOf(scan(), bundle).isEmpty());
    EXPECT_EQ(discovery.registeredApplications(), 1) << "only the system items' process";
    const qint32 again = launch(bundle);
    addPlain(again, 22.0);
    settle();
    EXPECT_EQ(ordinalsOf(scan(), bundle), QList<int>{0});
    EXPECT_EQ(discovery.freshAssignments(), 2 + 3 + 1);
}

// Neither a revoked permission nor a hung application shows that items are gone: ordinals stay.
TEST_F(ItemDiscoveryTest, UnreadableApplicationsKeepTheirOrdinals) {
    const QString stuckBundle = u"com.example.stuck"_s;
    const qint32 stuck = launch(stuckBundle);
    addPlain(stuck, 24.0);
    addPlain(stuck, 30.0);
    addPlain(launch(u"com.example.fine"_s), 24.0);
    settle();
    ASSERT_EQ(ordinalsOf(scan(), stuckBundle), (QList<int>{0, 1}));

    desktop.permissions().setAccessibilityTrusted(false);
    EXPECT_TRUE(scan().isEmpty());
    desktop.permissions().setAccessibilityTrusted(true);
    desktop.applications().setHung(stuck, true);
    QSet<qint32> unanswered;
    const MonotonicTime before = clock.now();
    const QList<DiscoveredItem> items = scan(&unanswered);
    EXPECT_EQ(clock.now() - before, seconds(AX::barMessagingTimeout)) << "one time-out";
    EXPECT_EQ(ordinalsOf(items, u"com.example.fine"_s), QList<int>{0});
    EXPECT_EQ(unanswered, QSet<qint32>{stuck});

    desktop.applications().setHung(stuck, false);
    desktop.items().setLength(desktop.items().itemsOf(stuck).front(), 40.0);
    settle();
    EXPECT_EQ(ordinalsOf(scan(), stuckBundle), (QList<int>{0, 1}));
    EXPECT_EQ(discovery.freshAssignments(), 2 + 1 + 2);
    EXPECT_EQ(desktop.readout().mainThreadAccessibilityReads(), 0);
}

} // namespace
} // namespace zorv::testing
