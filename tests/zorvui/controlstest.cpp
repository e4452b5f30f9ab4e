#include "controls/mackeys.h"
#include "controls/pickermodel.h"
#include "controls/shortcutrecordermodel.h"
#include "controls/shortcutrule.h"
#include "models/valueequality.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QKeyEvent>
#include <QKeySequence>
#include <QSignalSpy>

#include <tuple>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

QVariantList optionsOf(const QVariantList &values) {
    QVariantList options;
    for (const QVariant &value : values) {
        options.append(QVariantMap{{u"value"_s, value}, {u"label"_s, value.toString()}});
    }
    return options;
}

TEST(PickerModelTest, WalksTheRowsWithTheKeyboard) {
    const QVariantList abc{u"A"_s, u"B"_s, u"C"_s}, ab{u"A"_s, u"B"_s};
    const QVariantList withNull{u"A"_s, QVariant::fromValue(nullptr)};
    const struct {
        const char *name;
        QVariantList values;
        bool extra;
        QVariant selection;
        QList<int> steps;
        int highlighted;
    } cases[] = {
        {"opens on the selection, Down Down wraps to A", abc, false, u"B"_s, {1, 1}, 0},
        {"Up from the first row goes to the last", abc, false, u"A"_s, {-1}, 2},
        {"Down from the last option reaches the extra row", abc, true, u"C"_s, {1}, 3},
        {"Up from the first row reaches the extra row", ab, true, u"A"_s, {-1}, 2},
        {"no match opens on row 0", ab, false, u"Z"_s, {}, 0},
        {"a null selection matches a null option", withNull, false, QVariant(), {}, 1},
        {"no rows: the arrows do nothing", {}, false, u"A"_s, {1, -1, 1}, 0},
    };
    for (const auto &c : cases) {
        PickerModel model;
        model.setOptions(optionsOf(c.values));
        model.setHasExtra(c.extra);
        model.setSelection(c.selection);
        model.toggle();
        EXPECT_TRUE(model.isPresented()) << c.name;
        for (int step : c.steps) {
            model.move(step);
        }
        EXPECT_EQ(model.highlighted(), c.highlighted) << c.name;
    }
}

TEST(PickerModelTest, ChoosesOptionsAndTheExtraRow) {
    PickerModel model;
    model.setOptions(optionsOf({u"A"_s, u"B"_s, u"C"_s}));
    model.setHasExtra(true);
    model.setSelection(u"C"_s);
    QSignalSpy chosen(&model, &PickerModel::chosen);
    QSignalSpy extra(&model, &PickerModel::extraChosen);

    model.toggle();
    model.move(1);
    model.choose(model.highlighted());
    EXPECT_FALSE(model.isPresented());
    EXPECT_EQ(extra.size(), 1) << "Return on the extra row runs the extra action";
    EXPECT_EQ(model.selection(), QVariant(u"C"_s));

    model.toggle();
    model.choose(0);
    ASSERT_EQ(chosen.size(), 1);
    EXPECT_EQ(model.selection(), QVariant(u"A"_s));
    EXPECT_EQ(model.highlighted(), 2) << "kept until the next opening";

    model.toggle();
    EXPECT_EQ(model.highlighted(), 0);
    model.toggle();
    EXPECT_FALSE(model.isPresented()) << "a second click closes";
    model.choose(99);
    EXPECT_EQ(extra.size(), 2) << "an index beyond the options acts as the extra row";

    model.setHasExtra(false);
    model.choose(99);
    EXPECT_EQ(extra.size(), 2);
}

TEST(PickerModelTest, ShowsTheFirstMatchOrThePlaceholder) {
    PickerModel model;
    model.setPlaceholder(u"Choose an app"_s);
    model.setOptions({QVariantMap{{u"value"_s, 1}, {u"label"_s, u"One"_s}, {u"icon"_s, u"a.png"_s}},
                      QVariantMap{{u"value"_s, 1}, {u"label"_s, u"Uno"_s}}});
    const auto shown = [&] {
        return std::tuple(model.isPlaceholder(), model.currentLabel(), model.currentIcon());
    };
    EXPECT_EQ(shown(), std::tuple(true, u"Choose an app"_s, QVariant()));
    model.setSelection(1);
    EXPECT_EQ(shown(), std::tuple(false, u"One"_s, QVariant(u"a.png"_s)));
    EXPECT_TRUE(model.isSelected(0) && model.isSelected(1))
        << "both equal rows carry the checkmark";
    model.toggle();
    EXPECT_EQ(model.highlighted(), 0);
}

