#pragma once

#include "processtable.h"

#include <QDateTime>

#include <optional>

namespace zorv {

// When the current user's login session began: the start of that user's earliest "loginwindow"
// process. The app model compares it with the session it last recorded to tell a fresh login
// (where a changed status-item spacing has taken effect) from the session it is still in.
class LoginSession {
public:
    LoginSession() = delete;

    // UTC, to the millisecond; the same instant on every call within one session. Absent when the
    // process table cannot be read or holds no login window of this user.
    [[nodiscard]] static std::optional<QDateTime> startedAt(const ProcessTable &processes);
};

} // namespace zorv
