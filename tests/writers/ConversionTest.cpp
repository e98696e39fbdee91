// One conversion's single walk gives the same bytes as a walk per output,
// under every combination of the hide switches: the page whether kept or
// streamed, the report text (a walk of its own when coordinates are
// numbered) and the file name; a large page comes with its preview cut.

#include "ConvertTestSupport.h"
#include "GeneratedReport.h"

#include "text/Utf8Text.h"
#include "writers/Conversion.h"
#include "writers/ReportTextWriter.h"

#include <gtest/gtest.h>

namespace skarnwald::test {
namespace {

TEST(Conversion, OneWalkGivesWhatAWalkPerOutputGives) {
    const std::string reports[] = {
        NormaliseText(FileBytes(std::filesystem::path(SKARNWALD_SAMPLES) / "several-battles.txt")),
        skarnwald::testing::GenerateReport(3000)};
    for (const std::string& report : reports)
        for (int switches = 0; switches < 8; ++switches) {
            const Redaction redaction{(switches & 1) != 0, (switches & 2) != 0, (switches & 4) != 0};
            const std::string own = "1.1.1";
            ConversionOptions options{.redaction = redaction, .ownCoords = own};
            options.outputs = ConversionOutputs::ShareTexts(true);
            options.outputs.preview = options.outputs.reportText = true;
            const ConversionResult kept = Convert(report, options);
            std::ostringstream streamed;
            options.pageOut = &streamed;
            const ConversionResult written = Convert(report, options);
            const std::string context = std::to_string(switches);

            CReportConverter converter;
            converter.redaction = redaction;
            converter.ownCoords = own;
            CFirstBattleWriter first;
            converter.AddWriter(&first);
            EXPECT_EQ(kept.page, ConvertToPage(converter, report)) << context;
            EXPECT_EQ(streamed.str(), kept.page) << context;
            EXPECT_TRUE(written.page.empty() && written.preview.empty()) << context;
            EXPECT_EQ(kept.reportText, WriteReportText(report, redaction, own)) << context;
            EXPECT_EQ(kept.fileName, first.SuggestedPageFileName()) << context;
            EXPECT_EQ(kept.battles, converter.BattlesInLastReport()) << context;
            EXPECT_EQ(kept.preview.empty(), kept.page.size() <= 96 * 1024) << context;
        }
}

} // namespace
} // namespace skarnwald::test
