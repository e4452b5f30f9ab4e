#include "controls/mackeys.h"
#include "controls/shortcutrecordermodel.h"
#include "controls/shortcutrule.h"
#include "kitscene.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QQuickItem>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

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

// An armed recorder takes every key-down of the application, also keys typed into another
// field; once it has recorded, typing reaches the field again.
TEST(ShortcutRecorderTest, ArmedRecorderSwallowsKeysMeantForOtherFields) {
    KitScene scene;
    ASSERT_TRUE(scene.load(uR"(
import QtQuick
import Zorv.UI
Column {
    ZorvTextField { objectName: "field"; width: 200 }
    ShortcutRecorder { objectName: "recorder"; defaultDisplay: "⌥⌘S" }
}
)"_s,
                           QSize(300, 100)));
    QQuickItem *field = scene.find(u"field"_s);
    QQuickItem *recorder = scene.find(u"recorder"_s);
    ASSERT_TRUE(field && recorder);
    QMetaObject::invokeMethod(field, "forceActiveFocus");
    QTest::keyClick(&scene.view, Qt::Key_A);
    ASSERT_EQ(field->property("text").toString(), u"a"_s);

    QSignalSpy recorded(recorder, SIGNAL(recorded(QVariant)));
    const auto arm = [&] {
        QTest::mouseClick(&scene.view, Qt::LeftButton, {},
                          recorder->mapToScene(QPointF(10, 10)).toPoint());
    };
    arm();
    ASSERT_TRUE(recorder->property("recording").toBool());
    scene.grab(u"recorder-armed"_s);
    QTest::keyClick(&scene.view, Qt::Key_B);
    QTest::keyClick(&scene.view, Qt::Key_Home);
    EXPECT_EQ(field->property("text").toString(), u"a"_s) << "consumed";
    EXPECT_TRUE(recorder->property("recording").toBool()) << "ignored keys keep it armed";
    EXPECT_EQ(recorded.size(), 0);

    QKeyEvent simulated = MacKeys::simulatedKeyEvent({40, command | shift});
    QCoreApplication::sendEvent(&scene.view, &simulated);
    ASSERT_EQ(recorded.size(), 1);
    EXPECT_EQ(recorded.at(0).at(0).toMap(),
              (QVariantMap{{u"keyCode"_s, 40}, {u"modifiers"_s, double(command | shift)}}));
    EXPECT_FALSE(recorder->property("recording").toBool());

    QTest::keyClick(&scene.view, Qt::Key_C);
    EXPECT_EQ(field->property("text").toString(), u"ac"_s);

    // Escape disarms without a report; Delete reports a reset.
    arm();
    QTest::keyClick(&scene.view, Qt::Key_Escape);
    EXPECT_FALSE(recorder->property("recording").toBool());
    arm();
    QTest::keyClick(&scene.view, Qt::Key_Backspace);
    ASSERT_EQ(recorded.size(), 2);
    EXPECT_FALSE(recorded.at(1).at(0).isValid());
    scene.grab(u"recorder"_s);
}

} // namespace
} // namespace zorv
