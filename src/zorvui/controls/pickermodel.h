#pragma once

#include "models/rowlistmodel.h"

#include <QAbstractItemModel>
#include <QObject>
#include <QVariant>
#include <QtQmlIntegration>

namespace zorv {

// One row of the picker's open list: an option, or the extra row under them.
struct PickerRow {
    QVariant value;
    QString label;
    QVariant icon;
    bool selected = false;
    bool highlighted = false;
    bool extra = false;

    // Values compare as the picker compares them (see sameValue()), and of the same type, so a
    // row whose value turns from 1 into "1" counts as changed.
    friend bool operator==(const PickerRow &a, const PickerRow &b);
};

// The logic behind ZorvPicker.qml: which option matches the selection, what the closed field
// shows, the keyboard highlight of the open list (walking round through the options and the
// optional extra row), choosing a row, and the list's size, computed from the option count. The
// open list's rows come from `rows`, a list model kept up to date with the options, the
// selection and the highlight (roles value, label, icon, selected, highlighted, extra).
//
// Options are {value, label, icon} objects; values of any kind (strings, numbers, null for "no
// choice") are compared by sameValue(): null matches null, "1" does not match 1.
class PickerModel : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(QVariantList options READ options WRITE setOptions NOTIFY optionsChanged)
    Q_PROPERTY(QVariant selection READ selection WRITE setSelection NOTIFY selectionChanged)
    Q_PROPERTY(bool hasExtra READ hasExtra WRITE setHasExtra NOTIFY optionsChanged)
    Q_PROPERTY(QString extraLabel READ extraLabel WRITE setExtraLabel NOTIFY optionsChanged)
    Q_PROPERTY(QString placeholder READ placeholder WRITE setPlaceholder NOTIFY selectionChanged)
    Q_PROPERTY(qreal width READ width WRITE setWidth NOTIFY widthChanged)
    Q_PROPERTY(bool presented READ isPresented WRITE setPresented NOTIFY presentedChanged)
    Q_PROPERTY(int highlighted READ highlighted NOTIFY highlightedChanged)

    Q_PROPERTY(int rowCount READ rowCount NOTIFY optionsChanged)
    Q_PROPERTY(int currentIndex READ currentIndex NOTIFY selectionChanged)
    Q_PROPERTY(QString currentLabel READ currentLabel NOTIFY selectionChanged)
    Q_PROPERTY(QVariant currentIcon READ currentIcon NOTIFY selectionChanged)
    Q_PROPERTY(bool isPlaceholder READ isPlaceholder NOTIFY selectionChanged)
    Q_PROPERTY(qreal listWidth READ listWidth NOTIFY widthChanged)
    Q_PROPERTY(qreal listHeight READ listHeight NOTIFY optionsChanged)
    Q_PROPERTY(QAbstractItemModel *rows READ rows CONSTANT)

public:
    static constexpr qreal minimumListWidth = 260;
    static constexpr qreal maximumListHeight = 340;
    static constexpr qreal rowPitch = 32;

    explicit PickerModel(QObject *parent = nullptr);

    [[nodiscard]] QVariantList options() const { return m_options; }
    void setOptions(const QVariantList &options);
    [[nodiscard]] QVariant selection() const { return m_selection; }
    void setSelection(const QVariant &selection);
    [[nodiscard]] bool hasExtra() const { return m_hasExtra; }
    void setHasExtra(bool hasExtra);
    [[nodiscard]] QString extraLabel() const { return m_extraLabel; }
    void setExtraLabel(const QString &label);
    [[nodiscard]] QString placeholder() const { return m_placeholder; }
    void setPlaceholder(const QString &placeholder);
    [[nodiscard]] qreal width() const { return m_width; }
    void setWidth(qreal width);
    [[nodiscard]] bool isPresented() const { return m_presented; }
    void setPresented(bool presented);
    [[nodiscard]] int highlighted() const { return m_highlighted; }

    // Options, plus the extra row when there is one.
    [[nodiscard]] int rowCount() const;
    // The first option whose value equals the selection; -1 for none.
    [[nodiscard]] int currentIndex() const;
    [[nodiscard]] QString currentLabel() const;
    [[nodiscard]] QVariant currentIcon() const;
    [[nodiscard]] bool isPlaceholder() const { return currentIndex() < 0; }
    [[nodiscard]] qreal listWidth() const;
    [[nodiscard]] qreal listHeight() const;
    [[nodiscard]] RowListModel<PickerRow> *rows() const { return m_rows; }

    // Whether option `index` has the selected value.
    [[nodiscard]] bool isSelected(int index) const;
    // A click on the closed field: highlight the selected option (or row 0) and open or close.
    Q_INVOKABLE void toggle();
    // Closes the list; an option row writes its value to the selection (`chosen`), any other
    // row asks for the extra action (`extraChosen`).
    Q_INVOKABLE void choose(int index);
    // Moves the highlight one row up (-1) or down (+1), round from the last row to the first.
    Q_INVOKABLE void move(int step);

Q_SIGNALS:
    void optionsChanged();
    void selectionChanged();
    void widthChanged();
    void presentedChanged();
    void highlightedChanged();
    void chosen(const QVariant &value);
    void extraChosen();

private:
    void setHighlighted(int highlighted);
    [[nodiscard]] QVariantMap option(int index) const;
    void refreshRows();

    QVariantList m_options;
    QVariant m_selection;
    bool m_hasExtra = false;
    QString m_extraLabel;
    QString m_placeholder;
    qreal m_width = minimumListWidth;
    bool m_presented = false;
    int m_highlighted = 0;
    RowListModel<PickerRow> *m_rows;
};

} // namespace zorv
