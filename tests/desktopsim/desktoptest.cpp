#include "desktoptest.h"

namespace zorv::testing {

DesktopTest::DesktopTest()
    : desktop(clock, AppDescription{zorvBundle, QStringLiteral("Zorv"), ActivationPolicy::Accessory,
                                    0.0, DragAcceptance::Always}) {}

DisplayId DesktopTest::addLaptop(double housing) {
    ScreenDescription description;
    description.name = QStringLiteral("Built-in Retina Display");
    if (housing > 0.0) {
        description.cameraHousingWidth = housing;
        description.menuBarHeight = 37.0;
    }
    return desktop.arrangement().add(description);
}

qint32 DesktopTest::launch(const QString &bundleId, double menusWidth) {
    AppDescription description;
    description.bundleIdentifier = bundleId;
    description.localizedName = bundleId.section(QLatin1Char('.'), -1);
    description.menusWidth = menusWidth;
    return desktop.applications().launch(description);
}

quint64 DesktopTest::addItem(qint32 processId, double length, const QString &name) {
    ItemDescription description;
    description.length = length;
    description.identifier = name;
    description.glyph = ItemGlyph{ItemGlyph::Shape::Circle, QColor(20, 20, 20)};
    return desktop.items().add(processId, description).value();
}

void DesktopTest::addSystemItems() {
    const qint32 controlCentre = launch(QStringLiteral("com.apple.controlcenter"));
    ItemDescription clockSpec;
    clockSpec.length = 80.0;
    clockSpec.title = QStringLiteral("Mon 9:41");
    clockSpec.immovable = true;
    clockItem = desktop.items().add(controlCentre, clockSpec).value();
    ItemDescription centreSpec;
    centreSpec.glyph = ItemGlyph{ItemGlyph::Shape::Square, QColor(20, 20, 20)};
    centreSpec.immovable = true;
    controlCenter = desktop.items().add(controlCentre, centreSpec).value();
}

QList<quint64> DesktopTest::barOrder(std::optional<DisplayId> display) {
    QList<quint64> ids;
    for (const BarEntry &entry : desktop.readout().bar(display)) {
        ids.append(entry.itemId);
    }
    return ids;
}

BarEntry DesktopTest::entry(quint64 itemId) {
    const auto found = desktop.readout().entry(itemId);
    EXPECT_TRUE(found.has_value()) << "item " << itemId << " is not on the active bar";
    return found.value_or(BarEntry{});
}

} // namespace zorv::testing
