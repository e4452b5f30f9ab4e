#include "kitscene.h"

#include <gtest/gtest.h>

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// A recorder in the scene's window, and a text field in a second window of the application.
const QString recorderScene = uR"(
import QtQuick
import Zorv.UI

Rectangle {
    color: Zorv.paper
    property Window other: Window {
        objectName: "otherWindow"
        width: 240; height: 60; visible: true
        ZorvTextField { objectName: "otherField"; x: 10; y: 10; width: 200 }
    }
    Column {
        objectName: "holder"
        x: 10; y: 10
        ShortcutRecorder { objectName: "recorder"; defaultDisplay: "⌥⌘S" }
    }
}
)"_s;

TEST(ShortcutRecorderSceneTest, DisarmsWhenHiddenOrItsWindowClosesAndLetsKeysThrough) {
    KitScene scene;
    ASSERT_TRUE(scene.load(recorderScene, QSize(200, 60)));
    QQuickItem *recorder = scene.find(u"recorder"_s);
    QQuickItem *holder = scene.find(u"holder"_s);
    auto *other = scene.view.rootObject()->findChild<QQuickWindow *>(u"otherWindow"_s);
    ASSERT_TRUE(recorder && holder && other);
    auto *field = other->findChild<QQuickItem *>(u"otherField"_s);
    ASSERT_TRUE(field);
    const auto arm = [&] {
        QTest::mouseClick(&scene.view, Qt::LeftButton, {},
                          recorder->mapToScene(QPointF(10, 10)).toPoint());
        return recorder->property("recording").toBool();
    };
    const qreal idleWidth = recorder->width();

    ASSERT_TRUE(arm());
    EXPECT_EQ(recorder->width(), idleWidth) << "the button keeps its width when armed";
    recorder->setVisible(false);
    EXPECT_FALSE(recorder->property("recording").toBool()) << "hidden";
    recorder->setVisible(true);

    ASSERT_TRUE(arm());
    holder->setVisible(false);
    EXPECT_FALSE(recorder->property("recording").toBool()) << "an ancestor hidden";
    holder->setVisible(true);

    ASSERT_TRUE(arm());
    scene.view.close();
    EXPECT_FALSE(recorder->property("recording").toBool()) << "its window closed";

    // The application's keys reach the other window's field again.
    other->requestActivate();
    QMetaObject::invokeMethod(field, "forceActiveFocus");
    QTest::keyClick(other, Qt::Key_X);
    QTest::keyClick(other, Qt::Key_Exclam, Qt::ShiftModifier);
    EXPECT_EQ(field->property("text").toString(), u"x!"_s);
}

// Running text with caps: texts and caps side by side on whole points, one space apart where the
// text has a space, 2 apart where a cap is written against a character.
TEST(KeysTextSceneTest, SpacesCapsEvenlyOnWholePoints) {
    KitScene scene;
    ASSERT_TRUE(scene.load(uR"(
import QtQuick
import Zorv.UI
Rectangle {
    color: Zorv.paper
    KeysText {
        objectName: "keys"
        x: 10; y: 10; width: 400
        keysText: "Hold {option} and press {command+1}. <b>bold</b>"
        font.pixelSize: 12
    }
}
)"_s,
                           QSize(420, 60)));
    QQuickItem *keys = scene.find(u"keys"_s);
    ASSERT_TRUE(keys);
    // The drawn pieces in reading order: texts and caps rows, in scene coordinates.
    struct Piece {
        QString what;
        QRectF rect;
    };
    QList<Piece> pieces;
    const auto sceneRect = [](QQuickItem *item) {
        return QRectF(item->mapToScene(QPointF(0, 0)), item->size());
    };
    const std::function<void(QQuickItem *)> collect = [&](QQuickItem *item) {
        if (!item->isVisible()) {
            return;
        }
        const QString text = item->property("text").toString();
        const QVariant caps = item->property("keys");
        if (caps.isValid() && item->width() > 0) {
            pieces.append({caps.toStringList().join(u'+'), sceneRect(item)});
            return;
        }
        if (!text.isEmpty() && item->inherits("QQuickText")) {
            pieces.append({text, sceneRect(item)});
            return;
        }
        for (QQuickItem *child : item->childItems()) {
            collect(child);
        }
    };
    collect(keys);
    std::sort(pieces.begin(), pieces.end(),
              [](const Piece &a, const Piece &b) { return a.rect.x() < b.rect.x(); });
    QStringList order;
    for (const Piece &piece : pieces) {
        order.append(piece.what);
        EXPECT_EQ(piece.rect.x(), std::round(piece.rect.x())) << piece.what.toStdString();
        EXPECT_EQ(piece.rect.y(), std::round(piece.rect.y())) << piece.what.toStdString();
    }
    ASSERT_EQ(order, (QStringList{u"Hold"_s, u"option"_s, u"and"_s, u"press"_s, u"⌘+1"_s, u"."_s,
                                  u"<b>bold</b>"_s}))
        << "markup shows as typed";
    const auto gap = [&](int i) { return pieces[i + 1].rect.left() - pieces[i].rect.right(); };
    EXPECT_EQ(gap(0), gap(1)) << "as much space before a cap as after it";
    EXPECT_EQ(gap(2), gap(3)) << "between words as around caps";
    EXPECT_GT(gap(0), 2);
    EXPECT_EQ(gap(4), 2) << "no space the text did not have before the full stop";
    // The caps sit in the middle of the line.
    const QRectF hold = pieces[0].rect;
    const QRectF option = pieces[1].rect;
    EXPECT_LE(std::abs(option.center().y() - hold.center().y()), 1);
}

// What a change shows or hides is laid out by the time the clock settles, however little wall time
// passed: the next input aims at the items where the window draws them.
TEST(KitLayoutSceneTest, LaysOutAChangeOnceTheClockSettles) {
    KitScene scene;
    ASSERT_TRUE(scene.load(uR"(
import QtQuick

Column {
    Rectangle { objectName: "first"; width: 40; height: 20; visible: false }
    Rectangle { objectName: "second"; width: 40; height: 20 }
}
)"_s,
                           QSize(60, 60)));
    QQuickItem *first = scene.find(u"first"_s);
    QQuickItem *second = scene.find(u"second"_s);
    ASSERT_TRUE(first && second);
    for (const bool shown : {true, false, true}) {
        first->setVisible(shown);
        scene.clock.settle();
        EXPECT_EQ(second->y(), shown ? 20 : 0) << "first shown " << shown;
    }
}

} // namespace
} // namespace zorv
