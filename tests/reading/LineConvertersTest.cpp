// The line converters one by one: the fields each cuts out of its line, the
// row it builds, what it tallies, stores and records about sides. Expected
// cuts were worked out by hand from the position arithmetic.

#include "ConvertTestSupport.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace skarnwald::test {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;
using testing::IsEmpty;
using testing::Not;

std::string Cell(int width, std::string_view text) {
    return Join({"<td align='middle' width='", std::to_string(width), "'><font size='2'>", std::string(text),
                 "</font></td>"});
}

constexpr int kFighter = static_cast<int>(ShipClass::Fighter);
constexpr int kCorvette = static_cast<int>(ShipClass::Corvette);

// The line converters one at a time, each answering with the page row it wrote.
struct RowConverter {
    CReportConverter& converter;
    CHtmlWriter rows{nullptr};

    std::string ConvertHeaderLine(std::string_view line, bool prescan) {
        ConverterInternals::ConvertHeaderLine(converter, line, prescan);
        return rows.TakePage();
    }
    std::string ConvertFleetLine(std::string_view line, bool prescan) {
        ConverterInternals::ConvertFleetLine(converter, line, prescan);
        return rows.TakePage();
    }
    std::string ConvertCombatLine(std::string_view line, bool prescan) {
        ConverterInternals::ConvertCombatLine(converter, line, prescan);
        return rows.TakePage();
    }
    std::string ConvertRoidCaptureLine(std::string_view line) {
        ConverterInternals::ConvertRoidCaptureLine(converter, line);
        return rows.TakePage();
    }
    std::string ConvertSalvageLine(std::string_view line) {
        ConverterInternals::ConvertSalvageLine(converter, line);
        return rows.TakePage();
    }
};

class LineConverters : public testing::Test {
protected:
    LineConverters() {
        converter.AddWriter(&lines.rows);
        converter.AddWriter(&storing);
    }
    std::optional<std::int32_t> Side(std::string_view coords) const {
        return ConverterInternals::sideList(converter).FindSide(coords);
    }

    CReportConverter converter;
    RowConverter lines{converter};
    RecordingStore store;
    CStoringWriter storing{store, {1, 0, ""}};
};

// --- Header lines

TEST_F(LineConverters, HeaderWithTimeStampShowsItsFirstTwentyBytes) {
    const std::string row =
        lines.ConvertHeaderLine("2026-03-14 21:07:55 Uhr Battle at [ 4. 7 .2 ]  Eisnebel S\xFC"
                                "d  ",
                                false);
    EXPECT_EQ(row, "<tr><td colSpan='10'>&nbsp;</td></tr><tr><td align='left' bgColor='#000000' colSpan='2'>"
                   "<font color='#cccccc' size='2'>2026-03-14 21:07:55 </font></td>"
                   "<th bgColor='black' colSpan='7'><font color='white' size='2'> "
                   "Battle at [ 4. 7 .2 ]  Eisnebel S\xFC"
                   "d  </font></th><th bgColor='#000000'><font size='2'>"
                   "&nbsp;</font></th></tr><tr><td colSpan='10'><font size='2'>&nbsp;</font></td></tr>");
    EXPECT_THAT(store.calls, ElementsAre("Battle|2026-03-14 21:07:55|4.7.2|Eisnebel S\xFC"
                                         "d"));
    EXPECT_EQ(Side("4.7.2"), kDefendingSide);
}

TEST_F(LineConverters, HeaderWithoutStampLeavesTheFirstCellOpen) {
    const std::string row = lines.ConvertHeaderLine("17.05.2026 08:12 Battle at [3.3.3] Kalte Ebene", false);
    EXPECT_THAT(row, HasSubstr("colSpan='2'><th bgColor='black'"));
    EXPECT_THAT(row, Not(HasSubstr("#cccccc")));
    // Without "Uhr" the date text is empty; the place starts two bytes after "]".
    EXPECT_THAT(store.calls, ElementsAre("Battle|NULL|3.3.3|Kalte Ebene"));
}

TEST_F(LineConverters, HeaderInPrescanOnlySeedsTheDefendingSide) {
    ConverterInternals::sideList(converter).AddSide("3.3.3", kAttackingSide);
    EXPECT_EQ(lines.ConvertHeaderLine("x Battle at [3.3.3] A", true), "");
    EXPECT_EQ(lines.ConvertHeaderLine("x Battle at [9.9.9] B", true), "");
    EXPECT_THAT(store.calls, IsEmpty());
    EXPECT_EQ(Side("3.3.3"), kAttackingSide); // the earliest entry wins
    EXPECT_EQ(Side("9.9.9"), kDefendingSide);
}

