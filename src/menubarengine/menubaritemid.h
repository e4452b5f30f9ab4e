#pragma once

#include "jsonreader.h"

#include <QHashFunctions>
#include <QJsonValue>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>
#include <variant>

namespace zorv {

// The identity of one status item, stable from scan to scan. Layouts, aliases, hot keys, drags and
// the engine's bookkeeping all decide "is this the same item?" through its equality:
// the bundle identifier plus either the accessibility identifier, when the owner sets a non-empty
// one, or else the slot number (`ordinal`) the engine hands out per application. The title is kept
// for display only and never takes part, because items change their titles freely.
struct MenuBarItemID {
    // The part of the identity beside the bundle identifier.
    struct Identifier {
        QString value;
        friend bool operator==(const Identifier &, const Identifier &) = default;
    };
    struct Slot {
        qint64 value;
        friend bool operator==(const Slot &, const Slot &) = default;
    };
    using Discriminator = std::variant<Identifier, Slot>;

    QString bundleID;
    std::optional<QString> axIdentifier;
    std::optional<QString> title;
    qint64 ordinal;

    // Identifier(axIdentifier) when it is present and not empty; otherwise Slot(ordinal). An empty
    // accessibility identifier counts exactly like a missing one.
    [[nodiscard]] Discriminator discriminator() const;

    [[nodiscard]] bool isSystemPinned() const { return isSystemPinned(bundleID); }
    [[nodiscard]] bool isEphemeral() const { return isEphemeral(bundleID); }

    // Items the system keeps in place (Control Center and its modules, the system UI server,
    // Spotlight, Siri); no layout ever lists them. Case-sensitive; only Control Center matches by
    // prefix.
    [[nodiscard]] static bool isSystemPinned(QStringView bundleID);
    // Items of an application without a bundle identifier, named "pid:<process id>" for as long as
    // that process lives; they cannot be remembered across launches.
    [[nodiscard]] static bool isEphemeral(QStringView bundleID);

    // {"bundleID", "axIdentifier", "title", "ordinal"}; the two optional keys are left out when
    // absent and read as absent when missing or null. Unknown keys are ignored.
    [[nodiscard]] QJsonValue toJson() const;
    [[nodiscard]] static MenuBarItemID fromJson(const JsonValueRef &value);

    friend bool operator==(const MenuBarItemID &a, const MenuBarItemID &b);
};

size_t qHash(const MenuBarItemID::Discriminator &discriminator, size_t seed = 0) noexcept;
// Consistent with equality: ids differing only in title, or only in ordinal while sharing a
// non-empty accessibility identifier, hash alike.
size_t qHash(const MenuBarItemID &id, size_t seed = 0) noexcept;

} // namespace zorv

template <> struct std::hash<zorv::MenuBarItemID> {
    size_t operator()(const zorv::MenuBarItemID &id) const noexcept { return zorv::qHash(id); }
};
