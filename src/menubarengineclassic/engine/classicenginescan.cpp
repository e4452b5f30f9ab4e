// The scan pass: read every status item, label it, picture it, keep the stored layout clean,
// judge the bar against the layout, publish, write the snapshot and start the follow-up.

#include "classicengine.h"

#include "discovery/ax.h"
#include "discovery/finderprocess.h"
#include "discovery/siblingordinals.h"
#include "sectionindex.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

const QString kCompetingManagerPrefix = u"com.surteesstudios.Bartender"_s;

bool inAnyGap(double x, const QList<std::pair<double, double>> &gaps) {
    for (const auto &[from, to] : gaps) {
        if (from <= x && x <= to) {
            return true;
        }
    }
    return false;
}

} // namespace

QCoro::Task<> ClassicEngine::refresh() {
    assertMainThread();
    QPointer<ClassicEngine> self(this);
    const MonotonicTime scannedAt = m_platform.clock.now();
    // Until the launch has laid the bar out the engine's own items do not stand between the lanes
    // (a first launch has them at the bar's end): lanes read off a bar read before then are no
    // one's, and whoever took items in from them would take them in there.
    const bool readAfterTheLaunch = m_reveal.launchTuck() == LaunchTuck::done;

    // Discovery reads other processes synchronously, so it runs off the main thread; the trust
    // check goes with it for the same reason.
    std::shared_ptr<ItemDiscovery> discovery = m_discovery;
    Accessibility &accessibility = m_platform.accessibility;
    Workspace &workspace = m_platform.workspace;
    const std::optional<qint32> finder = finderProcess(workspace);
    auto work = [discovery, &accessibility, &workspace, finder] {
        DiscoveryResult result;
        result.trusted = accessibility.isProcessTrusted();
        result.items = discovery->scan(std::nullopt, &result.unanswered);
        if (!result.trusted) {
            return result;
        }
        const auto front = workspace.frontmostApplication();
        if (front) {
            result.menusRight = AX(accessibility).menusRight(front->processId);
        }
        // Finder's menus are read as they would stand in front: they tell whether bringing it
        // to the front would let a drag past the menus.
        result.deskMenusRight = front && finder == front->processId ? result.menusRight
                                : finder ? AX(accessibility).menusRight(*finder)
                                         : std::nullopt;
        return result;
    };
    const DiscoveryResult found = co_await m_platform.work.run(std::move(work));
    if (!self) {
        co_return;
    }

    const bool granted = m_bar.readTrusted(found.trusted);
    m_grantNoticed = m_grantNoticed || granted;
    if (!found.trusted) {
        watchForGrant();
    }
    ScanContext context = scanContext();
    context.unanswered = found.unanswered;
    QHash<MenuBarItemID, QRectF> frames;
    QList<MenuBarItem> items;
    if (found.trusted) {
        items = buildItems(found.items, context, frames);
        // A hung application's items are still on the bar: keep what the last scan saw of them.
        const QList<MenuBarItem> kept = lastItemsOf(found.unanswered, frames);
        items.append(kept);
        updateReach(context, found.menusRight, found.deskMenusRight, kept);
        std::stable_sort(items.begin(), items.end(),
                         [](const MenuBarItem &a, const MenuBarItem &b) {
                             return a.frame.left() < b.frame.left();
                         });
    } else {
        items = lastItemsOf(runningProcesses(), frames);
        updateReach(context, std::nullopt, std::nullopt, {});
    }

    if (m_captureEnabled && !m_runs.reconcileInFlight()) {
        co_await m_captures->captureVisible(frames, context.barMinX);
        if (!self) {
            co_return;
        }
        const QHash<MenuBarItemID, QImage> &pictures = m_captures->cache();
        for (MenuBarItem &item : items) {
            const auto picture = pictures.constFind(item.id);
            item.capturedImage =
                picture == pictures.constEnd() ? std::nullopt : std::optional<QImage>(*picture);
        }
    }
    m_bar.setLastFrames(frames);

    purgeCompetingManagerItems();
    forgetUninstalled(items, found.trusted);
    appendDormantItems(items);
    m_bar.setLastItems(items);
    // Without a fresh look at a settled bar nothing is compared, adopted, retired or repaired.
    const bool stable = !m_runs.reconcileInFlight() && found.trusted && scanIsStable();
    // Lanes are read off the separators: not while they, or the icon, stand where no lane
    // begins or ends (as a launch without the permission leaves them), nor before the grant's
    // placement has put them in order.
    const bool lanesReadable = readAfterTheLaunch && !granted && ownItemsInOrder();
    if (stable) {
        // A layout handed over before the bar was read is compared with it now.
        m_wanted.check(m_bar.lastItems(), outOfLane());
    }
    takeUserDrag(context, scannedAt, found.trusted);
    items = m_bar.lastItems();

    const DriftVerdict verdict = DriftRules::driftVerdict(
        items, m_wanted.storedLayout(), context.hiddenSepX, context.barMinX, context.alwaysSepX,
        context.separatorsOrdered, m_records.stubbornSet());

    if (!m_runs.reconcileInFlight()) {
        if (stable && lanesReadable && verdict.kind != DriftVerdict::Kind::nothingHidden) {
            runUpkeep(items, context);
        }
        if (readAfterTheLaunch) {
            publishItems();
        }
    }

    m_bar.scanned(now());
    writeDiagnostics(u"diagnostics.json"_s, u"scan"_s);
    co_await runDragExperimentIfRequested();
    if (!self) {
        co_return;
    }
    // The grant's placement puts the separators between the lanes first: a run started before it
    // would drag items across separators that stand where the launch without the permission left
    // them.
    const bool placementDue = granted || m_grantTask.isPending();
    followUpVerdict(verdict, stable && !placementDue);
    bringAboutAppliedLayout(stable && !placementDue);
    if (granted) {
        takeGrant();
    }
}

