#include <QtQml/QQmlExtensionPlugin>

// The desktop window's QML module is a static plugin; the suite links it like the application.
Q_IMPORT_QML_PLUGIN(Zorv_DesktopPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_ModelPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_PanelsPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_UIPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_ShellPlugin)
