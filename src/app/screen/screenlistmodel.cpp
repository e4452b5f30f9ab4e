#include "screenlistmodel.h"

using namespace Qt::StringLiterals;

namespace zorv {

ScreenListModel::ScreenListModel(QObject *parent) : QAbstractListModel(parent) {}

int ScreenListModel::rowCount(const QModelIndex &parent) const {
    return parent.isValid() ? 0 : int(m_screens.size());
}

QVariant ScreenListModel::data(const QModelIndex &index, int role) const {
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)) {
        return {};
    }
    const ScreenSnapshot &snapshot = m_screens[index.row()];
    switch (role) {
    case Qt::DisplayRole:
    case NameRole:
        return snapshot.screen.name;
    case DisplayIdRole:
        return snapshot.screen.displayId;
    case WidthRole:
        return snapshot.screen.frame.width();
    case HeightRole:
        return snapshot.screen.frame.height();
    case FrameRole:
        return snapshot.globalFrame;
    case BarHeightRole:
        return snapshot.screen.menuBarHeight;
    case SceneRole:
        return QVariant::fromValue(snapshot.look);
    case ActiveRole:
        return snapshot.active;
    case DetailsRole:
        return details(snapshot.screen);
    default:
        return {};
    }
}

QHash<int, QByteArray> ScreenListModel::roleNames() const {
    return {{DisplayIdRole, "displayId"}, {NameRole, "name"},     {WidthRole, "screenWidth"},
            {HeightRole, "screenHeight"}, {FrameRole, "frame"},   {BarHeightRole, "barHeight"},
            {SceneRole, "scene"},         {ActiveRole, "active"}, {DetailsRole, "details"}};
}

void ScreenListModel::setScreens(const QList<ScreenSnapshot> &screens) {
    if (screens.size() != m_screens.size()) {
        beginResetModel();
        m_screens = screens;
        endResetModel();
        return;
    }
    for (qsizetype row = 0; row < screens.size(); ++row) {
        if (screens[row] != m_screens[row]) {
            m_screens[row] = screens[row];
            Q_EMIT dataChanged(index(int(row)), index(int(row)));
        }
    }
}

QString ScreenListModel::details(const ScreenRecord &screen) {
    QStringList parts{u"%1 × %2 points"_s.arg(screen.frame.width()).arg(screen.frame.height()),
                      u"scale %1"_s.arg(screen.scale)};
    if (screen.cameraHousingWidth > 0.0) {
        parts.append(u"camera housing %1 points wide"_s.arg(screen.cameraHousingWidth));
    }
    if (screen.notHiding) {
        parts.append(u"does not follow length changes"_s);
    }
    if (screen.autoHidesMenuBar) {
        parts.append(u"menu bar hides"_s);
    }
    return parts.join(u", "_s);
}

} // namespace zorv
