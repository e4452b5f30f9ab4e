#include "desktopdump.h"

#include "enginedump.h"
#include "itemclicksdump.h"
#include "itemmenusdump.h"
#include "jsonwriter.h"
#include "modeldump.h"
#include "optionaljson.h"
#include "rectjson.h"
#include "shownmenusdump.h"
#include "simulatedplatform.h"
#include "storage/atomicfile.h"

#include <QJsonArray>
#include <QTimeZone>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QJsonObject entryJson(const BarEntry &entry, qsizetype order) {
    return {{u"order"_s, order},
            {u"application"_s, optionalString(entry.applicationName)},
            {u"bundleId"_s, optionalString(entry.bundleIdentifier)},
            {u"processId"_s, entry.processId},
            {u"title"_s, entry.title},
            {u"autosaveName"_s, entry.autosaveName},
            {u"frame"_s, rectJson(entry.frame)},
            {u"onScreen"_s, entry.onScreen},
            {u"visible"_s, entry.visible},
            {u"underMenus"_s, entry.underMenus},
            {u"underHousing"_s, entry.underHousing},
            {u"immovable"_s, entry.immovable}};
}

// This application's windows on the window server, front to back.
QJsonArray windowsJson(SimulatedDesktop &desktop) {
    const QString owner = desktop.model().read([](const DesktopState &state) {
        const AppRecord *self = state.app(state.currentProcessId);
        return self ? self->localizedName.value_or(QString()) : QString();
    });
    // On screen front to back, then those ordered out.
    QList<SimAppWindow *> order = desktop.appWindows().stackingOrder();
    std::ranges::reverse(order);
    std::ranges::stable_partition(
        order, [](const SimAppWindow *window) { return window->record().visible; });
    QJsonArray windows;
    for (auto window = order.cbegin(); window != order.cend(); ++window) {
        const WindowRecord &record = (*window)->record();
        windows.append(QJsonObject{
            {u"application"_s, owner},
            {u"title"_s, (*window)->window() ? (*window)->window()->title() : QString()},
            {u"frame"_s, rectJson(record.frame)},
            {u"level"_s, record.style.level},
            {u"visible"_s, record.visible},
            {u"key"_s, record.key}});
    }
    return windows;
}

} // namespace

QJsonObject DesktopDump::toJson(SimulatedPlatform &platform, ClassicEngine *engine, AppModel *model,
                                const NotificationBanner *banner) {
    const DesktopSnapshot snapshot = DesktopSnapshot::take(platform.desktop());
    QJsonArray screens;
    QList<QRectF> barScreens;
    for (const ScreenSnapshot &screen : snapshot.screens) {
        if (screen.active) {
            barScreens.append(screen.screen.frame);
        }
        QJsonArray items;
        for (qsizetype order = 0; order < screen.entries.size(); ++order) {
            items.append(entryJson(screen.entries[order], order));
        }
        screens.append(QJsonObject{{u"displayId"_s, qint64(screen.screen.displayId)},
                                   {u"name"_s, screen.screen.name},
                                   {u"frame"_s, rectJson(screen.screen.frame)},
                                   {u"active"_s, screen.active},
                                   {u"items"_s, items}});
    }
    const ScenarioRunner &runner = platform.scenario();
    // The two frames follow different conventions, as the system's own interfaces do.
    const QJsonObject conventions{
        {u"screens[].frame"_s, u"bottom-left: origin at the primary screen's bottom-left "
                               u"corner, y grows upwards"_s},
        {u"screens[].items[].frame"_s, u"top-left: origin at the primary screen's top-left "
                                       u"corner, y grows downwards"_s},
        {u"windows[].frame"_s, u"top-left: origin at the primary screen's top-left corner, y "
                               u"grows downwards"_s},
        {u"menus[].frame"_s, u"top-left: origin at the primary screen's top-left corner, y "
                             u"grows downwards"_s},
        {u"itemClicks[].menuAt"_s, u"top-left: origin at the primary screen's top-left corner, y "
                                   u"grows downwards"_s},
        {u"itemMenu.frame"_s, u"top-left: origin at the primary screen's top-left corner, y "
                              u"grows downwards"_s}};
    const Duration started = platform.clock().now() - runner.elapsed();
    QJsonObject document{
        {u"coordinateConventions"_s, conventions},
        {u"scenario"_s, runner.scenario().name},
        {u"simulatedSeconds"_s, toSeconds(runner.elapsed())},
        {u"wallTime"_s,
         platform.clock().wallNow().toTimeZone(QTimeZone::utc()).toString(Qt::ISODate)},
        {u"eventsApplied"_s, runner.eventsApplied()},
        {u"frontmostApplication"_s, optionalString(snapshot.frontmostApplication)},
        {u"screens"_s, screens},
        {u"windows"_s, windowsJson(platform.desktop())},
        {u"menus"_s, ShownMenusDump::menus(platform.desktop())},
        {u"itemClicks"_s, ItemClicksDump::clicks(platform.desktop(), started)},
        {u"itemMenu"_s, ItemMenusDump::open(platform.desktop(), started)},
        {u"itemMenuClosings"_s, ItemMenusDump::closings(platform.desktop(), started)},
        {u"banner"_s, ShownMenusDump::banner(banner)},
        {u"pasteboard"_s, platform.desktop().pasteboard().plainText()}};
    if (engine) {
        document.insert(u"engine"_s, EngineDump::toJson(*engine, barScreens));
    }
    if (model) {
        document.insert(u"model"_s, ModelDump::toJson(*model));
    }
    return document;
}

std::optional<QString> DesktopDump::write(SimulatedPlatform &platform, const QString &path,
                                          ClassicEngine *engine, AppModel *model,
                                          const NotificationBanner *banner) {
    const std::optional<QByteArray> bytes =
        writeJson(toJson(platform, engine, model, banner), JsonFormat::pretty());
    if (!bytes) {
        return u"the state holds a value JSON cannot represent"_s;
    }
    return writeFileAtomically(path, *bytes + '\n', FileDurability::Synced);
}

} // namespace zorv
