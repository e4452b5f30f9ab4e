#pragma once

#include "lanemodel.h"
#include "settingsfixture.h"

#include <QAbstractItemModelTester>
#include <QColor>
#include <QImage>

#include <memory>

namespace zorv {

// A Mac whose bar holds other apps' items in every lane, with some of the system's own beside
// them, and a lane model per section over it.
class LaneFixture : protected SettingsFixture {
protected:
    static MenuBarItem item(const QString &bundle, const QString &name, Section section, qreal x) {
        return MenuBarItem{
            .id =
                MenuBarItemID{
                    .bundleID = bundle, .axIdentifier = std::nullopt, .title = name, .ordinal = 0},
            .pid = 0,
            .appName = name,
            .frame = QRectF(x, 0, 24, 24),
            .appIcon = std::nullopt,
            .capturedImage = std::nullopt,
            .section = section,
            .isNotchObscured = false,
            .isDormant = false,
            .isUnmovable = false,
        };
    }

    static QImage filled(QSize size, QColor color) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(color);
        return image;
    }

    static QList<MenuBarItem> bar() {
        MenuBarItem alpha =
            item(QStringLiteral("com.example.alpha"), QStringLiteral("Alpha"), Section::shown, 300);
        alpha.capturedImage = filled({44, 36}, Qt::white);
        MenuBarItem beta =
            item(QStringLiteral("com.example.beta"), QStringLiteral("Beta"), Section::shown, 340);
        beta.appIcon = filled({64, 64}, Qt::blue);
        MenuBarItem dormant = item(QStringLiteral("com.example.delta"), QStringLiteral("Delta"),
                                   Section::hidden, 200);
        dormant.isDormant = true;
        dormant.isNotchObscured = true;
        MenuBarItem pinned = item(QStringLiteral("com.example.epsilon"), QStringLiteral("Epsilon"),
                                  Section::hidden, 220);
        pinned.isUnmovable = true;
        return {
            alpha,
            beta,
            item(QStringLiteral("com.example.gamma"), QStringLiteral("Gamma"), Section::shown, 380),
            dormant,
            pinned,
            item(QStringLiteral("com.apple.controlcenter"), QStringLiteral("Wi-Fi"), Section::shown,
                 900),
            item(QStringLiteral("com.apple.Spotlight"), QStringLiteral("Spotlight"), Section::shown,
                 940),
            item(QStringLiteral("com.surteesstudios.Bartender-setapp"), QStringLiteral("Manager"),
                 Section::shown, 960),
            item(QStringLiteral("com.apple.clock"), QStringLiteral("CLOCK"), Section::shown, 980),
            item(QStringLiteral("com.apple.power"), QStringLiteral("MyBatteryMeter"),
                 Section::hidden, 240),
        };
    }

    explicit LaneFixture(const QList<MenuBarItem> &items = bar()) : SettingsFixture(items) {
        // The engine's layout as the bar stands, as the real engine reports it after a scan.
        SectionLayout layout;
        for (const MenuBarItem &each : items) {
            layout.sections[each.section].append(each.id);
        }
        runTask(mac.engine().apply(layout));
        settle();
        for (LaneModel *lane : {&shown, &hidden, &alwaysHidden}) {
            lane->setServices(&services);
            lane->setView(&view);
        }
        hidden.setSection(QStringLiteral("hidden"));
        alwaysHidden.setSection(QStringLiteral("alwaysHidden"));
    }

    // The names a lane lists, in order.
    static QStringList names(const LaneModel &lane) {
        QStringList names;
        for (int row = 0; row < lane.rowCount(); ++row) {
            names.append(lane.data(lane.index(row), LaneModel::NameRole).toString());
        }
        return names;
    }
    static QVariant role(const LaneModel &lane, int row, LaneModel::Roles role) {
        return lane.data(lane.index(row), role);
    }
    // Chips 30 wide, 8 apart, from x = 8, as the lane lays them out.
    static void measure(LaneModel &lane) {
        for (int row = 0; row < lane.rowCount(); ++row) {
            lane.reportFrame(role(lane, row, LaneModel::KeyRole).toString(),
                             QRectF(8 + 38 * row, 13, 30, 26));
        }
    }

    LaneModel shown;
    LaneModel hidden;
    LaneModel alwaysHidden;
    QAbstractItemModelTester shownTester{&shown,
                                         QAbstractItemModelTester::FailureReportingMode::Fatal};
    QAbstractItemModelTester hiddenTester{&hidden,
                                          QAbstractItemModelTester::FailureReportingMode::Fatal};
    QAbstractItemModelTester alwaysHiddenTester{
        &alwaysHidden, QAbstractItemModelTester::FailureReportingMode::Fatal};
};

} // namespace zorv
