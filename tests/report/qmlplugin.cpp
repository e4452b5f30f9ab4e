#include <QtQml/QQmlExtensionPlugin>

// The report window's QML module and the UI kit are static plugins; the suite links them like
// the application.
Q_IMPORT_QML_PLUGIN(Zorv_ReportPlugin)
Q_IMPORT_QML_PLUGIN(Zorv_UIPlugin)