TEST(PickerModelTest, SizesTheListFromTheOptionCount) {
    const struct {
        int options;
        bool extra;
        qreal width;
        QSizeF list;
    } cases[] = {
        {3, false, 200, {260, 108}},  {3, true, 300, {300, 146}}, {10, false, 260, {260, 332}},
        {11, false, 260, {260, 340}}, {0, false, 100, {260, 12}}, {0, true, 100, {260, 50}},
    };
    for (const auto &c : cases) {
        PickerModel model;
        QVariantList values;
        for (int i = 0; i < c.options; ++i) {
            values.append(i);
        }
        model.setOptions(optionsOf(values));
        model.setHasExtra(c.extra);
        model.setWidth(c.width);
        EXPECT_EQ(QSizeF(model.listWidth(), model.listHeight()), c.list)
            << c.options << " options, width " << c.width;
    }
}

// The open list's rows as a view reads them, through the model's roles.
struct ShownRow {
    QString label;
    bool selected;
    bool highlighted;
    bool extra;

    friend bool operator==(const ShownRow &, const ShownRow &) = default;
};

void PrintTo(const ShownRow &row, std::ostream *os) {
    *os << row.label.toStdString() << (row.selected ? " ✓" : "") << (row.highlighted ? " *" : "")
        << (row.extra ? " (extra)" : "");
}

QList<ShownRow> shownRows(const QAbstractItemModel &rows) {
    const QHash<int, QByteArray> names = rows.roleNames();
    const auto role = [&](const QByteArray &name) { return names.key(name, -1); };
    QList<ShownRow> shown;
    for (int i = 0; i < rows.rowCount(); ++i) {
        const QModelIndex index = rows.index(i, 0);
        shown.append({rows.data(index, role("label")).toString(),
                      rows.data(index, role("selected")).toBool(),
                      rows.data(index, role("highlighted")).toBool(),
                      rows.data(index, role("extra")).toBool()});
    }
    return shown;
}

