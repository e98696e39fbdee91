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

TEST(FleetMoves, GroupsByTargetWithSideColoursAndSums) {
    const auto rows = GroupFleetMoves("100 Ships from 1.2.3 attacking 4.5.6 ETA 3\r\n"
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

TEST(FleetMoves, ShadingAlternatesPerGroupAndATargetMayComeBack) {
    const auto rows = GroupFleetMoves("1 Ships from 1.1.1 attacking 4.5.6 ETA 3\n"
                                      "2 Ships from 1.1.1 attacking 9.9.9 ETA 3\n"
                                      "3 Ships from 1.1.1 defending 4.5.6 ETA 3\n");
    ASSERT_EQ(rows.size(), 18u);
    EXPECT_EQ(rows[3].cells[kColCount], kDashes);
    EXPECT_EQ(rows[4].cells[kColCount], "Atter 1 - 0 Deffer");
    EXPECT_EQ(rows[4].backgroundSlot, kNoSlot);
    EXPECT_EQ(rows[6].cells[kColCount], "9.9.9");
    for (std::size_t i = 6; i < 12; ++i)
        EXPECT_EQ(rows[i].backgroundSlot, kSlotLightGrey) << i;
    EXPECT_EQ(rows[12].cells[kColCount], "4.5.6");
    EXPECT_EQ(rows[14].cells[kColCount], "3");
    EXPECT_EQ(rows[16].cells[kColCount], "Atter 0 - 3 Deffer");
    for (std::size_t i = 12; i < 18; ++i)
        EXPECT_EQ(rows[i].backgroundSlot, kNoSlot) << i;
}

TEST(FleetMoves, EmptyTextGivesAnEmptySumGroup) {
    EXPECT_EQ(FirstCells(GroupFleetMoves(" \r\n")),
              (std::vector<std::string>{kDashes, "Atter 0 - 0 Deffer", kDashes}));
}

TEST(FleetMoves, LinesWithoutKeywordStayInTheCurrentGroup) {
    const auto rows = GroupFleetMoves("5 Ships from 1.1.1 attacking 4.5.6 [12:00 Uhr]\nnote\n");
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[2].cells[kColMoveEta], "[12:00 Uhr]");
    const std::array<std::string, kMoveColumnCount> note{"", "", ""};
    EXPECT_EQ(rows[3].cells, note);
    EXPECT_EQ(rows[3].textSlot, kNoSlot);
    EXPECT_EQ(rows[5].cells[kColCount], "Atter 5 - 0 Deffer");
}

TEST(FleetMoves, TargetWithBlanksIsStripped) {
    const auto rows = GroupFleetMoves("5 Ships from 1.1.1 defending 4. 5. 6 ETA 1");
    EXPECT_EQ(rows[0].cells[kColCount], "4.5.6");
}

} // namespace
