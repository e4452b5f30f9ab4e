#include "rulechoices.h"

#include "knownnetworks.h"
#include "rulewords.h"
#include "sectionitems.h"
#include "workspace.h"

#include <QCollator>
#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

template <typename T, typename Name> void sortByName(QList<T> &list, Name name) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(list.begin(), list.end(), [&](const T &a, const T &b) {
        return collator.compare(name(a), name(b)) < 0;
    });
}

} // namespace

QList<RuleChoices::Network> RuleChoices::networks(const WifiClient &wifi,
                                                  const std::optional<QString> &current) {
    QStringList names = KnownNetworks::all(wifi);
    if (current) {
        names.removeAll(*current);
        names.prepend(*current);
    }
    QList<Network> choices;
    for (const QString &name : std::as_const(names)) {
        choices.append({name, current && name == *current ? name + u" (connected)"_s : name});
    }
    return choices;
}

QImage RuleChoices::appIcon(const Workspace &workspace, const QString &bundleID,
                            const RunningApplication *running) {
    QImage icon;
    if (running && !running->icon.isNull()) {
        icon = running->icon;
    } else if (const std::optional<QString> path = workspace.applicationPath(bundleID)) {
        icon = workspace.iconForFile(*path);
    }
    if (icon.isNull()) {
        return {};
    }
    QImage sized =
        icon.scaled(2 * iconPoints, 2 * iconPoints, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    sized.setDevicePixelRatio(2);
    return sized;
}

QList<RuleChoices::App> RuleChoices::apps(const Workspace &workspace, const QString &chosen) {
    QList<App> apps;
    QSet<QString> taken;
    for (const RunningApplication &running : workspace.runningApplications()) {
        if (running.activationPolicy != ActivationPolicy::Regular || !running.bundleIdentifier ||
            taken.contains(*running.bundleIdentifier)) {
            continue;
        }
        const QString &bundleID = *running.bundleIdentifier;
        taken.insert(bundleID);
        apps.append({bundleID, running.localizedName.value_or(bundleID),
                     appIcon(workspace, bundleID, &running)});
    }
    if (!chosen.isEmpty() && !taken.contains(chosen)) {
        apps.append({chosen, RuleWords::applicationName(chosen, workspace),
                     appIcon(workspace, chosen, nullptr)});
    }
    sortByName(apps, [](const App &app) { return app.name; });
    return apps;
}

QString RuleChoices::itemName(const MenuBarItem &item) {
    return item.id.title && !item.id.title->isEmpty() ? *item.id.title : item.appName;
}

QList<MenuBarItem> RuleChoices::items(const QList<MenuBarItem> &items) {
    QList<MenuBarItem> choices;
    for (const MenuBarItem &item : items) {
        if (isArrangeable(item)) {
            choices.append(item);
        }
    }
    sortByName(choices, &RuleChoices::itemName);
    return choices;
}

} // namespace zorv
