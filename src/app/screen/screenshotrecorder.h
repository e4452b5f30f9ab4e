#pragma once

#include <QImage>
#include <QString>

namespace zorv {

// Saves pictures of the desktop window (with Zorv's windows on its screens) into a folder:
// "layout-0001.png", "layout-0002.png", ... for the layout changes, in order, and "final.png" at
// exit. The folder is created when needed; a failure to save is reported once on standard error and
// does not stop the run.
class ScreenshotRecorder {
public:
    // `layoutsBefore`: the layout pictures an earlier copy of the program saved there in this run,
    // which the numbers go on from.
    explicit ScreenshotRecorder(QString folder, int layoutsBefore = 0);

    [[nodiscard]] int layoutsSaved() const { return m_layouts; }

    // The picture's file path, or an empty string when it could not be saved.
    QString saveLayout(const QImage &picture);
    QString saveFinal(const QImage &picture);
    // "<name>" (with its ".png"), for pictures of other windows (the open status menu).
    QString save(const QImage &picture, const QString &name);

private:
    const QString m_folder;
    int m_layouts = 0;
    bool m_failureReported = false;
};

} // namespace zorv
