#include "accessibility/axelementtable.h"
#include "activationtest.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// Between the press and the release of the engine's click: the user clicks elsewhere
// (`userClicks`) or right-clicks there (`userRightClicks`), or clicks the item
// (`userClicksTheItem`), the permission is taken away (`permissionGoes`), or the item's title
// shrinks it away from under the pointer (`itemShrinks`), or grows it until the camera housing
// hides its middle (`intoHousing`), or an application whose menus cover it comes to the front
// (`menusCover`), or the item's application quits (`applicationQuits`), or the display's bar
// starts hiding itself (`barHides`). Or, between the engine's look at the bar and the click's
// press, once the pointer is on the item: the permission is taken away, the user clicks the item
// with either button, or its menu opens by itself.
enum class Fault {
    hung,
    noPermission,
    userClicks,
    userRightClicks,
    userClicksTheItem,
    permissionGoes,
    itemShrinks,
    intoHousing,
    menusCover,
    permissionGoesBeforeTheClick,
    userClicksTheItemBeforeTheClick,
    userRightClicksTheItemBeforeTheClick,
    itsMenuOpensBeforeTheClick,
    applicationQuits,
    barHides
};

struct FailureCase {
    const char *name;
    Fault fault;
    // None when the activation ends without an error, having found the item's menu open.
    std::optional<EngineError> error;
    QString outcome;
    QStringList keys;
    // Whether the item's menu is open in the end, and how many clicks of the engine's it took.
    bool menuOpen = false;
    qsizetype enginesClicks = 0;

    friend void PrintTo(const FailureCase &c, std::ostream *out) { *out << c.name; }
};

// What the record of a click that was posted holds.
const QStringList kClickedKeys{u"at"_s,      u"item"_s,      u"kind"_s, u"menuBarCameBack"_s,
                               u"outcome"_s, u"wasTucked"_s, u"x"_s,    u"y"_s};

const QString kCutIn = u"the user's click came between"_s;

class FailedActivationTest : public EngineTest,
                             public ::testing::WithParamInterface<FailureCase> {};

