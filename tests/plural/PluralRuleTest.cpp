// The plural categories ICU gives the catalogs, in languages whose rules go
// beyond "one" and "other" too, and for counts beyond 32 bits.

#include "plural/PluralRule.h"

#include <gtest/gtest.h>

namespace skarnwald {
namespace {

TEST(IcuPluralRule, NamesTheCategoryOfEveryCountInTheLanguageOfTheTag) {
    struct Case {
        const char* tag;
        std::int64_t count;
        const char* category;
    };
    for (const Case& c :
         {Case{"de", 1, "one"}, Case{"de", 0, "other"}, Case{"de_AT.UTF-8", 2, "other"},
          Case{"en-US", 1, "one"}, Case{"en", 21, "other"}, Case{"fr", 0, "one"}, Case{"pl", 22, "few"},
          Case{"pl", 25, "many"}, Case{"ru", 21, "one"}, Case{"ar", 0, "zero"}, Case{"ar", 2, "two"},
          Case{"pl", 5'000'000'002, "few"}, Case{"pl", -3, "few"}}) {
        const PluralRule rule = IcuPluralRule(c.tag);
        ASSERT_TRUE(rule) << c.tag;
        EXPECT_EQ(rule(c.count), c.category) << c.tag << " " << c.count;
    }
}

} // namespace
} // namespace skarnwald
