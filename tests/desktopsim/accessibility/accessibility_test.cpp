#include "desktoptest.h"
#include "input/itemmenu.h"
#include "workrunner.h"

#include "coroutinetest.h"

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

const QString extrasBar = u"AXExtrasMenuBar"_s;
const QString position = u"AXPosition"_s;
const QString size = u"AXSize"_s;
const QString title = u"AXTitle"_s;

class AccessibilityTest : public DesktopTest {
protected:
    void SetUp() override {
        addLaptop();
        addSystemItems();
        app = launch(u"com.example.tools"_s);
        first = addItem(app, 24.0, u"first"_s);
        second = addItem(app, 24.0, u"second"_s);
        settle();
    }

    AXAttributeResult read(AXElement element, const QString &attribute) {
        return desktop.accessibility().copyAttributeValue(element, attribute);
    }

    // A read's error and how long it took on the simulated clock.
    std::pair<AXError, Duration> timedRead(AXElement element, const QString &attribute) {
        const MonotonicTime start = clock.now();
        const AXError error = read(element, attribute).error;
        return {error, Duration(clock.now() - start)};
    }

    AXError readError(qint32 processId, const QString &attribute) {
        return read(desktop.accessibility().applicationElement(processId), attribute).error;
    }

    // A successful read's value when it holds a T.
    template <typename T> std::optional<T> valueOf(const AXAttributeResult &result) {
        const T *value = result.value ? std::get_if<T>(&*result.value) : nullptr;
        return result.error == AXError::Success && value ? std::optional<T>(*value) : std::nullopt;
    }

    // The application's status items as a reader finds them: bar, then children.
    std::optional<QList<AXElement>> itemsOf(qint32 processId) {
        const auto bar = valueOf<AXElement>(
            read(desktop.accessibility().applicationElement(processId), extrasBar));
        return bar ? valueOf<QList<AXElement>>(read(*bar, u"AXChildren"_s)) : std::nullopt;
    }

    qint32 app = 0;
    quint64 first = 0;
    quint64 second = 0;
};

class MenuBarTest : public DesktopTest {};

// An application's menus read as its menu bar's entries on the active screen's bar: two spans
// when they reach past the camera housing (656 to 856 on the 1512-point laptop), none without
// menus.
TEST_F(MenuBarTest, MenusAreEntriesEitherSideOfTheHousing) {
    addLaptop(200.0);
    Accessibility &accessibility = desktop.accessibility();
    const auto spans = [&](qint32 processId) {
        QList<QRectF> frames;
        const AXAttributeResult bar = accessibility.copyAttributeValue(
            accessibility.applicationElement(processId), u"AXMenuBar"_s);
        const AXElement *barElement = bar.value ? std::get_if<AXElement>(&*bar.value) : nullptr;
        if (!barElement) {
            return frames;
        }
        const AXAttributeResult children =
            accessibility.copyAttributeValue(*barElement, u"AXChildren"_s);
        for (const AXElement menu : std::get<QList<AXElement>>(*children.value)) {
            const auto value = [&](const QString &attribute) {
                return *accessibility.copyAttributeValue(menu, attribute).value;
            };
            frames.append(
                QRectF(std::get<QPointF>(value(position)), std::get<QSizeF>(value(size))));
        }
        return frames;
    };
    EXPECT_EQ(spans(launch(u"com.example.editor"_s, 800.0)),
              (QList<QRectF>{QRectF(0, 0, 656, 37), QRectF(856, 0, 144, 37)}));
    EXPECT_EQ(spans(launch(u"com.example.small"_s, 300.0)), QList<QRectF>{QRectF(0, 0, 300, 37)});
    EXPECT_TRUE(spans(launch(u"com.example.none"_s)).isEmpty());
}

TEST_F(AccessibilityTest, ListsItemsWithRealFramesEvenOffScreen) {
    const quint64 third = addItem(app, 24.0, u"third"_s);
    EXPECT_EQ(itemsOf(app)->size(), 2) << "a new item is listed only once laid out";
    desktop.items().setLength(second, 1500.0);
    const qint32 editor = launch(u"com.example.editor"_s, 1400.0);
    desktop.applications().activate(editor);
    settle();
    const auto elements = itemsOf(app);
    ASSERT_TRUE(elements);
    ASSERT_EQ(elements->size(), 3) << "in the order the application created them";
    EXPECT_EQ(elements->back(), AXElementTable::item(third));
    // "third" was pushed past the left edge; "first" runs into the editor's menus.
    EXPECT_GT(entry(first).frame.x(), 0.0);
    EXPECT_TRUE(entry(first).underMenus);
    EXPECT_LT(entry(third).frame.right(), 0.0);
    const QList<quint64> ids = {first, second, third};
    for (qsizetype index = 0; index < ids.size(); ++index) {
        const QRectF frame = entry(ids[index]).frame;
        EXPECT_GT(frame.width(), 0.0);
        EXPECT_EQ(valueOf<QPointF>(read((*elements)[index], position)), frame.topLeft());
        EXPECT_EQ(valueOf<QSizeF>(read((*elements)[index], size)), frame.size());
    }
    EXPECT_EQ(valueOf<QString>(read((*elements)[0], u"AXIdentifier"_s)), u"first"_s);
}

