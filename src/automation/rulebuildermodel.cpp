#include "rulebuildermodel.h"

#include "applicationpanel.h"
#include "appmodel.h"
#include "locationgate.h"
#include "rulechoices.h"
#include "rulewords.h"
#include "screens.h"
#include "search/stablekey.h"
#include "systemnotifier.h"
#include "workspace.h"

#include <algorithm>
#include <array>
#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

using ConditionKind = RuleDraft::ConditionKind;
using ActionKind = RuleDraft::ActionKind;

constexpr std::array<std::pair<ConditionKind, const char16_t *>, 7> conditionNames{{
    {ConditionKind::BatteryBelow, u"batteryBelow"},
    {ConditionKind::OnBattery, u"onBattery"},
    {ConditionKind::Charging, u"charging"},
    {ConditionKind::WifiSSID, u"wifiSSID"},
    {ConditionKind::AppRunning, u"appRunning"},
    {ConditionKind::AppFrontmost, u"appFrontmost"},
    {ConditionKind::FocusActive, u"focusActive"},
}};

constexpr std::array<std::pair<ActionKind, const char16_t *>, 6> actionNames{{
    {ActionKind::RevealHidden, u"revealHidden"},
    {ActionKind::HideHidden, u"hideHidden"},
    {ActionKind::MoveItem, u"moveItem"},
    {ActionKind::RevealItem, u"revealItem"},
    {ActionKind::SwitchProfile, u"switchProfile"},
    {ActionKind::Notify, u"notify"},
}};

template <typename Kind, std::size_t N>
QString nameOf(const std::array<std::pair<Kind, const char16_t *>, N> &names, Kind kind) {
    for (const auto &[k, name] : names) {
        if (k == kind) {
            return QString::fromUtf16(name);
        }
    }
    return {};
}

template <typename Kind, std::size_t N>
std::optional<Kind> kindNamed(const std::array<std::pair<Kind, const char16_t *>, N> &names,
                              const QString &text) {
    for (const auto &[kind, name] : names) {
        if (text == QString::fromUtf16(name)) {
            return kind;
        }
    }
    return std::nullopt;
}

QVariantMap option(const QVariant &value, const QString &label, const QVariant &icon = {}) {
    return {{u"value"_s, value}, {u"label"_s, label}, {u"icon"_s, icon}};
}

QString profileText(const QUuid &id) {
    return id.toString(QUuid::WithoutBraces);
}

} // namespace

RuleBuilderModel::RuleBuilderModel(AppModel &model, RuleViewServices services,
                                   std::optional<TriggerRule> existing,
                                   std::optional<TriggerRule> example, SaveHandler onSave,
                                   QObject *parent)
    : QObject(parent), m_model(model), m_services(std::move(services)),
      m_draft(model.items(), model.profiles(), m_services.workspace, std::move(existing), example),
      m_onSave(std::move(onSave)) {
    // The sentence names items, profiles and apps as they are now; the choices follow the bar,
    // the profiles, the network, the running apps and the two permissions.
    for (const auto signal : {&AppModel::itemsChanged, &AppModel::profilesChanged,
                              &AppModel::automationContextChanged}) {
        connect(&model, signal, this, &RuleBuilderModel::changed);
    }
    connect(&m_services.location, &LocationGate::statusChanged, this, &RuleBuilderModel::changed);
    connect(&m_services.notifier, &SystemNotifier::isAllowedChanged, this,
            &RuleBuilderModel::changed);
    connect(&m_services.workspace, &Workspace::applicationLaunched, this,
            &RuleBuilderModel::changed);
    connect(&m_services.workspace, &Workspace::applicationTerminated, this,
            &RuleBuilderModel::changed);
}

template <typename Edit> void RuleBuilderModel::edit(Edit edit) {
    if (m_ended) {
        return;
    }
    if (edit()) {
        Q_EMIT changed();
    }
}

QString RuleBuilderModel::heading() const {
    return m_draft.isEditing() ? u"Edit Rule"_s : u"New Rule"_s;
}

QString RuleBuilderModel::saveTitle() const {
    return m_draft.isEditing() ? u"Update Rule"_s : u"Add Rule"_s;
}

void RuleBuilderModel::setName(const QString &name) {
    edit([&] {
        if (name == m_draft.name()) {
            return false;
        }
        m_draft.setName(name);
        return true;
    });
}

