#pragma once

#include <QCoroTask>
#include <QString>

#include <functional>
#include <optional>

namespace zorv {

// The launch's steps that belong to other parts of the application, in the words of the launch
// sequence that orders them.
class LaunchSteps {
public:
    virtual ~LaunchSteps() = default;

    // Dresses the status item and starts answering its clicks.
    virtual void configureIcon() = 0;
    // Logs the engine's refusals to tuck.
    virtual void installTuckRefusedLog() = 0;
    // Creates and starts the update driver.
    virtual void startUpdates() = 0;
    // Connects the model's requests to the shell (shortcuts, Dock presence, the tour).
    virtual void installModelCallbacks() = 0;
    virtual QCoro::Task<> startModel() = 0;
    virtual void registerHotKeys() = 0;
    // The pane an update's relaunch asked to reopen (the marker is consumed).
    [[nodiscard]] virtual std::optional<QString> consumeSettingsReturn() = 0;
    // Whether the application runs from an Applications folder.
    [[nodiscard]] virtual bool isInstalled() = 0;
    // Offers the move into Applications; `onDismissed` runs once the offer is gone.
    virtual void showMoveOffer(std::function<void()> onDismissed) = 0;
    [[nodiscard]] virtual bool isTrusted() = 0;
    // The system's prompt to grant the Accessibility permission.
    virtual void promptForTrust() = 0;
};

} // namespace zorv
