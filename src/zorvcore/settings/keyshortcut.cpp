#include "keyshortcut.h"

#include <QHash>
#include <QJsonObject>
#include <QTextBoundaryFinder>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

const QHash<quint16, QString> &keyNames() {
    static const QHash<quint16, QString> names = {
        {0, u"A"_s},        {1, u"S"_s},        {2, u"D"_s},        {3, u"F"_s},
        {4, u"H"_s},        {5, u"G"_s},        {6, u"Z"_s},        {7, u"X"_s},
        {8, u"C"_s},        {9, u"V"_s},        {11, u"B"_s},       {12, u"Q"_s},
        {13, u"W"_s},       {14, u"E"_s},       {15, u"R"_s},       {16, u"Y"_s},
        {17, u"T"_s},       {18, u"1"_s},       {19, u"2"_s},       {20, u"3"_s},
        {21, u"4"_s},       {22, u"6"_s},       {23, u"5"_s},       {24, u"="_s},
        {25, u"9"_s},       {26, u"7"_s},       {27, u"-"_s},       {28, u"8"_s},
        {29, u"0"_s},       {30, u"]"_s},       {31, u"O"_s},       {32, u"U"_s},
        {33, u"["_s},       {34, u"I"_s},       {35, u"P"_s},       {36, u"\u21A9"_s},
        {37, u"L"_s},       {38, u"J"_s},       {39, u"'"_s},       {40, u"K"_s},
        {41, u";"_s},       {42, u"\\"_s},      {43, u","_s},       {44, u"/"_s},
        {45, u"N"_s},       {46, u"M"_s},       {47, u"."_s},       {48, u"\u21E5"_s},
        {49, u"Space"_s},   {50, u"`"_s},       {51, u"\u232B"_s},  {53, u"\u238B"_s},
        {96, u"F5"_s},      {97, u"F6"_s},      {98, u"F7"_s},      {99, u"F3"_s},
        {100, u"F8"_s},     {101, u"F9"_s},     {103, u"F11"_s},    {109, u"F10"_s},
        {111, u"F12"_s},    {118, u"F4"_s},     {120, u"F2"_s},     {122, u"F1"_s},
        {123, u"\u2190"_s}, {124, u"\u2192"_s}, {125, u"\u2193"_s}, {126, u"\u2191"_s},
    };
    return names;
}

} // namespace

const QStringList &KeyShortcut::modifierGlyphs() {
    static const QStringList glyphs = {u"\u2303"_s, u"\u2325"_s, u"\u21E7"_s, u"\u2318"_s};
    return glyphs;
}

QString KeyShortcut::keyName(quint16 keyCode) {
    const auto &names = keyNames();
    const auto found = names.constFind(keyCode);
    return found != names.cend() ? *found : u"key "_s + QString::number(keyCode);
}

QString KeyShortcut::display() const {
    static constexpr quint64 order[] = {kControl, kOption, kShift, kCommand};
    QString text;
    for (int i = 0; i < 4; ++i) {
        if (m_modifiers & order[i]) {
            text += modifierGlyphs().at(i);
        }
    }
    return text + keyName(m_keyCode);
}

QStringList KeyShortcut::caps() const {
    return caps(display());
}

QStringList KeyShortcut::caps(const QString &display) {
    // Walk whole grapheme clusters: a glyph followed by a combining mark is not a modifier.
    QStringList result;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, display);
    qsizetype start = 0;
    while (start < display.size()) {
        finder.setPosition(start);
        const qsizetype end = finder.toNextBoundary();
        const QString cluster = display.mid(start, end - start);
        if (!modifierGlyphs().contains(cluster)) {
            result.append(display.mid(start));
            break;
        }
        result.append(cluster);
        start = end;
    }
    return result;
}

QJsonValue KeyShortcut::toJson() const {
    return QJsonObject{{u"keyCode"_s, int(m_keyCode)},
                       {u"modifiers"_s, QJsonValue(qint64(m_modifiers))}};
}

KeyShortcut KeyShortcut::fromJson(const JsonValueRef &value) {
    const JsonObjectRef object = value.toObject();
    const auto keyCode = object.required(u"keyCode").toInt<quint16>();
    const auto modifiers =
        object.required(u"modifiers").toInteger(0, std::numeric_limits<qint64>::max());
    return KeyShortcut(keyCode, quint64(modifiers));
}

} // namespace zorv
