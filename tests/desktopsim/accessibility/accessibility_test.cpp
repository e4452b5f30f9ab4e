#include "desktoptest.h"
#include "workrunner.h"

#include "coroutinetest.h"

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

const QString extrasBar = QStringLiteral("AXExtrasMenuBar");
const QString children = QStringLiteral("AXChildren");
const QString position = QStringLiteral("AXPosition");
const QString size = QStringLiteral("AXSize");
const QString title = QStringLiteral("AXTitle");
const QString identifier = QStringLiteral("AXIdentifier");

class AccessibilityTest : public DesktopTest {
protected:
    void SetUp() override {
        addLaptop();
        addSystemItems();
        app = launch(QStringLiteral("com.example.tools"));
        first = addItem(app, 24.0, QStringLiteral("first"));
        second = addItem(app, 24.0, QStringLiteral("second"));
        settle();
    }

    AXAttributeResult read(AXElement element, const QString &attribute) {
        return desktop.accessibility().copyAttributeValue(element, attribute);
    }

    // The application's status items as a reader finds them: bar, then children.
    std::optional<QList<AXElement>> itemsOf(qint32 processId) {
        const AXAttributeResult bar =
            read(desktop.accessibility().applicationElement(processId), extrasBar);
        const auto *barElement = bar.value ? std::get_if<AXElement>(&*bar.value) : nullptr;
        if (bar.error != AXError::Success || !barElement) {
            return std::nullopt;
        }
        const AXAttributeResult list = read(*barElement, children);
        const auto *elements = list.value ? std::get_if<QList<AXElement>>(&*list.value) : nullptr;
        if (list.error != AXError::Success || !elements) {
            return std::nullopt;
        }
        return *elements;
    }

    qint32 app = 0;
    quint64 first = 0;
    quint64 second = 0;
};

TEST_F(AccessibilityTest, ListsItemsWithRealFramesEvenOffScreen) {
    const quint64 third = addItem(app, 24.0, QStringLiteral("third"));
    desktop.items().setLength(second, 1500.0);
    const qint32 editor = launch(QStringLiteral("com.example.editor"), 1400.0);
    desktop.applications().activate(editor);
    settle();
    const auto elements = itemsOf(app);
    ASSERT_TRUE(elements);
    ASSERT_EQ(elements->size(), 3) << "in the order the application created them";
    // "third" was pushed past the left edge; "first" runs into the editor's menus.
    EXPECT_GT(entry(first).frame.x(), 0.0);
    EXPECT_TRUE(entry(first).underMenus);
    EXPECT_LT(entry(third).frame.right(), 0.0);
    const QList<quint64> ids = {first, second, third};
    for (qsizetype index = 0; index < ids.size(); ++index) {
        const QRectF frame = entry(ids[index]).frame;
        const AXAttributeResult origin = read((*elements)[index], position);
        const AXAttributeResult extent = read((*elements)[index], size);
        ASSERT_EQ(origin.error, AXError::Success);
        EXPECT_EQ(std::get<QPointF>(*origin.value), frame.topLeft());
        EXPECT_EQ(std::get<QSizeF>(*extent.value), frame.size());
        EXPECT_GT(frame.width(), 0.0);
    }
    EXPECT_EQ(std::get<QString>(*read((*elements)[0], identifier).value), u"first");
}

struct ApplicationFault {
    const char *name;
    AttributeFault extrasBar;
    AttributeFault children;
};

class ApplicationFaultTest : public AccessibilityTest,
                             public ::testing::WithParamInterface<ApplicationFault> {};

