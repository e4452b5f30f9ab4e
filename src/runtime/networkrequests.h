#pragma once

#include <QObject>

#include <memory>
#include <optional>

namespace zorv {

// Accounts for the requests to a server that the program awaits, so that a manual clock in
// fast-forward mode holds still until they are answered, as it does for worker jobs: an answer
// that takes a second of real time is heard before simulated time runs on to the request's own
// time limit or to anything else due later. Such a request counts its limit with
// Clock::sleepForNetwork(), which then passes in real time. Main thread.
class NetworkRequests {
public:
    // One request, from its creation until the token goes.
    class Outstanding {
    public:
        Outstanding();
        ~Outstanding();
        Outstanding(const Outstanding &) = delete;
        Outstanding &operator=(const Outstanding &) = delete;
    };

    NetworkRequests() = delete;

    // Requests outstanding now.
    [[nodiscard]] static int outstanding();

    // Counts `request` (a network reply) as outstanding until it emits `finished` or is
    // destroyed, whichever comes first.
    template <typename Request, typename Finished>
    static void countUntil(Request *request, Finished finished) {
        auto held = std::make_shared<std::optional<Outstanding>>(std::in_place);
        // The connection holds the token: it goes with the request, or when the request ends.
        QObject::connect(request, finished, request, [held] { held->reset(); });
    }
};

} // namespace zorv