QString RuleBuilderModel::nameNote() const {
    switch (m_draft.actionKind()) {
    case ActionKind::RevealItem:
        return u"Opens the item once, each time the condition becomes true."_s;
    case ActionKind::Notify:
        return u"Tells you once, each time the condition becomes true."_s;
    default:
        return u"Holds while the condition is true, and undoes itself when it ends."_s;
    }
}

QVariantList RuleBuilderModel::conditionOptions() {
    QVariantList options;
    for (const auto &[kind, name] : conditionNames) {
        options.append(option(QString::fromUtf16(name), RuleDraft::title(kind)));
    }
    return options;
}

QVariant RuleBuilderModel::conditionKind() const {
    if (m_draft.keepsStoredCondition()) {
        return {};
    }
    return nameOf(conditionNames, m_draft.conditionKind());
}

void RuleBuilderModel::setConditionKind(const QVariant &kind) {
    const auto chosen = kindNamed(conditionNames, kind.toString());
    edit([&] {
        if (!chosen || (*chosen == m_draft.conditionKind() && !m_draft.keepsStoredCondition())) {
            return false;
        }
        m_draft.setConditionKind(*chosen);
        return true;
    });
}

QString RuleBuilderModel::storedCondition() const {
    const auto &stored = m_draft.storedCondition();
    return stored ? RuleWords(m_model, m_services.workspace).condition(*stored) : QString();
}

void RuleBuilderModel::setBatteryPercent(int percent) {
    edit([&] {
        if (percent == m_draft.batteryPercent() && !m_draft.keepsStoredCondition()) {
            return false;
        }
        m_draft.setBatteryPercent(percent);
        return true;
    });
}

QString RuleBuilderModel::batteryReadout() const {
    return QString::number(m_draft.batteryPercent()) + u'%';
}

void RuleBuilderModel::setNetwork(const QString &network) {
    edit([&] {
        if (network == m_draft.network()) {
            return false;
        }
        m_draft.setNetwork(network);
        return true;
    });
}

QVariantList RuleBuilderModel::networkChoices() const {
    QVariantList choices;
    for (const RuleChoices::Network &network :
         RuleChoices::networks(m_services.wifi, m_model.automationContext().currentSSID)) {
        choices.append(QVariantMap{{u"name"_s, network.name}, {u"label"_s, network.label}});
    }
    return choices;
}

bool RuleBuilderModel::needsLocation() const {
    return !m_services.location.authorized();
}

QString RuleBuilderModel::locationButtonTitle() const {
    const LocationStatus status = m_services.location.status();
    return status == LocationStatus::Denied || status == LocationStatus::Restricted
               ? u"Open Location Settings"_s
               : u"Allow Location Access\u2026"_s;
}

void RuleBuilderModel::setBundleID(const QString &bundleID) {
    edit([&] {
        if (bundleID == m_draft.bundleID()) {
            return false;
        }
        m_draft.setBundleID(bundleID);
        return true;
    });
}

QVariantList RuleBuilderModel::appOptions() const {
    QVariantList options;
    for (const RuleChoices::App &app :
         RuleChoices::apps(m_services.workspace, m_draft.bundleID())) {
        QVariant icon;
        if (!app.icon.isNull() && m_services.appPicture) {
            icon = m_services.appPicture(u"app/"_s + app.bundleID, app.icon);
        }
        options.append(option(app.bundleID, app.name, icon));
    }
    return options;
}

QVariantList RuleBuilderModel::actionOptions() {
    QVariantList options;
    for (const auto &[kind, name] : actionNames) {
        options.append(option(QString::fromUtf16(name), RuleDraft::title(kind)));
    }
    return options;
}

QString RuleBuilderModel::actionKind() const {
    return nameOf(actionNames, m_draft.actionKind());
}

void RuleBuilderModel::setActionKind(const QString &kind) {
    const auto chosen = kindNamed(actionNames, kind);
    edit([&] {
        if (!chosen || *chosen == m_draft.actionKind()) {
            return false;
        }
        m_draft.setActionKind(*chosen);
        return true;
    });
}

QString RuleBuilderModel::item() const {
    const auto &chosen = m_draft.item();
    if (!chosen) {
        return {};
    }
    for (const MenuBarItem &choice : RuleChoices::items(m_model.items())) {
        if (choice.id == *chosen) {
            return stableKey(choice.id);
        }
    }
    return {};
}

