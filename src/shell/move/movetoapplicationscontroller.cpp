#include "movetoapplicationscontroller.h"

#include "about/appicon.h"
#include "appmodel.h"
#include "appwindow.h"
#include "move/moveoffer.h"
#include "windows/qmlwindow.h"
#include "windows/standardwindow.h"

#include <QQmlEngine>
#include <QQmlProperty>

using namespace Qt::StringLiterals;

namespace zorv {

MoveToApplicationsController::MoveToApplicationsController(AppModel *model, Services services,
                                                           QObject *parent)
    : QObject(parent), m_model(model), m_services(std::move(services)) {}

MoveToApplicationsController::~MoveToApplicationsController() {
    m_appWindow.reset();
    delete m_window;
}

QUrl MoveToApplicationsController::viewUrl() {
    return QUrl(u"qrc:/Zorv/Shell/move/MoveView.qml"_s);
}

bool MoveToApplicationsController::shouldOffer(const AppModel &model,
                                               const BundleLocation &location) {
    return !model.settings().moveToApplicationsDeclined && !ApplicationsMove::isInstalled(location);
}

void MoveToApplicationsController::show() {
    if (!m_window) {
        const QPointer<MoveToApplicationsController> self(this);
        auto *offer = new MoveOffer(
            ApplicationsMove::sourceFolderName(m_services.move.location),
            [self]() -> std::optional<QString> {
                if (!self) {
                    return std::nullopt;
                }
                ApplicationsMove mover(self->m_services.move);
                return mover.performMove();
            },
            [self] {
                if (!self) {
                    return;
                }
                if (self->m_model) {
                    self->m_model->declineMoveToApplications();
                }
                self->dismiss();
            });
        QQuickWindow *window =
            makeQmlWindow(m_services.engine, viewUrl(),
                          {{u"offer"_s, QVariant::fromValue(offer)},
                           {u"iconSource"_s, AppIcon::source(m_services.engine, m_services.icon)}},
                          u"The move offer"_s)
                .release();
        if (!window) {
            delete offer;
            return;
        }
        offer->setParent(window);
        window->setTitle(windowTitle);
        m_window = window;
        m_appWindow = m_services.windows.adopt(*window);
        // Titled only: none of its title-bar buttons works. It floats over other windows.
        WindowStyle style = m_appWindow->style();
        style.titled = true;
        style.level = WindowLevel::floating;
        m_appWindow->setStyle(style);
        // The window takes the size of its content, which grows when a failure is shown.
        fitContent();
        QQmlProperty(window, u"contentSize"_s).connectNotifySignal(this, SLOT(fitContent()));
    }
    if (m_services.activateApp) {
        m_services.activateApp();
    }
    StandardWindow::present(*m_appWindow, std::nullopt);
}

void MoveToApplicationsController::fitContent() {
    if (m_appWindow && m_window) {
        m_appWindow->setContentSize(m_window->property("contentSize").toSizeF());
    }
}

void MoveToApplicationsController::dismiss() {
    if (m_window) {
        m_appWindow.reset();
        m_window->close();
        m_window->deleteLater();
        m_window = nullptr;
    }
    if (onDismissed) {
        onDismissed();
    }
}

} // namespace zorv
