#pragma once

#include "application.h"
#include "model/desktopmodel.h"
#include "script/applicationregistry.h"
#include "windows/simappwindows.h"

#include <QPointer>
#include <QStringList>

namespace zorv {

// This process's application object on the simulated Mac. The activation policy is the one its
// application record carries; activating brings it to the front; hiding orders its windows out
// and hands the front back; the main menu answers key presses while the application is
// frontmost and regular, running the row whose key equivalent matches (the application's own
// responder actions, such as "hide:" or "performClose:", are carried out here). Other responder
// actions go to the first responder in the key window, but for a key equivalent's: that key goes
// on to the key window, whose text controls answer the standard editing keys themselves. Those
// nothing takes are recorded as sent. The event being handled is the model's. The user* calls are
// the script API.
class SimApplication final : public Application {
    Q_OBJECT

public:
    SimApplication(DesktopModel &model, ApplicationRegistry &applications, SimAppWindows &windows);

    [[nodiscard]] ActivationPolicy activationPolicy() const override;
    bool setActivationPolicy(ActivationPolicy policy) override;
    void activate(bool ignoringOtherApps) override;
    [[nodiscard]] bool isActive() const override;
    void hide() override;
    void unhide() override;
    [[nodiscard]] bool isHidden() const override { return m_hidden; }
    void hideOtherApplications() override;
    void unhideAllApplications() override;
    [[nodiscard]] QList<AppWindow *> visibleWindows() const override;
    void terminate() override;
    [[nodiscard]] std::optional<AppEvent> currentEvent() const override;
    [[nodiscard]] std::shared_ptr<const Menu> mainMenu() const override { return m_mainMenu; }
    void setMainMenu(std::shared_ptr<const Menu> menu) override;

    // Runs a chosen row: its action, or its responder action.
    void perform(const MenuItem &item);

    // Script and inspection.
    void userReopens();
    void userOpensUrls(const QList<QUrl> &urls);
    [[nodiscard]] bool isTerminated() const { return m_terminated; }
    [[nodiscard]] bool othersHidden() const { return m_othersHidden; }
    // Responder actions that reached no handler here, in order.
    [[nodiscard]] const QStringList &sentResponderActions() const { return m_sentActions; }

private:
    // The enabled row of the main menu whose key equivalent the key is, while the application
    // has its main menu.
    [[nodiscard]] const MenuItem *keyEquivalentRow(quint16 keyCode, quint64 flags) const;
    void keyReceived(const KeyEvent &event);
    [[nodiscard]] QList<SimAppWindow *> shownWindows() const;
    enum class ChosenBy { Menu, KeyEquivalent };
    void perform(const MenuItem &item, ChosenBy chosenBy);
    void sendResponderAction(const QString &action, ChosenBy chosenBy);

    DesktopModel &m_model;
    ApplicationRegistry &m_applications;
    SimAppWindows &m_windows;
    std::shared_ptr<const Menu> m_mainMenu;
    bool m_hidden = false;
    bool m_othersHidden = false;
    bool m_terminated = false;
    QList<QPointer<SimAppWindow>> m_hiddenWindows;
    QStringList m_sentActions;
};

} // namespace zorv
