#include "accessibility/elementattributes.h"

#include "layout/barview.h"

namespace zorv {

namespace {

AXAttributeResult success(AXAttributeValue value) {
    return {AXError::Success, std::move(value)};
}

AXAttributeResult failure(AXError error) {
    return {error, std::nullopt};
}

AXAttributeResult faulty(AttributeFault fault, AXAttributeValue good) {
    switch (fault) {
    case AttributeFault::None:
        return success(std::move(good));
    case AttributeFault::Missing:
        return failure(AXError::NoValue);
    case AttributeFault::WrongType:
        return success(QStringLiteral("unexpected"));
    }
    return failure(AXError::Failure);
}

} // namespace

AXAttributeResult ElementAttributes::read(const DesktopState &state, AXElement element,
                                          const QString &attribute, std::chrono::nanoseconds now) {
    if (!state.accessibilityTrusted) {
        return failure(AXError::APIDisabled);
    }
    const auto target = state.elements.resolve(element);
    if (!target) {
        return failure(AXError::InvalidUIElement);
    }
    if (target->kind == AXElementTable::Kind::Item) {
        const ItemRecord *record = state.item(target->id);
        return record ? item(state, *record, attribute, now) : failure(AXError::InvalidUIElement);
    }
    const AppRecord *app = state.app(qint32(target->id));
    if (!app) {
        return failure(AXError::InvalidUIElement);
    }
    switch (target->kind) {
    case AXElementTable::Kind::Application:
        return application(*app, attribute);
    case AXElementTable::Kind::MenuBar:
    case AXElementTable::Kind::Menu:
        return menus(state, *app, *target, attribute, now);
    default:
        return extrasBar(state, *app, attribute);
    }
}

AXAttributeResult ElementAttributes::application(const AppRecord &app, const QString &attribute) {
    if (attribute == u"AXExtrasMenuBar") {
        return faulty(app.extrasBarFault, AXElementTable::extrasBar(app.processId));
    }
    if (attribute == u"AXMenuBar") {
        return success(AXElementTable::menuBar(app.processId));
    }
    if (attribute == u"AXTitle") {
        return app.localizedName ? success(*app.localizedName) : failure(AXError::NoValue);
    }
    return failure(AXError::AttributeUnsupported);
}

AXAttributeResult ElementAttributes::menus(const DesktopState &state, const AppRecord &app,
                                           AXElementTable::Target target, const QString &attribute,
                                           std::chrono::nanoseconds now) {
    const BarView view(state, now);
    const ScreenRecord *screen = state.activeScreen();
    QList<QRectF> spans;
    if (screen && app.menusWidth > 0.0) {
        const QRectF strip = view.topLeft(screen->barStrip());
        const double left = screen->frame.left();
        double right = left + app.menusWidth;
        const auto gap = screen->housingGap();
        if (gap && right > gap->first) {
            spans.append(QRectF(left, strip.top(), gap->first - left, strip.height()));
            right += gap->second - gap->first;
            spans.append(QRectF(gap->second, strip.top(), right - gap->second, strip.height()));
        } else {
            spans.append(QRectF(left, strip.top(), right - left, strip.height()));
        }
    }
    if (target.kind == AXElementTable::Kind::MenuBar) {
        if (attribute != u"AXChildren") {
            return failure(AXError::AttributeUnsupported);
        }
        QList<AXElement> children;
        for (int index = 0; index < spans.size(); ++index) {
            children.append(AXElementTable::menu(app.processId, index));
        }
        return success(children);
    }
    if (target.index >= spans.size()) {
        return failure(AXError::InvalidUIElement);
    }
    const QRectF span = spans.at(target.index);
    if (attribute == u"AXPosition") {
        return success(span.topLeft());
    }
    if (attribute == u"AXSize") {
        return success(span.size());
    }
    return failure(AXError::AttributeUnsupported);
}

AXAttributeResult ElementAttributes::extrasBar(const DesktopState &state, const AppRecord &app,
                                               const QString &attribute) {
    if (app.extrasBarFault != AttributeFault::None) {
        return failure(AXError::InvalidUIElement);
    }
    if (attribute != u"AXChildren") {
        return failure(AXError::AttributeUnsupported);
    }
    QList<AXElement> children;
    for (const quint64 id : state.itemsByOwner.value(app.processId)) {
        if (state.item(id)->seated) {
            children.append(AXElementTable::item(id));
        }
    }
    return faulty(app.childrenFault, children);
}

AXAttributeResult ElementAttributes::item(const DesktopState &state, const ItemRecord &item,
                                          const QString &attribute, std::chrono::nanoseconds now) {
    if (const auto override = item.attributeOverrides.constFind(attribute);
        override != item.attributeOverrides.cend()) {
        return *override ? success(**override) : failure(AXError::NoValue);
    }
    if (attribute == u"AXPosition" || attribute == u"AXSize") {
        const BarView view(state, now);
        const auto window = view.window(item.id);
        if (!window) {
            return failure(AXError::NoValue);
        }
        const QRectF frame = view.topLeft(window->frame);
        return attribute == u"AXPosition" ? success(frame.topLeft()) : success(frame.size());
    }
    if (attribute == u"AXSelected") {
        const std::optional<OpenItemMenu> &menu = state.itemMenus.open;
        return success(menu.has_value() && menu->itemId == item.id);
    }
    if (attribute == u"AXTitle" && !item.title.isEmpty()) {
        return success(item.title);
    }
    if (attribute == u"AXTitle" || attribute == u"AXDescription" || attribute == u"AXHelp" ||
        attribute == u"AXIdentifier") {
        return failure(AXError::NoValue);
    }
    return failure(AXError::AttributeUnsupported);
}

} // namespace zorv
