#pragma once

#include "reportconfig.h"
#include "reportdraft.h"
#include "reportmodel.h"
#include "reportphase.h"
#include "reportservices.h"

#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QSize>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

class QQmlEngine;

namespace zorv {

class AppWindow;
class AppWindows;
class Pasteboard;
class ZorvReportContent;
struct WindowStyle;

// The one problem-report window, a window of the window server. show() brings this application
// to the front with a visible window made key in front of the others, or with a new window over
// a new report model that starts from the kept draft (or on a preview screen), centred on its
// screen. Models are owned here, outside the QML engine: a model whose send is under way when its
// window goes lives on until the send has ended, so a failed send still writes its file. Main
// thread.
class ReportWindowController : public QObject {
    Q_OBJECT

public:
    // The window title.
    static inline const QString title = QStringLiteral("Report a Problem");
    // The size of the built-in screens' window.
    static constexpr QSize builtInSize{520, 400};

    // Where the window is shown: the window server's side of windows, and the activation of this
    // application (optional).
    struct Presentation {
        AppWindows &windows;
        std::function<void()> activateApp;
    };

    // The engine, the services and the window server must outlive the controller.
    ReportWindowController(QQmlEngine &engine, ReportProblem::Services services,
                           Pasteboard &pasteboard, Presentation presentation,
                           QObject *parent = nullptr);
    ~ReportWindowController() override;

    // Shows the report window for `config`. A visible window without a preview asked for is
    // only brought forward, keeping its text and phase; otherwise a new window replaces it,
    // starting from the draft, or with empty text on the `preview` screen.
    void show(const ReportProblem::Config &config,
              const std::optional<ReportProblem::Phase> &preview = std::nullopt);

    // The window last made (possibly closed), its window-server side, and its model.
    [[nodiscard]] QQuickWindow *window() const { return m_window; }
    [[nodiscard]] AppWindow *appWindow() const { return m_appWindow.get(); }
    [[nodiscard]] ReportProblem::Model *model() const { return m_model; }
    [[nodiscard]] const ReportProblem::Draft &draft() const { return m_draft; }
    // Models kept alive only because their send is under way.
    [[nodiscard]] int modelsSendingAfterClose() const;
    // For a process about to end: every report still being sent, in a window or not, is saved
    // to the Desktop as a failed send is.
    void saveUnansweredReports();

    // The window of the built-in screens, for configurations without content.
    [[nodiscard]] static QUrl builtInScreensUrl();
    // The built-in screens get a plain titled window with a close button; content of the
    // configuration's own draws its title strip under a transparent title bar that shows only
    // the close button, and the window moves by its background.
    [[nodiscard]] static WindowStyle windowStyle(const ReportProblem::Config &config);

private:
    // Lets the current window and its model go; a model that is sending stays until it ends.
    void retire();
    [[nodiscard]] QQuickWindow *createWindow(const QUrl &url, const QVariantMap &properties);
    // Hands the new window to the window server at `size`, centred.
    void adopt(QQuickWindow &window, const ReportProblem::Config &config, QSize size);
    void bringForward();
    // This application's icon, served through the kit's pictures; empty when it has none or no
    // kit is installed.
    [[nodiscard]] QUrl appIconSource() const;

    QQmlEngine &m_engine;
    const ReportProblem::Services m_services;
    Pasteboard &m_pasteboard;
    Presentation m_presentation;
    ReportProblem::Draft m_draft;
    // Windows own their content; models are children of this controller and outlive both.
    QPointer<QQuickWindow> m_window;
    std::unique_ptr<AppWindow> m_appWindow;
    QList<QPointer<QQuickWindow>> m_retiredWindows;
    QPointer<ReportProblem::Model> m_model;
};

} // namespace zorv
