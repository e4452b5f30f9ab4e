#pragma once

#include "cancellation.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

namespace zorv {

class Clock;

// Where a drag over a lane would land, as the lane shows it: the insertion caret at a place among
// the chips, with the lane highlighted while it shows. It vanishes `fadeSeconds` after the last
// update unless another renews it, so a drag that stops reporting leaves nothing behind, and at
// once when the drag leaves or drops. The wait runs on the clock the source gives (no caret
// fades without one). Main thread.
class DropCaret : public QObject {
    Q_OBJECT

public:
    static constexpr double fadeSeconds = 0.8;
    // The clock to wait on; null while there is none.
    using ClockSource = std::function<Clock *()>;

    explicit DropCaret(ClockSource clock, QObject *parent = nullptr);
    ~DropCaret() override;

    // The place among the chips the caret shows at; nothing while it does not show.
    [[nodiscard]] std::optional<int> place() const { return m_place; }
    // Shows the caret at `place` and restarts its fading, or takes it away for nothing.
    void touch(std::optional<int> place);

Q_SIGNALS:
    void changed();

private:
    static QCoro::Task<> fadeLater(QPointer<DropCaret> self, CancellationToken token);

    ClockSource m_clock;
    std::optional<int> m_place;
    CancellationSource m_fade;
};

} // namespace zorv
