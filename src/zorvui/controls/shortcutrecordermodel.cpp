#include "controls/shortcutrecordermodel.h"

#include "controls/shortcutrule.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QVariantMap>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorv {

ShortcutRecorderModel::ShortcutRecorderModel(QObject *parent) : QObject(parent) {}

ShortcutRecorderModel::~ShortcutRecorderModel() {
    if (m_recording && QCoreApplication::instance()) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

void ShortcutRecorderModel::setCurrent(std::optional<KeyShortcut> current) {
    if (current == m_current) {
        return;
    }
    m_current = current;
    Q_EMIT currentChanged();
}

QVariant ShortcutRecorderModel::toValue(const std::optional<KeyShortcut> &shortcut) {
    if (!shortcut) {
        return {};
    }
    return QVariantMap{{u"keyCode"_s, int(shortcut->keyCode())},
                       {u"modifiers"_s, double(shortcut->modifiers())}};
}

QVariant ShortcutRecorderModel::currentValue() const {
    return toValue(m_current);
}

void ShortcutRecorderModel::setCurrentValue(const QVariant &value) {
    const QVariantMap map = value.toMap();
    bool codeOk = false;
    bool modifiersOk = false;
    const int code = map.value(u"keyCode"_s).toInt(&codeOk);
    const double modifiers = map.value(u"modifiers"_s).toDouble(&modifiersOk);
    // Anything that is not a whole, representable shortcut counts as none.
    if (!codeOk || !modifiersOk || code < 0 || code > 0xFFFF || !std::isfinite(modifiers) ||
        modifiers < 0 || modifiers > 9007199254740992.0 || std::floor(modifiers) != modifiers) {
        setCurrent(std::nullopt);
        return;
    }
    setCurrent(KeyShortcut(quint16(code), quint64(modifiers)));
}

void ShortcutRecorderModel::setDefaultDisplay(const QString &display) {
    if (display == m_defaultDisplay) {
        return;
    }
    m_defaultDisplay = display;
    Q_EMIT currentChanged();
}

QStringList ShortcutRecorderModel::caps() const {
    return KeyShortcut::caps(m_current ? m_current->display() : m_defaultDisplay);
}

QString ShortcutRecorderModel::help() const {
    return m_recording ? tr("Press the new shortcut, including ⌘, ⌥ or ⌃. Esc cancels; Delete "
                            "resets it.")
                       : tr("Click, then press the new shortcut.");
}

void ShortcutRecorderModel::setView(QQuickItem *view) {
    if (view == m_view) {
        return;
    }
    if (m_view) {
        disconnect(m_view, nullptr, this, nullptr);
    }
    m_view = view;
    if (m_view) {
        connect(m_view, &QQuickItem::visibleChanged, this,
                &ShortcutRecorderModel::disarmUnlessShowing);
        connect(m_view, &QQuickItem::windowChanged, this, &ShortcutRecorderModel::followWindow);
    }
    followWindow();
    Q_EMIT viewChanged();
}

void ShortcutRecorderModel::followWindow() {
    QWindow *window = m_view ? m_view->window() : nullptr;
    if (window != m_window) {
        disconnect(m_windowVisibility);
        m_window = window;
        if (m_window) {
            m_windowVisibility = connect(m_window, &QWindow::visibleChanged, this,
                                         &ShortcutRecorderModel::disarmUnlessShowing);
        }
    }
    disarmUnlessShowing();
}

bool ShortcutRecorderModel::viewShowing() const {
    if (!m_view) {
        return true;
    }
    return m_view->isVisible() && m_view->window() && m_view->window()->isVisible();
}

void ShortcutRecorderModel::disarmUnlessShowing() {
    if (!viewShowing()) {
        stopRecording();
    }
}

void ShortcutRecorderModel::toggle() {
    m_recording ? stopRecording() : startRecording();
}

void ShortcutRecorderModel::startRecording() {
    if (m_recording || !QCoreApplication::instance() || !viewShowing()) {
        return;
    }
    QCoreApplication::instance()->installEventFilter(this);
    m_recording = true;
    Q_EMIT recordingChanged();
}

void ShortcutRecorderModel::stopRecording() {
    if (!m_recording) {
        return;
    }
    QCoreApplication::instance()->removeEventFilter(this);
    m_recording = false;
    Q_EMIT recordingChanged();
}

bool ShortcutRecorderModel::handleKey(MacKeyPress press) {
    if (!m_recording) {
        return false;
    }
    const ShortcutRule::Outcome outcome = ShortcutRule::decide(press);
    if (std::holds_alternative<ShortcutRule::Cancel>(outcome)) {
        stopRecording();
    } else if (std::holds_alternative<ShortcutRule::Reset>(outcome)) {
        stopRecording();
        Q_EMIT recorded(QVariant());
    } else if (const auto *record = std::get_if<ShortcutRule::Record>(&outcome)) {
        stopRecording();
        Q_EMIT recorded(toValue(record->shortcut));
    }
    return true;
}

bool ShortcutRecorderModel::eventFilter(QObject *watched, QEvent *event) {
    // The filter sits on the application and consumes every key-down where it first shows up
    // (the window), so no field or shortcut of the application sees it.
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        event->accept();
        return true;
    case QEvent::KeyPress:
        if (const auto press = MacKeys::press(*static_cast<QKeyEvent *>(event))) {
            handleKey(*press);
        }
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace zorv
