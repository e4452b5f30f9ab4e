#include "controls/mackeys.h"
#include "controls/pickermodel.h"
#include "controls/shortcutrecordermodel.h"
#include "controls/shortcutrule.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
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
    EXPECT_EQ(MacKeys::modifiers(Qt::ControlModifier | Qt::AltModifier), control | option);
    EXPECT_EQ(MacKeys::modifiers(Qt::ShiftModifier | Qt::MetaModifier), shift | command);
    EXPECT_EQ(MacKeys::modifiers(Qt::KeypadModifier), 0u);

    const QKeyEvent qtEvent(QEvent::KeyPress, Qt::Key_K, Qt::MetaModifier | Qt::ShiftModifier);
    EXPECT_EQ(MacKeys::press(qtEvent), (MacKeyPress{40, command | shift}));
    const QKeyEvent simulated = MacKeys::simulatedKeyEvent({117, option});
    EXPECT_EQ(MacKeys::press(simulated), (MacKeyPress{117, option}));
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