void RuleBuilderModel::setItem(const QString &key) {
    edit([&] {
        for (const MenuBarItem &choice : RuleChoices::items(m_model.items())) {
            if (stableKey(choice.id) == key) {
                if (m_draft.item() == choice.id) {
                    return false;
                }
                m_draft.setItem(choice.id);
                return true;
            }
        }
        return false;
    });
}

QVariantList RuleBuilderModel::itemOptions() const {
    QVariantList options;
    for (const MenuBarItem &choice : RuleChoices::items(m_model.items())) {
        options.append(
            option(stableKey(choice.id), RuleChoices::itemName(choice),
                   m_services.itemPicture ? m_services.itemPicture(choice) : QVariant()));
    }
    return options;
}

QString RuleBuilderModel::lane() const {
    return rawValue(m_draft.lane());
}

void RuleBuilderModel::setLane(const QString &lane) {
    const std::optional<Section> section = sectionFromRawValue(lane);
    edit([&] {
        if (!section || *section == m_draft.lane()) {
            return false;
        }
        m_draft.setLane(*section);
        return true;
    });
}

QVariantList RuleBuilderModel::laneOptions() {
    return {option(rawValue(Section::shown), u"Shown"_s),
            option(rawValue(Section::hidden), u"Hidden"_s),
            option(rawValue(Section::alwaysHidden), u"Always Hidden"_s)};
}

QString RuleBuilderModel::profile() const {
    const auto &chosen = m_draft.profile();
    return chosen ? profileText(*chosen) : QString();
}

void RuleBuilderModel::setProfile(const QString &id) {
    edit([&] {
        for (const Profile &profile : m_model.profiles().profiles) {
            if (profileText(profile.id) == id) {
                if (m_draft.profile() == profile.id) {
                    return false;
                }
                m_draft.setProfile(profile.id);
                return true;
            }
        }
        return false;
    });
}

QVariantList RuleBuilderModel::profileOptions() const {
    QVariantList options;
    for (const Profile &profile : m_model.profiles().profiles) {
        options.append(option(profileText(profile.id), profile.name));
    }
    return options;
}

void RuleBuilderModel::setMessage(const QString &message) {
    edit([&] {
        if (message == m_draft.message()) {
            return false;
        }
        m_draft.setMessage(message);
        return true;
    });
}

bool RuleBuilderModel::needsNotificationPermission() const {
    return !m_services.notifier.isAllowed();
}

void RuleBuilderModel::save() {
    if (m_ended) {
        return;
    }
    const std::optional<TriggerRule> rule = m_draft.rule();
    if (!rule) {
        return;
    }
    m_ended = true;
    if (m_onSave) {
        m_onSave(*rule);
    }
    Q_EMIT finished();
}

void RuleBuilderModel::cancel() {
    if (!m_ended) {
        m_ended = true;
        Q_EMIT finished();
    }
}

void RuleBuilderModel::requestLocation() {
    m_services.location.request();
}

void RuleBuilderModel::requestNotifications() {
    m_services.notifier.request();
}

void RuleBuilderModel::chooseApp() {
    if (!m_ended && m_services.applications) {
        pickApplication(this, *m_services.applications);
    }
}

QCoro::Task<> RuleBuilderModel::pickApplication(QPointer<RuleBuilderModel> self,
                                                ApplicationPanel &panel) {
    const std::optional<QString> path = co_await panel.chooseApplication();
    if (!self || !path) {
        co_return;
    }
    if (const std::optional<QString> bundleID =
            self->m_services.workspace.bundleIdentifier(*path)) {
        self->setBundleID(*bundleID);
    }
}

double RuleBuilderModel::sheetScrollHeight(double contentHeight) const {
    std::optional<double> screenHeight;
    if (const std::optional<Screen> main =
            m_services.screens ? m_services.screens->mainScreen() : std::nullopt) {
        screenHeight = main->visibleFrame.height();
    }
    return scrollHeight(contentHeight, screenHeight);
}

double RuleBuilderModel::scrollHeight(double contentHeight, std::optional<double> screenHeight) {
    const double cap = screenHeight ? std::max(*screenHeight - 280, 280.0) : 520.0;
    return std::min(std::max(contentHeight, 80.0), cap);
}

} // namespace zorv
