// Where the engine's own items come up. At the first launch on a bar that remembers no position
// for them the system would put them at the left end, which on a crowded or notched bar is out of
// sight. At every later launch the system puts them where it remembered them, which for a
// separator need not be between the lanes the layout asks for.

#include "classicengine.h"

#include "discovery/ax.h"
#include "discovery/finderprocess.h"
#include "sectionindex.h"
#include "separators/launchplacement.h"
#include "separators/separatorplacement.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

struct BarSurvey {
    bool trusted = false;
    QList<DiscoveredItem> items;
    LaunchPlacement::Menus menus;
};

bool isFixed(const MenuBarItemID &id) {
    return id.axIdentifier == u"com.apple.menuextra.clock"_s ||
           id.axIdentifier == u"com.apple.menuextra.controlcenter"_s;
}

// The bar's items as they stand now and where the front application's and the desktop's menus
// end, read off the main thread.
QCoro::Task<BarSurvey> surveyBar(EnginePlatform &platform,
                                 std::shared_ptr<ItemDiscovery> discovery) {
    Accessibility &accessibility = platform.accessibility;
    std::optional<qint32> front;
    if (const auto application = platform.workspace.frontmostApplication()) {
        front = application->processId;
    }
    const std::optional<qint32> finder = finderProcess(platform.workspace);
    auto work = [discovery, &accessibility, front, finder] {
        BarSurvey survey;
        survey.trusted = accessibility.isProcessTrusted();
        if (!survey.trusted) {
            return survey;
        }
        survey.items = discovery->scan(std::nullopt);
        const AX ax(accessibility);
        if (front) {
            survey.menus.front = ax.menusRight(*front);
        }
        // Finder's menus are read as they would stand in front; where Finder does not run, or
        // does not answer, the front application's stand in for them.
        if (finder && finder != front) {
            survey.menus.desk = ax.menusRight(*finder);
        }
        if (!survey.menus.desk) {
            survey.menus.desk = survey.menus.front;
        }
        return survey;
    };
    return platform.work.run(std::move(work));
}

} // namespace

QCoro::Task<> ClassicEngine::placeItemsInReach() {
    QPointer<ClassicEngine> self(this);
    QList<QRectF> ownItems;
    for (const std::optional<QRectF> &frame :
         {iconFrame(), m_separatorController->hiddenSeparatorFrame(),
          m_separatorController->alwaysHiddenSeparatorFrame()}) {
        if (frame) {
            ownItems.append(*frame);
        }
    }
    const BarSurvey survey = co_await surveyBar(m_platform, m_discovery);
    if (!self) {
        co_return;
    }
    const double iconLength =
        m_separatorController->iconHidden() ? 0.0 : m_platform.statusBar.thickness();
    if (!survey.trusted) {
        // Nothing can be measured without the permission: the items are placed once it is
        // granted. Meanwhile the icon, the one way to Zorv, comes up in sight; a hidden one
        // stays where the system puts it.
        QJsonObject record{{u"kind"_s, u"launch-placement"_s},
                           {u"placed"_s, false},
                           {u"reason"_s, u"no Accessibility permission"_s}};
        if (!m_separatorController->iconHidden()) {
            const LaunchPlacement inSight =
                LaunchPlacement::inSight(iconLength, SeparatorController::collapsedLength);
            recreateItemsAt(inSight.icon, inSight.hiddenSeparator, inSight.alwaysHiddenSeparator);
            record.insert(u"inSight"_s,
                          QJsonObject{{u"icon"_s, inSight.icon},
                                      {u"hiddenSep"_s, inSight.hiddenSeparator},
                                      {u"alwaysHiddenSep"_s, inSight.alwaysHiddenSeparator}});
        }
        appendEvent(record);
        m_reveal.deferPlacement();
        (void)m_bar.readTrusted(false);
        watchForGrant();
        co_return;
    }
    const QList<Screen> screens = m_platform.screens.screens();
    std::optional<LaunchPlacement> placement =
        LaunchPlacement::compute(survey.items, ownItems, screens, survey.menus, iconLength,
                                 SeparatorController::collapsedLength);
    const auto orNull = [](std::optional<double> value) {
        return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
    };
    QJsonObject record{{u"kind"_s, u"launch-placement"_s},
                       {u"items"_s, survey.items.size()},
                       {u"menusRight"_s, orNull(survey.menus.front)},
                       {u"deskMenusRight"_s, orNull(survey.menus.desk)}};
    if (!placement) {
        // Left where the system puts new items, the icon would stay at the left end, out of
        // sight whatever comes to the front later.
        placement = LaunchPlacement::withNothingInView(survey.items, ownItems, screens,
                                                       survey.menus.desk, iconLength);
        record.insert(u"nothingInView"_s, true);
    }
    if (!placement) {
        record.insert(u"placed"_s, false);
        appendEvent(record);
        co_return;
    }
    recreateItemsAt(placement->icon, placement->hiddenSeparator, placement->alwaysHiddenSeparator);
    record.insert(u"placed"_s, true);
    record.insert(u"anchor"_s, placement->anchor);
    record.insert(u"icon"_s, placement->icon);
    record.insert(u"hiddenSep"_s, placement->hiddenSeparator);
    appendEvent(record);
}

