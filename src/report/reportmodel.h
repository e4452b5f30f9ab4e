#pragma once

#include "reportconfig.h"
#include "reportdraft.h"
#include "reportfacts.h"
#include "reportphase.h"
#include "reportservices.h"
#include "reportuploader.h"

#include <QCoroTask>
#include <QNetworkRequest>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

namespace zorv::ReportProblem {

// One problem report from writing to its end: the text the user writes, the upload with its
// facts and diagnostics, and the fall-backs that keep the report when it cannot be sent (a file
// on the Desktop, or that file handed to mail). A window shows one model; a send in progress
// needs its model kept alive until the phase leaves Sending, even when the window is gone.
// Main thread.
class Model : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(bool hasText READ hasText NOTIFY textChanged)
    Q_PROPERTY(bool canSend READ canSend NOTIFY canSendChanged)
    Q_PROPERTY(bool sendingAllowed READ sendingAllowed WRITE setSendingAllowed NOTIFY
                   sendingAllowedChanged)

public:
    // The maker's name in the reasons a report was not sent.
    static inline const QString makerName = QStringLiteral("Brindlecot");
    // The reason given when the request body could not be written.
    static inline const QString unpreparedReason =
        QStringLiteral("The report could not be put together for sending.");

    // `draft` is the process's one kept draft; `text` is where the user starts.
    Model(Config config, Services services, Draft &draft, const QString &text,
          QObject *parent = nullptr);

    [[nodiscard]] const Config &config() const { return m_config; }

    [[nodiscard]] QString text() const { return m_text; }
    // Also keeps the text as the draft.
    void setText(const QString &text);
    [[nodiscard]] bool hasText() const;

    [[nodiscard]] const Phase &phase() const { return m_phase; }
    // Puts the model straight on a later screen: the preview a window can open with.
    void showPhase(const Phase &phase);

    [[nodiscard]] bool sendingAllowed() const { return m_sendingAllowed; }
    // Stores the choice through the consent, when one is configured, and records it.
    void setSendingAllowed(bool allowed);
    [[nodiscard]] bool canSend() const;

    // Closes the window that shows this model; the window's owner installs the action.
    void setCloseAction(std::function<void()> action);
    Q_INVOKABLE void close();

    // Posts the report; on any failure writes it to the Desktop. Returns at once; nothing
    // unless canSend().
    Q_INVOKABLE void send();
    // Writes the report to the Desktop and hands the file to mail. Nothing unless writing with
    // text and with a support address configured.
    Q_INVOKABLE void emailInstead();
    // Back from the e-mailed screen to writing, the text kept.
    Q_INVOKABLE void backToWriting();
    // For a process about to end: a report whose send is under way is saved as a failed send
    // is, since no answer will come back to it. Nothing in any other phase.
    void saveUnanswered();

Q_SIGNALS:
    void textChanged();
    void phaseChanged();
    void canSendChanged();
    void sendingAllowedChanged();

private:
    // What one send or e-mail carries, read once when it starts.
    struct Contents {
        Facts facts;
        QString installID;
        QString diagnostics;
        QString text;
    };

    [[nodiscard]] Contents gather() const;
    [[nodiscard]] QNetworkRequest request() const;
    QCoro::Task<> upload(QNetworkRequest request, QByteArray body);
    void apply(const UploadReply &reply, const Contents &contents);
    void saveAfterFailure(const QString &reason, const Contents &contents);
    [[nodiscard]] std::optional<QString> saveFallback(const Contents &contents) const;
    void compose(const QString &to, const QString &subject, const QString &file);
    void setPhase(const Phase &phase);
    // Emits canSendChanged when canSend() differs from `before`.
    void notifyCanSend(bool before);

    const Config m_config;
    const Services m_services;
    Draft &m_draft;
    QString m_text;
    Phase m_phase = Writing{};
    // What the send under way carries; set while the phase is Sending.
    std::optional<Contents> m_sending;
    // Ends the send under way once its report is saved without an answer.
    CancellationSource m_stopSending;
    bool m_sendingAllowed = true;
    std::function<void()> m_close = [] {};
};

} // namespace zorv::ReportProblem
