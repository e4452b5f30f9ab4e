#include "lanemodel.h"

#include "appmodel.h"
#include "changedrows.h"
#include "clock.h"
#include "connections.h"
#include "items/itemdisplay.h"
#include "items/itempictures.h"
#include "items/menubaritemdrag.h"
#include "kit/zorvkit.h"
#include "laneitems.h"
#include "modelsearch.h"
#include "search/stablekey.h"

#include <QCryptographicHash>
#include <QMimeData>
#include <QQmlEngine>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// A drag's data as QML carries it: each content type with its bytes.
QVariantMap dragData(const MenuBarItemID &id) {
    const std::unique_ptr<QMimeData> data = MenuBarItemDrag::mimeData(id);
    QVariantMap map;
    for (const QString &format : data->formats()) {
        map.insert(format, data->data(format));
    }
    return map;
}

bool usable(const std::optional<QImage> &image) {
    return image && !image->isNull();
}

// What a picture looks like, so that a changed picture gets a new address.
QString digest(const QImage &picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(
        QByteArrayView(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes()));
    hash.addData(QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height()));
    return QString::fromLatin1(hash.result().toHex().left(16));
}

QString kindName(int kind) {
    static const QStringList names{u"capture"_s, u"symbol"_s, u"icon"_s, u"none"_s};
    return names.value(kind);
}

} // namespace

LaneModel::LaneModel(QObject *parent) : QAbstractListModel(parent) {}

LaneModel::~LaneModel() {
    m_caretExpiry.cancel();
    m_hoverDelay.cancel();
    dropPictures({});
}

int LaneModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant LaneModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const Row &row = m_rows[index.row()];
    switch (role) {
    case KeyRole:
        return row.key;
    case Qt::DisplayRole:
    case NameRole:
        return row.name;
    case PayloadRole:
        return row.payload;
    case HelpRole:
        return row.help;
    case DormantRole:
        return row.dormant;
    case NotchObscuredRole:
        return row.notchObscured;
    case UnmovableRole:
        return row.unmovable;
    case PictureKindRole:
        return kindName(int(row.kind));
    case PictureRole:
        return row.pictureKey.isEmpty() ? QUrl() : ItemPictures::source(row.pictureKey, Qt::black);
    case PictureSizeRole:
        return row.pictureSize;
    case SymbolRole:
        return row.symbol;
    case PlateRole:
        return row.plate;
    default:
        return {};
    }
}

QHash<int, QByteArray> LaneModel::roleNames() const {
    return {{KeyRole, "key"},
            {NameRole, "name"},
            {PayloadRole, "payload"},
            {HelpRole, "help"},
            {DormantRole, "dormant"},
            {NotchObscuredRole, "notchObscured"},
            {UnmovableRole, "unmovable"},
            {PictureKindRole, "pictureKind"},
            {PictureRole, "picture"},
            {PictureSizeRole, "pictureSize"},
            {SymbolRole, "symbol"},
            {PlateRole, "plate"}};
}

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

ZorvKit *LaneModel::findKit() const {
    if (m_view && m_view->kit()) {
        return m_view->kit();
    }
    return ZorvKit::of(qmlEngine(this));
}

QString LaneModel::publishPicture(ZorvKit *kit, const QString &key, const QImage &picture) {
    if (!kit) {
        return {};
    }
    // The lane's own keys: another lane's or list's rows never drop this one's pictures.
    const QString pictureKey =
        u"lane-%1/%2/%3"_s.arg(quintptr(this), 0, 16).arg(key, digest(picture));
    if (!m_pictureKeys.contains(pictureKey)) {
        kit->itemPictures().set(pictureKey, picture, false);
        m_pictureKeys.insert(pictureKey);
    }
    return pictureKey;
}

void LaneModel::dropPictures(const QSet<QString> &keep) {
    for (auto it = m_pictureKeys.begin(); it != m_pictureKeys.end();) {
        if (keep.contains(*it)) {
            ++it;
            continue;
        }
        if (m_kit) {
            m_kit->itemPictures().remove(*it);
        }
        it = m_pictureKeys.erase(it);
    }
}

LaneModel::Row LaneModel::makeRow(ZorvKit *kit, const MenuBarItem &item,
                                  const std::optional<QColor> &sampled) {
    const QString key = stableKey(item.id);
    Row row{key,
            ModelSearch::displayName(item),
            dragData(item.id),
            LaneItems::helpText(item),
            item.isDormant,
            item.isNotchObscured,
            item.isUnmovable,
            PictureKind::none,
            QString(),
            QSizeF(),
            u"app.dashed"_s,
            ItemDisplay::backdrop(item, sampled)};
    if (usable(item.capturedImage)) {
        const QImage &capture = *item.capturedImage;
        row.kind = PictureKind::capture;
        row.pictureKey = publishPicture(kit, key, capture);
        // Captures are taken at twice the point size.
        row.pictureSize = QSizeF(capture.width() / 2, capture.height() / 2);
    } else if (const std::optional<QString> symbol = ItemDisplay::symbol(item)) {
        row.kind = PictureKind::symbol;
        row.symbol = *symbol;
    } else if (usable(item.appIcon)) {
        row.kind = PictureKind::icon;
        row.pictureKey = publishPicture(kit, key, *item.appIcon);
        row.pictureSize = QSizeF(22, 22);
    }
    return row;
}

