#include "chaosplan.h"

#include "scenario/scenarioloader.h"
#include "scenario/scenariotimeline.h"
#include "statusbar.h"

#include <QHash>

#include <random>
#include <span>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

using namespace scenarioaction;

// The laptop's screen and the display that comes and goes beside it (bottom-left convention).
constexpr double kLaptopWidth = 1512.0;
constexpr double kExternalWidth = 2560.0;
constexpr double kExternalHeight = 1440.0;
// The laptop's bar in the top-left convention, where the user's clicks and scrolls land.
constexpr double kBarY = 18.0;
constexpr double kLaptopHeight = 982.0;
// The mean pause between two happenings.
constexpr double kMeanGapSeconds = 12.0;

// What happens next, with how often it happens relative to the others.
enum class Happening {
    launchOrQuit,
    display,
    activateDisplay,
    click,
    key,
    scroll,
    mouseMove,
    commandDrag,
    hang,
    revokeTrust,
    title,
    width,
    activate,
    iconToLeftEnd,
    setting,
    profile,
    move,
    sort,
    cloud,
    handsDuringRun,
    relaunch,
    longMenus,
    activation,
};
struct Weight {
    Happening happening;
    double weight;
};
// What happens on the laptop.
constexpr Weight kLaptopWeights[] = {
    {Happening::launchOrQuit, 12},
    {Happening::display, 6},
    {Happening::activateDisplay, 4},
    {Happening::click, 8},
    {Happening::key, 5},
    {Happening::scroll, 5},
    {Happening::mouseMove, 4},
    {Happening::commandDrag, 10},
    {Happening::hang, 4},
    {Happening::revokeTrust, 2},
    {Happening::title, 6},
    {Happening::width, 6},
    {Happening::activate, 5},
    {Happening::iconToLeftEnd, 1},
    {Happening::setting, 4},
    {Happening::profile, 3},
    {Happening::move, 4},
    {Happening::sort, 2},
    {Happening::cloud, 3},
    {Happening::handsDuringRun, 5},
    {Happening::relaunch, 1},
};
// What happens on the crowded laptop: the same, with the permission going more often, long menus
// coming to the front and the user asking for items.
constexpr Weight kCrowdedWeights[] = {
    {Happening::launchOrQuit, 12},
    {Happening::display, 6},
    {Happening::activateDisplay, 4},
    {Happening::click, 8},
    {Happening::key, 5},
    {Happening::scroll, 5},
    {Happening::mouseMove, 4},
    {Happening::commandDrag, 10},
    {Happening::hang, 4},
    {Happening::revokeTrust, 4},
    {Happening::title, 6},
    {Happening::width, 6},
    {Happening::activate, 5},
    {Happening::iconToLeftEnd, 1},
    {Happening::setting, 4},
    {Happening::profile, 3},
    {Happening::move, 4},
    {Happening::sort, 2},
    {Happening::cloud, 3},
    {Happening::handsDuringRun, 5},
    {Happening::relaunch, 1},
    {Happening::longMenus, 6},
    {Happening::activation, 10},
};

const char *const kHappeningNames[] = {
    "launchOrQuit", "display",       "activateDisplay", "click",
    "key",          "scroll",        "mouseMove",       "commandDrag",
    "hang",         "revokeTrust",   "title",           "width",
    "activate",     "iconToLeftEnd", "setting",         "profile",
    "move",         "sort",          "cloud",           "handsDuringRun",
    "relaunch",     "longMenus",     "activation"};
static_assert(std::size(kHappeningNames) == std::size(kCrowdedWeights));

// The applications of the crowded laptop whose menus reach far into the bar, with how far.
constexpr struct {
    const char *bundleIdentifier;
    const char *name;
    double menusWidth;
} kLongMenus[] = {
    {"com.apple.dt.Xcode", "Xcode", 1100},
    {"com.apple.FinalCut", "Final Cut Pro", 900},
    {"com.microsoft.Excel", "Microsoft Excel", 760},
};
constexpr double kLongMenusMin = 700.0;
constexpr double kLongMenusMax = 1100.0;

// The crowded laptop on Zorv's first day, its own events left out, with the long-menu
// applications running behind Finder.
Scenario crowdedNotched() {
    Scenario scenario = ScenarioLoader::load(u"crowded-first-launch"_s);
    for (const auto &longMenus : kLongMenus) {
        ScenarioApplication app;
        app.ref = QString::fromLatin1(longMenus.bundleIdentifier);
        app.bundleIdentifier = app.ref;
        app.name = QString::fromLatin1(longMenus.name);
        app.path = u"/Applications/%1.app"_s.arg(*app.name);
        app.activationPolicy = ActivationPolicy::Regular;
        app.menusWidth = longMenus.menusWidth;
        scenario.applications.append(app);
    }
    return scenario;
}

