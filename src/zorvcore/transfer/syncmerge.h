#pragma once

#include "syncedbundle.h"

namespace zorv {

// Merges two Macs' bundles without losing what either made: `newer` supplies the stamp, the
// device and the settings, the layouts are united (SyncedBundle::mergeLayout), and profiles and
// rules are merged by id. An id both hold takes the newer version; an id only one side holds was
// created there and is kept. Ids either side has deleted are left out, and the result carries
// both sides' deletions. The newer list's order leads, the older side's own items follow in
// their order. The active profile is the newer side's.
[[nodiscard]] SyncedBundle mergeSyncedBundles(const SyncedBundle &newer, const SyncedBundle &older);

} // namespace zorv
