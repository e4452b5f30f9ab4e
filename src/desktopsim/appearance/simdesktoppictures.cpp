#include "appearance/simdesktoppictures.h"

#include <QFileInfo>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

SimDesktopPictures::SimDesktopPictures(DesktopModel &model) : m_model(model) {}

std::optional<QString> SimDesktopPictures::desktopImagePath(DisplayId display) const {
    const auto scripted = m_scripted.constFind(display);
    if (scripted != m_scripted.cend()) {
        return *scripted;
    }
    return drawnPicture(display);
}

void SimDesktopPictures::setPicture(DisplayId display, std::optional<QString> path) {
    m_scripted.insert(display, std::move(path));
}

void SimDesktopPictures::resetPicture(DisplayId display) {
    m_scripted.remove(display);
}

std::optional<QString> SimDesktopPictures::drawnPicture(DisplayId display) const {
    struct Facts {
        QSize pixels;
        QColor color;
    };
    const auto facts = m_model.read([display](const DesktopState &state) -> std::optional<Facts> {
        const ScreenRecord *screen = state.screen(display);
        if (!screen) {
            return std::nullopt;
        }
        const double width = std::ceil(screen->frame.width() * screen->scale);
        const double height = std::ceil(screen->frame.height() * screen->scale);
        // Scenario frames are at most 16,384 points at a scale of at most 4.
        return Facts{QSize(int(qBound(1.0, width, 65536.0)), int(qBound(1.0, height, 65536.0))),
                     state.wallpaperColor};
    });
    if (!facts || !m_folder.isValid()) {
        return std::nullopt;
    }
    // A small picture of the screen's proportions is enough: the sampler averages strips.
    QSize size = facts->pixels;
    size.scale(512, 512, Qt::KeepAspectRatio);
    size = size.expandedTo(QSize(1, 1));
    const QString path = m_folder.filePath(u"desktop-%1-%2x%3-%4.png"_s.arg(display)
                                               .arg(size.width())
                                               .arg(size.height())
                                               .arg(facts->color.name().mid(1)));
    if (!QFileInfo::exists(path)) {
        QImage picture(size, QImage::Format_RGB32);
        QPainter painter(&picture);
        QLinearGradient gradient(0, 0, 0, size.height());
        gradient.setColorAt(0, facts->color.lighter(115));
        gradient.setColorAt(1, facts->color);
        painter.fillRect(picture.rect(), gradient);
        painter.end();
        if (!picture.save(path)) {
            return std::nullopt;
        }
    }
    return path;
}

} // namespace zorv
