#include "windows/qmlwindow.h"

#include <gtest/gtest.h>

#include <QQmlEngine>
#include <QQuickWindow>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QUrl qmlFile(const QByteArray &source) {
    return QUrl(u"data:text/plain;base64,"_s + QString::fromLatin1(source.toBase64()));
}

TEST(QmlWindowTest, MakesTheWindowWithItsPropertiesSetOrNothing) {
    QQmlEngine engine;

    const std::unique_ptr<QQuickWindow> window =
        makeQmlWindow(engine, qmlFile("import QtQuick\nWindow { property string caption }"),
                      {{u"caption"_s, u"Hello"_s}}, u"The test window"_s);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->property("caption").toString(), u"Hello"_s);

    // Something that is not a window, and a file that does not load, make nothing.
    EXPECT_FALSE(makeQmlWindow(engine, qmlFile("import QtQuick\nItem {}"), {}, u"The test item"_s));
    EXPECT_FALSE(
        makeQmlWindow(engine, qmlFile("import QtQuick\nWindow {"), {}, u"The broken one"_s));
}

} // namespace
} // namespace zorv
