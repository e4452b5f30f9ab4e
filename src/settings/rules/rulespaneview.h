#pragma once

#include "modelview.h"
#include "rulespanemodel.h"
#include "settingsservices.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QtQmlIntegration>

namespace zorv {

// Hands the rules pane its model: made once the view and the services are set, over the
// program's automation front end, with the window's item and application pictures (item
// pictures drawn in `ink`). Also words the view's rule list as the pane reads it. Made in QML;
// main thread.
class RulesPaneView : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_MOC_INCLUDE("rulebuildermodel.h")

    Q_PROPERTY(zorv::ModelView *view READ view WRITE setView NOTIFY paneChanged)
    Q_PROPERTY(zorv::SettingsServices *services READ services WRITE setServices NOTIFY paneChanged)
    Q_PROPERTY(QColor ink READ ink WRITE setInk NOTIFY inkChanged)
    Q_PROPERTY(zorv::RulesPaneModel *pane READ pane NOTIFY paneChanged)

public:
    explicit RulesPaneView(QObject *parent = nullptr);

    [[nodiscard]] ModelView *view() const { return m_view; }
    void setView(ModelView *view);
    [[nodiscard]] SettingsServices *services() const { return m_services; }
    void setServices(SettingsServices *services);
    [[nodiscard]] QColor ink() const { return m_ink; }
    void setInk(const QColor &ink);
    [[nodiscard]] RulesPaneModel *pane() const { return m_pane; }

Q_SIGNALS:
    void paneChanged();
    void inkChanged();

private:
    void make();
    [[nodiscard]] RuleViewServices pictures(RuleViewServices services);

    QPointer<ModelView> m_view;
    QPointer<SettingsServices> m_services;
    QColor m_ink;
    QPointer<RulesPaneModel> m_pane;
};

} // namespace zorv
