#include "qmlwarningguard.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace zorv {
namespace {

QtMessageHandler previousHandler = nullptr;

void guard(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (previousHandler) {
        previousHandler(type, context, text);
    }
    if (!QmlWarningGuard::isQmlWarning(type, context.category, context.file, text)) {
        return;
    }
    if (::testing::UnitTest::GetInstance()->current_test_info()) {
        ADD_FAILURE() << "QML warning: " << text.toStdString();
    }
}

bool startsWith(const char *text, const char *prefix) {
    return text && qstrncmp(text, prefix, qstrlen(prefix)) == 0;
}

} // namespace

void QmlWarningGuard::install() {
    previousHandler = qInstallMessageHandler(guard);
}

bool QmlWarningGuard::isQmlWarning(QtMsgType type, const char *category, const char *file,
                                   const QString &text) {
    if (type != QtWarningMsg && type != QtCriticalMsg) {
        return false;
    }
    if (startsWith(category, "qml") || startsWith(category, "js") ||
        startsWith(category, "qt.qml")) {
        return true;
    }
    if (file && QByteArray(file).endsWith(".qml")) {
        return true;
    }
    // The engine names the file and place ("qrc:/Zorv/UI/qml/Card.qml:12:5: ..."), or itself
    // ("QQmlComponent: Component is not ready"); the delegate model behind every view names
    // itself too ("DelegateModel::cancel: index out range 13 1"), in no category.
    static const QRegularExpression placed(QStringLiteral(R"(\.qml:\d+(:\d+)?[: ])"));
    return text.startsWith(QLatin1String("QQml")) ||
           text.startsWith(QLatin1String("DelegateModel::")) || placed.match(text).hasMatch();
}

} // namespace zorv
