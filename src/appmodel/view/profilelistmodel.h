#pragma once

#include "settings/keyshortcut.h"

#include <QAbstractListModel>
#include <QList>
#include <QUuid>
#include <QtQmlIntegration>

#include <optional>

namespace zorv {

class AppModel;

// The profiles in the user's order, one row each, and the profile operations of the profiles pane
// and the status menu. A profile is named by its id as text (upper case, no braces); an operation
// on an id no profile has changes nothing and returns false. Each write goes through the model,
// which saves the profiles (and re-registers the hot keys after a shortcut change). Main thread;
// the model must outlive it.
class ProfileListModel : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Part of the model view.")
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    enum Roles {
        IdRole = Qt::UserRole + 1,
        NameRole,
        ActiveRole,
        // The profile brings its own look when switched to.
        RemembersLookRole,
        // {keyCode, modifiers}, or null.
        ShortcutRole,
        // The shortcut's text; empty when there is none.
        ShortcutDisplayRole,
    };
    Q_ENUM(Roles)

    explicit ProfileListModel(AppModel &model, QObject *parent = nullptr);

    [[nodiscard]] int rowCount(const QModelIndex &parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex &index, int role) const override;
    [[nodiscard]] QHash<int, QByteArray> roleNames() const override;
    [[nodiscard]] int count() const { return int(m_rows.size()); }

    // A profile of the bar as it is now and the current look.
    Q_INVOKABLE void saveCurrent(const QString &name);
    Q_INVOKABLE bool switchTo(const QString &id);
    // The name is kept exactly as given.
    Q_INVOKABLE bool rename(const QString &id, const QString &name);
    Q_INVOKABLE bool updateFromCurrent(const QString &id);
    Q_INVOKABLE bool setRemembersLook(const QString &id, bool remembers);
    // `shortcut` is {keyCode, modifiers} or null to clear; a value of another shape is refused.
    Q_INVOKABLE bool setShortcut(const QString &id, const QVariant &shortcut);
    Q_INVOKABLE bool remove(const QString &id);

Q_SIGNALS:
    void countChanged();

private:
    struct Row {
        QUuid id;
        QString name;
        bool active;
        bool remembersLook;
        std::optional<KeyShortcut> shortcut;

        friend bool operator==(const Row &, const Row &) = default;
    };

    void refresh();
    // The id of a listed profile; nullopt for any other text.
    [[nodiscard]] std::optional<QUuid> known(const QString &id) const;

    AppModel &m_model;
    QList<Row> m_rows;
};

// A profile's or rule's id as the views show it: upper case, without braces.
[[nodiscard]] QString idText(const QUuid &id);

} // namespace zorv