TEST_F(LineConverters, HeaderTextIsEscapedButStoredRaw) {
    const std::string row = lines.ConvertHeaderLine("a Uhr Battle at [1.1.1] <b>&", false);
    EXPECT_THAT(row, HasSubstr(" Battle at [1.1.1] &lt;b&gt;&amp;</font></th>"));
    EXPECT_THAT(store.calls, ElementsAre("Battle|NULL|1.1.1|<b>&"));
}

// --- Fleet lines

TEST_F(LineConverters, FleetLineCellsAndStoredFields) {
    ConverterInternals::sideList(converter).AddSide("9.1.13", kAttackingSide);
    const std::string row = lines.ConvertFleetLine(
        "Agility 25 Speed 5 [60/60] Corvette (Sturmvogel) from 9. 1. 13  Torvik ", false);
    EXPECT_EQ(row,
              Join({"<tr style='COLOR: #ff0000; BACKGROUND-COLOR: #4d4d4d'><td align='middle' width='75'>"
                    "<font size='2'>Agility 25 Speed 5</font></td><td align='middle' width='60'>&nbsp;</td>"
                    "<td width='75'>&nbsp;</td>",
                    Cell(80, "[60/60]"), Cell(40, " Corvette "), Cell(80, "(Sturmvogel)"), Cell(40, "from"),
                    Cell(60, "9. 1. 13"), Cell(150, "  Torvik "), "</font></tr>"}));
    EXPECT_THAT(store.calls,
                ElementsAre("Fleet|Agility 25 Speed 5|[60/60]| Corvette |(Sturmvogel)|9.1.13|  Torvik |0"));
    EXPECT_EQ(ConverterInternals::currentFleetName(converter), "Torvik");
    EXPECT_EQ(ConverterInternals::currentFleetCoords(converter), "9.1.13");
    EXPECT_EQ(ConverterInternals::tallyTree(converter).find("Torvik")->battleStart[0][kCorvette], 60);
}

TEST_F(LineConverters, FleetRowColourAndStoredSideFollowTheSideList) {
    ConverterInternals::sideList(converter).AddSide("1.1.1", kDefendingSide);
    ConverterInternals::sideList(converter).AddSide("2.2.2", kAttackingSide);
    const auto rowStart = [&](const char* coords) {
        return lines.ConvertFleetLine(Join({"Agility 1 [1/1] Shuttle (s) from ", coords, " X"}), false)
            .substr(0, 24);
    };
    EXPECT_EQ(rowStart("1.1.1"), "<tr style='COLOR: #00ff0");
    EXPECT_EQ(rowStart("2.2.2"), "<tr style='COLOR: #ff000");
    EXPECT_EQ(rowStart("3.3.3"), "<tr style='COLOR: #0000F");
    ASSERT_EQ(store.calls.size(), 3u);
    EXPECT_TRUE(store.calls[0].ends_with("|1"));
    EXPECT_TRUE(store.calls[1].ends_with("|0"));
    EXPECT_TRUE(store.calls[2].ends_with("|-1")); // neither side: drawn blue again from the database
}

TEST_F(LineConverters, FleetNumbersReadFromTheLinesFirstSlash) {
    // The "/" in the agility text comes before "[": the first number's cut has
    // a negative length (0) and the second is read after that "/".
    lines.ConvertFleetLine("Agility 4/5 [10/20] Fighter (f) from 1.1.1 Bob", false);
    EXPECT_EQ(ConverterInternals::tallyTree(converter).find("Bob")->battleStart[0][kFighter], 5);
    ConverterInternals::tallyTree(converter).clear();
    lines.ConvertFleetLine("Agility [ 10x/ +20z] Fighter (f) from 1.1.1 Bob", false);
    EXPECT_EQ(ConverterInternals::tallyTree(converter).find("Bob")->battleStart[0][kFighter], 20);
}

TEST_F(LineConverters, FleetLineWithoutSeparatorsIsCutFromMinusOnes) {
    // "[", "]", "(", ")", "from", "." and the blank after the coordinates are
    // all missing: the count and ship name cuts give the first byte, the owner
    // is the whole line.
    const std::string row = lines.ConvertFleetLine("Agility", false);
    EXPECT_THAT(row,
                HasSubstr(Join({"<font size='2'></font></td><td align='middle' width='60'>&nbsp;</td><td "
                                "width='75'>&nbsp;</td>",
                                Cell(80, "A"), Cell(40, ""), Cell(80, "A"), Cell(40, "from"), Cell(60, ""),
                                Cell(150, "Agility")})));
    EXPECT_EQ(ConverterInternals::currentFleetName(converter), "Agility");
    EXPECT_EQ(ConverterInternals::currentFleetCoords(converter), "");
}

