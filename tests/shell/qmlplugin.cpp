// The suite's QML modules are static plugins: import them so the engine finds them.
#include <QtQml/QQmlExtensionPlugin>

Q_IMPORT_QML_PLUGIN(Zorv_ShellPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_UIPlugin)
