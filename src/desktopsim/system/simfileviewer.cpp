#include "simfileviewer.h"

namespace zorv {

void SimFileViewer::revealFile(const QString &path) {
    m_revealed.append(path);
}

} // namespace zorv
