// AppModel's persistence: each value to its store and on to iCloud, and the bounded flush of
// every store when the application quits.

#include "appmodel.h"

#include "modelsync.h"
#include "systemlog.h"
#include "terminationflush.h"

#include <QtDebug>

using namespace Qt::StringLiterals;

namespace zorv {

void AppModel::persistSettings() {
    // Before start() the settings are the defaults, not the user's: writing them would replace
    // the user's file.
    if (!m_settingsLoaded) {
        m_services.systemLog.write(u"Zorv: a settings change before the settings were loaded "
                                   u"was not saved"_s);
        return;
    }
    stampLastSaved();
    m_settingsStore.set(m_settings);
    m_sync->pushToCloud();
}

void AppModel::persistProfiles() {
    m_profilesStore.set(m_profiles);
    m_sync->pushToCloud();
}

void AppModel::persistTriggers() {
    m_triggersStore.set(m_triggers);
    m_sync->pushToCloud();
    if (m_runner) {
        m_runner->evaluate(m_triggers.rules, m_automationContext);
    }
}

void AppModel::flushStoresForTermination(double timeoutSeconds) {
    TerminationFlush flush(m_services.flushPool);
    flush.add(m_layoutStore);
    flush.add(m_settingsStore);
    flush.add(m_profilesStore);
    flush.add(m_triggersStore);
    if (!flush.run(timeoutSeconds)) {
        qWarning() << "AppModel: the stores were still being written when quitting could wait no "
                      "longer than"
                   << timeoutSeconds << "s";
    }
}

} // namespace zorv
