#pragma once

#include "models/rowlistmodel.h"
#include "settings/keyshortcut.h"

#include <QString>
#include <QUuid>
#include <QtQmlIntegration>

#include <optional>

namespace zorv {

class AppModel;
struct Profile;

// One profile as the lists show it.
struct ProfileRow {
    QUuid id;
    QString name;
    bool active = false;
    bool remembersLook = false;
    std::optional<KeyShortcut> shortcut;
    // How many items the stored layout puts in shown, hidden and always hidden.
    int shown = 0;
    int hidden = 0;
    int alwaysHidden = 0;

    // "3 shown · 5 hidden · 0 always hidden", with " · keeps its look" when it keeps one: the
    // counts of the stored layout, not of the bar now.
    [[nodiscard]] QString summary() const;
    // The menu item that makes the profile keep or forget the look.
    [[nodiscard]] QString lookAction() const;

    [[nodiscard]] static ProfileRow of(const Profile &profile, bool active);

    friend bool operator==(const ProfileRow &, const ProfileRow &) = default;
};

// The profiles in the user's order, one row each, and the profile operations of the profiles pane
// and the status menu. A profile is named by its id as text (upper case, no braces); an operation
// on an id no profile has changes nothing and returns false. Each write goes through the model,
// which saves the profiles (and re-registers the hot keys after a shortcut change or the deletion
// of a profile that had one). Main thread; the model must outlive it.
class ProfileListModel : public RowListModel<ProfileRow> {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Part of the model view.")

public:
    // In the order of the role list the rows are read through.
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
        // ProfileRow::summary().
        SummaryRole,
        // ProfileRow::lookAction().
        LookActionRole,
    };
    Q_ENUM(Roles)

    explicit ProfileListModel(AppModel &model, QObject *parent = nullptr);

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

private:
    void refresh();
    // The id of a listed profile; nullopt for any other text.
    [[nodiscard]] std::optional<QUuid> known(const QString &id) const;

    AppModel &m_model;
};

// A profile's or rule's id as the views show it: upper case, without braces.
[[nodiscard]] QString idText(const QUuid &id);

} // namespace zorv
