#pragma once

#include "modelview.h"
#include "runningapplication.h"
#include "settingsservices.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QtQmlIntegration>

namespace zorv {

// The Menu Bar Layout pane around its lanes: the blurb, the banners that explain why the
// arrangement cannot reach the bar (no accessibility permission, hiding suspended by the engine,
// another menu-bar manager running), the card of Zorv's own icon, the waiting hint, the
// footnotes and the diagnostics line, and the look the lanes take while pictures are drawn as in
// the bar. Every value follows the model; the other manager is looked for whenever an application
// launches or quits while the pane exists. Made in QML with `view` and `services` set; main
// thread.
class LayoutPaneModel : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY viewChanged)
    Q_PROPERTY(
        zorv::SettingsServices *services READ services WRITE setServices NOTIFY servicesChanged)
    Q_PROPERTY(QString blurb READ blurb NOTIFY changed)
    Q_PROPERTY(bool accessibilityBannerShown READ accessibilityBannerShown NOTIFY changed)
    Q_PROPERTY(QString hidingBlockedTitle READ hidingBlockedTitle NOTIFY changed)
    Q_PROPERTY(QStringList hidingBlockedTexts READ hidingBlockedTexts NOTIFY changed)
    Q_PROPERTY(bool otherManagerRunning READ otherManagerRunning NOTIFY otherManagerRunningChanged)
    Q_PROPERTY(QUrl ownIcon READ ownIcon NOTIFY viewChanged)
    Q_PROPERTY(bool iconShown READ iconShown WRITE setIconShown NOTIFY changed)
    Q_PROPERTY(QString ownIconDescription READ ownIconDescription NOTIFY changed)
    Q_PROPERTY(QString ownIconHelp READ ownIconHelp NOTIFY changed)
    Q_PROPERTY(bool emptyHintShown READ emptyHintShown NOTIFY changed)
    Q_PROPERTY(QString layoutFootnote READ layoutFootnote NOTIFY changed)
    Q_PROPERTY(QString diagnostics READ diagnostics NOTIFY changed)
    Q_PROPERTY(bool diagnosticsOk READ diagnosticsOk NOTIFY changed)
    Q_PROPERTY(bool barMode READ barMode NOTIFY changed)
    Q_PROPERTY(QColor barColor READ barColor NOTIFY barLookChanged)
    Q_PROPERTY(bool barIsDark READ barIsDark NOTIFY barLookChanged)

public:
    // Bundle identifiers of the other menu-bar manager start with this.
    static inline const QString otherManagerPrefix = QStringLiteral("com.surteesstudios.Bartender");

    explicit LayoutPaneModel(QObject *parent = nullptr);
    ~LayoutPaneModel() override;

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);
    [[nodiscard]] SettingsServices *services() const { return m_services; }
    void setServices(SettingsServices *services);

    [[nodiscard]] QString blurb() const;
    [[nodiscard]] bool accessibilityBannerShown() const;
    // Empty while hiding works.
    [[nodiscard]] QString hidingBlockedTitle() const;
    [[nodiscard]] QStringList hidingBlockedTexts() const;
    [[nodiscard]] bool otherManagerRunning() const { return m_otherManagerRunning; }
    // This application's icon; empty when it has none.
    [[nodiscard]] QUrl ownIcon() const { return m_ownIcon; }
    [[nodiscard]] bool iconShown() const;
    // Saves the setting and shows or hides the icon in the bar.
    void setIconShown(bool shown);
    // With "{…}" key caps.
    [[nodiscard]] QString ownIconDescription() const;
    [[nodiscard]] QString ownIconHelp() const;
    [[nodiscard]] bool emptyHintShown() const;
    [[nodiscard]] QString layoutFootnote() const;
    [[nodiscard]] QString diagnostics() const;
    [[nodiscard]] bool diagnosticsOk() const;
    // The lanes draw pictures as they look in the bar, on the bar's colour.
    [[nodiscard]] bool barMode() const;
    // The sampled bar colour, or dark grey without a sample.
    [[nodiscard]] QColor barColor() const { return m_barColor; }
    [[nodiscard]] bool barIsDark() const { return m_barIsDark; }

    // Whether any of the applications belongs to the other menu-bar manager.
    [[nodiscard]] static bool otherManagerAmong(const QList<RunningApplication> &applications);

    // The pane is shown: rescans and looks for the other manager.
    Q_INVOKABLE void appear();
    Q_INVOKABLE void refresh();
    Q_INVOKABLE void retryHiding();
    Q_INVOKABLE void openAccessibilitySettings();

Q_SIGNALS:
    void viewChanged();
    void servicesChanged();
    void changed();
    void otherManagerRunningChanged();
    void barLookChanged();

private:
    void lookForOtherManager();
    void sampleBar();
    void publishOwnIcon();

    QPointer<ModelView> m_view;
    QPointer<SettingsServices> m_services;
    QList<QMetaObject::Connection> m_connections;
    bool m_otherManagerRunning = false;
    QColor m_barColor;
    bool m_barIsDark = true;
    QUrl m_ownIcon;
    QString m_ownIconKey;
};

} // namespace zorv
