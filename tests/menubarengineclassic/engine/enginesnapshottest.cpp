#include "enginetest.h"

#include <QJsonArray>

using namespace Qt::StringLiterals;

namespace zorv::testing {
namespace {

const QString kGone = u"com.example.gone"_s;

QStringList keysOf(const QJsonObject &object) {
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

class SnapshotTest : public EngineTest {
protected:
    void SetUp() override {
        addLaptop();
        addSystemItems();
        toolsProcess = launch(tools);
        changing = addItem(toolsProcess, 30.0, u"first"_s);
        ItemDescription untitled;
        untitled.length = 30.0;
        desktop.items().add(toolsProcess, untitled);
        // A stored item of an application that is neither running nor installed.
        workspace.install({kGone, u"/Applications/Gone.app"_s, {}});
        makeEngine(layoutOf({}, {MenuBarItemID{kGone, std::nullopt, u"Gone"_s, 0}}, {}));
    }

    quint64 changing = 0;
};

TEST_F(SnapshotTest, filesCarryExactlyTheirKeys) {
    drive(engine->setHiddenRevealed(false, false));
    const QJsonObject beforeScan = readFile(u"diagnostics.json"_s);
    EXPECT_EQ(beforeScan.value(u"itemFramesAsOf"_s).toString(), u"0001-01-01T00:00:00Z"_s);
    EXPECT_TRUE(beforeScan.value(u"items"_s).toArray().isEmpty());

    startEngine();
    drive(engine->setHiddenRevealed(true, false));
    drive(engine->refresh());

    struct Expected {
        QJsonObject object;
        QStringList keys;
    };
    const QJsonObject snapshot = readFile(u"diagnostics.json"_s);
    const QJsonObject reveal = records(u"events.jsonl"_s, u"reveal"_s).value(0);
    const QList<Expected> expected{
        {snapshot,
         {u"at"_s, u"identityChurn"_s, u"isRevealed"_s, u"itemFramesAsOf"_s, u"items"_s, u"kind"_s,
          u"ordinalSlots"_s, u"os"_s, u"reorderEnabled"_s, u"separators"_s, u"separatorsOrdered"_s,
          u"unmovable"_s}},
        {snapshot.value(u"separators"_s).toObject(),
         {u"alwaysHiddenSep"_s, u"hiddenSep"_s, u"icon"_s}},
        {snapshot.value(u"ordinalSlots"_s).toObject(), {u"apps"_s, u"freshSlots"_s}},
        {snapshot.value(u"items"_s).toArray().first().toObject(),
         {u"bundleID"_s, u"dormant"_s, u"midX"_s, u"name"_s, u"section"_s, u"title"_s, u"width"_s}},
        {reveal,
         {u"at"_s, u"geometry"_s, u"includingAlwaysHidden"_s, u"kind"_s, u"reason"_s,
          u"refused"_s}},
    };
    for (const Expected &entry : expected) {
        EXPECT_EQ(keysOf(entry.object), entry.keys);
    }
    EXPECT_EQ(snapshot.value(u"kind"_s).toString(), u"scan"_s);
    EXPECT_EQ(snapshot.value(u"os"_s).toString(), u"Version 14.5 (Build 23F79)"_s)
        << "the Mac's own version, as the report's facts give it";
    EXPECT_TRUE(snapshot.value(u"isRevealed"_s).toBool());
    EXPECT_EQ(snapshot.value(u"ordinalSlots"_s).toObject().value(u"apps"_s).toInt(), 2);

    // Items left to right (the two system items last), then the dormant one; no title is "".
    QList<std::pair<QString, bool>> titles;
    for (const QJsonValue &item : snapshot.value(u"items"_s).toArray()) {
        titles.append({item[u"title"_s].toString(), item[u"dormant"_s].toBool()});
    }
    EXPECT_EQ(titles, (QList<std::pair<QString, bool>>{{QString(), false},
                                                       {QString(), false},
                                                       {QString(), false},
                                                       {u"Mon 9:41"_s, false},
                                                       {u"Gone"_s, true}}));
}

TEST_F(SnapshotTest, identityChurnListsApplicationsWhoseItemsKeepChangingIdentity) {
    startEngine();
    EXPECT_TRUE(engine->identityChurn().isEmpty());
    desktop.items().setIdentifier(changing, u"second"_s);
    drive(engine->refresh());
    // Three identities, two live items; the system items and the dormant one never count.
    const QJsonArray churn = engine->identityChurn();
    ASSERT_EQ(churn.size(), 1);
    EXPECT_EQ(churn.first().toObject(),
              (QJsonObject{{u"bundleID"_s, tools}, {u"identities"_s, 3}, {u"liveItems"_s, 2}}));
    EXPECT_EQ(readFile(u"diagnostics.json"_s).value(u"identityChurn"_s).toArray(), churn);
}

// Scans of an unchanged bar leave the file as it is for a while; a report about to read it gets
// the newest scan's snapshot written at once.
TEST_F(SnapshotTest, theLatestSnapshotIsWrittenForAReport) {
    startEngine();
    // Zorv's items come up at the left end here and are seated again: the bar settles first.
    run(5.0);
    drive(engine->refresh());
    const auto framesAsOf = [this] {
        return QDateTime::fromString(
            readFile(u"diagnostics.json"_s).value(u"itemFramesAsOf"_s).toString(), Qt::ISODate);
    };
    const QDateTime first = framesAsOf();
    ASSERT_TRUE(first.isValid());
    clock.advance(seconds(90));
    drive(engine->refresh());
    EXPECT_EQ(framesAsOf(), first);

    engine->writeLatestDiagnostics();
    EXPECT_GE(framesAsOf(), first.addSecs(90));
}

} // namespace
} // namespace zorv::testing
