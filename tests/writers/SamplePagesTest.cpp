// Whole pages of the sample reports against reviewed expected pages.
//
// Every expected page under expected/ was derived by hand from the conversion
// rules (rows cut by the position arithmetic, sides from the pre-pass, slots
// and folds of the tallies, summary sums), not produced by the converter;
// one-battle.htm was the first, worked through cut by cut. The pages are
// byte-exact and UTF-8, also where the reports are Windows-1252 with umlauts.

#include "ConvertTestSupport.h"

#include "text/OperaJoin.h"
#include "text/ReportFiles.h"

#include <gtest/gtest.h>

#include <fstream>

namespace skarnwald::test {
namespace {

const std::filesystem::path kSamples = SKARNWALD_SAMPLES;
const std::filesystem::path kExpected =
    std::filesystem::path(SKARNWALD_TEST_DATA).parent_path() / "writers/expected";

// The report as the file input path reads it: chunks cut at NUL, Opera test.
std::string ReadAsFileInput(const std::string& sample) {
    std::ifstream in(kSamples / sample, std::ios::binary);
    auto text = ReadReport(in);
    EXPECT_TRUE(text.has_value());
    return PrepareCopiedReport(text.value_or(""));
}

class SamplePage : public testing::TestWithParam<std::string> {};

TEST_P(SamplePage, MatchesReviewedPage) {
    const std::string name = GetParam();
    const std::string page = ConvertToPage(ReadAsFileInput(name + ".txt"));
    EXPECT_EQ(page, FileBytes(kExpected / (name + ".htm")));
}

INSTANTIATE_TEST_SUITE_P(Samples, SamplePage,
                         testing::Values("one-battle", "several-battles", "roids-and-salvage", "own-planet",
                                         "opera-copy"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::erase(name, '-');
                             return name;
                         });

TEST(SamplePages, OperaCopyIsJoinedOnlyOnFileInput) {
    const std::string raw = FileBytes(kSamples / "opera-copy.txt");
    ASSERT_TRUE(LooksLikeOperaCopy(raw));
    // Typed text is never joined: cell by cell, no line is a fleet row of its own.
    EXPECT_NE(ConvertToPage(raw), FileBytes(kExpected / "opera-copy.htm"));
    for (const char* sample : {"one-battle.txt", "several-battles.txt", "own-planet.txt"})
        EXPECT_FALSE(LooksLikeOperaCopy(FileBytes(kSamples / sample))) << sample;
}

TEST(SamplePages, OwnPlanetFeedsThePersonalRecord) {
    CReportConverter converter;
    RecordingStore store;
    converter.ownCoords = "8.8.1";
    CStoringWriter storing(store, {0, 1, converter.ownCoords});
    converter.AddWriter(&storing);
    const std::string page = ConvertToPage(converter, ReadAsFileInput("own-planet.txt"));
    // The settings change what is recorded, never the page.
    EXPECT_EQ(page, FileBytes(kExpected / "own-planet.htm"));
    // 20 roids taken at the own planet in the first battle, 9 won by the own
    // coordinates in the second; losses over both battles, the 65 ships that
    // came back from the first counted once.
    EXPECT_EQ(store.calls,
              (std::vector<std::string>{"Begin", "Asteroids|9|20",
                                        "Personal|0,0,30,0,0,0,0|0,0,0,0,0,16,0|0,0,0,0,0,4,0", "End"}));
}

} // namespace
} // namespace skarnwald::test
