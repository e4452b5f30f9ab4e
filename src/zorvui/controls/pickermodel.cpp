#include "controls/pickermodel.h"

#include "models/valueequality.h"

#include <QJSValue>
#include <QVariantMap>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QVariant plain(const QVariant &value) {
    if (value.metaType() == QMetaType::fromType<QJSValue>()) {
        return value.value<QJSValue>().toVariant();
    }
    return value;
}

} // namespace

bool operator==(const PickerRow &a, const PickerRow &b) {
    return a.value.metaType() == b.value.metaType() && sameValue(a.value, b.value) &&
           a.label == b.label && a.icon == b.icon && a.selected == b.selected &&
           a.highlighted == b.highlighted && a.extra == b.extra;
}

PickerModel::PickerModel(QObject *parent)
    : QObject(parent),
      m_rows(new RowListModel<PickerRow>(
          {
              {"value", [](const PickerRow &row) { return row.value; }},
              {"label", [](const PickerRow &row) { return QVariant(row.label); }},
              {"icon", [](const PickerRow &row) { return row.icon; }},
              {"selected", [](const PickerRow &row) { return QVariant(row.selected); }},
              {"highlighted", [](const PickerRow &row) { return QVariant(row.highlighted); }},
              {"extra", [](const PickerRow &row) { return QVariant(row.extra); }},
          },
          this)) {}

void PickerModel::refreshRows() {
    QList<PickerRow> rows;
    rows.reserve(rowCount());
    for (int i = 0; i < m_options.size(); ++i) {
        const QVariantMap option = this->option(i);
        rows.append({option.value(u"value"_s), option.value(u"label"_s).toString(),
                     option.value(u"icon"_s), isSelected(i), i == m_highlighted, false});
    }
    if (m_hasExtra) {
        rows.append({{}, m_extraLabel, {}, false, m_highlighted == m_options.size(), true});
    }
    m_rows->setRows(std::move(rows));
}

void PickerModel::setOptions(const QVariantList &options) {
    m_options = options;
    refreshRows();
    Q_EMIT optionsChanged();
    Q_EMIT selectionChanged();
}

void PickerModel::setSelection(const QVariant &selection) {
    if (sameValue(selection, m_selection) && selection.metaType() == m_selection.metaType()) {
        return;
    }
    m_selection = selection;
    refreshRows();
    Q_EMIT selectionChanged();
}

void PickerModel::setHasExtra(bool hasExtra) {
    if (hasExtra == m_hasExtra) {
        return;
    }
    m_hasExtra = hasExtra;
    refreshRows();
    Q_EMIT optionsChanged();
}

void PickerModel::setExtraLabel(const QString &label) {
    if (label == m_extraLabel) {
        return;
    }
    m_extraLabel = label;
    refreshRows();
    Q_EMIT optionsChanged();
}

void PickerModel::setPlaceholder(const QString &placeholder) {
    if (placeholder == m_placeholder) {
        return;
    }
    m_placeholder = placeholder;
    Q_EMIT selectionChanged();
}

void PickerModel::setWidth(qreal width) {
    if (width == m_width || !std::isfinite(width)) {
        return;
    }
    m_width = width;
    Q_EMIT widthChanged();
}

void PickerModel::setPresented(bool presented) {
    if (presented == m_presented) {
        return;
    }
    m_presented = presented;
    Q_EMIT presentedChanged();
}

void PickerModel::setHighlighted(int highlighted) {
    if (highlighted == m_highlighted) {
        return;
    }
    m_highlighted = highlighted;
    refreshRows();
    Q_EMIT highlightedChanged();
}

QVariantMap PickerModel::option(int index) const {
    if (index < 0 || index >= m_options.size()) {
        return {};
    }
    return plain(m_options.at(index)).toMap();
}

int PickerModel::rowCount() const {
    return int(m_options.size()) + (m_hasExtra ? 1 : 0);
}

int PickerModel::currentIndex() const {
    for (int i = 0; i < m_options.size(); ++i) {
        if (isSelected(i)) {
            return i;
        }
    }
    return -1;
}

bool PickerModel::isSelected(int index) const {
    if (index < 0 || index >= m_options.size()) {
        return false;
    }
    return sameValue(option(index).value(u"value"_s), m_selection);
}

QString PickerModel::currentLabel() const {
    const int index = currentIndex();
    return index < 0 ? m_placeholder : option(index).value(u"label"_s).toString();
}

QVariant PickerModel::currentIcon() const {
    const int index = currentIndex();
    return index < 0 ? QVariant() : option(index).value(u"icon"_s);
}

qreal PickerModel::listWidth() const {
    return qMax(minimumListWidth, m_width);
}

qreal PickerModel::listHeight() const {
    return qMin(maximumListHeight, rowPitch * qreal(m_options.size()) + (m_hasExtra ? 50 : 12));
}

void PickerModel::toggle() {
    setHighlighted(qMax(0, currentIndex()));
    setPresented(!m_presented);
}

void PickerModel::choose(int index) {
    setPresented(false);
    if (index >= 0 && index < m_options.size()) {
        const QVariant value = option(index).value(u"value"_s);
        setSelection(value);
        Q_EMIT chosen(value);
    } else if (m_hasExtra) {
        Q_EMIT extraChosen();
    }
}

void PickerModel::move(int step) {
    const int rows = rowCount();
    if (rows == 0) {
        return;
    }
    setHighlighted(((m_highlighted + step) % rows + rows) % rows);
}

} // namespace zorv
