#pragma once

#include "modelview.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQmlIntegration>

namespace zorv {

// The Profiles pane: the name field and its Save, the list's heading, and the one row whose name
// is being edited. The rows and the operations on a profile are the model view's profile list;
// this adds only what the pane keeps while it is shown. Made in QML with `view` set; main thread.
class ProfilesPaneModel : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(zorv::ProfileListModel *profiles READ profiles NOTIFY viewChanged)
    Q_PROPERTY(QString newName READ newName WRITE setNewName NOTIFY newNameChanged)
    Q_PROPERTY(bool canSave READ canSave NOTIFY newNameChanged)
    Q_PROPERTY(QString listKicker READ listKicker NOTIFY countChanged)
    Q_PROPERTY(QString renaming READ renaming NOTIFY renamingChanged)
    Q_PROPERTY(QString renameText READ renameText WRITE setRenameText NOTIFY renameTextChanged)

public:
    explicit ProfilesPaneModel(QObject *parent = nullptr);

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);
    [[nodiscard]] ProfileListModel *profiles() const;

    [[nodiscard]] QString newName() const { return m_newName; }
    void setNewName(const QString &name);
    // The typed name has more than blanks.
    [[nodiscard]] bool canSave() const;
    // "No Profiles Yet", "1 Profile", "2 Profiles"…
    [[nodiscard]] QString listKicker() const;
    // The id of the profile whose row shows the rename field; empty when none does.
    [[nodiscard]] QString renaming() const { return m_renaming; }
    [[nodiscard]] QString renameText() const { return m_renameText; }
    void setRenameText(const QString &text);

    // Saves the bar as a profile under the typed name without the blanks around it, and empties
    // the field; a name of blanks only is refused (false) and stays in the field.
    Q_INVOKABLE bool save();
    // Turns the profile's row into the rename field, holding its name; an unknown id is ignored.
    Q_INVOKABLE void beginRename(const QString &id);
    // Stores the rename field's text exactly as typed and closes the field.
    Q_INVOKABLE void commitRename();
    // Closes the rename field without storing anything.
    Q_INVOKABLE void cancelRename();

    // `name` without the tabs and spaces at either end (line breaks stay).
    [[nodiscard]] static QString trimmedName(const QString &name);
    [[nodiscard]] static QString listKicker(int count);

Q_SIGNALS:
    void viewChanged();
    void newNameChanged();
    void countChanged();
    void renamingChanged();
    void renameTextChanged();

private:
    void setRenaming(const QString &id);
    // Drops the rename field when its profile is gone.
    void checkRenaming();
    [[nodiscard]] std::optional<QString> nameOf(const QString &id) const;

    QPointer<ModelView> m_view;
    QMetaObject::Connection m_countConnection;
    QMetaObject::Connection m_rowsConnection;
    QString m_newName;
    QString m_renaming;
    QString m_renameText;
};

} // namespace zorv
