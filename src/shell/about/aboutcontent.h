#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

#include <functional>

namespace zorv {

class Build;

// What the about panel shows: the application's name, its version with the build's commit, the
// credits and the two web sites. Plain texts for the view; the view calls openLink() when one of
// the sites is clicked.
class AboutContent : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString name READ name CONSTANT)
    Q_PROPERTY(QString versionText READ versionText CONSTANT)
    Q_PROPERTY(QString credits READ credits CONSTANT)
    Q_PROPERTY(QString productSite READ productSite CONSTANT)
    Q_PROPERTY(QString makerSite READ makerSite CONSTANT)
    Q_PROPERTY(QString separator READ separator CONSTANT)
    QML_ELEMENT
    QML_UNCREATABLE("Made by the about panel.")

public:
    static inline const QString applicationName = QStringLiteral("Zorv");
    static inline const QString creditsText =
        QStringLiteral("A menu bar that keeps only what you want.\nNo telemetry. No "
                       "subscription.\n\nby Brindlecot");
    static inline const QUrl productUrl = QUrl(QStringLiteral("https://zorv.app"));
    static inline const QUrl makerUrl = QUrl(QStringLiteral("https://brindlecot.com"));

    // `openUrl` opens a site in the user's browser.
    AboutContent(const Build &build, std::function<void(const QUrl &)> openUrl,
                 QObject *parent = nullptr);

    [[nodiscard]] QString name() const { return applicationName; }
    // "Version 1.4 (3f2a9c1)", as the standard panel writes the version and the build.
    [[nodiscard]] const QString &versionText() const { return m_versionText; }
    [[nodiscard]] QString credits() const { return creditsText; }
    // Each site's link shows its host name.
    [[nodiscard]] QString productSite() const { return productUrl.host(); }
    [[nodiscard]] QString makerSite() const { return makerUrl.host(); }
    [[nodiscard]] QString separator() const { return QStringLiteral("  ·  "); }

    // `which` is "product" or "maker".
    Q_INVOKABLE void openLink(const QString &which);

private:
    QString m_versionText;
    std::function<void(const QUrl &)> m_openUrl;
};

} // namespace zorv
