// The run's end: at the run limit or when the application quits, the stores, the dump, the kept
// positions and the last picture are written once.

#include "desktopapp.h"

#include "desktopdump.h"
#include "keptpositionsfile.h"
#include "simulatedplatform.h"

#include <QPointer>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace zorv {

int DesktopApp::finish() {
    if (m_exitCode) {
        return *m_exitCode;
    }
    m_exitCode = 0;
    // No answer reaches a report still being sent once the process ends.
    m_reports.saveUnansweredReports();
    if (m_model) {
        m_model->flushStoresForTermination(terminationFlushSeconds);
    }
    // The last picture shows the end of the run, not the last layout change.
    for (const QMetaObject::Connection &connection : std::as_const(m_layoutPictures)) {
        disconnect(connection);
    }
    m_layoutPictures.clear();
    m_viewModel.refresh();
    if (!m_options.dumpPath.isEmpty()) {
        if (auto problem = DesktopDump::write(m_platform, m_options.dumpPath, m_menuBarEngine,
                                              m_model.get(), m_viewModel.banner())) {
            qCritical().noquote() << u"Cannot write %1: %2"_s.arg(m_options.dumpPath, *problem);
            m_exitCode = 1;
        }
    }
    // The Mac remembers where a quitting application's items stood, as it does for every other.
    BarItems &items = m_platform.desktop().items();
    items.rememberPositionsOf(m_platform.desktop().applications().currentProcessId());
    if (!m_options.positionsPath.isEmpty()) {
        if (auto problem =
                KeptPositionsFile::write(m_options.positionsPath, items.rememberedPositions())) {
            qCritical().noquote() << u"Cannot write %1: %2"_s.arg(m_options.positionsPath,
                                                                  *problem);
            m_exitCode = 1;
        }
    }
    if (m_screenshots && window()) {
        m_screenshots->saveFinal(savedPicture());
    }
    return *m_exitCode;
}

void DesktopApp::waitForQuitWrites() {
    m_flushPool->waitForDone();
}

QCoro::Task<> DesktopApp::stopAfter(Duration runFor, CancellationToken token) {
    QPointer<DesktopApp> self(this);
    Clock &clock = m_platform.clock();
    if (co_await clock.sleep(runFor, token) == SleepOutcome::Cancelled || !self) {
        co_return;
    }
    // Let what falls due at this very moment happen first: the events and clock ticks that went
    // to sleep before this wait wake first, and the layout passes they ask for run at the next
    // turn after that.
    for (int turn = 0; turn < 2; ++turn) {
        if (co_await clock.sleep(Duration::zero(), token) == SleepOutcome::Cancelled || !self) {
            co_return;
        }
    }
    Q_EMIT finished(finish());
}

} // namespace zorv
