#include <QtQml/QQmlExtensionPlugin>

// The panels' QML module and the UI kit are static plugins; the suite links them like the
// application.
Q_IMPORT_QML_PLUGIN(Zorv_PanelsPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_UIPlugin)
