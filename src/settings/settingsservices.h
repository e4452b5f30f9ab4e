#pragma once

#include <QObject>
#include <QtQmlIntegration>

namespace zorv {

class AutomationFrontEnd;
class Clock;
class FilePanels;
class FileViewer;
class Scripting;

// The system services the settings panes call besides the app model: the clock their waits run
// on, the save and open panels, the file viewer and the scripting that asks for a log-out. Made by
// the program; each service must outlive it. Handed to the panes from QML. Main thread.
class SettingsServices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application.")

public:
    SettingsServices(Clock &clock, FilePanels &filePanels, FileViewer &fileViewer,
                     Scripting &scripting, QObject *parent = nullptr)
        : QObject(parent), m_clock(clock), m_filePanels(filePanels), m_fileViewer(fileViewer),
          m_scripting(scripting) {}

    [[nodiscard]] Clock &clock() const { return m_clock; }
    [[nodiscard]] FilePanels &filePanels() const { return m_filePanels; }
    [[nodiscard]] FileViewer &fileViewer() const { return m_fileViewer; }
    [[nodiscard]] Scripting &scripting() const { return m_scripting; }
    // The rules' monitors, gates and choices; null when the program runs no rules (the rules
    // pane is then left off).
    [[nodiscard]] AutomationFrontEnd *automation() const { return m_automation; }
    void setAutomation(AutomationFrontEnd *automation) { m_automation = automation; }

private:
    Clock &m_clock;
    FilePanels &m_filePanels;
    FileViewer &m_fileViewer;
    Scripting &m_scripting;
    AutomationFrontEnd *m_automation = nullptr;
};

} // namespace zorv
