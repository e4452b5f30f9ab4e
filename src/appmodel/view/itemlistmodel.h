#pragma once

#include "kit/zorvkit.h"
#include "menubaritem.h"
#include "settings/keyshortcut.h"

#include <QAbstractListModel>
#include <QColor>
#include <QList>
#include <QPointer>
#include <QQmlParserStatus>
#include <QSet>
#include <QtQmlIntegration>

#include <optional>

namespace zorv {

class ModelView;

// The app model's items for a list, one row per item: every section in turn (shown, hidden, always
// hidden), one section (`section` set to its raw value) as the layout lanes show it, or, while
// `searching`, the search panel's results for `query`. Sections list their items in the wanted
// order; each row carries the item's section, names, picture, alias and hot key. Rows follow the
// model's items, layout and settings as they change: a change that keeps the number of rows
// changes them in place (the list keeps its scroll position), any other resets the list.
//
// The picture role is an "image://zorvitem/..." address of the UI kit's item pictures, drawn in
// `pictureTint` when it is a template; empty without a kit. Writes (alias, hot key, moves) go
// through the model's operations. Made by ModelView, or in QML with `view` set; main thread.
class ItemListModel : public QAbstractListModel, public QQmlParserStatus {
    Q_OBJECT
    Q_INTERFACES(QQmlParserStatus)
    QML_ELEMENT
    Q_MOC_INCLUDE("modelview.h")
    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(QString section READ section WRITE setSection NOTIFY sectionChanged)
    Q_PROPERTY(bool searching READ searching WRITE setSearching NOTIFY searchingChanged)
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(QColor pictureTint READ pictureTint WRITE setPictureTint NOTIFY pictureTintChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Roles {
        // The item's stable key, under which its alias and hot key are kept.
        KeyRole = Qt::UserRole + 1,
        // "shown", "hidden" or "alwaysHidden".
        SectionRole,
        // "Shown", "Hidden" or "Always hidden", for the heading above a section's first row.
        SectionTitleRole,
        StartsSectionRole,
        // The item's title when it has one, else its application's name.
        NameRole,
        ApplicationRole,
        PictureRole,
        DormantRole,
        NotchObscuredRole,
        UnmovableRole,
        // The user's alias; empty when there is none.
        AliasRole,
        // {keyCode, modifiers}, or null.
        HotKeyRole,
        // The hot key's text ("⌃⌥1"); empty when there is none.
        HotKeyDisplayRole,
    };
    Q_ENUM(Roles)

    explicit ItemListModel(QObject *parent = nullptr);
    ~ItemListModel() override;

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

    void classBegin() override;
    void componentComplete() override;

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);
    // Empty for every section; a section's raw value for that one. Other text is refused.
    [[nodiscard]] QString section() const;
    void setSection(const QString &section);
    [[nodiscard]] bool searching() const { return m_searching; }
    void setSearching(bool searching);
    [[nodiscard]] QString query() const { return m_query; }
    void setQuery(const QString &query);
    [[nodiscard]] QColor pictureTint() const { return m_pictureTint; }
    void setPictureTint(const QColor &tint);
    [[nodiscard]] int count() const { return int(m_rows.size()); }

    // The item of a row; nullopt for a row that does not exist.
    [[nodiscard]] std::optional<MenuBarItem> item(int row) const;

    // A blank alias clears it. False (and nothing changes) for a row that does not exist.
    Q_INVOKABLE bool setAlias(int row, const QString &alias);
    // `shortcut` is {keyCode, modifiers} or null to clear; false (and nothing changes) for a row
    // that does not exist or a value of another shape.
    Q_INVOKABLE bool setHotKey(int row, const QVariant &shortcut);
    // Clicks the row's item as the user would: a left click, or a right click for `secondary`.
    Q_INVOKABLE bool activate(int row, bool secondary = false);
    // Moves the item with `key` into `section`, before the item with `beforeKey` (at the end when
    // that is empty or not in the section). False when the key or the section is unknown.
    Q_INVOKABLE bool move(const QString &key, const QString &section,
                          const QString &beforeKey = QString());

    // Reads the model again.
    void refresh();

Q_SIGNALS:
    void viewChanged();
    void sectionChanged();
    void searchingChanged();
    void queryChanged();
    void pictureTintChanged();
    void countChanged();

private:
    struct Row {
        QString key;
        Section section;
        QString name;
        QString application;
        // Where the kit keeps the row's picture; empty when it has none.
        QString pictureKey;
        bool dormant;
        bool notchObscured;
        bool unmovable;
        QString alias;
        std::optional<KeyShortcut> hotKey;

        friend bool operator==(const Row &, const Row &) = default;
    };

    [[nodiscard]] QList<MenuBarItem> wantedItems() const;
    [[nodiscard]] ZorvKit *findKit() const;
    // Hands the item's picture to the kit; the key it is kept under, empty without a picture.
    [[nodiscard]] QString publishPicture(ZorvKit *kit, const MenuBarItem &item);
    void dropPictures(const QSet<QString> &keep);

    QPointer<ModelView> m_view;
    QList<QMetaObject::Connection> m_connections;
    std::optional<Section> m_section;
    bool m_searching = false;
    QString m_query;
    QColor m_pictureTint = Qt::black;
    bool m_complete = true;
    QList<Row> m_rows;
    QList<MenuBarItem> m_items;
    // The kit the pictures went to, and their keys.
    QPointer<ZorvKit> m_kit;
    QSet<QString> m_pictureKeys;
};

} // namespace zorv
