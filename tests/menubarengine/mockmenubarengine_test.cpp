#include "mockmenubarengine.h"

#include "coroutinetest.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace zorv;

namespace {

// The items' names in list order, separated by spaces.
QString order(const QList<MenuBarItem> &items) {
    QStringList names;
    for (const MenuBarItem &item : items) {
        names.append(item.appName);
    }
    return names.join(u' ');
}

const QString kSampleOrder = u"Dropbox Fantastical 1Password TextExpander Alfred Battery Wi-Fi"_s;

MenuBarItemID idOf(const QString &name) {
    for (const MenuBarItem &item : MockMenuBarEngine::fixtures()) {
        if (item.appName == name) {
            return item.id;
        }
    }
    ADD_FAILURE() << "no sample item " << name.toStdString();
    return {};
}

const MenuBarItemID kUnknown{u"com.example.gone"_s, std::nullopt, std::nullopt, 0};

std::optional<Section> sectionOf(const MockMenuBarEngine &engine, const QString &name) {
    for (const MenuBarItem &item : engine.items()) {
        if (item.appName == name) {
            return item.section;
        }
    }
    return std::nullopt;
}

// The error the task fails with, or nullopt when it succeeds.
std::optional<EngineError> failureOf(QCoro::Task<> task) {
    try {
        runTask(std::move(task));
    } catch (const EngineFailure &failure) {
        return failure.error();
    }
    return std::nullopt;
}

// Every list queued on the stream so far, without waiting for more.
QStringList drain(MockMenuBarEngine &engine) {
    QStringList published;
    while (engine.itemsStream().queued() > 0) {
        published.append(order(runTask(engine.itemsStream().next()).value()));
    }
    return published;
}

} // namespace

TEST(MockMenuBarEngineTest, StartsWithTheSampleEnginesSettings) {
    MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
    EXPECT_EQ(engine.capabilities().rawValue(), 47);
    EXPECT_EQ(engine.autoRehideSeconds(), 10);
    EXPECT_TRUE(engine.iconVisible());
    EXPECT_FALSE(engine.reorderEnabled() || engine.captureEnabled() || engine.isRevealed());
    EXPECT_EQ(engine.hidingBlocked(), std::nullopt);
    EXPECT_EQ(engine.iconFrame(), std::nullopt);
    EXPECT_TRUE(engine.activations().isEmpty());
    EXPECT_EQ(order(engine.items()), kSampleOrder);
    EXPECT_EQ(engine.itemsStream().queued(), 0u);
}

