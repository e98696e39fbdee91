// The walk over a whole report: how lines are cut and classified, how sides
// spread across battles, and the order of the calls into the store.

#include "ConvertTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace skarnwald::test {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::Not;

// The converted rows: the page without its frame and summary.
std::string Rows(std::string_view report) {
    const std::string page = ConvertToPage(report);
    const std::size_t start = page.find("border='0'>") + 11;
    return page.substr(start, page.find("</table></font></body></html>") - start);
}

std::string KindOfRow(std::string_view line) {
    const std::string rows = Rows(line);
    const std::pair<const char*, const char*> kinds[] = {
        {"<tr><td colSpan='10'>&nbsp;</td></tr>", "header"},
        {"BACKGROUND-COLOR: #4d4d4d'><td align='middle' width='75'>", "fleet"},
        {"<tr style='color: white; background-color: #000000'><font color='#00ff00'>", "hit"},
        {"<font color='yellow' size='2'>causes", "causes"},
        {"<font color='yellow' size='2'>attempt", "attempt"},
        {"SALVAGE-END-REPORT :</font>", "salvage"},
        {"Roid-Capture :</font>", "roid"}};
    for (const auto& [marker, kind] : kinds)
        if (rows.find(marker) != std::string::npos)
            return kind;
    return rows.empty() ? "skipped" : "unknown";
}

TEST(ConversionDriver, ClassifiesEachLineByTheFirstMatchingMarker) {
    EXPECT_EQ(KindOfRow("x Battle at [1.1.1] Agility destroyed"), "header");
    EXPECT_EQ(KindOfRow("Battle at [1.1.1] Agility"), "fleet"); // "Battle at" at position 0 is no header
    EXPECT_EQ(KindOfRow("Battle at [1.1.1] Ort"), "skipped");
    EXPECT_EQ(KindOfRow("Agility 1 [1/1] Fighter (a) from 1.1.1 destroyed"), "fleet");
    EXPECT_EQ(KindOfRow("S causes x lamed [1/1] y"), "hit");
    EXPECT_EQ(KindOfRow("S causes 5 Damage attempt"), "causes");
    EXPECT_EQ(KindOfRow("S attempt 5 ships"), "attempt");
    EXPECT_EQ(KindOfRow("lamed [1/1] Fighter (a) from 1.1.1 T"), "skipped"); // "lamed" at position 0
    EXPECT_EQ(KindOfRow("SALVAGE-END-REPORT x lamed"), "hit");
    EXPECT_EQ(KindOfRow("Roid-Capture : SALVAGE-END-REPORT"), "salvage");
    EXPECT_EQ(KindOfRow("Roid-Capture : [1.1.1] has captured 3 Roids"), "roid");
    EXPECT_EQ(KindOfRow("Roid-Capture: [1.1.1] has captured 3 Roids"),
              "skipped"); // no blank before the colon
    EXPECT_EQ(KindOfRow("Nothing to see here"), "skipped");
}

TEST(ConversionDriver, APhysicalLineShorterThanFiveBytesJoinsTheNext) {
    // The line feed is searched from the sixth byte on.
    EXPECT_THAT(Rows("Uhr\nAgility 1 [2/2] Shuttle (s) from 1.1.1 Bob"),
                HasSubstr("<font size='2'>Uhr\nAgility 1</font>"));
    EXPECT_THAT(Rows("1234\nAgility 1 [2/2] Shuttle (s) from 1.1.1 Bob"),
                HasSubstr("<font size='2'>1234\nAgility 1</font>"));
    EXPECT_THAT(Rows("12345\nAgility 1 [2/2] Shuttle (s) from 1.1.1 Bob"),
                HasSubstr("<font size='2'>Agility 1</font>"));
    // After the trim the next line starts at its first non-blank byte.
    EXPECT_THAT(Rows("12345 \r\n \t ab\nAgility 1 [2/2] Shuttle (s) from 1.1.1 Bob"),
                HasSubstr("<font size='2'>ab\nAgility 1</font>"));
}

TEST(ConversionDriver, InputOfFiveBytesOrLessConvertsToTheBareFrame) {
    const std::string empty = ConvertToPage("");
    EXPECT_TRUE(empty.starts_with("<html><head><meta charset='utf-8'></head><body bgcolor='#000000'><font "
                                  "color='#00ff00'><table cellSpacing='0' "
                                  "cellPadding='1' align='center' border='0'></table></font></body></html>"
                                  "<p></p><p></p><p></p><p></p><table"));
    EXPECT_EQ(ConvertToPage(" \r\n lamed \n\n"), empty);
    EXPECT_NE(ConvertToPage("x lamed"), empty);
}

