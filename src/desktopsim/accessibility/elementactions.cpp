#include "accessibility/elementactions.h"

#include "input/itemmenu.h"

namespace zorv {

AXError ElementActions::perform(DesktopState &state, AXElement element, const QString &action,
                                std::chrono::nanoseconds now, ModelEffects &effects) {
    if (!state.accessibilityTrusted) {
        return AXError::APIDisabled;
    }
    const auto target = state.elements.resolve(element);
    if (!target) {
        return AXError::InvalidUIElement;
    }
    if (target->kind != AXElementTable::Kind::Item) {
        return AXError::ActionUnsupported;
    }
    const ItemRecord *item = state.item(target->id);
    const AppRecord *owner = item ? state.app(item->ownerProcessId) : nullptr;
    const std::optional<QPointF> menuAt = ItemMenu::origin(state, target->id, now);
    if (!owner || !menuAt) {
        return AXError::InvalidUIElement;
    }
    if (owner->hung) {
        return AXError::CannotComplete;
    }
    const bool pressed = action == press;
    if (!pressed && action != showMenu) {
        return AXError::ActionUnsupported;
    }
    DeliveredClick click;
    click.itemId = target->id;
    click.ownerProcessId = owner->processId;
    click.kind = pressed ? ItemClickKind::Left : ItemClickKind::Right;
    click.button = pressed ? MouseButton::Left : MouseButton::Right;
    click.at = now;
    click.origin = EventOrigin::Synthetic;
    click.displayId = state.activeScreen()->displayId;
    click.via = pressed ? ItemOpening::Press : ItemOpening::ShowMenu;
    click.menuAt = *menuAt;
    ItemMenu::deliver(state, click, now, effects);
    return AXError::Success;
}

} // namespace zorv
