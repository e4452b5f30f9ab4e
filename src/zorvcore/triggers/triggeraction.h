#pragma once

#include "jsonreader.h"
#include "menubaritemid.h"
#include "section.h"

#include <QJsonValue>
#include <QString>
#include <QUuid>

#include <optional>

namespace zorv {

// What a user rule does while or when it holds. Declarative actions name a state that is held
// for as long as the rule holds; one-shot actions are performed once each time it starts to hold.
class TriggerAction {
public:
    enum class Kind { RevealHidden, HideHidden, SwitchProfile, MoveItem, RevealItem, Notify };

    [[nodiscard]] static TriggerAction revealHidden();
    [[nodiscard]] static TriggerAction hideHidden();
    [[nodiscard]] static TriggerAction switchProfile(QUuid profileID);
    [[nodiscard]] static TriggerAction moveItem(MenuBarItemID item, Section section);
    [[nodiscard]] static TriggerAction revealItem(MenuBarItemID item);
    [[nodiscard]] static TriggerAction notify(QString text);

    [[nodiscard]] Kind kind() const { return m_kind; }
    // The profile of switchProfile, null otherwise.
    [[nodiscard]] const QUuid &profileID() const { return m_profileID; }
    // The item of moveItem and revealItem, nullopt otherwise.
    [[nodiscard]] const std::optional<MenuBarItemID> &item() const { return m_item; }
    // The target section of moveItem, `shown` otherwise.
    [[nodiscard]] Section section() const { return m_section; }
    // The notification text of notify.
    [[nodiscard]] const QString &text() const { return m_text; }

    [[nodiscard]] bool isDeclarative() const;
    [[nodiscard]] QString summary() const;

    [[nodiscard]] static TriggerAction fromJson(const JsonValueRef &value);
    [[nodiscard]] QJsonValue toJson() const;

    // Item ids compare by their identity rule.
    friend bool operator==(const TriggerAction &, const TriggerAction &) = default;

private:
    explicit TriggerAction(Kind kind) : m_kind(kind) {}

    Kind m_kind;
    QUuid m_profileID;
    std::optional<MenuBarItemID> m_item;
    Section m_section = Section::shown;
    QString m_text;
};

[[nodiscard]] size_t qHash(const TriggerAction &action, size_t seed = 0);

} // namespace zorv
