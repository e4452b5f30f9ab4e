#include "controls/pickermodel.h"

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

bool isNothing(const QVariant &value) {
    return !value.isValid() || value.isNull() ||
           value.metaType() == QMetaType::fromType<std::nullptr_t>();
}

} // namespace

PickerModel::PickerModel(QObject *parent) : QObject(parent) {}

bool PickerModel::sameValue(const QVariant &a, const QVariant &b) {
    const QVariant left = plain(a);
    const QVariant right = plain(b);
    if (isNothing(left) || isNothing(right)) {
        return isNothing(left) && isNothing(right);
    }
    return left == right;
}

void PickerModel::setOptions(const QVariantList &options) {
    m_options = options;
    Q_EMIT optionsChanged();
    Q_EMIT selectionChanged();
}

void PickerModel::setSelection(const QVariant &selection) {
    if (sameValue(selection, m_selection) && selection.metaType() == m_selection.metaType()) {
        return;
    }
    m_selection = selection;
    Q_EMIT selectionChanged();
}

void PickerModel::setHasExtra(bool hasExtra) {
    if (hasExtra == m_hasExtra) {
        return;
    }
    m_hasExtra = hasExtra;
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

QString PickerModel::labelAt(int index) const {
    return option(index).value(u"label"_s).toString();
}

QVariant PickerModel::iconAt(int index) const {
    return option(index).value(u"icon"_s);
}

QString PickerModel::currentLabel() const {
    const int index = currentIndex();
    return index < 0 ? m_placeholder : labelAt(index);
}

QVariant PickerModel::currentIcon() const {
    const int index = currentIndex();
    return index < 0 ? QVariant() : iconAt(index);
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
