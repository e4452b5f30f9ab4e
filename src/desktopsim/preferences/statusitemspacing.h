#pragma once

#include "preferences/simglobalpreferences.h"
#include "script/applicationregistry.h"

#include <QVariant>

namespace zorv {

// The gap between status items that an application launching now takes from the stored value of
// "NSStatusItemSpacing": that number of points, or the system's 16 when the key is missing or
// holds anything but a number from 0 to 10,000 (the longest a status item can be).
[[nodiscard]] double launchStatusItemSpacing(const QVariant &stored);

// Makes the simulated bar follow the preferences domain as the real one does: applications
// launched after a synchronised change of "NSStatusItemSpacing" read the new spacing, those
// already running keep theirs. Applies the stored value now and takes over the preferences'
// stored-change callback; both objects must outlive the link's use.
void linkStatusItemSpacing(SimGlobalPreferences &preferences, ApplicationRegistry &applications);

} // namespace zorv
