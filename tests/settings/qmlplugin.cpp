#include <QtQml/QQmlExtensionPlugin>

// The settings, model and kit QML modules are static plugins; the suite links them like the
// application.
Q_IMPORT_QML_PLUGIN(Zorv_SettingsPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_ModelPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_UIPlugin)
