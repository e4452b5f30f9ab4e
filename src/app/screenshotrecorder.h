#pragma once

#include <QString>

class QQuickWindow;

namespace zorv {

// Saves pictures of the desktop window into a folder: "layout-0001.png", "layout-0002.png", ...
// for the layout changes, in order, and "final.png" at exit. The folder is created when needed;
// a failure to save is reported once on standard error and does not stop the run.
class ScreenshotRecorder {
public:
    explicit ScreenshotRecorder(QString folder);

    // The picture's file path, or an empty string when it could not be saved.
    QString saveLayout(QQuickWindow &window);
    QString saveFinal(QQuickWindow &window);
    // "<name>.png", for pictures of other windows (the open status menu).
    QString save(QQuickWindow &window, const QString &name);

private:
    const QString m_folder;
    int m_layouts = 0;
    bool m_failureReported = false;
};

} // namespace zorv
