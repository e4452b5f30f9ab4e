#include "reportwindowcontroller.h"

#include "items/itempictures.h"
#include "kit/zorvkit.h"
#include "reportmodel.h"
#include "reportviewmodel.h"
#include "windows/qmlwindow.h"
#include "workspace.h"
#include "zorvreportcontent.h"

#include <QGuiApplication>
#include <QQmlEngine>
#include <QQuickWindow>
#include <QScreen>

using namespace Qt::StringLiterals;

namespace zorv {

using namespace ReportProblem;

namespace {

bool isSending(const Model &model) {
    return std::holds_alternative<Sending>(model.phase());
}

} // namespace

ReportWindowController::ReportWindowController(QQmlEngine &engine, Services services,
                                               Pasteboard &pasteboard, QObject *parent)
    : QObject(parent), m_engine(engine), m_services(std::move(services)), m_pasteboard(pasteboard) {
}

ReportWindowController::~ReportWindowController() {
    // The windows' bindings read the models, which die with this object: windows go first.
    for (const QPointer<QQuickWindow> &window : std::as_const(m_retiredWindows)) {
        delete window.data();
    }
    delete m_window.data();
}

QUrl ReportWindowController::builtInScreensUrl() {
    return QUrl(u"qrc:/Zorv/Report/ReportView.qml"_s);
}

int ReportWindowController::modelsSendingAfterClose() const {
    int count = 0;
    for (const Model *model : findChildren<Model *>(Qt::FindDirectChildrenOnly)) {
        count += model != m_model && isSending(*model) ? 1 : 0;
    }
    return count;
}

void ReportWindowController::show(const Config &config, const std::optional<Phase> &preview) {
    if (m_window) {
        if (m_window->isVisible() && !preview) {
            m_window->requestActivate();
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
    window->resize(size);
    window->setMinimumSize(size);
    window->setMaximumSize(size);
    if (const QScreen *screen = window->screen()) {
        const QRect available = screen->availableGeometry();
        window->setPosition(available.center() - QPoint(size.width() / 2, size.height() / 2));
    }
    model->setCloseAction([target = QPointer<QQuickWindow>(window)] {
        if (target) {
            target->close();
        }
    });
    window->show();
    window->requestActivate();
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
