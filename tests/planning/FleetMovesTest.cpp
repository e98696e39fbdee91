#include "planning/FleetMoves.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace skarnwald;

const std::string kDashes = "------------------------------------------";

std::vector<std::string> FirstCells(const std::vector<MoveRow>& rows) {
    std::vector<std::string> cells;
    for (const MoveRow& row : rows)
        cells.push_back(row.cells[kColCount]);
    return cells;
}

std::vector<MoveRow> Rows(std::string_view text) {
    return GroupFleetMoves(text).rows;
}

TEST(FleetMoves, GroupsByTargetWithSideColoursAndSums) {
    const auto rows = Rows("100 Ships from 1.2.3 attacking 4.5.6 ETA 3\r\n"
                           "50 Ships from 7.8.9 defending 4.5.6 ETA 2\n");
    EXPECT_EQ(FirstCells(rows), (std::vector<std::string>{"4.5.6", kDashes, "100", "50", kDashes,
                                                          "Atter 100 - 50 Deffer", kDashes}));
    const std::array<std::string, kMoveColumnCount> attack{"100", "1.2.3", "ETA 3"};
    EXPECT_EQ(rows[2].cells, attack);
    EXPECT_EQ(rows[2].textSlot, kSlotRed);
    EXPECT_EQ(rows[3].cells[kColFrom], "7.8.9");
    EXPECT_EQ(rows[3].textSlot, kSlotGreen);
    for (const MoveRow& row : rows)
        EXPECT_EQ(row.backgroundSlot, kNoSlot);
}

TEST(FleetMoves, OneGroupPerTargetWhereverAndHoweverItIsWrittenWithAlternatingShading) {
    const auto rows = Rows("1 Ships from 1.1.1 attacking 104.5.6 ETA 3\n"
                           "2 Ships from 1.1.1 attacking 9.9.9 ETA 3\n"
                           "3 Ships from 1.1.1 defending 104.  5.  6 ETA 3\n"
                           "4 Ships from 1.1.1 attacking 7.7.7 ETA 3\n");
    EXPECT_EQ(FirstCells(rows),
              (std::vector<std::string>{"104.5.6", kDashes, "1", "3", kDashes, "Atter 1 - 3 Deffer", kDashes,
                                        "9.9.9", kDashes, "2", kDashes, "Atter 2 - 0 Deffer", kDashes,
                                        "7.7.7", kDashes, "4", kDashes, "Atter 4 - 0 Deffer", kDashes}));
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].backgroundSlot, i >= 7 && i < 13 ? kSlotLightGrey : kNoSlot) << i;
}

TEST(FleetMoves, TextWithoutAFleetLineGivesNoRows) {
    for (const char* text : {" \r\n", "note\nmore notes"})
        EXPECT_TRUE(Rows(text).empty()) << text;
}

} // namespace
