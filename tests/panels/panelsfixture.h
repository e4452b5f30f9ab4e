#pragma once

#include "appmodelharness.h"
#include "cloud/simcloud.h"
#include "itemtree.h"
#include "kit/zorvkit.h"
#include "layout/coordinates.h"
#include "manualclock.h"
#include "windows/panelservices.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>

#include <optional>

namespace zorv {

// One simulated laptop (a 1512 × 982 screen with a 24-point menu bar) with a started app model
// over the sample items, a QML engine with the UI kit and the services the panels are made with.
// Points are given in the bottom-left convention unless a name says otherwise.
class PanelsTest : public ::testing::Test {
protected:
    explicit PanelsTest(QList<MenuBarItem> items = MockMenuBarEngine::fixtures())
        : mac(clock, cloud, QStringLiteral("Mac A"), std::move(items)),
          services{engine,
                   mac.desktop().appWindows(),
                   mac.desktop().eventMonitors(),
                   mac.desktop().screens(),
                   clock,
                   [this] { return sampled; },
                   [this] { mac.desktop().application().activate(true); }} {
        ZorvKit::install(engine, mac.desktop().appearance(), clock);
        laptop = mac.desktop().arrangement().add(ScreenDescription{});
        mac.started();
    }

    [[nodiscard]] double primaryTop() {
        return mac.desktop().model().read([](const DesktopState &s) { return s.primaryTop(); });
    }
    // The user moves the mouse to the point.
    void moveTo(QPointF point) {
        mac.desktop().userInput().moveMouse(Coordinates::flipped(point, primaryTop()));
    }
    void clickAt(QPointF point, MouseButton button = MouseButton::Left) {
        mac.desktop().userInput().click(Coordinates::flipped(point, primaryTop()), button);
    }
    void advance(double seconds) {
        clock.advance(zorv::seconds(seconds));
        clock.settle();
    }
    [[nodiscard]] int engineCalls(const QString &line) const {
        return int(mac.fakes.log.count(line));
    }

    // The item named `name` anywhere under the window's content (delegates included).
    static QQuickItem *findItem(QQuickWindow &window, const QString &name) {
        return findUnder(window.contentItem(), name);
    }
    static QQuickItem *findUnder(QQuickItem *item, const QString &name) {
        return zorv::findItem(item, name);
    }

    // Saves the window's picture as screenshots/<name>.png in the suite's folder, once the
    // window has taken in its last resize.
    QImage savePicture(QQuickWindow &window, const QString &name) {
        clock.settle();
        const QImage picture = window.grabWindow();
        QDir().mkpath(QStringLiteral("screenshots"));
        picture.save(QStringLiteral("screenshots/%1.png").arg(name));
        return picture;
    }

    ManualClock clock;
    SimCloud cloud;
    AppModelHarness mac;
    QQmlEngine engine;
    std::optional<QColor> sampled;
    PanelServices services;
    DisplayId laptop = 0;
};

} // namespace zorv
