// The sample reports beyond their reviewed outputs (tests/cases): how they are
// read as a file rather than as typed text, and what they feed the record.

#include "ConvertTestSupport.h"

#include "text/OperaJoin.h"
#include "text/ReportFiles.h"

#include <gtest/gtest.h>

#include <fstream>

namespace skarnwald::test {
namespace {

const std::filesystem::path kSamples = SKARNWALD_SAMPLES;
const std::filesystem::path kCases = std::filesystem::path(SKARNWALD_TEST_DATA).parent_path() / "cases";

// The report as the file input path reads it: chunks cut at NUL, Opera test.
std::string ReadAsFileInput(const std::string& sample) {
    std::ifstream in(kSamples / sample, std::ios::binary);
    auto text = ReadReport(in);
    EXPECT_TRUE(text.has_value());
    return PrepareCopiedReport(text.value_or(""));
}

TEST(SamplePages, OperaCopyIsJoinedOnlyOnFileInput) {
    const std::string raw = FileBytes(kSamples / "opera-copy.txt");
    ASSERT_TRUE(LooksLikeOperaCopy(raw));
    // Typed text is never joined: cell by cell, no line is a fleet row of its own.
    EXPECT_NE(ConvertToPage(raw), FileBytes(kCases / "opera-copy/page.htm"));
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
    EXPECT_EQ(page, FileBytes(kCases / "own-planet/page.htm"));
    // 20 roids taken at the own planet in the first battle, 9 won by the own
    // coordinates in the second; losses over both battles, the 65 ships that
    // came back from the first counted once.
    EXPECT_EQ(store.calls,
              (std::vector<std::string>{"Begin", "Asteroids|9|20",
                                        "Personal|0,0,30,0,0,0,0|0,0,0,0,0,16,0|0,0,0,0,0,4,0", "End"}));
}

} // namespace
} // namespace skarnwald::test