TEST_F(LineConverters, FleetLineInPrescanOnlyTracksTheCurrentFleet) {
    EXPECT_EQ(lines.ConvertFleetLine("Agility 1 [1/1] Shuttle (s) from 1.2.3 Bob", true), "");
    EXPECT_EQ(ConverterInternals::currentFleetName(converter), "Bob");
    EXPECT_EQ(ConverterInternals::currentFleetCoords(converter), "1.2.3");
    EXPECT_TRUE(ConverterInternals::tallyTree(converter).empty());
    EXPECT_THAT(store.calls, IsEmpty());
}

TEST_F(LineConverters, FleetNamedLikeMarkupShowsAsText) {
    const std::string row =
        lines.ConvertFleetLine("Agility 1 [1/1] <i>Shuttle</i> (<b>) from 1.2.3 <script>", false);
    EXPECT_THAT(row, HasSubstr(Cell(40, " &lt;i&gt;Shuttle&lt;/i&gt; ")));
    EXPECT_THAT(row, HasSubstr(Cell(80, "(&lt;b&gt;)")));
    EXPECT_THAT(row, HasSubstr(Cell(150, " &lt;script&gt;")));
    EXPECT_NE(ConverterInternals::tallyTree(converter).find("<script>"), nullptr);
}

// --- Combat lines

class CombatLines : public LineConverters {
protected:
    CombatLines() {
        ConverterInternals::currentFleetName(converter) = "Mirela";
        ConverterInternals::currentFleetCoords(converter) = "4.7.2";
    }
    // The numbers cell of a hit row.
    static std::string Numbers(const std::string& row) {
        const std::size_t open = row.find("width='80'><font size='2'>[");
        return open == std::string::npos ? ""
                                         : row.substr(open + 26, row.find("</font></td>", open) - open - 26);
    }
};

TEST_F(CombatLines, DestroyedLineRowTallyAndStore) {
    const std::string row = lines.ConvertCombatLine(
        "Fighter (Grauer Falke) destroyed [12/60] Corvette (Sturmvogel) from 9.1.13 Torvik", false);
    EXPECT_EQ(row,
              Join({"<tr style='color: white; background-color: #000000'><font color='#00ff00'><td "
                    "colSpan='2'><font size='2'>Fighter (Grauer Falke)</font></td><td><font color='#ffded9' "
                    "size='2'>destroyed</font></td>",
                    Cell(80, "[ <FONT color=#ff0000> 12 </FONT> / 60 ]"), Cell(40, " Corvette "),
                    Cell(80, "(Sturmvogel)"), Cell(40, "from"), Cell(60, "9.1.13"), Cell(150, " Torvik"),
                    "</tr>"}));
    EXPECT_THAT(store.calls, ElementsAre("Combat|Fighter (Grauer Falke)|destroyed|12| Corvette |(Sturmvogel)|"
                                         "9.1.13|4.7.2| Torvik"));
    EXPECT_EQ(ConverterInternals::tallyTree(converter).find("Mirela")->destroyedByFleet[kCorvette], 12);
    EXPECT_EQ(ConverterInternals::tallyTree(converter).find("Torvik")->battleStart[0][kCorvette], 60);
    EXPECT_EQ(ConverterInternals::tallyTree(converter).find("Torvik")->battleDestroyed[0][kCorvette], 12);
    EXPECT_EQ(ConverterInternals::tallyTree(converter).find("Torvik")->coords, "9.1.13");
    EXPECT_EQ(ConverterInternals::targetName(converter), "Torvik");
    EXPECT_EQ(ConverterInternals::targetCoords(converter), "9.1.13");
}

