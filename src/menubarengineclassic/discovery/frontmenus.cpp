#include "frontmenus.h"

#include "accessibility.h"
#include "ax.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

std::optional<double> frontMenusRightEdge(Accessibility &accessibility, qint32 processId) {
    const AX ax(accessibility);
    const AXElement application = accessibility.applicationElement(processId);
    (void)accessibility.setMessagingTimeout(application, AX::barMessagingTimeout);
    const auto menuBar = ax.value<AXElement>(application, u"AXMenuBar"_s);
    if (!menuBar) {
        return std::nullopt;
    }
    std::optional<double> right;
    const auto menus = ax.value<QList<AXElement>>(*menuBar, u"AXChildren"_s);
    for (const AXElement &menu : menus.value_or(QList<AXElement>{})) {
        const QRectF frame = ax.frame(menu);
        if (frame.width() > 0.0) {
            right = std::max(right.value_or(frame.right()), frame.right());
        }
    }
    return right;
}

} // namespace zorv
