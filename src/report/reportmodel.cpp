#include "reportmodel.h"

#include "fileviewer.h"
#include "reportbuilder.h"
#include "reportfallback.h"
#include "workspace.h"

#include <QFileInfo>
#include <QPointer>
#include <QUrlQuery>

#include <utility>

using namespace Qt::StringLiterals;

namespace zorv::ReportProblem {

namespace {

QString fileName(const QString &path) {
    return QFileInfo(path).fileName();
}

} // namespace

Model::Model(Config config, Services services, Draft &draft, const QString &text, QObject *parent)
    : QObject(parent), m_config(std::move(config)), m_services(std::move(services)), m_draft(draft),
      m_text(text), m_sendingAllowed(m_config.consent ? m_config.consent->get() : true) {}

void Model::setText(const QString &text) {
    m_draft.text = text;
    if (text == m_text) {
        return;
    }
    const bool couldSend = canSend();
    m_text = text;
    Q_EMIT textChanged();
    notifyCanSend(couldSend);
}

bool Model::hasText() const {
    return !m_text.trimmed().isEmpty();
}

void Model::showPhase(const Phase &phase) {
    setPhase(phase);
}

void Model::setSendingAllowed(bool allowed) {
    const bool couldSend = canSend();
    const bool changed = allowed != m_sendingAllowed;
    m_sendingAllowed = allowed;
    if (m_config.consent) {
        m_config.consent->set(allowed);
    }
    m_config.record(allowed ? u"report sending switched on"_s : u"report sending switched off"_s);
    if (changed) {
        Q_EMIT sendingAllowedChanged();
        notifyCanSend(couldSend);
    }
}

bool Model::canSend() const {
    return std::holds_alternative<Writing>(m_phase) && m_sendingAllowed && hasText();
}

void Model::setCloseAction(std::function<void()> action) {
    m_close = std::move(action);
}

void Model::close() {
    m_close();
}

void Model::send() {
    if (!canSend()) {
        return;
    }
    setPhase(Sending{});
    Contents contents = gather();
    const auto body = Builder::body(contents.text, m_config.appName, contents.installID,
                                    contents.diagnostics, contents.facts, m_services.serialise);
    if (!body) {
        // Nothing goes out: an empty body would only be refused, and the report would be lost
        // with it.
        saveAfterFailure(unpreparedReason, contents);
        return;
    }
    m_config.record(u"sending report"_s);
    m_sending = std::move(contents);
    m_stopSending = CancellationSource();
    upload(request(), *body);
}

Model::Contents Model::gather() const {
    Contents contents;
    contents.facts = Facts::current(m_services.facts);
    contents.installID = m_config.installID();
    contents.diagnostics = m_config.diagnostics();
    contents.text = m_text;
    return contents;
}

QNetworkRequest Model::request() const {
    QNetworkRequest request(m_config.endpoint);
    request.setHeader(QNetworkRequest::ContentTypeHeader, u"application/json"_s);
    request.setRawHeader("X-BC-App-Token", m_config.appToken.toUtf8());
    return request;
}

QCoro::Task<> Model::upload(QNetworkRequest request, QByteArray body) {
    QPointer<Model> self(this);
    const UploadReply reply =
        co_await Uploader::post(&m_services.network, &m_services.clock, std::move(request),
                                std::move(body), m_config.timeout, m_stopSending.token());
    // A report saved at a quit is done with: an answer after that changes nothing.
    if (self && self->m_sending) {
        const Contents contents = *std::exchange(self->m_sending, std::nullopt);
        self->apply(reply, contents);
    }
}

void Model::saveUnanswered() {
    if (!m_sending) {
        return;
    }
    const Contents contents = *std::exchange(m_sending, std::nullopt);
    saveAfterFailure(m_config.appName + u" quit before "_s + makerName + u" answered."_s, contents);
    // The request would otherwise wait past the end of the process for an answer.
    m_stopSending.cancel();
}

void Model::apply(const UploadReply &reply, const Contents &contents) {
    if (reply.failure) {
        saveAfterFailure(u"Could not reach "_s + makerName + u" ("_s + *reply.failure + u")."_s,
                         contents);
        return;
    }
    if (reply.status >= 200 && reply.status <= 299) {
        if (const auto id = Builder::reportID(reply.body)) {
            m_config.record(u"report sent as "_s + *id);
            m_draft.text.clear();
            setPhase(Sent{*id});
            return;
        }
    }
    const auto error = Builder::errorText(reply.body);
    saveAfterFailure(error ? makerName + u" said: "_s + *error + u"."_s
                           : makerName + u" answered "_s + QString::number(reply.status) + u"."_s,
                     contents);
}

void Model::saveAfterFailure(const QString &reason, const Contents &contents) {
    const auto file = saveFallback(contents);
    m_config.record(u"report not sent ("_s + reason + u"); saved "_s +
                    (file ? fileName(*file) : u"nothing"_s));
    if (file) {
        m_draft.text.clear();
        setPhase(Saved{*file, reason});
    } else {
        setPhase(Writing{});
    }
}

std::optional<QString> Model::saveFallback(const Contents &contents) const {
    const QString text = Fallback::text(m_config.appName, contents.facts, contents.installID,
                                        contents.text, contents.diagnostics);
    return Fallback::save(text, m_config.appName, m_services.desktopFolder,
                          m_services.clock.wallNow());
}

void Model::emailInstead() {
    if (!std::holds_alternative<Writing>(m_phase) || !m_config.supportEmail || !hasText()) {
        return;
    }
    const auto file = saveFallback(gather());
    if (!file) {
        return;
    }
    m_config.record(u"report saved for email as "_s + fileName(*file));
    compose(*m_config.supportEmail, m_config.appName + u" problem report"_s, *file);
    m_draft.text.clear();
    setPhase(Emailed{*file});
}

void Model::compose(const QString &to, const QString &subject, const QString &file) {
    // There is no mail sharing service here: the mail program gets a link, and the file is
    // shown so the user can attach it.
    QUrl link;
    link.setScheme(u"mailto"_s);
    link.setPath(to);
    QUrlQuery query;
    query.addQueryItem(u"subject"_s, subject);
    query.addQueryItem(u"body"_s, u"Attached: "_s + fileName(file) + u", from my Desktop."_s);
    link.setQuery(query);
    if (link.isValid()) {
        m_services.workspace.openUrl(link);
    }
    m_services.fileViewer.revealFile(file);
}

void Model::backToWriting() {
    if (!std::holds_alternative<Emailed>(m_phase)) {
        return;
    }
    m_draft.text = m_text;
    m_config.record(u"report back from email"_s);
    setPhase(Writing{});
}

void Model::setPhase(const Phase &phase) {
    if (phase == m_phase) {
        return;
    }
    const bool couldSend = canSend();
    m_phase = phase;
    Q_EMIT phaseChanged();
    notifyCanSend(couldSend);
}

void Model::notifyCanSend(bool before) {
    if (canSend() != before) {
        Q_EMIT canSendChanged();
    }
}

} // namespace zorv::ReportProblem
