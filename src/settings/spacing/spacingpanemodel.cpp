#include "spacingpanemodel.h"

#include "appmodel.h"
#include "clock.h"
#include "logoutprompt.h"
#include "scripting.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

SpacingPaneModel::SpacingPaneModel(QObject *parent) : QObject(parent) {}

SpacingPaneModel::~SpacingPaneModel() {
    m_pendingCommit.cancel();
}

void SpacingPaneModel::setView(ModelView *view) {
    if (view == m_view) {
        return;
    }
    disconnect(m_settingsConnection);
    m_view = view;
    if (m_view) {
        m_settingsConnection = connect(m_view->settings(), &SettingsProperties::changed, this,
                                       &SpacingPaneModel::needsLogoutChanged);
    }
    Q_EMIT viewChanged();
    Q_EMIT needsLogoutChanged();
}

void SpacingPaneModel::appear() {
    if (!m_view) {
        return;
    }
    if (const std::optional<qint64> current = m_view->model().spacing().currentSpacing()) {
        m_overriding = true;
        // What the system uses, even beyond the slider's ends (set by hand or by another
        // tool): the readout says so, and only the user's own move of the slider changes it.
        m_points = double(std::clamp<qint64>(*current, -largestExactPoints, largestExactPoints));
        Q_EMIT valueChanged();
    }
}

void SpacingPaneModel::setOverriding(bool on) {
    m_overriding = on;
    Q_EMIT valueChanged();
    write();
}

void SpacingPaneModel::setPoints(double points) {
    if (!std::isfinite(points)) {
        return;
    }
    points = std::clamp(points, minimumPoints, maximumPoints);
    if (points == m_points) {
        return;
    }
    m_points = points;
    Q_EMIT valueChanged();
    commit(true);
}

void SpacingPaneModel::beginDrag() {
    commit(false);
}

void SpacingPaneModel::commit(bool debounced) {
    m_pendingCommit.cancel();
    m_pendingCommit = CancellationSource();
    if (debounced) {
        writeLater(this, m_pendingCommit.token());
    } else {
        write();
    }
}

QCoro::Task<> SpacingPaneModel::writeLater(QPointer<SpacingPaneModel> self,
                                           CancellationToken token) {
    if (!self->m_services) {
        co_return;
    }
    const SleepOutcome outcome =
        co_await self->m_services->clock().sleep(seconds(commitDelaySeconds), token);
    if (outcome == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    // What the pane holds now, not when the write was asked for.
    self->write();
}

void SpacingPaneModel::write() {
    if (!m_view) {
        return;
    }
    m_view->settings()->setIconSpacing(m_overriding ? QVariant(qint64(m_points)) : QVariant());
    // The settings announce their change before the system's preferences are written.
    Q_EMIT needsLogoutChanged();
}

void SpacingPaneModel::revert() {
    m_overriding = false;
    m_points = systemDefault;
    Q_EMIT valueChanged();
    write();
}

void SpacingPaneModel::logOut() {
    if (!m_services) {
        return;
    }
    const bool refused = !LogoutPrompt::requestLogout(m_services->scripting());
    if (refused != m_logoutRefused) {
        m_logoutRefused = refused;
        Q_EMIT logoutRefusedChanged();
    }
}

QString SpacingPaneModel::readout() const {
    return QString::number(qint64(m_points)) + u" pt"_s;
}

QVariant SpacingPaneModel::note() const {
    if (m_overriding) {
        return {};
    }
    return u"Off uses the macOS default of %1 pt."_s.arg(systemDefault);
}

bool SpacingPaneModel::needsLogout() const {
    return m_view && m_view->settings()->spacingNeedsLogout();
}

} // namespace zorv
