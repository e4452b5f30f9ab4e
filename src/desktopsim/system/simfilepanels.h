#pragma once

#include "applicationpanel.h"
#include "filepanels.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

// The simulated save and open panels, and the open panel for applications. A test scripts what the
// user will choose, one answer per panel in order; a panel with no scripted answer is handed to the
// presenter (the program's own file panel window), and without one it is cancelled. Every panel
// shown is recorded. Main thread.
class SimFilePanels final : public FilePanels, public ApplicationPanel {
public:
    enum class Kind { save, open, application };
    struct Shown {
        Kind kind;
        // The proposed name of a save panel; empty for an open panel.
        QString suggestedName;

        friend bool operator==(const Shown &, const Shown &) = default;
    };
    // Shows a panel of `kind` and returns the user's choice.
    using Presenter =
        std::function<QCoro::Task<std::optional<QString>>(Kind kind, QString suggestedName)>;

    [[nodiscard]] QCoro::Task<std::optional<QString>>
    chooseSaveFile(QString suggestedName) override;
    [[nodiscard]] QCoro::Task<std::optional<QString>> chooseOpenFile() override;
    [[nodiscard]] QCoro::Task<std::optional<QString>> chooseApplication() override;

    // Script calls: the next panel's answer, a path or nullopt for Cancel.
    void userWillChoose(std::optional<QString> path) { m_answers.append(std::move(path)); }
    void setPresenter(Presenter presenter) { m_presenter = std::move(presenter); }

    [[nodiscard]] QList<Shown> shown() const { return m_shown; }

private:
    QCoro::Task<std::optional<QString>> answer(Kind kind, QString suggestedName);

    QList<std::optional<QString>> m_answers;
    Presenter m_presenter;
    QList<Shown> m_shown;
};

} // namespace zorv
