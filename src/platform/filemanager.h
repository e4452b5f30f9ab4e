#pragma once

#include <QString>

#include <optional>

namespace zorv {

// Stands in for the file manager calls that install the application: each failing call returns
// the localised description of its error, success returns nothing. Paths are absolute. Main
// thread.
class FileManager {
public:
    virtual ~FileManager() = default;

    [[nodiscard]] virtual bool exists(const QString &path) const = 0;
    [[nodiscard]] virtual bool isWritable(const QString &path) const = 0;
    // Creates the folder with every missing parent; an existing folder is fine.
    [[nodiscard]] virtual std::optional<QString> createFolder(const QString &path) = 0;
    // Copies a file or a folder with everything in it; `to` must not exist.
    [[nodiscard]] virtual std::optional<QString> copyItem(const QString &from,
                                                          const QString &to) = 0;
    // Renames within one volume; `to` must not exist.
    [[nodiscard]] virtual std::optional<QString> moveItem(const QString &from,
                                                          const QString &to) = 0;
    // Deletes for good: a file or a folder with everything in it.
    [[nodiscard]] virtual std::optional<QString> removeItem(const QString &path) = 0;
    // Moves the item into the user's Trash.
    [[nodiscard]] virtual std::optional<QString> trashItem(const QString &path) = 0;
};

} // namespace zorv
