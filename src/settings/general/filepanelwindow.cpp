#include "filepanelwindow.h"

#include "appwindow.h"
#include "windows/qmlwindow.h"
#include "windows/standardwindow.h"

#include <QCoroSignal>
#include <QDir>
#include <QQmlEngine>
#include <QQuickWindow>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {

void FilePanelRequest::choose(const QString &path) {
    if (m_answer) {
        return;
    }
    const QString trimmed = path.trimmed();
    if (!trimmed.isEmpty()) {
        m_answer = QDir::cleanPath(QDir::home().absoluteFilePath(trimmed));
    }
    Q_EMIT finished();
}

void FilePanelRequest::cancel() {
    Q_EMIT finished();
}

FilePanelWindow::FilePanelWindow(QQmlEngine &engine, AppWindows &windows, QString folder,
                                 QObject *parent)
    : QObject(parent), m_engine(engine), m_windows(windows), m_folder(std::move(folder)) {}

QCoro::Task<std::optional<QString>> FilePanelWindow::present(bool saving, QString suggestedName) {
    const QString proposed =
        saving ? QDir(m_folder).filePath(suggestedName) : QDir(m_folder).path() + u'/';
    co_return co_await show(saving, saving ? u"Save the setup as:"_s : u"Open the setup file:"_s,
                            saving ? u"Export Setup"_s : u"Import Setup"_s, proposed);
}

QCoro::Task<std::optional<QString>> FilePanelWindow::presentApplications() {
    co_return co_await show(false, u"Choose an application:"_s, u"Other App"_s,
                            u"/Applications/"_s);
}

QCoro::Task<std::optional<QString>> FilePanelWindow::show(bool saving, QString prompt,
                                                          QString title, QString proposed) {
    auto request = std::make_unique<FilePanelRequest>(saving, prompt, proposed);
    std::unique_ptr<QQuickWindow> created =
        makeQmlWindow(m_engine, QUrl(u"qrc:/Zorv/Settings/general/FilePanelWindow.qml"_s),
                      {{u"request"_s, QVariant::fromValue(request.get())}}, u"The file panel"_s);
    QQuickWindow *window = created.get();
    if (!window) {
        co_return std::nullopt;
    }
    window->setTitle(title);
    std::unique_ptr<AppWindow> onScreen = m_windows.adopt(*window);
    // Closing the panel with its close button cancels it.
    FilePanelRequest *answer = request.get();
    connect(window, &QWindow::visibleChanged, answer, [answer](bool visible) {
        if (!visible) {
            answer->cancel();
        }
    });
    StandardWindow::present(*onScreen, QSizeF(480, 150));
    co_await qCoro(answer, &FilePanelRequest::finished);
    const std::optional<QString> chosen = answer->answer();
    QObject::disconnect(window, nullptr, answer, nullptr);
    onScreen->close();
    co_return chosen;
}

} // namespace zorv
