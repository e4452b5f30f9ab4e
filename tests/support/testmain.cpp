#include "qmlwarningguard.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every suite runs with a Qt application object and with the data folder pointed at a fresh
// temporary directory, so no test ever touches the real home. A warning from QML (a binding
// that failed, a missing property, a type error in a handler) fails the test that caused it.
int main(int argc, char **argv) {
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    zorv::QmlWarningGuard::install();
    return RUN_ALL_TESTS();
}
