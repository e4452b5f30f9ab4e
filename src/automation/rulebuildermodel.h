#pragma once

#include "ruledraft.h"
#include "ruleviewservices.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QVariant>

#include <functional>
#include <optional>

namespace zorv {

class AppModel;

// The rule builder sheet's state and texts over one RuleDraft: the live sentence and suggested
// name, the condition and action pickers with the fields their kinds need, the choice lists
// (networks, apps, items, profiles) with their pictures, the two permission rows, and saving. A
// stored condition the builder cannot show stays read-only until a condition is picked.
// Selections reach QML as text: kinds, lanes and profile ids by name, items by stable key; an
// empty text means none. One presentation, one model: it ends with finished() after a save or a
// cancel. Main thread; the app model and the services must outlive it.
class RuleBuilderModel : public QObject {
    Q_OBJECT

    Q_PROPERTY(QString heading READ heading CONSTANT)
    Q_PROPERTY(QString saveTitle READ saveTitle CONSTANT)
    Q_PROPERTY(QString sentence READ sentence NOTIFY changed)
    Q_PROPERTY(QString suggestedName READ suggestedName NOTIFY changed)
    Q_PROPERTY(bool valid READ isValid NOTIFY changed)
    Q_PROPERTY(QString name READ name WRITE setName NOTIFY changed)
    Q_PROPERTY(QString nameNote READ nameNote NOTIFY changed)

    Q_PROPERTY(QVariantList conditionOptions READ conditionOptions CONSTANT)
    // The kind's name, or null while a stored condition is kept.
    Q_PROPERTY(QVariant conditionKind READ conditionKind WRITE setConditionKind NOTIFY changed)
    Q_PROPERTY(bool keepsStoredCondition READ keepsStoredCondition NOTIFY changed)
    Q_PROPERTY(QString storedCondition READ storedCondition NOTIFY changed)
    Q_PROPERTY(int batteryPercent READ batteryPercent WRITE setBatteryPercent NOTIFY changed)
    Q_PROPERTY(QString batteryReadout READ batteryReadout NOTIFY changed)
    Q_PROPERTY(QString network READ network WRITE setNetwork NOTIFY changed)
    // {name, label}
    Q_PROPERTY(QVariantList networkChoices READ networkChoices NOTIFY changed)
    Q_PROPERTY(bool needsLocation READ needsLocation NOTIFY changed)
    Q_PROPERTY(QString locationButtonTitle READ locationButtonTitle NOTIFY changed)
    Q_PROPERTY(QString bundleID READ bundleID WRITE setBundleID NOTIFY changed)
    Q_PROPERTY(QVariantList appOptions READ appOptions NOTIFY changed)

    Q_PROPERTY(QVariantList actionOptions READ actionOptions CONSTANT)
    Q_PROPERTY(QString actionKind READ actionKind WRITE setActionKind NOTIFY changed)
    Q_PROPERTY(QString item READ item WRITE setItem NOTIFY changed)
    Q_PROPERTY(QVariantList itemOptions READ itemOptions NOTIFY changed)
    Q_PROPERTY(QString lane READ lane WRITE setLane NOTIFY changed)
    Q_PROPERTY(QVariantList laneOptions READ laneOptions CONSTANT)
    Q_PROPERTY(QString profile READ profile WRITE setProfile NOTIFY changed)
    Q_PROPERTY(QVariantList profileOptions READ profileOptions NOTIFY changed)
    Q_PROPERTY(QString message READ message WRITE setMessage NOTIFY changed)
    Q_PROPERTY(bool needsNotificationPermission READ needsNotificationPermission NOTIFY changed)

public:
    using SaveHandler = std::function<void(const TriggerRule &rule)>;

    // Edits `existing`, else starts from `example`, else from a new rule. `onSave` receives the
    // finished rule.
    RuleBuilderModel(AppModel &model, RuleViewServices services,
                     std::optional<TriggerRule> existing, std::optional<TriggerRule> example,
                     SaveHandler onSave, QObject *parent = nullptr);

