#pragma once

#include <QString>

namespace zorv {

// Stands in for the file viewer (the Finder): brings it forward with one file selected, so the
// user can find a file the system wrote for them. Main thread.
class FileViewer {
public:
    virtual ~FileViewer() = default;

    virtual void revealFile(const QString &path) = 0;
};

} // namespace zorv
