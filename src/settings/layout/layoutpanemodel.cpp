#include "layoutpanemodel.h"

#include "appmodel.h"
#include "connections.h"
#include "items/itempictures.h"
#include "kit/zorvkit.h"
#include "workspace.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QString capitalised(const QString &text) {
    return text.isEmpty() ? text : text.left(1).toUpper() + text.mid(1);
}

} // namespace

LayoutPaneModel::LayoutPaneModel(QObject *parent)
    : QObject(parent), m_barColor(QColor::fromRgbF(0.2f, 0.2f, 0.2f)) {}

LayoutPaneModel::~LayoutPaneModel() {
    if (m_view && m_view->kit() && !m_ownIconKey.isEmpty()) {
        m_view->kit()->itemPictures().remove(m_ownIconKey);
    }
}

void LayoutPaneModel::setView(ModelView *view) {
    if (view == m_view) {
        return;
    }
    disconnectAll(m_connections);
    m_view = view;
    if (m_view) {
        AppModel *model = &m_view->model();
        for (const auto signal : {&AppModel::settingsChanged, &AppModel::axTrustedChanged,
                                  &AppModel::hidingBlockedChanged}) {
            m_connections.append(connect(model, signal, this, &LayoutPaneModel::changed));
        }
        // A new scan may come with a new desktop picture behind the bar.
        m_connections.append(connect(model, &AppModel::itemsChanged, this, [this] {
            sampleBar();
            Q_EMIT changed();
        }));
        Workspace *workspace = &model->services().workspace;
        for (const auto signal :
             {&Workspace::applicationLaunched, &Workspace::applicationTerminated}) {
            m_connections.append(
                connect(workspace, signal, this, &LayoutPaneModel::lookForOtherManager));
        }
    }
    lookForOtherManager();
    publishOwnIcon();
    Q_EMIT viewChanged();
    Q_EMIT changed();
}

void LayoutPaneModel::setServices(SettingsServices *services) {
    if (services == m_services) {
        return;
    }
    m_services = services;
    sampleBar();
    Q_EMIT servicesChanged();
}

void LayoutPaneModel::appear() {
    refresh();
    lookForOtherManager();
    sampleBar();
}

void LayoutPaneModel::refresh() {
    if (m_view) {
        m_view->model().refresh();
    }
}

void LayoutPaneModel::retryHiding() {
    if (m_view) {
        m_view->model().retryHiding();
    }
}

void LayoutPaneModel::openAccessibilitySettings() {
    if (m_view) {
        m_view->model().openAccessibilitySettings();
    }
}

bool LayoutPaneModel::otherManagerAmong(const QList<RunningApplication> &applications) {
    return std::any_of(
        applications.cbegin(), applications.cend(), [](const RunningApplication &application) {
            return application.bundleIdentifier.value_or(QString()).startsWith(otherManagerPrefix);
        });
}

void LayoutPaneModel::lookForOtherManager() {
    const bool running =
        m_view && otherManagerAmong(m_view->model().services().workspace.runningApplications());
    if (running != m_otherManagerRunning) {
        m_otherManagerRunning = running;
        Q_EMIT otherManagerRunningChanged();
    }
}

void LayoutPaneModel::publishOwnIcon() {
    m_ownIcon.clear();
    ZorvKit *kit = m_view ? m_view->kit() : nullptr;
    if (!kit) {
        return;
    }
    const Workspace &workspace = m_view->model().services().workspace;
    const qint32 self = workspace.currentProcessId();
    for (const RunningApplication &application : workspace.runningApplications()) {
        if (application.processId == self && !application.icon.isNull()) {
            m_ownIconKey = u"layout-pane-%1/own-icon"_s.arg(quintptr(this), 0, 16);
            kit->itemPictures().set(m_ownIconKey, application.icon, false);
            m_ownIcon = ItemPictures::source(m_ownIconKey, Qt::black);
            return;
        }
    }
}

void LayoutPaneModel::sampleBar() {
    const std::optional<QColor> sampled = m_services ? m_services->sampledBarColor() : std::nullopt;
    const QColor color = sampled.value_or(QColor::fromRgbF(0.2f, 0.2f, 0.2f));
    const bool dark = !m_services || m_services->barIsDark();
    if (color != m_barColor || dark != m_barIsDark) {
        m_barColor = color;
        m_barIsDark = dark;
        Q_EMIT barLookChanged();
    }
}

