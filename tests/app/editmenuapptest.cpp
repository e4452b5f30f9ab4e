#include "dump/desktopdump.h"
#include "fieldapptest.h"
#include "reportwindowcontroller.h"
#include "scenariomac.h"
#include "settingswindowcontroller.h"
#include "storage/zorvpaths.h"

#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QQuickItem>
#include <QQuickWindow>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr quint16 wKey = 13;

// Zorv on its first launch on the laptop, driven only through the simulated Mac's mouse and
// keyboard: its main menu's rows chosen with the mouse act on the field with the keyboard, the
// field keeps the keyboard afterwards, and its fields share the Mac's one pasteboard.
class EditMenuAppTest : public FieldAppTest {
protected:
    using FieldAppTest::FieldAppTest;
};

class EditRowTest;

// What the user does in the name field after typing "ab", and what the field reads then.
struct EditCase {
    const char *name;
    std::function<void(EditRowTest &)> steps;
    QString expected;
};

void PrintTo(const EditCase &c, std::ostream *out) {
    *out << c.name;
}

class EditRowTest : public EditMenuAppTest, public ::testing::WithParamInterface<EditCase> {
public:
    using FieldAppTest::chooseFromMainMenu;
    using FieldAppTest::openMainMenu;
    using FieldAppTest::press;
    using FieldAppTest::redoFirstOfTwoPastesByKeys;
    using FieldAppTest::redoFirstOfTwoPastesByRows;
    using FieldAppTest::type;
};

TEST_P(EditRowTest, TheRowActsOnTheFieldOnceAndTheFieldKeepsTheKeyboard) {
    ASSERT_NO_FATAL_FAILURE(clickProfileName());
    ASSERT_NO_FATAL_FAILURE(type(u"ab"_s));
    ASSERT_EQ(fieldText(), u"ab"_s);
    ASSERT_NO_FATAL_FAILURE(GetParam().steps(*this));
    EXPECT_EQ(fieldText().toStdString(), GetParam().expected.toStdString());
    EXPECT_TRUE(serverOf(app.settingsWindow()->window())->isKeyWindow());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EditRowTest,
    ::testing::Values(EditCase{"SelectAllThenTyping",
                               [](EditRowTest &test) {
                                   test.chooseFromMainMenu(u"Edit"_s, u"Select All"_s);
                                   test.type(u"cd"_s);
                               },
                               u"cd"_s},
                      EditCase{"SelectAllChosenByKeyboardThenTyping",
                               [](EditRowTest &test) {
                                   // Up from no highlight lights the last row.
                                   test.openMainMenu(u"Edit"_s);
                                   test.press(KeyCode::upArrow);
                                   test.press(KeyCode::returnKey);
                                   test.type(u"cd"_s);
                               },
                               u"cd"_s},
                      EditCase{"CopyThenPasteTwice",
                               [](EditRowTest &test) {
                                   test.chooseFromMainMenu(u"Edit"_s, u"Select All"_s);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Copy"_s);
                                   test.press(KeyCode::rightArrow);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Paste"_s);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Paste"_s);
                               },
                               u"ababab"_s},
                      EditCase{"CutThenPasteTwice",
                               [](EditRowTest &test) {
                                   test.press(aKey, EventFlags::command);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Cut"_s);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Paste"_s);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Paste"_s);
                               },
                               u"abab"_s},
                      EditCase{"CutThenUndo",
                               [](EditRowTest &test) {
                                   test.press(aKey, EventFlags::command);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Cut"_s);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Undo"_s);
                               },
                               u"ab"_s},
                      EditCase{"UndoThenRedo",
                               [](EditRowTest &test) {
                                   test.press(aKey, EventFlags::command);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Cut"_s);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Undo"_s);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Redo"_s);
                               },
                               QString()},
                      EditCase{"DeleteTakesTheSelection",
                               [](EditRowTest &test) {
                                   test.press(aKey, EventFlags::command);
                                   test.chooseFromMainMenu(u"Edit"_s, u"Delete"_s);
                                   test.type(u"e"_s);
                               },
                               u"e"_s},
                      EditCase{"CommandKeysPasteOnce",
                               [](EditRowTest &test) {
                                   test.press(aKey, EventFlags::command);
                                   test.press(cKey, EventFlags::command);
                                   test.press(KeyCode::rightArrow);
                                   test.press(vKey, EventFlags::command);
                               },
                               u"abab"_s},
                      EditCase{"RedoAfterTwoPastesByKeysThenTyping",
                               [](EditRowTest &test) {
                                   test.redoFirstOfTwoPastesByKeys();
                                   test.type(u"q"_s);
                               },
                               u"abq"_s},
                      EditCase{"RedoAfterTwoPastesByRowsThenTyping",
                               [](EditRowTest &test) {
                                   test.redoFirstOfTwoPastesByRows();
                                   test.type(u"q"_s);
                               },
                               u"abq"_s},
                      // "b" typed over itself, taken back and put back, then cut and taken back.
                      EditCase{"RedoOfTypingOverTheSelectionThenCutAndUndo",
                               [](EditRowTest &test) {
                                   test.press(KeyCode::leftArrow, EventFlags::shift);
                                   test.type(u"b"_s);
                                   test.press(KeyCode::leftArrow);
                                   test.press(zKey, EventFlags::command);
                                   test.press(zKey, EventFlags::command | EventFlags::shift);
                                   test.press(xKey, EventFlags::command);
                                   test.press(KeyCode::leftArrow);
                                   test.press(zKey, EventFlags::command);
                               },
                               u"ab"_s},
                      EditCase{"SortMyBarThenTyping",
                               [](EditRowTest &test) {
                                   test.chooseFromMainMenu(u"Menu Bar"_s, u"Sort My Bar"_s);
                                   test.type(u"cd"_s);
                               },
                               u"abcd"_s}),
    [](const auto &info) { return std::string(info.param.name); });

