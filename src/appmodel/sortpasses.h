#pragma once

namespace zorv {

// The Sort My Bar passes under way. Each keeps the engine arranging until its pass has ended,
// whatever settings are written meanwhile; switching live arranging off stops them all at once.
// Main thread only.
class SortPasses {
public:
    // One pass, named for its end.
    struct Ticket {
        int round = 0;
    };

    [[nodiscard]] Ticket begin() {
        ++m_underWay;
        return {m_round};
    }
    // A pass that stopAll() already stopped is not counted again.
    void end(Ticket ticket) {
        if (ticket.round == m_round) {
            --m_underWay;
        }
    }
    void stopAll() {
        m_underWay = 0;
        ++m_round;
    }
    [[nodiscard]] bool underWay() const { return m_underWay > 0; }

private:
    int m_underWay = 0;
    int m_round = 0;
};

} // namespace zorv
