#pragma once

#include "settingspane.h"
#include "settingswindowmodel.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QSizeF>
#include <QUrl>

#include <memory>
#include <optional>

class QQmlEngine;

namespace zorv {

class AppWindow;
class AppWindows;
class ModelView;
class SettingsServices;

// The one settings window: made on the first show() and kept afterwards (closing it, with its
// close button or Escape, only orders it out), presented through the window server at its
// standard size. Main thread; the engine, the view, the services and the window server must
// outlive it.
class SettingsWindowController : public QObject {
    Q_OBJECT

public:
    static constexpr QSizeF standardSize{980, 700};
    static constexpr QSize minimumSize{900, 620};

    SettingsWindowController(QQmlEngine &engine, ModelView &view, SettingsServices &services,
                             AppWindows &windows, QObject *parent = nullptr);
    ~SettingsWindowController() override;

    // The view of a pane built outside this library (the rail lists a pane only when it has
    // one). Before the first show().
    void addPane(SettingsPane pane, const QUrl &source);

    // Shows the window, on the model's pending pane when one waits, and brings this application
    // to the front.
    void show();
    // Shows the window on `pane` (through the model's pending pane), or as show() does.
    void open(std::optional<SettingsPane> pane);
    // Orders the window out, as its close button does.
    Q_SLOT void close();

    // The pane on screen while the window is visible, to reopen it after an update relaunch;
    // nullopt otherwise.
    [[nodiscard]] std::optional<QString> paneForUpdate() const;

    [[nodiscard]] QQuickWindow *window() const { return m_window; }
    [[nodiscard]] AppWindow *appWindow() const { return m_appWindow.get(); }
    [[nodiscard]] SettingsWindowModel *model() const { return m_model; }

    // The views of the panes this library draws.
    [[nodiscard]] static QHash<SettingsPane, QUrl> builtInPanes();

private:
    bool make();

    QQmlEngine &m_engine;
    ModelView &m_view;
    SettingsServices &m_services;
    AppWindows &m_windows;
    QHash<SettingsPane, QUrl> m_panes = builtInPanes();
    QPointer<SettingsWindowModel> m_model;
    QPointer<QQuickWindow> m_window;
    std::unique_ptr<AppWindow> m_appWindow;
};

} // namespace zorv
