#include "settingswindowmodel.h"

#include "appmodel.h"
#include "clock.h"
#include "modelview.h"
#include "paneguides.h"
#include "settingsservices.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace zorv {

SettingsWindowModel::SettingsWindowModel(ModelView &view, SettingsServices &services,
                                         QHash<SettingsPane, QUrl> paneViews, QObject *parent)
    : QObject(parent), m_view(view), m_services(services), m_paneViews(std::move(paneViews)) {
    connect(&m_view, &ModelView::pendingSettingsPaneChanged, this, [this] {
        if (m_appeared) {
            consumePendingPane();
        }
    });
    connect(&m_view, &ModelView::settingsChanged, this, &SettingsWindowModel::guideStepsChanged);
    connect(this, &SettingsWindowModel::guidePaneChanged, this,
            &SettingsWindowModel::guideStepsChanged);
}

SettingsWindowModel::~SettingsWindowModel() {
    m_lifetime.cancel();
}

QVariantList SettingsWindowModel::rail() const {
    QVariantList entries;
    for (const SettingsPane pane : allSettingsPanes()) {
        if (m_paneViews.contains(pane)) {
            entries.append(QVariantMap{{u"key"_s, paneKey(pane)},
                                       {u"title"_s, paneTitle(pane)},
                                       {u"symbol"_s, paneSymbol(pane)}});
        }
    }
    return entries;
}

QString SettingsWindowModel::version() const {
    return u"v"_s + m_services.version();
}

QString SettingsWindowModel::guidePane() const {
    return m_guidePane ? paneKey(*m_guidePane) : QString();
}

QString SettingsWindowModel::guideTitle() const {
    return m_guidePane ? paneTitle(*m_guidePane) : QString();
}

QString SettingsWindowModel::guideSymbol() const {
    return m_guidePane ? paneSymbol(*m_guidePane) : QString();
}

QVariantList SettingsWindowModel::guideSteps() const {
    QVariantList steps;
    if (!m_guidePane) {
        return steps;
    }
    int number = 0;
    for (const GuideStep &step : PaneGuides::steps(*m_guidePane, m_view.model().guideContext())) {
        steps.append(QVariantMap{{u"number"_s, ++number},
                                 {u"symbol"_s, step.symbol},
                                 {u"title"_s, step.title},
                                 {u"text"_s, step.text}});
    }
    return steps;
}

void SettingsWindowModel::appear() {
    if (m_appeared) {
        consumePendingPane();
        return;
    }
    m_appeared = true;
    consumePendingPane();
    m_view.setCurrentSettingsPane(paneKey(m_pane));
    presentGuideIfFirstVisit();
}

void SettingsWindowModel::select(const QString &key) {
    const std::optional<SettingsPane> pane = settingsPane(key);
    if (pane && m_paneViews.contains(*pane)) {
        setPane(*pane);
    }
}

void SettingsWindowModel::setPane(SettingsPane pane) {
    if (pane == m_pane) {
        return;
    }
    m_pane = pane;
    Q_EMIT paneChanged();
    m_view.setCurrentSettingsPane(paneKey(m_pane));
    dismissStaleGuide();
    presentGuideIfFirstVisit();
}

void SettingsWindowModel::consumePendingPane() {
    const std::optional<SettingsPane> pane = settingsPane(m_view.pendingSettingsPane());
    if (!pane) {
        // Nothing waits, or the text names no pane: it stays until something replaces it.
        return;
    }
    // A pane this program has no view for is taken and left unshown.
    if (m_paneViews.contains(*pane)) {
        setPane(*pane);
        dismissStaleGuide();
    }
    m_view.setPendingSettingsPane(QString());
}

void SettingsWindowModel::dismissStaleGuide() {
    if (m_guidePane && *m_guidePane != m_pane) {
        setGuidePane(std::nullopt);
    }
}

bool SettingsWindowModel::seen(SettingsPane pane) const {
    return m_view.hasSeenGuide(paneKey(pane));
}

void SettingsWindowModel::presentGuideIfFirstVisit() {
    if (seen(m_pane)) {
        return;
    }
    // Whether the pane has a guide at all does not depend on the settings.
    if (PaneGuides::steps(m_pane, GuideContext{true, u"⌥⌘S"_s, u"⌥⌘F"_s, true}).isEmpty()) {
        return;
    }
    offerGuideLater(this, m_services.clock(), m_lifetime.token());
}

QCoro::Task<> SettingsWindowModel::offerGuideLater(QPointer<SettingsWindowModel> self, Clock &clock,
                                                   CancellationToken token) {
    const SleepOutcome outcome = co_await clock.sleep(seconds(guideDelaySeconds), token);
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    // The pane shown now may not be the one that asked; its guide is offered only if it was
    // never seen either.
    if (!self->m_guidePane && !self->seen(self->m_pane)) {
        self->setGuidePane(self->m_pane);
    }
}

void SettingsWindowModel::openGuide() {
    setGuidePane(m_pane);
}

void SettingsWindowModel::finishGuide() {
    if (!m_guidePane) {
        return;
    }
    m_view.markGuideSeen(paneKey(*m_guidePane));
    setGuidePane(std::nullopt);
}

void SettingsWindowModel::setGuidePane(std::optional<SettingsPane> pane) {
    if (pane == m_guidePane) {
        return;
    }
    m_guidePane = pane;
    Q_EMIT guidePaneChanged();
}

} // namespace zorv
