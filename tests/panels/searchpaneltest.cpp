#include "modelsearch.h"
#include "panelsfixture.h"
#include "search/searchpanelcontroller.h"

#include <QAbstractItemModelTester>
#include <QQuickItem>
#include <QTest>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

const QString activation = u"engine.activate"_s;

class SearchPanelTest : public PanelsTest {
protected:
    explicit SearchPanelTest(QList<MenuBarItem> items = MockMenuBarEngine::fixtures())
        : PanelsTest(std::move(items)), panel(mac.model(), services) {
        mac.fakes.log.clear();
    }

    SearchPanelModel &search() { return *panel.search(); }
    int rows() { return search().results()->rowCount(); }
    QString rowName(int row) {
        return search().results()->index(row).data(ItemRowsModel::NameRole).toString();
    }
    int activations() {
        clock.settle();
        return engineCalls(activation);
    }
    // Gives the aliases "zz1", "zz2", ... to the first `count` items.
    void aliasFirst(int count) {
        for (int i = 0; i < count; ++i) {
            mac.model().search().setAlias(u"zz%1"_s.arg(i + 1), mac.model().items().at(i));
        }
    }

    SearchPanelController panel;
};

// Many items, so that the list scrolls.
QList<MenuBarItem> manyItems() {
    QList<MenuBarItem> items = MockMenuBarEngine::fixtures();
    for (int i = 0; i < 14; ++i) {
        MenuBarItem extra = items.at(1);
        extra.id.bundleID = u"org.example.extra%1"_s.arg(i);
        extra.id.title = u"Extra %1"_s.arg(i);
        extra.appName = extra.id.title.value();
        extra.frame.translate(30 * (i + 1), 0);
        items.append(extra);
    }
    return items;
}

class LongSearchPanelTest : public SearchPanelTest {
protected:
    LongSearchPanelTest() : SearchPanelTest(manyItems()) {}
};

// The items change while the panel is open (a frame moves whenever the clock's width does): the
// list keeps its scroll position, its highlight and its rows' delegates.
TEST_F(LongSearchPanelTest, TheListKeepsScrollAndHighlightAcrossAnItemChange) {
    panel.show();
    QAbstractItemModelTester tester(search().results(),
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    QQuickWindow &window = panel.panel()->window();
    window.resize(520, 360);
    (void)window.grabWindow();
    search().move(12);
    (void)window.grabWindow();
    auto *list = window.findChild<QQuickItem *>(u"results"_s);
    ASSERT_TRUE(list);
    const double scrolled = list->property("contentY").toDouble();
    ASSERT_GT(scrolled, 0);
    QQuickItem *highlighted = findItem(window, u"row-12"_s);
    ASSERT_TRUE(highlighted);
    const QString name = highlighted->property("name").toString();

    QList<MenuBarItem> items = mac.model().items();
    for (MenuBarItem &item : items) {
        item.frame.translate(-7, 0);
    }
    mac.engine().itemsStream().push(items);
    clock.settle();
    (void)window.grabWindow();
    EXPECT_EQ(list->property("contentY").toDouble(), scrolled);
    EXPECT_EQ(search().selection(), 12);
    EXPECT_EQ(findItem(window, u"row-12"_s), highlighted) << "the same delegate";
    EXPECT_TRUE(highlighted->property("selected").toBool());
    EXPECT_EQ(highlighted->property("name").toString(), name);
}

TEST_F(SearchPanelTest, EmptyQueryListsEveryItemAndTextsTellWhyNothingShows) {
    panel.show();
    ASSERT_TRUE(panel.search());
    EXPECT_EQ(rows(), mac.model().items().size()) << "an empty query lists every item";
    EXPECT_EQ(search().emptyText(), u"Type part of an item's name"_s);

    struct Case {
        QString query;
        QString text;
    };
    const Case cases[] = {
        {u"qqqq"_s, u"No items match “qqqq”"_s},
        {u"   "_s, u"No items match “   ”"_s},
        {u"<b>x</b>"_s, u"No items match “<b>x</b>”"_s},
    };
    for (const Case &c : cases) {
        search().setQuery(c.query);
        EXPECT_EQ(rows(), 0) << c.query.toStdString();
        EXPECT_EQ(search().emptyText(), c.text);
    }
    auto *text = panel.panel()->window().findChild<QQuickItem *>(u"emptyText"_s);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->isVisible());
    EXPECT_EQ(text->property("textFormat").toInt(), int(Qt::PlainText));
    search().setQuery(u"drop"_s);
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(rowName(0), u"Dropbox"_s);
    EXPECT_FALSE(text->isVisible());
}

