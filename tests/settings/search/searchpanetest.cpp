#include "itemtree.h"
#include "modelsearch.h"
#include "searchpanemodel.h"
#include "settingsfixture.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QQuickView>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

MenuBarItem item(const QString &bundleID, std::optional<QString> title, const QString &appName,
                 int ordinal = 0, bool dormant = false) {
    return MenuBarItem{
        .id = MenuBarItemID{.bundleID = bundleID,
                            .axIdentifier = std::nullopt,
                            .title = std::move(title),
                            .ordinal = ordinal},
        .pid = 0,
        .appName = appName,
        .frame = QRectF(100 + 30 * ordinal, 0, 24, 24),
        .appIcon = std::nullopt,
        .capturedImage = std::nullopt,
        .section = Section::hidden,
        .isNotchObscured = false,
        .isDormant = dormant,
        .isUnmovable = false,
    };
}

QList<MenuBarItem> paneItems() {
    return {
        item(u"org.example.weather"_s, u"Weather"_s, u"Weather Pro"_s, 0),
        item(u"org.example.notes"_s, u""_s, u"Sticky Notes"_s, 1),
        item(u"org.example.sleep"_s, std::nullopt, u"Sleepy"_s, 2),
        item(u"org.example.sleep2"_s, u"Sleepy"_s, u"Sleepy Two"_s, 3),
        item(u"org.example.stars"_s, u"★★"_s, u"☆"_s, 4),
        item(u"org.example.ghost"_s, u"Ghost"_s, u"Ghost"_s, 5, true),
    };
}

class SearchPaneTest : public ::testing::Test, protected SettingsFixture {
protected:
    explicit SearchPaneTest(QList<MenuBarItem> items = paneItems())
        : SettingsFixture(std::move(items)) {
        pane.setView(&view);
    }

    QVariant role(int row, int role) { return pane.index(row).data(role); }

    // The pane in a window of its own, drawn with the kit.
    std::unique_ptr<QQuickView> paneView(QSize size = QSize(720, 640)) {
        auto window = std::make_unique<QQuickView>(&engine, nullptr);
        window->setInitialProperties({{u"view"_s, QVariant::fromValue(&view)},
                                      {u"services"_s, QVariant::fromValue(&services)}});
        window->setResizeMode(QQuickView::SizeRootObjectToView);
        window->resize(size);
        window->setSource(QUrl(u"qrc:/Zorv/Settings/search/SearchSettingsView.qml"_s));
        EXPECT_EQ(window->status(), QQuickView::Ready);
        return window;
    }

    SearchPaneModel pane;
};

