#pragma once

#include "clock.h"
#include "reportmodel.h"
#include "reportsheetphase.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

namespace zorv {

class FileViewer;
class Pasteboard;

// This application's report window content: feeds the report sheet from a report model (its
// text, the model's five phases mapped onto the sheet's four screens, the send, close and
// show-file actions) and keeps the sheet's own state, the "Copied" feedback after the report
// number was copied. Main thread.
class ZorvReportContent : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the report window.")
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(Screen screen READ screen NOTIFY phaseChanged)
    Q_PROPERTY(QString reportId READ reportId NOTIFY phaseChanged)
    Q_PROPERTY(QString fileName READ fileName NOTIFY phaseChanged)
    Q_PROPERTY(QString why READ why NOTIFY phaseChanged)
    Q_PROPERTY(bool canSend READ canSend NOTIFY canSendChanged)
    Q_PROPERTY(bool copied READ copied NOTIFY copiedChanged)
    Q_PROPERTY(QUrl appIcon READ appIcon CONSTANT)

public:
    // The sheet's screens, as QML sees ReportSheetPhase::Kind.
    enum class Screen { Sent, Saved, Writing, Sending };
    Q_ENUM(Screen)

    // How long "Copied" shows after a copy.
    static constexpr Duration copiedFeedback = std::chrono::milliseconds(1500);

    // The model, clock and services must outlive the content.
    ZorvReportContent(ReportProblem::Model &model, Clock &clock, Pasteboard &pasteboard,
                      FileViewer &fileViewer, QObject *parent = nullptr);
    ~ZorvReportContent() override;

    // The sheet phase for a model phase; an e-mailed report shows as saved with the mail
    // sentence (naming `supportEmail`, or "support" without one) as its reason.
    [[nodiscard]] static ReportSheetPhase sheetPhase(const ReportProblem::Phase &phase,
                                                     const std::optional<QString> &supportEmail);
    [[nodiscard]] ReportSheetPhase phase() const;

    [[nodiscard]] QString text() const;
    void setText(const QString &text);
    [[nodiscard]] Screen screen() const;
    [[nodiscard]] QString reportId() const { return phase().id; }
    [[nodiscard]] QString fileName() const { return phase().fileName; }
    [[nodiscard]] QString why() const { return phase().why; }
    [[nodiscard]] bool canSend() const;
    [[nodiscard]] bool copied() const { return m_copied; }
    // Where the title strip finds the application's icon; empty for none. Set before the sheet
    // is made.
    [[nodiscard]] QUrl appIcon() const { return m_appIcon; }
    void setAppIcon(const QUrl &source) { m_appIcon = source; }

    Q_INVOKABLE void send();
    Q_INVOKABLE void close();
    // Shows the report file in the file viewer; nothing unless the report is saved or e-mailed.
    Q_INVOKABLE void showFile();
    // Puts the report number on the pasteboard and shows "Copied" for a moment. Each copy
    // schedules its own reset: an earlier one is not put off by a later copy.
    Q_INVOKABLE void copyNumber();

Q_SIGNALS:
    void textChanged();
    void phaseChanged();
    void canSendChanged();
    void copiedChanged();

private:
    QCoro::Task<> resetCopiedLater(CancellationToken lifetime);
    void setCopied(bool copied);

    ReportProblem::Model &m_model;
    Clock &m_clock;
    Pasteboard &m_pasteboard;
    FileViewer &m_fileViewer;
    bool m_copied = false;
    QUrl m_appIcon;
    CancellationSource m_lifetime;
};

} // namespace zorv
