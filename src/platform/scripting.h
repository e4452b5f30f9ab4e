#pragma once

#include <QString>

#include <memory>
#include <optional>

namespace zorv {

// A script built by Scripting, ready to run.
class CompiledScript {
public:
    virtual ~CompiledScript() = default;

    // Runs the script and waits for it; the error information, or absent when it succeeded.
    virtual std::optional<QString> execute() = 0;
};

// Stands in for the system's script objects (NSAppleScript), through which the application sends
// Apple events to other applications, such as the log-out request to the login window. Main
// thread.
class Scripting {
public:
    virtual ~Scripting() = default;

    // Null when the script object cannot be built from the source.
    [[nodiscard]] virtual std::unique_ptr<CompiledScript> build(const QString &source) = 0;
};

} // namespace zorv
