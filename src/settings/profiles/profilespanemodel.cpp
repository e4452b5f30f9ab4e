#include "profilespanemodel.h"

#include "profilelistmodel.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

bool isBlank(QChar ch) {
    return ch == u'\t' || ch.category() == QChar::Separator_Space;
}

} // namespace

ProfilesPaneModel::ProfilesPaneModel(QObject *parent) : QObject(parent) {}

void ProfilesPaneModel::setView(ModelView *view) {
    if (view == m_view) {
        return;
    }
    disconnect(m_countConnection);
    disconnect(m_rowsConnection);
    m_view = view;
    if (ProfileListModel *list = profiles()) {
        m_countConnection =
            connect(list, &ProfileListModel::countChanged, this, &ProfilesPaneModel::countChanged);
        m_rowsConnection =
            connect(list, &ProfileListModel::rowsRemoved, this, &ProfilesPaneModel::checkRenaming);
    }
    Q_EMIT viewChanged();
    Q_EMIT countChanged();
    checkRenaming();
}

ProfileListModel *ProfilesPaneModel::profiles() const {
    return m_view ? m_view->profiles() : nullptr;
}

void ProfilesPaneModel::setNewName(const QString &name) {
    if (name == m_newName) {
        return;
    }
    m_newName = name;
    Q_EMIT newNameChanged();
}

bool ProfilesPaneModel::canSave() const {
    return !trimmedName(m_newName).isEmpty();
}

QString ProfilesPaneModel::listKicker() const {
    const ProfileListModel *list = profiles();
    return listKicker(list ? list->count() : 0);
}

QString ProfilesPaneModel::listKicker(int count) {
    if (count == 0) {
        return u"No Profiles Yet"_s;
    }
    return QString::number(count) + (count == 1 ? u" Profile"_s : u" Profiles"_s);
}

QString ProfilesPaneModel::trimmedName(const QString &name) {
    qsizetype first = 0;
    qsizetype end = name.size();
    while (first < end && isBlank(name.at(first))) {
        ++first;
    }
    while (end > first && isBlank(name.at(end - 1))) {
        --end;
    }
    return name.sliced(first, end - first);
}

bool ProfilesPaneModel::save() {
    const QString name = trimmedName(m_newName);
    ProfileListModel *list = profiles();
    if (name.isEmpty() || !list) {
        return false;
    }
    list->saveCurrent(name);
    setNewName(QString());
    return true;
}

std::optional<QString> ProfilesPaneModel::nameOf(const QString &id) const {
    if (const ProfileListModel *list = profiles()) {
        for (const ProfileRow &row : list->rows()) {
            if (idText(row.id) == id) {
                return row.name;
            }
        }
    }
    return std::nullopt;
}

void ProfilesPaneModel::beginRename(const QString &id) {
    const std::optional<QString> name = nameOf(id);
    if (!name) {
        return;
    }
    // Another row's unsaved text is dropped.
    setRenameText(*name);
    setRenaming(id);
}

void ProfilesPaneModel::commitRename() {
    if (m_renaming.isEmpty()) {
        return;
    }
    if (ProfileListModel *list = profiles()) {
        list->rename(m_renaming, m_renameText);
    }
    setRenaming(QString());
}

void ProfilesPaneModel::cancelRename() {
    setRenaming(QString());
}

void ProfilesPaneModel::setRenameText(const QString &text) {
    if (text == m_renameText) {
        return;
    }
    m_renameText = text;
    Q_EMIT renameTextChanged();
}

void ProfilesPaneModel::setRenaming(const QString &id) {
    if (id == m_renaming) {
        return;
    }
    m_renaming = id;
    Q_EMIT renamingChanged();
}

void ProfilesPaneModel::checkRenaming() {
    if (!m_renaming.isEmpty() && !nameOf(m_renaming)) {
        setRenaming(QString());
    }
}

} // namespace zorv
