#include "updaterwindow.h"

#include "clippedtext.h"
#include "releasenotes.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

// One line of at most `length` characters from the feed: line breaks and runs of blanks become
// single spaces.
QString clipped(const QString &text, qsizetype length) {
    return clippedText(text.simplified(), length);
}

QString shownVersion(const QString &version, const UpdaterWindow::VersionDisplay &display) {
    return clipped(display ? display(version) : version, UpdaterWindow::maximumVersionLength);
}

} // namespace

UpdaterWindow UpdaterWindow::updateFound(const AppcastItem &item, const QString &appName,
                                         const QString &current, const VersionDisplay &display) {
    UpdaterWindow window;
    window.kind = Kind::UpdateFound;
    window.headline = u"A new version of %1 is available!"_s.arg(appName);
    window.message =
        u"%1 %2 is now available—you have %3. Would you like to download it now?"_s.arg(
            appName, shownVersion(item.displayVersionString, display),
            shownVersion(current, display));
    window.notesTitle = clipped(item.title, maximumTitleLength);
    window.releaseNotes = ReleaseNotes::plainText(item.itemDescription);
    return window;
}

UpdaterWindow UpdaterWindow::upToDate(const QString &appName, const QString &current,
                                      const VersionDisplay &display) {
    UpdaterWindow window;
    window.kind = Kind::UpToDate;
    window.headline = u"You're up to date!"_s;
    window.message = u"%1 %2 is currently the newest version available."_s.arg(
        appName, shownVersion(current, display));
    return window;
}

UpdaterWindow UpdaterWindow::error(const UpdaterError &error) {
    UpdaterWindow window;
    window.kind = Kind::Error;
    window.headline = u"Update Error!"_s;
    // A server's or a reply's wording can reach the description.
    window.message = clipped(error.description, 2 * maximumTitleLength);
    if (window.message.isEmpty()) {
        window.message = u"An error occurred while checking for updates."_s;
    }
    return window;
}

} // namespace zorv
