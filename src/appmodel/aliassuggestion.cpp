#include "aliassuggestion.h"

#include "search/stablekey.h"

#include <QSet>
#include <QStringList>

#include <array>

namespace zorv {
namespace {

struct AliasRow {
    QStringView prefix;
    QStringView alias;
};

// Looked up in this order: the first prefix that begins the bundle identifier wins, so a longer
// prefix must come before a shorter one it extends ("com.linearity" before "com.linear").
constexpr std::array aliasTable{
    AliasRow{u"com.1password", u"1p"},
    AliasRow{u"com.agilebits.onepassword", u"1p"},
    AliasRow{u"com.anthropic.claude", u"cl"},
    AliasRow{u"com.apple.controlcenter", u"cc"},
    AliasRow{u"com.apple.finder", u"fi"},
    AliasRow{u"com.apple.iCal", u"cal"},
    AliasRow{u"com.apple.mail", u"mail"},
    AliasRow{u"com.apple.MobileSMS", u"msg"},
    AliasRow{u"com.apple.music", u"mus"},
    AliasRow{u"com.apple.Safari", u"saf"},
    AliasRow{u"com.apple.systempreferences", u"sys"},
    AliasRow{u"com.apple.Terminal", u"term"},
    AliasRow{u"com.atlassian", u"jira"},
    AliasRow{u"com.bitwarden", u"bw"},
    AliasRow{u"com.brave.Browser", u"brave"},
    AliasRow{u"com.crashplan", u"cp"},
    AliasRow{u"com.docker", u"dock"},
    AliasRow{u"com.electron.dockerdesktop", u"dock"},
    AliasRow{u"com.figma", u"fig"},
    AliasRow{u"com.flexibits.fantastical", u"cal"},
    AliasRow{u"com.getdropbox", u"drop"},
    AliasRow{u"com.google.Chrome", u"chr"},
    AliasRow{u"com.google.drivefs", u"gd"},
    AliasRow{u"com.google.GeminiMacOS", u"gem"},
    AliasRow{u"com.hegenberg.BetterTouchTool", u"btt"},
    AliasRow{u"com.if.Amphetamine", u"amp"},
    AliasRow{u"com.jetbrains", u"jb"},
    AliasRow{u"com.knollsoft.Rectangle", u"rect"},
    AliasRow{u"com.linearity", u"vec"},
    AliasRow{u"com.linear", u"lin"},
    AliasRow{u"com.lwouis.alt-tab-macos", u"alt"},
    AliasRow{u"com.microsoft.Excel", u"xl"},
    AliasRow{u"com.microsoft.Outlook", u"out"},
    AliasRow{u"com.microsoft.teams", u"teams"},
    AliasRow{u"com.microsoft.VSCode", u"code"},
    AliasRow{u"com.mowglii.ItsycalApp", u"itsy"},
    AliasRow{u"com.notion", u"not"},
    AliasRow{u"com.obsidian", u"obs"},
    AliasRow{u"com.objective-see", u"os"},
    AliasRow{u"com.openai", u"gpt"},
    AliasRow{u"com.parallels", u"prl"},
    AliasRow{u"com.postgresapp", u"pg"},
    AliasRow{u"com.pushplaylabs.sidekick", u"sk"},
    AliasRow{u"com.raycast", u"ray"},
    AliasRow{u"com.readdle.spark", u"spark"},
    AliasRow{u"com.runningwithcrayons.Alfred", u"alf"},
    AliasRow{u"com.skype", u"sky"},
    AliasRow{u"com.smileonmymac.textexpander", u"tex"},
    AliasRow{u"com.spotify", u"spot"},
    AliasRow{u"com.surteesstudios.Bartender", u"bart"},
    AliasRow{u"com.tapbots.Tweetbot", u"tb"},
    AliasRow{u"com.tinyspeck.slackmacgap", u"slack"},
    AliasRow{u"com.todoist", u"todo"},
    AliasRow{u"com.utmapp", u"utm"},
    AliasRow{u"com.valvesoftware.steam", u"steam"},
    AliasRow{u"com.zoom", u"zoom"},
    AliasRow{u"net.freemacsoft.AppCleaner", u"ac"},
    AliasRow{u"net.matthewpalmer.Vanilla", u"van"},
    AliasRow{u"org.mozilla.firefox", u"ff"},
    AliasRow{u"org.videolan.vlc", u"vlc"},
    AliasRow{u"us.zoom", u"zoom"},
    AliasRow{u"ai.perplexity", u"px"},
    AliasRow{u"app.macdials", u"dials"},
    AliasRow{u"app.monitorcontrol", u"mc"},
    AliasRow{u"app.sizemac", u"size"},
    AliasRow{u"io.tailscale", u"ts"},
    AliasRow{u"md.obsidian", u"obs"},
    AliasRow{u"com.electron.wispr-flow", u"wf"},
    AliasRow{u"com.irradiatedsoftware.SizeUp", u"su"},
    AliasRow{u"com.crowdstrike", u"cs"},
    AliasRow{u"com.malwarebytes", u"mb"},
    AliasRow{u"com.nordvpn", u"vpn"},
    AliasRow{u"com.expressvpn", u"vpn"},
    AliasRow{u"com.plexapp", u"plex"},
    AliasRow{u"com.sonos", u"son"},
    AliasRow{u"com.elgato", u"elg"},
    AliasRow{u"com.logi", u"logi"},
    AliasRow{u"com.discord", u"dis"},
    AliasRow{u"com.hnc.Discord", u"dis"},
    AliasRow{u"com.signal", u"sig"},
    AliasRow{u"org.whispersystems", u"sig"},
    AliasRow{u"com.telegram", u"tg"},
    AliasRow{u"ru.keepcoder.Telegram", u"tg"},
    AliasRow{u"com.evernote", u"ev"},
    AliasRow{u"com.bear", u"bear"},
    AliasRow{u"net.shinyfrog.bear", u"bear"},
    AliasRow{u"com.culturedcode.ThingsMac", u"things"},
    AliasRow{u"com.omnigroup.OmniFocus", u"of"},
    AliasRow{u"com.toggl", u"tog"},
    AliasRow{u"com.rescuetime", u"rt"},
    AliasRow{u"com.tunnelbear", u"tun"},
    AliasRow{u"com.cleanshot", u"cs"},
    AliasRow{u"pl.maketheweb.cleanshotx", u"shot"},
    AliasRow{u"com.reincubate.camo", u"camo"},
    AliasRow{u"com.loom", u"loom"},
    AliasRow{u"com.krisp", u"krisp"},
    AliasRow{u"com.backblaze", u"bb"},
    AliasRow{u"com.carbonite", u"carb"},
    AliasRow{u"com.synology", u"syn"},
    AliasRow{u"com.wdc", u"wd"},
    AliasRow{u"com.hazeover", u"haze"},
    AliasRow{u"com.macpaw", u"mp"},
    AliasRow{u"com.pilotmoon.scroll-reverser", u"scr"},
    AliasRow{u"com.blackmagic", u"bm"},
    AliasRow{u"com.adobe", u"adobe"},
    AliasRow{u"com.sketch", u"sk"},
    AliasRow{u"com.pixelmator", u"pxm"},
    AliasRow{u"com.bohemiancoding.sketch", u"sketch"},
};

bool isAsciiAlphanumeric(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

} // namespace

QString AliasSuggestion::derive(const QString &name) {
    QString cleaned = name;
    for (QChar &c : cleaned) {
        if (!isAsciiAlphanumeric(c)) {
            c = u' ';
        }
    }
    const QStringList words = cleaned.toLower().split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) {
        return {};
    }
    if (words.size() == 1) {
        return words.first().left(4);
    }
    QString initials;
    for (const QString &word : words.mid(0, 5)) {
        initials.append(word.front());
    }
    return initials;
}

QString AliasSuggestion::alias(const MenuBarItem &item, const QString &displayName) {
    for (const AliasRow &row : aliasTable) {
        if (QStringView(item.id.bundleID).startsWith(row.prefix, Qt::CaseInsensitive)) {
            return row.alias.toString();
        }
    }
    return derive(displayName.isEmpty() ? item.appName : displayName);
}

QHash<QString, QString> AliasSuggestion::unique(const QList<Entry> &entries) {
    QSet<QString> used;
    QHash<QString, QString> suggestions;
    for (const Entry &entry : entries) {
        const QString base = alias(entry.item, entry.name);
        if (base.isEmpty()) {
            continue;
        }
        QString taken = base;
        for (int number = 2; used.contains(taken); ++number) {
            taken = base + QString::number(number);
        }
        used.insert(taken);
        suggestions.insert(stableKey(entry.item.id), taken);
    }
    return suggestions;
}

} // namespace zorv
