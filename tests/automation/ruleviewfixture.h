#pragma once

#include "appmodelharness.h"
#include "locationgate.h"
#include "ruleviewservices.h"
#include "systemnotifier.h"

namespace zorv {

// A started model on a simulated Mac (the sample bar: Dropbox, Fantastical, 1Password,
// TextExpander, Alfred and Control Center's Battery and Wi-Fi), with the Mac's Wi-Fi, the two
// permission gates and its application panel as the rule views get them. Pictures are named
// after their keys, so that tests can see which picture a choice carries.
class RuleViewFixture {
protected:
    RuleViewFixture() {
        mac.workspace().install({QStringLiteral("com.apple.mail"),
                                 QStringLiteral("/System/Applications/Mail.app"), std::nullopt});
        mac.workspace().install({QStringLiteral("com.example.tools"),
                                 QStringLiteral("/Applications/My.app Tools.app"), std::nullopt});
    }

    [[nodiscard]] RuleViewServices services() {
        RuleViewServices services{mac.workspace(), mac.desktop().wifi(), location, notifier,
                                  &mac.desktop().filePanels()};
        services.appPicture = [](const QString &key, const QImage &) -> QVariant { return key; };
        services.itemPicture = [](const MenuBarItem &item) -> QVariant {
            return QStringLiteral("item/") + item.id.bundleID;
        };
        return services;
    }

    void settle() { clock.settle(); }

    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac{clock, cloud, QStringLiteral("Mac")};
    AppModel &model = mac.started();
    SystemNotifier notifier{mac.desktop().notifications(), mac.workspace()};
    LocationGate location{mac.desktop().location(), mac.workspace()};
};

} // namespace zorv
