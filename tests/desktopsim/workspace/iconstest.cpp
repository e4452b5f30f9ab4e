#include "workspace/applicationicon.h"
#include "workspace/genericicons.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

TEST(GenericIconsTest, TypesMapToTheirPlaceholders) {
    const GenericIcons icons;
    const struct {
        QString type;
        QImage expected;
    } cases[] = {
        {u"public.item"_s, icons.document()},
        {u"public.data"_s, icons.document()},
        {u"public.plain-text"_s, icons.document()},
        {u"com.apple.application-bundle"_s, icons.application()},
        {u"com.apple.application"_s, icons.application()},
        {u"public.folder"_s, icons.folder()},
    };
    for (const auto &[type, expected] : cases) {
        EXPECT_EQ(icons.forType(type), expected) << type.toStdString();
    }
}

// Placeholders are recognised by comparing pictures, so two separately built sets must agree
// pixel for pixel, and the three pictures must differ from each other and from real icons.
TEST(GenericIconsTest, PlaceholdersAreReproducibleAndDistinct) {
    const GenericIcons first;
    const GenericIcons second;
    EXPECT_EQ(first.document(), second.document());
    EXPECT_EQ(first.application(), second.application());
    EXPECT_EQ(first.folder(), second.folder());
    EXPECT_NE(first.document(), first.application());
    EXPECT_NE(first.document(), first.folder());
    EXPECT_NE(first.application(), first.folder());

    const QImage own = ApplicationIcon{QColor(140, 146, 156), QString()}.render();
    EXPECT_EQ(own.size(), first.application().size());
    EXPECT_NE(own, first.application());
    EXPECT_NE(ApplicationIcon({Qt::red, u"A"_s}).render(),
              ApplicationIcon({Qt::blue, u"A"_s}).render());
}

} // namespace
} // namespace zorv
