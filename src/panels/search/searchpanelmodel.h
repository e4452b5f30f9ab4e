#pragma once

#include "menubaritemid.h"
#include "windows/itemrowsmodel.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QtQmlIntegration>

#include <functional>
#include <optional>

namespace zorv {

class AppModel;
struct MenuBarItem;

// One search in the search panel: the query, the highlighted row and the rows the model ranks
// for the query, with the keys that move the highlight and open items. The results are ranked
// afresh at every use, so a highlight left over from an older list is never taken for a row of
// the new one. Opening an item asks the model to click it with the left button and then asks
// for the panel to close (`finished`); Escape only asks to close. Main thread.
class SearchPanelModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the search panel")
    Q_PROPERTY(QString query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(int selection READ selection NOTIFY selectionChanged)
    Q_PROPERTY(QString emptyText READ emptyText NOTIFY rowsChanged)
    Q_PROPERTY(zorv::ItemRowsModel *results READ results CONSTANT)

public:
    // `sampledBarColor` gives the plate behind captured pictures (may be empty).
    SearchPanelModel(AppModel &model, ItemPictures *pictures,
                     std::function<std::optional<QColor>()> sampledBarColor,
                     QObject *parent = nullptr);

    [[nodiscard]] const QString &query() const { return m_query; }
    void setQuery(const QString &query);
    [[nodiscard]] int selection() const { return m_selection; }
    // Shown only while there are no results: the hint for an empty query, else that nothing
    // matches the query as typed.
    [[nodiscard]] QString emptyText() const;
    [[nodiscard]] ItemRowsModel *results() { return &m_rows; }

    // The panel came on screen: the model rescans.
    Q_INVOKABLE void appeared();
    // Moves the highlight by `delta` rows, stopping at the first and the last.
    Q_INVOKABLE void move(int delta);
    // Opens the highlighted result; nothing when the highlight is on no current result.
    Q_INVOKABLE void activateSelected();
    // Opens the result of the row (a click), whatever is highlighted.
    Q_INVOKABLE void activateRow(int row);
    // Command and a digit 1 to 9 open that result; false, leaving the key to the field, for any
    // other key, any other modifiers, or a digit beyond the results. `key` and `modifiers` are
    // Qt's (a Command combination carries no text, so the digit is read from the key).
    Q_INVOKABLE bool commandDigit(int key, int modifiers);
    Q_INVOKABLE void onEscape();

Q_SIGNALS:
    void queryChanged();
    void selectionChanged();
    void rowsChanged();
    // Close the panel.
    void finished();

private:
    [[nodiscard]] QList<MenuBarItem> currentResults() const;
    void onActivate(const MenuBarItem &item);
    void refreshRows();
    void setSelection(int selection);

    QPointer<AppModel> m_model;
    std::function<std::optional<QColor>()> m_sampledBarColor;
    ItemRowsModel m_rows;
    QString m_query;
    int m_selection = 0;
};

} // namespace zorv
