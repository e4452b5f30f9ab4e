#include "laneitems.h"

#include "modelsearch.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// What lets the move happen: the obstacle moving out of the way. Finder is named only where its
// menus would do.
QString remedy(const UnplacedReason &why) {
    const bool laneOnly = why.laneOnly;
    switch (why.obstacle) {
    case UnplacedReason::Obstacle::menus:
        return why.finderWouldClear
                   ? u"once an app with shorter menus, such as Finder, is in front"_s
                   : u"once an app with shorter menus is in front"_s;
    case UnplacedReason::Obstacle::cameraHousing:
        return laneOnly ? u"once that part of the menu bar comes out from behind it"_s
                        : u"once it comes out from behind it"_s;
    case UnplacedReason::Obstacle::screenEdge:
        return laneOnly ? u"once the menu bar has room"_s : u"once the menu bar has room for it"_s;
    case UnplacedReason::Obstacle::notAnswering:
        return u"once its app responds again"_s;
    }
    return {};
}

// Why the item is not in `lane` yet and what will let Zorv move it there, as one sentence.
QString waitingText(const UnplacedReason &why, Section lane) {
    QString where;
    switch (why.obstacle) {
    case UnplacedReason::Obstacle::menus:
        where = why.laneOnly ? u"is under the menus of the app in front"_s
                             : u"covered by the menus of the app in front"_s;
        break;
    case UnplacedReason::Obstacle::cameraHousing:
        where = why.laneOnly ? u"is behind the camera housing"_s : u"behind the camera housing"_s;
        break;
    case UnplacedReason::Obstacle::screenEdge:
        where =
            why.laneOnly ? u"is past the edge of the screen"_s : u"past the edge of the screen"_s;
        break;
    case UnplacedReason::Obstacle::notAnswering:
        where = u"its app isn't responding"_s;
        break;
    }
    // Held back on its way into Hidden for now, it is promised no more than that.
    const QString into = why.hiddenForNow ? u"Hidden for now"_s : LaneItems::title(lane);
    const QString then = u"; Zorv moves it "_s +
                         (why.laneOnly ? u"there "_s : u"to "_s + into + u' ') + remedy(why) + u'.';
    if (!why.laneOnly) {
        return where + then;
    }
    const QString cause = LaneItems::title(lane) + u' ' + where;
    return (why.hiddenForNow ? u"hidden for now, not yet always hidden: "_s + cause : cause) + then;
}

} // namespace

QString LaneItems::helpText(const MenuBarItem &item) {
    const QString name = ModelSearch::displayName(item);
    if (item.isDormant) {
        return name + u" (not running)"_s;
    }
    if (item.isNotchObscured) {
        return name + u": behind the notch, so macOS isn't drawing it"_s;
    }
    if (item.unplacedBecause) {
        return name + u": "_s + waitingText(*item.unplacedBecause, item.section);
    }
    if (item.isUnmovable) {
        return name +
               u": macOS won't let Zorv move this one. Command-drag it in the menu bar yourself."_s;
    }
    return name;
}

QString LaneItems::title(Section section) {
    switch (section) {
    case Section::shown:
        return u"Shown"_s;
    case Section::hidden:
        return u"Hidden"_s;
    case Section::alwaysHidden:
        return u"Always Hidden"_s;
    }
    return {};
}

QString LaneItems::moveText(Section section) {
    return u"Move to "_s + title(section);
}

QVariantList LaneItems::moveMenu(Section current) {
    QVariantList entries;
    for (const Section section : allSections) {
        entries.append(QVariantMap{{u"text"_s, moveText(section)},
                                   {u"section"_s, rawValue(section)},
                                   {u"current"_s, section == current}});
    }
    return entries;
}

int LaneItems::dropIndex(const QList<qreal> &middles, qreal x) {
    for (qsizetype i = 0; i < middles.size(); ++i) {
        if (middles[i] > x) {
            return int(i);
        }
    }
    return int(middles.size());
}

} // namespace zorv