TEST_F(CombatLines, BracketNumbers) {
    const auto numbers = [&](const char* line) { return Numbers(lines.ConvertCombatLine(line, false)); };
    EXPECT_EQ(numbers("S (a) lamed [5/2/100] Fighter (b) from 1.1.1 T"),
              "[ <FONT color=#8282fd> 5 </FONT> / <FONT color=#029860> 2 </FONT> / 100 ]");
    // A middle 0 drops the three-number rule: the last number is read right
    // after the first "/", which is the 0.
    EXPECT_EQ(numbers("S (a) lamed [5/0/100] Fighter (b) from 1.1.1 T"),
              "[ <FONT color=#8282fd> 5 </FONT> / 0 ]");
    EXPECT_EQ(numbers("S (a) lamed [5/-3/100] Fighter (b) from 1.1.1 T"),
              "[ <FONT color=#8282fd> 5 </FONT> / 100 ]");
    EXPECT_EQ(numbers("S (a) destroyed [5/2/100] Fighter (b) from 1.1.1 T"),
              "[ <FONT color=#ff0000> 5 </FONT> / 100 ]");
    // "lamed" wins over "destroyed".
    EXPECT_EQ(numbers("S (destroyed) lamed [7/9] Fighter (b) from 1.1.1 T"),
              "[ <FONT color=#8282fd> 7 </FONT> / 9 ]");
    // A "/" and a "[" in the subject shift the later numbers, not the first:
    // N2 is read between the subject's "/" and the bracket's, N3 from there to "]".
    EXPECT_EQ(numbers("S [a/b] lamed [4/50] Fighter (b) from 1.1.1 T"),
              "[ <FONT color=#8282fd> 4 </FONT> / 0 ]");
    EXPECT_EQ(numbers("S [a/7 x lamed [4/50] Fighter (b) from 1.1.1 T"),
              "[ <FONT color=#8282fd> 4 </FONT> / <FONT color=#029860> 7 </FONT> / 50 ]");
    // Before the first "[" a "/" only moves the last number.
    EXPECT_EQ(numbers("S 1/8 x lamed [4/50] Fighter (b) from 1.1.1 T"),
              "[ <FONT color=#8282fd> 4 </FONT> / 8 ]");
    // No "/" at all: the last number is read from position -1 + 1, the line's
    // start, so a subject beginning with digits gives it.
    EXPECT_EQ(numbers("12 S destroyed [5] Fighter (b) from 1.1.1 T"),
              "[ <FONT color=#ff0000> 0 </FONT> / 12 ]");
    // Numbers too large for 32 bits saturate.
    EXPECT_EQ(numbers("S (a) destroyed [99999999999/-99999999999] Fighter (b) from 1.1.1 T"),
              "[ <FONT color=#ff0000> 2147483647 </FONT> / -2147483648 ]");
}

TEST_F(CombatLines, HitLineNamingCausesOrAttemptStopsAfterItsVerb) {
    for (const char* line : {"Fighter (a) destroyed [3/9] Corvette (causes) from 9.9.9 T",
                             "Fighter (a) lamed [3/9] Corvette (b) from 9.9.9 attempt"}) {
        ConverterInternals::sideList(converter).AddSide("4.7.2", kDefendingSide);
        const std::string row = lines.ConvertCombatLine(line, false);
        EXPECT_TRUE(row.ends_with("</font></td>")) << line;
        EXPECT_THAT(row, Not(HasSubstr("width='80'")));
        EXPECT_EQ(lines.ConvertCombatLine(line, true), "");
    }
    EXPECT_TRUE(ConverterInternals::tallyTree(converter).empty());
    EXPECT_THAT(store.calls, IsEmpty());
    EXPECT_FALSE(Side("9.9.9"));
    EXPECT_EQ(ConverterInternals::targetName(converter), "");
}

TEST_F(CombatLines, CausesAndAttemptRows) {
    EXPECT_EQ(lines.ConvertCombatLine(
                  "Corvette (Sturmvogel) causes 1200 Damage (!) but no ships were taken down", false),
              "<tr style='background-color: black' width='600'><td style='color: white' colSpan='2'><font "
              "size='2'>Corvette (Sturmvogel)</font></td><td><font color='yellow' "
              "size='2'>causes</font></td><td><font "
              "color='white' size='2'>1200 Damage (!)</font></td><td style='color: white' align='left' "
              "colSpan='3'><font size='2'>&nbsp;&nbsp;&nbsp; but no ships were taken down</font></td><td "
              "colSpan='3'>&nbsp;</td></tr>");
    EXPECT_EQ(
        lines.ConvertCombatLine("Doomstar (Ödland) attempt to capture 3 ships ... but none succeeded", false),
        "<tr style='background-color: black' width='600'><td style='color: white' colSpan='2'><font "
        "size='2'>Doomstar (Ödland)</font></td><td><font color='yellow' "
        "size='2'>attempt</font></td><td><font "
        "color='white' size='2'> to capture 3 ships ... </font></td><td style='color: white' align='left' "
        "colSpan='3'><font size='2'>&nbsp;&nbsp;&nbsp;but none succeeded</font></td><td "
        "colSpan='3'>&nbsp;</td></tr>");
    // Without "Damage" the cut from after "causes " is Q - P + 3 = -1 - 2 + 3 = 0 bytes long.
    EXPECT_THAT(lines.ConvertCombatLine("S causes much", false),
                HasSubstr("<td><font color='white' size='2'></font></td>"));
    EXPECT_THAT(
        store.calls,
        ElementsAre("Combat|Corvette (Sturmvogel)|causes|1200 Damage (!)|but no ships were taken down||||",
                    "Combat|Doomstar (Ödland)|attempt| to capture 3 ships ... |but none succeeded||||",
                    "Combat|S|causes||but no ships were taken down||||"));
    EXPECT_TRUE(ConverterInternals::tallyTree(converter).empty());
    EXPECT_TRUE(ConverterInternals::sideList(converter).empty());
}