TEST(ConversionDriver, LineEndingsMixedInOneReportCutTheSameLines) {
    const std::string lf = "a Battle at [1.1.1] P\nAgility 1 [5/5] Fighter (b) from 1.1.1 Bea\n"
                           "Fighter (b) destroyed [1/5] Fighter (b) from 2.2.2 Tom\n";
    std::string mixed = lf;
    mixed.replace(mixed.find('\n'), 1, "\r\n");
    mixed.replace(mixed.rfind('\n'), 1, "\r\r\n\r\n");
    EXPECT_EQ(ConvertToPage(mixed), ConvertToPage(lf));
}

TEST(ConversionDriver, SidesKeepTheirFirstEntryAcrossBattles) {
    // Tom attacks in the first battle and stays red at his own planet in the
    // second; Cid, unknown until he hits Tom, is a defender from the first
    // pre-pass on.
    EXPECT_THAT(FleetRowColours(ConvertToPage("a Battle at [1.1.1] P\n"
                                              "Agility 1 [5/5] Fighter (b) from 2.2.2 Tom\n"
                                              "Fighter (b) destroyed [1/5] Fighter (b) from 1.1.1 Bea\n"
                                              "a Battle at [2.2.2] Q\n"
                                              "Agility 1 [4/4] Fighter (b) from 2.2.2 Tom\n"
                                              "Agility 1 [3/3] Fighter (b) from 3.3.3 Cid\n"
                                              "Fighter (b) destroyed [1/4] Fighter (b) from 2.2.2 Tom\n")),
                ElementsAre("#ff0000", "#ff0000", "#00ff00"));
    // A target known as attacker is re-marked as defender when an attacker hits it.
    // Roid captures before the first header are outside every pre-pass.
    EXPECT_THAT(FleetRowColours(ConvertToPage("Roid-Capture : [4.4.4] Ida has captured 1 Roids\n"
                                              "a Battle at [1.1.1] P\n"
                                              "Agility 1 [3/3] Fighter (b) from 3.3.3 Cid\n"
                                              "Agility 1 [5/5] Fighter (b) from 2.2.2 Tom\n"
                                              "Fighter (b) destroyed [1/3] Fighter (b) from 3.3.3 Cid\n"
                                              "Agility 1 [5/5] Fighter (b) from 4.4.4 Ida\n"
                                              "Roid-Capture : [3.3.3] Cid has captured 1 Roids\n"
                                              "Roid-Capture : [2.2.2] Tom has captured 1 Roids\n")),
                ElementsAre("#00ff00", "#ff0000", "#0000FF"));
}

TEST(ConversionDriver, HitBeforeAnyFleetLineIsCreditedToTheLastFleetOfThePrepass) {
    CReportConverter converter;
    RecordingStore store;
    CStoringWriter storing(store, {1, 0, converter.ownCoords});
    converter.AddWriter(&storing);
    ConvertToPage(converter, "a Battle at [1.1.1] P\n"
                             "S (a) destroyed [1/5] Fighter (b) from 2.2.2 Tom\n"
                             "Agility 1 [5/5] Fighter (b) from 7.7.7 Last\n");
    // The pre-pass ran to the end and left the last fleet line as current.
    EXPECT_THAT(store.CallsStartingWith("Combat"),
                ElementsAre("Combat|S (a)|destroyed|1| Fighter |(b)|2.2.2|7.7.7| Tom"));
    EXPECT_THAT(store.CallsStartingWith("Stat|1|7.7.7|Destroyed"),
                ElementsAre("Stat|1|7.7.7|Destroyed|3|0,1,0,0,0,0,0"));
    EXPECT_EQ(ConverterInternals::currentFleetName(converter), "Last");
}

