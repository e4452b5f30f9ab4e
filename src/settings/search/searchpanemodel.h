#pragma once

#include "items/publishedpictures.h"
#include "kit/zorvkit.h"
#include "menubaritem.h"
#include "models/rowlistmodel.h"
#include "settings/keyshortcut.h"

#include <QColor>
#include <QPointer>
#include <QVariant>
#include <QtQmlIntegration>

#include <memory>
#include <optional>

namespace zorv {

class AppModel;
class ModelView;

// One item of the Search pane.
struct SearchPaneRow {
    QString key;
    QString name;
    // The user's alias; empty when there is none.
    QString alias;
    // The suggested alias, or the stock example when there is none.
    QString prompt;
    std::optional<KeyShortcut> hotkey;
    QUrl picture;

    friend bool operator==(const SearchPaneRow &, const SearchPaneRow &) = default;
};

// The Search pane's logic: the search shortcut, and one row per item that is not dormant, in the
// model's order, with the user's alias, the suggested alias shown while the field is empty (made
// distinct over the whole list) and the item's own hot key. Rows follow their items by stable
// key and change only where something shown changed, so the items changing under the pane (a
// frame moving, an item coming or going) leave the field being typed into and the recorder
// waiting for keys alone. Every edit goes straight to the model, which saves it. In QML a
// shortcut is {keyCode, modifiers} or null. Made in QML with `view` set (row pictures go to the
// view's kit); main thread.
class SearchPaneModel : public RowListModel<SearchPaneRow> {
    Q_OBJECT
    QML_ELEMENT
    Q_MOC_INCLUDE("modelview.h")
    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(QVariant searchShortcut READ searchShortcut NOTIFY settingsChanged)
    Q_PROPERTY(QVariant savedAt READ savedAt NOTIFY savedAtChanged)
    Q_PROPERTY(int paneIndex READ paneIndex CONSTANT)
    Q_PROPERTY(int paneCount READ paneCount CONSTANT)
    // The colour row pictures of system symbols are drawn in.
    Q_PROPERTY(QColor ink READ ink WRITE setInk NOTIFY inkChanged)

public:
    // In the order of the role list the rows are read through.
    enum Role {
        KeyRole = Qt::UserRole + 1,
        NameRole,
        AliasRole,
        PromptRole,
        HotkeyRole,
        PictureRole,
    };

    explicit SearchPaneModel(QObject *parent = nullptr);
    ~SearchPaneModel() override;

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);

    [[nodiscard]] QVariant searchShortcut() const;
    [[nodiscard]] QVariant savedAt() const;
    [[nodiscard]] static int paneIndex();
    [[nodiscard]] static int paneCount();
    [[nodiscard]] QColor ink() const { return m_ink; }
    void setInk(const QColor &ink);

    // The pane came on screen: the model rescans.
    Q_INVOKABLE void appeared();
    // Stores the text as typed; a blank text removes the alias.
    Q_INVOKABLE void setAlias(int row, const QString &text);
    Q_INVOKABLE void setHotkey(int row, const QVariant &shortcut);
    Q_INVOKABLE void setSearchShortcut(const QVariant &shortcut);

    // A QML shortcut value as a shortcut; nothing for null or anything malformed.
    [[nodiscard]] static std::optional<KeyShortcut> shortcutFrom(const QVariant &value);

Q_SIGNALS:
    void viewChanged();
    void settingsChanged();
    void savedAtChanged();
    void inkChanged();

private:
    void rebuild();
    void settingsEdited();

    QPointer<ModelView> m_view;
    QPointer<AppModel> m_model;
    // Null without a kit: no row pictures.
    QPointer<ZorvKit> m_kit;
    std::unique_ptr<PublishedPictures> m_pictures;
    // The items of the rows, in their order.
    QList<MenuBarItem> m_items;
    QColor m_ink = Qt::black;
};

} // namespace zorv
