#include "appicon/zorvappicon.h"
#include "lanefixture.h"
#include "layoutpanemodel.h"
#include "settingswindowcontroller.h"
#include "settingswindowmodel.h"
#include "symbols/symbolglyphs.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QPainter>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct Look {
    const char *name;
    bool dark;
};

// A glyph as the bar draws it: light on a dark bar, dark on a light one, at twice its points.
QImage glyph(const QString &symbol, bool light, int width = 36) {
    QImage picture(width, 32, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const QImage mark = SymbolGlyphs::image(symbol, 30, light ? Qt::white : Qt::black);
    painter.drawImage((width - mark.width()) / 2, 1, mark);
    return picture;
}

QImage icon(QColor color) {
    QImage picture(64, 64, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(color);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(4, 4, 56, 56), 14, 14);
    return picture;
}

// Draws the layout pane in each look, with pictures the way the bar would give them, and keeps
// the pictures in the suite's build folder ("screenshots/settings-layout-...").
class LayoutPaneRenderingTest : public ::testing::TestWithParam<Look>, protected LaneFixture {
protected:
    LayoutPaneRenderingTest() : LayoutPaneRenderingTest(pictured(GetParam().dark)) {}
    explicit LayoutPaneRenderingTest(const QList<MenuBarItem> &items) : LaneFixture(items) {
        mac.desktop().appearance().setDark(GetParam().dark);
        // Zorv's bundle with its icon, which the own-icon card shows.
        mac.workspace().install({u"app.zorv.Zorv"_s, u"/Applications/Zorv.app"_s,
                                 ApplicationIcon{.artwork = ZorvAppIcon::image(512)}});
        // A screen whose desktop picture gives the bar this look's colour.
        const DisplayId display = mac.desktop().arrangement().add(ScreenDescription{});
        mac.desktop().arrangement().setMainScreen(display);
        QImage desktop(40, 100, QImage::Format_RGB32);
        desktop.fill(GetParam().dark ? QColor(u"#2B2D3A"_s) : QColor(u"#E4E7EE"_s));
        const QString path = folder.filePath(u"desktop.png"_s);
        EXPECT_TRUE(desktop.save(path));
        mac.desktop().desktopPictures().setPicture(display, path);
        view.markGuideSeen(u"arrange"_s);
        view.setPendingSettingsPane(u"arrange"_s);
    }

    static QList<MenuBarItem> pictured(bool dark) {
        QList<MenuBarItem> items = bar();
        const QStringList symbols{u"bolt"_s,     u"globe"_s, u"timer"_s,
                                  u"sparkles"_s, u"eye"_s,   u"keyboard"_s};
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (i < symbols.size() && i != 1) {
                items[i].capturedImage = glyph(symbols[i], dark, i == 2 ? 52 : 36);
            }
        }
        items[1].capturedImage.reset();
        items[1].appIcon = icon(QColor(u"#3B82F6"_s));
        return items;
    }

    QImage grab(const QString &name) {
        settle();
        QImage picture = controller.window()->grabWindow();
        const QString folder = QCoreApplication::applicationDirPath() + u"/screenshots"_s;
        QDir().mkpath(folder);
        const QString scale = controller.window()->devicePixelRatio() > 1 ? u"@2x"_s : QString();
        picture.save(folder + u'/' + name + u'-' + QString::fromLatin1(GetParam().name) + scale +
                     u".png"_s);
        return picture;
    }

    // The mean lightness of the band 2 to 4 points below `area`, where a shadow cast downward
    // shows beyond the shape's own pixels.
    double bandLightness(const QImage &picture, const QRect &area) const {
        const qreal scale = controller.window()->devicePixelRatio();
        const QRect band(QPoint(qRound((area.left() + 4) * scale), qRound((area.bottom() + 2) * scale)),
                         QPoint(qRound((area.right() - 4) * scale), qRound((area.bottom() + 4) * scale)));
        double sum = 0;
        int count = 0;
        for (int y = band.top(); y <= band.bottom(); ++y) {
            for (int x = band.left(); x <= band.right(); ++x) {
                sum += QColor(picture.pixel(x, y)).lightnessF() * 255;
                ++count;
            }
        }
        return count ? sum / count : 0;
    }
    QObject *paneItem() const {
        return controller.window()->property("paneItem").value<QObject *>();
    }
    // The model of the pane's lane with that name ("shownLane", ...).
    LaneModel *lane(const char *name) const {
        const auto *laneItem = paneItem()->property(name).value<QObject *>();
        return laneItem ? laneItem->property("lane").value<LaneModel *>() : nullptr;
    }

    QTemporaryDir folder;
    SettingsWindowController controller{engine, view, services, mac.desktop().appWindows()};
};

