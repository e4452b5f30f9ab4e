#pragma once

#include "buildstamp/build.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QtQmlIntegration>

namespace zorv {

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
// on, the save and open panels, the file viewer, the scripting that asks for a log-out, and the
// facts the About pane shows. Made by the program; each service must outlive it. Handed to the
// panes from QML. Main thread.
class SettingsServices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application.")

public:
    SettingsServices(Clock &clock, FilePanels &filePanels, FileViewer &fileViewer,
                     Scripting &scripting, AboutFacts about = {}, QObject *parent = nullptr)
        : QObject(parent), m_clock(clock), m_filePanels(filePanels), m_fileViewer(fileViewer),
          m_scripting(scripting), m_about(std::move(about)) {}

    [[nodiscard]] Clock &clock() const { return m_clock; }
    [[nodiscard]] FilePanels &filePanels() const { return m_filePanels; }
    [[nodiscard]] FileViewer &fileViewer() const { return m_fileViewer; }
    [[nodiscard]] Scripting &scripting() const { return m_scripting; }
    [[nodiscard]] const AboutFacts &about() const { return m_about; }
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
    AboutFacts m_about;
};

} // namespace zorv