TEST_F(SearchPanelTest, ArrowsStopAtTheEndsAndTypingGoesBackToTheFirstRow) {
    panel.show();
    const int count = rows();
    ASSERT_GT(count, 3);
    search().move(-1);
    EXPECT_EQ(search().selection(), 0) << "Up on the first row";
    search().move(1);
    search().move(1);
    EXPECT_EQ(search().selection(), 2);
    EXPECT_TRUE(search().results()->index(2).data(ItemRowsModel::SelectedRole).toBool());
    search().move(count + 5);
    EXPECT_EQ(search().selection(), count - 1);
    search().move(1);
    EXPECT_EQ(search().selection(), count - 1) << "Down on the last row";

    search().setQuery(u"a"_s);
    EXPECT_EQ(search().selection(), 0);
    search().setQuery(u"qqqq"_s);
    search().move(1);
    search().move(-1);
    EXPECT_EQ(search().selection(), 0) << "no results: the arrows do nothing";
    search().activateSelected();
    EXPECT_EQ(activations(), 0) << "Return with no results";
}

TEST_F(SearchPanelTest, CommandAndADigitOpenOnlyAListedRow) {
    struct Case {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool opens;
    };
    // Command is Qt's Control modifier, as on a Mac; Meta is the Control key.
    const Case cases[] = {
        {"Command+1 with one result", Qt::Key_1, Qt::ControlModifier, true},
        {"Command+2 with one result", Qt::Key_2, Qt::ControlModifier, false},
        {"Command+0", Qt::Key_0, Qt::ControlModifier, false},
        {"Command+Shift+1", Qt::Key_Exclam, Qt::ControlModifier | Qt::ShiftModifier, false},
        {"Command+Shift+1 by its place", Qt::Key_1, Qt::ControlModifier | Qt::ShiftModifier, false},
        {"Command+Option+1", Qt::Key_1, Qt::ControlModifier | Qt::AltModifier, false},
        {"Control+1", Qt::Key_1, Qt::MetaModifier, false},
        {"1 alone", Qt::Key_1, Qt::NoModifier, false},
        {"Command+a", Qt::Key_A, Qt::ControlModifier, false},
    };
    for (const Case &c : cases) {
        mac.fakes.log.clear();
        panel.show();
        search().setQuery(u"drop"_s);
        ASSERT_EQ(rows(), 1);
        EXPECT_EQ(search().commandDigit(c.key, int(c.modifiers)), c.opens) << c.name;
        EXPECT_EQ(activations(), c.opens ? 1 : 0) << c.name;
        EXPECT_EQ(panel.isVisible(), !c.opens) << c.name << ": opening closes the panel";
    }
}

TEST_F(SearchPanelTest, RowsFromTheTenthOnHaveNoNumber) {
    QList<ItemRowsModel::Entry> many;
    for (int i = 0; i < 12; ++i) {
        many.append({mac.model().items().at(i % 7), std::nullopt});
    }
    ItemRowsModel rowsModel(nullptr);
    QAbstractItemModelTester tester(&rowsModel,
                                    QAbstractItemModelTester::FailureReportingMode::Fatal);
    rowsModel.setEntries(many, std::nullopt);
    EXPECT_EQ(rowsModel.index(0).data(ItemRowsModel::NumberRole).toInt(), 1);
    EXPECT_EQ(rowsModel.index(8).data(ItemRowsModel::NumberRole).toInt(), 9);
    EXPECT_EQ(rowsModel.index(9).data(ItemRowsModel::NumberRole).toInt(), 0);
    rowsModel.setSelected(3);
    EXPECT_TRUE(rowsModel.index(3).data(ItemRowsModel::SelectedRole).toBool());
    rowsModel.setEntries(many.mid(0, 2), std::nullopt);
    EXPECT_EQ(rowsModel.selected(), -1) << "a highlight past the new rows goes";

    panel.show();
    EXPECT_FALSE(search().commandDigit(Qt::Key_0, int(Qt::ControlModifier)));
    EXPECT_FALSE(search().commandDigit(Qt::Key_Plus, int(Qt::ControlModifier)));
    EXPECT_EQ(activations(), 0);
}

