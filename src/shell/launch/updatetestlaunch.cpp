#include "launch/updatetestlaunch.h"

#include "shellwindows.h"
#include "systemlog.h"

using namespace Qt::StringLiterals;

namespace zorv {

bool UpdateTestLaunch::isUpdateTest(const std::optional<QString> &feed,
                                    const QString &runningBundleIdentifier) {
    return feed.has_value() || runningBundleIdentifier == bundleIdentifier;
}

QString UpdateTestLaunch::checkingLine(const QString &feed) {
    return u"Zorv update test: checking "_s + feed;
}

void UpdateTestLaunch::didFinishLaunching(const LaunchArguments &arguments,
                                          const std::optional<QString> &feed, ShellWindows &windows,
                                          SystemLog &log,
                                          const std::function<void()> &checkInteractively) {
    if (arguments.showAbout) {
        windows.showAbout();
    }
    if (feed) {
        log.write(checkingLine(*feed));
        checkInteractively();
    }
}

} // namespace zorv
