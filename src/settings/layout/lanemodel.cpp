#include "lanemodel.h"

#include "appmodel.h"
#include "chippayload.h"
#include "connections.h"
#include "dropcaret.h"
#include "items/menubaritemdrag.h"
#include "kit/zorvkit.h"
#include "laneitems.h"
#include "namebubble.h"
#include "sectionitems.h"

#include <QQmlEngine>
#include <QSet>

#include <algorithm>

namespace zorv {

LaneModel::LaneModel(QObject *parent)
    : RowListModel<LaneRow>(
          LaneRow::roles(), [](const LaneRow &row) { return row.key; }, parent),
      m_caret(new DropCaret([this] { return clock(); }, this)),
      m_bubble(new NameBubble([this] { return clock(); }, this)) {
    connect(m_caret, &DropCaret::changed, this, &LaneModel::dropStateChanged);
    connect(m_bubble, &NameBubble::changed, this, &LaneModel::bubbleChanged);
}

LaneModel::~LaneModel() = default;

void LaneModel::classBegin() {
    m_complete = false;
}

void LaneModel::componentComplete() {
    m_complete = true;
    refresh();
}

void LaneModel::setView(ModelView *view) {
    if (view == m_view) {
        return;
    }
    disconnectAll(m_connections);
    m_view = view;
    if (view) {
        AppModel *model = &view->model();
        for (const auto signal :
             {&AppModel::itemsChanged, &AppModel::layoutOrderChanged, &AppModel::settingsChanged}) {
            m_connections.append(connect(model, signal, this, &LaneModel::refresh));
        }
    }
    Q_EMIT viewChanged();
    refresh();
}

void LaneModel::setServices(SettingsServices *services) {
    if (services == m_services) {
        return;
    }
    m_services = services;
    Q_EMIT servicesChanged();
    refresh();
}

QString LaneModel::section() const {
    return rawValue(m_section);
}

void LaneModel::setSection(const QString &text) {
    const std::optional<Section> section = sectionFromRawValue(text);
    if (!section) {
        qWarning("Zorv: a lane refused the unknown section \"%s\"", qPrintable(text));
        Q_EMIT sectionChanged();
        return;
    }
    if (*section == m_section) {
        return;
    }
    m_section = *section;
    Q_EMIT sectionChanged();
    refresh();
}

QString LaneModel::title() const {
    return LaneItems::title(m_section);
}

QString LaneModel::dragType() {
    return MenuBarItemDrag::mimeType;
}

ZorvKit *LaneModel::findKit() const {
    if (m_view && m_view->kit()) {
        return m_view->kit();
    }
    return ZorvKit::of(qmlEngine(this));
}

Clock *LaneModel::clock() const {
    return m_services ? &m_services->clock() : nullptr;
}

void LaneModel::refresh() {
    if (!m_complete) {
        return;
    }
    ZorvKit *kit = findKit();
    if (kit != m_kit || !m_pictures) {
        // Pictures published to another kit go with it.
        m_pictures.reset();
        m_kit = kit;
        m_pictures =
            std::make_unique<PublishedPictures>(this, kit ? &kit->itemPictures() : nullptr);
    }
    QList<MenuBarItem> items;
    if (m_view) {
        for (const MenuBarItem &item : m_view->model().itemsIn(m_section)) {
            if (isArrangeable(item)) {
                items.append(item);
            }
        }
    }
    const std::optional<QColor> sampled = m_services ? m_services->sampledBarColor() : std::nullopt;
    QList<LaneRow> chips;
    chips.reserve(items.size());
    for (const MenuBarItem &item : std::as_const(items)) {
        chips.append(LaneRow::of(item, sampled, *m_pictures));
    }
    m_items = items;
    setRows(chips);
    m_pictures->dropUnpublished();
    // Frames of chips that are gone no longer count.
    QSet<QString> keys;
    for (const LaneRow &chip : rows()) {
        keys.insert(chip.key);
    }
    m_frames.removeIf([&keys](const auto &entry) { return !keys.contains(entry.key()); });
    Q_EMIT bubbleChanged();
}

void LaneModel::reportFrame(const QString &key, const QRectF &frame) {
    const QList<LaneRow> &chips = rows();
    const bool known = std::any_of(chips.cbegin(), chips.cend(),
                                   [&key](const LaneRow &chip) { return chip.key == key; });
    if (!known || m_frames.value(key) == frame) {
        return;
    }
    m_frames.insert(key, frame);
    if (m_bubble->chip() == key) {
        Q_EMIT bubbleChanged();
    }
}

int LaneModel::dropIndex(qreal x) const {
    QList<qreal> middles;
    for (const LaneRow &chip : rows()) {
        const auto frame = m_frames.constFind(chip.key);
        if (frame != m_frames.cend()) {
            middles.append(frame->center().x());
        }
    }
    return LaneItems::dropIndex(middles, x);
}

bool LaneModel::targeted() const {
    return m_caret->place().has_value();
}

int LaneModel::insertionIndex() const {
    return m_caret->place().value_or(-1);
}

void LaneModel::dragMoved(qreal x) {
    m_caret->touch(dropIndex(x));
}

void LaneModel::dragExited() {
    m_caret->touch(std::nullopt);
}

bool LaneModel::drop(qreal x, const QVariantMap &payload) {
    const int index = dropIndex(x);
    m_caret->touch(std::nullopt);
    const std::optional<MenuBarItemID> id = ChipPayload::itemID(payload);
    if (!id || !m_view) {
        return false;
    }
    // Only an item the model knows moves: a payload from elsewhere names nothing.
    const QList<MenuBarItem> &known = m_view->model().items();
    const auto item =
        std::find_if(known.cbegin(), known.cend(),
                     [&id](const MenuBarItem &candidate) { return candidate.id == *id; });
    if (item == known.cend()) {
        return false;
    }
    perform(item->id, index);
    return true;
}

void LaneModel::perform(const MenuBarItemID &id, int index) {
    const std::optional<MenuBarItemID> before =
        index < m_items.size() ? std::optional(m_items[index].id) : std::nullopt;
    if (before == id) {
        // Dropped just in front of itself.
        return;
    }
    m_view->model().move(id, m_section, before);
}

void LaneModel::setHover(const QString &key, bool inside) {
    m_bubble->setHover(key, inside);
}

QString LaneModel::bubbleName() const {
    const std::optional<QString> &hovered = m_bubble->chip();
    if (!hovered || !m_frames.contains(*hovered)) {
        return {};
    }
    for (const LaneRow &chip : rows()) {
        if (chip.key == *hovered) {
            return chip.name;
        }
    }
    return {};
}

QPointF LaneModel::bubbleCentre() const {
    if (bubbleName().isEmpty()) {
        return {};
    }
    const QRectF frame = m_frames.value(*m_bubble->chip());
    return {frame.center().x(), frame.top() - bubbleRise};
}

QVariantList LaneModel::moveMenu(int row) const {
    if (row < 0 || row >= rowCount()) {
        return {};
    }
    return LaneItems::moveMenu(m_section);
}

bool LaneModel::moveTo(int row, const QString &sectionText) {
    const std::optional<Section> target = sectionFromRawValue(sectionText);
    if (row < 0 || row >= m_items.size() || !target || *target == m_section || !m_view) {
        return false;
    }
    m_view->model().move(m_items[row].id, *target, std::nullopt);
    return true;
}

} // namespace zorv
