#include "desktoptest.h"

namespace zorv::testing {

DesktopTest::DesktopTest()
    : desktop(clock, AppSpec{zorvBundle, QStringLiteral("Zorv"), ActivationPolicy::Accessory, 0.0,
                             DragAcceptance::Always}) {}

DisplayId DesktopTest::addLaptop(double housing) {
    ScreenSpec spec;
    spec.name = QStringLiteral("Built-in Retina Display");
    if (housing > 0.0) {
        spec.cameraHousingWidth = housing;
        spec.menuBarHeight = 37.0;
    }
    return desktop.arrangement().add(spec);
}

qint32 DesktopTest::launch(const QString &bundleId, double menusWidth) {
    AppSpec spec;
    spec.bundleIdentifier = bundleId;
    spec.localizedName = bundleId.section(QLatin1Char('.'), -1);
    spec.menusWidth = menusWidth;
    return desktop.applications().launch(spec);
}

quint64 DesktopTest::addItem(qint32 processId, double length, const QString &name) {
    ItemSpec spec;
    spec.length = length;
    spec.identifier = name;
    spec.glyph = ItemGlyph{ItemGlyph::Shape::Circle, QColor(20, 20, 20)};
    return desktop.items().add(processId, spec).value();
}

void DesktopTest::addSystemItems() {
    const qint32 controlCentre = launch(QStringLiteral("com.apple.controlcenter"));
    ItemSpec clockSpec;
    clockSpec.length = 80.0;
    clockSpec.title = QStringLiteral("Mon 9:41");
    clockSpec.immovable = true;
    clockItem = desktop.items().add(controlCentre, clockSpec).value();
    ItemSpec centreSpec;
    centreSpec.glyph = ItemGlyph{ItemGlyph::Shape::Square, QColor(20, 20, 20)};
    centreSpec.immovable = true;
    controlCenter = desktop.items().add(controlCentre, centreSpec).value();
}

QList<quint64> DesktopTest::barOrder(std::optional<DisplayId> display) {
    QList<quint64> ids;
    for (const BarEntry &entry : desktop.inspector().bar(display)) {
        ids.append(entry.itemId);
    }
    return ids;
}

BarEntry DesktopTest::entry(quint64 itemId) {
    const auto found = desktop.inspector().entry(itemId);
    EXPECT_TRUE(found.has_value()) << "item " << itemId << " is not on the active bar";
    return found.value_or(BarEntry{});
}

} // namespace zorv::testing