TEST_F(SearchPaneTest, ListsItemsThatAreNotDormantWithNamesAndDistinctSuggestions) {
    QAbstractItemModelTester tester(&pane, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ASSERT_EQ(pane.rowCount(), 5) << "the dormant item is left out";
    const QStringList names{u"Weather"_s, u"Sticky Notes"_s, u"Sleepy"_s, u"Sleepy"_s, u"★★"_s};
    for (int row = 0; row < names.size(); ++row) {
        EXPECT_EQ(role(row, SearchPaneModel::NameRole).toString(), names[row]) << row;
    }
    const QString first = role(2, SearchPaneModel::PromptRole).toString();
    const QString second = role(3, SearchPaneModel::PromptRole).toString();
    EXPECT_FALSE(first.isEmpty());
    EXPECT_EQ(second, first + u"2"_s) << "equal suggestions are made distinct over the list";
    EXPECT_EQ(role(4, SearchPaneModel::PromptRole).toString(), u"e.g. cal"_s)
        << "a name without letters has no suggestion";
    EXPECT_EQ(pane.paneIndex(), 5);
    EXPECT_EQ(pane.paneCount(), 8);
}

TEST_F(SearchPaneTest, AliasesAreStoredAsTypedAndBlankOnesRemoved) {
    struct Case {
        QString typed;
        QString stored;
    };
    const Case cases[] = {
        {u"wx"_s, u"wx"_s},
        {u" wx "_s, u" wx "_s},
        {u" \t "_s, QString()},
        {QString(), QString()},
    };
    for (const Case &c : cases) {
        pane.setAlias(0, c.typed);
        EXPECT_EQ(role(0, SearchPaneModel::AliasRole).toString(), c.stored)
            << c.typed.toStdString();
        EXPECT_EQ(mac.model().search().alias(mac.model().items().at(0)).value_or(QString()),
                  c.stored);
    }
    pane.setAlias(0, u"rain"_s);
    const QList<MenuBarItem> found = mac.model().search().searchResults(u"rain"_s);
    ASSERT_FALSE(found.isEmpty());
    EXPECT_EQ(found[0].id.title, u"Weather"_s) << "search matches the new alias";
    EXPECT_TRUE(mac.model().lastSavedAt()) << "each edit is saved";
    pane.setAlias(99, u"nobody"_s);
    pane.setAlias(-1, u"nobody"_s);
}

TEST_F(SearchPaneTest, HotkeysAndTheSearchShortcutGoToTheModel) {
    int shortcutChanges = 0;
    QObject::connect(&mac.model(), &AppModel::shortcutsChanged, [&] { ++shortcutChanges; });
    const QVariantMap optionCommandW{{u"keyCode"_s, 13}, {u"modifiers"_s, 0x180000}};
    pane.setHotkey(1, optionCommandW);
    EXPECT_EQ(role(1, SearchPaneModel::HotkeyRole).toMap(), optionCommandW);
    EXPECT_EQ(mac.model().search().itemHotkey(mac.model().items().at(1)),
              KeyShortcut(13, 0x180000));
    pane.setHotkey(1, QVariant());
    EXPECT_FALSE(role(1, SearchPaneModel::HotkeyRole).isValid()) << "null clears it";

    EXPECT_FALSE(pane.searchShortcut().isValid());
    pane.setSearchShortcut(optionCommandW);
    EXPECT_EQ(pane.searchShortcut().toMap(), optionCommandW);
    pane.setSearchShortcut(QVariantMap{{u"keyCode"_s, u"F"_s}, {u"modifiers"_s, 1.5}});
    EXPECT_FALSE(mac.model().settings().searchShortcut) << "a malformed value clears it";
    EXPECT_EQ(shortcutChanges, 4) << "every change re-registers the hot keys";
}

TEST_F(SearchPaneTest, RowsHaveRulesBetweenThemAndRecordersShowTheirDefaults) {
    auto view = paneView();
    ASSERT_TRUE(view->rootObject());
    (void)view->grabWindow();
    QQuickItem *firstRule = findItem(findItem(view->rootObject(), u"item-0"_s), u"rule"_s);
    QQuickItem *secondRule = findItem(findItem(view->rootObject(), u"item-1"_s), u"rule"_s);
    ASSERT_TRUE(firstRule && secondRule);
    EXPECT_FALSE(firstRule->isVisible()) << "no rule above the first row";
    EXPECT_TRUE(secondRule->isVisible());
    EXPECT_FALSE(findItem(view->rootObject(), u"noItems"_s)->isVisible());
    EXPECT_EQ(findItem(view->rootObject(), u"searchShortcut"_s)->property("defaultDisplay"),
              u"⌥⌘F"_s);
    QQuickItem *alias = findItem(findItem(view->rootObject(), u"item-1"_s), u"alias"_s);
    EXPECT_EQ(alias->property("title"), u"Alias for Sticky Notes"_s);
    alias->setProperty("text", u"sn"_s);
    EXPECT_EQ(mac.model().search().alias(mac.model().items().at(1)), u"sn"_s)
        << "typing in the field stores the alias";
}

// The items change under the pane all the time (a frame moves whenever the clock's width does),
// and items come and go. The field being typed into keeps its focus, its text and its item, and
// an armed recorder stays armed.
TEST_F(SearchPaneTest, TypingIntoAnAliasSurvivesTheItemsChanging) {
    QAbstractItemModelTester tester(&pane, QAbstractItemModelTester::FailureReportingMode::Fatal);
    auto window = paneView();
    window->show();
    (void)window->grabWindow();
    QQuickItem *row = findItem(window->rootObject(), u"item-1"_s);
    ASSERT_TRUE(row);
    QQuickItem *alias = findItem(row, u"alias"_s);
    QQuickItem *recorder = findItem(findItem(window->rootObject(), u"item-3"_s), u"hotkey"_s);
    ASSERT_TRUE(alias && recorder);
    const auto clickOn = [&](QQuickItem *control) {
        const QPointF centre =
            control->mapToScene(QPointF(control->width() / 2, control->height() / 2));
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, centre.toPoint());
    };
    clickOn(alias);
    QTest::keyClick(window.get(), Qt::Key_S);
    ASSERT_EQ(model.search().alias(model.items().at(1)), u"s"_s);

    struct Change {
        const char *name;
        std::function<void(QList<MenuBarItem> &)> apply;
    };
    const Change changes[] = {
        {"every frame moves", [](QList<MenuBarItem> &items) {
             for (MenuBarItem &item : items) {
                 item.frame.translate(-7, 0);
             }
         }},
        {"an item comes before", [](QList<MenuBarItem> &items) {
             items.prepend(item(u"org.example.new"_s, u"Newcomer"_s, u"Newcomer"_s, 9));
         }},
        {"an item before goes", [](QList<MenuBarItem> &items) { items.removeFirst(); }},
    };
    QList<MenuBarItem> items = model.items();
    QString typed = u"s"_s;
    for (const Change &change : changes) {
        change.apply(items);
        mac.engine().itemsStream().push(items);
        settle();
        (void)window->grabWindow();
        EXPECT_EQ(alias->property("title"), u"Alias for Sticky Notes"_s) << change.name;
        EXPECT_TRUE(alias->property("focused").toBool()) << change.name;
        EXPECT_EQ(alias->property("text").toString(), typed) << change.name;
        QTest::keyClick(window.get(), Qt::Key_N);
        typed += u"n"_s;
        const auto notes = std::ranges::find(model.items(), u"org.example.notes"_s,
                                             [](const MenuBarItem &i) { return i.id.bundleID; });
        ASSERT_NE(notes, model.items().end());
        EXPECT_EQ(model.search().alias(*notes), typed) << change.name << ": the same item's alias";
    }

    clickOn(recorder);
    ASSERT_TRUE(recorder->property("recording").toBool());
    changes[0].apply(items);
    mac.engine().itemsStream().push(items);
    settle();
    EXPECT_TRUE(recorder->property("recording").toBool()) << "the armed recorder waits on";
}

class EmptySearchPaneTest : public SearchPaneTest {
protected:
    EmptySearchPaneTest()
        : SearchPaneTest({item(u"org.example.ghost"_s, u"Ghost"_s, u"G"_s, 0, true)}) {}
};

TEST_F(EmptySearchPaneTest, WithoutItemsOnlyTheExplanationShows) {
    EXPECT_EQ(pane.rowCount(), 0);
    auto view = paneView();
    (void)view->grabWindow();
    QQuickItem *text = findItem(view->rootObject(), u"noItems"_s);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->isVisible());
    EXPECT_EQ(text->property("text"),
              u"Menu bar items show here once Zorv has Accessibility (see Menu Bar Layout)."_s);
    EXPECT_TRUE(findItem(view->rootObject(), u"searchShortcut"_s)->isVisible());
}

} // namespace
} // namespace zorv
