// Many reports in one go: a page per report, no page overwriting another, a
// failing file (unreadable, unwritable, without a battle) recorded without
// stopping the rest, and cancelling between files.

#include "writers/BatchConversion.h"
#include "ConvertTestSupport.h"
#include "text/Utf8Text.h"

#include <gtest/gtest.h>

namespace skarnwald::test {
namespace {

const std::filesystem::path kSamples = SKARNWALD_SAMPLES;

TEST(BatchPageNames, SameReportNamesFromDifferentFoldersGetNumbered) {
    const std::vector<std::filesystem::path> inputs{"a/report.txt", "b/report.txt", "c/report", "other.log",
                                                    "d/report-2.txt"};
    const std::vector<std::filesystem::path> expected{
        "out/report.htm", "out/report-2.htm", "out/report-3.htm", "out/other.htm", "out/report-2-2.htm"};
    EXPECT_EQ(BatchPageNames(inputs, "out"), expected);
}

class BatchConversion : public testing::Test {
protected:
    testfiles::TempFolder folder;
    CReportConverter converter;
};

TEST_F(BatchConversion, EachReportBecomesItsPageAndAFailureDoesNotStopTheRest) {
    testfiles::WriteBytes(folder / "prose.txt", "No battle in here.\n");
    const std::vector<std::filesystem::path> inputs{kSamples / "one-battle.txt", folder / "missing.txt",
                                                    kSamples / "several-battles.txt", folder.Path(),
                                                    folder / "prose.txt"};
    const BatchResult result = ConvertReportFiles(converter, inputs, folder.Path());
    ASSERT_EQ(result.items.size(), 5u);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.ConvertedCount(), 2u);
    EXPECT_EQ(result.items[1].failure, BatchFailure::Read);
    EXPECT_FALSE(result.items[1].reason.empty());
    EXPECT_EQ(result.items[3].failure, BatchFailure::Read); // a folder is no report
    EXPECT_GT(result.items[2].battles, 1u);
    EXPECT_EQ(result.items[4].failure, BatchFailure::NoBattle);
    EXPECT_EQ(result.items[4].reason, "Kein Kampf gefunden");
    EXPECT_FALSE(std::filesystem::exists(folder / "prose.htm"));

    // The same page as one conversion of the same report gives, read as UTF-8.
    std::ostringstream single;
    CReportConverter converter;
    ConvertToPage(converter, NormaliseText(FileBytes(kSamples / "one-battle.txt")), single);
    EXPECT_EQ(FileBytes(folder / "one-battle.htm"), single.str());
    EXPECT_FALSE(std::filesystem::exists(folder / "missing.htm"));
}

TEST_F(BatchConversion, UnwritablePageIsRecordedAndCancellingStopsBeforeTheNextFile) {
    const std::vector<std::filesystem::path> inputs{kSamples / "one-battle.txt", kSamples / "own-planet.txt",
                                                    kSamples / "several-battles.txt"};
    const BatchResult unwritable = ConvertReportFiles(converter, inputs, folder / "no-such-folder");
    EXPECT_EQ(unwritable.ConvertedCount(), 0u);
    EXPECT_EQ(unwritable.items[0].failure, BatchFailure::Write);

    std::vector<std::size_t> asked;
    const BatchResult cancelled =
        ConvertReportFiles(converter, inputs, folder.Path(), [&](std::size_t i, auto&) {
            asked.push_back(i);
            return i < 2;
        });
    EXPECT_TRUE(cancelled.cancelled);
    EXPECT_EQ(asked, (std::vector<std::size_t>{0, 1, 2}));
    EXPECT_EQ(cancelled.items.size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(folder / "several-battles.htm"));
}

} // namespace
} // namespace skarnwald::test