ClassicEngine::ScanContext ClassicEngine::scanContext() const {
    ScanContext context;
    for (const Screen &screen : m_platform.screens.screens()) {
        if (const auto housing = screen.housingSpan()) {
            context.notchGaps.append(*housing);
        }
    }
    if (const auto frame = m_separatorController->hiddenSeparatorFrame()) {
        context.hiddenSepX = frame->left();
    }
    if (const auto frame = m_separatorController->alwaysHiddenSeparatorFrame()) {
        context.alwaysSepX = frame->left();
    }
    context.separatorsOrdered = m_separatorController->separatorsAreOrdered();
    context.barMinX = barMinX();
    return context;
}

QList<MenuBarItem> ClassicEngine::buildItems(const QList<DiscoveredItem> &scanned,
                                             const ScanContext &context,
                                             QHash<MenuBarItemID, QRectF> &frames) const {
    QList<Section> lanes;
    for (const DiscoveredItem &item : scanned) {
        lanes.append(DriftRules::laneAt(item.frame.center().x(), context.hiddenSepX,
                                        context.alwaysSepX, context.separatorsOrdered));
    }
    const QList<DiscoveredItem> found =
        SiblingOrdinals::named(scanned, lanes, m_wanted.storedLayout());
    QHash<qint32, QImage> icons;
    for (const RunningApplication &application : m_platform.workspace.runningApplications()) {
        if (!application.icon.isNull()) {
            icons.insert(application.processId, application.icon);
        }
    }

    const SectionIndex wantedSections(m_wanted.storedLayout());
    QList<MenuBarItem> items;
    items.reserve(found.size());
    for (const DiscoveredItem &discovered : found) {
        const MenuBarItemID id{discovered.bundleID, discovered.axIdentifier, discovered.title,
                               discovered.ordinal};
        frames.insert(id, discovered.frame);
        const double midX = discovered.frame.center().x();
        Section section = Section::shown;
        if (const auto wanted = wantedSections.sectionOf(id)) {
            section = *wanted;
        } else if (!context.hiddenSepX) {
            // Pushed off the bar's own screen, which need not start at x = 0.
            section = midX <= context.barMinX ? Section::hidden : Section::shown;
        } else if (midX > *context.hiddenSepX) {
            section = Section::shown;
        } else {
            section = context.alwaysSepX && midX < *context.alwaysSepX ? Section::alwaysHidden
                                                                       : Section::hidden;
        }
        const auto icon = icons.constFind(discovered.pid);
        items.append(MenuBarItem{
            id, discovered.pid, discovered.appName, discovered.frame,
            icon == icons.constEnd() ? std::nullopt : std::optional<QImage>(*icon), std::nullopt,
            section, discovered.frame.width() > 0 && inAnyGap(midX, context.notchGaps), false,
            m_records.unmovable().contains(id)});
    }
    return items;
}