QString LayoutPaneModel::blurb() const {
    const QString click = m_view ? m_view->model().revealClickPhrase() : u"click"_s;
    return u"Drag an icon to another lane, or right-click it. Shown stays in the bar. Hidden comes "
           u"out when you "_s +
           click + u" Zorv's icon. Always Hidden needs {option} as well."_s;
}

bool LayoutPaneModel::accessibilityBannerShown() const {
    return m_view && !m_view->model().axTrusted();
}

QString LayoutPaneModel::hidingBlockedTitle() const {
    const std::optional<HidingBlockedReason> reason =
        m_view ? m_view->model().hidingBlocked() : std::nullopt;
    if (!reason) {
        return {};
    }
    switch (*reason) {
    case HidingBlockedReason::iconMisseated:
        return u"Putting the menu bar back in order"_s;
    case HidingBlockedReason::displayNotHiding:
        return u"Waiting on this display"_s;
    }
    return {};
}

QStringList LayoutPaneModel::hidingBlockedTexts() const {
    const std::optional<HidingBlockedReason> reason =
        m_view ? m_view->model().hidingBlocked() : std::nullopt;
    if (!reason) {
        return {};
    }
    switch (*reason) {
    case HidingBlockedReason::iconMisseated:
        return {u"macOS moved Zorv's icon to the left of the icons it manages, so Zorv is showing "
                u"everything while it puts the order back. It retries until it works."_s,
                u"If it keeps coming back: hold Command and drag the Zorv icon to the right of "
                u"your other menu bar icons."_s};
    case HidingBlockedReason::displayNotHiding:
        return {u"macOS isn't moving menu bar icons on this display, which happens on some "
                u"AirPlay and Sidecar displays. Zorv keeps trying and picks up again as soon as "
                u"the bar responds."_s};
    }
    return {};
}

bool LayoutPaneModel::iconShown() const {
    return !m_view || !m_view->model().settings().hideZorvIcon;
}

void LayoutPaneModel::setIconShown(bool shown) {
    if (m_view) {
        // Saves (stamping the SAVED tick) and then tells the engine.
        m_view->model().setHideZorvIcon(!shown);
    }
}

QString LayoutPaneModel::ownIconDescription() const {
    if (!m_view) {
        return {};
    }
    const AppModel &model = m_view->model();
    if (model.settings().hideZorvIcon) {
        return u"Hidden. {"_s + model.revealShortcutDisplay() +
               u"} still works. Open Zorv again for Settings."_s;
    }
    return capitalised(model.menuClickPhrase()) + u" it for Zorv's menu; "_s +
           model.revealClickPhrase() + u" it to reveal your hidden items."_s;
}

QString LayoutPaneModel::ownIconHelp() const {
    return iconShown() ? u"Hide Zorv's icon from the menu bar"_s
                       : u"Show Zorv's icon in the menu bar"_s;
}

bool LayoutPaneModel::emptyHintShown() const {
    return m_view && m_view->model().axTrusted() && m_view->model().items().isEmpty();
}

QString LayoutPaneModel::layoutFootnote() const {
    if (!m_view || m_view->model().settings().liveLayout) {
        return u"Your real menu bar follows a moment after you move an icon. The cursor hides "
               u"briefly while it does."_s;
    }
    return u"On-Demand is on: Sort My Bar applies your changes to the real menu bar."_s;
}

QString LayoutPaneModel::diagnostics() const {
    const qsizetype seen = m_view ? m_view->model().items().size() : 0;
    return u"Accessibility "_s + (diagnosticsOk() ? u"on"_s : u"off"_s) + u" · "_s +
           QString::number(seen) + u" menu bar item"_s + (seen == 1 ? QString() : u"s"_s) +
           u" seen"_s;
}

bool LayoutPaneModel::diagnosticsOk() const {
    return m_view && m_view->model().axTrusted();
}

bool LayoutPaneModel::barMode() const {
    return m_view && m_view->model().settings().pixelPerfectIconsEnabled;
}

} // namespace zorv