TEST_P(ApplicationFaultTest, YieldsNoItems) {
    desktop.applications().setExtrasBarFault(app, GetParam().extrasBar);
    desktop.applications().setChildrenFault(app, GetParam().children);
    EXPECT_FALSE(itemsOf(app));
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ApplicationFaultTest,
    ::testing::Values(
        ApplicationFault{"NoExtrasBar", AttributeFault::Missing, AttributeFault::None},
        ApplicationFault{"ExtrasBarOfWrongType", AttributeFault::WrongType, AttributeFault::None},
        ApplicationFault{"NoChildren", AttributeFault::None, AttributeFault::Missing},
        ApplicationFault{"ChildrenOfWrongType", AttributeFault::None, AttributeFault::WrongType}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(AccessibilityTest, ItemAttributesCanBeMissingEmptyWrongOrShared) {
    BarItems &items = desktop.items();
    items.overrideAttribute(first, position, QStringLiteral("not a point"));
    items.overrideAttribute(first, size, std::nullopt);
    items.overrideAttribute(first, title, QString());
    items.overrideAttribute(first, QStringLiteral("AXDescription"), QStringLiteral("Tools"));
    items.setIdentifier(second, QStringLiteral("first"));
    const auto elements = itemsOf(app).value();

    EXPECT_TRUE(std::holds_alternative<QString>(*read(elements[0], position).value));
    EXPECT_EQ(read(elements[0], size).error, AXError::NoValue);
    EXPECT_EQ(std::get<QString>(*read(elements[0], title).value), QString());
    EXPECT_EQ(std::get<QString>(*read(elements[0], QStringLiteral("AXDescription")).value),
              u"Tools");
    EXPECT_EQ(read(elements[0], QStringLiteral("AXHelp")).error, AXError::NoValue);
    EXPECT_EQ(read(elements[0], identifier).value, read(elements[1], identifier).value);

    items.resetAttribute(first, position);
    EXPECT_TRUE(std::holds_alternative<QPointF>(*read(elements[0], position).value));
}

TEST_F(AccessibilityTest, ApplicationsWithoutBundleIdentifierOrNameStillListItems) {
    const qint32 anonymous = desktop.applications().launch(AppDescription{});
    addItem(anonymous, 24.0, QStringLiteral("anonymous"));
    settle();
    EXPECT_EQ(desktop.applications().application(anonymous)->positionKey(),
              QStringLiteral("pid:%1").arg(anonymous));
    EXPECT_EQ(itemsOf(anonymous)->size(), 1);
    EXPECT_EQ(read(desktop.accessibility().applicationElement(anonymous), title).error,
              AXError::NoValue);
}

TEST_F(AccessibilityTest, NewItemsAreListedOnlyOnceLaidOut) {
    const quint64 fresh = addItem(app, 24.0, QStringLiteral("fresh"));
    EXPECT_EQ(itemsOf(app)->size(), 2);
    settle();
    EXPECT_EQ(itemsOf(app)->size(), 3);
    EXPECT_TRUE(itemsOf(app)->contains(AXElementTable::item(fresh)));
}

TEST_F(AccessibilityTest, QuitApplicationsAndRevokedPermissionFail) {
    const auto elements = itemsOf(app).value();
    const AXElement application = desktop.accessibility().applicationElement(app);
    desktop.applications().quit(app);
    EXPECT_EQ(read(elements[0], position).error, AXError::InvalidUIElement);
    EXPECT_EQ(read(application, extrasBar).error, AXError::InvalidUIElement);

    desktop.permissions().setAccessibilityTrusted(false);
    EXPECT_FALSE(desktop.accessibility().isProcessTrusted());
    const qint32 other = launch(QStringLiteral("com.example.other"));
    EXPECT_EQ(read(desktop.accessibility().applicationElement(other), extrasBar).error,
              AXError::APIDisabled);
    desktop.permissions().setAccessibilityTrusted(true);
    EXPECT_EQ(read(desktop.accessibility().applicationElement(other), extrasBar).error,
              AXError::Success);
}

// A hung application blocks each request for its element's time-out on the simulated clock, on a
// worker as on the main thread: the time-out set on the application element (0 gives the default
// again, an absurdly long one still ends), or the default 6 s for elements read through it.
TEST_F(AccessibilityTest, HungApplicationBlocksUntilTheTimeOutThenFails) {
    const auto elements = itemsOf(app).value();
    desktop.applications().setHung(app, true);
    Accessibility &accessibility = desktop.accessibility();
    const auto timed = [&](AXElement element, const QString &attribute) {
        const MonotonicTime start = clock.now();
        const AXError error = accessibility.copyAttributeValue(element, attribute).error;
        return std::pair{error, Duration(clock.now() - start)};
    };
    const struct {
        double timeout;
        Duration wait;
    } cases[] = {
        {0.25, 250ms}, {2.5, 2500ms}, {0.0, 6s}, {1e300, seconds(SimAccessibility::longestWait)}};
    WorkRunner runner(WorkRunner::Mode::ThreadPool);
    for (const auto &[timeout, wait] : cases) {
        const AXElement application = accessibility.applicationElement(app);
        ASSERT_EQ(accessibility.setMessagingTimeout(application, 0.25), AXError::Success);
        ASSERT_EQ(accessibility.setMessagingTimeout(application, timeout), AXError::Success);
        auto request = [&] { return timed(application, extrasBar); };
        EXPECT_EQ(runTask(runner.run(request)), std::pair(AXError::CannotComplete, wait))
            << timeout;
    }
    auto itemRequest = [&] { return timed(elements[0], position); };
    EXPECT_EQ(runTask(runner.run(itemRequest)), std::pair(AXError::CannotComplete, Duration(6s)));

    // On the main thread the request waits just as long, and is counted.
    const AXElement application = accessibility.applicationElement(app);
    EXPECT_EQ(accessibility.setMessagingTimeout(application, -1.0), AXError::IllegalArgument);
    ASSERT_EQ(accessibility.setMessagingTimeout(application, 0.25), AXError::Success);
    const int mainThreadReads = desktop.readout().mainThreadAccessibilityReads();
    EXPECT_EQ(timed(application, extrasBar), std::pair(AXError::CannotComplete, Duration(250ms)));
    EXPECT_EQ(desktop.readout().mainThreadAccessibilityReads(), mainThreadReads + 1)
        << "the worker's reads are not counted";

    desktop.applications().setHung(app, false);
    EXPECT_EQ(accessibility.copyAttributeValue(application, extrasBar).error, AXError::Success);
}

// A hang that ends, as the application answers again or quits, ends the request waiting on it at
// that moment rather than at the end of its time-out.
TEST_F(AccessibilityTest, AWaitingRequestEndsWhenTheHangEnds) {
    Accessibility &accessibility = desktop.accessibility();
    WorkRunner runner(WorkRunner::Mode::ThreadPool);
    for (const bool quits : {false, true}) {
        const qint32 slow = launch(QStringLiteral("com.example.slow"));
        desktop.applications().setHung(slow, true);
        const AXElement element = accessibility.applicationElement(slow);
        ASSERT_EQ(accessibility.setMessagingTimeout(element, 2.0), AXError::Success);
        const MonotonicTime start = clock.now();
        auto endHang = [&]() -> QCoro::Task<> {
            co_await clock.sleep(300ms);
            quits ? desktop.applications().quit(slow) : desktop.applications().setHung(slow, false);
        };
        QCoro::Task<> ending = endHang();
        auto request = [&] {
            const AXError error = accessibility.copyAttributeValue(element, extrasBar).error;
            return std::pair{error, Duration(clock.now() - start)};
        };
        EXPECT_EQ(runTask(runner.run(request)),
                  std::pair(quits ? AXError::InvalidUIElement : AXError::Success, Duration(300ms)))
            << (quits ? "quits" : "answers again");
        runTask(std::move(ending));
    }
    EXPECT_EQ(desktop.readout().mainThreadAccessibilityReads(), 0);
}

// Holding an application reference while many more are handed out (a scan every few seconds)
// keeps it valid; only its own time-out can fall back to the default.
TEST_F(AccessibilityTest, ApplicationReferencesStayValidWhileMoreAreHandedOut) {
    Accessibility &accessibility = desktop.accessibility();
    const AXElement kept = accessibility.applicationElement(app);
    ASSERT_EQ(accessibility.setMessagingTimeout(kept, 0.25), AXError::Success);
    for (std::size_t i = 0; i <= AXElementTable::timeoutCapacity; ++i) {
        ASSERT_EQ(accessibility.setMessagingTimeout(accessibility.applicationElement(app), 0.25),
                  AXError::Success);
    }
    EXPECT_EQ(read(kept, extrasBar).error, AXError::Success);
    EXPECT_EQ(accessibility.setMessagingTimeout(kept, 1.0), AXError::Success);
}

} // namespace
} // namespace zorv::testing
