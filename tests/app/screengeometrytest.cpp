#include "macscreenpainter.h"
#include "macscreenscene.h"
#include "menutitles.h"
#include "screeninput.h"
#include "screenmapping.h"
#include "settings/keyshortcut.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(ScreenMappingTest, FitsScreensBetweenThreeQuartersAndLifeSize) {
    const struct {
        double screenWidth;
        double available;
        double zoom;
    } cases[] = {
        {1512, 1512, 1.0},  {1512, 3000, 1.0}, {1512, 756, 0.75}, {2000, 1600, 0.8},
        {7680, 1500, 0.75}, {0, 1500, 1.0},    {1512, -20, 0.75}, {1512, qQNaN(), 1.0},
    };
    for (const auto &c : cases) {
        EXPECT_DOUBLE_EQ(ScreenMapping::zoomToFit(c.screenWidth, c.available), c.zoom)
            << c.screenWidth << " in " << c.available;
    }
}

// A screen left of and below the primary one, drawn at half size: view pixels and global points
// convert both ways, and a point past the view's edge stays on the screen.
TEST(ScreenMappingTest, ConvertsBetweenViewAndGlobalPoints) {
    const ScreenMapping mapping{2, QRectF(-1000, 200, 1000, 800), 0.5};
    const struct {
        QPointF view;
        QPointF global;
    } cases[] = {
        {{0, 0}, {-1000, 200}},
        {{250, 100}, {-500, 400}},
        {{499.5, 12}, {-1, 224}},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(mapping.toGlobal(c.view), c.global);
        EXPECT_EQ(mapping.toView(c.global), c.view);
    }
    const QPointF past = mapping.toGlobal({900, 900});
    EXPECT_LT(past.x(), 0.0);
    EXPECT_GT(past.x(), -0.001);
    EXPECT_LT(past.y(), 1000.0);
    EXPECT_EQ(mapping.toGlobal({-50, -50}), QPointF(-1000, 200));
    EXPECT_EQ(mapping.toView(QRectF(-800, 300, 200, 100)), QRectF(100, 50, 100, 50));
}

// A window goes to the screen holding most of it, in that screen's view.
TEST(ScreenMappingTest, PlacesAWindowOnTheScreenHoldingMostOfIt) {
    const QList<ScreenMapping> screens{{1, QRectF(0, 0, 1512, 982), 1.0},
                                       {2, QRectF(1512, -200, 2560, 1440), 0.5}};
    const struct {
        QRectF frame;
        std::optional<WindowPlace> place;
    } cases[] = {
        {QRectF(606, 300, 300, 200), WindowPlace{1, QRectF(606, 300, 300, 200)}},
        {QRectF(1400, 0, 300, 100), WindowPlace{2, QRectF(-56, 100, 150, 50)}},
        {QRectF(1300, 0, 300, 100), WindowPlace{1, QRectF(1300, 0, 300, 100)}},
        {QRectF(-900, 0, 300, 100), std::nullopt},
        {QRectF(100, 100, 0, 0), std::nullopt},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(placeWindow(screens, c.frame), c.place);
    }
}

// Menus as wide as each title's name in characters, times ten, plus padding.
QList<MenuTitle> menusOf(const QString &application, double menusRight,
                         std::optional<std::pair<double, double>> housing = std::nullopt) {
    return MenuTitles::layout(application, menusRight, 24, housing,
                              [](const QString &text, bool) { return text.size() * 10.0; });
}

QStringList texts(const QList<MenuTitle> &titles) {
    QStringList result;
    for (const MenuTitle &title : titles) {
        result.append(title.kind == MenuTitle::Kind::AppleMenu ? u"<apple>"_s : title.text);
    }
    return result;
}

