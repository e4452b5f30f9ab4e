#pragma once

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQmlIntegration>

#include <optional>

class QQmlEngine;

namespace zorv {

class AppWindows;

// One save or open panel on screen: what it asks for, and the user's answer.
class FilePanelRequest : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the file panel window.")
    Q_PROPERTY(bool saving READ saving CONSTANT)
    Q_PROPERTY(QString prompt READ prompt CONSTANT)
    Q_PROPERTY(QString path READ path CONSTANT)

public:
    FilePanelRequest(bool saving, QString prompt, QString path, QObject *parent = nullptr)
        : QObject(parent), m_saving(saving), m_prompt(std::move(prompt)), m_path(std::move(path)) {}

    [[nodiscard]] bool saving() const { return m_saving; }
    // What the panel asks for.
    [[nodiscard]] QString prompt() const { return m_prompt; }
    // The proposed path: the folder and, when saving, the proposed name.
    [[nodiscard]] QString path() const { return m_path; }
    [[nodiscard]] std::optional<QString> answer() const { return m_answer; }

    // A blank path counts as a cancel.
    Q_INVOKABLE void choose(const QString &path);
    Q_INVOKABLE void cancel();

Q_SIGNALS:
    void finished();

private:
    bool m_saving;
    QString m_prompt;
    QString m_path;
    std::optional<QString> m_answer;
};

// This program's save and open panel: a small window on the simulated screen with the file's
// path, Cancel and Save (or Open). Main thread; the engine and the window server must outlive it.
class FilePanelWindow : public QObject {
    Q_OBJECT

public:
    FilePanelWindow(QQmlEngine &engine, AppWindows &windows, QString folder,
                    QObject *parent = nullptr);

    // Shows a panel and finishes with the chosen path, or nullopt when it was cancelled or
    // closed.
    QCoro::Task<std::optional<QString>> present(bool saving, QString suggestedName);
    // An open panel for an application, in "/Applications".
    QCoro::Task<std::optional<QString>> presentApplications();

private:
    QCoro::Task<std::optional<QString>> show(bool saving, QString prompt, QString title,
                                             QString proposed);

    QQmlEngine &m_engine;
    AppWindows &m_windows;
    const QString m_folder;
};

} // namespace zorv
