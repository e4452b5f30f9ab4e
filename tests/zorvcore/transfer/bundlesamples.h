#pragma once

#include "jsonwriter.h"
#include "profiles/profileset.h"
#include "triggers/triggerset.h"

namespace zorv::testing {

inline MenuBarItemID itemID(const char *bundleID) {
    return MenuBarItemID(QString::fromLatin1(bundleID), std::nullopt, std::nullopt, 0);
}

inline SectionLayout layoutOf(QList<MenuBarItemID> shown, QList<MenuBarItemID> hidden = {},
                              QList<MenuBarItemID> alwaysHidden = {}) {
    return {{{Section::shown, shown},
             {Section::hidden, hidden},
             {Section::alwaysHidden, alwaysHidden}}};
}

// One profile and one rule, both named `name`.
inline ProfileSet sampleProfiles(const QString &name) {
    const QUuid id = QUuid::createUuidV5(QUuid(), name);
    return ProfileSet{{Profile{id, name, layoutOf({itemID("com.example.a")}), {}, {}}}, id};
}

inline TriggerSet sampleTriggers(const QString &name) {
    return {{{QUuid::createUuidV5(QUuid(), name), name, true, TriggerCondition::onBattery(),
              TriggerAction::revealHidden()}}};
}

// `document` (a JSON object) with its "triggers" replaced by one rule whose condition is `depth`
// nested "not"s around onBattery.
inline QByteArray withDeeplyNestedRule(const QByteArray &document, int depth) {
    QJsonObject object = parseJson(document).toObject();
    object.insert(QStringLiteral("triggers"), QStringLiteral("<rules>"));
    const QByteArray rules =
        R"({"rules":[{"id":"6B1E5B4C-4A0B-4C4E-9C39-9B8E2D6A1F00","name":"deep","isEnabled":true,)"
        R"("action":{"revealHidden":{}},"condition":)" +
        QByteArray(R"({"not":{"_0":)").repeated(depth) + R"({"onBattery":{}})" +
        QByteArray("}}").repeated(depth) + "}]}";
    return writeJson(object, JsonFormat::compact()).value().replace("\"<rules>\"", rules);
}

} // namespace zorv::testing