ScreenRecord externalScreen(bool onTheLeft) {
    ScreenRecord screen;
    screen.displayId = ChaosPlan::externalDisplay;
    screen.name = u"Studio Display"_s;
    screen.frame =
        QRectF(onTheLeft ? -kExternalWidth : kLaptopWidth, 0, kExternalWidth, kExternalHeight);
    screen.scale = 2.0;
    return screen;
}

class Generator {
public:
    Generator(quint64 seed, Duration length, QStringList leftOut, ChaosPlan::Mac mac)
        : m_random(seed), m_length(length),
          m_leftOut(std::move(leftOut)), m_plan{seed,
                                                mac,
                                                mac == ChaosPlan::Mac::laptop
                                                    ? ScenarioLoader::load(u"laptop"_s)
                                                    : crowdedNotched(),
                                                {}},
          m_timeline(m_plan.scenario.applications, m_plan.scenario.screens) {
        m_plan.scenario.events.clear();
        for (const auto &longMenus : kLongMenus) {
            if (m_plan.scenario.application(QString::fromLatin1(longMenus.bundleIdentifier))) {
                m_longMenus.append(QString::fromLatin1(longMenus.bundleIdentifier));
            }
        }
        for (const ScenarioApplication &app : std::as_const(m_plan.scenario.applications)) {
            // The system's own agents never quit; the applications the user runs do.
            const bool system = app.ref.startsWith(u"com.apple."_s);
            if (!system) {
                m_quittable.append(app.ref);
            }
            if (app.activationPolicy == ActivationPolicy::Regular) {
                m_regular.append(app.ref);
            }
            for (const ScenarioItem &item : app.items) {
                if (item.immovable || item.autosaveName.isEmpty()) {
                    continue;
                }
                m_items.append({app.ref, item.autosaveName});
                if (item.length == StatusBar::variableLength) {
                    m_titled.append({app.ref, item.autosaveName});
                } else if (!system) {
                    m_sized.append({app.ref, item.autosaveName});
                }
            }
        }
    }

    ChaosPlan run() {
        const std::span<const Weight> table = m_plan.mac == ChaosPlan::Mac::laptop
                                                  ? std::span<const Weight>(kLaptopWeights)
                                                  : std::span<const Weight>(kCrowdedWeights);
        std::vector<double> weights;
        for (const Weight &entry : table) {
            const bool leftOut =
                m_leftOut.contains(QString::fromLatin1(kHappeningNames[int(entry.happening)]));
            weights.push_back(leftOut ? 0.0 : entry.weight);
        }
        std::discrete_distribution<int> next(weights.begin(), weights.end());
        std::exponential_distribution<double> gap(1.0 / kMeanGapSeconds);
        Duration at = seconds(20);
        while (at < m_length) {
            endWhatIsDue(at);
            happen(at, table[next(m_random)].happening);
            at += seconds(std::max(0.5, gap(m_random)));
        }
        return std::move(m_plan);
    }

private:
    struct ItemRef {
        QString app;
        QString item;
    };

    template <typename T> const T &any(const QList<T> &list) {
        return list.at(uniform(0, int(list.size()) - 1));
    }
    int uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    double real(double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(m_random);
    }
    Duration within(double low, double high) { return seconds(real(low, high)); }

    // Adds the event when it can happen at that moment.
    bool add(Duration at, ScenarioAction action) {
        if (m_timeline.apply(action)) {
            return false;
        }
        m_plan.scenario.events.append(ScenarioEvent{at, std::move(action)});
        return true;
    }
    void step(Duration at, ChaosStep::Kind kind) {
        m_plan.steps.append(ChaosStep{at, kind, static_cast<quint32>(m_random())});
    }

    // Hangs end and the permission comes back when their time has come.
    void endWhatIsDue(Duration now) {
        for (auto hung = m_hungUntil.begin(); hung != m_hungUntil.end();) {
            if (*hung <= now) {
                // An application that quit meanwhile comes back not hung.
                (void)add(*hung, SetHung{hung.key(), false});
                hung = m_hungUntil.erase(hung);
            } else {
                ++hung;
            }
        }
        if (m_trustBackAt && *m_trustBackAt <= now) {
            (void)add(*m_trustBackAt,
                      SetPermission{SetPermission::Permission::Accessibility, true});
            m_trustBackAt.reset();
        }
    }