// Text copied in a field is on the Mac's pasteboard, where the dump shows it, and what another
// program puts there is what Paste pastes.
TEST_F(EditMenuAppTest, TheFieldsCopyToAndPasteFromTheMacsPasteboard) {
    ASSERT_NO_FATAL_FAILURE(clickProfileName());
    ASSERT_NO_FATAL_FAILURE(type(u"Work"_s));
    press(aKey, EventFlags::command);
    press(cKey, EventFlags::command);
    EXPECT_EQ(mac().pasteboard().plainText(), u"Work"_s);
    EXPECT_EQ(DesktopDump::toJson(platform).value(u"pasteboard"_s).toString(), u"Work"_s);

    mac().pasteboard().setPlainText(u"Home"_s);
    ASSERT_NO_FATAL_FAILURE(chooseFromMainMenu(u"Edit"_s, u"Paste"_s));
    EXPECT_EQ(fieldText(), u"Home"_s);
}

// With a display, a click on the drawn bar makes the desktop window Qt's active one, and Qt hands
// the key window its activation back only later: meanwhile a row of the Edit menu acts on the
// key window's field, and the keys typed next reach it.
TEST_F(EditMenuAppTest, ARowChosenWhileQtHasAnotherWindowActiveActsOnTheField) {
    ASSERT_NO_FATAL_FAILURE(clickProfileName());
    ASSERT_NO_FATAL_FAILURE(type(u"ab"_s));
    ASSERT_NO_FATAL_FAILURE(openMainMenu(u"Edit"_s));
    app.window()->requestActivate();
    drain();
    ASSERT_EQ(QGuiApplication::focusWindow(), app.window());

    const std::optional<QPointF> row = statusMenuRowCentre(mac().menus(), u"Select All"_s);
    ASSERT_TRUE(row);
    click(*row);
    ASSERT_EQ(QGuiApplication::focusWindow(), app.window());
    ASSERT_NO_FATAL_FAILURE(type(u"cd"_s));
    EXPECT_EQ(fieldText().toStdString(), "cd");
    EXPECT_TRUE(serverOf(app.settingsWindow()->window())->isKeyWindow());
}

// A Search-pane alias edited the same way holds only what was typed and pasted, and is stored so.
TEST_F(EditMenuAppTest, AnAliasRedoneAfterTwoPastesIsStoredAsTyped) {
    ASSERT_NO_FATAL_FAILURE(clickField(u"rail-search"_s, u"alias"_s));
    ASSERT_EQ(fieldText(), QString());
    ASSERT_NO_FATAL_FAILURE(type(u"ab"_s));
    redoFirstOfTwoPastesByKeys();
    ASSERT_NO_FATAL_FAILURE(type(u"q"_s));
    EXPECT_EQ(fieldText().toStdString(), "abq");
    run(2);

    QFile file(ZorvPaths::file(u"settings.json"_s));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonArray aliases =
        QJsonDocument::fromJson(file.readAll()).object().value(u"itemAliases"_s).toArray();
    ASSERT_EQ(aliases.size(), 1);
    EXPECT_EQ(aliases.at(0).toObject().value(u"alias"_s).toString().toStdString(), "abq");
}

// Command held on its own by the scenario, then V pressed: the key carries Command, and pastes
// into the field with the keyboard.
constexpr double heldCommandAt = 20;

class ScenarioHeldCommandTest : public EditMenuAppTest {
protected:
    ScenarioHeldCommandTest()
        : EditMenuAppTest({}, QJsonArray{event(u"modifierDown"_s, u"modifier"_s, u"command"_s),
                                         event(u"key"_s, u"keyCode"_s, vKey),
                                         event(u"modifierUp"_s, u"modifier"_s, u"command"_s)}) {}

    static QJsonObject event(const QString &input, const QString &key, const QJsonValue &value) {
        return {{u"at"_s, heldCommandAt}, {u"do"_s, u"input"_s}, {u"input"_s, input}, {key, value}};
    }
};

TEST_F(ScenarioHeldCommandTest, TheVKeyPastesIntoTheField) {
    ASSERT_NO_FATAL_FAILURE(clickProfileName());
    mac().pasteboard().setPlainText(u"Home"_s);
    ASSERT_LT(platform.scenario().elapsed(), seconds(heldCommandAt));
    run(heldCommandAt);
    ASSERT_EQ(platform.scenario().eventsApplied(), 3);
    EXPECT_EQ(fieldText().toStdString(), "Home");
}

// The report's sent screen: its Copy puts the report number on the pasteboard, and Command-V
// pastes it into a field of the settings window.
class ReportNumberPasteTest : public EditMenuAppTest {
protected:
    ReportNumberPasteTest() : EditMenuAppTest(launchedWith(u"--report-sent"_s)) {}
};

TEST_F(ReportNumberPasteTest, TheCopiedReportNumberPastesWithCommandV) {
    QQuickWindow *report = shownWindowWith(u"reportCopy"_s);
    ASSERT_NE(report, nullptr);
    // The welcome window opens over it; Command-W closes that one.
    press(wKey, EventFlags::command);
    ASSERT_TRUE(serverOf(report)->isKeyWindow());
    ASSERT_NO_FATAL_FAILURE(clickControl(report, u"reportCopy"_s));
    EXPECT_EQ(mac().pasteboard().plainText(), u"R-7K3QXM"_s);
    ASSERT_NO_FATAL_FAILURE(clickProfileName());
    press(vKey, EventFlags::command);
    EXPECT_EQ(fieldText(), u"R-7K3QXM"_s);
}

} // namespace
} // namespace zorv
