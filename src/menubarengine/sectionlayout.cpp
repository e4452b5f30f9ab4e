#include "sectionlayout.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <array>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// The order in which a section claims an id listed more than once: the more hidden wins.
constexpr std::array<Section, 3> precedence{Section::alwaysHidden, Section::hidden, Section::shown};

} // namespace

QList<MenuBarItemID> SectionLayout::ids(Section section) const {
    return sections.value(section);
}

std::optional<Section> SectionLayout::sectionOf(const MenuBarItemID &id) const {
    for (Section section : precedence) {
        if (ids(section).contains(id)) {
            return section;
        }
    }
    return std::nullopt;
}

SectionLayout SectionLayout::normalized() const {
    QSet<MenuBarItemID> seen;
    seen.reserve(ids(Section::alwaysHidden).size() + ids(Section::hidden).size() +
                 ids(Section::shown).size());
    SectionLayout result;
    for (Section section : precedence) {
        QList<MenuBarItemID> kept;
        for (const MenuBarItemID &id : ids(section)) {
            if (id.isSystemPinned() || id.isEphemeral()) {
                continue;
            }
            const qsizetype before = seen.size();
            seen.insert(id);
            if (seen.size() == before) {
                continue;
            }
            kept.append(id);
        }
        result.sections.insert(section, kept);
    }
    return result;
}

SectionLayout SectionLayout::forgettingUninstalled(
    const std::function<bool(const QString &bundleID)> &isPresent) const {
    SectionLayout result;
    for (Section section : allSections) {
        QList<MenuBarItemID> kept;
        for (const MenuBarItemID &id : ids(section)) {
            if (isPresent(id.bundleID)) {
                kept.append(id);
            }
        }
        result.sections.insert(section, kept);
    }
    return result;
}

QJsonValue SectionLayout::toJson() const {
    QList<Section> held = sections.keys();
    std::sort(held.begin(), held.end(),
              [](Section a, Section b) { return rawValue(a) < rawValue(b); });
    QJsonArray array;
    for (Section section : held) {
        QJsonArray idArray;
        for (const MenuBarItemID &id : sections.value(section)) {
            idArray.append(id.toJson());
        }
        array.append(QJsonObject{{u"section"_s, zorv::toJson(section)}, {u"ids"_s, idArray}});
    }
    return array;
}

SectionLayout SectionLayout::fromJson(const JsonValueRef &value) {
    const JsonArrayRef array = value.toArray();
    SectionLayout layout;
    for (qsizetype i = 0; i < array.size(); ++i) {
        const JsonObjectRef pair = array.at(i).toObject();
        const auto section = pair.required<Section>(u"section");
        layout.sections.insert(section, pair.required(u"ids").toArray().map<MenuBarItemID>());
    }
    return layout.normalized();
}

bool operator==(const SectionLayout &a, const SectionLayout &b) {
    return std::all_of(allSections.begin(), allSections.end(),
                       [&](Section section) { return a.ids(section) == b.ids(section); });
}

} // namespace zorv
