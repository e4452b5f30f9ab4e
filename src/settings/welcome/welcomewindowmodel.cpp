#include "welcomewindowmodel.h"

#include "accessibility.h"
#include "appmodel.h"
#include "clock.h"
#include "modelview.h"

#include <QVariantMap>

using namespace Qt::StringLiterals;

namespace zorv {

WelcomeWindowModel::WelcomeWindowModel(ModelView &view, Clock &clock, Accessibility &accessibility,
                                       QObject *parent)
    : QObject(parent), m_view(view), m_clock(clock), m_accessibility(accessibility),
      m_axTrusted(accessibility.isProcessTrusted()) {
    connect(&m_view, &ModelView::settingsChanged, this, &WelcomeWindowModel::readyLinesChanged);
    connect(this, &WelcomeWindowModel::pageChanged, this, &WelcomeWindowModel::primaryTitleChanged);
    connect(this, &WelcomeWindowModel::axTrustedChanged, this,
            &WelcomeWindowModel::primaryTitleChanged);
}

WelcomeWindowModel::~WelcomeWindowModel() {
    m_poll.cancel();
}

int WelcomeWindowModel::dot() const {
    return m_page == welcomePage || m_page == accessibilityPage ? m_page : readyPage;
}

QString WelcomeWindowModel::primaryTitle() const {
    switch (dot()) {
    case welcomePage:
        return u"Continue"_s;
    case accessibilityPage:
        return m_axTrusted ? u"Continue"_s : u"Continue Anyway"_s;
    default:
        return u"Open Menu Bar Layout"_s;
    }
}

QVariantList WelcomeWindowModel::readyLines() const {
    const GuideContext context = m_view.model().guideContext();
    // The two clicks always do opposite things, as the setting decides.
    const QString reveals = context.clickOpensMenu ? u"Right-click"_s : u"Click"_s;
    const QString opensMenu = context.clickOpensMenu ? u"Click"_s : u"Right-click"_s;
    const auto line = [](const QString &symbol, const QString &text) {
        return QVariantMap{{u"symbol"_s, symbol}, {u"text"_s, text}};
    };
    return {
        line(u"cursorarrow.click"_s,
             reveals + u" Zorv's icon to reveal or hide your hidden items"_s),
        line(u"option"_s, u"Hold {option} as well to include Always Hidden"_s),
        line(u"filemenu.and.selection"_s, opensMenu + u" Zorv's icon for its menu and Settings"_s),
        line(u"rectangle.topthird.inset.filled"_s,
             u"Sort icons into Shown, Hidden and Always Hidden in Menu Bar Layout"_s),
        line(u"keyboard"_s,
             u"{"_s + context.revealShortcut + u"} reveals everything, from any app"_s),
        line(u"magnifyingglass"_s,
             u"{"_s + context.searchShortcut + u"} finds a menu bar item by name"_s),
    };
}

void WelcomeWindowModel::setPage(int page) {
    if (page == m_page) {
        return;
    }
    m_page = page;
    Q_EMIT pageChanged();
}

void WelcomeWindowModel::advance() {
    if (dot() == readyPage) {
        Q_EMIT finished(true);
        return;
    }
    setPage(m_page + 1);
}

void WelcomeWindowModel::back() {
    if (m_page > welcomePage) {
        setPage(m_page - 1);
    }
}

void WelcomeWindowModel::done() {
    if (dot() == readyPage) {
        Q_EMIT finished(false);
    }
}

void WelcomeWindowModel::openAccessibilitySettings() {
    m_view.openAccessibilitySettings();
}

void WelcomeWindowModel::readTrust() {
    const bool trusted = m_accessibility.isProcessTrusted();
    if (trusted != m_axTrusted) {
        m_axTrusted = trusted;
        Q_EMIT axTrustedChanged();
    }
}

void WelcomeWindowModel::startPolling() {
    if (m_polling) {
        return;
    }
    m_polling = true;
    readTrust();
    m_poll = CancellationSource();
    poll(this, m_clock, m_poll.token());
}

void WelcomeWindowModel::stopPolling() {
    m_polling = false;
    m_poll.cancel();
}

QCoro::Task<> WelcomeWindowModel::poll(QPointer<WelcomeWindowModel> self, Clock &clock,
                                       CancellationToken token) {
    while (true) {
        const SleepOutcome outcome = co_await clock.sleep(seconds(pollSeconds), token);
        if (outcome == SleepOutcome::Cancelled || !self) {
            co_return;
        }
        self->readTrust();
    }
}

} // namespace zorv
