#include "desktoptest.h"

namespace zorv::testing {
namespace {

using namespace Qt::StringLiterals;

class SimAppPreferencesTest : public DesktopTest {};

// A position written in this process's own preferences is the one the system remembers for its
// item with that autosave name: the item given that name next goes there.
TEST_F(SimAppPreferencesTest, aWrittenPositionPlacesTheItemGivenThatName) {
    addLaptop();
    const qint32 tools = launch(u"com.example.tools"_s);
    const quint64 right = addItem(tools, 30.0, u"right"_s);
    const quint64 left = addItem(tools, 30.0, u"left"_s);
    AppPreferences &preferences = desktop.appPreferences();
    const QString key = AppPreferences::preferredPositionKey(u"zorv-icon-v2"_s);
    EXPECT_FALSE(preferences.value(key).isValid());
    // Just left of "right": its width and the gap.
    preferences.setValue(key, 30.0 + desktop.applications().statusItemSpacing());
    EXPECT_EQ(desktop.items().rememberedPosition(zorvBundle, u"zorv-icon-v2"_s),
              preferences.value(key).toDouble());
    std::unique_ptr<StatusItem> icon = desktop.statusBar().createStatusItem(24.0);
    icon->setAutosaveName(u"zorv-icon-v2"_s);
    settle();
    const quint64 iconId = desktop.items().find(self(), u"zorv-icon-v2"_s).value();
    EXPECT_EQ(barOrder(), (QList<quint64>{left, iconId, right}));

    preferences.setValue(key, u"not a number"_s);
    EXPECT_FALSE(preferences.value(key).isValid());
    preferences.setValue(u"other"_s, 3);
    EXPECT_EQ(preferences.value(u"other"_s), QVariant(3));
    EXPECT_FALSE(desktop.items().rememberedPositions().value(zorvBundle).contains(u"other"_s));
}

} // namespace
} // namespace zorv::testing