// An item's element opens the item as its owner opens it for a click, where no click lands too:
// under the front application's menus, pushed off the screen, or drawn. The menu opens below the
// item's laid-out frame and stays on the screen. Other elements and other actions do nothing.
TEST_F(AccessibilityTest, PressOpensTheItemWhereverItStands) {
    const quint64 third = addItem(app, 24.0, u"third"_s);
    desktop.items().setLength(second, 1500.0);
    const qint32 editor = launch(u"com.example.editor"_s, 1400.0);
    desktop.applications().activate(editor);
    settle();
    ASSERT_TRUE(entry(first).underMenus);
    ASSERT_LT(entry(third).frame.right(), 0.0);
    Accessibility &accessibility = desktop.accessibility();
    const struct {
        quint64 item;
        QString action;
        ItemClickKind kind;
        ItemOpening via;
    } cases[] = {{first, u"AXPress"_s, ItemClickKind::Left, ItemOpening::Press},
                 {third, u"AXShowMenu"_s, ItemClickKind::Right, ItemOpening::ShowMenu},
                 {controlCenter, u"AXPress"_s, ItemClickKind::Left, ItemOpening::Press}};
    for (const auto &[item, action, kind, via] : cases) {
        EXPECT_EQ(accessibility.performAction(AXElementTable::item(item), action),
                  AXError::Success);
        const DeliveredClick opened = desktop.readout().clicks().last();
        // With the item's owner, which the dump names though the item may be gone by then.
        EXPECT_EQ(std::tuple(opened.itemId, opened.ownerProcessId, opened.kind, opened.via),
                  std::tuple(item, entry(item).processId, kind, via));
        const QRectF frame = entry(item).frame;
        EXPECT_EQ(opened.menuAt.y(), frame.bottom());
        EXPECT_EQ(opened.menuAt.x(), std::clamp(frame.left(), 0.0, 1512.0 - ItemMenu::width));
    }
    const qsizetype opened = desktop.readout().clicks().size();
    EXPECT_EQ(accessibility.performAction(AXElementTable::item(first), u"AXRaise"_s),
              AXError::ActionUnsupported);
    EXPECT_EQ(accessibility.performAction(accessibility.applicationElement(app), u"AXPress"_s),
              AXError::ActionUnsupported);
    desktop.permissions().setAccessibilityTrusted(false);
    EXPECT_EQ(accessibility.performAction(AXElementTable::item(first), u"AXPress"_s),
              AXError::APIDisabled);
    EXPECT_EQ(desktop.readout().clicks().size(), opened);
}

// An extras bar or a children list that is missing or of the wrong type yields no items.
TEST_F(AccessibilityTest, ApplicationFaultsYieldNoItems) {
    const std::pair<AttributeFault, AttributeFault> faults[] = {
        {AttributeFault::Missing, AttributeFault::None},
        {AttributeFault::WrongType, AttributeFault::None},
        {AttributeFault::None, AttributeFault::Missing},
        {AttributeFault::None, AttributeFault::WrongType}};
    for (const auto &[barFault, childrenFault] : faults) {
        desktop.applications().setExtrasBarFault(app, barFault);
        desktop.applications().setChildrenFault(app, childrenFault);
        EXPECT_FALSE(itemsOf(app)) << int(barFault) << " " << int(childrenFault);
    }
}

TEST_F(AccessibilityTest, ItemAttributesCanBeMissingEmptyWrongOrShared) {
    BarItems &items = desktop.items();
    items.overrideAttribute(first, position, u"not a point"_s);
    items.overrideAttribute(first, size, std::nullopt);
    items.overrideAttribute(first, title, QString());
    items.overrideAttribute(first, u"AXDescription"_s, u"Tools"_s);
    items.setIdentifier(second, u"first"_s);
    const auto elements = itemsOf(app).value();

    EXPECT_EQ(valueOf<QString>(read(elements[0], position)), u"not a point"_s);
    EXPECT_EQ(read(elements[0], size).error, AXError::NoValue);
    EXPECT_EQ(valueOf<QString>(read(elements[0], title)), QString());
    EXPECT_EQ(valueOf<QString>(read(elements[0], u"AXDescription"_s)), u"Tools"_s);
    EXPECT_EQ(read(elements[0], u"AXHelp"_s).error, AXError::NoValue);
    EXPECT_EQ(read(elements[0], u"AXIdentifier"_s), read(elements[1], u"AXIdentifier"_s));

    items.resetAttribute(first, position);
    EXPECT_EQ(valueOf<QPointF>(read(elements[0], position)), entry(first).frame.topLeft());
}

