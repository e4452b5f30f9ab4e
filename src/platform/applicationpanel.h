#pragma once

#include <QCoroTask>
#include <QString>

#include <optional>

namespace zorv {

// Stands in for an open panel limited to applications (NSOpenPanel with the application content
// type), starting in "/Applications" and allowing one selection. Main thread.
class ApplicationPanel {
public:
    virtual ~ApplicationPanel() = default;

    // The chosen application bundle's path; nullopt when the panel was cancelled.
    [[nodiscard]] virtual QCoro::Task<std::optional<QString>> chooseApplication() = 0;
};

} // namespace zorv
