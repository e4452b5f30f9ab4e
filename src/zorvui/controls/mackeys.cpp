#include "controls/mackeys.h"

#include "settings/keyshortcut.h"

#include <QGuiApplication>
#include <QHash>
#include <QKeyEvent>

namespace zorv {

namespace {

const QHash<int, quint16> &codeByQtKey() {
    static const QHash<int, quint16> codes = {
        {Qt::Key_A, 0},           {Qt::Key_S, 1},          {Qt::Key_D, 2},
        {Qt::Key_F, 3},           {Qt::Key_H, 4},          {Qt::Key_G, 5},
        {Qt::Key_Z, 6},           {Qt::Key_X, 7},          {Qt::Key_C, 8},
        {Qt::Key_V, 9},           {Qt::Key_B, 11},         {Qt::Key_Q, 12},
        {Qt::Key_W, 13},          {Qt::Key_E, 14},         {Qt::Key_R, 15},
        {Qt::Key_Y, 16},          {Qt::Key_T, 17},         {Qt::Key_1, 18},
        {Qt::Key_2, 19},          {Qt::Key_3, 20},         {Qt::Key_4, 21},
        {Qt::Key_6, 22},          {Qt::Key_5, 23},         {Qt::Key_Equal, 24},
        {Qt::Key_9, 25},          {Qt::Key_7, 26},         {Qt::Key_Minus, 27},
        {Qt::Key_8, 28},          {Qt::Key_0, 29},         {Qt::Key_BracketRight, 30},
        {Qt::Key_O, 31},          {Qt::Key_U, 32},         {Qt::Key_BracketLeft, 33},
        {Qt::Key_I, 34},          {Qt::Key_P, 35},         {Qt::Key_Return, 36},
        {Qt::Key_Enter, 76},      {Qt::Key_L, 37},         {Qt::Key_J, 38},
        {Qt::Key_Apostrophe, 39}, {Qt::Key_K, 40},         {Qt::Key_Semicolon, 41},
        {Qt::Key_Backslash, 42},  {Qt::Key_Comma, 43},     {Qt::Key_Slash, 44},
        {Qt::Key_N, 45},          {Qt::Key_M, 46},         {Qt::Key_Period, 47},
        {Qt::Key_Tab, 48},        {Qt::Key_Backtab, 48},   {Qt::Key_Space, 49},
        {Qt::Key_QuoteLeft, 50},  {Qt::Key_Backspace, 51}, {Qt::Key_Escape, 53},
        {Qt::Key_F17, 64},        {Qt::Key_F18, 79},       {Qt::Key_F19, 80},
        {Qt::Key_F20, 90},        {Qt::Key_F5, 96},        {Qt::Key_F6, 97},
        {Qt::Key_F7, 98},         {Qt::Key_F3, 99},        {Qt::Key_F8, 100},
        {Qt::Key_F9, 101},        {Qt::Key_F11, 103},      {Qt::Key_F13, 105},
        {Qt::Key_F16, 106},       {Qt::Key_F14, 107},      {Qt::Key_F10, 109},
        {Qt::Key_F12, 111},       {Qt::Key_F15, 113},      {Qt::Key_Help, 114},
        {Qt::Key_Home, 115},      {Qt::Key_PageUp, 116},   {Qt::Key_Delete, 117},
        {Qt::Key_F4, 118},        {Qt::Key_End, 119},      {Qt::Key_F2, 120},
        {Qt::Key_PageDown, 121},  {Qt::Key_F1, 122},       {Qt::Key_Left, 123},
        {Qt::Key_Right, 124},     {Qt::Key_Down, 125},     {Qt::Key_Up, 126},
    };
    return codes;
}

// Linux input codes of the keys with a mac key code, by place on the keyboard.
const QHash<quint32, quint16> &codeByInputCode() {
    static const QHash<quint32, quint16> codes = {
        {1, 53},    {2, 18},    {3, 19},    {4, 20},    {5, 21},    {6, 23},    {7, 22},
        {8, 26},    {9, 28},    {10, 25},   {11, 29},   {12, 27},   {13, 24},   {14, 51},
        {15, 48},   {16, 12},   {17, 13},   {18, 14},   {19, 15},   {20, 17},   {21, 16},
        {22, 32},   {23, 34},   {24, 31},   {25, 35},   {26, 33},   {27, 30},   {28, 36},
        {30, 0},    {31, 1},    {32, 2},    {33, 3},    {34, 5},    {35, 4},    {36, 38},
        {37, 40},   {38, 37},   {39, 41},   {40, 39},   {41, 50},   {43, 42},   {44, 6},
        {45, 7},    {46, 8},    {47, 9},    {48, 11},   {49, 45},   {50, 46},   {51, 43},
        {52, 47},   {53, 44},   {57, 49},   {59, 122},  {60, 120},  {61, 99},   {62, 118},
        {63, 96},   {64, 97},   {65, 98},   {66, 100},  {67, 101},  {68, 109},  {87, 103},
        {88, 111},  {96, 76},   {102, 115}, {103, 126}, {104, 116}, {105, 123}, {106, 124},
        {107, 119}, {108, 125}, {109, 121}, {111, 117}, {138, 114}, {183, 105}, {184, 107},
        {185, 113}, {186, 106}, {187, 64},  {188, 79},  {189, 80},  {190, 90},
    };
    return codes;
}

// Symbols typed with Shift on a US keyboard, and the key that carries each.
const QHash<int, int> &unshiftedKeys() {
    static const QHash<int, int> keys = {
        {Qt::Key_Exclam, Qt::Key_1},
        {Qt::Key_At, Qt::Key_2},
        {Qt::Key_NumberSign, Qt::Key_3},
        {Qt::Key_Dollar, Qt::Key_4},
        {Qt::Key_Percent, Qt::Key_5},
        {Qt::Key_AsciiCircum, Qt::Key_6},
        {Qt::Key_Ampersand, Qt::Key_7},
        {Qt::Key_Asterisk, Qt::Key_8},
        {Qt::Key_ParenLeft, Qt::Key_9},
        {Qt::Key_ParenRight, Qt::Key_0},
        {Qt::Key_Underscore, Qt::Key_Minus},
        {Qt::Key_Plus, Qt::Key_Equal},
        {Qt::Key_BraceLeft, Qt::Key_BracketLeft},
        {Qt::Key_BraceRight, Qt::Key_BracketRight},
        {Qt::Key_Bar, Qt::Key_Backslash},
        {Qt::Key_Colon, Qt::Key_Semicolon},
        {Qt::Key_QuoteDbl, Qt::Key_Apostrophe},
        {Qt::Key_Less, Qt::Key_Comma},
        {Qt::Key_Greater, Qt::Key_Period},
        {Qt::Key_Question, Qt::Key_Slash},
        {Qt::Key_AsciiTilde, Qt::Key_QuoteLeft},
    };
    return keys;
}

// X11 and Wayland scan codes are Linux input codes moved up by 8.
constexpr quint32 linuxScanCodeOffset = 8;

} // namespace

std::optional<quint16> MacKeys::keyCodeOfScanCode(quint32 scanCode) {
    if (scanCode < linuxScanCodeOffset) {
        return std::nullopt;
    }
    const auto found = codeByInputCode().constFind(scanCode - linuxScanCodeOffset);
    if (found == codeByInputCode().cend()) {
        return std::nullopt;
    }
    return *found;
}

int MacKeys::unshifted(int qtKey) {
    return unshiftedKeys().value(qtKey, qtKey);
}

MacKeys::ScanCodes MacKeys::platformScanCodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == u"xcb" || platform.startsWith(u"wayland") ? ScanCodes::Linux
                                                                 : ScanCodes::None;
}

