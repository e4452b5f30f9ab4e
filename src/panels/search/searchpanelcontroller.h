#pragma once

#include "searchpanelmodel.h"
#include "windows/panelservices.h"
#include "windows/panelwindow.h"

#include <QObject>
#include <QPointer>
#include <QSizeF>

#include <memory>

namespace zorv {

class AppModel;

// The search panel: a floating panel with a query field over the matching items. show() puts a
// fresh search into it (empty query, first row highlighted), centred across the main screen and a
// little above its middle, and gives it the keyboard, bringing this application to the front; the
// panel closes on Escape, when it loses the keyboard (another window or application took it),
// when an item is opened, and on toggle() or hide(). The panel is made at the first show and
// kept. Main thread.
class SearchPanelController : public QObject {
    Q_OBJECT

public:
    static constexpr QSizeF size{520, 360};

    SearchPanelController(AppModel &model, const PanelServices &services,
                          QObject *parent = nullptr);
    ~SearchPanelController() override;

    void show();
    // Hides a visible panel, else shows it.
    void toggle();
    void hide();

    [[nodiscard]] bool isVisible() const;
    // Inspection: the panel (null before the first show) and the search it shows.
    [[nodiscard]] PanelWindow *panel() const { return m_panel.get(); }
    [[nodiscard]] SearchPanelModel *search() const { return m_search; }

private:
    [[nodiscard]] bool makePanel();
    void place();

    QPointer<AppModel> m_model;
    PanelServices m_services;
    std::unique_ptr<PanelWindow> m_panel;
    QPointer<SearchPanelModel> m_search;
};

} // namespace zorv