void LaneModel::refresh() {
    if (!m_complete) {
        return;
    }
    ZorvKit *kit = findKit();
    if (kit != m_kit) {
        dropPictures({});
        m_kit = kit;
    }
    QList<MenuBarItem> items;
    if (m_view) {
        for (const MenuBarItem &item : m_view->model().itemsIn(m_section)) {
            if (LaneItems::listed(item)) {
                items.append(item);
            }
        }
    }
    const std::optional<QColor> sampled = m_services ? m_services->sampledBarColor() : std::nullopt;
    QList<Row> rows;
    QSet<QString> pictureKeys;
    for (const MenuBarItem &item : std::as_const(items)) {
        rows.append(makeRow(kit, item, sampled));
        pictureKeys.insert(rows.last().pictureKey);
    }
    if (rows.size() != m_rows.size()) {
        beginResetModel();
        m_rows = rows;
        m_items = items;
        endResetModel();
        Q_EMIT countChanged();
    } else if (const auto changed = changedRows(m_rows, rows)) {
        m_rows = rows;
        m_items = items;
        Q_EMIT dataChanged(index(int(changed->first)), index(int(changed->second)));
    } else {
        m_items = items;
    }
    dropPictures(pictureKeys);
    // Frames of chips that are gone no longer count.
    QSet<QString> keys;
    for (const Row &row : std::as_const(m_rows)) {
        keys.insert(row.key);
    }
    m_frames.removeIf([&keys](const auto &entry) { return !keys.contains(entry.key()); });
    Q_EMIT bubbleChanged();
}

void LaneModel::reportFrame(const QString &key, const QRectF &frame) {
    const auto found = std::find_if(m_rows.cbegin(), m_rows.cend(),
                                    [&key](const Row &row) { return row.key == key; });
    if (found == m_rows.cend() || m_frames.value(key) == frame) {
        return;
    }
    m_frames.insert(key, frame);
    if (m_hovered == key) {
        Q_EMIT bubbleChanged();
    }
}

int LaneModel::dropIndex(qreal x) const {
    QList<qreal> middles;
    for (const Row &row : m_rows) {
        const auto frame = m_frames.constFind(row.key);
        if (frame != m_frames.cend()) {
            middles.append(frame->center().x());
        }
    }
    return LaneItems::dropIndex(middles, x);
}

void LaneModel::dragMoved(qreal x) {
    touchInsertion(dropIndex(x));
}

void LaneModel::dragExited() {
    touchInsertion(std::nullopt);
}

QString LaneModel::dragType() {
    return MenuBarItemDrag::mimeType;
}

bool LaneModel::drop(qreal x, const QVariantMap &payload) {
    const int index = dropIndex(x);
    touchInsertion(std::nullopt);
    QMimeData data;
    for (auto format = payload.cbegin(); format != payload.cend(); ++format) {
        data.setData(format.key(), format->toByteArray());
    }
    const std::optional<MenuBarItemID> id = MenuBarItemDrag::fromMimeData(data);
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

void LaneModel::touchInsertion(std::optional<int> index) {
    m_caretExpiry.cancel();
    const bool targeted = index.has_value();
    if (index != m_insertion || targeted != m_targeted) {
        m_insertion = index;
        m_targeted = targeted;
        Q_EMIT dropStateChanged();
    }
    if (index) {
        m_caretExpiry = CancellationSource();
        expireCaret(this, m_caretExpiry.token());
    }
}

QCoro::Task<> LaneModel::expireCaret(QPointer<LaneModel> self, CancellationToken token) {
    if (!self->m_services) {
        co_return;
    }
    const SleepOutcome outcome =
        co_await self->m_services->clock().sleep(seconds(caretSeconds), token);
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    self->m_insertion.reset();
    self->m_targeted = false;
    Q_EMIT self->dropStateChanged();
}

void LaneModel::setHover(const QString &key, bool inside) {
    m_hoverDelay.cancel();
    if (inside && !key.isEmpty()) {
        m_hoverDelay = CancellationSource();
        showBubbleLater(this, key, m_hoverDelay.token());
        return;
    }
    // Leaving a chip clears its own bubble, not another chip's.
    if (key.isEmpty() || m_hovered == key) {
        setHovered(std::nullopt);
    }
}

QCoro::Task<> LaneModel::showBubbleLater(QPointer<LaneModel> self, QString key,
                                         CancellationToken token) {
    if (!self->m_services) {
        co_return;
    }
    const SleepOutcome outcome =
        co_await self->m_services->clock().sleep(seconds(hoverSeconds), token);
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    self->setHovered(key);
}

void LaneModel::setHovered(std::optional<QString> key) {
    if (key != m_hovered) {
        m_hovered = std::move(key);
        Q_EMIT bubbleChanged();
    }
}

QString LaneModel::bubbleName() const {
    if (!m_hovered || !m_frames.contains(*m_hovered)) {
        return {};
    }
    for (const Row &row : m_rows) {
        if (row.key == *m_hovered) {
            return row.name;
        }
    }
    return {};
}

QPointF LaneModel::bubbleCentre() const {
    if (bubbleName().isEmpty()) {
        return {};
    }
    const QRectF frame = m_frames.value(*m_hovered);
    return {frame.center().x(), frame.top() - bubbleRise};
}

QVariantList LaneModel::moveMenu(int row) const {
    if (row < 0 || row >= m_rows.size()) {
        return {};
    }
    QVariantList entries;
    for (const Section section : allSections) {
        entries.append(QVariantMap{{u"text"_s, LaneItems::moveText(section)},
                                   {u"section"_s, rawValue(section)},
                                   {u"current"_s, section == m_section}});
    }
    return entries;
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
