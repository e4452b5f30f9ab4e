#include "inputevent.h"
#include "modelsearch.h"
#include "scenariomac.h"
#include "search/stablekey.h"
#include "storage/zorvpaths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

constexpr quint16 keyD = 2;

QString hotkeyLog() {
    QFile file(ZorvPaths::file(u"hotkey-log.txt"_s));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Zorv's first launch on the laptop: within its first seconds, before the engine has taken any
// item into a layout, the user presses the hot key of an item that stands left of the
// always-hidden separator. The bar reveals it and it is clicked, as the same key does later.
TEST(ItemHotkeyAppTest, ReachesAnAlwaysHiddenItemBeforeALayoutIsStored) {
    ASSERT_TRUE(QDir(ZorvPaths::root()).removeRecursively());
    markWelcomeTourDone();
    SimulatedMac mac(reachableLaptop({}));
    ASSERT_TRUE(mac.app.start());
    for (int step = 0; step < 100 && !mac.app.shell()->launch().isStarted(); ++step) {
        mac.driver.run(seconds(0.1));
    }
    ASSERT_TRUE(mac.app.shell()->launch().isStarted());

    const QList<MenuBarItem> &items = mac.engine().lastItems();
    const auto target = std::find_if(items.cbegin(), items.cend(), [&](const MenuBarItem &item) {
        return item.section == Section::alwaysHidden && !item.isDormant;
    });
    ASSERT_NE(target, items.cend()) << "no item stands in the always-hidden part of the bar";
    const MenuBarItemID id = target->id;
    ASSERT_FALSE(mac.engine().storedLayout().sectionOf(id).has_value());
    mac.app.model()->search().setItemHotkey(
        KeyShortcut(keyD, KeyShortcut::kControl | KeyShortcut::kOption | KeyShortcut::kCommand),
        *target);
    mac.driver.drain();

    const qsizetype clicksBefore = mac.platform.desktop().readout().clicks().size();
    mac.platform.desktop().userInput().pressKey(keyD, EventFlags::control | EventFlags::option |
                                                          EventFlags::command);
    mac.run(3);

    ASSERT_FALSE(mac.engine().storedLayout().sectionOf(id).has_value())
        << "the press came before the layout placed the item";
    const QList<DeliveredClick> clicks = mac.platform.desktop().readout().clicks();
    ASSERT_EQ(clicks.size(), clicksBefore + 1);
    const QList<BarEntry> bar = mac.platform.desktop().readout().bar();
    const auto clicked = std::find_if(bar.cbegin(), bar.cend(), [&](const BarEntry &entry) {
        return entry.itemId == clicks.last().itemId;
    });
    ASSERT_NE(clicked, bar.cend());
    EXPECT_EQ(clicked->bundleIdentifier, id.bundleID);
    const QString log = hotkeyLog();
    EXPECT_TRUE(log.contains(u"key="_s + stableKey(id) + u" fired -> "_s)) << log.toStdString();
    EXPECT_FALSE(log.contains(u"FAILED"_s)) << log.toStdString();
}

} // namespace
} // namespace zorv
