#include "qmlwarningguard.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Every suite runs with a Qt application object and with the data folder pointed at a fresh
// temporary directory, so no test ever touches the real home. A warning from QML (a binding
// that failed, a missing property, a type error in a handler) fails the test that caused it.
//
// Tests run on the manual clock, so windows lay out and draw as `zorv` does in fast time: as soon
// as they ask to (Qt waits a few milliseconds of wall time by default) and on the main thread.
// Otherwise what an input showed or hid is laid out only once that wall time has passed, and the
// next input aims at controls still where they stood before, on a fast machine only.
int main(int argc, char **argv) {
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    qputenv("QSG_RENDER_LOOP", "basic");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    zorv::QmlWarningGuard::install();
    return RUN_ALL_TESTS();
}