TEST_F(AccessibilityTest, ApplicationsWithoutBundleIdentifierOrNameStillListItems) {
    const qint32 anonymous = desktop.applications().launch(AppDescription{});
    addItem(anonymous, 24.0, u"anonymous"_s);
    settle();
    EXPECT_EQ(desktop.applications().application(anonymous)->positionKey(),
              u"pid:%1"_s.arg(anonymous));
    EXPECT_EQ(itemsOf(anonymous)->size(), 1);
    EXPECT_EQ(readError(anonymous, title), AXError::NoValue);
}

TEST_F(AccessibilityTest, QuitApplicationsAndRevokedPermissionFail) {
    const auto elements = itemsOf(app).value();
    const AXElement application = desktop.accessibility().applicationElement(app);
    desktop.applications().quit(app);
    EXPECT_EQ(read(elements[0], position).error, AXError::InvalidUIElement);
    EXPECT_EQ(read(application, extrasBar).error, AXError::InvalidUIElement);

    desktop.permissions().setAccessibilityTrusted(false);
    EXPECT_FALSE(desktop.accessibility().isProcessTrusted());
    const qint32 other = launch(u"com.example.other"_s);
    EXPECT_EQ(readError(other, extrasBar), AXError::APIDisabled);
    desktop.permissions().setAccessibilityTrusted(true);
    EXPECT_EQ(readError(other, extrasBar), AXError::Success);
}

// A hung application blocks each request for its element's time-out on the simulated clock, on a
// worker as on the main thread: the time-out set on the application element (0 gives the default
// again, an absurdly long one still ends), or the default 6 s for elements read through it, a
// press included.
TEST_F(AccessibilityTest, HungApplicationBlocksUntilTheTimeOutThenFails) {
    const auto elements = itemsOf(app).value();
    desktop.applications().setHung(app, true);
    Accessibility &accessibility = desktop.accessibility();
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
        auto request = [&] { return timedRead(application, extrasBar); };
        EXPECT_EQ(runTask(runner.run(request)), std::pair(AXError::CannotComplete, wait))
            << timeout;
    }
    auto itemRequest = [&] { return timedRead(elements[0], position); };
    EXPECT_EQ(runTask(runner.run(itemRequest)), std::pair(AXError::CannotComplete, Duration(6s)));
    auto press = [&] {
        const MonotonicTime start = clock.now();
        const AXError error = accessibility.performAction(elements[0], u"AXPress"_s);
        return std::pair(error, Duration(clock.now() - start));
    };
    EXPECT_EQ(runTask(runner.run(press)), std::pair(AXError::CannotComplete, Duration(6s)));
    EXPECT_TRUE(desktop.readout().clicks().isEmpty()) << "a hung application opens nothing";

    // On the main thread the request waits just as long, and is counted.
    const AXElement application = accessibility.applicationElement(app);
    EXPECT_EQ(accessibility.setMessagingTimeout(application, -1.0), AXError::IllegalArgument);
    ASSERT_EQ(accessibility.setMessagingTimeout(application, 0.25), AXError::Success);
    const int mainThreadReads = desktop.readout().mainThreadAccessibilityReads();
    EXPECT_EQ(timedRead(application, extrasBar),
              std::pair(AXError::CannotComplete, Duration(250ms)));
    EXPECT_EQ(desktop.readout().mainThreadAccessibilityReads(), mainThreadReads + 1)
        << "the worker's reads are not counted";

    desktop.applications().setHung(app, false);
    EXPECT_EQ(read(application, extrasBar).error, AXError::Success);
}

// A hang that ends, as the application answers again or quits, ends the request waiting on it at
// that moment rather than at the end of its time-out.
TEST_F(AccessibilityTest, AWaitingRequestEndsWhenTheHangEnds) {
    Accessibility &accessibility = desktop.accessibility();
    WorkRunner runner(WorkRunner::Mode::ThreadPool);
    for (const bool quits : {false, true}) {
        const qint32 slow = launch(u"com.example.slow"_s);
        desktop.applications().setHung(slow, true);
        const AXElement element = accessibility.applicationElement(slow);
        ASSERT_EQ(accessibility.setMessagingTimeout(element, 2.0), AXError::Success);
        auto endHang = [&]() -> QCoro::Task<> {
            co_await clock.sleep(300ms);
            quits ? desktop.applications().quit(slow) : desktop.applications().setHung(slow, false);
        };
        QCoro::Task<> ending = endHang();
        auto request = [&] { return timedRead(element, extrasBar); };
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
