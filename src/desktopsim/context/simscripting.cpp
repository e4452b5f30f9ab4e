#include "context/simscripting.h"

using namespace Qt::StringLiterals;

namespace zorv {

class SimScripting::Script final : public CompiledScript {
public:
    Script(SimScripting &host, QString source) : m_host(host), m_source(std::move(source)) {}

    std::optional<QString> execute() override {
        if (m_host.m_outcome == Outcome::Refused) {
            return u"Not authorised to send Apple events to loginwindow. (-1743)"_s;
        }
        m_host.m_ran.append(m_source);
        if (m_source.contains(u"\u00ABevent aevtrlgo\u00BB"_s) &&
            m_source.contains(u"loginwindow")) {
            ++m_host.m_logouts;
        }
        return std::nullopt;
    }

private:
    SimScripting &m_host;
    QString m_source;
};

std::unique_ptr<CompiledScript> SimScripting::build(const QString &source) {
    if (m_outcome == Outcome::CannotBuild) {
        return nullptr;
    }
    return std::make_unique<Script>(*this, source);
}

} // namespace zorv
