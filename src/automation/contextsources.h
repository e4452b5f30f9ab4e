#pragma once

namespace zorv {

class FocusStatus;
class PowerSources;
class WifiClient;
class Workspace;

// The system services a rule context is read from; all must outlive whoever reads them.
struct ContextSources {
    Workspace &workspace;
    PowerSources &power;
    WifiClient &wifi;
    FocusStatus &focus;
};

} // namespace zorv