    // The x range of the bar that holds the items' windows.
    [[nodiscard]] std::pair<double, double> activeBar() const {
        if (m_activeDisplay == ChaosPlan::externalDisplay) {
            return m_externalOnLeft ? std::pair(-kExternalWidth, 0.0)
                                    : std::pair(kLaptopWidth, kLaptopWidth + kExternalWidth);
        }
        return {0.0, kLaptopWidth};
    }

    void happen(Duration at, Happening happening) {
        switch (happening) {
        case Happening::launchOrQuit: {
            const QString app = any(m_quittable);
            if (!add(at, Quit{app})) {
                (void)add(at, Launch{app});
            }
            break;
        }
        case Happening::display:
            changeDisplays(at);
            break;
        case Happening::activateDisplay:
            if (m_externalAttached) {
                const DisplayId display =
                    m_activeDisplay == 1 ? ChaosPlan::externalDisplay : DisplayId(1);
                if (add(at, ActivateDisplay{display})) {
                    m_activeDisplay = display;
                }
            }
            break;
        case Happening::click:
            (void)add(at, Input{Input::Kind::LeftClick, QPointF(real(0, kLaptopWidth), kBarY)});
            break;
        case Happening::key:
            (void)add(at, Input{Input::Kind::Key, {}, static_cast<quint16>(uniform(0, 50))});
            break;
        case Happening::scroll:
            (void)add(at, Input{Input::Kind::Scroll, QPointF(real(0, kLaptopWidth), kBarY)});
            break;
        case Happening::mouseMove:
            (void)add(at, Input{Input::Kind::MouseMove,
                                QPointF(real(0, kLaptopWidth), real(0, kLaptopHeight))});
            break;
        case Happening::commandDrag: {
            const ItemRef item = any(m_items);
            const auto [left, right] = activeBar();
            (void)add(at, DragItem{item.app, item.item, real(left, right)});
            break;
        }
        case Happening::hang: {
            const QString app = any(m_quittable);
            if (!m_hungUntil.contains(app) && add(at, SetHung{app, true})) {
                m_hungUntil.insert(app, at + within(5, 120));
            }
            break;
        }
        case Happening::revokeTrust:
            if (!m_trustBackAt &&
                add(at, SetPermission{SetPermission::Permission::Accessibility, false})) {
                m_trustBackAt = at + within(5, 60);
            }
            break;
        case Happening::title: {
            const ItemRef item = any(m_titled);
            (void)add(at, SetTitle{item.app, item.item,
                                   QString(uniform(1, 14), QChar(u'A' + uniform(0, 25)))});
            break;
        }
        case Happening::width: {
            const ItemRef item = any(m_sized);
            (void)add(at, SetLength{item.app, item.item, double(uniform(16, 90))});
            break;
        }
        case Happening::activate:
            (void)add(at, Activate{any(m_regular), real(200, 700)});
            break;
        case Happening::iconToLeftEnd:
            (void)add(at, MoveZorvIconToLeftEnd{});
            break;
        case Happening::setting:
            step(at, ChaosStep::Kind::setting);
            break;
        case Happening::profile:
            step(at, ChaosStep::Kind::profile);
            break;
        case Happening::move:
            step(at, ChaosStep::Kind::move);
            break;
        case Happening::sort:
            step(at, ChaosStep::Kind::sort);
            break;
        case Happening::cloud:
            step(at, ChaosStep::Kind::cloud);
            break;
        case Happening::handsDuringRun:
            step(at, ChaosStep::Kind::handsDuringRun);
            break;
        case Happening::relaunch:
            step(at, ChaosStep::Kind::relaunch);
            break;
        case Happening::longMenus:
            (void)add(at, Activate{any(m_longMenus), real(kLongMenusMin, kLongMenusMax)});
            break;
        case Happening::activation:
            step(at, ChaosStep::Kind::activation);
            break;
        }
    }

