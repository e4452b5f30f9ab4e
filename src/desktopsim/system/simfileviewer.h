#pragma once

#include "fileviewer.h"

#include <QStringList>

namespace zorv {

// The simulated Finder: records every file it was asked to show, instead of showing it.
// Main thread.
class SimFileViewer final : public FileViewer {
public:
    void revealFile(const QString &path) override;

    // Every revealed path, oldest first.
    [[nodiscard]] QStringList revealedFiles() const { return m_revealed; }

private:
    QStringList m_revealed;
};

} // namespace zorv