TEST_F(CombatLines, CreditsTheMostRecentFleetAndDebitsTheTarget) {
    lines.ConvertFleetLine("Agility 9 Speed 2 [40/40] Battleship (Axt) from 1.9.4 Grimm", false);
    lines.ConvertCombatLine("Battleship (Axt) destroyed [25/90] Frigate (Schild) from 8.8.1 Wenzel", false);
    lines.ConvertCombatLine("Battleship (Axt) lamed [4/65] Frigate (Schild) from 8. 8. 1 Wenzel", false);
    const FleetTally& grimm = *ConverterInternals::tallyTree(converter).find("Grimm");
    const FleetTally& wenzel = *ConverterInternals::tallyTree(converter).find("Wenzel");
    constexpr int kFrigate = static_cast<int>(ShipClass::Frigate);
    EXPECT_EQ(grimm.destroyedByFleet[kFrigate], 25);
    EXPECT_EQ(grimm.lamedByFleet[kFrigate], 4);
    EXPECT_EQ(wenzel.battleDestroyed[0][kFrigate], 25);
    EXPECT_EQ(wenzel.battleLamed[0][kFrigate], 4);
    EXPECT_EQ(ConverterInternals::tallyTree(converter).find("Mirela"), nullptr);
}

TEST_F(CombatLines, ClassTextWithBlanksInsideStillCounts) {
    lines.ConvertCombatLine("S (a) destroyed [2/10]  Figh ter (b) from 1.1.1 T", false);
    EXPECT_EQ(ConverterInternals::tallyTree(converter).find("T")->battleDestroyed[0][kFighter], 2);
    EXPECT_THAT(store.calls, ElementsAre("Combat|S (a)|destroyed|2|  Figh ter |(b)|1.1.1|4.7.2| T"));
}

TEST_F(CombatLines, PrescanGivesShooterAndTargetOppositeSides) {
    const auto hit = [&](const char* shooter, const char* target) {
        ConverterInternals::currentFleetCoords(converter) = shooter;
        EXPECT_EQ(
            lines.ConvertCombatLine(Join({"S (a) destroyed [1/1] Fighter (b) from ", target, " T"}), true),
            "");
    };
    ConverterInternals::sideList(converter).AddSide("1.1.1", kDefendingSide);
    hit("1.1.1", "2.2.2"); // known shooter, new target: the other side
    EXPECT_EQ(Side("2.2.2"), kAttackingSide);
    ConverterInternals::sideList(converter).AddSide("3.3.3", kAttackingSide);
    hit("2.2.2", "3.3.3"); // an attacker hit by an attacker becomes a defender
    EXPECT_EQ(Side("3.3.3"), kDefendingSide);
    hit("4.4.4", "1.1.1"); // unknown shooter of a known target
    EXPECT_EQ(Side("4.4.4"), kAttackingSide);
    EXPECT_EQ(Side("1.1.1"), kDefendingSide); // the target keeps its side then
    hit("5.5.5", "6.6.6");                    // neither known: nothing
    EXPECT_FALSE(Side("5.5.5"));
    EXPECT_FALSE(Side("6.6.6"));
    EXPECT_EQ(ConverterInternals::sideList(converter).Entries().size(), 4u);
    EXPECT_TRUE(ConverterInternals::tallyTree(converter).empty());
    EXPECT_THAT(store.calls, IsEmpty());
}

// --- Roid-capture and salvage lines

