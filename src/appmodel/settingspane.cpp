#include "settingspane.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

struct PaneTexts {
    SettingsPane pane;
    QString key;
    QString title;
    QString symbol;
    QString subtitle;
};

const QList<PaneTexts> &paneTexts() {
    static const QList<PaneTexts> texts{
        {SettingsPane::general, u"general"_s, u"General"_s, u"gearshape"_s,
         u"Choose how Zorv launches, reveals items, and applies your layout."_s},
        {SettingsPane::arrange, u"arrange"_s, u"Menu Bar Layout"_s,
         u"rectangle.topthird.inset.filled"_s,
         u"Choose which menu bar items stay shown, hidden, or always hidden."_s},
        {SettingsPane::triggers, u"triggers"_s, u"Triggers"_s, u"bolt"_s,
         u"Apply an action while a condition is true."_s},
        {SettingsPane::profiles, u"profiles"_s, u"Profiles"_s, u"square.stack.3d.up"_s,
         u"Save and switch between menu bar layouts."_s},
        {SettingsPane::search, u"search"_s, u"Search"_s, u"magnifyingglass"_s,
         u"Find menu bar items by name, alias, or shortcut."_s},
        {SettingsPane::appearance, u"appearance"_s, u"Menu Bar Style"_s, u"paintpalette"_s,
         u"Change the menu bar's appearance and optional icon capture."_s},
        {SettingsPane::spacing, u"spacing"_s, u"Spacing"_s, u"arrow.left.and.right"_s,
         u"Change icon spacing; all apps pick it up after your next login."_s},
        {SettingsPane::about, u"about"_s, u"About"_s, u"info.circle"_s,
         u"Check for updates, find your data, and get help."_s},
    };
    return texts;
}

const PaneTexts &textsOf(SettingsPane pane) {
    return paneTexts().at(static_cast<qsizetype>(pane));
}

} // namespace

const QList<SettingsPane> &allSettingsPanes() {
    static const QList<SettingsPane> panes = [] {
        QList<SettingsPane> list;
        for (const PaneTexts &texts : paneTexts()) {
            list.append(texts.pane);
        }
        return list;
    }();
    return panes;
}

QString paneKey(SettingsPane pane) {
    return textsOf(pane).key;
}

std::optional<SettingsPane> settingsPane(QStringView key) {
    for (const PaneTexts &texts : paneTexts()) {
        if (texts.key == key) {
            return texts.pane;
        }
    }
    return std::nullopt;
}

QString paneTitle(SettingsPane pane) {
    return textsOf(pane).title;
}

QString paneSymbol(SettingsPane pane) {
    return textsOf(pane).symbol;
}

QString paneSubtitle(SettingsPane pane) {
    return textsOf(pane).subtitle;
}

} // namespace zorv
