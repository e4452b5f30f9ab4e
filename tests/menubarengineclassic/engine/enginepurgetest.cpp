#include "enginetest.h"

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

// Another menu bar manager's items never belong to the user's layout: while it runs it moves
// them itself. Its bundle identifiers all start with this.
const QString kOtherManager = u"com.surteesstudios.Bartender"_s;
const QString kOtherManagerEdition = kOtherManager + u"-setapp"_s;
const QString kNotes = u"com.example.notes"_s;

MenuBarItemID itemOf(const QString &bundle, const QString &identifier) {
    return MenuBarItemID{bundle, identifier, std::nullopt, 0};
}

QSet<QString> bundlesIn(const SectionLayout &layout) {
    QSet<QString> bundles;
    for (Section section : allSections) {
        for (const MenuBarItemID &id : layout.ids(section)) {
            bundles.insert(id.bundleID);
        }
    }
    return bundles;
}

// The manager runs with an item on the bar, an edition of it is installed but not running, and so
// is the notes application: only the manager's items leave the layout, on the first scan and on
// any scan after a layout brings them back, and none of them is listed as dormant.
TEST_F(EngineTest, theOtherManagersItemsLeaveTheLayoutOnEveryScan) {
    addLaptop();
    toolsProcess = launch(tools);
    const quint64 a = addItem(toolsProcess, 30.0, u"a"_s);
    const quint64 managed = addItem(launch(kOtherManager), 30.0, u"m"_s);
    workspace.install({kOtherManager, u"/Applications/Manager.app"_s, {}});
    workspace.install({kOtherManagerEdition, u"/Applications/Setapp/Manager.app"_s, {}});
    workspace.install({kNotes, u"/Applications/Notes.app"_s, {}});
    const SectionLayout withTheManager =
        layoutOf({itemOf(kOtherManager, u"m"_s), idOf(u"a"_s)}, {itemOf(kNotes, u"n"_s)},
                 {itemOf(kOtherManagerEdition, u"e"_s)});
    makeEngine(withTheManager);
    QList<SectionLayout> reported;
    engine->setOnLayoutChanged(
        [&reported](const SectionLayout &layout) { reported.append(layout); });
    arrange({zorvItem(BarItems::zorvAlwaysHiddenSeparatorName),
             zorvItem(BarItems::zorvHiddenSeparatorName), managed, a,
             zorvItem(BarItems::zorvIconName)});
    startEngine();

    const QSet<QString> kept{tools, kNotes};
    EXPECT_EQ(bundlesIn(engine->storedLayout()), kept);
    ASSERT_FALSE(reported.isEmpty());
    EXPECT_EQ(bundlesIn(reported.last()), kept);
    for (const MenuBarItem &item : engine->lastItems()) {
        EXPECT_FALSE(item.isDormant && item.id.bundleID.startsWith(kOtherManager))
            << item.id.bundleID.toStdString();
    }

    reported.clear();
    drive(engine->apply(withTheManager));
    EXPECT_EQ(bundlesIn(engine->storedLayout()), kept);
    ASSERT_FALSE(reported.isEmpty());
    EXPECT_EQ(bundlesIn(reported.last()), kept);
}

} // namespace
} // namespace zorv::testing