class RoidLines : public LineConverters {
protected:
    RoidLines() { storing.SetSettings({0, 1, "2.11.7"}); }
    void EnterBattleAtOwnPlanet() { lines.ConvertHeaderLine("x Battle at [2.11.7] Heim", false); }
};

TEST_F(RoidLines, RowShowsTheLineFromItsSixteenthByte) {
    EXPECT_EQ(
        lines.ConvertRoidCaptureLine("Roid-Capture : [2. 11. 7] Renke has captured 38 Roids"),
        "<tr style='color: yellow; background-color: #3c4d3c'><td align='middle' colSpan='3'><font "
        "size='2'>Roid-Capture :</font></td><td align='middle' colSpan='7'><font size='2'>[2. 11. 7] Renke "
        "has captured 38 Roids</font></td></tr>");
    // The marker further in: still the first 15 bytes are dropped.
    EXPECT_THAT(lines.ConvertRoidCaptureLine("xx Roid-Capture : [1.1.1] has captured 1 Roids"),
                HasSubstr("<font size='2'> : [1.1.1] has captured 1 Roids</font>"));
}

TEST_F(RoidLines, OwnCapturesAndCapturesAtTheOwnPlanetAreCounted) {
    lines.ConvertRoidCaptureLine("Roid-Capture : [2. 11. 7] Renke has captured 38 Roids");
    lines.ConvertRoidCaptureLine("Roid-Capture : [9.9.9] X has captured 5 Roids");
    EXPECT_EQ(storing.RoidGain(), 38);
    EXPECT_EQ(storing.RoidLoss(), 0);
    EnterBattleAtOwnPlanet(); // both at once: the own fleet at the own planet
    lines.ConvertRoidCaptureLine("Roid-Capture : [2.11.7] Renke has captured 2 Roids");
    lines.ConvertRoidCaptureLine("Roid-Capture : [9.9.9] X has captured 5 Roids");
    EXPECT_EQ(storing.RoidGain(), 40);
    EXPECT_EQ(storing.RoidLoss(), 7);
    EXPECT_THAT(store.calls, IsEmpty());
}

TEST_F(RoidLines, NothingIsCountedWithPersonalStatisticsOff) {
    for (std::int32_t setting : {0, 2, -1}) {
        storing.SetSettings({0, setting, "2.11.7"});
        EnterBattleAtOwnPlanet();
        lines.ConvertRoidCaptureLine("Roid-Capture : [2.11.7] Renke has captured 38 Roids");
    }
    EXPECT_EQ(storing.RoidGain(), 0);
    EXPECT_EQ(storing.RoidLoss(), 0);
}

TEST_F(RoidLines, TheNumberIsCutBetweenCapturedAndRoids) {
    lines.ConvertRoidCaptureLine("Roid-Capture : [2.11.7] captured   12abc Roids");
    lines.ConvertRoidCaptureLine("Roid-Capture : [2.11.7] has captured 99999999999 Roids");
    lines.ConvertRoidCaptureLine("Roid-Capture : [2.11.7] no number here");
    EXPECT_EQ(storing.RoidGain(), INT32_MIN + 11); // 12 + INT32_MAX, wrapped around
}

TEST_F(RoidLines, SalvageRowShowsFromYourThroughMetal) {
    EXPECT_EQ(
        lines.ConvertSalvageLine("SALVAGE-END-REPORT : Your fleet salvaged 27400 Metal ! (nice)"),
        "<tr style='color: yellow; background-color: #3c4d3c'><td align='middle' colSpan='3'><font "
        "size='2'>SALVAGE-END-REPORT :</font></td><td align='middle' colSpan='7'><font size='2'>Your fleet "
        "salvaged 27400 Metal !</font></td></tr>");
    const auto shown = [&](const char* line) {
        const std::string row = lines.ConvertSalvageLine(line);
        const std::size_t at = row.rfind("<font size='2'>") + 15;
        return row.substr(at, row.size() - at - 17);
    };
    // Without "Your" the cut starts at 0 and is M + 8 bytes long.
    EXPECT_EQ(shown("SALVAGE-END-REPORT : 5 Metal ! more"), "SALVAGE-END-REPORT : 5 Metal ! ");
    // Without "Metal !" the length is -1 - Y + 7.
    EXPECT_EQ(shown("Your SALVAGE-END-REPORT"), "Your S");
    EXPECT_EQ(shown("SALVAGE-END-REPORT Your"), "");
    EXPECT_EQ(shown("SALVAGE-END-REPORT <Your> & Metal !"), "Your&gt; &amp; Metal !");
}

} // namespace
} // namespace skarnwald::test
