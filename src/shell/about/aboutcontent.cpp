#include "aboutcontent.h"

#include "buildstamp/build.h"

using namespace Qt::StringLiterals;

namespace zorv {

AboutContent::AboutContent(const Build &build, std::function<void(const QUrl &)> openUrl,
                           QObject *parent)
    : QObject(parent), m_versionText(u"Version %1 (%2)"_s.arg(build.version(), build.sha())),
      m_openUrl(std::move(openUrl)) {}

void AboutContent::openLink(const QString &which) {
    if (!m_openUrl) {
        return;
    }
    if (which == u"product") {
        m_openUrl(productUrl);
    } else if (which == u"maker") {
        m_openUrl(makerUrl);
    }
}

} // namespace zorv
