#include "desktopviewmodel.h"

#include "engine/classicengine.h"
#include "enginesections.h"
#include "simulatedplatform.h"

#include <QLocale>
#include <QTimeZone>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QString elapsedText(Duration elapsed) {
    const qint64 total = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
    return u"%1:%2:%3"_s.arg(total / 3600)
        .arg(total / 60 % 60, 2, 10, QChar(u'0'))
        .arg(total % 60, 2, 10, QChar(u'0'));
}

} // namespace

DesktopViewModel::DesktopViewModel(SimulatedPlatform &platform, QObject *parent)
    : QObject(parent), m_platform(platform) {
    DesktopModel &model = platform.desktop().model();
    // Every change of the screens is followed by a layout pass, which reports a bar change.
    connect(&model, &DesktopModel::barChanged, this, &DesktopViewModel::refresh);
    refresh();
}

QString DesktopViewModel::scenarioName() const {
    return m_platform.scenario().scenario().name;
}

QString DesktopViewModel::scenarioDescription() const {
    return m_platform.scenario().scenario().description;
}

void DesktopViewModel::setEngine(ClassicEngine *engine) {
    m_engine = engine;
    refresh();
}

void DesktopViewModel::refresh() {
    const DesktopSnapshot snapshot = DesktopSnapshot::take(m_platform.desktop());
    m_screens.setScreens(snapshot.screens);
    QHash<quint64, Section> sections;
    if (m_engine) {
        for (const ScreenSnapshot &screen : snapshot.screens) {
            if (screen.active) {
                sections = EngineSections::of(screen.entries, m_engine->lastItems());
            }
        }
        m_revealed = m_engine->isRevealed();
        const std::optional<HidingBlockedReason> blocked = m_engine->hidingBlocked();
        m_hidingBlocked = blocked ? headline(*blocked) : QString();
    }
    m_positions.setScreens(snapshot.screens, sections);
    const QDateTime wall = m_platform.clock().wallNow().toTimeZone(QTimeZone::utc());
    m_simulatedTime = u"%1 UTC, %2 into the scenario"_s.arg(
        QLocale::c().toString(wall, u"ddd d MMM yyyy H:mm:ss"_s),
        elapsedText(m_platform.scenario().elapsed()));
    m_frontmostApplication = snapshot.frontmostApplication.value_or(QString());
    const bool changed = snapshot != m_lastSnapshot;
    m_lastSnapshot = snapshot;
    Q_EMIT refreshed();
    if (changed) {
        Q_EMIT barsChanged();
    }
}

} // namespace zorv
