#include "paneguides.h"

using namespace Qt::StringLiterals;

namespace zorv {

namespace {

QList<GuideStep> generalSteps() {
    return {
        {u"cursorarrow.click"_s, u"Zorv's icon"_s,
         u"Choose whether a plain click opens Zorv's menu or reveals your hidden items. The "
         u"right-click always does the other one."_s},
        {u"rectangle.on.rectangle"_s, u"Live or On-Demand"_s,
         u"Live applies your layout once your typing and mousing pause. On-Demand waits for Sort "
         u"My Bar."_s},
        {u"timer"_s, u"Auto-hide"_s,
         u"After a reveal, hidden icons tuck themselves away again. The slider sets how long they "
         u"stay out; Never keeps them out until you hide them."_s},
        {u"arrow.down.doc"_s, u"Backup"_s,
         u"Export writes one setup file. Import asks before replacing your setup and keeps a "
         u"backup. This Mac\u2019s local choices stay local."_s},
    };
}

QList<GuideStep> arrangeSteps(const GuideContext &context) {
    const QString lanes = u"Shown stays in the bar. Hidden comes out when you "_s +
                          (context.clickOpensMenu ? u"right-click"_s : u"click"_s) +
                          u" Zorv's icon or press {"_s + context.revealShortcut +
                          u"}. Always Hidden only comes out when you hold {option} as well."_s;
    return {
        {u"rectangle.topthird.inset.filled"_s, u"Three lanes"_s, lanes},
        {u"hand.draw"_s, u"Drag or right-click"_s,
         u"Drag icons between lanes, or within a lane to reorder; a caret shows exactly where the "
         u"drop lands. Right-clicking an icon moves it too."_s},
        context.liveLayout
            ? GuideStep{u"wand.and.stars"_s, u"It applies itself"_s,
                        u"A moment after you stop, Zorv rearranges the real menu bar to match. "
                        u"Your cursor hides briefly while it works."_s}
            : GuideStep{u"wand.and.stars"_s, u"Sort My Bar applies it"_s,
                        u"In On-Demand mode the real menu bar changes when you choose Sort My "
                        u"Bar."_s},
        {u"circle.fill"_s, u"The orange dot"_s,
         u"An icon with an orange dot is under your Mac's notch: it exists, macOS just isn't "
         u"drawing it."_s},
    };
}

QList<GuideStep> searchSteps(const GuideContext &context) {
    return {
        {u"magnifyingglass"_s, u"Search anywhere"_s,
         u"Press {"_s + context.searchShortcut +
             u"} in any app, type part of an item's name, and press {return} to open it, even if "
             u"it is hidden. {command+1} to {command+9} pick from the list."_s},
        {u"character.cursor.ibeam"_s, u"Aliases"_s,
         u"Give an item a nickname so \"cal\" finds Fantastical."_s},
        {u"keyboard"_s, u"Item hotkeys"_s,
         u"Give an item its own shortcut to open it from any app without revealing the bar."_s},
    };
}

} // namespace

QList<GuideStep> PaneGuides::steps(SettingsPane pane, const GuideContext &context) {
    switch (pane) {
    case SettingsPane::general:
        return generalSteps();
    case SettingsPane::arrange:
        return arrangeSteps(context);
    case SettingsPane::triggers:
        return {
            {u"bolt"_s, u"Rules"_s,
             u"A rule pairs a condition (on battery, an app in front, a Wi-Fi network, a Focus) "
             u"with an action (reveal, hide, move or open an item, or switch profile)."_s},
            {u"eye"_s, u"Right Now"_s,
             u"The top of the pane shows what Zorv currently sees, so you can watch a condition "
             u"change before you rely on it."_s},
            {u"arrow.uturn.backward"_s, u"Undoes itself"_s,
             u"A rule's action holds while its condition is true and undoes itself when the "
             u"condition ends. A rule that switches on and off too fast is paused for a "
             u"minute."_s},
        };
    case SettingsPane::profiles:
        return {
            {u"square.stack.3d.up"_s, u"Saved layouts"_s,
             u"A profile saves the current lane arrangement under a name: one for work, one for "
             u"presenting, one for travel."_s},
            {u"arrow.left.arrow.right"_s, u"Switching"_s,
             u"Switch from this pane, from the Profiles item in Zorv's menu, or automatically "
             u"with a trigger (say, when you join the office Wi-Fi)."_s},
        };
    case SettingsPane::search:
        return searchSteps(context);
    case SettingsPane::appearance:
        return {
            {u"paintpalette"_s, u"Style the bar"_s,
             u"Tint the menu bar and add a hairline, a shadow, or rounded corners. None of it "
             u"blocks a click."_s},
            {u"eye.slash"_s, u"Pixel-perfect icons"_s,
             u"Off by default, so Zorv never looks at your screen. Turn it on and Zorv's windows "
             u"show each icon's real menu bar pixels. macOS asks once for Screen Recording."_s},
        };
    case SettingsPane::spacing:
        return {
            {u"arrow.left.and.right"_s, u"Tighter spacing"_s,
             u"Sets the gap between every app's menu bar icons. Smaller fits more."_s},
            {u"arrow.uturn.backward"_s, u"Takes a logout"_s,
             u"Each app picks up the new spacing when it next starts, so it reaches all of them "
             u"at your next login. Revert goes back to the system default."_s},
        };
    case SettingsPane::about:
        return {
            {u"arrow.triangle.2.circlepath"_s, u"Updates"_s,
             u"Check Now reports here, without an up-to-date alert. Automatic checks run once a "
             u"day. Install and Relaunch returns an open Settings window to its previous "
             u"page."_s},
            {u"folder"_s, u"Your data"_s,
             u"Show in Finder opens Zorv's own Application Support folder. Your settings, "
             u"layouts, and backups stay on your Mac."_s},
            {u"lifepreserver"_s, u"Help"_s,
             u"Replay Welcome Tour revisits the first-launch screens. Zorv and Brindlecot links "
             u"open their websites."_s},
        };
    }
    return {};
}

} // namespace zorv
