#pragma once

#include "reportmodel.h"

#include <QColor>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace zorv {

class FileViewer;
class Workspace;

// The built-in report screens' view of a report model, for a configuration that brings no
// window content of its own: beside the text and the phase, the consent switch, the e-mail
// fall-back and the report page, each offered only when configured. Main thread.
class ReportViewModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the report window.")
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(bool hasText READ hasText NOTIFY textChanged)
    Q_PROPERTY(Screen screen READ screen NOTIFY phaseChanged)
    Q_PROPERTY(QString reportId READ reportId NOTIFY phaseChanged)
    Q_PROPERTY(QString savedText READ savedText NOTIFY phaseChanged)
    Q_PROPERTY(bool goingBackOffered READ goingBackOffered NOTIFY phaseChanged)
    Q_PROPERTY(bool canSend READ canSend NOTIFY canSendChanged)
    Q_PROPERTY(bool canEmail READ canEmail NOTIFY canSendChanged)
    Q_PROPERTY(bool sendingAllowed READ sendingAllowed WRITE setSendingAllowed NOTIFY
                   sendingAllowedChanged)
    Q_PROPERTY(bool consentOffered READ consentOffered CONSTANT)
    Q_PROPERTY(bool emailOffered READ emailOffered CONSTANT)
    Q_PROPERTY(bool reportPageOffered READ reportPageOffered CONSTANT)
    Q_PROPERTY(QString appName READ appName CONSTANT)
    Q_PROPERTY(QString example READ example CONSTANT)
    Q_PROPERTY(QColor accent READ accent CONSTANT)
    Q_PROPERTY(QColor onAccent READ onAccent CONSTANT)

public:
    enum class Screen { Writing, Sending, Done, Saved };
    Q_ENUM(Screen)

    // The model and the services must outlive the view model.
    ReportViewModel(ReportProblem::Model &model, FileViewer &fileViewer, Workspace &workspace,
                    QObject *parent = nullptr);

    [[nodiscard]] QString text() const { return m_model.text(); }
    void setText(const QString &text) { m_model.setText(text); }
    [[nodiscard]] bool hasText() const { return m_model.hasText(); }
    [[nodiscard]] Screen screen() const;
    [[nodiscard]] QString reportId() const;
    // The saved screen's sentence: the reason, then where the report is, its file name held
    // together by word joiners.
    [[nodiscard]] QString savedText() const;
    [[nodiscard]] bool goingBackOffered() const;
    [[nodiscard]] bool canSend() const { return m_model.canSend(); }
    [[nodiscard]] bool canEmail() const;
    [[nodiscard]] bool sendingAllowed() const { return m_model.sendingAllowed(); }
    void setSendingAllowed(bool allowed) { m_model.setSendingAllowed(allowed); }
    [[nodiscard]] bool consentOffered() const { return m_model.config().consent.has_value(); }
    [[nodiscard]] bool emailOffered() const { return m_model.config().supportEmail.has_value(); }
    [[nodiscard]] bool reportPageOffered() const;
    [[nodiscard]] QString appName() const { return m_model.config().appName; }
    [[nodiscard]] QString example() const { return m_model.config().example; }
    [[nodiscard]] QColor accent() const { return m_model.config().accent; }
    [[nodiscard]] QColor onAccent() const { return m_model.config().onAccent; }

    Q_INVOKABLE void send() { m_model.send(); }
    Q_INVOKABLE void emailInstead() { m_model.emailInstead(); }
    Q_INVOKABLE void backToWriting() { m_model.backToWriting(); }
    Q_INVOKABLE void close() { m_model.close(); }
    Q_INVOKABLE void showFile();
    Q_INVOKABLE void openReportPage();

Q_SIGNALS:
    void textChanged();
    void phaseChanged();
    void canSendChanged();
    void sendingAllowedChanged();

private:
    // The report file of a saved or e-mailed report.
    [[nodiscard]] std::optional<QString> file() const;

    ReportProblem::Model &m_model;
    FileViewer &m_fileViewer;
    Workspace &m_workspace;
};

} // namespace zorv
