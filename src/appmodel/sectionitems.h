#pragma once

#include "menubaritem.h"
#include "sectionlayout.h"

#include <QList>

namespace zorv {

// Whether the user arranges the item and may name it in a rule: not the items macOS pins to the
// right end (Control Center's, the system UI server's, Spotlight's, Siri's, and Apple's clock,
// battery and Wi-Fi readouts under any of its processes), nor another vendor's menu-bar
// manager's. An item's name only counts for Apple's own processes: another application's
// "Battery Toolkit" is the user's like any other.
[[nodiscard]] bool isArrangeable(const MenuBarItem &item);

// The items of one section in the wanted order: those the layout lists first, in its order, then
// the rest; equal places are ordered left to right, then as scanned. Dormant, hidden-by-notch and
// unmovable items are included.
[[nodiscard]] QList<MenuBarItem> itemsInWantedOrder(const QList<MenuBarItem> &items,
                                                    const SectionLayout &layout, Section section);

// The items a secondary bar shows: the hidden section's items (and the always-hidden section's
// when `includeAlwaysHidden`), never dormant ones, left to right.
[[nodiscard]] QList<MenuBarItem> floatingBarItems(const QList<MenuBarItem> &items,
                                                  bool includeAlwaysHidden);

// Where a dropped item lands in its section's wanted order: before `before` once the item itself
// is taken out; nullopt (the end) when there is no `before` or it is not in the section.
[[nodiscard]] std::optional<qint64> dropIndex(const SectionLayout &layout, Section section,
                                              const MenuBarItemID &id,
                                              const std::optional<MenuBarItemID> &before);

} // namespace zorv
