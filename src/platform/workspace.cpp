#include "workspace.h"

namespace zorv {

Workspace::Workspace(QObject *parent) : QObject(parent) {}

Workspace::~Workspace() = default;

} // namespace zorv
