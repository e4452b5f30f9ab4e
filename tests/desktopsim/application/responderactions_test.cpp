#include "application/menufixture.h"

#include "application/menubartitles.h"

#include <QWindow>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

constexpr quint16 cKey = 8;

// This application in front with an Edit menu whose rows go to the first responder, and a window
// of its own with the keyboard whose content takes every action sent to it.
class ResponderActionsTest : public ApplicationMenusTest {
protected:
    ResponderActionsTest() {
        auto edit = std::make_shared<Menu>();
        for (const auto &[title, action] :
             {std::pair{u"Copy"_s, u"copy:"_s}, std::pair{u"Paste"_s, u"paste:"_s}}) {
            MenuItem item;
            item.title = title;
            item.keyEquivalent = title.left(1).toLower();
            item.responderAction = action;
            edit->items.append(item);
        }
        MenuItem top;
        top.title = u"Edit"_s;
        top.submenu = edit;
        auto main = std::make_shared<Menu>();
        main->items = {top};
        desktop.application().setMainMenu(main);
        desktop.application().setActivationPolicy(ActivationPolicy::Regular);
        desktop.application().activate(true);
        desktop.appWindows().setFirstResponder([this](SimAppWindow &, const QString &action) {
            received.append(action);
            return true;
        });
        window = desktop.appWindows().adopt(qtWindow);
        window->makeKeyAndOrderFront();
        settle();
    }

    // Opens the Edit menu with a click on its title and clicks its row at `index`.
    void chooseWithTheMouse(int index) {
        const double x = MenuBarTitles::leftMargin + MenuBarTitles::appleMenuWidth;
        desktop.userInput().click({x + MenuBarTitles::titleWidth(u"Edit"_s, true) / 2, 12});
        ASSERT_TRUE(desktop.menus().isTracking());
        const QRectF frame = desktop.menus().frame();
        const QPointF row(frame.center().x(), frame.top() + SimMenus::verticalPadding +
                                                  SimMenus::rowHeight * (index + 0.5));
        desktop.userInput().moveMouse(row);
        desktop.userInput().click(row);
        settle();
    }

    QWindow qtWindow;
    std::unique_ptr<AppWindow> window;
    QStringList received;
};

TEST_F(ResponderActionsTest, ARowChosenWithTheMouseGoesToTheKeyWindowsFirstResponderOnce) {
    chooseWithTheMouse(1);
    EXPECT_EQ(received, QStringList{u"paste:"_s});
    EXPECT_TRUE(desktop.application().sentResponderActions().isEmpty());
}

// The key itself reaches the key window, whose text controls answer it: the row sends nothing
// there, or the control would copy twice.
TEST_F(ResponderActionsTest, AKeyEquivalentLeavesTheActionToTheKeyWindowsContent) {
    desktop.userInput().pressKey(cKey, EventFlags::command);
    settle();
    EXPECT_TRUE(received.isEmpty());
    EXPECT_EQ(desktop.application().sentResponderActions(), QStringList{u"copy:"_s});
}

TEST_F(ResponderActionsTest, WithoutAKeyWindowTheActionIsOnlySent) {
    window->close();
    chooseWithTheMouse(0);
    EXPECT_TRUE(received.isEmpty());
    EXPECT_EQ(desktop.application().sentResponderActions(), QStringList{u"copy:"_s});
}

} // namespace
} // namespace zorv::testing
