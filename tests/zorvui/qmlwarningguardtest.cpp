#include "qmlwarningguard.h"

#include <gtest/gtest.h>

#include <QQmlComponent>
#include <QQmlEngine>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct Message {
    QtMsgType type;
    QByteArray category;
    QByteArray file;
    QString text;
};

// What QML itself prints while `source` is made, caught before the suite's guard sees it.
QList<Message> messagesWhileMaking(const QByteArray &source) {
    static QList<Message> caught;
    caught.clear();
    const QtMessageHandler guard =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context,
                                  const QString &text) {
            caught.append({type, context.category, context.file, text});
        });
    {
        QQmlEngine engine;
        QQmlComponent component(&engine);
        component.setData(source, QUrl(u"qrc:/Probe/Broken.qml"_s));
        std::unique_ptr<QObject> made(component.create());
        if (!made && component.isError()) {
            qWarning().noquote() << component.errorString();
        }
    }
    qInstallMessageHandler(guard);
    return caught;
}

TEST(QmlWarningGuardTest, TakesWhatQmlPrintsAndLeavesTheRest) {
    const QByteArray broken[] = {
        "import QtQuick\nItem { width: noSuchThing.width }\n",
        "import QtQuick\nItem { Component.onCompleted: undefinedFunction() }\n",
        "import QtQuick\nItem { property int count: \"many\" }\n",
    };
    for (const QByteArray &source : broken) {
        const QList<Message> messages = messagesWhileMaking(source);
        ASSERT_FALSE(messages.isEmpty()) << source.toStdString();
        for (const Message &m : messages) {
            EXPECT_TRUE(QmlWarningGuard::isQmlWarning(m.type, m.category.constData(),
                                                      m.file.isEmpty() ? nullptr : m.file.constData(),
                                                      m.text))
                << m.text.toStdString();
        }
    }
    EXPECT_TRUE(messagesWhileMaking("import QtQuick\nItem { width: 3 }\n").isEmpty());
    // A view's delegate model complains through the plain qWarning, in the default category.
    EXPECT_TRUE(QmlWarningGuard::isQmlWarning(QtWarningMsg, "default", nullptr,
                                              u"DelegateModel::cancel: index out range 13 1"_s));

    EXPECT_FALSE(QmlWarningGuard::isQmlWarning(QtWarningMsg, "default", "store.cpp",
                                               u"could not write settings.json"_s));
    EXPECT_FALSE(QmlWarningGuard::isQmlWarning(QtDebugMsg, "qml", nullptr, u"console.log"_s));
    EXPECT_FALSE(QmlWarningGuard::isQmlWarning(QtWarningMsg, "qt.qpa.fonts", nullptr,
                                               u"Populating font family aliases"_s));
}

} // namespace
} // namespace zorv
