#include "chaosrun.h"

#include "../scenariomac.h"
#include "chaosasks.h"
#include "cloud/simcloudkeyvaluestore.h"
#include "cloudsync/cloudsync.h"
#include "modelprofiles.h"
#include "modelsync.h"
#include "storage/zorvpaths.h"
#include "transfer/syncedbundle.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QUuid>

#include <malloc.h>
#include <unistd.h>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

constexpr double kTickSeconds = 0.2;
constexpr int kTicksPerStoreCheck = 50;
constexpr int kTicksPerHandsCheck = 10;
// How long a change the runner asked for may take to reach the wanted layout.
constexpr double kLayoutChangeSeconds = 10.0;
// How long the user's hands wait for a reconcile run before acting anyway.
constexpr double kHandsWaitSeconds = 60.0;
// How long the user reads a menu an item opened before choosing a row in it.
constexpr double kMenuReadingSeconds = 5.0;
// A user keeps a handful of profiles: past this many, the next change removes one.
constexpr qsizetype kProfilesKept = 8;

double residentMiB() {
    QFile statm(u"/proc/self/statm"_s);
    if (!statm.open(QIODevice::ReadOnly)) {
        return 0.0;
    }
    const QList<QByteArray> fields = statm.readAll().split(' ');
    const double pages = fields.size() > 1 ? fields.at(1).toDouble() : 0.0;
    return pages * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double heapInUseMiB() {
    // The run's own loop never returns to a top-level event loop, where objects that asked to be
    // deleted later would have gone by now (a detached display's views hold its pictures).
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Blocks malloc maps on their own count apart from the arenas, and which way a picture goes
    // moves during a run: the size malloc maps from rises to that of the largest such block
    // freed, so once a display's pictures have gone, a relaunched app's come from the arenas.
    const struct mallinfo2 info = ::mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// A profile id the seed decides.
QUuid uuidFrom(quint32 pick) {
    return QUuid(pick, 0xc4a0, 0x4000, 0x80, 0, 0, 0, 0, 0, 0, 1);
}

// The laptop of the plan with Zorv's whole app on it, which quits and is launched again while the
// Mac runs on.
struct ChaosMac {
    explicit ChaosMac(const Scenario &scenario)
        : clock(*scenario.start), platform(clock, scenario, false),
          app(std::make_unique<DesktopApp>(platform, SimOptions())), driver(clock) {}

    ManualClock clock;
    SimulatedPlatform platform;
    std::unique_ptr<DesktopApp> app;
    WorkerClockDriver driver;
};

class Runner {
public:
    Runner(const ChaosPlan &plan, Duration length)
        : m_plan(plan), m_length(length), m_mac(plan.scenario),
          m_asks(m_mac.platform, m_mac.driver) {}

    ChaosReport play() {
        ChaosReport report;
        report.seed = m_plan.seed;
        report.hours = toSeconds(m_length) / 3600.0;
        if (!m_mac.app->start()) {
            report.breaches.append(u"the app did not start"_s);
            report.breachCount = 1;
            return report;
        }
        AppModel &model = *m_mac.app->model();
        model.sync().setCloudSync(true);
        SimCloudKeyValueStore otherMac(m_mac.platform.cloud(), u"Anna's MacBook Air"_s);
        ChaosWatch watch(m_mac.platform.desktop(), *m_mac.app->engine(), model, m_mac.clock,
                         m_plan.mac == ChaosPlan::Mac::laptop ? ChaosWatch::IconRule::offScreen
                                                              : ChaosWatch::IconRule::notDrawn);
        m_watch = &watch;
        watchLayout();

        const MonotonicTime start = m_mac.clock.now();
        qsizetype next = 0;
        qint64 ticks = 0;
        int hoursDone = 0;
        while (m_mac.clock.now() - start < m_length) {
            const Duration elapsed = m_mac.clock.now() - start;
            while (next < m_plan.steps.size() && m_plan.steps.at(next).at <= elapsed) {
                take(m_plan.steps.at(next++), otherMac);
                ++report.steps;
            }
            if (m_hands && (m_mac.app->engine()->reconcileInFlight() ||
                            m_mac.clock.now() >= m_hands->deadline)) {
                useHands(m_hands->pick);
                m_hands.reset();
            }
            chooseFromAMenuOnceRead();
            m_mac.driver.run(seconds(kTickSeconds));
            watch.checkTick();
            if (++ticks % kTicksPerHandsCheck == 0) {
                watch.checkHands();
                if (m_plan.mac == ChaosPlan::Mac::crowdedNotched) {
                    watch.checkLanes();
                }
            }
            if (ticks % kTicksPerStoreCheck == 0) {
                watch.checkStores();
            }
            // Memory is compared while only the laptop's screen is attached: the second display's
            // pictures alone take some 18 MiB while it is.
            if (ticks % kTicksPerHandsCheck == 0 &&
                m_mac.platform.desktop().screens().screens().size() == 1) {
                const bool firstHourDone = m_mac.clock.now() - start >= seconds(3600);
                if (firstHourDone && report.heapAfterFirstHourMiB == 0.0) {
                    report.heapAfterFirstHourMiB = heapInUseMiB();
                    report.residentAfterFirstHourMiB = residentMiB();
                }
                if (report.heapAfterFirstHourMiB > 0.0) {
                    report.heapAtEndMiB = heapInUseMiB();
                    report.residentAtEndMiB = residentMiB();
                }
            }
            if (qEnvironmentVariableIsSet("ZORV_CHAOS_TRACE") &&
                m_mac.clock.now() - start >= seconds(3600.0 * (hoursDone + 1))) {
                std::printf("hour %d: heap %.1f MiB, resident %.1f MiB\n", ++hoursDone,
                            heapInUseMiB(), residentMiB());
                std::fflush(stdout);
            }
        }
        watch.checkHands();
        watch.checkStores();
        report.events = m_mac.platform.scenario().eventsApplied();
        report.checks = watch.counts();
        report.breaches = watch.breaches();
        report.breachCount = watch.breachCount();
        (void)m_mac.app->finish();
        m_mac.driver.drain();
        m_watch = nullptr;
        return report;
    }

private:
    struct Hands {
        quint32 pick = 0;
        MonotonicTime deadline{};
    };

    void watchLayout() {
        AppModel &model = *m_mac.app->model();
        QObject::connect(&model, &AppModel::layoutOrderChanged, &model,
                         [watch = m_watch] { watch->layoutChanged(); });
    }

    // Zorv quits as the user quits it and is launched again on the same Mac, which remembers
    // where Zorv's items stood.
    void relaunch() {
        (void)m_mac.app->finish();
        m_mac.app->waitForQuitWrites();
        m_mac.app.reset();
        m_mac.app = std::make_unique<DesktopApp>(m_mac.platform, SimOptions());
        if (!m_mac.app->start()) {
            qFatal("Zorv did not start again");
        }
        m_watch->relaunched(*m_mac.app->engine(), *m_mac.app->model());
        watchLayout();
    }

    void allowLayoutChange() {
        m_watch->allowLayoutChangesUntil(m_mac.clock.now() + seconds(kLayoutChangeSeconds));
    }

    void take(const ChaosStep &step, SimCloudKeyValueStore &otherMac) {
        AppModel &model = *m_mac.app->model();
        const quint32 pick = step.pick;
        switch (step.kind) {
        case ChaosStep::Kind::setting:
            switch (pick % 3) {
            case 0:
                model.setAutoRehide(5.0 + pick % 30);
                break;
            case 1:
                model.setRevealOnHover(!model.settings().revealOnHover);
                break;
            default:
                model.setRevealOnScroll(!model.settings().revealOnScroll);
                break;
            }
            break;
        case ChaosStep::Kind::profile:
            changeProfiles(model, pick);
            break;
        case ChaosStep::Kind::move:
            moveItem(model, pick);
            break;
        case ChaosStep::Kind::sort:
            model.sortMyBar();
            break;
        case ChaosStep::Kind::cloud:
            allowLayoutChange();
            editOnTheOtherMac(otherMac, pick);
            break;
        case ChaosStep::Kind::handsDuringRun:
            m_hands = Hands{pick, m_mac.clock.now() + seconds(kHandsWaitSeconds)};
            break;
        case ChaosStep::Kind::relaunch:
            relaunch();
            break;
        case ChaosStep::Kind::activation:
            m_asks.ask(*m_mac.app, *m_watch, pick);
            break;
        }
    }

    void changeProfiles(AppModel &model, quint32 pick) {
        const QList<Profile> &profiles = model.profiles().profiles;
        ModelProfiles &ops = model.profileOps();
        if (profiles.isEmpty() || (pick % 4 == 0 && profiles.size() < kProfilesKept)) {
            ops.saveProfileFromCurrent(u"Profile %1"_s.arg(pick % 1000));
            return;
        }
        const Profile &profile = profiles.at(qsizetype(pick / 4 % profiles.size()));
        switch (profiles.size() >= kProfilesKept ? 3 : pick % 4) {
        case 1:
            allowLayoutChange();
            ops.switchToProfile(profile.id);
            break;
        case 2:
            ops.renameProfile(profile.id, u"Renamed %1"_s.arg(pick % 1000));
            break;
        default:
            ops.deleteProfile(profile.id);
            break;
        }
    }

    void moveItem(AppModel &model, quint32 pick) {
        QList<MenuBarItemID> movable;
        for (const MenuBarItem &item : model.items()) {
            if (!item.isUnmovable && !item.id.isSystemPinned() &&
                item.id.bundleID != SimulatedPlatform::bundleIdentifier) {
                movable.append(item.id);
            }
        }
        if (movable.isEmpty()) {
            return;
        }
        allowLayoutChange();
        model.move(movable.at(qsizetype(pick % movable.size())), allSections[pick / 7 % 3]);
    }

    // The other Mac takes the shared record as it stands, changes a setting, adds a profile or
    // moves an item to another lane, and writes it back as its own newer record.
    void editOnTheOtherMac(SimCloudKeyValueStore &otherMac, quint32 pick) {
        std::optional<SyncedBundle> bundle;
        if (const auto data = otherMac.data(CloudSync::storeKey)) {
            try {
                bundle = SyncedBundle::decode(*data);
            } catch (const DecodeError &) {
            }
        }
        if (!bundle) {
            bundle.emplace(QDateTime(), QString(), QString(), SyncedSettings(Settings()),
                           SectionLayout(), ProfileSet(), TriggerSet());
        }
        QDateTime stamp = m_mac.clock.wallNow().toUTC().addSecs(1);
        stamp.setTime(QTime(stamp.time().hour(), stamp.time().minute(), stamp.time().second()));
        // What the other Mac changes dates from now; the rest keeps its dates.
        SyncedStamps stamps = bundle->stamps;
        switch (pick % 3) {
        case 0:
            bundle->settings.autoRehideSeconds = 5.0 + pick % 40;
            stamps.settings = stamp;
            break;
        case 1:
            if (bundle->profiles.profiles.size() < kProfilesKept) {
                bundle->profiles.profiles.append(Profile{
                    uuidFrom(pick), u"Anna's %1"_s.arg(pick % 100), bundle->layout, {}, {}});
                stamps.profiles.insert(uuidFrom(pick), stamp);
            } else {
                bundle->profiles.profiles.removeFirst();
            }
            break;
        default: {
            QList<std::pair<Section, MenuBarItemID>> placed;
            for (Section lane : allSections) {
                for (const MenuBarItemID &id : bundle->layout.ids(lane)) {
                    placed.append({lane, id});
                }
            }
            if (!placed.isEmpty()) {
                const auto [from, id] = placed.at(qsizetype(pick / 3 % placed.size()));
                const Section to = allSections[(qsizetype(from) + 1 + pick / 5 % 2) % 3];
                QList<MenuBarItemID> old = bundle->layout.ids(from);
                old.removeAll(id);
                bundle->layout.sections.insert(from, old);
                QList<MenuBarItemID> into = bundle->layout.ids(to);
                into.append(id);
                bundle->layout.sections.insert(to, into);
                bundle->layout = bundle->layout.normalized();
                stamps.layout = stamp;
            }
            break;
        }
        }
        const SyncedBundle edited(stamp, u"ANNA-MACBOOK-AIR"_s, u"Anna's MacBook Air"_s,
                                  bundle->settings, bundle->layout, bundle->profiles,
                                  bundle->triggers, bundle->deleted, stamps);
        otherMac.setData(edited.encoded(), CloudSync::storeKey);
    }

    // The user reads the menu an item opened for a few seconds, then chooses a row in it.
    void chooseFromAMenuOnceRead() {
        SimulatedDesktop &desktop = m_mac.platform.desktop();
        const std::optional<OpenItemMenu> menu = desktop.readout().openItemMenu();
        if (menu && m_mac.clock.now() - menu->openedAt >= seconds(kMenuReadingSeconds)) {
            (void)desktop.userInput().chooseInItemMenu();
        }
    }

    // While a run is in flight (or after waiting for one in vain) the user Command-drags an item
    // on the active bar or clicks somewhere on it.
    void useHands(quint32 pick) {
        SimulatedDesktop &desktop = m_mac.platform.desktop();
        const QList<BarEntry> bar = desktop.readout().bar();
        if (bar.isEmpty()) {
            return;
        }
        QRectF screen;
        for (const Screen &candidate : desktop.screens().screens()) {
            if (candidate.displayId == bar.first().displayId) {
                screen = candidate.frame;
            }
        }
        const double x = screen.left() + double(pick >> 8) / double(1u << 24) * screen.width();
        QList<quint64> draggable;
        for (const BarEntry &entry : bar) {
            if (entry.visible && !entry.immovable &&
                entry.bundleIdentifier != SimulatedPlatform::bundleIdentifier) {
                draggable.append(entry.itemId);
            }
        }
        allowLayoutChange();
        if (pick % 2 == 0 && !draggable.isEmpty()) {
            (void)desktop.userInput().commandDragItem(
                draggable.at(qsizetype(pick / 2 % draggable.size())), x);
        } else {
            desktop.userInput().click(QPointF(x, 12.0));
        }
    }

    const ChaosPlan &m_plan;
    const Duration m_length;
    ChaosMac m_mac;
    ChaosWatch *m_watch = nullptr;
    std::optional<Hands> m_hands;
    ChaosAsks m_asks;
};

} // namespace

QString ChaosReport::summary() const {
    return u"seed %1, %2 h: %3 events, %4 steps; checks: icon %5, cursor %6, engine drags %7, "
           "layout changes %8, stores %9, activations %15, settled lanes %16; heap in use %10 "
           "MiB after the first hour, %11 MiB at the end (resident %12 and %13 MiB); %14 "
           "breaches"_s.arg(seed)
               .arg(hours)
               .arg(events)
               .arg(steps)
               .arg(checks.icon)
               .arg(checks.cursor)
               .arg(checks.engineDrags)
               .arg(checks.layoutChanges)
               .arg(checks.stores)
               .arg(heapAfterFirstHourMiB, 0, 'f', 1)
               .arg(heapAtEndMiB, 0, 'f', 1)
               .arg(residentAfterFirstHourMiB, 0, 'f', 1)
               .arg(residentAtEndMiB, 0, 'f', 1)
               .arg(breachCount)
               .arg(checks.activations)
               .arg(checks.lanes);
}

ChaosReport playChaos(const ChaosPlan &plan, Duration length) {
    QDir(ZorvPaths::root()).removeRecursively();
    return Runner(plan, length).play();
}

} // namespace zorv
