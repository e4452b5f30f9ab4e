#pragma once

#include <QColor>
#include <QQuickPaintedItem>
#include <QStringList>
#include <QtQmlIntegration>

namespace zorv {

// A status-menu row drawn by hand so that it lines up with the menu's own rows: a system symbol
// at the leading edge, the title, and at the trailing edge either key caps or a short text (a
// version number). Rows are 24 points high; the caller gives the menu's width, which must be at
// least requiredWidth() of every row. Releasing the mouse on the row asks the menu to close
// first and then fires the row's action.
class TrailingMenuRow : public QQuickPaintedItem {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY contentChanged)
    Q_PROPERTY(QString symbol READ symbol WRITE setSymbol NOTIFY contentChanged)
    // Key-cap labels at the trailing edge; `trailingText` is shown instead when it is set.
    Q_PROPERTY(QStringList keys READ keys WRITE setKeys NOTIFY contentChanged)
    Q_PROPERTY(QString trailingText READ trailingText WRITE setTrailingText NOTIFY contentChanged)
    // Set by the menu while the row is its highlighted row.
    Q_PROPERTY(bool highlighted READ isHighlighted WRITE setHighlighted NOTIFY contentChanged)
    Q_PROPERTY(QColor textColor MEMBER m_textColor NOTIFY contentChanged)
    Q_PROPERTY(QColor secondaryTextColor MEMBER m_secondaryTextColor NOTIFY contentChanged)
    Q_PROPERTY(QColor selectionColor MEMBER m_selectionColor NOTIFY contentChanged)
    Q_PROPERTY(QColor selectedTextColor MEMBER m_selectedTextColor NOTIFY contentChanged)

public:
    static constexpr qreal rowHeight = 24;
    static constexpr qreal symbolLeft = 17;
    static constexpr qreal titleLeft = 37.5;
    static constexpr qreal trailingInset = 21;
    static constexpr qreal titleToTrailingGap = 24;

    explicit TrailingMenuRow(QQuickItem *parent = nullptr);

    // The width a row with key caps needs: title, the leading 37.5, a 24-point gap, the caps and
    // the 21-point trailing inset, rounded up. The menu takes the largest over its rows.
    Q_INVOKABLE [[nodiscard]] static qreal requiredWidth(const QString &title,
                                                         const QStringList &keys);
    // The menu's font (the system's default menu size).
    [[nodiscard]] static QFont menuFont();

    [[nodiscard]] QString title() const { return m_title; }
    void setTitle(const QString &title);
    [[nodiscard]] QString symbol() const { return m_symbol; }
    void setSymbol(const QString &symbol);
    [[nodiscard]] QStringList keys() const { return m_keys; }
    void setKeys(const QStringList &keys);
    [[nodiscard]] QString trailingText() const { return m_trailingText; }
    void setTrailingText(const QString &text);
    [[nodiscard]] bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

    void paint(QPainter *painter) override;

Q_SIGNALS:
    void contentChanged();
    // In this order on a release over the row: close the menu, then run the action.
    void closeMenuRequested();
    void triggered();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void changed();

    QString m_title;
    QString m_symbol;
    QStringList m_keys;
    QString m_trailingText;
    bool m_highlighted = false;
    QColor m_textColor;
    QColor m_secondaryTextColor;
    QColor m_selectionColor;
    QColor m_selectedTextColor;
};

} // namespace zorv