TEST_P(LayoutPaneRenderingTest, LanesWithChipsBannersAndTheOwnIconCard) {
    mac.engine().mock().setHidingBlocked(HidingBlockedReason::iconMisseated);
    controller.show();
    settle();
    ASSERT_EQ(controller.model()->pane(), u"arrange"_s);
    ASSERT_TRUE(paneItem());
    LaneModel *shown = lane("shownLane");
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->count(), 3);
    grab(u"settings-layout"_s);

    // A drag over the Shown lane and a chip hovered in it.
    shown->dragMoved(50);
    shown->setHover(shown->data(shown->index(2), LaneModel::KeyRole).toString(), true);
    mac.advance(0.35);
    EXPECT_EQ(shown->bubbleName(), u"Gamma"_s);
    grab(u"settings-layout-dragging"_s);
    shown->dragExited();

    // The name bubble casts a soft shadow: the band just outside it is darker with the bubble
    // up than without.
    auto *bubble = controller.window()->findChild<QQuickItem *>(u"bubble-shown"_s);
    ASSERT_TRUE(bubble && bubble->isVisible());
    const QRect bubbleArea = bubble->mapRectToScene(bubble->boundingRect()).toAlignedRect();
    const QImage withBubble = grab(u"settings-layout-bubble"_s);
    shown->setHover({}, false);
    const QImage without = grab(u"settings-layout-no-bubble"_s);
    EXPECT_LT(bandLightness(withBubble, bubbleArea), bandLightness(without, bubbleArea) - 1.0);

    // Everything down to the diagnostics line, with pictures as they look in the bar.
    model.setPixelPerfectIcons(true);
    mac.desktop().applications().launch({u"com.surteesstudios.Bartender"_s, u"Bartender"_s});
    controller.window()->resize(980, 1180);
    grab(u"settings-layout-bar-look"_s);
}

TEST_P(LayoutPaneRenderingTest, WithoutThePermission) {
    mac.desktop().permissions().setAccessibilityTrusted(false);
    model.setHideZorvIcon(true);
    controller.show();
    settle();
    controller.window()->resize(980, 900);
    grab(u"settings-layout-no-permission"_s);
}

// Before the first scan has found anything.
class EmptyLayoutPaneRenderingTest : public LayoutPaneRenderingTest {
protected:
    EmptyLayoutPaneRenderingTest() : LayoutPaneRenderingTest(QList<MenuBarItem>{}) {}
};

TEST_P(EmptyLayoutPaneRenderingTest, WaitingForItems) {
    controller.show();
    settle();
    EXPECT_TRUE(paneItem()->property("pane").value<LayoutPaneModel *>()->emptyHintShown());
    grab(u"settings-layout-waiting"_s);
}

INSTANTIATE_TEST_SUITE_P(Looks, EmptyLayoutPaneRenderingTest,
                         ::testing::Values(Look{"light", false}, Look{"dark", true}),
                         [](const auto &info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Looks, LayoutPaneRenderingTest,
                         ::testing::Values(Look{"light", false}, Look{"dark", true}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
} // namespace zorv
