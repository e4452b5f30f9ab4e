#include "system/simfilepanels.h"

namespace zorv {

QCoro::Task<std::optional<QString>> SimFilePanels::chooseSaveFile(QString suggestedName) {
    co_return co_await answer(Kind::save, std::move(suggestedName));
}

QCoro::Task<std::optional<QString>> SimFilePanels::chooseOpenFile() {
    co_return co_await answer(Kind::open, QString());
}

QCoro::Task<std::optional<QString>> SimFilePanels::chooseApplication() {
    co_return co_await answer(Kind::application, QString());
}

QCoro::Task<std::optional<QString>> SimFilePanels::answer(Kind kind, QString suggestedName) {
    m_shown.append(Shown{kind, suggestedName});
    if (!m_answers.isEmpty()) {
        co_return m_answers.takeFirst();
    }
    if (m_presenter) {
        // Copied first: the presenter may be replaced while its panel is up.
        const Presenter presenter = m_presenter;
        co_return co_await presenter(kind, std::move(suggestedName));
    }
    co_return std::nullopt;
}

} // namespace zorv
