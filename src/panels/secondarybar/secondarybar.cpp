#include "secondarybar.h"

#include "appmodel.h"
#include "kit/zorvkit.h"
#include "modelsearch.h"
#include "screens.h"
#include "secondarybarcells.h"
#include "secondarybarplacement.h"
#include "secondarybarstate.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QQmlEngine>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

ItemPictures *picturesOf(QQmlEngine &engine) {
    ZorvKit *kit = ZorvKit::of(&engine);
    return kit ? &kit->itemPictures() : nullptr;
}

// The bar's colour when pixel-perfect pictures are on: the sampled one, else dark grey.
std::optional<QColor> barColour(const AppModel &model, const std::optional<QColor> &sampled) {
    if (!model.settings().pixelPerfectIconsEnabled) {
        return std::nullopt;
    }
    return sampled.value_or(QColor::fromRgbF(0.2f, 0.2f, 0.2f));
}

bool standsOnTheBar(const QList<MenuBarItem> &items, const MenuBarItemID &id) {
    return std::any_of(items.cbegin(), items.cend(), [&id](const MenuBarItem &item) {
        return item.id == id && !item.isDormant;
    });
}

} // namespace

SecondaryBar::SecondaryBar(AppModel &model, const PanelServices &services)
    : m_model(&model), m_services(services), m_rows(picturesOf(services.engine)) {}

SecondaryBar::~SecondaryBar() {
    removeDismissMonitors();
}

bool SecondaryBar::makePanel() {
    if (m_panel) {
        return true;
    }
    WindowStyle style;
    style.level = WindowLevel::statusBar;
    style.collectionBehavior = collectionBehavior;
    style.nonActivating = true;
    style.canBecomeKey = false;
    style.opaque = false;
    style.hasShadow = true;
    m_panel =
        PanelWindow::load(m_services.engine, m_services.windows, u"SecondaryBarView.qml"_s,
                          {{u"controller"_s, QVariant::fromValue(static_cast<QObject *>(this))},
                           {u"rows"_s, QVariant::fromValue(static_cast<QObject *>(&m_rows))},
                           {u"emptyText"_s, emptyText},
                           {u"emptyTextPixels"_s, emptyTextPixels}},
                          Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                              Qt::WindowDoesNotAcceptFocus,
                          style);
    return m_panel != nullptr;
}

void SecondaryBar::show(const QList<MenuBarItem> &items, const std::optional<QRectF> &iconFrame,
                        bool includeAlwaysHidden) {
    if (!m_model) {
        return;
    }
    // An open strip holds its cells still, so that a tap lands on the item the user saw there
    // however the bar moved since; the next showing takes the bar's order.
    const bool stayingOpen = m_visible && m_panel;
    const QList<MenuBarItem> cells = stayingOpen ? cellsKeptInPlace(m_rows.items(), items) : items;
    m_includesAlwaysHidden = includeAlwaysHidden;
    const std::optional<QColor> sampled =
        m_services.sampledBarColor ? m_services.sampledBarColor() : std::nullopt;
    const std::optional<QColor> colour = barColour(*m_model, sampled);
    QList<ItemRowsModel::Entry> rows;
    for (const MenuBarItem &item : cells) {
        rows.append({item, std::nullopt});
    }
    m_rows.setEntries(rows, sampled);
    if (!makePanel()) {
        return;
    }
    m_panel->window().setProperty("barColor", colour ? QVariant(*colour) : QVariant());
    if (colour) {
        m_panel->window().setProperty(
            "barInk", colour->lightnessF() < 0.5 ? QColor(Qt::white) : QColor(Qt::black));
    }
    place(stayingOpen, iconFrame, colour.has_value());
    m_panel->server().orderFrontRegardless();
    m_visible = true;
    installDismissMonitors();
    writeState(cells);
}

void SecondaryBar::place(bool stayingOpen, const std::optional<QRectF> &iconFrame,
                         bool onBarColour) {
    QList<double> cells;
    for (const ItemRow &row : m_rows.rows()) {
        cells.append(SecondaryBarPlacement::cellWidth(row.picture, onBarColour));
    }
    QFont font = QGuiApplication::font();
    font.setPixelSize(emptyTextPixels);
    const QSizeF size =
        SecondaryBarPlacement::stripSize(cells, QFontMetricsF(font).horizontalAdvance(emptyText));
    QRectF frame = m_panel->server().frame();
    const QList<Screen> screens = m_services.screens.screens();
    std::optional<QPointF> origin =
        stayingOpen ? SecondaryBarPlacement::keptOrigin(size, frame, screens) : std::nullopt;
    if (!origin) {
        origin = SecondaryBarPlacement::origin(size, iconFrame, screens,
                                               m_services.screens.mainScreen());
    }
    frame.setSize(size);
    if (origin) {
        frame.moveTopLeft(*origin);
    }
    m_panel->server().setFrame(frame);
}

void SecondaryBar::hide() {
    if (m_panel) {
        m_panel->server().orderOut();
    }
    m_visible = false;
    removeDismissMonitors();
    writeState({});
}

void SecondaryBar::onTap(int row) {
    const std::optional<MenuBarItem> cell = m_rows.itemAt(row);
    // The cell of an item that has left the bar since the strip was shown does nothing.
    if (!cell || !m_model || !standsOnTheBar(m_model->items(), cell->id)) {
        return;
    }
    const MenuBarItemID id = cell->id;
    // The strip closes before the click is made.
    hide();
    if (m_model) {
        m_model->activate(id, ClickKind::left);
    }
}

void SecondaryBar::installDismissMonitors() {
    removeDismissMonitors();
    const QPointer<SecondaryBar> self(this);
    const auto outside = m_services.monitors.addGlobalMonitor(
        EventMask::leftMouseDown | EventMask::rightMouseDown, [self](const MonitoredEvent &) {
            if (!self || !self->m_panel || !self->m_visible) {
                return;
            }
            const QPointF pointer = self->m_services.monitors.mouseLocation();
            if (!self->m_panel->server().frame().contains(pointer)) {
                self->hide();
            }
        });
    const auto escape = m_services.monitors.addGlobalMonitor(
        EventMask::keyDown, [self](const MonitoredEvent &event) {
            if (self && event.keyCode == KeyCode::escape) {
                self->hide();
            }
        });
    for (const auto &token : {outside, escape}) {
        if (token) {
            m_dismissMonitors.append(*token);
        }
    }
}

void SecondaryBar::removeDismissMonitors() {
    for (const EventMonitors::Token token : std::as_const(m_dismissMonitors)) {
        m_services.monitors.removeMonitor(token);
    }
    m_dismissMonitors.clear();
}

void SecondaryBar::writeState(const QList<MenuBarItem> &items) {
    if (!m_model) {
        return;
    }
    SecondaryBarState state;
    state.visible = m_visible;
    state.includesAlwaysHidden = m_includesAlwaysHidden;
    if (m_panel) {
        state.frame = m_panel->server().frame();
    }
    for (const MenuBarItem &item : items) {
        state.items.append(ModelSearch::displayName(item));
    }
    // A file that cannot be written only leaves watchers with an older state.
    (void)state.write(m_model->dataFolder());
}

} // namespace zorv
