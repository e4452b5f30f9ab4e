// The first launch on a bar that remembers no position for the engine's own items: the system
// would put them at the left end, which on a crowded or notched bar is out of sight.

#include "classicengine.h"
#include "discovery/ax.h"
#include "separators/launchplacement.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

struct BarSurvey {
    bool trusted = false;
    QList<DiscoveredItem> items;
    std::optional<double> menusRight;
};

} // namespace

QCoro::Task<> ClassicEngine::placeItemsInReach() {
    QPointer<ClassicEngine> self(this);
    std::shared_ptr<ItemDiscovery> discovery = m_discovery;
    Accessibility &accessibility = m_platform.accessibility;
    std::optional<qint32> front;
    if (const auto application = m_platform.workspace.frontmostApplication()) {
        front = application->processId;
    }
    auto work = [discovery, &accessibility, front] {
        BarSurvey survey;
        survey.trusted = accessibility.isProcessTrusted();
        if (!survey.trusted) {
            return survey;
        }
        survey.items = discovery->scan(std::nullopt);
        if (front) {
            survey.menusRight = AX(accessibility).menusRight(*front);
        }
        return survey;
    };
    const BarSurvey survey = co_await m_platform.work.run(std::move(work));
    if (!self) {
        co_return;
    }
    if (!survey.trusted) {
        // Nothing can be measured without the permission: the items come up where the system
        // puts them, and are placed once it is granted.
        appendEvent({{u"kind"_s, u"launch-placement"_s},
                     {u"placed"_s, false},
                     {u"reason"_s, u"no Accessibility permission"_s}});
        m_reveal.deferPlacement();
        (void)m_bar.readTrusted(false);
        watchForGrant();
        co_return;
    }
    const double iconLength =
        m_separatorController->iconHidden() ? 0.0 : m_platform.statusBar.thickness();
    const std::optional<LaunchPlacement> placement =
        LaunchPlacement::compute(survey.items, m_platform.screens.screens(), survey.menusRight,
                                 iconLength, SeparatorController::collapsedLength);
    QJsonObject record{{u"kind"_s, u"launch-placement"_s},
                       {u"items"_s, survey.items.size()},
                       {u"menusRight"_s, survey.menusRight ? QJsonValue(*survey.menusRight)
                                                           : QJsonValue(QJsonValue::Null)}};
    if (!placement) {
        record.insert(u"placed"_s, false);
        appendEvent(record);
        co_return;
    }
    AppPreferences &preferences = m_platform.appPreferences;
    preferences.setValue(AppPreferences::preferredPositionKey(SeparatorController::iconName),
                         placement->icon);
    preferences.setValue(
        AppPreferences::preferredPositionKey(SeparatorController::hiddenSeparatorName),
        placement->hiddenSeparator);
    preferences.setValue(
        AppPreferences::preferredPositionKey(SeparatorController::alwaysHiddenSeparatorName),
        placement->alwaysHiddenSeparator);
    m_separatorController->recreateItems();
    if (m_onIconReplaced) {
        m_onIconReplaced(m_separatorController->icon().button());
    }
    record.insert(u"placed"_s, true);
    record.insert(u"anchor"_s, placement->anchor);
    record.insert(u"icon"_s, placement->icon);
    record.insert(u"hiddenSep"_s, placement->hiddenSeparator);
    appendEvent(record);
}

} // namespace zorv