    // The second display is plugged in (on either side), unplugged or moved to the other side.
    void changeDisplays(Duration at) {
        if (!m_externalAttached) {
            const bool left = uniform(0, 1) == 1;
            if (add(at, AddScreen{externalScreen(left)})) {
                m_externalAttached = true;
                m_externalOnLeft = left;
            }
            return;
        }
        if (uniform(0, 1) == 0) {
            const bool left = !m_externalOnLeft;
            if (add(at,
                    ChangeScreen{ChaosPlan::externalDisplay, externalScreen(left).frame, {}, {}})) {
                m_externalOnLeft = left;
            }
            return;
        }
        // Unplugging the display whose bar is active hands the bar back to the laptop's.
        if (m_activeDisplay == ChaosPlan::externalDisplay && add(at, ActivateDisplay{1})) {
            m_activeDisplay = 1;
        }
        if (add(at, RemoveScreen{ChaosPlan::externalDisplay})) {
            m_externalAttached = false;
        }
    }

    std::mt19937_64 m_random;
    Duration m_length;
    QStringList m_leftOut;
    ChaosPlan m_plan;
    ScenarioTimeline m_timeline;
    QStringList m_quittable;
    QStringList m_regular;
    QStringList m_longMenus;
    QList<ItemRef> m_items;
    QList<ItemRef> m_titled;
    QList<ItemRef> m_sized;
    QHash<QString, Duration> m_hungUntil;
    std::optional<Duration> m_trustBackAt;
    bool m_externalAttached = false;
    bool m_externalOnLeft = false;
    DisplayId m_activeDisplay = 1;
};

} // namespace

namespace {

const char *const kActionNames[] = {"launch",
                                    "quit",
                                    "addItem",
                                    "removeItem",
                                    "setTitle",
                                    "setLength",
                                    "dragItem",
                                    "input",
                                    "addScreen",
                                    "removeScreen",
                                    "changeScreen",
                                    "permission",
                                    "activateDisplay",
                                    "activate",
                                    "setHung",
                                    "setDrag",
                                    "setHidden",
                                    "setPreference",
                                    "moveZorvIconToLeftEnd",
                                    "setAppearance",
                                    "setPower",
                                    "setWifi",
                                    "setLocation",
                                    "setFocus",
                                    "setNotifications",
                                    "cloudChange"};
static_assert(std::size(kActionNames) == std::variant_size_v<ScenarioAction>);

const char *const kStepNames[] = {"setting", "profile",        "move",     "sort",
                                  "cloud",   "handsDuringRun", "relaunch", "activation"};

QString describeAction(const ScenarioAction &action) {
    QString text = QString::fromLatin1(kActionNames[action.index()]);
    std::visit(
        [&text](const auto &a) {
            if constexpr (requires { a.app; }) {
                text += u' ' + a.app;
            }
            if constexpr (requires { a.item; }) {
                if constexpr (std::is_same_v<std::decay_t<decltype(a.item)>, QString>) {
                    text += u' ' + a.item;
                }
            }
            if constexpr (requires { a.toX; }) {
                text += u" to x %1"_s.arg(a.toX);
            }
            if constexpr (requires { a.hung; }) {
                text += a.hung ? u" on"_s : u" off"_s;
            }
            if constexpr (requires { a.granted; }) {
                text += a.granted ? u" granted"_s : u" revoked"_s;
            }
            if constexpr (requires { a.display; }) {
                text += u" %1"_s.arg(a.display);
            }
            if constexpr (requires { a.location; }) {
                text += u" %1 at %2,%3"_s.arg(int(a.kind)).arg(a.location.x()).arg(a.location.y());
            }
            if constexpr (requires { a.length; }) {
                text += u" %1"_s.arg(a.length);
            }
            if constexpr (requires { a.menusWidth; }) {
                if (a.menusWidth) {
                    text += u" menus %1"_s.arg(*a.menusWidth, 0, 'f', 0);
                }
            }
        },
        action);
    return text;
}

} // namespace

QString ChaosPlan::describe() const {
    QStringList lines;
    qsizetype step = 0;
    for (const ScenarioEvent &event : scenario.events) {
        while (step < steps.size() && steps.at(step).at <= event.at) {
            lines.append(u"%1 s: step %2 (pick %3)"_s.arg(toSeconds(steps.at(step).at), 0, 'f', 1)
                             .arg(QString::fromLatin1(kStepNames[int(steps.at(step).kind)]))
                             .arg(steps.at(step).pick));
            ++step;
        }
        lines.append(
            u"%1 s: %2"_s.arg(toSeconds(event.at), 0, 'f', 1).arg(describeAction(event.action)));
    }
    return lines.join(u'\n');
}

ChaosPlan ChaosPlan::generate(quint64 seed, Duration length, const QStringList &leftOut, Mac mac) {
    return Generator(seed, length, leftOut, mac).run();
}

} // namespace zorv
