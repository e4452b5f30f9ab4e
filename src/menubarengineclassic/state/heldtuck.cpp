#include "heldtuck.h"

#include "clock.h"
#include "openmenus.h"

#include <utility>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// How often the menus are looked at while a tuck is held.
constexpr double kLookStep = 0.25;

bool askedByTheUser(const QString &reason) {
    return reason == u"toggle"_s || reason == u"request"_s || reason == u"retry-hiding"_s;
}

} // namespace

HeldTuck::HeldTuck(const OpenMenus &menus, Clock &clock, Tuck tuck)
    : m_menus(menus), m_clock(clock), m_tuck(std::move(tuck)) {}

bool HeldTuck::hold(const QString &reason) {
    if (askedByTheUser(reason) || !m_menus.anyOpen()) {
        return false;
    }
    m_reason = reason;
    // The watch under way makes the latest tuck held.
    if (m_watch.isPending()) {
        return true;
    }
    auto watch = [this](CancellationToken token) -> QCoro::Task<> {
        // Cancelled once this object is gone: looked at before anything else after each sleep.
        while (!token.isCancelled() && m_reason) {
            if (!m_menus.anyOpen()) {
                co_await m_tuck(*std::exchange(m_reason, std::nullopt));
                co_return;
            }
            co_await m_clock.sleep(seconds(kLookStep), token);
        }
    };
    m_watch.start(std::move(watch));
    return true;
}

void HeldTuck::drop() {
    m_reason.reset();
    m_watch.cancel();
}

} // namespace zorv