TEST(MenuTitlesTest, FillsTheMenusSpanAndSkipsTheHousing) {
    // Apple menu 6..44, "Finder" 44..124, "File" 124..184, "Edit" 184..244, "View" 244..304:
    // too little room for Window and Help, so as many of the first menus as fit.
    EXPECT_EQ(texts(menusOf(u"Finder"_s, 300)),
              (QStringList{u"<apple>"_s, u"Finder"_s, u"File"_s, u"Edit"_s}));
    EXPECT_EQ(texts(menusOf(u"Finder"_s, 304)),
              (QStringList{u"<apple>"_s, u"Finder"_s, u"File"_s, u"Edit"_s, u"View"_s}));
    // Wider menus take more titles, Window and Help always last.
    EXPECT_EQ(texts(menusOf(u"Finder"_s, 600)),
              (QStringList{u"<apple>"_s, u"Finder"_s, u"File"_s, u"Edit"_s, u"View"_s, u"Go"_s,
                           u"Format"_s, u"Window"_s, u"Help"_s}));
    EXPECT_EQ(texts(menusOf(QString(), 300)), QStringList{u"<apple>"_s});
    EXPECT_TRUE(menusOf(u"Finder"_s, 0).isEmpty());
    EXPECT_EQ(menusOf(u"Finder"_s, 300)[1].rect, QRectF(44, 0, 80, 24));

    // "Edit" would reach under a housing from 200 to 400: it and the rest go right of it.
    const QList<MenuTitle> split = menusOf(u"Finder"_s, 560, std::pair(200.0, 400.0));
    EXPECT_EQ(texts(split),
              (QStringList{u"<apple>"_s, u"Finder"_s, u"File"_s, u"Edit"_s, u"View"_s}));
    EXPECT_EQ(split[3].rect.left(), 400.0);
    for (const MenuTitle &title : split) {
        EXPECT_TRUE(title.rect.right() <= 200.0 || title.rect.left() >= 400.0)
            << title.text.toStdString();
    }
}

// Only the title whose menu is open is marked open, counted from the application menu; none when
// no menu is open or the open one does not fit on the bar.
TEST(MenuTitlesTest, MarksTheTitleOfTheOpenMenu) {
    const QStringList own{u"Zorv"_s, u"Menu Bar"_s, u"Edit"_s, u"Window"_s, u"Help"_s};
    const struct {
        std::optional<int> open;
        double menusRight;
        QStringList marked;
    } cases[] = {
        {std::nullopt, 600, {}}, {0, 600, {u"Zorv"_s}}, {2, 600, {u"Edit"_s}},
        {4, 600, {u"Help"_s}},   {4, 150, {}},
    };
    for (const auto &c : cases) {
        QStringList marked;
        for (const MenuTitle &title : MenuTitles::layoutOwn(own, c.menusRight, 24, {}, c.open)) {
            if (title.open) {
                marked.append(title.text);
            }
        }
        EXPECT_EQ(marked, c.marked) << c.open.value_or(-1) << " " << c.menusRight;
    }
}

// In the dark appearance monochrome glyphs and template pictures turn light; coloured ones keep
// their colours; the light appearance draws everything as it is.
TEST(MacScreenSceneTest, DrawsMonochromeItemsInTheBarsTextColour) {
    QImage templatePicture(4, 4, QImage::Format_ARGB32);
    templatePicture.fill(Qt::transparent);
    templatePicture.setPixelColor(1, 1, QColor(0, 0, 0));
    QImage colouredPicture = templatePicture;
    colouredPicture.setPixelColor(2, 2, QColor(0, 97, 254));
    const QColor white(245, 245, 245);
    const struct {
        QColor glyph;
        QImage image;
        bool dark;
        QColor drawnGlyph;
        QColor drawnPixel;
    } cases[] = {
        {QColor(30, 30, 30), {}, true, white, {}},
        {QColor(30, 30, 30), {}, false, QColor(30, 30, 30), {}},
        {QColor(0, 97, 254), {}, true, QColor(0, 97, 254), {}},
        {QColor(30, 30, 30), templatePicture, true, white, white},
        {QColor(30, 30, 30), colouredPicture, true, white, QColor(0, 0, 0)},
        {QColor(30, 30, 30), templatePicture, false, QColor(30, 30, 30), QColor(0, 0, 0)},
    };
    for (const auto &c : cases) {
        MacScreenScene scene;
        scene.dark = c.dark;
        SceneItem item;
        item.glyph.color = c.glyph;
        item.image = c.image;
        const SceneItem drawn = scene.drawnItem(item);
        EXPECT_EQ(drawn.glyph.color, c.drawnGlyph) << c.glyph.name().toStdString() << c.dark;
        if (!c.image.isNull()) {
            EXPECT_EQ(drawn.image.pixelColor(1, 1), c.drawnPixel);
            EXPECT_EQ(drawn.image.pixelColor(0, 0).alpha(), 0);
        }
    }
}

