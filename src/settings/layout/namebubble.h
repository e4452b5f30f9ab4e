#pragma once

#include "cancellation.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

class Clock;

// Which chip of a lane shows its name bubble: the one the pointer has rested on for `waitSeconds`.
// Entering another chip starts its own wait, the shown bubble staying meanwhile; leaving a chip
// takes its own bubble away, never another chip's, and cancels any wait. The wait runs on the
// clock the source gives (no bubble comes without one). Main thread.
class NameBubble : public QObject {
    Q_OBJECT

public:
    static constexpr double waitSeconds = 0.3;
    // The clock to wait on; null while there is none.
    using ClockSource = std::function<Clock *()>;

    explicit NameBubble(ClockSource clock, QObject *parent = nullptr);
    ~NameBubble() override;

    // The key of the chip whose bubble shows.
    [[nodiscard]] const std::optional<QString> &chip() const { return m_chip; }
    // The pointer enters (`inside`) or leaves the chip with `key`; leaving with an empty key
    // takes any bubble away.
    void setHover(const QString &key, bool inside);

Q_SIGNALS:
    void changed();

private:
    static QCoro::Task<> showLater(QPointer<NameBubble> self, QString key, CancellationToken token);
    void show(std::optional<QString> key);

    ClockSource m_clock;
    std::optional<QString> m_chip;
    CancellationSource m_wait;
};

} // namespace zorv
