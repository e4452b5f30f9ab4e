#pragma once

#include <QString>

namespace zorv {

// The one per-user folder that holds every file Zorv keeps (~/.local/share/Zorv), and its backups
// subfolder. Every read makes sure the folder exists, so a folder deleted while Zorv runs comes
// back at the next access; a failure to create it is not reported here but shows when a file in
// it cannot be written. Holds no state: safe from any thread.
class ZorvPaths {
public:
    ZorvPaths() = delete;

    [[nodiscard]] static QString root();
    [[nodiscard]] static QString backups();
    // The file `name` in root(); nothing is created for the file itself.
    [[nodiscard]] static QString file(const QString &name);
};

} // namespace zorv
