#pragma once

#include "kit/zorvkit.h"
#include "menubaritem.h"
#include "settings/keyshortcut.h"

#include <QAbstractListModel>
#include <QColor>
#include <QHash>
#include <QPointer>
#include <QVariant>
#include <QtQmlIntegration>

#include <optional>

namespace zorv {

class AppModel;
class ModelView;

// The Search pane's logic: the search shortcut, and one row per item that is not dormant, in the
// model's order, with the user's alias, the suggested alias shown while the field is empty (made
// distinct over the whole list) and the item's own hot key. Every edit goes straight to the model,
// which saves it. In QML a shortcut is {keyCode, modifiers} or null. Made in QML with `view` set
// (row pictures go to the view's kit); main thread.
class SearchPaneModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_MOC_INCLUDE("modelview.h")
    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
    Q_PROPERTY(QVariant searchShortcut READ searchShortcut NOTIFY settingsChanged)
    Q_PROPERTY(QVariant savedAt READ savedAt NOTIFY savedAtChanged)
    Q_PROPERTY(int paneIndex READ paneIndex CONSTANT)
    Q_PROPERTY(int paneCount READ paneCount CONSTANT)
    // The colour row pictures of system symbols are drawn in.
    Q_PROPERTY(QColor ink READ ink WRITE setInk NOTIFY inkChanged)

public:
    enum Role {
        KeyRole = Qt::UserRole + 1,
        NameRole,
        AliasRole,
        PromptRole,
        HotkeyRole,
        PictureRole,
    };

    explicit SearchPaneModel(QObject *parent = nullptr);

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;

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
    void countChanged();
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
    QList<MenuBarItem> m_items;
    QHash<QString, QString> m_suggestions;
    QColor m_ink = Qt::black;
};

} // namespace zorv
