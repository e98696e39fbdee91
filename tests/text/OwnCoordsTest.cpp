// Own coordinates are read in the forms the game writes and refused otherwise.

#include "text/OwnCoords.h"

#include <gtest/gtest.h>

namespace skarnwald {
namespace {

TEST(OwnCoordsTest, GameFormsAreReadAndEverythingElseRefused) {
    const struct {
        const char* typed;
        const char* read; // nullptr: refused
    } cases[] = {
        {"7.2.5", "7.2.5"},    {"7. 2. 5", "7.2.5"},     {"[7.2.5]", "7.2.5"}, {" [ 11.7.8 ] \n", "11.7.8"},
        {"07.002.5", "7.2.5"}, {"9999.0.1", "9999.0.1"}, {"[7.2.5", "7.2.5"},  {"7\t.2.5", "7.2.5"},
        {"", nullptr},         {"7.2.", nullptr},        {"7.2", nullptr},     {"7..5", nullptr},
        {"7.2.5.1", nullptr},  {"12345.1.1", nullptr},   {"a.b.c", nullptr},   {"7,2,5", nullptr},
        {"7.2.5x", nullptr},   {"7.2'.5", nullptr},      {"-7.2.5", nullptr},  {"[7.2.5]]", nullptr},
        {"7 2 5", nullptr},
    };
    for (const auto& test : cases) {
        const std::optional<std::string> read = ReadOwnCoordsText(test.typed);
        if (test.read)
            EXPECT_EQ(read, std::optional<std::string>(test.read)) << test.typed;
        else
            EXPECT_FALSE(read) << test.typed << " read as " << read.value_or("");
    }
}

} // namespace
} // namespace skarnwald
