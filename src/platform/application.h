#pragma once

#include "appwindow.h"
#include "inputevent.h"
#include "menu.h"
#include "runningapplication.h"

#include <QList>
#include <QObject>
#include <QUrl>

#include <memory>
#include <optional>

namespace zorv {

// The event being handled (NSApp.currentEvent) while an action runs: which kind of event, and
// the modifier flags it carried.
struct AppEvent {
    EventType type = EventType::LeftMouseUp;
    quint64 modifierFlags = EventFlags::none;

    friend bool operator==(const AppEvent &, const AppEvent &) = default;
};

// Stands in for this process's application object (NSApplication): its activation policy (a
// regular application has a Dock icon, an app-switcher entry and a main menu; an accessory one
// has none of them), activation, hiding, termination, the event being handled, the main menu,
// and what the system asks of the running application (re-open it, open URLs). Main thread.
class Application : public QObject {
    Q_OBJECT

public:
    explicit Application(QObject *parent = nullptr);
    ~Application() override;

    [[nodiscard]] virtual ActivationPolicy activationPolicy() const = 0;
    // False when the system refuses the policy (nothing changed).
    virtual bool setActivationPolicy(ActivationPolicy policy) = 0;

    // Brings the application to the front; `ignoringOtherApps` takes the front even from the
    // application the user is working in.
    virtual void activate(bool ignoringOtherApps) = 0;
    [[nodiscard]] virtual bool isActive() const = 0;

    // Hiding orders every window out and gives the front to the application active before;
    // unhiding brings them back.
    virtual void hide() = 0;
    virtual void unhide() = 0;
    [[nodiscard]] virtual bool isHidden() const = 0;
    virtual void hideOtherApplications() = 0;
    virtual void unhideAllApplications() = 0;

    // The application's windows on screen now, back to front.
    [[nodiscard]] virtual QList<AppWindow *> visibleWindows() const = 0;

    // Ends the application: willTerminate() is emitted first, then terminated().
    virtual void terminate() = 0;

    // Absent outside an event's handling.
    [[nodiscard]] virtual std::optional<AppEvent> currentEvent() const = 0;

    // The menus a regular application shows at the left of the menu bar while it is active; null
    // for none. Key equivalents of the main menu answer key presses while the application is
    // active.
    [[nodiscard]] virtual std::shared_ptr<const Menu> mainMenu() const = 0;
    virtual void setMainMenu(std::shared_ptr<const Menu> menu) = 0;

Q_SIGNALS:
    // The application is about to end: write what must be written, now.
    void willTerminate();
    // It has ended: the process should exit.
    void terminated();
    // The user opened the running application again (from the Dock or the Finder).
    void reopenRequested(bool hasVisibleWindows);
    // Another process asked the application to open these URLs (its own URL scheme).
    void openUrlsRequested(const QList<QUrl> &urls);
};

} // namespace zorv
