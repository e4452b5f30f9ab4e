#pragma once

#include "manualclock.h"
#include "simulateddesktop.h"
#include "workspace/simworkspace.h"

#include <QDateTime>

namespace zorv {

// A simulated Mac with a few applications installed, for naming them in rule words.
class InstalledMac {
public:
    InstalledMac() : m_desktop(m_clock, thisProcess()), workspace(m_desktop.model()) {
        workspace.install({QStringLiteral("com.apple.mail"),
                           QStringLiteral("/System/Applications/Mail.app"), std::nullopt});
        workspace.install({QStringLiteral("com.example.tools"),
                           QStringLiteral("/Applications/My.app Tools.app"), std::nullopt});
    }

private:
    static AppDescription thisProcess() {
        AppDescription description;
        description.bundleIdentifier = QStringLiteral("app.zorv.Zorv");
        return description;
    }

    ManualClock m_clock{QDateTime(QDate(2026, 12, 1), QTime(9, 0), Qt::UTC)};
    SimulatedDesktop m_desktop;

public:
    SimWorkspace workspace;
};

} // namespace zorv