TEST(PickerModelTest, KeepsTheOpenListsRowsCurrent) {
    PickerModel model;
    QAbstractItemModelTester tester(model.rows(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy changed(model.rows(), &QAbstractItemModel::dataChanged);
    QSignalSpy reset(model.rows(), &QAbstractItemModel::modelReset);
    model.setOptions(optionsOf({u"A"_s, u"B"_s, u"C"_s}));
    model.setHasExtra(true);
    model.setExtraLabel(u"Other…"_s);
    model.setSelection(u"A"_s);
    model.toggle();
    EXPECT_EQ(shownRows(*model.rows()), (QList<ShownRow>{{u"A"_s, true, true, false},
                                                         {u"B"_s, false, false, false},
                                                         {u"C"_s, false, false, false},
                                                         {u"Other…"_s, false, false, true}}));

    // Choosing C and opening again: the check mark and the highlight move with it.
    model.choose(2);
    model.toggle();
    EXPECT_EQ(shownRows(*model.rows()), (QList<ShownRow>{{u"A"_s, false, false, false},
                                                         {u"B"_s, false, false, false},
                                                         {u"C"_s, true, true, false},
                                                         {u"Other…"_s, false, false, true}}));

    // Relabelled with the same count: the rows change in place, and only those that differ.
    changed.clear();
    QVariantList relabelled = optionsOf({u"A"_s, u"B"_s, u"C"_s});
    relabelled[1] = QVariantMap{{u"value"_s, u"B"_s}, {u"label"_s, u"Bee"_s}};
    model.setOptions(relabelled);
    EXPECT_EQ(shownRows(*model.rows())[1], (ShownRow{u"Bee"_s, false, false, false}));
    ASSERT_EQ(changed.size(), 1);
    EXPECT_EQ(changed.first().at(0).toModelIndex().row(), 1);

    // Fewer options: rows go from the end; the extra row follows the options.
    model.setOptions(optionsOf({u"C"_s}));
    EXPECT_EQ(shownRows(*model.rows()),
              (QList<ShownRow>{{u"C"_s, true, false, false}, {u"Other…"_s, false, false, true}}));
    EXPECT_EQ(reset.size(), 0) << "views keep their delegates";
}

TEST(PickerModelTest, MatchesValuesOfTheSameKindOnly) {
    const QVariant null = QVariant::fromValue(nullptr);
    const struct {
        const char *name;
        QVariant a;
        QVariant b;
        bool same;
    } cases[] = {
        {"text 1 is not the number 1", u"1"_s, 1, false},
        {"the number 1 whether integer or double", 1, 1.0, true},
        {"a 64-bit number", qint64(1) << 40, double(qint64(1) << 40), true},
        {"text true is not true", u"true"_s, true, false},
        {"0 is not false", 0, false, false},
        {"empty text is not nothing", u""_s, QVariant(), false},
        {"null is nothing", null, QVariant(), true},
        {"0 is not nothing", 0, null, false},
        {"lists element by element", QVariantList{1, u"a"_s}, QVariantList{1.0, u"a"_s}, true},
        {"lists do not convert", QVariantList{1}, QVariantList{u"1"_s}, false},
        {"objects key by key", QVariantMap{{u"id"_s, 2}}, QVariantMap{{u"id"_s, 2.0}}, true},
        {"objects do not convert", QVariantMap{{u"id"_s, 2}}, QVariantMap{{u"id"_s, u"2"_s}},
         false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(sameValue(c.a, c.b), c.same) << c.name;
        EXPECT_EQ(sameValue(c.b, c.a), c.same) << c.name << " (swapped)";
    }

    PickerModel model;
    model.setOptions(optionsOf({1, u"1"_s}));
    model.setSelection(u"1"_s);
    EXPECT_EQ(model.currentIndex(), 1);
    EXPECT_FALSE(model.isSelected(0));
    model.setSelection(1);
    EXPECT_EQ(model.currentIndex(), 0);
    EXPECT_FALSE(model.isSelected(1));
}

constexpr quint64 shift = KeyShortcut::kShift;
constexpr quint64 control = KeyShortcut::kControl;
constexpr quint64 option = KeyShortcut::kOption;
constexpr quint64 command = KeyShortcut::kCommand;
constexpr quint64 capsLock = 0x10000;

using Rule = ShortcutRule;

TEST(ShortcutRuleTest, DecidesEachKeyPress) {
    const struct {
        const char *name;
        MacKeyPress press;
        Rule::Outcome outcome;
    } cases[] = {
        {"escape cancels", {53, 0}, Rule::Cancel{}},
        {"escape with caps lock still cancels", {53, capsLock}, Rule::Cancel{}},
        {"command-escape is a shortcut", {53, command}, Rule::Record{{53, command}}},
        {"shift-escape is ignored", {53, shift}, Rule::Ignore{}},
        {"delete resets", {51, 0}, Rule::Reset{}},
        {"command-delete is a shortcut", {51, command}, Rule::Record{{51, command}}},
        {"bare K", {40, 0}, Rule::Ignore{}},
        {"shift-K", {40, shift}, Rule::Ignore{}},
        {"control-K", {40, control}, Rule::Record{{40, control}}},
        {"option-K", {40, option}, Rule::Record{{40, option}}},
        {"shift-command-K keeps shift", {40, shift | command}, Rule::Record{{40, shift | command}}},
        {"caps lock is not kept", {40, command | capsLock}, Rule::Record{{40, command}}},
        {"bare F5", {96, 0}, Rule::Record{{96, 0}}},
        {"bare F1", {122, 0}, Rule::Record{{122, 0}}},
        {"bare F17", {64, 0}, Rule::Record{{64, 0}}},
        {"bare F20", {90, 0}, Rule::Record{{90, 0}}},
        {"shift-F13", {105, shift}, Rule::Record{{105, shift}}},
        {"bare left arrow", {123, 0}, Rule::Ignore{}},
        {"option-up arrow", {126, option}, Rule::Record{{126, option}}},
        // Bare editing keys would be taken from every application as global hot keys.
        {"bare help", {114, 0}, Rule::Ignore{}},
        {"bare home", {115, 0}, Rule::Ignore{}},
        {"bare page up", {116, 0}, Rule::Ignore{}},
        {"bare forward delete", {117, 0}, Rule::Ignore{}},
        {"bare end", {119, 0}, Rule::Ignore{}},
        {"shift-page down", {121, shift}, Rule::Ignore{}},
        {"control-home", {115, control}, Rule::Record{{115, control}}},
        {"bare space", {49, 0}, Rule::Ignore{}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(Rule::decide(c.press), c.outcome) << c.name;
    }
}

TEST(ShortcutRuleTest, MapsQtKeysAndModifiersInOneTable) {
    EXPECT_EQ(MacKeys::keyCode(Qt::Key_A), 0);
    EXPECT_EQ(MacKeys::keyCode(Qt::Key_Escape), 53);
    EXPECT_EQ(MacKeys::keyCode(Qt::Key_F1), 122);
    EXPECT_FALSE(MacKeys::keyCode(Qt::Key_Shift));
    EXPECT_EQ(MacKeys::modifiers(Qt::MetaModifier | Qt::AltModifier), control | option);
    EXPECT_EQ(MacKeys::modifiers(Qt::ShiftModifier | Qt::ControlModifier), shift | command);
    EXPECT_EQ(MacKeys::modifiers(Qt::KeypadModifier), 0u);

    const QKeyEvent qtEvent(QEvent::KeyPress, Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(MacKeys::press(qtEvent), (MacKeyPress{40, command | shift}));
    const QKeyEvent simulated = MacKeys::simulatedKeyEvent({117, option});
    EXPECT_EQ(MacKeys::press(simulated), (MacKeyPress{117, option}));
}

// Each mac modifier reaches Qt as Qt on a Mac delivers it, and comes back from Qt as itself (a
// shortcut recorder sees the keys the simulated keyboard hands Qt); Command and Control make a
// key a command that types nothing, Shift and Option leave it typing.
TEST(ShortcutRuleTest, MapsEachModifierAsAMacsQtDoes) {
    const struct {
        const char *name;
        quint64 mac;
        Qt::KeyboardModifiers qt;
        bool typesText;
    } cases[] = {
        {"none", 0, Qt::NoModifier, true},
        {"command", command, Qt::ControlModifier, false},
        {"control", control, Qt::MetaModifier, false},
        {"option", option, Qt::AltModifier, true},
        {"shift", shift, Qt::ShiftModifier, true},
        {"shift-option", shift | option, Qt::ShiftModifier | Qt::AltModifier, true},
        {"shift-command", shift | command, Qt::ShiftModifier | Qt::ControlModifier, false},
        {"option-control", option | control, Qt::AltModifier | Qt::MetaModifier, false},
        {"all four", shift | control | option | command,
         Qt::ShiftModifier | Qt::MetaModifier | Qt::AltModifier | Qt::ControlModifier, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(MacKeys::qtModifiers(c.mac), c.qt) << c.name;
        EXPECT_EQ(MacKeys::modifiers(c.qt), c.mac) << c.name;
        EXPECT_EQ(MacKeys::typesText(c.mac), c.typesText) << c.name;
    }
    // Command-A as the fields see it is the standard Select All, not a typed "a".
    const QKeyEvent commandA(QEvent::KeyPress, Qt::Key_A, MacKeys::qtModifiers(command));
    EXPECT_TRUE(commandA.matches(QKeySequence::SelectAll));
    EXPECT_EQ(QKeySequence(u"Ctrl+Return"_s),
              QKeySequence(QKeyCombination(MacKeys::qtModifiers(command), Qt::Key_Return)));
}

// Every printable key of a US keyboard: its Qt key, the Qt key Shift makes of it, its Linux
// input code and its mac key code.
struct PrintableKey {
    Qt::Key key;
    Qt::Key shifted;
    quint32 inputCode;
    quint16 macCode;
};
constexpr PrintableKey printableKeys[] = {
    {Qt::Key_A, Qt::Key_A, 30, 0},
    {Qt::Key_B, Qt::Key_B, 48, 11},
    {Qt::Key_C, Qt::Key_C, 46, 8},
    {Qt::Key_D, Qt::Key_D, 32, 2},
    {Qt::Key_E, Qt::Key_E, 18, 14},
    {Qt::Key_F, Qt::Key_F, 33, 3},
    {Qt::Key_G, Qt::Key_G, 34, 5},
    {Qt::Key_H, Qt::Key_H, 35, 4},
    {Qt::Key_I, Qt::Key_I, 23, 34},
    {Qt::Key_J, Qt::Key_J, 36, 38},
    {Qt::Key_K, Qt::Key_K, 37, 40},
    {Qt::Key_L, Qt::Key_L, 38, 37},
    {Qt::Key_M, Qt::Key_M, 50, 46},
    {Qt::Key_N, Qt::Key_N, 49, 45},
    {Qt::Key_O, Qt::Key_O, 24, 31},
    {Qt::Key_P, Qt::Key_P, 25, 35},
    {Qt::Key_Q, Qt::Key_Q, 16, 12},
    {Qt::Key_R, Qt::Key_R, 19, 15},
    {Qt::Key_S, Qt::Key_S, 31, 1},
    {Qt::Key_T, Qt::Key_T, 20, 17},
    {Qt::Key_U, Qt::Key_U, 22, 32},
    {Qt::Key_V, Qt::Key_V, 47, 9},
    {Qt::Key_W, Qt::Key_W, 17, 13},
    {Qt::Key_X, Qt::Key_X, 45, 7},
    {Qt::Key_Y, Qt::Key_Y, 21, 16},
    {Qt::Key_Z, Qt::Key_Z, 44, 6},
    {Qt::Key_1, Qt::Key_Exclam, 2, 18},
    {Qt::Key_2, Qt::Key_At, 3, 19},
    {Qt::Key_3, Qt::Key_NumberSign, 4, 20},
    {Qt::Key_4, Qt::Key_Dollar, 5, 21},
    {Qt::Key_5, Qt::Key_Percent, 6, 23},
    {Qt::Key_6, Qt::Key_AsciiCircum, 7, 22},
    {Qt::Key_7, Qt::Key_Ampersand, 8, 26},
    {Qt::Key_8, Qt::Key_Asterisk, 9, 28},
    {Qt::Key_9, Qt::Key_ParenLeft, 10, 25},
    {Qt::Key_0, Qt::Key_ParenRight, 11, 29},
    {Qt::Key_Minus, Qt::Key_Underscore, 12, 27},
    {Qt::Key_Equal, Qt::Key_Plus, 13, 24},
    {Qt::Key_BracketLeft, Qt::Key_BraceLeft, 26, 33},
    {Qt::Key_BracketRight, Qt::Key_BraceRight, 27, 30},
    {Qt::Key_Backslash, Qt::Key_Bar, 43, 42},
    {Qt::Key_Semicolon, Qt::Key_Colon, 39, 41},
    {Qt::Key_Apostrophe, Qt::Key_QuoteDbl, 40, 39},
    {Qt::Key_Comma, Qt::Key_Less, 51, 43},
    {Qt::Key_Period, Qt::Key_Greater, 52, 47},
    {Qt::Key_Slash, Qt::Key_Question, 53, 44},
    {Qt::Key_QuoteLeft, Qt::Key_AsciiTilde, 41, 50},
    {Qt::Key_Space, Qt::Key_Space, 57, 49},
};

TEST(ShortcutRuleTest, MapsEveryPrintableKeyByItsPlaceWithAndWithoutShift) {
    using ScanCodes = MacKeys::ScanCodes;
    const Qt::KeyboardModifiers shiftCommand = Qt::ShiftModifier | Qt::ControlModifier;
    for (const PrintableKey &k : printableKeys) {
        const std::string name = QKeySequence(k.key).toString().toStdString();
        const quint32 scanCode = k.inputCode + 8;
        // Without a scan code (offscreen, synthesised events) the Qt key decides.
        const QKeyEvent bare(QEvent::KeyPress, k.key, Qt::ControlModifier);
        EXPECT_EQ(MacKeys::press(bare, ScanCodes::None), (MacKeyPress{k.macCode, command})) << name;
        const QKeyEvent shifted(QEvent::KeyPress, k.shifted, shiftCommand);
        EXPECT_EQ(MacKeys::press(shifted, ScanCodes::None),
                  (MacKeyPress{k.macCode, command | shift}))
            << name << " with shift";
        // X11 and Wayland: the scan code decides, whatever symbol the layout makes of the key.
        const QKeyEvent placed(QEvent::KeyPress, k.shifted, shiftCommand, scanCode, 0, 0);
        EXPECT_EQ(MacKeys::press(placed, ScanCodes::Linux),
                  (MacKeyPress{k.macCode, command | shift}))
            << name << " by scan code";
        const QKeyEvent unknownSymbol(QEvent::KeyPress, Qt::Key_unknown, Qt::MetaModifier, scanCode,
                                      0, 0);
        EXPECT_EQ(MacKeys::press(unknownSymbol, ScanCodes::Linux),
                  (MacKeyPress{k.macCode, control}))
            << name << " by scan code alone";
        EXPECT_EQ(MacKeys::press(unknownSymbol, ScanCodes::None), std::nullopt)
            << name << " scan codes of no known meaning are not read";
    }
    // ⇧⌘1 as Qt delivers it on Linux is recorded with the shift kept.
    const QKeyEvent exclam(QEvent::KeyPress, Qt::Key_Exclam, shiftCommand, 10, 0, 0);
    for (const ScanCodes scanCodes : {ScanCodes::None, ScanCodes::Linux}) {
        const auto press = MacKeys::press(exclam, scanCodes);
        ASSERT_TRUE(press);
        EXPECT_EQ(Rule::decide(*press), Rule::Outcome(Rule::Record{{18, command | shift}}));
    }
    // A key on the place of Q typing "a" (a French layout) is the mac's Q key, as on a Mac.
    const QKeyEvent azerty(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, 16 + 8, 0, 0);
    EXPECT_EQ(MacKeys::press(azerty, ScanCodes::Linux), (MacKeyPress{12, command}));
    EXPECT_EQ(MacKeys::press(azerty, ScanCodes::None), (MacKeyPress{0, command}));
    // Keys off the printable block keep their place too: F5, the arrows, forward delete.
    for (const auto &[inputCode, macCode] : std::initializer_list<std::pair<quint32, int>>{
             {63, 96}, {103, 126}, {105, 123}, {111, 117}, {1, 53}}) {
        EXPECT_EQ(MacKeys::keyCodeOfScanCode(inputCode + 8), macCode) << inputCode;
    }
    EXPECT_EQ(MacKeys::keyCodeOfScanCode(0), std::nullopt);
    EXPECT_EQ(MacKeys::keyCodeOfScanCode(42 + 8), std::nullopt) << "left shift has no key code";
}

TEST(ShortcutRecorderTest, ShowsTheShortcutOrTheDefaultAsCaps) {
    ShortcutRecorderModel model;
    model.setDefaultDisplay(u"⌥⌘S"_s);
    EXPECT_EQ(model.caps(), (QStringList{u"⌥"_s, u"⌘"_s, u"S"_s}));
    model.setCurrentValue(QVariantMap{{u"keyCode"_s, 40}, {u"modifiers"_s, double(control)}});
    EXPECT_EQ(model.current(), KeyShortcut(40, control));
    EXPECT_EQ(model.caps(), (QStringList{u"⌃"_s, u"K"_s}));
    for (const QVariant &junk :
         {QVariant(), QVariant(u"K"_s), QVariant(QVariantMap{{u"keyCode"_s, 70000}}),
          QVariant(QVariantMap{{u"keyCode"_s, 1}, {u"modifiers"_s, -1.0}}),
          QVariant(QVariantMap{{u"keyCode"_s, 1}, {u"modifiers"_s, 0.5}})}) {
        model.setCurrentValue(QVariantMap{{u"keyCode"_s, 40}, {u"modifiers"_s, 0.0}});
        model.setCurrentValue(junk);
        EXPECT_EQ(model.current(), std::nullopt) << junk.toString().toStdString();
    }
}

} // namespace
} // namespace zorv
