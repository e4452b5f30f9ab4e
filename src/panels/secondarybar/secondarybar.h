#pragma once

#include "eventmonitors.h"
#include "shell/secondarybarcontroller.h"
#include "windows/itemrowsmodel.h"
#include "windows/panelservices.h"
#include "windows/panelwindow.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <memory>

namespace zorv {

class AppModel;

// The secondary bar: a strip just under the menu bar, below the application's icon, with the
// pictures of the items the bar hides; a click on one closes the strip and clicks the item. While
// it is open its cells hold still (a new item is added at the end, a gone one leaves its cell,
// which does nothing) and the strip keeps its place; each showing takes the bar's order anew. It
// floats at the status-bar level on every space without activating the application. While it is
// shown, a click outside it or Escape in another application closes it (global monitors; events
// aimed at the strip itself do not). Every show and hide rewrites "secondary-bar.json" in the
// model's data folder. The panel is made at the first show and kept. Main thread.
class SecondaryBar final : public QObject, public SecondaryBarController {
    Q_OBJECT

public:
    static inline const QString emptyText = QStringLiteral("Nothing hidden");
    static constexpr int emptyTextPixels = 12;
    static constexpr quint64 collectionBehavior =
        CollectionBehavior::canJoinAllSpaces | CollectionBehavior::fullScreenAuxiliary;

    SecondaryBar(AppModel &model, const PanelServices &services);
    ~SecondaryBar() override;

    [[nodiscard]] bool isVisible() const override { return m_visible; }
    [[nodiscard]] bool includesAlwaysHidden() const override { return m_includesAlwaysHidden; }
    void show(const QList<MenuBarItem> &items, const std::optional<QRectF> &iconFrame,
              bool includeAlwaysHidden) override;
    void hide() override;

    // A click on the row's picture: closes the strip, then clicks the item; nothing when the item
    // is no longer on the bar.
    Q_INVOKABLE void onTap(int row);

    // Inspection.
    [[nodiscard]] PanelWindow *panel() const { return m_panel.get(); }
    [[nodiscard]] int dismissMonitorCount() const { return int(m_dismissMonitors.size()); }
    [[nodiscard]] ItemRowsModel &rows() { return m_rows; }

private:
    void installDismissMonitors();
    void removeDismissMonitors();
    void writeState(const QList<MenuBarItem> &items);
    [[nodiscard]] bool makePanel();
    // Sizes the strip to its cells and puts it under the icon, or where it is while it stays open.
    void place(bool stayingOpen, const std::optional<QRectF> &iconFrame, bool onBarColour);

    QPointer<AppModel> m_model;
    PanelServices m_services;
    ItemRowsModel m_rows;
    std::unique_ptr<PanelWindow> m_panel;
    QList<EventMonitors::Token> m_dismissMonitors;
    bool m_visible = false;
    bool m_includesAlwaysHidden = false;
};

} // namespace zorv
