#pragma once

#include <QCoroTask>
#include <QString>

#include <optional>

namespace zorv {

// Stands in for the system's save and open panels (NSSavePanel, NSOpenPanel) limited to JSON
// files: the user picks a file, or cancels. Each call shows one panel and finishes when the user
// has chosen; the result is the chosen file's path, or nullopt when the panel was cancelled.
// Main thread.
class FilePanels {
public:
    virtual ~FilePanels() = default;

    // A save panel proposing `suggestedName` in its name field.
    [[nodiscard]] virtual QCoro::Task<std::optional<QString>>
    chooseSaveFile(QString suggestedName) = 0;
    // An open panel allowing one file.
    [[nodiscard]] virtual QCoro::Task<std::optional<QString>> chooseOpenFile() = 0;
};

} // namespace zorv