QSet<qint32> ClassicEngine::runningProcesses() const {
    QSet<qint32> running;
    for (const RunningApplication &application : m_platform.workspace.runningApplications()) {
        running.insert(application.processId);
    }
    return running;
}

QList<MenuBarItem> ClassicEngine::lastItemsOf(const QSet<qint32> &processes,
                                              QHash<MenuBarItemID, QRectF> &frames) const {
    // The layout may have changed since that scan.
    return m_bar.itemsOf(processes, m_wanted.storedLayout(), m_records.unmovable(), frames);
}

void ClassicEngine::purgeCompetingManagerItems() {
    if (m_wanted.dropItemsOf(kCompetingManagerPrefix)) {
        reportLayout();
    }
}

void ClassicEngine::forgetUninstalled(const QList<MenuBarItem> &items, bool trusted) {
    bool changed = false;
    // Without the permission discovery sees nothing, which says nothing about what is installed.
    if (trusted) {
        QSet<QString> present;
        for (const MenuBarItem &item : items) {
            present.insert(item.id.bundleID);
        }
        // A running helper or an application run from a disk image may be unknown to the
        // installed-application lookup; it must not lose its placements when a scan misses it.
        for (const RunningApplication &application : m_platform.workspace.runningApplications()) {
            if (application.bundleIdentifier) {
                present.insert(*application.bundleIdentifier);
            }
        }
        Workspace &workspace = m_platform.workspace;
        const auto installed = [&workspace](const QString &bundleID) {
            return workspace.applicationPath(bundleID).has_value();
        };
        changed = m_wanted.forgetUninstalled([this, &present, &installed](const QString &bundleID) {
            return present.contains(bundleID) || m_bar.isInstalled(bundleID, installed);
        });
    }
    if (m_bar.flushLayout(changed)) {
        reportLayout();
    }
}

void ClassicEngine::appendDormantItems(QList<MenuBarItem> &items) const {
    QSet<MenuBarItemID> onBar;
    QSet<QString> present;
    onBar.reserve(items.size());
    present.reserve(items.size());
    for (const MenuBarItem &item : items) {
        onBar.insert(item.id);
        present.insert(item.id.bundleID);
    }
    QSet<QString> listed;
    for (Section section : allSections) {
        for (const MenuBarItemID &id : m_wanted.storedLayout().ids(section)) {
            if (onBar.contains(id) || present.contains(id.bundleID)) {
                continue;
            }
            const QString key = id.bundleID + u'#' + QString::number(id.ordinal);
            if (listed.contains(key)) {
                continue;
            }
            listed.insert(key);
            items.append(MenuBarItem{id, 0, id.title.value_or(id.bundleID), QRectF(), std::nullopt,
                                     std::nullopt, section, false, true, false});
        }
    }
}

void ClassicEngine::publishItems() {
    QList<MenuBarItem> items = m_bar.lastItems();
    markLanesBeyondReach(items);
    m_bar.setLastItems(items);
    m_items.push(std::move(items));
}

bool ClassicEngine::scanIsStable() const {
    return m_reveal.tuckedFor(now(), 4.0) && secondsSince(m_bar.lastAppChurn()) > 12.0 &&
           secondsSince(m_health.lastDisplayChange()) > 15.0;
}

} // namespace zorv
