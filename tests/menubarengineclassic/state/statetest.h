#pragma once

#include "menubaritem.h"
#include "sectionlayout.h"

#include <QDateTime>

namespace zorv::testing {

inline const QString kStateApp = QStringLiteral("com.example.state");
inline const QDateTime kStateNow = QDateTime::fromSecsSinceEpoch(1'700'000'000, Qt::UTC);

// An item of the state tests' application, named by its identifier.
inline MenuBarItemID stateId(const QString &identifier) {
    return MenuBarItemID{kStateApp, identifier, std::nullopt, 0};
}

// That item on the bar, `width` points wide from `left`; dormant items have no frame.
inline MenuBarItem stateItem(const QString &identifier, double left, double width = 20.0,
                             Section section = Section::shown) {
    return MenuBarItem{stateId(identifier),
                       7,
                       u"State"_qs,
                       QRectF(left, 0, width, 24),
                       std::nullopt,
                       std::nullopt,
                       section,
                       false,
                       false,
                       false};
}

inline QList<MenuBarItemID> stateIds(const QStringList &identifiers) {
    QList<MenuBarItemID> ids;
    for (const QString &identifier : identifiers) {
        ids.append(stateId(identifier));
    }
    return ids;
}

inline SectionLayout stateLayout(const QStringList &shown, const QStringList &hidden,
                                 const QStringList &alwaysHidden = {}) {
    SectionLayout layout;
    layout.sections = {{Section::shown, stateIds(shown)},
                       {Section::hidden, stateIds(hidden)},
                       {Section::alwaysHidden, stateIds(alwaysHidden)}};
    return layout.normalized();
}

} // namespace zorv::testing