// The item whose menu is open lies on the selection, in both appearances; the others are drawn
// on the bar alone.
TEST(MacScreenPainterTest, DrawsTheSelectionUnderTheItemWhoseMenuIsOpen) {
    for (const bool dark : {false, true}) {
        MacScreenScene scene;
        scene.dark = dark;
        scene.display.size = QSizeF(400, 200);
        scene.display.barColor = QColor(236, 236, 236);
        scene.display.items = {SceneItem{1, QRectF(300, 0, 30, 24), {}, {}, {}},
                               SceneItem{2, QRectF(340, 0, 30, 24), {}, {}, {}}};
        scene.selectedItem = 1;
        QImage picture(400, 200, QImage::Format_ARGB32);
        QPainter painter(&picture);
        MacScreenPainter::paint(painter, QRectF(0, 0, 400, 200), scene, QImage());
        painter.end();
        // Beside the glyph, halfway down the bar.
        EXPECT_NE(picture.pixelColor(302, 12), scene.barColor()) << dark;
        EXPECT_EQ(picture.pixelColor(342, 12), scene.barColor()) << dark;
    }
}

TEST(ScreenInputTest, MapsButtonsModifiersAndKeys) {
    EXPECT_EQ(ScreenInput::button(Qt::LeftButton), MouseButton::Left);
    EXPECT_EQ(ScreenInput::button(Qt::RightButton), MouseButton::Right);
    EXPECT_EQ(ScreenInput::button(Qt::MiddleButton), MouseButton::Center);
    EXPECT_EQ(ScreenInput::button(Qt::BackButton), std::nullopt);
    EXPECT_EQ(ScreenInput::flags(Qt::AltModifier | Qt::ControlModifier),
              EventFlags::option | EventFlags::command);

    const struct {
        QEvent::Type type;
        int key;
        Qt::KeyboardModifiers modifiers;
        std::optional<MacKeyPress> press;
    } cases[] = {
        // A modifier key alone: its own flag is on while it is down, off once it is up.
        {QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier, MacKeyPress{58, KeyShortcut::kOption}},
        {QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier, MacKeyPress{58, 0}},
        {QEvent::KeyPress, Qt::Key_Shift, Qt::MetaModifier,
         MacKeyPress{56, KeyShortcut::kShift | KeyShortcut::kControl}},
        // Qt's Control key is Command and its Meta key Control, as on a Mac.
        {QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier, MacKeyPress{55, KeyShortcut::kCommand}},
        {QEvent::KeyPress, Qt::Key_Meta, Qt::NoModifier, MacKeyPress{59, KeyShortcut::kControl}},
        {QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier,
         MacKeyPress{0, KeyShortcut::kCommand | KeyShortcut::kShift}},
        {QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, MacKeyPress{49, 0}},
        {QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, std::nullopt},
    };
    for (const auto &c : cases) {
        const QKeyEvent event(c.type, c.key, c.modifiers);
        EXPECT_EQ(ScreenInput::key(event), c.press) << c.key;
    }
}

} // namespace
} // namespace zorv
