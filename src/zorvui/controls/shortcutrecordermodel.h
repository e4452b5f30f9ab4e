#pragma once

#include "controls/mackeys.h"
#include "settings/keyshortcut.h"

#include <QObject>
#include <QPointer>
#include <QQuickItem>
#include <QStringList>
#include <QVariant>
#include <QWindow>
#include <QtQmlIntegration>

#include <optional>

namespace zorv {

// The logic behind ShortcutRecorder.qml: shows the shortcut in force (or the owner's default
// display) as caps; armed, it watches every key-down of the application, consumes them all (keys
// meant for other fields too) and decides each by ShortcutRule. A recorded shortcut, or a reset,
// goes to `recorded`; the owner stores it. Disarming, or destroying the model, stops watching; so
// does the recorder's `view` disappearing: hidden (itself or an ancestor), taken out of its
// window, or its window closed. A hidden recorder does not arm.
//
// In QML a shortcut is {keyCode, modifiers} or null.
class ShortcutRecorderModel : public QObject {
    Q_OBJECT
    QML_ELEMENT

    Q_PROPERTY(QVariant current READ currentValue WRITE setCurrentValue NOTIFY currentChanged)
    Q_PROPERTY(
        QString defaultDisplay READ defaultDisplay WRITE setDefaultDisplay NOTIFY currentChanged)
    Q_PROPERTY(QStringList caps READ caps NOTIFY currentChanged)
    Q_PROPERTY(bool recording READ isRecording NOTIFY recordingChanged)
    Q_PROPERTY(QString help READ help NOTIFY recordingChanged)
    // The item that shows the recorder; while it is not on screen the recorder stays disarmed.
    Q_PROPERTY(QQuickItem *view READ view WRITE setView NOTIFY viewChanged)

public:
    explicit ShortcutRecorderModel(QObject *parent = nullptr);
    ~ShortcutRecorderModel() override;

    [[nodiscard]] std::optional<KeyShortcut> current() const { return m_current; }
    void setCurrent(std::optional<KeyShortcut> current);
    [[nodiscard]] QVariant currentValue() const;
    void setCurrentValue(const QVariant &value);
    [[nodiscard]] QString defaultDisplay() const { return m_defaultDisplay; }
    void setDefaultDisplay(const QString &display);

    [[nodiscard]] QStringList caps() const;
    [[nodiscard]] bool isRecording() const { return m_recording; }
    [[nodiscard]] QString help() const;
    [[nodiscard]] QQuickItem *view() const { return m_view; }
    void setView(QQuickItem *view);

    Q_INVOKABLE void toggle();
    Q_INVOKABLE void startRecording();
    Q_INVOKABLE void stopRecording();
    // Decides one key press while armed; false when not armed.
    bool handleKey(MacKeyPress press);

    [[nodiscard]] static QVariant toValue(const std::optional<KeyShortcut> &shortcut);

Q_SIGNALS:
    void currentChanged();
    void recordingChanged();
    void viewChanged();
    // A shortcut was recorded (`shortcut` {keyCode, modifiers}) or reset (`shortcut` null).
    void recorded(const QVariant &shortcut);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Whether the view (when there is one) is visible in a window that is shown.
    [[nodiscard]] bool viewShowing() const;
    void followWindow();
    void disarmUnlessShowing();

    std::optional<KeyShortcut> m_current;
    QString m_defaultDisplay;
    bool m_recording = false;
    QPointer<QQuickItem> m_view;
    QPointer<QWindow> m_window;
    QMetaObject::Connection m_windowVisibility;
};

} // namespace zorv
