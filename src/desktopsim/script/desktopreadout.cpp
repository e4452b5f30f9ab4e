#include "script/desktopreadout.h"

#include "layout/barview.h"

namespace zorv {

namespace {

BarEntry entryFor(const DesktopState &state, const BarView &view, const BarItemView &itemView) {
    BarEntry entry;
    entry.itemId = itemView.itemId;
    entry.displayId = itemView.displayId;
    entry.frame = view.topLeft(itemView.frame);
    entry.onScreen = itemView.onScreen;
    entry.visible = itemView.visible();
    entry.underMenus = itemView.underMenus;
    entry.underHousing = itemView.underHousing;
    if (const ItemRecord *item = state.item(itemView.itemId)) {
        entry.processId = item->ownerProcessId;
        entry.title = item->title;
        entry.autosaveName = item->autosaveName;
        entry.length = item->length;
        entry.immovable = item->immovable;
        if (const AppRecord *owner = state.app(item->ownerProcessId)) {
            entry.bundleIdentifier = owner->bundleIdentifier;
            entry.applicationName = owner->localizedName;
        }
    }
    return entry;
}

} // namespace

DesktopReadout::DesktopReadout(DesktopModel &model) : m_model(model) {}

QList<BarEntry> DesktopReadout::bar(std::optional<DisplayId> displayId) const {
    const auto now = m_model.clock().now();
    return m_model.read([&](const DesktopState &state) {
        QList<BarEntry> entries;
        const ScreenRecord *screen = displayId ? state.screen(*displayId) : state.activeScreen();
        if (!screen) {
            return entries;
        }
        const BarView view(state, now);
        for (const BarItemView &itemView : view.items(screen->displayId)) {
            entries.append(entryFor(state, view, itemView));
        }
        return entries;
    });
}

std::optional<BarEntry> DesktopReadout::entry(quint64 itemId) const {
    const auto now = m_model.clock().now();
    return m_model.read([&](const DesktopState &state) -> std::optional<BarEntry> {
        const BarView view(state, now);
        const auto window = view.window(itemId);
        return window ? std::optional(entryFor(state, view, *window)) : std::nullopt;
    });
}

std::optional<double> DesktopReadout::menusRight(DisplayId displayId) const {
    const auto now = m_model.clock().now();
    return m_model.read([&](const DesktopState &state) -> std::optional<double> {
        const ScreenRecord *screen = state.screen(displayId);
        return screen ? std::optional(BarView(state, now).menusRight(*screen)) : std::nullopt;
    });
}

QList<LoggedEvent> DesktopReadout::events() const {
    return m_model.read([](const DesktopState &state) {
        return QList<LoggedEvent>(state.eventLog.cbegin(), state.eventLog.cend());
    });
}

QList<DeliveredClick> DesktopReadout::clicks() const {
    return m_model.read([](const DesktopState &state) {
        return QList<DeliveredClick>(state.clicks.cbegin(), state.clicks.cend());
    });
}

std::optional<OpenItemMenu> DesktopReadout::openItemMenu() const {
    return m_model.read([](const DesktopState &state) { return state.itemMenus.open; });
}

QList<ClosedItemMenu> DesktopReadout::itemMenuClosings() const {
    return m_model.read([](const DesktopState &state) {
        const std::deque<ClosedItemMenu> &closings = state.itemMenus.closings;
        return QList<ClosedItemMenu>(closings.cbegin(), closings.cend());
    });
}

int DesktopReadout::mainThreadAccessibilityReads() const {
    return m_model.read(
        [](const DesktopState &state) { return state.mainThreadAccessibilityReads; });
}

CursorState DesktopReadout::cursor() const {
    return m_model.read([](const DesktopState &state) {
        const InputState &input = state.input;
        return CursorState{input.cursor,     input.cursorReadable, input.mouseAssociated,
                           input.hideCounts, input.hideCalls,      input.showCalls,
                           input.warps};
    });
}

void DesktopReadout::setCursorReadable(bool readable) {
    m_model.write(
        [&](DesktopState &state, ModelEffects &) { state.input.cursorReadable = readable; });
}

} // namespace zorv
