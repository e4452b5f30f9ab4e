#include "modelviewfixture.h"

#include <gtest/gtest.h>

#include <QQmlComponent>
#include <QQmlEngine>

#include <memory>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

// What a pane written in QML does with the view: binds its values, makes its own lane, and
// writes a setting and one field of the look.
const QByteArray pane = R"(
import QtQml
import Zorv.Model

QtObject {
    id: root

    required property ModelView view
    property ItemListModel lane: ItemListModel { view: root.view; section: "hidden" }
    readonly property int laneCount: root.lane.count
    readonly property bool saved: !isNaN(root.view.lastSavedAt.getTime())
    readonly property real tintOpacity: root.view.appearance.tintOpacity
    readonly property bool hover: root.view.settings.revealOnHover
    readonly property var spacing: root.view.settings.iconSpacing

    function change() {
        root.view.settings.revealOnHover = true
        root.view.appearance.tintOpacity = 0.5
        root.view.settings.iconSpacing = 12
    }
}
)";

class QmlModelTest : public ::testing::Test, protected ModelViewFixture {};

TEST_F(QmlModelTest, APaneBindsAndWritesThroughTheView) {
    QQmlEngine engine;
    QQmlComponent component(&engine);
    component.setData(pane, QUrl(u"qrc:/test/Pane.qml"_s));
    ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
    std::unique_ptr<QObject> object(
        component.createWithInitialProperties({{u"view"_s, QVariant::fromValue(&view)}}));
    ASSERT_NE(object, nullptr) << component.errorString().toStdString();

    EXPECT_EQ(object->property("laneCount").toInt(), 2);
    EXPECT_FALSE(object->property("saved").toBool());
    EXPECT_FALSE(object->property("hover").toBool());
    EXPECT_TRUE(object->property("spacing").isNull());

    QMetaObject::invokeMethod(object.get(), "change");
    EXPECT_TRUE(model.settings().revealOnHover);
    EXPECT_EQ(model.settings().appearance.tintOpacity, 0.5);
    EXPECT_EQ(model.settings().iconSpacing, 12);
    EXPECT_TRUE(object->property("saved").toBool());
    EXPECT_TRUE(object->property("hover").toBool());
    EXPECT_EQ(object->property("tintOpacity").toDouble(), 0.5);
    EXPECT_EQ(object->property("spacing").toDouble(), 12.0);

    // The lane follows the model.
    model.move(model.itemsIn(Section::shown).front().id, Section::hidden);
    clock.settle();
    EXPECT_EQ(object->property("laneCount").toInt(), 3);
}

} // namespace
} // namespace zorv
