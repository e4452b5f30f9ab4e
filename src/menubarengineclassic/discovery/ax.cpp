#include "ax.h"

#include "accessibility.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

bool isSane(double component) {
    return std::isfinite(component) && std::abs(component) <= AX::largestFrameComponent;
}

} // namespace

std::optional<AXAttributeValue> AX::readValue(AXElement element, const QString &attribute,
                                              bool *answered) const {
    AXAttributeResult result = m_accessibility.copyAttributeValue(element, attribute);
    if (answered && result.error == AXError::CannotComplete) {
        *answered = false;
    }
    if (result.error != AXError::Success) {
        return std::nullopt;
    }
    return std::move(result.value);
}

QList<AXElement> AX::extrasItems(qint32 processId, bool *answered) const {
    const AXElement application = m_accessibility.applicationElement(processId);
    // Only requests through this reference give up early; the bar and its children keep the
    // default time-out.
    (void)m_accessibility.setMessagingTimeout(application, barMessagingTimeout);
    const auto bar = value<AXElement>(application, u"AXExtrasMenuBar"_s, answered);
    if (!bar) {
        return {};
    }
    return value<QList<AXElement>>(*bar, u"AXChildren"_s, answered).value_or(QList<AXElement>{});
}

std::optional<double> AX::menusRight(qint32 processId, bool *answered) const {
    const AXElement application = m_accessibility.applicationElement(processId);
    (void)m_accessibility.setMessagingTimeout(application, barMessagingTimeout);
    const auto bar = value<AXElement>(application, u"AXMenuBar"_s, answered);
    if (!bar) {
        return std::nullopt;
    }
    std::optional<double> right;
    for (const AXElement menu :
         value<QList<AXElement>>(*bar, u"AXChildren"_s).value_or(QList<AXElement>{})) {
        const QRectF menuFrame = frame(menu);
        if (menuFrame.width() > 0.0) {
            right = std::max(right.value_or(menuFrame.right()), menuFrame.right());
        }
    }
    return right;
}

QRectF AX::frame(AXElement element) const {
    const QPointF origin = value<QPointF>(element, u"AXPosition"_s).value_or(QPointF());
    const QSizeF size = value<QSizeF>(element, u"AXSize"_s).value_or(QSizeF());
    if (!isSane(origin.x()) || !isSane(origin.y()) || !isSane(size.width()) ||
        !isSane(size.height())) {
        return {};
    }
    return QRectF(origin, size);
}

std::optional<QString> AX::title(AXElement element) const {
    for (const QString &attribute : {u"AXTitle"_s, u"AXDescription"_s, u"AXHelp"_s}) {
        const auto text = value<QString>(element, attribute);
        if (text && !text->isEmpty()) {
            return text;
        }
    }
    return std::nullopt;
}

std::optional<QString> AX::identifier(AXElement element) const {
    return value<QString>(element, u"AXIdentifier"_s);
}

} // namespace zorv