TEST(ConversionDriver, RoidCapturesSeedAttackersBeforeTheBattlePlanet) {
    // The own planet's fleet captured roids later in the report: its planet
    // is an attacker for the whole conversion, its own battle included.
    const std::string rows = Rows("a Battle at [8.8.1] Heim\n"
                                  "Agility 1 [5/5] Fighter (b) from 8.8.1 Wenzel\n"
                                  "b Battle at [1.9.4] Fremd\n"
                                  "Roid-Capture : [ 8. 8. 1] Wenzel has captured 9 Roids\n"
                                  "Agility 1 [5/5] Fighter (b) from 5.5.5 Ohne\n");
    EXPECT_THAT(
        rows, HasSubstr("<tr style='COLOR: #ff0000; BACKGROUND-COLOR: #4d4d4d'><td align='middle' "
                        "width='75'><font size='2'>Agility 1</font></td><td align='middle' width='60'>&nbsp;"
                        "</td><td width='75'>&nbsp;</td><td align='middle' width='80'><font size='2'>[5/5]"));
    EXPECT_THAT(rows, HasSubstr("<tr style='COLOR: #0000FF"));
    EXPECT_THAT(rows, Not(HasSubstr("<tr style='COLOR: #00ff00")));
}

const char* const kTwoBattles = "1.1.2026 Uhr Battle at [1.1.1] Erste\n"
                                "Agility 1 [10/10] Fighter (f) from 1.1.1 Bea\n"
                                "Fighter (f) destroyed [4/20] Corvette (c) from 2.2.2 Al\n"
                                "Agility 2 [20/20] Corvette (c) from 2.2.2 Al\n"
                                "2.1.2026 Uhr Battle at [2.2.2] Zweite\n"
                                "Agility 2 [16/16] Corvette (c) from 2.2.2 Al\n"
                                "Corvette (c) lamed [3/10] Fighter (f) from 1.1.1 Bea\n"
                                "Roid-Capture : [2.2.2] Al has captured 5 Roids\n";

class StoreCalls : public testing::Test {
protected:
    std::vector<std::string> Convert(std::int32_t storeInDb, std::int32_t personalStats) {
        CReportConverter converter;
        RecordingStore store;
        converter.ownCoords = "2.2.2";
        CStoringWriter storing(store, {storeInDb, personalStats, converter.ownCoords});
        converter.AddWriter(&storing);
        ConvertToPage(converter, kTwoBattles);
        return store.calls;
    }
};

std::vector<std::string> StatRows(int battle, const char* coords, const char* verlust, const char* gesamt,
                                  const char* rest, const char* lamed, const char* destroyed) {
    const std::string prefix = Join({"Stat|", std::to_string(battle), "|", coords, "|"});
    return {prefix + "Verlust|4|" + verlust, prefix + "Gesamt|1|" + gesamt, prefix + "Rest|5|" + rest,
            prefix + "Lamed|2|" + lamed, prefix + "Destroyed|3|" + destroyed};
}

TEST_F(StoreCalls, StoringFollowsTheLinesAndBattles) {
    const char* zero = "0,0,0,0,0,0,0";
    std::vector<std::string> expected = {"Begin", "Battle|2026-01-01 00:00:00|1.1.1|Erste",
                                         "Fleet|Agility 1|[10/10]| Fighter |(f)|1.1.1| Bea|1",
                                         "Combat|Fighter (f)|destroyed|4| Corvette |(c)|2.2.2|1.1.1| Al",
                                         "Fleet|Agility 2|[20/20]| Corvette |(c)|2.2.2| Al|0"};
    // At the second header, before the fold: the first battle's rows, fleets in name order.
    for (const auto& rows :
         {StatRows(1, "2.2.2", "0,0,0,4,0,0,0", "0,0,0,20,0,0,0", "0,0,0,16,0,0,0", zero, zero),
          StatRows(1, "1.1.1", zero, "0,10,0,0,0,0,0", "0,10,0,0,0,0,0", zero, "0,0,0,4,0,0,0")})
        expected.insert(expected.end(), rows.begin(), rows.end());
    expected.insert(expected.end(), {"Battle|2026-01-02 00:00:00|2.2.2|Zweite",
                                     "Fleet|Agility 2|[16/16]| Corvette |(c)|2.2.2| Al|0",
                                     "Combat|Corvette (c)|lamed|3| Fighter |(f)|1.1.1|2.2.2| Bea"});
    // After the walk: the second battle's; Bea's lamed stack took its size as start.
    for (const auto& rows :
         {StatRows(2, "2.2.2", zero, "0,0,0,16,0,0,0", "0,0,0,16,0,0,0", "0,3,0,0,0,0,0", zero),
          StatRows(2, "1.1.1", zero, "0,10,0,0,0,0,0", "0,10,0,0,0,0,0", zero, "0,0,0,4,0,0,0")})
        expected.insert(expected.end(), rows.begin(), rows.end());
    expected.insert(expected.end(), {"Asteroids|0|0", "End"});
    EXPECT_EQ(Convert(1, 0), expected);
}

