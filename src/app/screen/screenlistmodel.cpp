#include "screenlistmodel.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QList<RowListModel<ScreenSnapshot>::Role> roles() {
    return {
        {"displayId", [](const ScreenSnapshot &row) { return QVariant(row.screen.displayId); }},
        {"name", [](const ScreenSnapshot &row) { return QVariant(row.screen.name); }},
        {"screenWidth",
         [](const ScreenSnapshot &row) { return QVariant(row.screen.frame.width()); }},
        {"screenHeight",
         [](const ScreenSnapshot &row) { return QVariant(row.screen.frame.height()); }},
        {"frame", [](const ScreenSnapshot &row) { return QVariant(row.globalFrame); }},
        {"barHeight", [](const ScreenSnapshot &row) { return QVariant(row.screen.menuBarHeight); }},
        {"scene", [](const ScreenSnapshot &row) { return QVariant::fromValue(row.look); }},
        {"active", [](const ScreenSnapshot &row) { return QVariant(row.active); }},
        {"details",
         [](const ScreenSnapshot &row) { return QVariant(ScreenListModel::details(row.screen)); }},
    };
}

} // namespace

ScreenListModel::ScreenListModel(QObject *parent)
    : RowListModel<ScreenSnapshot>(
          roles(), [](const ScreenSnapshot &row) { return QString::number(row.screen.displayId); },
          parent) {}

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
