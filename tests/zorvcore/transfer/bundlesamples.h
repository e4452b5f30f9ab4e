#pragma once

#include "profiles/profileset.h"
#include "sectionlayout.h"
#include "settings/settings.h"
#include "triggers/triggerset.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

namespace zorv::testing {

inline MenuBarItemID itemID(const QString &bundleID, int ordinal = 0) {
    return MenuBarItemID(bundleID, std::nullopt, std::nullopt, ordinal);
}

inline SectionLayout layoutOf(QList<MenuBarItemID> shown, QList<MenuBarItemID> hidden = {},
                              QList<MenuBarItemID> alwaysHidden = {}) {
    SectionLayout layout;
    layout.sections.insert(Section::shown, shown);
    layout.sections.insert(Section::hidden, hidden);
    layout.sections.insert(Section::alwaysHidden, alwaysHidden);
    return layout;
}

inline ProfileSet sampleProfiles(const QString &name) {
    const QUuid id = QUuid::createUuidV5(QUuid(), name);
    return ProfileSet{{Profile{id, name, layoutOf({itemID(QStringLiteral("com.example.a"))}),
                               std::nullopt, std::nullopt}},
                      id};
}

inline TriggerSet sampleTriggers(const QString &name) {
    return TriggerSet{{TriggerRule{QUuid::createUuidV5(QUuid(), name), name, true,
                                   TriggerCondition::onBattery(), TriggerAction::revealHidden()}}};
}

// A rule whose condition is `depth` nested `not`s around onBattery, as JSON text.
inline QByteArray deeplyNestedTriggers(int depth) {
    QByteArray condition = R"({"onBattery":{}})";
    QByteArray text = R"({"rules":[{"id":"6B1E5B4C-4A0B-4C4E-9C39-9B8E2D6A1F00","name":"deep",)"
                      R"("isEnabled":true,"action":{"revealHidden":{}},"condition":)";
    text += QByteArray(R"({"not":{"_0":)").repeated(depth) + condition +
            QByteArray("}}").repeated(depth) + "}]}";
    return text;
}

// `document` (a JSON object as text) with its "triggers" value replaced by `triggers`.
inline QByteArray withTriggers(const QByteArray &document, const QByteArray &triggers) {
    QJsonObject object = QJsonDocument::fromJson(document).object();
    object.remove(QStringLiteral("triggers"));
    QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Compact);
    text.chop(1);
    return text + R"(,"triggers":)" + triggers + "}";
}

} // namespace zorv::testing
