#pragma once

#include <QObject>
#include <QtQmlIntegration>

namespace zorv {

class Clock;
class FilePanels;
class FileViewer;
class LogoutPrompt;

// The system services the settings panes call besides the app model: the clock their waits run
// on, the save and open panels, the file viewer and the log-out request. Made by the program; each
// service must outlive it. Handed to the panes from QML. Main thread.
class SettingsServices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application.")

public:
    SettingsServices(Clock &clock, FilePanels &filePanels, FileViewer &fileViewer,
                     LogoutPrompt &logoutPrompt, QObject *parent = nullptr)
        : QObject(parent), m_clock(clock), m_filePanels(filePanels), m_fileViewer(fileViewer),
          m_logoutPrompt(logoutPrompt) {}

    [[nodiscard]] Clock &clock() const { return m_clock; }
    [[nodiscard]] FilePanels &filePanels() const { return m_filePanels; }
    [[nodiscard]] FileViewer &fileViewer() const { return m_fileViewer; }
    [[nodiscard]] LogoutPrompt &logoutPrompt() const { return m_logoutPrompt; }

private:
    Clock &m_clock;
    FilePanels &m_filePanels;
    FileViewer &m_fileViewer;
    LogoutPrompt &m_logoutPrompt;
};

} // namespace zorv
