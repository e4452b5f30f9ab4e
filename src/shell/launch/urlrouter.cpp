#include "launch/urlrouter.h"

#include "appmodel.h"
#include "shellwindows.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace zorv {

UrlRouter::UrlRouter(AppModel &model, ShellWindows &windows) : m_model(model), m_windows(windows) {}

std::optional<UrlRouter::Route> UrlRouter::route(const QUrl &url) {
    if (url.scheme().toLower() != u"zorv"_s || url.host().toLower() != u"settings"_s) {
        return std::nullopt;
    }
    const QStringList parts = url.path().split(u'/');
    const QString word = parts.size() > 1 ? parts[1].toLower() : QString();
    static const QHash<QString, QString> aliases{{u"layout"_s, u"arrange"_s},
                                                 {u"menu-bar-layout"_s, u"arrange"_s},
                                                 {u"style"_s, u"appearance"_s},
                                                 {u"menu-bar-style"_s, u"appearance"_s}};
    if (const auto alias = aliases.constFind(word); alias != aliases.constEnd()) {
        return Route{*alias};
    }
    if (word.isEmpty()) {
        return Route{std::nullopt};
    }
    return Route{word};
}

void UrlRouter::open(const QList<QUrl> &urls) {
    for (const QUrl &url : urls) {
        const auto target = route(url);
        if (!target) {
            continue;
        }
        m_model.setPendingSettingsPane(target->pane);
        m_windows.openSettings(std::nullopt);
    }
}

} // namespace zorv
