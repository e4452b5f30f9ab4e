#include "zorvreportcontent.h"

#include "fileviewer.h"
#include "pasteboard.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorv {

using namespace ReportProblem;

ZorvReportContent::ZorvReportContent(Model &model, Clock &clock, Pasteboard &pasteboard,
                                     FileViewer &fileViewer, QObject *parent)
    : QObject(parent), m_model(model), m_clock(clock), m_pasteboard(pasteboard),
      m_fileViewer(fileViewer) {
    connect(&model, &Model::textChanged, this, &ZorvReportContent::textChanged);
    connect(&model, &Model::phaseChanged, this, &ZorvReportContent::phaseChanged);
    connect(&model, &Model::canSendChanged, this, &ZorvReportContent::canSendChanged);
}

ZorvReportContent::~ZorvReportContent() {
    m_lifetime.cancel();
}

ReportSheetPhase ZorvReportContent::sheetPhase(const Phase &phase,
                                               const std::optional<QString> &supportEmail) {
    using Kind = ReportSheetPhase::Kind;
    if (const auto *sent = std::get_if<Sent>(&phase)) {
        return {.kind = Kind::Sent, .id = sent->id};
    }
    if (const auto *saved = std::get_if<Saved>(&phase)) {
        return {
            .kind = Kind::Saved, .fileName = QFileInfo(saved->file).fileName(), .why = saved->why};
    }
    if (const auto *emailed = std::get_if<Emailed>(&phase)) {
        return {.kind = Kind::Saved,
                .fileName = QFileInfo(emailed->file).fileName(),
                .why = u"A new mail to "_s + supportEmail.value_or(u"support"_s) +
                       u" has the report attached."_s};
    }
    return {.kind = std::holds_alternative<Sending>(phase) ? Kind::Sending : Kind::Writing};
}

ReportSheetPhase ZorvReportContent::phase() const {
    return sheetPhase(m_model.phase(), m_model.config().supportEmail);
}

QString ZorvReportContent::text() const {
    return m_model.text();
}

void ZorvReportContent::setText(const QString &text) {
    m_model.setText(text);
}

ZorvReportContent::Screen ZorvReportContent::screen() const {
    return static_cast<Screen>(phase().kind);
}

bool ZorvReportContent::canSend() const {
    return m_model.canSend();
}

void ZorvReportContent::send() {
    m_model.send();
}

void ZorvReportContent::close() {
    m_model.close();
}

void ZorvReportContent::showFile() {
    const Phase &phase = m_model.phase();
    if (const auto *saved = std::get_if<Saved>(&phase)) {
        m_fileViewer.revealFile(saved->file);
    } else if (const auto *emailed = std::get_if<Emailed>(&phase)) {
        m_fileViewer.revealFile(emailed->file);
    }
}

void ZorvReportContent::copyNumber() {
    const ReportSheetPhase current = phase();
    if (current.kind != ReportSheetPhase::Kind::Sent) {
        return;
    }
    m_pasteboard.setPlainText(current.id);
    setCopied(true);
    resetCopiedLater(m_lifetime.token());
}

QCoro::Task<> ZorvReportContent::resetCopiedLater(CancellationToken lifetime) {
    // A cancelled sleep means the content is gone: touch nothing of it.
    const SleepOutcome outcome = co_await m_clock.sleep(copiedFeedback, lifetime);
    if (outcome == SleepOutcome::Elapsed) {
        setCopied(false);
    }
}

void ZorvReportContent::setCopied(bool copied) {
    if (copied == m_copied) {
        return;
    }
    m_copied = copied;
    Q_EMIT copiedChanged();
}

} // namespace zorv
