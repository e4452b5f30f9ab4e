#include "itempress.h"

#include "accessibility.h"
#include "discovery/ax.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The item standing at `frame`: the element whose centre is nearest, within half the frame's
// width; else the one element carrying `identifier`. The null element when neither is found.
AXElement itemElement(const AX &ax, const QList<AXElement> &elements,
                      const std::optional<QString> &identifier, const QRectF &frame) {
    AXElement nearest;
    double nearestDistance = frame.width() / 2.0;
    for (const AXElement element : elements) {
        const QRectF candidate = ax.frame(element);
        const double distance = std::abs(candidate.center().x() - frame.center().x());
        if (candidate.width() > 0.0 && distance <= nearestDistance) {
            nearest = element;
            nearestDistance = distance;
        }
    }
    if (!nearest.isNull() || !identifier) {
        return nearest;
    }
    AXElement named;
    for (const AXElement element : elements) {
        if (ax.identifier(element) == identifier) {
            if (!named.isNull()) {
                return {};
            }
            named = element;
        }
    }
    return named;
}

} // namespace

std::optional<QString> ItemPress::actionFor(ClickKind click) {
    switch (click) {
    case ClickKind::left:
        return u"AXPress"_s;
    case ClickKind::right:
        return u"AXShowMenu"_s;
    case ClickKind::option:
        break;
    }
    return std::nullopt;
}

ItemPress::Outcome ItemPress::press(Accessibility &accessibility, qint32 processId,
                                    const std::optional<QString> &identifier, const QRectF &frame,
                                    const QString &action) {
    if (!accessibility.isProcessTrusted()) {
        return Outcome::notPermitted;
    }
    const AX ax(accessibility);
    bool answered = true;
    const QList<AXElement> elements = ax.extrasItems(processId, &answered);
    if (!answered) {
        return Outcome::notAnswering;
    }
    const AXElement element = itemElement(ax, elements, identifier, frame);
    if (element.isNull()) {
        return elements.isEmpty() ? Outcome::gone : Outcome::moved;
    }
    switch (accessibility.performAction(element, action)) {
    case AXError::Success:
        return Outcome::pressed;
    case AXError::CannotComplete:
        return Outcome::notAnswering;
    case AXError::APIDisabled:
        return Outcome::notPermitted;
    case AXError::InvalidUIElement:
        return Outcome::gone;
    default:
        return Outcome::refused;
    }
}

bool ItemPress::menuOpen(Accessibility &accessibility, qint32 processId,
                         const std::optional<QString> &identifier, const QRectF &frame) {
    const AX ax(accessibility);
    const AXElement element = itemElement(ax, ax.extrasItems(processId), identifier, frame);
    return !element.isNull() && ax.value<bool>(element, u"AXSelected"_s).value_or(false);
}

QString ItemPress::describe(Outcome outcome) {
    switch (outcome) {
    case Outcome::pressed:
        return u"pressed"_s;
    case Outcome::notAnswering:
        return u"not answering"_s;
    case Outcome::notPermitted:
        return u"no permission"_s;
    case Outcome::moved:
        return u"moved before the click"_s;
    case Outcome::gone:
        return u"item gone"_s;
    case Outcome::refused:
        break;
    }
    return u"press refused"_s;
}

} // namespace zorv
