#include "discovery/itemdiscovery.h"
#include "coroutinetest.h"
#include "desktoptest.h"
#include "discovery/ax.h"
#include "workrunner.h"
#include "workspace/simworkspace.h"

#include <limits>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace zorv::testing {
namespace {

class ItemDiscoveryTest : public DesktopTest {
protected:
    void SetUp() override {
        addLaptop();
        addSystemItems();
    }

    // A full scan on a worker thread, as the engine runs it.
    QList<DiscoveredItem> scan() {
        auto work = [this] { return discovery.scan(std::nullopt); };
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

using Setup = std::function<void(SimulatedDesktop &, qint32 app, quint64 item)>;

struct ReadingCase {
    const char *name;
    Setup setup;
    bool found;
    std::optional<QString> title;
};

void PrintTo(const ReadingCase &readingCase, std::ostream *out) {
    *out << readingCase.name;
}

class ItemReading : public ItemDiscoveryTest, public ::testing::WithParamInterface<ReadingCase> {};

Setup overriding(const char *attribute, std::optional<AXAttributeValue> value) {
    return [attribute = QString::fromLatin1(attribute), value](SimulatedDesktop &desktop, qint32,
                                                               quint64 item) {
        desktop.items().overrideAttribute(item, attribute, value);
    };
}

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST_P(ItemReading, TurnsEveryFaultIntoAMissingValue) {
    const qint32 app = launch(u"com.example.tools"_s);
    const quint64 item = addPlain(app, 24.0, u"Tools"_s);
    GetParam().setup(desktop, app, item);
    settle();
    QList<DiscoveredItem> items = scan();
    items.removeIf([&](const DiscoveredItem &found) { return found.pid != app; });
    ASSERT_EQ(items.size(), GetParam().found ? 1 : 0);
    if (GetParam().found) {
        EXPECT_EQ(items[0].title, GetParam().title);
        EXPECT_EQ(items[0].frame, entry(item).frame);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ItemReading,
    ::testing::Values(
        ReadingCase{"Plain", [](auto &, auto, auto) {}, true, u"Tools"_s},
        ReadingCase{"NoExtrasBar",
                    [](SimulatedDesktop &d, qint32 app, quint64) {
                        d.applications().setExtrasBarFault(app, AttributeFault::Missing);
                    },
                    false,
                    {}},
        ReadingCase{"ExtrasBarOfWrongType",
                    [](SimulatedDesktop &d, qint32 app, quint64) {
                        d.applications().setExtrasBarFault(app, AttributeFault::WrongType);
                    },
                    false,
                    {}},
        ReadingCase{"ChildrenOfWrongType",
                    [](SimulatedDesktop &d, qint32 app, quint64) {
                        d.applications().setChildrenFault(app, AttributeFault::WrongType);
                    },
                    false,
                    {}},
        ReadingCase{"SizeUnreadable", overriding("AXSize", u"wide"_s), false, {}},
        ReadingCase{"InfiniteWidth", overriding("AXSize", QSizeF(infinity, 22)), false, {}},
        ReadingCase{"NaNPosition", overriding("AXPosition", QPointF(nan, 0)), false, {}},
        ReadingCase{"AbsurdPosition", overriding("AXPosition", QPointF(400, -2e6)), false, {}},
        ReadingCase{"AbsurdWidth", overriding("AXSize", QSizeF(1e6 + 1, 22)), false, {}},
        ReadingCase{"EmptyTitleFallsBackToDescription",
                    [](SimulatedDesktop &d, qint32, quint64 item) {
                        d.items().overrideAttribute(item, u"AXTitle"_s, u""_s);
                        d.items().overrideAttribute(item, u"AXDescription"_s, u"Battery"_s);
                    },
                    true, u"Battery"_s},
        ReadingCase{"HelpIsTheLastResort",
                    [](SimulatedDesktop &d, qint32, quint64 item) {
                        d.items().overrideAttribute(item, u"AXTitle"_s, std::nullopt);
                        d.items().overrideAttribute(item, u"AXHelp"_s, u"Sync"_s);
                    },
                    true, u"Sync"_s},
        ReadingCase{"NoTitleAtAll",
                    [](SimulatedDesktop &d, qint32, quint64 item) {
                        d.items().overrideAttribute(item, u"AXTitle"_s, u""_s);
                        d.items().overrideAttribute(item, u"AXDescription"_s, u""_s);
                    },
                    true, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ItemDiscoveryTest, FrameKeepsTheReadablePart) {
    const qint32 app = launch(u"com.example.tools"_s);
    const quint64 item = addPlain(app, 24.0);
    desktop.items().overrideAttribute(item, u"AXSize"_s, std::nullopt);
    settle();
    auto work = [&] {
        const AX ax(desktop.accessibility());
        return ax.frame(ax.extrasItems(app).value(0));
    };
    EXPECT_EQ(runTask(runner.run(std::move(work))), QRectF(entry(item).frame.topLeft(), QSizeF()));
}

TEST_F(ItemDiscoveryTest, ListsOtherApplicationsLeftToRight) {
    const qint32 tools = launch(u"com.example.tools"_s);
    AppDescription anonymous;
    const qint32 helper = desktop.applications().launch(anonymous);
    const quint64 toolsRight = desktop.items().add(tools, {}).value();
    const quint64 helperItem = desktop.items().add(helper, {}).value();
    const quint64 toolsLeft = desktop.items().add(tools, {}).value();
    auto own = desktop.statusBar().createStatusItem(StatusBar::squareLength);
    settle();

    QList<QString> bundles;
    QList<QRectF> frames;
    for (const DiscoveredItem &item : scan()) {
        bundles.append(item.bundleID);
        frames.append(item.frame);
        if (item.pid == helper || item.pid == tools) {
            EXPECT_EQ(item.appName, item.pid == helper ? item.bundleID : u"tools"_s);
        }
    }
    const QString helperBundle = u"pid:"_s + QString::number(helper);
    EXPECT_EQ(bundles, (QList<QString>{u"com.example.tools"_s, helperBundle, u"com.example.tools"_s,
                                       u"com.apple.controlcenter"_s, u"com.apple.controlcenter"_s}))
        << "interleaved by position; this process's own item never listed";
    EXPECT_EQ(frames.mid(0, 3), (QList<QRectF>{entry(toolsLeft).frame, entry(helperItem).frame,
                                               entry(toolsRight).frame}));
}

TEST_F(ItemDiscoveryTest, DuplicateIdentifiersAreDroppedPerApplication) {
    const qint32 tools = launch(u"com.example.tools"_s);
    const qint32 other = launch(u"com.example.other"_s);
    for (const char *name : {"twin", "twin", "solo", ""}) {
        addItem(tools, 24.0, QString::fromLatin1(name));
    }
    addItem(other, 24.0, u"twin"_s);
    settle();
    QList<std::optional<QString>> identifiers;
    for (const DiscoveredItem &item : scan()) {
        if (!item.bundleID.startsWith(u"com.apple")) {
            identifiers.append(item.axIdentifier);
        }
    }
    // Items are added right to left.
    EXPECT_EQ(identifiers, (QList<std::optional<QString>>{u"twin"_s, std::nullopt, u"solo"_s,
                                                          std::nullopt, std::nullopt}));
}

TEST_F(ItemDiscoveryTest, OrdinalsStayWhileItemsChangeAndRestartAfterRelaunch) {
    const QString bundle = u"com.example.meters"_s;
    const qint32 meters = launch(bundle);
    const quint64 cpu = addPlain(meters, 30.0, u"CPU 3%"_s);
    const quint64 net = addPlain(meters, 40.0, u"Net"_s);
    addPlain(meters, 22.0);
    settle();
    const QList<int> first = ordinalsOf(scan(), bundle);
    ASSERT_EQ(first, (QList<int>{0, 1, 2}));

    desktop.items().setTitle(net, u"Net 12 KB/s"_s);
    desktop.items().setLength(cpu, 36.0);
    settle();
    EXPECT_EQ(ordinalsOf(scan(), bundle), first);
    desktop.items().setTitle(cpu, u"CPU 97%"_s);
    desktop.items().setLength(cpu, 44.0);
    settle();
    EXPECT_EQ(ordinalsOf(scan(), bundle), first) << "its neighbours pin the changed item down";

    desktop.applications().quit(meters);
    settle();
    EXPECT_TRUE(ordinalsOf(scan(), bundle).isEmpty());
    EXPECT_EQ(discovery.registeredApplications(), 1) << "only the system items' process";
    const qint32 again = launch(bundle);
    addPlain(again, 22.0);
    addPlain(again, 22.0);
    settle();
    EXPECT_EQ(ordinalsOf(scan(), bundle), (QList<int>{0, 1}));
    EXPECT_EQ(discovery.freshAssignments(), 2 + 3 + 2);
}

TEST_F(ItemDiscoveryTest, UntrustedScanFindsNothingAndKeepsOrdinals) {
    const QString bundle = u"com.example.tools"_s;
    const qint32 tools = launch(bundle);
    addPlain(tools, 24.0);
    addPlain(tools, 24.0);
    settle();
    ASSERT_EQ(ordinalsOf(scan(), bundle), (QList<int>{0, 1}));

    desktop.permissions().setAccessibilityTrusted(false);
    EXPECT_TRUE(scan().isEmpty());
    EXPECT_EQ(discovery.registeredApplications(), 2);
    desktop.permissions().setAccessibilityTrusted(true);
    EXPECT_EQ(ordinalsOf(scan(), bundle), (QList<int>{0, 1}));
    EXPECT_EQ(discovery.freshAssignments(), 4);
}

TEST_F(ItemDiscoveryTest, HungApplicationCostsOneTimeOutOnTheWorkerAndKeepsItsOrdinals) {
    const QString stuckBundle = u"com.example.stuck"_s;
    const qint32 stuck = launch(stuckBundle);
    addPlain(stuck, 24.0);
    addPlain(stuck, 30.0);
    const qint32 fine = launch(u"com.example.fine"_s);
    addPlain(fine, 24.0);
    settle();
    ASSERT_EQ(ordinalsOf(scan(), stuckBundle), (QList<int>{0, 1}));
    desktop.applications().setHung(stuck, true);

    QSet<qint32> unanswered;
    auto work = [&] { return discovery.scan(std::nullopt, &unanswered); };
    const MonotonicTime before = clock.now();
    const QList<DiscoveredItem> items = runTask(runner.run(std::move(work)));
    EXPECT_EQ(clock.now() - before, seconds(AX::barMessagingTimeout));
    EXPECT_EQ(ordinalsOf(items, u"com.example.fine"_s), QList<int>{0});
    EXPECT_TRUE(ordinalsOf(items, stuckBundle).isEmpty());
    EXPECT_EQ(unanswered, QSet<qint32>{stuck});

    desktop.applications().setHung(stuck, false);
    desktop.items().setLength(desktop.items().itemsOf(stuck).front(), 40.0);
    settle();
    EXPECT_EQ(ordinalsOf(scan(), stuckBundle), (QList<int>{0, 1})) << "still remembered";
    EXPECT_EQ(discovery.freshAssignments(), 2 + 1 + 2);
    EXPECT_EQ(desktop.readout().mainThreadAccessibilityReads(), 0);
}

TEST(ItemDiscovery, DisambiguationKeepsOnlyUniqueNonEmptyIdentifiers) {
    const QList<std::optional<QString>> in{u"a"_s, u""_s, std::nullopt, u"b"_s, u"a"_s, u"c"_s};
    EXPECT_EQ(ItemDiscovery::disambiguated(in),
              (QList<std::optional<QString>>{std::nullopt, std::nullopt, std::nullopt, u"b"_s,
                                             std::nullopt, u"c"_s}));
}

} // namespace
} // namespace zorv::testing
