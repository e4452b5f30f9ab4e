#include "mockmenubarengine.h"

#include "coroutinetest.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

// The items in list order by the first letters of their names (Dropbox, Fantastical, 1Password,
// TextExpander, Alfred, and Battery and Wi-Fi, two modules sharing one id), each hidden one
// followed by '.' and each always-hidden one by ':'.
QString order(const QList<MenuBarItem> &items) {
    QString text;
    for (const MenuBarItem &item : items) {
        text += item.appName.front();
        text += item.section == Section::hidden         ? u"."_s
                : item.section == Section::alwaysHidden ? u":"_s
                                                        : QString();
    }
    return text;
}

const QString kSample = u"D.F1T.A:BW"_s;

MenuBarItemID idOf(char letter) {
    for (const MenuBarItem &item : MockMenuBarEngine::fixtures()) {
        if (item.appName.front() == QLatin1Char(letter)) {
            return item.id;
        }
    }
    return {};
}

const MenuBarItemID kUnknown{u"com.example.gone"_s, std::nullopt, std::nullopt, 0};

std::optional<EngineError> failureOf(QCoro::Task<> task) {
    try {
        runTask(std::move(task));
    } catch (const EngineFailure &failure) {
        return failure.error();
    }
    return std::nullopt;
}

// Every list published so far, without waiting for more.
QStringList drain(MockMenuBarEngine &engine) {
    QStringList published;
    while (engine.itemsStream().queued() > 0) {
        published.append(order(runTask(engine.itemsStream().next()).value()));
    }
    return published;
}

} // namespace

TEST(MockMenuBarEngineTest, StartsWithTheListedStateAndSetsRatherThanTogglesTheReveal) {
    MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
    EXPECT_EQ(engine.capabilities().rawValue(), 47);
    EXPECT_EQ(engine.autoRehideSeconds(), 10.0);
    EXPECT_FALSE(engine.reorderEnabled());
    EXPECT_FALSE(engine.isRevealed());
    EXPECT_EQ(engine.hidingBlocked(), std::nullopt);
    EXPECT_EQ(engine.iconFrame(), std::nullopt);
    EXPECT_TRUE(engine.iconVisible());
    EXPECT_FALSE(engine.captureEnabled());
    EXPECT_EQ(order(engine.items()), kSample);
    EXPECT_EQ(engine.itemsStream().queued(), 0u);

    // Each call states the wanted reveal, whatever the one before, and publishes.
    for (const bool reveal : {true, true, false, false, true}) {
        runTask(engine.setHiddenRevealed(reveal, false, reveal));
        EXPECT_EQ(engine.isRevealed(), reveal);
    }
    EXPECT_EQ(drain(engine), QStringList(5, kSample));
}

TEST(MockMenuBarEngineTest, ApplyPutsListedItemsFirstAndKeepsEveryItemOnce) {
    using S = Section;
    const struct {
        SectionLayout layout;
        QString expected;
    } cases[] = {
        {SectionLayout{}, kSample},
        {{{{S::alwaysHidden, {idOf('D')}}, {S::shown, {idOf('A'), kUnknown}}}}, u"AD:F1T.BW"_s},
        // Not normalised: the item lands once, at its first placement.
        {{{{S::shown, {idOf('A')}}, {S::hidden, {idOf('A')}}}}, u"AD.F1T.BW"_s},
        // Naming a shared id places its first item and leaves the other alone.
        {{{{S::shown, {idOf('D')}}, {S::hidden, {idOf('W')}}}}, u"DB.F1T.A:W"_s},
    };
    for (const auto &c : cases) {
        MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
        engine.setOnLayoutChanged([](const SectionLayout &) { ADD_FAILURE() << "reported"; });
        runTask(engine.apply(c.layout));
        EXPECT_EQ(drain(engine), QStringList{c.expected});
    }
}

