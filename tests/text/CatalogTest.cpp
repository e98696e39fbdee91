#include "text/Catalog.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace skarnwald {
namespace {

const CCatalog kCatalog = CCatalog::Parse(R"({
    "greeting": "Hallo {name}, {name}!",
    "battles_one": "{count} Kampf bei {place}",
    "battles_other": "{count} Kämpfe bei {place}",
    "ships_few": "{count} statki",
    "ships_other": "{count} statków"
})",
                                          "test");

TEST(CatalogTest, TextsFillTheirValuesAndPickTheirPluralForm) {
    struct Case {
        std::string actual;
        std::string_view expected;
    };
    CCatalog polish = kCatalog;
    polish.SetPluralRule([](std::int64_t n) { return n % 10 >= 2 && n % 10 <= 4 ? "few" : "many"; });
    const Case cases[] = {
        {kCatalog.Format("greeting", {{"name", "Ödön"}}), "Hallo Ödön, Ödön!"},
        {kCatalog.Format("greeting", {}), "Hallo {name}, {name}!"},
        {std::string(kCatalog.Text("missing.id")), "missing.id"},
        {kCatalog.Plural("battles", 1, {{"place", "7.2.5"}}), "1 Kampf bei 7.2.5"},
        {kCatalog.Plural("battles", 0, {{"place", "7.2.5"}}), "0 Kämpfe bei 7.2.5"},
        {kCatalog.Plural("battles", 21, {{"place", "{count}"}}), "21 Kämpfe bei {count}"},
        // A category the catalog lacks falls back to "other".
        {polish.Plural("ships", 3), "3 statki"},
        {polish.Plural("ships", 5), "5 statków"},
        {FillIn("{a}{b} {", {{"a", "1"}, {"b", "}"}}), "1} {"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected);
}

TEST(CatalogTest, BrokenCatalogsAreRefused) {
    for (std::string_view json : {"", "[]", R"({"a": 1})", R"({"a": "x")"})
        EXPECT_THROW(CCatalog::Parse(json, "x"), std::runtime_error) << json;
}

TEST(CatalogTest, LanguageTagsNameTheBuiltInLanguages) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"de_DE.UTF-8", "de"}, {"de-AT", "de"}, {"DE", "de"},  {"de@euro", "de"},
        {"en_US.UTF-8", "en"}, {"C", ""},       {"POSIX", ""}, {"", ""},
        {"tr_TR.UTF-8", ""},   {"deu", ""},
    };
    for (const auto& [tag, language] : cases)
        EXPECT_EQ(MatchCoreLanguage(tag), language) << tag;
}

TEST(CatalogTest, TheCoreSpeaksGermanUntilAProgramChooses) {
    EXPECT_EQ(CoreTexts().Language(), "de");
    EXPECT_EQ(SetCoreLanguage("tr_TR.UTF-8"), "en");
    EXPECT_EQ(CoreTexts().Language(), "en");
    EXPECT_EQ(SetCoreLanguage("de_CH"), "de");
}

} // namespace
} // namespace skarnwald
