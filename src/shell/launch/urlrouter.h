#pragma once

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

namespace zorv {

class AppModel;
class ShellWindows;

// Answers the "zorv" URL scheme: "zorv://settings/<pane>" opens the settings window on that pane
// ("layout" and "menu-bar-layout" mean the arrange pane, "style" and "menu-bar-style" the
// appearance pane; scheme, host and word are compared in lower case), "zorv://settings" opens it
// as it is; any other URL is ignored. Main thread.
class UrlRouter {
public:
    // The pane word a URL asks the settings window for: nullopt for a URL that is not ours, an
    // empty optional inside for "open as it is".
    struct Route {
        std::optional<QString> pane;
        friend bool operator==(const Route &, const Route &) = default;
    };

    UrlRouter(AppModel &model, ShellWindows &windows);

    [[nodiscard]] static std::optional<Route> route(const QUrl &url);
    void open(const QList<QUrl> &urls);

private:
    AppModel &m_model;
    ShellWindows &m_windows;
};

} // namespace zorv
