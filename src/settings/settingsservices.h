#pragma once

#include "items/menubarcolorsampler.h"

#include <QColor>
#include <QObject>
#include <QtQmlIntegration>

#include <optional>

namespace zorv {

class Clock;
class FilePanels;
class FileViewer;
class Scripting;

// The system services the settings panes call besides the app model: the clock their waits run
// on, the save and open panels, the file viewer, the scripting that asks for a log-out and the
// sampler of the menu bar's colour (optional: without one there is never a sample). Made by the
// program; each service must outlive it. Handed to the panes from QML. Main thread.
class SettingsServices : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Provided by the application.")

public:
    SettingsServices(Clock &clock, FilePanels &filePanels, FileViewer &fileViewer,
                     Scripting &scripting, MenuBarColorSampler *barColor = nullptr,
                     QObject *parent = nullptr)
        : QObject(parent), m_clock(clock), m_filePanels(filePanels), m_fileViewer(fileViewer),
          m_scripting(scripting), m_barColor(barColor) {}

    [[nodiscard]] Clock &clock() const { return m_clock; }
    [[nodiscard]] FilePanels &filePanels() const { return m_filePanels; }
    [[nodiscard]] FileViewer &fileViewer() const { return m_fileViewer; }
    [[nodiscard]] Scripting &scripting() const { return m_scripting; }
    // The menu bar's estimated colour; nothing when it cannot be had.
    [[nodiscard]] std::optional<QColor> sampledBarColor() const {
        return m_barColor ? m_barColor->sampled() : std::nullopt;
    }
    // Whether the bar counts as dark: true unless a sample says it is light.
    [[nodiscard]] bool barIsDark() const { return !m_barColor || m_barColor->isDark(); }

private:
    Clock &m_clock;
    FilePanels &m_filePanels;
    FileViewer &m_fileViewer;
    Scripting &m_scripting;
    MenuBarColorSampler *m_barColor;
};

} // namespace zorv
