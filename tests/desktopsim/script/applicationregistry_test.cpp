#include "desktoptest.h"

#include <QSignalSpy>

namespace zorv::testing {
namespace {

using namespace std::chrono_literals;
using namespace Qt::StringLiterals;

class ApplicationRegistryTest : public DesktopTest {
protected:
    void SetUp() override {
        addLaptop();
        settle();
    }
};

TEST_F(ApplicationRegistryTest, QuitRemovesItemsForGoodAndHandsTheFrontToThePreviousApplication) {
    ApplicationRegistry &registry = desktop.applications();
    QSignalSpy launched(&desktop.model(), &DesktopModel::applicationLaunched);
    QSignalSpy terminated(&desktop.model(), &DesktopModel::applicationTerminated);
    QSignalSpy activated(&desktop.model(), &DesktopModel::applicationActivated);
    const qint32 finder = launch(u"com.apple.finder"_s, 300.0);
    const qint32 editor = launch(u"com.example.editor"_s, 600.0);
    const quint64 item = addItem(editor, 24.0, u"editor"_s);
    registry.activate(finder);
    registry.activate(editor);
    settle();
    ASSERT_EQ(registry.frontmostProcessId(), editor);
    EXPECT_EQ(launched.count(), 2);

    ASSERT_TRUE(registry.quit(editor));
    EXPECT_FALSE(registry.quit(editor)) << "a process quits once";
    settle();
    EXPECT_EQ(terminated.count(), 1);
    EXPECT_EQ(terminated.front().front().value<AppRecord>().processId, editor);
    EXPECT_EQ(registry.frontmostProcessId(), finder);
    EXPECT_EQ(activated.count(), 3);
    EXPECT_FALSE(desktop.items().item(item));
    EXPECT_FALSE(desktop.items().setLength(item, 10.0));
    EXPECT_FALSE(desktop.items().add(editor, ItemDescription{})) << "no items for a quit process";
    EXPECT_FALSE(barOrder().contains(item));
    EXPECT_EQ(registry.applications().size(), 2) << "this process and the finder";
    EXPECT_NE(finder, editor);
}

TEST_F(ApplicationRegistryTest, ClockItemChangesLengthEveryPeriod) {
    addSystemItems(); // the clock starts 80 points long
    desktop.items().cycleLengths(clockItem, {78.0, 70.0}, 60s);
    settle();
    clock.advance(59s);
    EXPECT_EQ(entry(clockItem).frame.width(), 80.0);
    clock.advance(1s);
    EXPECT_EQ(entry(clockItem).frame.width(), 78.0);
    clock.advance(60s);
    EXPECT_EQ(entry(clockItem).frame.width(), 70.0);

    desktop.items().remove(clockItem);
    clock.advance(120s);
    EXPECT_EQ(clock.sleeperCount(), 0) << "the cycle ends with its item";
}

// A list handed out earlier is a snapshot: a later change of an application must not show
// through it (nor race with its reader on another thread).
TEST_F(ApplicationRegistryTest, ListsHandedOutDoNotChangeAfterwards) {
    ApplicationRegistry &registry = desktop.applications();
    const qint32 editor = launch(u"com.example.editor"_s);
    const QList<AppRecord> before = registry.applications();
    ASSERT_TRUE(registry.setHung(editor, true));
    EXPECT_FALSE(std::ranges::find(before, editor, &AppRecord::processId)->hung);
    EXPECT_TRUE(registry.application(editor)->hung);
}

} // namespace
} // namespace zorv::testing
