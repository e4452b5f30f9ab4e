#pragma once

#include <QObject>

#include <array>

class QSocketNotifier;

namespace zorv {

// Turns SIGINT and SIGTERM into a Qt signal on the main thread, so that Ctrl-C in a terminal or
// `kill` quits the program the orderly way (stores written, the last picture saved) instead of
// ending it mid-write. The handler only writes the signal's number into a pipe; the notifier on
// the pipe's other end emits received(). Each handler is reset after its first signal, so a second
// Ctrl-C ends a quit that hangs. One instance per process; the handlers are removed with it.
class QuitSignals : public QObject {
    Q_OBJECT

public:
    explicit QuitSignals(QObject *parent = nullptr);
    ~QuitSignals() override;

    // False when the pipe or a handler could not be set up (signals then end the process as
    // they would without this object).
    [[nodiscard]] bool isListening() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPipe();

    std::array<int, 2> m_pipe{-1, -1};
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace zorv
