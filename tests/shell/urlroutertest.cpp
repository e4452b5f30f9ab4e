#include "shellfixture.h"

using namespace Qt::StringLiterals;

namespace zorv {
namespace {

struct UrlCase {
    const char *name;
    QString url;
    bool opens;
    std::optional<QString> pane;
};

void PrintTo(const UrlCase &c, std::ostream *out) {
    *out << c.name;
}

class UrlRouteTest : public ShellTest, public ::testing::WithParamInterface<UrlCase> {};

TEST_P(UrlRouteTest, OpensSettingsOnThePaneTheUrlNames) {
    const UrlCase &c = GetParam();
    store(settled());
    launched();
    harness.model().setPendingSettingsPane(u"profiles"_s);
    calls.clear();

    harness.desktop().application().userOpensUrls({QUrl(c.url)});

    EXPECT_EQ(calls, c.opens ? QStringList{u"settings(-)"_s} : QStringList{});
    EXPECT_EQ(harness.model().pendingSettingsPane(),
              c.opens ? c.pane : std::optional<QString>(u"profiles"_s));
}

INSTANTIATE_TEST_SUITE_P(
    Urls, UrlRouteTest,
    ::testing::Values(
        UrlCase{"StyleAlias", u"zorv://settings/menu-bar-style"_s, true, u"appearance"_s},
        UrlCase{"UpperCaseLayout", u"ZORV://SETTINGS/Layout"_s, true, u"arrange"_s},
        UrlCase{"ShortStyle", u"zorv://settings/style"_s, true, u"appearance"_s},
        UrlCase{"MenuBarLayout", u"zorv://settings/menu-bar-layout"_s, true, u"arrange"_s},
        UrlCase{"PlainPane", u"zorv://settings/search"_s, true, u"search"_s},
        UrlCase{"UnknownWordPassesOn", u"zorv://settings/Nonsense"_s, true, u"nonsense"_s},
        UrlCase{"NoPane", u"zorv://settings"_s, true, std::nullopt},
        UrlCase{"TrailingSlash", u"zorv://settings/"_s, true, std::nullopt},
        UrlCase{"OtherHost", u"zorv://other/x"_s, false, std::nullopt},
        UrlCase{"OtherScheme", u"https://settings/general"_s, false, std::nullopt},
        UrlCase{"NoHost", u"zorv:settings"_s, false, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ShellTest, EveryUrlOfARequestIsOpenedInOrder) {
    store(settled());
    launched();
    calls.clear();
    harness.desktop().application().userOpensUrls({QUrl(u"zorv://settings/style"_s),
                                                   QUrl(u"mailto:x@y"_s),
                                                   QUrl(u"zorv://settings/layout"_s)});
    EXPECT_EQ(calls, (QStringList{u"settings(-)"_s, u"settings(-)"_s}));
    EXPECT_EQ(harness.model().pendingSettingsPane(), u"arrange"_s);
}

} // namespace
} // namespace zorv
