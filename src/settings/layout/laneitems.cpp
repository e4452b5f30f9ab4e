#include "laneitems.h"

#include "modelsearch.h"

using namespace Qt::StringLiterals;

namespace zorv {

QString LaneItems::helpText(const MenuBarItem &item) {
    const QString name = ModelSearch::displayName(item);
    if (item.isDormant) {
        return name + u" (not running)"_s;
    }
    if (item.isNotchObscured) {
        return name + u": behind the notch, so macOS isn't drawing it"_s;
    }
    if (item.unplacedBecause) {
        return name + u": Zorv can't move it to "_s + title(item.section) + u" yet ("_s +
               *item.unplacedBecause + u")"_s;
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
