#include "reportwindowcontroller.h"

#include "appwindow.h"
#include "items/itempictures.h"
#include "kit/zorvkit.h"
#include "reportmodel.h"
#include "reportviewmodel.h"
#include "windows/qmlwindow.h"
#include "workspace.h"
#include "zorvreportcontent.h"

#include <QQmlEngine>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {

using namespace ReportProblem;

namespace {

bool isSending(const Model &model) {
    return std::holds_alternative<Sending>(model.phase());
}

} // namespace

ReportWindowController::ReportWindowController(QQmlEngine &engine, Services services,
                                               Pasteboard &pasteboard, Presentation presentation,
                                               QObject *parent)
    : QObject(parent), m_engine(engine), m_services(std::move(services)), m_pasteboard(pasteboard),
      m_presentation(std::move(presentation)) {}

ReportWindowController::~ReportWindowController() {
    // The windows' bindings read the models, which die with this object: windows go first.
    m_appWindow.reset();
    for (const QPointer<QQuickWindow> &window : std::as_const(m_retiredWindows)) {
        delete window.data();
    }
    delete m_window.data();
}

QUrl ReportWindowController::builtInScreensUrl() {
    return QUrl(u"qrc:/Zorv/Report/ReportView.qml"_s);
}

WindowStyle ReportWindowController::windowStyle(const Config &config) {
    WindowStyle style;
    style.titled = true;
    style.closable = true;
    if (config.content) {
        style.closeButtonOnly = true;
        style.fullSizeContentView = true;
        style.titlebarTransparent = true;
        style.titleHidden = true;
        style.movableByWindowBackground = true;
    }
    return style;
}

int ReportWindowController::modelsSendingAfterClose() const {
    int count = 0;
    for (const Model *model : findChildren<Model *>(Qt::FindDirectChildrenOnly)) {
        count += model != m_model && isSending(*model) ? 1 : 0;
    }
    return count;
}

void ReportWindowController::saveUnansweredReports() {
    for (Model *model : findChildren<Model *>(Qt::FindDirectChildrenOnly)) {
        model->saveUnanswered();
    }
}

void ReportWindowController::show(const Config &config, const std::optional<Phase> &preview) {
    if (m_window) {
        if (m_appWindow && m_appWindow->isVisible() && !preview) {
            bringForward();
            return;
        }
        retire();
    }

    auto *model = new Model(config, m_services, m_draft, preview ? QString() : m_draft.text, this);
    if (preview) {
        model->showPhase(*preview);
    }
    QUrl url = builtInScreensUrl();
    QString property = u"view"_s;
    QSize size = builtInSize;
    QObject *view = nullptr;
    if (config.content) {
        auto *content =
            new ZorvReportContent(*model, m_services.clock, m_pasteboard, m_services.fileViewer);
        content->setAppIcon(appIconSource());
        view = content;
        url = *config.content;
        property = u"content"_s;
        size = config.contentSize;
    } else {
        view = new ReportViewModel(*model, m_services.fileViewer, m_services.workspace);
    }
    QQuickWindow *window = createWindow(url, {{property, QVariant::fromValue(view)}});
    if (!window) {
        delete view;
        delete model;
        return;
    }
    m_model = model;
    view->setParent(window);
    m_window = window;
    window->setTitle(title);
    window->setMinimumSize(size);
    window->setMaximumSize(size);
    adopt(*window, config, size);
    model->setCloseAction([target = QPointer<AppWindow>(m_appWindow.get())] {
        if (target) {
            target->close();
        }
    });
    bringForward();
}

void ReportWindowController::adopt(QQuickWindow &window, const Config &config, QSize size) {
    m_appWindow = m_presentation.windows.adopt(window);
    m_appWindow->setStyle(windowStyle(config));
    m_appWindow->setContentSize(size);
    m_appWindow->center();
    // Closed from the window system's own title bar: the window server must know it is out.
    AppWindow *server = m_appWindow.get();
    connect(&window, &QWindow::visibleChanged, server, [server](bool visible) {
        if (!visible && server->isVisible()) {
            server->close();
        }
    });
}

void ReportWindowController::bringForward() {
    if (m_presentation.activateApp) {
        m_presentation.activateApp();
    }
    m_appWindow->makeKeyAndOrderFront();
    m_window->requestActivate();
}

QUrl ReportWindowController::appIconSource() const {
    static const QString key = u"report/app-icon"_s;
    ZorvKit *kit = ZorvKit::of(&m_engine);
    const qint32 self = m_services.workspace.currentProcessId();
    for (const RunningApplication &app : m_services.workspace.runningApplications()) {
        if (kit && app.processId == self && !app.icon.isNull()) {
            kit->itemPictures().set(key, app.icon, false);
            return ItemPictures::source(key, QColor());
        }
    }
    return {};
}

QQuickWindow *ReportWindowController::createWindow(const QUrl &url, const QVariantMap &properties) {
    return makeQmlWindow(m_engine, url, properties, u"The report window"_s).release();
}

void ReportWindowController::retire() {
    if (m_appWindow) {
        m_appWindow->close();
        m_appWindow.reset();
    }
    if (m_window) {
        m_window->close();
        // Deferred: the window may be closing from inside its own QML handlers.
        m_window->deleteLater();
        m_retiredWindows.append(m_window);
        m_window = nullptr;
    }
    m_retiredWindows.removeAll(nullptr);
    Model *model = std::exchange(m_model, nullptr);
    if (!model) {
        return;
    }
    model->setCloseAction([] {});
    if (!isSending(*model)) {
        model->deleteLater();
        return;
    }
    connect(model, &Model::phaseChanged, model, [model] {
        if (!isSending(*model)) {
            model->deleteLater();
        }
    });
}

} // namespace zorv
