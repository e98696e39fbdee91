// What both planning views make of one pasted line: the attack plan's fleet
// and the movement overview's row, or a refusal; never a row of misplaced
// pieces.

#include "planning/AttackPlan.h"
#include "planning/FleetMoves.h"
#include "text/Catalog.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace skarnwald;

struct MoveRead {
    std::string target;
    std::array<std::string, kMoveColumnCount> cells;
    int slot;
};

struct PastedLine {
    const char* line;
    std::optional<OutgoingFleet> planned; // eta, origin, ships, target; none: refused
    std::optional<MoveRead> moved;        // none: refused
};

const std::vector<PastedLine> kLines = {
    // The outgoing-fleet list: its sums are added up, padded coordinates closed up.
    {"1000+200 Ships attacking 4.7.2 ETA 5h from 3.3.3", OutgoingFleet{"5", "3.3.3", "1200", "4.7.2"},
     MoveRead{"4.7.2", {"1200", "3.3.3", "ETA 5h"}, kSlotRed}},
    {"320 + 80 Ships attacking 104.  5.  6 ETA 7 h from 104.  5.  6\r",
     OutgoingFleet{"7", "104.5.6", "400", "104.5.6"},
     MoveRead{"104.5.6", {"400", "104.5.6", "ETA 7 h"}, kSlotRed}},
    {"1+2+3 Ships attacking 1 . 2 . 3 ETA 12h from 1.2.34567 (Grimm)",
     OutgoingFleet{"12", "1.2.34567", "6", "1.2.3"},
     MoveRead{"1.2.3", {"6", "1.2.34567", "ETA 12h"}, kSlotRed}},
    {"2147483647+2147483647 Ships attacking 1.2.3 ETA 5h from 1.2.3",
     OutgoingFleet{"5", "1.2.3", "4294967294", "1.2.3"},
     MoveRead{"1.2.3", {"4294967294", "1.2.3", "ETA 5h"}, kSlotRed}},
    {"5 Ships defending 1.2.3 ETA 2h from 3.3.3", std::nullopt,
     MoveRead{"1.2.3", {"5", "3.3.3", "ETA 2h"}, kSlotGreen}},
    // Movement lines are no outgoings.
    {"100 Ships from 1.2.3 attacking 4.5.6 ETA 3", std::nullopt,
     MoveRead{"4.5.6", {"100", "1.2.3", "ETA 3"}, kSlotRed}},
    {"50 Ships from 7. 8. 9 defending 104.  5.  6 [12:00 Uhr]", std::nullopt,
     MoveRead{"104.5.6", {"50", "7.8.9", "[12:00 Uhr]"}, kSlotGreen}},
    {"9 Ships from 1.1.1 attacking 4.5.6 (Welle 2) ETA 3", std::nullopt,
     MoveRead{"4.5.6", {"9", "1.1.1", "ETA 3"}, kSlotRed}},
    // Neither view can read these.
    {"1000+ Ships attacking 1.2.3 ETA 5h from 3.3.3", std::nullopt, std::nullopt},
    {"+200 Ships attacking 1.2.3 ETA 5h from 3.3.3", std::nullopt, std::nullopt},
    {"1000+abc Ships attacking 1.2.3 ETA 5h from 3.3.3", std::nullopt, std::nullopt},
    {"1.000 Ships attacking 1.2.3 ETA 5h from 3.3.3", std::nullopt, std::nullopt},
    {"1000000000000 Ships attacking 1.2.3 ETA 5h from 3.3.3", std::nullopt, std::nullopt},
    {"5 Ships attacking 1.2 ETA 5h from 3.3.3", std::nullopt, std::nullopt},
    {"5 Ships attacking 1.2.3 ETA soon from 3.3.3", std::nullopt, std::nullopt},
    {"5 Ships attacking 1.2.3 ETA 5h", std::nullopt, std::nullopt},
    {"5 Ships attacking 1.2.3ETA 5h from 3.3.3", std::nullopt, std::nullopt},
    {"5 Ships from 1.2.3 Grimm attacking 4.5.6 ETA 3", std::nullopt, std::nullopt},
    {"attacking 2.2.2 ETA 2h from 3.3.3", std::nullopt, std::nullopt},
    {"x attacking from", std::nullopt, std::nullopt},
    {"Ausgehende Flotten", std::nullopt, std::nullopt},
};

TEST(PastedLines, EachViewReadsItsFormsWholeAndRefusesEverythingElse) {
    for (const PastedLine& pasted : kLines) {
        SCOPED_TRACE(pasted.line);
        const std::string text = std::string("\n  ") + pasted.line + "\n\n";
        const PastedOutgoings outgoings = ParseOutgoings(text);
        if (pasted.planned) {
            EXPECT_EQ(outgoings.fleets, std::vector<OutgoingFleet>{*pasted.planned});
            EXPECT_TRUE(outgoings.refused.empty());
        } else {
            EXPECT_TRUE(outgoings.fleets.empty());
            EXPECT_EQ(outgoings.refused, std::vector<std::string>{pasted.line});
        }

        const FleetMoves moves = GroupFleetMoves(text);
        if (pasted.moved) {
            ASSERT_EQ(moves.rows.size(), 6u);
            EXPECT_EQ(moves.rows[0].cells[kColCount], pasted.moved->target);
            EXPECT_EQ(moves.rows[2].cells, pasted.moved->cells);
            EXPECT_EQ(moves.rows[2].textSlot, pasted.moved->slot);
            EXPECT_TRUE(moves.refused.empty());
        } else {
            EXPECT_TRUE(moves.rows.empty());
            EXPECT_EQ(moves.refused, std::vector<std::string>{pasted.line});
        }
    }
}

TEST(PastedLines, TheMessageCountsTheLinesNamesTheFirstTenShortenedAndShowsTheForms) {
    EXPECT_EQ(RefusedOutgoingsMessage({}), "");
    EXPECT_EQ(RefusedOutgoingsMessage(std::vector<std::string>{"x"}),
              "1 Zeile wurde nicht übernommen:\nx\n\n"
              "Gelesen werden Zeilen wie\n100 Ships attacking 4.5.6 ETA 3h from 1.2.3");

    std::vector<std::string> refused(12, "kurz");
    refused[0] = std::string(119, 'a') + "ä"; // cut before the character that does not fit whole
    std::string expected = "12 Zeilen wurden nicht übernommen:\n" + std::string(119, 'a') + " …";
    for (int i = 0; i < 9; ++i)
        expected += "\nkurz";
    expected += "\n… und 2 weitere\n\nGelesen werden Zeilen wie\n100 Ships from 1.2.3 attacking 4.5.6 ETA 3\n"
                "100 Ships attacking 4.5.6 ETA 3h from 1.2.3";
    EXPECT_EQ(RefusedMovesMessage(refused), expected);
}

TEST(PastedLines, InEnglishTheMessageCountsInEnglishPluralForms) {
    SetCoreLanguage("en");
    const std::tuple<std::size_t, std::string_view, std::string_view> cases[] = {
        {1, "1 line was not taken:\n", "\n\nReadable lines look like\n"},
        {11, "11 lines were not taken:\n", "\n… and 1 more\n\n"},
        {12, "12 lines were not taken:\n", "\n… and 2 more\n\n"},
    };
    for (const auto& [count, start, inside] : cases) {
        const std::string message = RefusedMovesMessage(std::vector<std::string>(count, "x"));
        EXPECT_TRUE(message.starts_with(start)) << message;
        EXPECT_NE(message.find(inside), std::string::npos) << message;
    }
    SetCoreLanguage("de");
}

} // namespace
