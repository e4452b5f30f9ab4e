#include "screenshotrecorder.h"

#include <QDir>
#include <QImage>
#include <QtDebug>

using namespace Qt::StringLiterals;

namespace zorv {

ScreenshotRecorder::ScreenshotRecorder(QString folder, int layoutsBefore)
    : m_folder(std::move(folder)), m_layouts(layoutsBefore) {}

QString ScreenshotRecorder::saveLayout(const QImage &picture) {
    ++m_layouts;
    return save(picture, u"layout-%1.png"_s.arg(m_layouts, 4, 10, QChar(u'0')));
}

QString ScreenshotRecorder::saveFinal(const QImage &picture) {
    return save(picture, u"final.png"_s);
}

QString ScreenshotRecorder::save(const QImage &picture, const QString &name) {
    const QString path = QDir(m_folder).filePath(name);
    if (QDir().mkpath(m_folder) && !picture.isNull() && picture.save(path)) {
        return path;
    }
    if (!m_failureReported) {
        m_failureReported = true;
        qWarning().noquote() << u"Cannot save screenshots in %1."_s.arg(m_folder);
    }
    return {};
}

} // namespace zorv
