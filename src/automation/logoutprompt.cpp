#include "logoutprompt.h"

#include "scripting.h"

using namespace Qt::StringLiterals;

namespace zorv {

const QString LogoutPrompt::script =
    u"tell application \"loginwindow\" to \u00ABevent aevtrlgo\u00BB"_s;

bool LogoutPrompt::requestLogout(Scripting &scripting) {
    const std::unique_ptr<CompiledScript> compiled = scripting.build(script);
    if (!compiled) {
        return false;
    }
    return !compiled->execute().has_value();
}

} // namespace zorv
