#pragma once

#include "cancellation.h"
#include "settingspane.h"

#include <QCoroTask>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QVariantList>
#include <QtQmlIntegration>

#include <optional>

namespace zorv {

class Clock;
class ModelView;
class SettingsServices;

// What the settings window shows and does: the rail of panes (those this program has a view
// for, in rail order), the selected pane and the view that draws it, the guide strip's line, the
// pane handed over through the model's pending pane, and the pane guide card: offered once per
// pane, a moment after the pane is first shown, and on request from the guide strip. Panes are
// named by their keys. Main thread; the view and the services must outlive it.
class SettingsWindowModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the settings window controller.")
    Q_MOC_INCLUDE("modelview.h")
    Q_MOC_INCLUDE("settingsservices.h")

    Q_PROPERTY(zorv::ModelView *view READ view CONSTANT)
    Q_PROPERTY(zorv::SettingsServices *services READ services CONSTANT)
    Q_PROPERTY(QVariantList rail READ rail CONSTANT)
    Q_PROPERTY(QString version READ version CONSTANT)
    Q_PROPERTY(QString pane READ pane NOTIFY paneChanged)
    Q_PROPERTY(QUrl paneSource READ paneSource NOTIFY paneChanged)
    Q_PROPERTY(QString subtitle READ subtitle NOTIFY paneChanged)
    Q_PROPERTY(QString guidePane READ guidePane NOTIFY guidePaneChanged)
    Q_PROPERTY(QString guideTitle READ guideTitle NOTIFY guidePaneChanged)
    Q_PROPERTY(QString guideSymbol READ guideSymbol NOTIFY guidePaneChanged)
    Q_PROPERTY(QVariantList guideSteps READ guideSteps NOTIFY guideStepsChanged)

public:
    // How long after a pane is shown its guide is offered, the first time.
    static constexpr double guideDelaySeconds = 0.35;

    // `paneViews` names the QML view of each pane this program has; the rest stay off the rail.
    SettingsWindowModel(ModelView &view, SettingsServices &services,
                        QHash<SettingsPane, QUrl> paneViews, QObject *parent = nullptr);
    ~SettingsWindowModel() override;

    [[nodiscard]] ModelView *view() const { return &m_view; }
    [[nodiscard]] SettingsServices *services() const { return &m_services; }
    // One entry per pane on the rail: {key, title, symbol}.
    [[nodiscard]] QVariantList rail() const;
    // "v" and the bundle's version, "v0" when it has none.
    [[nodiscard]] QString version() const;
    [[nodiscard]] QString pane() const { return paneKey(m_pane); }
    [[nodiscard]] SettingsPane selectedPane() const { return m_pane; }
    [[nodiscard]] QUrl paneSource() const { return m_paneViews.value(m_pane); }
    [[nodiscard]] QString subtitle() const { return paneSubtitle(m_pane); }
    // Empty while no guide card is up.
    [[nodiscard]] QString guidePane() const;
    [[nodiscard]] QString guideTitle() const;
    [[nodiscard]] QString guideSymbol() const;
    // The card's steps: {number, symbol, title, text}, with the model's settings.
    [[nodiscard]] QVariantList guideSteps() const;

    // The window is shown: takes a pending pane, publishes the current pane and offers its guide
    // when it was never seen. Only the first call does anything; later ones only take a pending
    // pane.
    Q_INVOKABLE void appear();
    // Selects the pane with `key` (a rail click); other keys are ignored.
    Q_INVOKABLE void select(const QString &key);
    // The guide strip's button: the selected pane's guide, seen before or not.
    Q_INVOKABLE void openGuide();
    // The card's Done (or Escape): the pane's guide counts as seen and the card closes.
    Q_INVOKABLE void finishGuide();

Q_SIGNALS:
    void paneChanged();
    void guidePaneChanged();
    void guideStepsChanged();

private:
    void setPane(SettingsPane pane);
    void consumePendingPane();
    void dismissStaleGuide();
    void presentGuideIfFirstVisit();
    void setGuidePane(std::optional<SettingsPane> pane);
    [[nodiscard]] bool seen(SettingsPane pane) const;
    static QCoro::Task<> offerGuideLater(QPointer<SettingsWindowModel> self, Clock &clock,
                                         CancellationToken token);

    ModelView &m_view;
    SettingsServices &m_services;
    const QHash<SettingsPane, QUrl> m_paneViews;
    SettingsPane m_pane = SettingsPane::general;
    std::optional<SettingsPane> m_guidePane;
    bool m_appeared = false;
    CancellationSource m_lifetime;
};

} // namespace zorv
