#include "reportviewmodel.h"

#include "fileviewer.h"
#include "workspace.h"
#include "zorvreportcontent.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace zorv {

using namespace ReportProblem;

ReportViewModel::ReportViewModel(Model &model, FileViewer &fileViewer, Workspace &workspace,
                                 QObject *parent)
    : QObject(parent), m_model(model), m_fileViewer(fileViewer), m_workspace(workspace) {
    connect(&model, &Model::textChanged, this, &ReportViewModel::textChanged);
    connect(&model, &Model::phaseChanged, this, &ReportViewModel::phaseChanged);
    connect(&model, &Model::canSendChanged, this, &ReportViewModel::canSendChanged);
    // Whether e-mail is possible follows the text and the phase, like sending.
    connect(&model, &Model::textChanged, this, &ReportViewModel::canSendChanged);
    connect(&model, &Model::phaseChanged, this, &ReportViewModel::canSendChanged);
    connect(&model, &Model::sendingAllowedChanged, this, &ReportViewModel::sendingAllowedChanged);
}

ReportViewModel::Screen ReportViewModel::screen() const {
    const Phase &phase = m_model.phase();
    if (std::holds_alternative<Sent>(phase)) {
        return Screen::Done;
    }
    if (std::holds_alternative<Saved>(phase) || std::holds_alternative<Emailed>(phase)) {
        return Screen::Saved;
    }
    return std::holds_alternative<Sending>(phase) ? Screen::Sending : Screen::Writing;
}

QString ReportViewModel::reportId() const {
    const auto *sent = std::get_if<Sent>(&m_model.phase());
    return sent ? sent->id : QString();
}

QString ReportViewModel::savedText() const {
    const auto path = file();
    if (!path) {
        return QString();
    }
    const QString why =
        ZorvReportContent::sheetPhase(m_model.phase(), m_model.config().supportEmail).why;
    // A word joiner after each hyphen keeps the file name on one line: it is looked for as a
    // whole on the Desktop.
    const QString name = QFileInfo(*path).fileName().replace(u'-', u"-\u2060"_s);
    return why + u" Everything you wrote, and what "_s + appName() + u" attached, is in "_s + name +
           u" on your Desktop."_s;
}

bool ReportViewModel::goingBackOffered() const {
    return std::holds_alternative<Emailed>(m_model.phase());
}

bool ReportViewModel::canEmail() const {
    return std::holds_alternative<Writing>(m_model.phase()) && m_model.hasText();
}

bool ReportViewModel::reportPageOffered() const {
    return m_model.config().fallbackPage.has_value();
}

void ReportViewModel::showFile() {
    if (const auto path = file()) {
        m_fileViewer.revealFile(*path);
    }
}

void ReportViewModel::openReportPage() {
    if (const auto &page = m_model.config().fallbackPage) {
        m_workspace.openUrl(*page);
    }
}

std::optional<QString> ReportViewModel::file() const {
    const Phase &phase = m_model.phase();
    if (const auto *saved = std::get_if<Saved>(&phase)) {
        return saved->file;
    }
    if (const auto *emailed = std::get_if<Emailed>(&phase)) {
        return emailed->file;
    }
    return std::nullopt;
}

} // namespace zorv