std::optional<quint16> MacKeys::keyCode(int qtKey) {
    const auto found = codeByQtKey().constFind(qtKey);
    if (found == codeByQtKey().cend()) {
        return std::nullopt;
    }
    return *found;
}

std::optional<int> MacKeys::qtKey(quint16 keyCode) {
    // Tab and Backtab share the key: it is Tab.
    static const QHash<quint16, int> keys = [] {
        QHash<quint16, int> byCode;
        for (auto it = codeByQtKey().cbegin(); it != codeByQtKey().cend(); ++it) {
            if (it.key() != Qt::Key_Backtab) {
                byCode.insert(it.value(), it.key());
            }
        }
        return byCode;
    }();
    const auto found = keys.constFind(keyCode);
    if (found == keys.cend()) {
        return std::nullopt;
    }
    return *found;
}

Qt::KeyboardModifiers MacKeys::qtModifiers(quint64 modifiers) {
    Qt::KeyboardModifiers qt;
    if (modifiers & KeyShortcut::kCommand) {
        qt |= Qt::ControlModifier;
    }
    if (modifiers & KeyShortcut::kControl) {
        qt |= Qt::MetaModifier;
    }
    if (modifiers & KeyShortcut::kOption) {
        qt |= Qt::AltModifier;
    }
    if (modifiers & KeyShortcut::kShift) {
        qt |= Qt::ShiftModifier;
    }
    return qt;
}

quint64 MacKeys::modifiers(Qt::KeyboardModifiers qtModifiers) {
    quint64 bits = 0;
    if (qtModifiers & Qt::ControlModifier) {
        bits |= KeyShortcut::kCommand;
    }
    if (qtModifiers & Qt::MetaModifier) {
        bits |= KeyShortcut::kControl;
    }
    if (qtModifiers & Qt::AltModifier) {
        bits |= KeyShortcut::kOption;
    }
    if (qtModifiers & Qt::ShiftModifier) {
        bits |= KeyShortcut::kShift;
    }
    return bits;
}

bool MacKeys::typesText(quint64 modifiers) {
    return (modifiers & (KeyShortcut::kCommand | KeyShortcut::kControl)) == 0;
}

std::optional<MacKeyPress> MacKeys::press(const QKeyEvent &event) {
    return press(event, platformScanCodes());
}

std::optional<MacKeyPress> MacKeys::press(const QKeyEvent &event, ScanCodes scanCodes) {
    if (event.nativeScanCode() == simulatedScanCode) {
        if (event.nativeVirtualKey() > 0xFFFF) {
            return std::nullopt;
        }
        return MacKeyPress{quint16(event.nativeVirtualKey()), event.nativeModifiers()};
    }
    if (scanCodes == ScanCodes::Linux) {
        if (const auto code = keyCodeOfScanCode(event.nativeScanCode())) {
            return MacKeyPress{*code, modifiers(event.modifiers())};
        }
    }
    const auto code = keyCode(unshifted(event.key()));
    if (!code) {
        return std::nullopt;
    }
    return MacKeyPress{*code, modifiers(event.modifiers())};
}

QKeyEvent MacKeys::simulatedKeyEvent(MacKeyPress press) {
    return QKeyEvent(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, simulatedScanCode,
                     press.keyCode, quint32(press.modifiers));
}

} // namespace zorv