void ClassicEngine::recreateItemsAt(double icon, double hiddenSeparator,
                                    double alwaysHiddenSeparator) {
    AppPreferences &preferences = m_platform.appPreferences;
    preferences.setValue(AppPreferences::preferredPositionKey(SeparatorController::iconName), icon);
    preferences.setValue(
        AppPreferences::preferredPositionKey(SeparatorController::hiddenSeparatorName),
        hiddenSeparator);
    preferences.setValue(
        AppPreferences::preferredPositionKey(SeparatorController::alwaysHiddenSeparatorName),
        alwaysHiddenSeparator);
    m_separatorController->recreateItems();
    m_records.forgetSightings();
    if (m_onIconReplaced) {
        m_onIconReplaced(m_separatorController->icon().button());
    }
}

std::optional<SeparatorPlacement> ClassicEngine::separatorsOutOfPlace(IconSeat iconSeat) const {
    using Kind = SeparatorPlacement::Entry::Kind;
    const std::optional<QRectF> icon = iconFrame();
    const std::optional<QRectF> hidden = m_separatorController->hiddenSeparatorFrame();
    const std::optional<QRectF> always = m_separatorController->alwaysHiddenSeparatorFrame();
    // Without a reading of the bar the lanes are unknown: nothing is moved on a guess.
    if (m_bar.trusted() != true || m_separatorController->iconHidden() || !icon || !hidden ||
        !always) {
        return std::nullopt;
    }
    QList<SeparatorPlacement::Entry> bar{{Kind::icon, *icon, std::nullopt},
                                         {Kind::hiddenSeparator, *hidden, std::nullopt},
                                         {Kind::alwaysHiddenSeparator, *always, std::nullopt}};
    const SectionIndex sections(m_wanted.storedLayout());
    for (const MenuBarItem &item : m_bar.lastItems()) {
        if (item.isDormant || !(item.frame.width() > 0.0)) {
            continue;
        }
        bar.append({isFixed(item.id) ? Kind::fixed : Kind::item, item.frame,
                    item.id.isSystemPinned() ? std::nullopt : sections.sectionOf(item.id)});
    }
    return SeparatorPlacement::compute(bar, SeparatorController::collapsedLength, iconSeat);
}

bool ClassicEngine::seatItemsBetweenLanes(IconSeat iconSeat) {
    const std::optional<SeparatorPlacement> placement = separatorsOutOfPlace(iconSeat);
    if (!placement) {
        return false;
    }
    recreateItemsAt(placement->icon, placement->hiddenSeparator, placement->alwaysHiddenSeparator);
    appendEvent({{u"kind"_s, u"separators-placed"_s},
                 {u"misplacedBefore"_s, placement->misplacedBefore},
                 {u"misplacedAfter"_s, placement->misplacedAfter},
                 {u"iconToRightEnd"_s, placement->iconToRightEnd},
                 {u"icon"_s, placement->icon},
                 {u"hiddenSep"_s, placement->hiddenSeparator},
                 {u"alwaysHiddenSep"_s, placement->alwaysHiddenSeparator}});
    return true;
}

QCoro::Task<> ClassicEngine::placeSeparatorsBetweenLanes(QString reason, IconSeat iconSeat) {
    if (!seatItemsBetweenLanes(iconSeat)) {
        co_return;
    }
    QPointer<ClassicEngine> self(this);
    // The new items come up collapsed: hide again, then read the bar they make.
    co_await reapplyRevealState(reason, false);
    if (!self) {
        co_return;
    }
    co_await refresh();
}

bool ClassicEngine::layoutPlacesItemsOnTheBar() const {
    const SectionIndex sections(m_wanted.storedLayout());
    return std::any_of(m_bar.lastItems().cbegin(), m_bar.lastItems().cend(),
                       [&sections](const MenuBarItem &item) {
                           return isOnTheBar(item) && !item.id.isSystemPinned() &&
                                  sections.sectionOf(item.id).has_value();
                       });
}

} // namespace zorv
