#include "input/keylayout.h"

#include "inputevent.h"

#include <array>

namespace zorv {

namespace {

struct KeyCharacters {
    quint16 keyCode;
    char plain;
    char shifted;
};

constexpr std::array<KeyCharacters, 47> layout{{
    {0, 'a', 'a'},   {1, 's', 's'},  {2, 'd', 'd'},   {3, 'f', 'f'},  {4, 'h', 'h'},
    {5, 'g', 'g'},   {6, 'z', 'z'},  {7, 'x', 'x'},   {8, 'c', 'c'},  {9, 'v', 'v'},
    {11, 'b', 'b'},  {12, 'q', 'q'}, {13, 'w', 'w'},  {14, 'e', 'e'}, {15, 'r', 'r'},
    {16, 'y', 'y'},  {17, 't', 't'}, {18, '1', '!'},  {19, '2', '@'}, {20, '3', '#'},
    {21, '4', '$'},  {22, '6', '^'}, {23, '5', '%'},  {24, '=', '+'}, {25, '9', '('},
    {26, '7', '&'},  {27, '-', '_'}, {28, '8', '*'},  {29, '0', ')'}, {30, ']', '}'},
    {31, 'o', 'o'},  {32, 'u', 'u'}, {33, '[', '{'},  {34, 'i', 'i'}, {35, 'p', 'p'},
    {37, 'l', 'l'},  {38, 'j', 'j'}, {39, '\'', '"'}, {40, 'k', 'k'}, {41, ';', ':'},
    {42, '\\', '|'}, {43, ',', '<'}, {44, '/', '?'},  {45, 'n', 'n'}, {46, 'm', 'm'},
    {47, '.', '>'},  {50, '`', '~'},
}};

} // namespace

std::optional<KeyLayout::Stroke> KeyLayout::stroke(QChar character) {
    if (character == u' ') {
        return Stroke{KeyCode::space, false};
    }
    if (character.unicode() > 0x7f) {
        return std::nullopt;
    }
    const char typed = char(character.toLower().unicode());
    const bool capital = character.isUpper();
    for (const KeyCharacters &key : layout) {
        if (key.plain == typed) {
            return Stroke{key.keyCode, capital};
        }
        if (key.shifted == typed && key.shifted != key.plain) {
            return Stroke{key.keyCode, true};
        }
    }
    return std::nullopt;
}

std::optional<QChar> KeyLayout::character(quint16 keyCode, bool shift) {
    for (const KeyCharacters &key : layout) {
        if (key.keyCode == keyCode) {
            return QChar::fromLatin1(shift ? key.shifted : key.plain);
        }
    }
    return std::nullopt;
}

} // namespace zorv
