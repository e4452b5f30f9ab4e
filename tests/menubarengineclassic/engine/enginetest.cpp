#include "enginetest.h"

#include "simulatedengineplatform.h"

#include <QFile>
#include <QJsonDocument>

using namespace Qt::StringLiterals;

namespace zorv::testing {

EngineTest::EngineTest() : workspace(desktop.model()) {
    pool.setMaxThreadCount(2);
}

EngineTest::~EngineTest() {
    engine.reset();
    driver.drain();
}

void EngineTest::TearDown() {
    EXPECT_EQ(desktop.readout().mainThreadAccessibilityReads(), 0);
}

ClassicEngine &EngineTest::makeEngine(const SectionLayout &layout) {
    if (rememberZorvPositions) {
        // Tests arrange the engine's items themselves, at the left end where new items go.
        keepZorvPositions(desktop, LaunchPlacement::leftEnd);
    }
    EnginePlatform platform = simulatedEnginePlatform(
        clock, desktop, workspace, WorkRunner(WorkRunner::Mode::ThreadPool, &pool), folder.path());
    engine = std::make_unique<ClassicEngine>(std::move(platform), layout);
    return *engine;
}

void EngineTest::furnishSections(double shownLength) {
    toolsProcess = launch(tools);
    always = addItem(toolsProcess, 30.0, u"always"_s);
    hidden = addItem(toolsProcess, 30.0, u"hidden"_s);
    shown = addItem(toolsProcess, shownLength, u"shown"_s);
    makeEngine(layoutOf({idOf(u"shown"_s)}, {idOf(u"hidden"_s)}, {idOf(u"always"_s)}));
    arrangeSections();
}

void EngineTest::arrangeSections(const QList<quint64> &leftOfShown) {
    QList<quint64> bar{always, zorvItem(BarItems::zorvAlwaysHiddenSeparatorName), hidden,
                       zorvItem(BarItems::zorvHiddenSeparatorName)};
    bar << leftOfShown << shown << zorvItem(BarItems::zorvIconName);
    arrange(bar);
}

void EngineTest::startEngine() {
    drive(engine->start());
    // The launch scan may still be on a worker when start() returns.
    driver.drain();
}

void EngineTest::run(double seconds) {
    driver.run(zorv::seconds(seconds));
}

void EngineTest::runUntil(const std::function<bool()> &done) {
    for (int step = 0; step < 6000 && !done(); ++step) {
        run(0.01);
    }
    ASSERT_TRUE(done());
}

void EngineTest::drive(QCoro::Task<> task, double limit) {
    ASSERT_TRUE(driver.drive(std::move(task), zorv::seconds(limit)))
        << "the task did not end within " << limit << " s of virtual time";
}

quint64 EngineTest::zorvItem(const QString &autosaveName) {
    return desktop.items().find(self(), autosaveName).value_or(0);
}

void EngineTest::arrange(const QList<quint64> &leftToRight) {
    for (qsizetype i = 0; i < leftToRight.size(); ++i) {
        desktop.items().moveToIndex(leftToRight.at(i), i);
    }
}

void EngineTest::arrangeAndStart(QList<quint64> bar, qsizetype always, qsizetype hidden) {
    engine->setReorderEnabled(true);
    bar.insert(always, zorvItem(BarItems::zorvAlwaysHiddenSeparatorName));
    bar.insert(always + 1 + hidden, zorvItem(BarItems::zorvHiddenSeparatorName));
    bar.append(zorvItem(BarItems::zorvIconName));
    arrange(bar);
    startEngine();
    desktop.userInput().moveMouse(kUserSpot);
    run(3.0);
}

MenuBarItemID EngineTest::idOf(const QString &identifier) {
    return MenuBarItemID{tools, identifier, std::nullopt, 0};
}

SectionLayout EngineTest::layoutOf(QList<MenuBarItemID> shown, QList<MenuBarItemID> hidden,
                                   QList<MenuBarItemID> alwaysHidden) {
    SectionLayout layout;
    layout.sections = {
        {Section::shown, shown}, {Section::hidden, hidden}, {Section::alwaysHidden, alwaysHidden}};
    return layout.normalized();
}

bool EngineTest::onScreen(quint64 itemId) {
    return entry(itemId).onScreen;
}

std::optional<MenuBarItem> EngineTest::engineItem(const MenuBarItemID &id) const {
    for (const MenuBarItem &item : engine->lastItems()) {
        if (item.id == id) {
            return item;
        }
    }
    return std::nullopt;
}

QJsonObject EngineTest::readFile(const QString &name) const {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

QList<QJsonObject> EngineTest::records(const QString &log, const QString &kind) const {
    QList<QJsonObject> found;
    QFile file(folder.filePath(log));
    if (!file.open(QIODevice::ReadOnly)) {
        return found;
    }
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QJsonObject record = QJsonDocument::fromJson(line).object();
        if (kind.isNull() ? !record.isEmpty() : record.value(u"kind"_s).toString() == kind) {
            found.append(record);
        }
    }
    return found;
}

void EngineTest::addFixedClockAndControlCenter(double clockLength, double controlCenterLength) {
    const qint32 system = launch(u"com.apple.controlcenter"_s);
    for (const auto &[identifier, length] :
         {std::pair{u"com.apple.menuextra.clock"_s, clockLength},
          std::pair{u"com.apple.menuextra.controlcenter"_s, controlCenterLength}}) {
        ItemDescription fixed;
        fixed.length = length;
        fixed.identifier = identifier;
        fixed.immovable = true;
        desktop.items().add(system, fixed);
    }
}

void EngineTest::bringToFrontWithMenus(double menusWidth) {
    AppDescription front;
    front.bundleIdentifier = u"com.example.front"_s;
    front.activationPolicy = ActivationPolicy::Regular;
    front.menusWidth = menusWidth;
    desktop.applications().activate(desktop.applications().launch(front));
}

QStringList EngineTest::reasons(const QString &kind) const {
    QStringList found;
    for (const QJsonObject &record : records(u"events.jsonl"_s, kind)) {
        found.append(record.value(u"reason"_s).toString());
    }
    return found;
}

QStringList EngineTest::runTriggers() const {
    QStringList triggers;
    for (const QJsonObject &line : records(u"reconcile-log.jsonl"_s)) {
        if (line.contains(u"passes"_s)) {
            triggers.append(line.value(u"trigger"_s).toString());
        }
    }
    return triggers;
}

} // namespace zorv::testing