// An item that cannot be opened is neither clicked nor pressed, and the record says why; a menu
// the user or the item's application opened meanwhile stays open.
TEST_P(FailedActivationTest, recordsWhyTheItemWasNotOpened) {
    const FailureCase &failed = GetParam();
    const DisplayId laptop = addLaptop(failed.fault == Fault::intoHousing ? 700.0 : 0.0);
    furnishSections();
    startEngine();
    if (failed.fault == Fault::hung) {
        desktop.applications().setHung(toolsProcess, true);
    } else if (failed.fault == Fault::noPermission) {
        desktop.permissions().setAccessibilityTrusted(false);
    }
    const QPointF item = entry(shown).frame.center();
    // Before the click's press, the pointer on the item.
    QCoro::Task<> early = meanwhile(clock, 0.03, [&] {
        if (failed.fault == Fault::permissionGoesBeforeTheClick) {
            desktop.permissions().setAccessibilityTrusted(false);
        } else if (failed.fault == Fault::userClicksTheItemBeforeTheClick) {
            desktop.userInput().click(item);
        } else if (failed.fault == Fault::userRightClicksTheItemBeforeTheClick) {
            desktop.userInput().click(item, MouseButton::Right);
        } else if (failed.fault == Fault::itsMenuOpensBeforeTheClick) {
            ASSERT_EQ(
                desktop.accessibility().performAction(AXElementTable::item(shown), u"AXPress"_s),
                AXError::Success);
        }
    });
    QCoro::Task<> hands = meanwhile(clock, 0.1, [&] {
        if (failed.fault == Fault::userClicks) {
            desktop.userInput().click(kUserSpot);
        } else if (failed.fault == Fault::userRightClicks) {
            desktop.userInput().click(kUserSpot, MouseButton::Right);
        } else if (failed.fault == Fault::userClicksTheItem) {
            desktop.userInput().click(item);
        } else if (failed.fault == Fault::permissionGoes) {
            desktop.permissions().setAccessibilityTrusted(false);
        } else if (failed.fault == Fault::itemShrinks || failed.fault == Fault::intoHousing) {
            desktop.items().setLength(shown, failed.fault == Fault::itemShrinks ? 2.0 : 740.0);
            desktop.model().layOutNow();
        } else if (failed.fault == Fault::menusCover) {
            desktop.applications().activate(launch(u"com.example.editor"_s, 1450.0));
        } else if (failed.fault == Fault::applicationQuits) {
            desktop.applications().quit(toolsProcess);
        } else if (failed.fault == Fault::barHides) {
            desktop.arrangement().setAutoHidesMenuBar(laptop, true);
        }
    });
    try {
        drive(engine->activate(idOf(u"shown"_s), ClickKind::left));
        EXPECT_FALSE(failed.error.has_value()) << "the activation succeeded";
    } catch (const EngineFailure &failure) {
        EXPECT_EQ(failure.error(), failed.error);
    }
    drive(std::move(early));
    drive(std::move(hands));
    const QList<DeliveredClick> clicks = desktop.readout().clicks();
    EXPECT_EQ(std::count_if(clicks.cbegin(), clicks.cend(),
                            [](const DeliveredClick &click) {
                                return click.origin == EventOrigin::Synthetic &&
                                       click.via == ItemOpening::Click;
                            }),
              failed.enginesClicks);
    const std::optional<OpenItemMenu> menu = desktop.readout().openItemMenu();
    EXPECT_EQ(menu && menu->itemId == shown, failed.menuOpen);
    const QJsonObject record = readFile(u"last-activate.json"_s);
    EXPECT_EQ(record.keys(), failed.keys);
    EXPECT_EQ(record.value(u"outcome"_s).toString(), failed.outcome);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FailedActivationTest,
    ::testing::Values(
        FailureCase{"HungApplication", Fault::hung, EngineError::activationFailed,
                    u"not answering"_s,
                    QStringList{u"at"_s, u"item"_s, u"kind"_s, u"menuBarCameBack"_s, u"outcome"_s,
                                u"wasTucked"_s, u"why"_s}},
        FailureCase{"NoPermission", Fault::noPermission, EngineError::notPermitted,
                    u"no permission"_s,
                    QStringList{u"at"_s, u"item"_s, u"kind"_s, u"outcome"_s, u"wasTucked"_s}},
        FailureCase{"UserClicksMeanwhile", Fault::userClicks, EngineError::activationFailed, kCutIn,
                    kClickedKeys},
        // The window server has the engine's press released over the item all the same.
        FailureCase{"UserRightClicksMeanwhile", Fault::userRightClicks,
                    EngineError::activationFailed, kCutIn, kClickedKeys, true, 1},
        FailureCase{"UserClicksTheItemMeanwhile", Fault::userClicksTheItem,
                    EngineError::activationFailed, kCutIn, kClickedKeys, true},
        FailureCase{"PermissionGoesMeanwhile", Fault::permissionGoes, EngineError::notPermitted,
                    u"the Accessibility permission went during the click"_s, kClickedKeys},
        FailureCase{"ItemShrinksMeanwhile", Fault::itemShrinks, EngineError::activationFailed,
                    u"moved during the click"_s, kClickedKeys},
        FailureCase{"ItemGrowsBehindTheHousingMeanwhile", Fault::intoHousing,
                    EngineError::activationFailed, u"moved during the click"_s, kClickedKeys},
        FailureCase{"MenusCoverItMeanwhile", Fault::menusCover, EngineError::activationFailed,
                    u"covered by the menus of the application in front during the click"_s,
                    kClickedKeys},
        FailureCase{"PermissionGoesBeforeTheClick", Fault::permissionGoesBeforeTheClick,
                    EngineError::notPermitted, u"no permission"_s, kClickedKeys},
        FailureCase{"UserClicksTheItemBeforeTheClick", Fault::userClicksTheItemBeforeTheClick,
                    EngineError::activationFailed, kCutIn, kClickedKeys, true},
        FailureCase{"UserRightClicksTheItemBeforeTheClick",
                    Fault::userRightClicksTheItemBeforeTheClick, EngineError::activationFailed,
                    kCutIn, kClickedKeys, true},
        FailureCase{"ItsMenuOpensBeforeTheClick", Fault::itsMenuOpensBeforeTheClick, std::nullopt,
                    u"its menu was open already"_s, kClickedKeys, true},
        FailureCase{"ApplicationQuitsMeanwhile", Fault::applicationQuits, EngineError::itemNotFound,
                    u"item gone"_s, kClickedKeys},
        FailureCase{"BarStartsHidingItselfMeanwhile", Fault::barHides,
                    EngineError::activationFailed, u"moved during the click"_s, kClickedKeys}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv::testing
