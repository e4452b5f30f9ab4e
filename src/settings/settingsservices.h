#pragma once

#include <QObject>
#include <QtQmlIntegration>

namespace zorv {

class Clock;
class FilePanels;
class FileViewer;

// The system services the settings panes call besides the app model: the clock their waits run
// on, the save and open panels, and the file viewer. Made by the program; each service must
// outlive it. Handed to the panes from QML. Main thread.
class SettingsServices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application.")

public:
    SettingsServices(Clock &clock, FilePanels &filePanels, FileViewer &fileViewer,
                     QObject *parent = nullptr)
        : QObject(parent), m_clock(clock), m_filePanels(filePanels), m_fileViewer(fileViewer) {}

    [[nodiscard]] Clock &clock() const { return m_clock; }
    [[nodiscard]] FilePanels &filePanels() const { return m_filePanels; }
    [[nodiscard]] FileViewer &fileViewer() const { return m_fileViewer; }

private:
    Clock &m_clock;
    FilePanels &m_filePanels;
    FileViewer &m_fileViewer;
};

} // namespace zorv
