#pragma once

#include "buildstamp/build.h"
#include "items/menubarcolorsampler.h"

#include <QColor>
#include <QImage>
#include <QObject>
#include <QString>
#include <QtQmlIntegration>

#include <functional>
#include <optional>

namespace zorv {

class AutomationFrontEnd;
class Clock;
class FilePanels;
class FileViewer;
class Scripting;
class Workspace;

// What the About pane shows of this installation and where its links go.
struct AboutFacts {
    // The running build: the bundle's version and name with the build stamp.
    Build build{BuildStamp{}, BundleFacts{}};
    // The application's icon; none draws the product card without it.
    QImage icon;
    // Zorv's data folder and the user's home folder (shown as "~").
    QString dataFolder;
    QString homeFolder;
    // Opens web pages in the user's browser; without one the links do nothing.
    Workspace *workspace = nullptr;
};

// The system services the settings panes call besides the app model: the clock their waits run
// on, the save and open panels, the file viewer, the scripting that asks for a log-out, the facts
// the About pane shows, the sampler of the menu bar's colour (optional: without one there is
// never a sample) and the activation of this application (optional). Made by the program; each service must outlive it. Handed to the panes from
// QML. Main thread.
class SettingsServices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application.")

public:
    SettingsServices(Clock &clock, FilePanels &filePanels, FileViewer &fileViewer,
                     Scripting &scripting, AboutFacts about = {},
                     MenuBarColorSampler *barColor = nullptr, QObject *parent = nullptr)
        : QObject(parent), m_clock(clock), m_filePanels(filePanels), m_fileViewer(fileViewer),
          m_scripting(scripting), m_about(std::move(about)), m_barColor(barColor) {}

    [[nodiscard]] Clock &clock() const { return m_clock; }
    [[nodiscard]] FilePanels &filePanels() const { return m_filePanels; }
    [[nodiscard]] FileViewer &fileViewer() const { return m_fileViewer; }
    [[nodiscard]] Scripting &scripting() const { return m_scripting; }
    // The rules' monitors, gates and choices; null when the program runs no rules (the rules
    // pane is then left off).
    [[nodiscard]] AutomationFrontEnd *automation() const { return m_automation; }
    void setAutomation(AutomationFrontEnd *automation) { m_automation = automation; }
    [[nodiscard]] const AboutFacts &about() const { return m_about; }
    // Brings this application to the front, taking it from the one the user works in: the window
    // and the panels then get the keyboard.
    void setActivateApp(std::function<void()> activate) { m_activateApp = std::move(activate); }
    void activateApp() const {
        if (m_activateApp) {
            m_activateApp();
        }
    }
    // The menu bar's estimated colour; nothing when it cannot be had.
    [[nodiscard]] std::optional<QColor> sampledBarColor() const {
        return m_barColor ? m_barColor->sampled() : std::nullopt;
    }
    // Whether the bar counts as dark: true unless a sample says it is light.
    [[nodiscard]] bool barIsDark() const { return !m_barColor || m_barColor->isDark(); }
    // The bundle's version, "0" when it has none: the rail and the About pane show the same.
    [[nodiscard]] QString version() const {
        const QString version = m_about.build.version();
        return version.isEmpty() ? QStringLiteral("0") : version;
    }

private:
    Clock &m_clock;
    FilePanels &m_filePanels;
    FileViewer &m_fileViewer;
    Scripting &m_scripting;
    AutomationFrontEnd *m_automation = nullptr;
    AboutFacts m_about;
    MenuBarColorSampler *m_barColor;
    std::function<void()> m_activateApp;
};

} // namespace zorv
