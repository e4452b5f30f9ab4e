#include "triggeraction.h"

#include "jsonenum.h"
#include "profiles/uuidtext.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// Case names in the order of TriggerAction::Kind.
const QStringList &caseNames() {
    static const QStringList names{u"revealHidden"_s, u"hideHidden"_s, u"switchProfile"_s,
                                   u"moveItem"_s,     u"revealItem"_s, u"notify"_s};
    return names;
}

} // namespace

TriggerAction TriggerAction::revealHidden() {
    return TriggerAction(Kind::RevealHidden);
}

TriggerAction TriggerAction::hideHidden() {
    return TriggerAction(Kind::HideHidden);
}

TriggerAction TriggerAction::switchProfile(QUuid profileID) {
    TriggerAction action(Kind::SwitchProfile);
    action.m_profileID = profileID;
    return action;
}

TriggerAction TriggerAction::moveItem(MenuBarItemID item, Section section) {
    TriggerAction action(Kind::MoveItem);
    action.m_item = std::move(item);
    action.m_section = section;
    return action;
}

TriggerAction TriggerAction::revealItem(MenuBarItemID item) {
    TriggerAction action(Kind::RevealItem);
    action.m_item = std::move(item);
    return action;
}

TriggerAction TriggerAction::notify(QString text) {
    TriggerAction action(Kind::Notify);
    action.m_text = std::move(text);
    return action;
}

bool TriggerAction::isDeclarative() const {
    switch (m_kind) {
    case Kind::RevealHidden:
    case Kind::HideHidden:
    case Kind::SwitchProfile:
    case Kind::MoveItem:
        return true;
    case Kind::RevealItem:
    case Kind::Notify:
        return false;
    }
    Q_UNREACHABLE();
    return false;
}

QString TriggerAction::summary() const {
    switch (m_kind) {
    case Kind::RevealHidden:
        return u"reveal hidden items"_s;
    case Kind::HideHidden:
        return u"hide hidden items"_s;
    case Kind::SwitchProfile:
        return u"switch profile"_s;
    case Kind::MoveItem:
        return u"move item to "_s + rawValue(m_section);
    case Kind::RevealItem:
        return u"reveal item"_s;
    case Kind::Notify:
        return u"send a notification"_s;
    }
    Q_UNREACHABLE();
    return QString();
}

TriggerAction TriggerAction::fromJson(const JsonValueRef &value) {
    const JsonEnumCase found = decodeEnumCase(value, caseNames());
    switch (static_cast<Kind>(caseNames().indexOf(found.name))) {
    case Kind::RevealHidden:
        return revealHidden();
    case Kind::HideHidden:
        return hideHidden();
    case Kind::SwitchProfile:
        return switchProfile(found.payload.required(u"_0").toUuid());
    case Kind::MoveItem:
        return moveItem(found.payload.required<MenuBarItemID>(u"_0"),
                        found.payload.required<Section>(u"_1"));
    case Kind::RevealItem:
        return revealItem(found.payload.required<MenuBarItemID>(u"_0"));
    case Kind::Notify:
        return notify(found.payload.required(u"_0").toString());
    }
    Q_UNREACHABLE();
    return revealHidden();
}

QJsonValue TriggerAction::toJson() const {
    const QString &name = caseNames().at(static_cast<qsizetype>(m_kind));
    switch (m_kind) {
    case Kind::RevealHidden:
    case Kind::HideHidden:
        return encodeEnumCase(name);
    case Kind::SwitchProfile:
        return encodeEnumCase(name, uuidText(m_profileID));
    case Kind::MoveItem:
        return encodeEnumCase(name, m_item->toJson(), zorv::toJson(m_section));
    case Kind::RevealItem:
        return encodeEnumCase(name, m_item->toJson());
    case Kind::Notify:
        return encodeEnumCase(name, m_text);
    }
    Q_UNREACHABLE();
    return QJsonValue();
}

size_t qHash(const TriggerAction &action, size_t seed) {
    // A section hashes through its stored string, as the section's own text is what persists.
    const size_t item = action.item() ? qHash(*action.item()) : 0;
    return qHashMulti(seed, static_cast<int>(action.kind()), action.profileID(), item,
                      rawValue(action.section()), action.text());
}

} // namespace zorv