TEST(MockMenuBarEngineTest, MovePlacesTheItemWithinItsNewSection) {
    const struct {
        char item;
        SectionPlacement placement;
        QString expected;
    } cases[] = {
        {'A', {Section::hidden, 0}, u"A.D.F1T.BW"_s},
        {'A', {Section::hidden, -3}, u"A.D.F1T.BW"_s},
        {'A', {Section::hidden, 1}, u"D.F1A.T.BW"_s},
        {'A', {Section::hidden, std::nullopt}, u"D.F1T.BWA."_s},
        {'D', {Section::alwaysHidden, 5}, u"F1T.A:BWD:"_s},
        // A shared id moves its first item.
        {'W', {Section::shown, 0}, u"D.BF1T.A:W"_s},
    };
    for (const auto &c : cases) {
        MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
        runTask(engine.move(idOf(c.item), c.placement));
        EXPECT_EQ(drain(engine), QStringList{c.expected}) << c.placement.index.value_or(99);
    }
}

TEST(MockMenuBarEngineTest, UnknownItemsFailWithItemNotFoundAndChangeNothing) {
    MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
    EXPECT_EQ(failureOf(engine.activate(kUnknown, ClickKind::left)), EngineError::itemNotFound);
    EXPECT_EQ(failureOf(engine.move(kUnknown, {Section::shown, 0})), EngineError::itemNotFound);
    EXPECT_EQ(order(engine.items()), kSample);
    EXPECT_EQ(engine.itemsStream().queued(), 0u);

    MockMenuBarEngine empty({});
    EXPECT_EQ(failureOf(empty.activate(idOf('D'), ClickKind::right)), EngineError::itemNotFound);
    EXPECT_EQ(failureOf(engine.activate(idOf('D'), ClickKind::option)), std::nullopt);
    EXPECT_EQ(engine.activations(),
              (QList<MockMenuBarEngine::Activation>{{idOf('D'), ClickKind::option}}));
}

TEST(MockMenuBarEngineTest, HidingBlockedCallbackFiresOnlyOnChange) {
    MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
    QList<std::optional<HidingBlockedReason>> reported;
    engine.setOnHidingBlockedChanged(
        [&reported](std::optional<HidingBlockedReason> reason) { reported.append(reason); });
    engine.setHidingBlocked(HidingBlockedReason::iconMisseated);
    engine.setHidingBlocked(HidingBlockedReason::iconMisseated);
    engine.setHidingBlocked(HidingBlockedReason::displayNotHiding);
    runTask(engine.retryHiding());
    runTask(engine.retryHiding());
    EXPECT_EQ(reported, (QList<std::optional<HidingBlockedReason>>{
                            HidingBlockedReason::iconMisseated,
                            HidingBlockedReason::displayNotHiding, std::nullopt}));
    EXPECT_EQ(engine.retryHidingCalls(), 2);
}

TEST(MockMenuBarEngineTest, StreamDeliversEveryListOnceInPublishingOrder) {
    MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
    // Published before anyone listens: kept for the consumer, not lost.
    runTask(engine.start());
    runTask(engine.move(idOf('A'), {Section::shown, 0}));

    QStringList received;
    auto consumer = [](MockMenuBarEngine &engine, QStringList &received) -> QCoro::Task<> {
        for (int i = 0; i < 7; ++i) {
            auto items = co_await engine.itemsStream().next();
            CO_ASSERT_TRUE(items.has_value());
            received.append(order(*items));
        }
    }(engine, received);

    // Published while the consumer waits; the two-argument form works through the interface.
    MenuBarEngine &any = engine;
    runTask(any.toggleRevealed(false));
    EXPECT_TRUE(engine.isRevealed());
    runTask(any.setHiddenRevealed(false, true));
    EXPECT_FALSE(engine.isRevealed());
    runTask(engine.refresh());
    runTask(engine.reconcileMenuBar(u"user-move"_s));
    runTask(engine.apply(SectionLayout{{{Section::hidden, {idOf('A')}}}}));
    runTask(std::move(consumer));

    const QString moved = u"D.AF1T.BW"_s;
    EXPECT_EQ(received, (QStringList{kSample, moved, moved, moved, moved, moved, u"A.D.F1T.BW"_s}));
    EXPECT_EQ(engine.itemsStream().queued(), 0u);
}
