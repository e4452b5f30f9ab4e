#pragma once

#include "modelview.h"
#include "settingsservices.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <QtQmlIntegration>

namespace zorv {

// The About pane: which version runs, the product's and the maker's sites, where Zorv keeps its
// data (shown under "~" when it is in the home folder, and revealed in the Finder on request),
// and the welcome tour again. The updates card has a model of its own. Made in QML with `view`
// and `services` set; main thread.
class AboutPaneModel : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(zorv::ModelView *view MEMBER m_view NOTIFY viewChanged)
    Q_PROPERTY(
        zorv::SettingsServices *services READ services WRITE setServices NOTIFY servicesChanged)
    Q_PROPERTY(QString kicker READ kicker NOTIFY servicesChanged)
    Q_PROPERTY(QString credit READ credit NOTIFY servicesChanged)
    Q_PROPERTY(QString iconSource READ iconSource NOTIFY servicesChanged)
    Q_PROPERTY(QString dataFolder READ dataFolder NOTIFY servicesChanged)
    Q_PROPERTY(QString supportNote READ supportNote CONSTANT)

public:
    explicit AboutPaneModel(QObject *parent = nullptr);

    [[nodiscard]] SettingsServices *services() const { return m_services; }
    void setServices(SettingsServices *services);

    // "Zorv v1.4".
    [[nodiscard]] QString kicker() const;
    // One line: the maker and the build.
    [[nodiscard]] QString credit() const;
    // Where the product card's icon is drawn from; empty without an icon.
    [[nodiscard]] QString iconSource() const;
    [[nodiscard]] QString dataFolder() const;
    // The product site's domain name.
    [[nodiscard]] QString supportNote() const;

    // `path` with a leading `home` folder written "~": only at the start and only a whole folder
    // name ("/Users/ann" leaves "/Users/anna" alone). A blank or root home changes nothing.
    [[nodiscard]] static QString homeRelative(const QString &path, const QString &home);

    Q_INVOKABLE void openProductSite();
    Q_INVOKABLE void openMakerSite();
    Q_INVOKABLE void showDataFolder();
    Q_INVOKABLE void replayWelcomeTour();

Q_SIGNALS:
    void viewChanged();
    void servicesChanged();

private:
    void open(const QUrl &url);

    QPointer<ModelView> m_view;
    QPointer<SettingsServices> m_services;
};

} // namespace zorv
