#pragma once

#include <QObject>
#include <QString>
#include <QVariant>
#include <QtQmlIntegration>

namespace zorv {

class AppModel;

// The preferences as the settings panes and onboarding read and write them, one property per
// field. Each write goes through the model's setter for it, which saves the settings and applies
// the change (to the engine, the gestures, the hot keys, the Dock, the login items or sync). A
// shortcut is {keyCode, modifiers} or null, the spacing a number of points or null; a value of
// another shape is refused and leaves the setting as it was. Every property signals `changed`
// whenever the model's settings do. Main thread; the model must outlive it.
class SettingsProperties : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Part of the model view.")

    Q_PROPERTY(
        double autoRehideSeconds READ autoRehideSeconds WRITE setAutoRehideSeconds NOTIFY changed)
    Q_PROPERTY(bool revealOnHover READ revealOnHover WRITE setRevealOnHover NOTIFY changed)
    Q_PROPERTY(bool revealOnScroll READ revealOnScroll WRITE setRevealOnScroll NOTIFY changed)
    Q_PROPERTY(bool liveLayout READ liveLayout WRITE setLiveLayout NOTIFY changed)
    Q_PROPERTY(
        bool pixelPerfectIcons READ pixelPerfectIcons WRITE setPixelPerfectIcons NOTIFY changed)
    Q_PROPERTY(
        bool iconClickOpensMenu READ iconClickOpensMenu WRITE setIconClickOpensMenu NOTIFY changed)
    Q_PROPERTY(bool hideZorvIcon READ hideZorvIcon WRITE setHideZorvIcon NOTIFY changed)
    Q_PROPERTY(bool showInDockAndSwitcher READ showInDockAndSwitcher WRITE setShowInDockAndSwitcher
                   NOTIFY changed)
    Q_PROPERTY(bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY changed)
    Q_PROPERTY(bool secondaryBarEnabled READ secondaryBarEnabled WRITE setSecondaryBarEnabled NOTIFY
                   changed)
    Q_PROPERTY(QVariant revealShortcut READ revealShortcut WRITE setRevealShortcut NOTIFY changed)
    Q_PROPERTY(QVariant searchShortcut READ searchShortcut WRITE setSearchShortcut NOTIFY changed)
    Q_PROPERTY(QString revealShortcutDisplay READ revealShortcutDisplay NOTIFY changed)
    Q_PROPERTY(QString searchShortcutDisplay READ searchShortcutDisplay NOTIFY changed)
    Q_PROPERTY(QString revealClickPhrase READ revealClickPhrase NOTIFY changed)
    Q_PROPERTY(QString menuClickPhrase READ menuClickPhrase NOTIFY changed)
    Q_PROPERTY(QVariant iconSpacing READ iconSpacing WRITE setIconSpacing NOTIFY changed)
    Q_PROPERTY(bool spacingNeedsLogout READ spacingNeedsLogout NOTIFY changed)
    Q_PROPERTY(bool cloudSyncEnabled READ cloudSyncEnabled WRITE setCloudSyncEnabled NOTIFY changed)
    Q_PROPERTY(bool cloudSyncAvailable READ cloudSyncAvailable NOTIFY changed)
    Q_PROPERTY(QString cloudSyncUnavailableReason READ cloudSyncUnavailableReason NOTIFY changed)
    Q_PROPERTY(bool onboardingCompleted READ onboardingCompleted NOTIFY changed)
    Q_PROPERTY(bool moveToApplicationsDeclined READ moveToApplicationsDeclined NOTIFY changed)

public:
    explicit SettingsProperties(AppModel &model, QObject *parent = nullptr);

    [[nodiscard]] double autoRehideSeconds() const;
    // Refuses a delay that is negative or not a number.
    void setAutoRehideSeconds(double seconds);
    [[nodiscard]] bool revealOnHover() const;
    void setRevealOnHover(bool enabled);
    [[nodiscard]] bool revealOnScroll() const;
    void setRevealOnScroll(bool enabled);
    [[nodiscard]] bool liveLayout() const;
    void setLiveLayout(bool enabled);
    [[nodiscard]] bool pixelPerfectIcons() const;
    void setPixelPerfectIcons(bool enabled);
    [[nodiscard]] bool iconClickOpensMenu() const;
    void setIconClickOpensMenu(bool enabled);
    [[nodiscard]] bool hideZorvIcon() const;
    void setHideZorvIcon(bool hidden);
    [[nodiscard]] bool showInDockAndSwitcher() const;
    void setShowInDockAndSwitcher(bool shown);
    // What the login items report, not the stored choice.
    [[nodiscard]] bool launchAtLogin() const;
    void setLaunchAtLogin(bool enabled);
    [[nodiscard]] bool secondaryBarEnabled() const;
    void setSecondaryBarEnabled(bool enabled);
    [[nodiscard]] QVariant revealShortcut() const;
    void setRevealShortcut(const QVariant &shortcut);
    [[nodiscard]] QVariant searchShortcut() const;
    void setSearchShortcut(const QVariant &shortcut);
    // The shortcut's text, the default's when none is stored.
    [[nodiscard]] QString revealShortcutDisplay() const;
    [[nodiscard]] QString searchShortcutDisplay() const;
    // How a click on the app's icon reveals, and how it opens the menu.
    [[nodiscard]] QString revealClickPhrase() const;
    [[nodiscard]] QString menuClickPhrase() const;
    [[nodiscard]] QVariant iconSpacing() const;
    // A whole number of points, 0 or more, or null for the system's spacing.
    void setIconSpacing(const QVariant &spacing);
    [[nodiscard]] bool spacingNeedsLogout() const;
    [[nodiscard]] bool cloudSyncEnabled() const;
    void setCloudSyncEnabled(bool enabled);
    [[nodiscard]] bool cloudSyncAvailable() const;
    // Empty when sync can run.
    [[nodiscard]] QString cloudSyncUnavailableReason() const;
    [[nodiscard]] bool onboardingCompleted() const;
    [[nodiscard]] bool moveToApplicationsDeclined() const;

Q_SIGNALS:
    void changed();

private:
    // Tells the binding that wrote a refused value to show the stored one again.
    void refuse(const char *what);

    AppModel &m_model;
};

} // namespace zorv
