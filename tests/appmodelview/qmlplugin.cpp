#include <QtQml/QQmlExtensionPlugin>

// The model's QML module and the kit are static plugins; the suite links them like the application.
Q_IMPORT_QML_PLUGIN(Zorv_ModelPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_UIPlugin)
