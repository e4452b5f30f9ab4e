#include "activationtest.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// Between the press and the release of the engine's click: the user clicks elsewhere
// (`userClicks`), the permission is taken away (`permissionGoes`), or the item's title shrinks it
// away from under the pointer (`itemShrinks`), or grows it until the camera housing hides its
// middle (`intoHousing`), or an application whose menus cover it comes to the front
// (`menusCover`), or the item's application quits (`applicationQuits`), or the display's bar
// starts hiding itself (`barHides`). Or the permission is taken away between the engine's look at
// the bar and the click's press.
enum class Fault {
    hung,
    noPermission,
    userClicks,
    permissionGoes,
    itemShrinks,
    intoHousing,
    menusCover,
    permissionGoesBeforeTheClick,
    applicationQuits,
    barHides
};

struct FailureCase {
    const char *name;
    Fault fault;
    EngineError error;
    QString outcome;
    QStringList keys;

    friend void PrintTo(const FailureCase &c, std::ostream *out) { *out << c.name; }
};

// What the record of a click that was posted holds.
const QStringList kClickedKeys{u"at"_s,      u"item"_s,      u"kind"_s, u"menuBarCameBack"_s,
                               u"outcome"_s, u"wasTucked"_s, u"x"_s,    u"y"_s};

class FailedActivationTest : public EngineTest,
                             public ::testing::WithParamInterface<FailureCase> {};

// An item that cannot be opened is neither clicked nor pressed, and the record says why.
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
    // Before the click's press.
    QCoro::Task<> early = meanwhile(clock, 0.03, [&] {
        if (failed.fault == Fault::permissionGoesBeforeTheClick) {
            desktop.permissions().setAccessibilityTrusted(false);
        }
    });
    QCoro::Task<> hands = meanwhile(clock, 0.1, [&] {
        if (failed.fault == Fault::userClicks) {
            desktop.userInput().click(kUserSpot);
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
        ADD_FAILURE() << "the activation succeeded";
    } catch (const EngineFailure &failure) {
        EXPECT_EQ(failure.error(), failed.error);
    }
    drive(std::move(early));
    drive(std::move(hands));
    EXPECT_TRUE(desktop.readout().clicks().isEmpty());
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
        FailureCase{"UserClicksMeanwhile", Fault::userClicks, EngineError::activationFailed,
                    u"the user's click came between"_s, kClickedKeys},
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
        FailureCase{"ApplicationQuitsMeanwhile", Fault::applicationQuits, EngineError::itemNotFound,
                    u"item gone"_s, kClickedKeys},
        FailureCase{"BarStartsHidingItselfMeanwhile", Fault::barHides,
                    EngineError::activationFailed, u"moved during the click"_s, kClickedKeys}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv::testing
