#pragma once

#include <QString>
#include <QtGlobal>

namespace zorv {

// Turns every warning that QML prints (failed bindings, unknown properties, errors in handlers,
// components that did not load) into a failure of the running test, since such a warning means a
// view shows or does something other than what its test checks.
class QmlWarningGuard {
public:
    QmlWarningGuard() = delete;

    // Installs the guard in front of the message handler in place.
    static void install();
    // Whether a message with this category, source file and text comes from QML.
    [[nodiscard]] static bool isQmlWarning(QtMsgType type, const char *category, const char *file,
                                           const QString &text);
};

} // namespace zorv
