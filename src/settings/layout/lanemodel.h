#pragma once

#include "items/publishedpictures.h"
#include "lanerow.h"
#include "menubaritem.h"
#include "models/rowlistmodel.h"
#include "modelview.h"
#include "settingsservices.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QQmlParserStatus>
#include <QRectF>
#include <QVariantList>
#include <QtQmlIntegration>

#include <memory>

namespace zorv {

class DropCaret;
class NameBubble;
class ZorvKit;

// One lane of the Menu Bar Layout pane: the chips of one section's items in the wanted order
// (the items the user arranges), each with its picture, badges and help text, and what a
// drag over the lane shows: the insertion caret and the lane's highlight (DropCaret), and the
// name bubble of a hovered chip (NameBubble). Waits run on the services' clock. Chips follow
// their items by stable key and change only where something shown changed, so a chip being
// dragged or hovered, or whose menu is open, stays with its item while others come, go and
// reorder around it.
//
// Chips report their frames in the lane's content coordinates (the scrolled row's, so a
// scrolled lane measures drops and chips alike); a drop lands before the first measured chip
// whose middle is right of it. Drops and context-menu choices become the app model's moves.
// Made in QML with `view`, `services` and `section` set; main thread.
class LaneModel : public RowListModel<LaneRow>, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT

    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(
        zorv::SettingsServices *services READ services WRITE setServices NOTIFY servicesChanged)
    Q_PROPERTY(QString section READ section WRITE setSection NOTIFY sectionChanged)
    Q_PROPERTY(QString title READ title NOTIFY sectionChanged)
    // The content type of a dragged chip's payload, which the lanes take.
    Q_PROPERTY(QString dragType READ dragType CONSTANT)
    Q_PROPERTY(bool targeted READ targeted NOTIFY dropStateChanged)
    Q_PROPERTY(int insertionIndex READ insertionIndex NOTIFY dropStateChanged)
    Q_PROPERTY(QString bubbleName READ bubbleName NOTIFY bubbleChanged)
    Q_PROPERTY(QPointF bubbleCentre READ bubbleCentre NOTIFY bubbleChanged)

public:
    // In the order of LaneRow's roles.
    enum Roles {
        KeyRole = Qt::UserRole + 1,
        NameRole,
        // The item's identity as it travels in a drag (its JSON form).
        PayloadRole,
        HelpRole,
        DormantRole,
        NotchObscuredRole,
        UnmovableRole,
        // "capture", "symbol", "icon" or "none".
        PictureKindRole,
        // The captured picture or the application's icon; empty for the other kinds.
        PictureRole,
        // Its size in points (half its pixels for a capture).
        PictureSizeRole,
        // The system symbol that stands for the item ("app.dashed" when there is no picture).
        SymbolRole,
        // What a captured picture sits on outside the bar's look.
        PlateRole,
    };
    Q_ENUM(Roles)

    // How far above a chip's top the bubble's middle sits.
    static constexpr qreal bubbleRise = 16;

    explicit LaneModel(QObject *parent = nullptr);
    ~LaneModel() override;

    void classBegin() override;
    void componentComplete() override;

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);
    [[nodiscard]] SettingsServices *services() const { return m_services; }
    void setServices(SettingsServices *services);
    // The section's raw value; other text is refused.
    [[nodiscard]] QString section() const;
    void setSection(const QString &section);
    [[nodiscard]] QString title() const;
    [[nodiscard]] static QString dragType();
    [[nodiscard]] bool targeted() const;
    // -1 while no caret shows.
    [[nodiscard]] int insertionIndex() const;
    // Empty while no bubble shows.
    [[nodiscard]] QString bubbleName() const;
    [[nodiscard]] QPointF bubbleCentre() const;

    // The chip's frame in the lane's content coordinates.
    Q_INVOKABLE void reportFrame(const QString &key, const QRectF &frame);
    // Where a drop at `x` (content coordinates) lands among the measured chips.
    [[nodiscard]] Q_INVOKABLE int dropIndex(qreal x) const;
    // A drag moves over the lane: the caret shows where it would land.
    Q_INVOKABLE void dragMoved(qreal x);
    Q_INVOKABLE void dragExited();
    // A drop at `x` of a drag's data (content type to bytes, as a chip's payload holds it): the
    // item it names goes before the chip there, or to the end. False when the data holds no item
    // identity under the item content type, or names an item the model does not have; a drop
    // just in front of itself changes nothing.
    Q_INVOKABLE bool drop(qreal x, const QVariantMap &payload);
    // The pointer enters (`inside`) or leaves the chip with `key`.
    Q_INVOKABLE void setHover(const QString &key, bool inside);
    // The chip's context menu: {text, section, current} per section, in lane order.
    [[nodiscard]] Q_INVOKABLE QVariantList moveMenu(int row) const;
    // Moves the chip's item to the end of `section`; false for the lane it is in or a row or
    // section that does not exist.
    Q_INVOKABLE bool moveTo(int row, const QString &section);

    // Reads the model again.
    void refresh();

Q_SIGNALS:
    void viewChanged();
    void servicesChanged();
    void sectionChanged();
    void dropStateChanged();
    void bubbleChanged();

private:
    [[nodiscard]] ZorvKit *findKit() const;
    [[nodiscard]] Clock *clock() const;
    void perform(const MenuBarItemID &id, int index);

    QPointer<ModelView> m_view;
    QPointer<SettingsServices> m_services;
    QList<QMetaObject::Connection> m_connections;
    Section m_section = Section::shown;
    bool m_complete = true;
    // The items of the chips, in their order.
    QList<MenuBarItem> m_items;
    QHash<QString, QRectF> m_frames;
    // The kit the pictures went to, and what went there; remade when the kit changes.
    QPointer<ZorvKit> m_kit;
    std::unique_ptr<PublishedPictures> m_pictures;
    DropCaret *m_caret;
    NameBubble *m_bubble;
};

} // namespace zorv
