#include "kitscene.h"

#include "kit/zorvkit.h"

#include <QCoreApplication>
#include <QDir>
#include <QQmlComponent>
#include <QQuickItem>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {

KitScene::KitScene(bool dark) {
    ZorvKit::install(*view.engine(), appearance, clock);
    appearance.setDark(dark);
}

bool KitScene::load(const QString &qml, QSize size) {
    QQmlComponent component(view.engine());
    component.setData(qml.toUtf8(), QUrl(u"qrc:/kitscene/Scene.qml"_s));
    QObject *created = component.create();
    auto *item = qobject_cast<QQuickItem *>(created);
    if (!item) {
        ADD_FAILURE() << component.errorString().toStdString();
        delete created;
        return false;
    }
    view.setContent(QUrl(u"qrc:/kitscene/Scene.qml"_s), nullptr, item);
    view.resize(size);
    item->setSize(size);
    view.show();
    clock.settle();
    return true;
}

QQuickItem *KitScene::find(const QString &objectName) const {
    // Through the object tree: popups draw in the window overlay but belong to their owners.
    return view.rootObject()->findChild<QQuickItem *>(objectName);
}

QImage KitScene::grab(const QString &name) {
    clock.settle();
    QImage picture = view.grabWindow();
    picture.setDevicePixelRatio(view.devicePixelRatio());
    const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
    QDir().mkpath(folder);
    picture.save(folder + u'/' + name + u".png"_s);
    return picture;
}

int countPixels(const QImage &image, const QColor &color, int tolerance, QRect area) {
    const qreal ratio = image.devicePixelRatio();
    if (area.isEmpty()) {
        area = image.rect();
    } else {
        area = QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio).toRect();
    }
    area &= image.rect();
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += qAbs(pixel.red() - color.red()) <= tolerance &&
                     qAbs(pixel.green() - color.green()) <= tolerance &&
                     qAbs(pixel.blue() - color.blue()) <= tolerance;
        }
    }
    return count;
}

int devicePixels(const QImage &image, int points) {
    const qreal ratio = image.devicePixelRatio();
    return qRound(points * ratio * ratio);
}

} // namespace zorv
