#include "menubaritemid.h"

#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorv {

MenuBarItemID::Discriminator MenuBarItemID::discriminator() const {
    if (axIdentifier && !axIdentifier->isEmpty()) {
        return Identifier{*axIdentifier};
    }
    return Slot{ordinal};
}

bool MenuBarItemID::isSystemPinned(QStringView bundleID) {
    // Asked of every item many times a scan: most are no Apple item at all.
    if (!bundleID.startsWith(u"com.apple.")) {
        return false;
    }
    return bundleID.startsWith(u"com.apple.controlcenter") ||
           bundleID == u"com.apple.systemuiserver" || bundleID == u"com.apple.Spotlight" ||
           bundleID == u"com.apple.Siri";
}

bool MenuBarItemID::isEphemeral(QStringView bundleID) {
    return bundleID.startsWith(u"pid:");
}

QJsonValue MenuBarItemID::toJson() const {
    QJsonObject object{{u"bundleID"_s, bundleID}, {u"ordinal"_s, ordinal}};
    if (axIdentifier) {
        object.insert(u"axIdentifier"_s, *axIdentifier);
    }
    if (title) {
        object.insert(u"title"_s, *title);
    }
    return object;
}

MenuBarItemID MenuBarItemID::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    return MenuBarItemID{
        .bundleID = object.required(u"bundleID").toString(),
        .axIdentifier = object.optional<QString>(u"axIdentifier"),
        .title = object.optional<QString>(u"title"),
        .ordinal = object.required(u"ordinal").toInt<qint64>(),
    };
}

// As comparing the discriminators, without copying them: ids are compared very often.
bool operator==(const MenuBarItemID &a, const MenuBarItemID &b) {
    if (a.bundleID != b.bundleID) {
        return false;
    }
    const bool aNamed = a.axIdentifier && !a.axIdentifier->isEmpty();
    const bool bNamed = b.axIdentifier && !b.axIdentifier->isEmpty();
    if (aNamed != bNamed) {
        return false;
    }
    return aNamed ? *a.axIdentifier == *b.axIdentifier : a.ordinal == b.ordinal;
}

size_t qHash(const MenuBarItemID::Discriminator &discriminator, size_t seed) noexcept {
    if (const auto *identifier = std::get_if<MenuBarItemID::Identifier>(&discriminator)) {
        return qHashMulti(seed, 0, identifier->value);
    }
    return qHashMulti(seed, 1, std::get_if<MenuBarItemID::Slot>(&discriminator)->value);
}

// As hashing the discriminator, without copying it.
size_t qHash(const MenuBarItemID &id, size_t seed) noexcept {
    seed = qHash(id.bundleID, seed);
    if (id.axIdentifier && !id.axIdentifier->isEmpty()) {
        return qHashMulti(seed, 0, *id.axIdentifier);
    }
    return qHashMulti(seed, 1, id.ordinal);
}

} // namespace zorv