TEST_F(StoreCalls, NothingIsStoredUnlessStoringIsExactlyOne) {
    for (std::int32_t setting : {0, 2, -1})
        EXPECT_THAT(Convert(setting, 0), ElementsAre("Begin", "Asteroids|0|0", "End")) << setting;
}

TEST_F(StoreCalls, PersonalStatisticsAddTheRoidsAndTheOwnFleet) {
    // Al at 2.2.2 captured 5 roids at his own planet: won and lost at once.
    // His 16 Corvettes in the second battle are the 20 of the first less 4.
    EXPECT_THAT(Convert(0, 1), ElementsAre("Begin", "Asteroids|5|5",
                                           "Personal|0,0,0,4,0,0,0|0,0,0,0,0,0,0|0,3,0,0,0,0,0", "End"));
    const std::vector<std::string> both = Convert(1, 1);
    EXPECT_THAT(std::vector<std::string>(both.end() - 3, both.end()),
                ElementsAre("Asteroids|5|5", "Personal|0,0,0,4,0,0,0|0,0,0,0,0,0,0|0,3,0,0,0,0,0", "End"));
}

class RecordingProgress : public IProgress, public INotifier {
public:
    int upper = -1, lastPos = -1, moves = 0;
    std::vector<std::string> messages;
    void SetRange(int lower, int to) override { upper = lower == 0 ? to : -2; }
    void SetPos(int pos) override { lastPos = pos, ++moves; }
    void ShowMessage(std::string_view text) override { messages.emplace_back(text); }
};

TEST(ConversionDriver, ReportsProgressInHundredsOfBytesAndEndsWithFertig) {
    CReportConverter converter;
    RecordingProgress progress;
    converter.SetProgress(&progress);
    converter.SetNotifier(&progress);
    std::string report = "  \n";
    for (int i = 0; i < 40; ++i)
        report += "Agility 1 [2/2] Shuttle (s) from 1.1.1 Bob\n"; // 43 bytes each
    ConvertToPage(converter, report);
    EXPECT_EQ(progress.upper, (40 * 43 - 1) / 100);
    EXPECT_EQ(progress.lastPos, progress.upper);
    EXPECT_EQ(progress.moves, 41);
    EXPECT_THAT(progress.messages, ElementsAre("Fertig"));
}

TEST(ConversionDriver, LengthOfTheRestIsTestedBeforeItsLineBreakIsTrimmed) {
    // Every cut line moves the progress bar once, and the end once more.
    const auto linesCut = [](const std::string& report) {
        CReportConverter converter;
        RecordingProgress progress;
        converter.SetProgress(&progress);
        ConvertToPage(converter, report);
        return progress.moves - 1;
    };
    const std::string fleet = "Agility 1 [2/2] Shuttle (s) from 1.1.1 Bob";
    EXPECT_EQ(linesCut(fleet + "\r\nabcd"), 2);
    EXPECT_EQ(linesCut(fleet + "\r\nabc"), 1);
    EXPECT_EQ(linesCut(fleet + "\nabcde"), 2);
    EXPECT_EQ(linesCut(fleet + "\nabcd"), 1);
}

TEST(ConversionDriver, EachConversionStartsWithEmptySidesAndTallies) {
    CReportConverter converter;
    ConvertToPage(converter, "a Battle at [2.2.2] P\nAgility 1 [5/5] Fighter (b) from 2.2.2 Tom\n");
    EXPECT_TRUE(ConverterInternals::sideList(converter).empty());
    EXPECT_TRUE(ConverterInternals::tallyTree(converter).empty());
    const std::string second = ConvertToPage(converter, "Agility 1 [5/5] Fighter (b) from 2.2.2 Tom\n");
    EXPECT_EQ(second, ConvertToPage("Agility 1 [5/5] Fighter (b) from 2.2.2 Tom\n"));
    EXPECT_THAT(second, HasSubstr("<tr style='COLOR: #0000FF"));
}

} // namespace
} // namespace skarnwald::test
