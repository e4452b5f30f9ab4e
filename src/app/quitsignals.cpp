#include "quitsignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zorv {

namespace {

constexpr std::array<int, 2> quitSignals{SIGINT, SIGTERM};

// The write end of the pipe, read by the handler; -1 while no instance listens.
volatile std::sig_atomic_t writeEnd = -1;

extern "C" void onQuitSignal(int signalNumber) {
    const int savedErrno = errno;
    const int fd = writeEnd;
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(signalNumber);
        // A full pipe already holds a pending quit: dropping this one loses nothing.
        (void)::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

bool setHandler(int signalNumber, void (*handler)(int), int flags) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = flags;
    return ::sigaction(signalNumber, &action, nullptr) == 0;
}

} // namespace

QuitSignals::QuitSignals(QObject *parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, m_pipe.data()) != 0) {
        m_pipe = {-1, -1};
        return;
    }
    writeEnd = m_pipe[1];
    for (int signalNumber : quitSignals) {
        if (!setHandler(signalNumber, onQuitSignal, SA_RESTART | SA_RESETHAND)) {
            for (int installed : quitSignals) {
                setHandler(installed, SIG_DFL, 0);
            }
            return;
        }
    }
    m_notifier = new QSocketNotifier(m_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitSignals::readPipe);
}

QuitSignals::~QuitSignals() {
    for (int signalNumber : quitSignals) {
        setHandler(signalNumber, SIG_DFL, 0);
    }
    writeEnd = -1;
    for (int fd : m_pipe) {
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

void QuitSignals::readPipe() {
    unsigned char byte = 0;
    while (::read(m_pipe[0], &byte, 1) == 1) {
        Q_EMIT received(byte);
    }
}

} // namespace zorv
