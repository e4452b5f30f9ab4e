#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QPointer>
#include <QtQmlIntegration>

class QJSEngine;
class QQmlEngine;

namespace zorv {

class SystemAppearance;

// The shared look: the palette and metrics every window, pane and panel draws with, known to QML as
// the singleton `Zorv`. Each colour has a value for the light and one for the dark appearance; the
// palette follows the system's effective appearance and announces every switch. A value that
// does not parse shows as the appearance's text colour (black on light, white on dark).
class ZorvStyle : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Zorv)
    QML_SINGLETON

    Q_PROPERTY(bool dark READ isDark NOTIFY changed)
    Q_PROPERTY(QColor paper READ paper NOTIFY changed)
    Q_PROPERTY(QColor paper2 READ paper2 NOTIFY changed)
    Q_PROPERTY(QColor card READ card NOTIFY changed)
    Q_PROPERTY(QColor ink READ ink NOTIFY changed)
    Q_PROPERTY(QColor ink2 READ ink2 NOTIFY changed)
    Q_PROPERTY(QColor line READ line NOTIFY changed)
    Q_PROPERTY(QColor line2 READ line2 NOTIFY changed)
    Q_PROPERTY(QColor honey READ honey NOTIFY changed)
    Q_PROPERTY(QColor honeyInk READ honeyInk NOTIFY changed)
    Q_PROPERTY(QColor espresso READ espresso NOTIFY changed)
    Q_PROPERTY(QColor onEspresso READ onEspresso NOTIFY changed)
    Q_PROPERTY(QColor onEspresso2 READ onEspresso2 NOTIFY changed)
    // The accent button's label, the same in both appearances.
    Q_PROPERTY(QColor accentLabel READ accentLabel CONSTANT)
    // The system's red, for destructive buttons.
    Q_PROPERTY(QColor red READ red NOTIFY changed)

    // The family of mono(), for texts that set the font's parts one by one (letter spacing).
    Q_PROPERTY(QString monoFamily READ monoFamily CONSTANT)

    Q_PROPERTY(qreal radius MEMBER radius CONSTANT)
    Q_PROPERTY(qreal controlWidth MEMBER controlWidth CONSTANT)
    Q_PROPERTY(qreal sliderWidth MEMBER sliderWidth CONSTANT)
    Q_PROPERTY(qreal readoutWidth MEMBER readoutWidth CONSTANT)
    Q_PROPERTY(qreal fieldWidth MEMBER fieldWidth CONSTANT)
    Q_PROPERTY(qreal fieldInset MEMBER fieldInset CONSTANT)

public:
    // Corner radius of cards and banners.
    static constexpr qreal radius = 12;
    // A settings row's control slot, and the widths panes give sliders, readouts and fields.
    static constexpr qreal controlWidth = 300;
    static constexpr qreal sliderWidth = 203;
    static constexpr qreal readoutWidth = 40;
    static constexpr qreal fieldWidth = 260;
    static constexpr qreal fieldInset = 9;

    enum class Role {
        Paper,
        Paper2,
        Card,
        Ink,
        Ink2,
        Line,
        Line2,
        Honey,
        HoneyInk,
        Espresso,
        OnEspresso,
        OnEspresso2,
    };

    // Follows `appearance`; without one it stays light.
    explicit ZorvStyle(SystemAppearance *appearance, QObject *parent = nullptr);
    // The QML engine's instance, following the appearance of the kit installed on the engine.
    static ZorvStyle *create(QQmlEngine *engine, QJSEngine *);

    // The value of a pair of hex texts under the named appearance (see SystemAppearance::isDark).
    [[nodiscard]] static QColor resolve(const QString &darkHex, const QString &lightHex,
                                        const QString &appearanceName);
    [[nodiscard]] static QColor resolve(Role role, const QString &appearanceName);

    [[nodiscard]] bool isDark() const;
    [[nodiscard]] QColor color(Role role) const;
    // For views with colours of their own: the same resolution as the palette's.
    Q_INVOKABLE [[nodiscard]] QColor pair(const QString &darkHex, const QString &lightHex) const;

    // The monospaced system font of that size (points) and weight (QFont::Weight).
    Q_INVOKABLE [[nodiscard]] static QFont mono(qreal size, int weight);
    [[nodiscard]] static QString monoFamily();
    // The bold system font of that size.
    Q_INVOKABLE [[nodiscard]] static QFont display(qreal size);
    // Running text with "{token}"s as inline key caps, laid out in paragraphs of words (see
    // KeyCapText::layoutValue); KeysText.qml draws it.
    Q_INVOKABLE [[nodiscard]] static QVariantList keysLayout(const QString &text);
    // The same text as a screen reader says it (see KeyCapText::spoken).
    Q_INVOKABLE [[nodiscard]] static QString keysSpoken(const QString &text);

    [[nodiscard]] QColor paper() const { return color(Role::Paper); }
    [[nodiscard]] QColor paper2() const { return color(Role::Paper2); }
    [[nodiscard]] QColor card() const { return color(Role::Card); }
    [[nodiscard]] QColor ink() const { return color(Role::Ink); }
    [[nodiscard]] QColor ink2() const { return color(Role::Ink2); }
    [[nodiscard]] QColor line() const { return color(Role::Line); }
    [[nodiscard]] QColor line2() const { return color(Role::Line2); }
    [[nodiscard]] QColor honey() const { return color(Role::Honey); }
    [[nodiscard]] QColor honeyInk() const { return color(Role::HoneyInk); }
    [[nodiscard]] QColor espresso() const { return color(Role::Espresso); }
    [[nodiscard]] QColor onEspresso() const { return color(Role::OnEspresso); }
    [[nodiscard]] QColor onEspresso2() const { return color(Role::OnEspresso2); }
    [[nodiscard]] static QColor accentLabel();
    [[nodiscard]] QColor red() const;

Q_SIGNALS:
    void changed();

private:
    [[nodiscard]] QString appearanceName() const;

    QPointer<SystemAppearance> m_appearance;
};

} // namespace zorv
