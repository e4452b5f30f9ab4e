#include <QtQml/QQmlExtensionPlugin>

// The report window's QML module is a static plugin; the suite links it like the application.
Q_IMPORT_QML_PLUGIN(Zorv_ReportPlugin)
