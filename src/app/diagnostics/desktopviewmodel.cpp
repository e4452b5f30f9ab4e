#include "desktopviewmodel.h"

#include "appmodel.h"
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

QString timeText(const QDateTime &time) {
    return QLocale::c().toString(time.toTimeZone(QTimeZone::utc()), u"ddd d MMM yyyy H:mm:ss"_s) +
           u" UTC"_s;
}

} // namespace

DesktopViewModel::DesktopViewModel(SimulatedPlatform &platform, bool lifeSize, QObject *parent)
    : QObject(parent), m_platform(platform), m_lifeSize(lifeSize),
      m_banner(platform.desktop().notifications(), platform.clock()) {
    DesktopModel &model = platform.desktop().model();
    // Every change of the screens is followed by a layout pass, which reports a bar change.
    connect(&model, &DesktopModel::barChanged, this, &DesktopViewModel::refresh);
    connect(&platform.desktop().appearance(), &SystemAppearance::effectiveAppearanceChanged, this,
            &DesktopViewModel::refresh);
    // The title of an open menu of the main menu is drawn highlighted.
    connect(&platform.desktop().menus(), &MenuPresenter::menuOpened, this,
            &DesktopViewModel::refresh);
    connect(&platform.desktop().menus(), &MenuPresenter::menuClosed, this,
            &DesktopViewModel::refresh);
    refresh();
}

double DesktopViewModel::zoomFor(double screenWidth, double available) const {
    return m_lifeSize ? 1.0 : ScreenMapping::zoomToFit(screenWidth, available);
}

QObject *DesktopViewModel::toolTip() {
    return &m_platform.desktop().toolTips();
}

UserInput &DesktopViewModel::userInput() {
    return m_platform.desktop().userInput();
}

QString DesktopViewModel::scenarioName() const {
    return m_platform.scenario().scenario().name;
}

QString DesktopViewModel::scenarioDescription() const {
    return m_platform.scenario().scenario().description;
}

QString DesktopViewModel::reconcileSummary(const QJsonObject &run) {
    if (run.isEmpty()) {
        return {};
    }
    const qint64 drags = run.value(u"timing"_s).toObject().value(u"drags"_s).toInteger();
    const QString outcome =
        run.contains(u"aborted"_s)
            ? u"aborted (%1)"_s.arg(run.value(u"aborted"_s).toString())
            : (run.value(u"settled"_s).toBool() ? u"settled"_s : u"not settled"_s);
    return u"%1: %2 %3, %4"_s.arg(run.value(u"trigger"_s).toString())
        .arg(drags)
        .arg(drags == 1 ? u"drag"_s : u"drags"_s, outcome);
}

void DesktopViewModel::setModel(AppModel *model, ZorvKit *kit) {
    for (const QMetaObject::Connection &connection : std::as_const(m_modelConnections)) {
        disconnect(connection);
    }
    m_modelConnections.clear();
    m_sections.setView(nullptr);
    // The window lets go of the old view on modelChanged; it goes only after that.
    std::unique_ptr<ModelView> previous = std::move(m_modelView);
    m_model = model;
    if (m_model) {
        m_modelView = std::make_unique<ModelView>(*m_model);
        m_modelView->setKit(kit);
        m_sections.setView(m_modelView.get());
        for (const auto signal : {&AppModel::itemsChanged, &AppModel::layoutOrderChanged,
                                  &AppModel::hidingBlockedChanged, &AppModel::profilesChanged,
                                  &AppModel::lastSavedAtChanged}) {
            m_modelConnections.append(connect(m_model, signal, this, &DesktopViewModel::refresh));
        }
    }
    Q_EMIT modelChanged();
    refresh();
}

void DesktopViewModel::refresh() {
    const DesktopSnapshot snapshot = DesktopSnapshot::take(m_platform.desktop());
    m_screens.setScreens(snapshot.screens);
    QHash<quint64, Section> sections;
    if (m_model) {
        for (const ScreenSnapshot &screen : snapshot.screens) {
            if (screen.active) {
                sections = EngineSections::of(screen.entries, m_model->items());
            }
        }
        m_revealed = m_model->isRevealed();
        const QDateTime saved = m_modelView->lastSavedAt();
        m_lastSaved = saved.isValid() ? timeText(saved) : QString();
    }
    m_lastReconcile = m_engine ? reconcileSummary(m_engine->lastReconcile()) : QString();
    m_positions.setScreens(snapshot.screens, sections);
    m_simulatedTime = u"%1, %2 into the scenario"_s.arg(
        timeText(m_platform.clock().wallNow()), elapsedText(m_platform.scenario().elapsed()));
    m_frontmostApplication = snapshot.frontmostApplication.value_or(QString());
    const bool changed = snapshot != m_lastSnapshot;
    m_lastSnapshot = snapshot;
    Q_EMIT refreshed();
    if (changed) {
        Q_EMIT barsChanged();
    }
}

} // namespace zorv