    [[nodiscard]] const RuleDraft &draft() const { return m_draft; }

    [[nodiscard]] QString heading() const;
    [[nodiscard]] QString saveTitle() const;
    [[nodiscard]] QString sentence() const { return m_draft.sentence(); }
    [[nodiscard]] QString suggestedName() const { return m_draft.suggestedName(); }
    [[nodiscard]] bool isValid() const { return m_draft.isValid(); }
    [[nodiscard]] QString name() const { return m_draft.name(); }
    void setName(const QString &name);
    [[nodiscard]] QString nameNote() const;

    [[nodiscard]] static QVariantList conditionOptions();
    [[nodiscard]] QVariant conditionKind() const;
    // Unknown names are ignored.
    void setConditionKind(const QVariant &kind);
    [[nodiscard]] bool keepsStoredCondition() const { return m_draft.keepsStoredCondition(); }
    // The kept condition's words; empty when none is kept.
    [[nodiscard]] QString storedCondition() const;
    [[nodiscard]] int batteryPercent() const { return m_draft.batteryPercent(); }
    void setBatteryPercent(int percent);
    [[nodiscard]] QString batteryReadout() const;
    [[nodiscard]] QString network() const { return m_draft.network(); }
    void setNetwork(const QString &network);
    [[nodiscard]] QVariantList networkChoices() const;
    [[nodiscard]] bool needsLocation() const;
    [[nodiscard]] QString locationButtonTitle() const;
    [[nodiscard]] QString bundleID() const { return m_draft.bundleID(); }
    void setBundleID(const QString &bundleID);
    [[nodiscard]] QVariantList appOptions() const;

    [[nodiscard]] static QVariantList actionOptions();
    [[nodiscard]] QString actionKind() const;
    void setActionKind(const QString &kind);
    // The stable key of the chosen item as it stands on the bar; empty when none is chosen or
    // the chosen item is not on the bar.
    [[nodiscard]] QString item() const;
    // Keys of items not on offer are ignored.
    void setItem(const QString &key);
    [[nodiscard]] QVariantList itemOptions() const;
    [[nodiscard]] QString lane() const;
    void setLane(const QString &lane);
    [[nodiscard]] static QVariantList laneOptions();
    [[nodiscard]] QString profile() const;
    // Ids of profiles that do not exist are ignored.
    void setProfile(const QString &id);
    [[nodiscard]] QVariantList profileOptions() const;
    [[nodiscard]] QString message() const { return m_draft.message(); }
    void setMessage(const QString &message);
    [[nodiscard]] bool needsNotificationPermission() const;

    // Hands the rule to the save handler and ends the presentation; nothing while the rule is
    // incomplete. Once ended, nothing more is saved.
    Q_INVOKABLE void save();
    Q_INVOKABLE void cancel();
    // A network from the "Choose…" menu.
    Q_INVOKABLE void chooseNetwork(const QString &name) { setNetwork(name); }
    Q_INVOKABLE void requestLocation();
    Q_INVOKABLE void requestNotifications();
    // "Other App…": the application picked in the panel becomes the condition's app; a cancel,
    // or a bundle without an identifier, changes nothing.
    Q_INVOKABLE void chooseApp();

    // scrollHeight() for QML, on the main screen as it is now.
    Q_INVOKABLE [[nodiscard]] double sheetScrollHeight(double contentHeight) const;
    // The height of the sheet's scrolling part for content `contentHeight` tall, on a main
    // screen whose visible height is `screenHeight` (none: no main screen).
    [[nodiscard]] static double scrollHeight(double contentHeight,
                                             std::optional<double> screenHeight);

Q_SIGNALS:
    void changed();
    void finished();

private:
    static QCoro::Task<> pickApplication(QPointer<RuleBuilderModel> self, ApplicationPanel &panel);
    template <typename Edit> void edit(Edit edit);

    AppModel &m_model;
    RuleViewServices m_services;
    RuleDraft m_draft;
    SaveHandler m_onSave;
    bool m_ended = false;
};

} // namespace zorv
