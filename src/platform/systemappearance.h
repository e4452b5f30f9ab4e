#pragma once

#include <QObject>
#include <QString>

namespace zorv {

// The appearance names the system gives its appearances (NSAppearance.Name).
namespace AppearanceName {
inline const QString aqua = QStringLiteral("NSAppearanceNameAqua");
inline const QString darkAqua = QStringLiteral("NSAppearanceNameDarkAqua");
inline const QString vibrantLight = QStringLiteral("NSAppearanceNameVibrantLight");
inline const QString vibrantDark = QStringLiteral("NSAppearanceNameVibrantDark");
inline const QString highContrastAqua =
    QStringLiteral("NSAppearanceNameAccessibilityHighContrastAqua");
inline const QString highContrastDarkAqua =
    QStringLiteral("NSAppearanceNameAccessibilityHighContrastDarkAqua");
} // namespace AppearanceName

// Stands in for the application's effective appearance (NSApp.effectiveAppearance) and its
// change notification: the light or dark look the system draws this application's windows in.
// Main thread.
class SystemAppearance : public QObject {
    Q_OBJECT

public:
    explicit SystemAppearance(QObject *parent = nullptr);
    ~SystemAppearance() override;

    // One of the AppearanceName values, or another name the system may introduce.
    [[nodiscard]] virtual QString effectiveAppearanceName() const = 0;

    // Whether `name` matches the dark aqua appearance better than the light one
    // (bestMatch(from: [.aqua, .darkAqua]) == .darkAqua). Names that match neither are light.
    [[nodiscard]] static bool isDark(const QString &name);

Q_SIGNALS:
    void effectiveAppearanceChanged();
};

} // namespace zorv