TEST(MockMenuBarEngineTest, ApplyPutsListedItemsFirstAndKeepsEveryItemOnce) {
    const auto dropbox = idOf(u"Dropbox"_s);
    const auto alfred = idOf(u"Alfred"_s);
    const auto controlCenter = idOf(u"Wi-Fi"_s); // Battery shares it
    struct Case {
        const char *name;
        SectionLayout layout;
        QString expected;
    };
    const Case cases[] = {
        {"empty layout", SectionLayout{}, kSampleOrder},
        {"shown before hidden before always hidden",
         SectionLayout{{{Section::alwaysHidden, {dropbox}}, {Section::shown, {alfred, kUnknown}}}},
         u"Alfred Dropbox Fantastical 1Password TextExpander Battery Wi-Fi"_s},
        // Not normalised: the item lands once, at its first placement.
        {"listed twice", SectionLayout{{{Section::shown, {alfred}}, {Section::hidden, {alfred}}}},
         u"Alfred Dropbox Fantastical 1Password TextExpander Battery Wi-Fi"_s},
        // Naming a shared id places its first item and keeps the other.
        {"shared id", SectionLayout{{{Section::hidden, {controlCenter}}}},
         u"Battery Dropbox Fantastical 1Password TextExpander Alfred Wi-Fi"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
        runTask(engine.apply(c.layout));
        EXPECT_EQ(drain(engine), QStringList{c.expected});
    }

    MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
    int layoutReports = 0;
    engine.setOnLayoutChanged([&layoutReports](const SectionLayout &) { ++layoutReports; });
    runTask(engine.apply(
        SectionLayout{{{Section::shown, {dropbox}}, {Section::hidden, {controlCenter}}}}));
    EXPECT_EQ(order(engine.items()),
              u"Dropbox Battery Fantastical 1Password TextExpander Alfred Wi-Fi"_s);
    EXPECT_EQ(sectionOf(engine, u"Dropbox"_s), Section::shown);
    EXPECT_EQ(sectionOf(engine, u"Battery"_s), Section::hidden);
    EXPECT_EQ(sectionOf(engine, u"Wi-Fi"_s), Section::shown);
    EXPECT_EQ(layoutReports, 0);
}

TEST(MockMenuBarEngineTest, MovePlacesTheItemWithinItsNewSection) {
    struct Case {
        const char *name;
        QString item;
        SectionPlacement placement;
        QString expected;
    };
    const Case cases[] = {
        {"first of hidden",
         u"Alfred"_s,
         {Section::hidden, 0},
         u"Alfred Dropbox Fantastical 1Password TextExpander Battery Wi-Fi"_s},
        {"negative index counts as first",
         u"Alfred"_s,
         {Section::hidden, -3},
         u"Alfred Dropbox Fantastical 1Password TextExpander Battery Wi-Fi"_s},
        {"second of hidden",
         u"Alfred"_s,
         {Section::hidden, 1},
         u"Dropbox Fantastical 1Password Alfred TextExpander Battery Wi-Fi"_s},
        {"no index",
         u"Alfred"_s,
         {Section::hidden, std::nullopt},
         u"Dropbox Fantastical 1Password TextExpander Battery Wi-Fi Alfred"_s},
        {"index at the section's count",
         u"Alfred"_s,
         {Section::hidden, 2},
         u"Dropbox Fantastical 1Password TextExpander Battery Wi-Fi Alfred"_s},
        {"into an emptied section",
         u"Dropbox"_s,
         {Section::alwaysHidden, 5},
         u"Fantastical 1Password TextExpander Alfred Battery Wi-Fi Dropbox"_s},
        {"shared id moves its first item",
         u"Wi-Fi"_s,
         {Section::shown, 0},
         u"Dropbox Battery Fantastical 1Password TextExpander Alfred Wi-Fi"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
        runTask(engine.move(idOf(c.item), c.placement));
        EXPECT_EQ(drain(engine), QStringList{c.expected});
        const QString moved = c.item == u"Wi-Fi"_s ? u"Battery"_s : c.item;
        EXPECT_EQ(sectionOf(engine, moved), c.placement.section);
    }
}

TEST(MockMenuBarEngineTest, UnknownItemsFailWithItemNotFoundAndChangeNothing) {
    MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
    EXPECT_EQ(failureOf(engine.activate(kUnknown, ClickKind::left)), EngineError::itemNotFound);
    EXPECT_EQ(failureOf(engine.move(kUnknown, {Section::shown, 0})), EngineError::itemNotFound);
    EXPECT_EQ(order(engine.items()), kSampleOrder);
    EXPECT_TRUE(engine.activations().isEmpty());
    EXPECT_EQ(engine.itemsStream().queued(), 0u);

    MockMenuBarEngine empty({});
    EXPECT_EQ(failureOf(empty.activate(idOf(u"Dropbox"_s), ClickKind::right)),
              EngineError::itemNotFound);

    EXPECT_EQ(failureOf(engine.activate(idOf(u"Dropbox"_s), ClickKind::option)), std::nullopt);
    EXPECT_EQ(engine.activations(),
              (QList<MockMenuBarEngine::Activation>{{idOf(u"Dropbox"_s), ClickKind::option}}));
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

    const QList<std::optional<HidingBlockedReason>> expected{
        HidingBlockedReason::iconMisseated, HidingBlockedReason::displayNotHiding, std::nullopt};
    EXPECT_EQ(reported, expected);
    EXPECT_EQ(engine.retryHidingCalls(), 2);
}

TEST(MockMenuBarEngineTest, StreamDeliversEveryListOnceInPublishingOrder) {
    MockMenuBarEngine engine(MockMenuBarEngine::fixtures());
    // Published before anyone listens: kept for the consumer, not lost.
    runTask(engine.start());
    runTask(engine.move(idOf(u"Alfred"_s), {Section::shown, 0}));

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
    runTask(engine.apply(SectionLayout{{{Section::hidden, {idOf(u"Alfred"_s)}}}}));
    runTask(std::move(consumer));

    const QString moved = u"Dropbox Alfred Fantastical 1Password TextExpander Battery Wi-Fi"_s;
    const QString applied = u"Alfred Dropbox Fantastical 1Password TextExpander Battery Wi-Fi"_s;
    EXPECT_EQ(received, (QStringList{kSampleOrder, moved, moved, moved, moved, moved, applied}));
    EXPECT_EQ(engine.itemsStream().queued(), 0u);
}
