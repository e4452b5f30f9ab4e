#include <QtQml/QQmlExtensionPlugin>

// The kit's QML module is a static plugin; the suite links it like the application will.
Q_IMPORT_QML_PLUGIN(Zorv_UIPlugin)
