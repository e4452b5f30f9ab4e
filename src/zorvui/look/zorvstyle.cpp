#include "look/zorvstyle.h"

#include "keycaps/keycaptext.h"
#include "kit/zorvkit.h"
#include "look/hexcolor.h"
#include "systemappearance.h"

#include <QFontDatabase>
#include <QQmlEngine>
#include <QtDebug>

#include <array>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

struct HexPair {
    QString dark;
    QString light;
};

// Edges (line, line2, the espresso strip) keep at least 1.5:1 against the paper and the card, and
// secondary and disabled texts (ink2, honeyInk) at least 3:1 against what they sit on, in both
// appearances.
const std::array<HexPair, 12> &palette() {
    static const std::array<HexPair, 12> pairs = {{
        {u"#14110D"_s, u"#F7F3EC"_s}, // paper
        {u"#1A1611"_s, u"#EFE9DE"_s}, // paper2
        {u"#1F1A14"_s, u"#FFFCF6"_s}, // card
        {u"#F4EDE1"_s, u"#1F1911"_s}, // ink
        {u"#A89B87"_s, u"#6A5F50"_s}, // ink2
        {u"#4A3D2B"_s, u"#D0C2A9"_s}, // line
        {u"#5C4C36"_s, u"#BFAE90"_s}, // line2
        {u"#F0B24A"_s, u"#E79A2B"_s}, // honey
        {u"#F5D9A4"_s, u"#8A5A16"_s}, // honeyInk
        {u"#40352A"_s, u"#1B1410"_s}, // espresso
        {u"#F3ECE0"_s, u"#F3ECE0"_s}, // onEspresso
        {u"#A2937D"_s, u"#A2937D"_s}, // onEspresso2
    }};
    return pairs;
}

} // namespace

ZorvStyle::ZorvStyle(SystemAppearance *appearance, QObject *parent)
    : QObject(parent), m_appearance(appearance) {
    if (appearance) {
        connect(appearance, &SystemAppearance::effectiveAppearanceChanged, this,
                &ZorvStyle::changed);
    }
}

ZorvStyle *ZorvStyle::create(QQmlEngine *engine, QJSEngine *) {
    ZorvKit *kit = ZorvKit::of(engine);
    if (!kit) {
        qWarning("ZorvUI: no kit installed on the QML engine; the palette stays light");
        return new ZorvStyle(nullptr);
    }
    return new ZorvStyle(&kit->appearance());
}

QColor ZorvStyle::resolve(const QString &darkHex, const QString &lightHex,
                          const QString &appearanceName) {
    const bool dark = SystemAppearance::isDark(appearanceName);
    if (auto parsed = HexColor::parse(dark ? darkHex : lightHex)) {
        return *parsed;
    }
    return dark ? QColor(Qt::white) : QColor(Qt::black);
}

QColor ZorvStyle::resolve(Role role, const QString &appearanceName) {
    const HexPair &pair = palette().at(static_cast<std::size_t>(role));
    return resolve(pair.dark, pair.light, appearanceName);
}

QString ZorvStyle::appearanceName() const {
    return m_appearance ? m_appearance->effectiveAppearanceName() : AppearanceName::aqua;
}

bool ZorvStyle::isDark() const {
    return SystemAppearance::isDark(appearanceName());
}

QColor ZorvStyle::color(Role role) const {
    return resolve(role, appearanceName());
}

QColor ZorvStyle::pair(const QString &darkHex, const QString &lightHex) const {
    return resolve(darkHex, lightHex, appearanceName());
}

QColor ZorvStyle::accentLabel() {
    return HexColor::parse(u"#2A1B08").value_or(QColor(Qt::black));
}

QColor ZorvStyle::red() const {
    return isDark() ? QColor(0xFF, 0x45, 0x3A) : QColor(0xFF, 0x3B, 0x30);
}

QFont ZorvStyle::mono(qreal size, int weight) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(qMax(1, qRound(size)));
    font.setWeight(static_cast<QFont::Weight>(weight));
    return font;
}

QString ZorvStyle::monoFamily() {
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QFont ZorvStyle::display(qreal size) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(qMax(1, qRound(size)));
    font.setBold(true);
    return font;
}

QVariantList ZorvStyle::keysLayout(const QString &text) {
    return KeyCapText::layoutValue(text);
}

QString ZorvStyle::keysSpoken(const QString &text) {
    return KeyCapText::spoken(text);
}

} // namespace zorv