TEST_F(SearchPanelTest, AStaleSelectionIsNeverUsedAsAnIndex) {
    aliasFirst(4);
    panel.show();
    search().setQuery(u"zz"_s);
    ASSERT_EQ(rows(), 4);
    search().move(3);
    // The list shrinks under the highlight.
    for (int i = 1; i < 4; ++i) {
        mac.model().search().setAlias(std::nullopt, mac.model().items().at(i));
    }
    ASSERT_EQ(rows(), 1);
    EXPECT_EQ(search().selection(), 3);
    search().activateSelected();
    EXPECT_EQ(activations(), 0) << "Return with a selection beyond the results";
    EXPECT_FALSE(search().commandDigit(Qt::Key_2, int(Qt::ControlModifier)));
    search().move(-1);
    EXPECT_EQ(search().selection(), 0) << "moving clamps to the new count";
    search().activateSelected();
    EXPECT_EQ(activations(), 1);
}

TEST_F(SearchPanelTest, AClickOpensTheRowClickedNotTheHighlightedOne) {
    panel.show();
    search().move(2);
    QQuickWindow &window = panel.panel()->window();
    (void)window.grabWindow();
    auto *row = findItem(window, u"row-1"_s);
    ASSERT_TRUE(row);
    const QString expected = rowName(1);
    QTest::mouseClick(&window, Qt::LeftButton, {},
                      row->mapToScene(QPointF(row->width() / 2, row->height() / 2)).toPoint());
    EXPECT_EQ(activations(), 1);
    EXPECT_FALSE(panel.isVisible());
    const auto &opened = mac.engine().mock().activations();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened[0].click, ClickKind::left);
    EXPECT_EQ(opened[0].id.title.value_or(QString()), expected);
}

TEST_F(SearchPanelTest, EveryShowStartsAFreshSearchNearTheTopCentre) {
    EXPECT_FALSE(mac.desktop().application().isActive());
    panel.show();
    ASSERT_TRUE(panel.isVisible());
    EXPECT_TRUE(mac.desktop().application().isActive()) << "the panel takes the keyboard";
    const AppWindow &server = panel.panel()->server();
    EXPECT_TRUE(server.isKeyWindow());
    EXPECT_EQ(server.style().level, WindowLevel::floating);
    const QRectF frame = server.frame();
    EXPECT_EQ(frame.size(), QSizeF(520, 360));
    EXPECT_DOUBLE_EQ(frame.center().x(), 1512 / 2.0);
    EXPECT_GT(frame.center().y(), (982 - 24) / 2.0) << "above the middle";

    search().setQuery(u"drop"_s);
    QPointer<SearchPanelModel> first = panel.search();
    panel.show();
    EXPECT_NE(panel.search(), first.data());
    EXPECT_TRUE(search().query().isEmpty()) << "show while visible starts over";
    EXPECT_EQ(search().selection(), 0);
    EXPECT_TRUE(
        findItem(panel.panel()->window(), u"query"_s)->property("text").toString().isEmpty());

    search().setQuery(u"drop"_s);
    panel.toggle();
    EXPECT_FALSE(panel.isVisible());
    panel.toggle();
    EXPECT_TRUE(panel.isVisible());
    EXPECT_TRUE(search().query().isEmpty());
}

TEST_F(SearchPanelTest, EscapeAndLosingTheKeyboardClose) {
    struct Case {
        const char *name;
        std::function<void()> act;
    };
    const Case cases[] = {
        {"Escape in the field", [&] { QTest::keyClick(&panel.panel()->window(), Qt::Key_Escape); }},
        {"Escape through the window server",
         [&] { mac.desktop().userInput().pressKey(KeyCode::escape); }},
        {"a click in another application", [&] { clickAt(QPointF(100, 100)); }},
        {"hide", [&] { panel.hide(); }},
    };
    for (const Case &c : cases) {
        panel.show();
        ASSERT_TRUE(panel.isVisible()) << c.name;
        c.act();
        EXPECT_FALSE(panel.isVisible()) << c.name;
    }
    EXPECT_EQ(activations(), 0);
}

TEST_F(SearchPanelTest, TypingArrowsAndReturnOpenTheHighlightedItem) {
    panel.show();
    QQuickWindow &window = panel.panel()->window();
    window.resize(520, 360);
    auto *field = window.findChild<QQuickItem *>(u"query"_s);
    ASSERT_TRUE(field);
    field->forceActiveFocus();
    QTest::keyClick(&window, Qt::Key_O);
    EXPECT_EQ(search().query(), u"o"_s);
    ASSERT_GT(rows(), 1);
    QTest::keyClick(&window, Qt::Key_Down);
    EXPECT_EQ(search().selection(), 1);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_EQ(activations(), 1);
    EXPECT_FALSE(panel.isVisible());
}

} // namespace
} // namespace zorv
