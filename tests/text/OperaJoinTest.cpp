// Rebuilding report lines from a report copied cell by cell, and the test
// that decides whether a text is such a copy.

#include "ConvertTestSupport.h"

#include "text/OperaJoin.h"

#include <gtest/gtest.h>

namespace skarnwald::test {
namespace {

TEST(JoinOperaCells, HeaderJoinsTheDateCellWithTheNextLine) {
    EXPECT_EQ(JoinOperaCells("12.5.2026 10:00 Uhr  \r\nBattle at [1.1.1] X\n"),
              "12.5.2026 10:00 UhrBattle at [1.1.1] X \n  \n"); // the last line feed makes a blank row
    // Nothing after the date cell's line break: the header stands alone and
    // the rest becomes a row of its own.
    EXPECT_EQ(JoinOperaCells("x Uhr\nBat"), "x Uhr \nBat  \n");
}

TEST(JoinOperaCells, FleetRowTakesNineCells) {
    EXPECT_EQ(JoinOperaCells("Agility\n1\n 2 \n3\n4\n5\n6\n7\n8\nAgility\n9\n"),
              "Agility 1 2 3 4 5 6 7 8  \nAgility 9  \n");
}

TEST(JoinOperaCells, CombatRowLengthDependsOnItsSecondCell) {
    // "%" after the second cell's first byte: the first cell and nine more,
    // glued to the first cell without a blank.
    EXPECT_EQ(JoinOperaCells("Shuttle (A)\n85%\nlamed\n[1/2]\nFighter\n(B)\nfrom\n1.1.1\nX\nY\n"),
              " Shuttle (A)85% lamed [1/2] Fighter (B) from 1.1.1 X Y  \n");
    // "causes" in the second cell: three more.
    EXPECT_EQ(JoinOperaCells("S\ncauses\n5 Damage\nbut no\nrest\n"), "S causes 5 Damage but no  \nrest  \n");
    // Anything else, "%" at the cell's start included: eight more.
    EXPECT_EQ(JoinOperaCells("S\n(a)\ndestroyed\n[1/2]\nF\n(b)\nfrom\n1.1.1\nT\n"),
              "S (a) destroyed [1/2] F (b) from 1.1.1 T  \n");
    EXPECT_EQ(JoinOperaCells("S\n%a\n1\n2\n3\n4\n5\n6\n7\n8\n"), "S %a 1 2 3 4 5 6 7  \n8  \n");
}

TEST(JoinOperaCells, RoidCaptureAndSalvageJoinWithTheFollowingPiece) {
    EXPECT_EQ(JoinOperaCells(
                  "Roid-Capture :\n[1.1.1] X has captured 3 Roids\nSALVAGE-END-REPORT :\nYour 5 Metal !"),
              "Roid-Capture :[1.1.1] X has captured 3 Roids \nSALVAGE-END-REPORT :Your 5 Metal ! \n");
}

TEST(JoinOperaCells, EmptyAndBlankTextsGiveAtMostOneBlankRow) {
    EXPECT_EQ(JoinOperaCells(""), "");
    EXPECT_EQ(JoinOperaCells(" \n\t\n"), "  \n");
}

TEST(OperaTest, LooksAtTheFirstLineAndAsManyBytesAfterIt) {
    EXPECT_TRUE(LooksLikeOperaCopy("3.6.2026 19:44 Uhr\nBattle at [5.10.2] Nebelbank\n"));
    EXPECT_TRUE(LooksLikeOperaCopy("1 Uhr \nBattle")); // "Battle" fits exactly
    EXPECT_FALSE(LooksLikeOperaCopy("1 Uhr\nBattle"));
    EXPECT_FALSE(LooksLikeOperaCopy("Uhr 3.6.2026\nBattle at [5.10.2] Nebelbank")); // "Uhr" at position 0
    EXPECT_FALSE(LooksLikeOperaCopy("3.6.2026 19:44 Uhr Battle at [5.10.2] Nebelbank")); // no line feed
    // An ordinary report: its first line already holds the header.
    EXPECT_FALSE(LooksLikeOperaCopy(
        "3.6.2026 19:44 Uhr Battle at [5.10.2] N\nAgility 1 [1/1] Fighter (a) from 1.1.1 X"));
}

TEST(OperaTest, PrepareJoinsOnlyCopies) {
    const std::string ordinary =
        "3.6.2026 Uhr Battle at [1.1.1] N\nAgility 1 [1/1] Fighter (a) from 1.1.1 X\n";
    EXPECT_EQ(PrepareCopiedReport(ordinary), ordinary);
    EXPECT_EQ(PrepareCopiedReport("10 Uhr\nBattle at [1.1.1] N\n"), "10 UhrBattle at [1.1.1] N \n  \n");
}

TEST(OperaTest, CopyWithWindowsLineEndsConvertsLikeTheUnixOne) {
    const std::string lf = FileBytes(std::filesystem::path(SKARNWALD_SAMPLES) / "opera-copy.txt");
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_EQ(ConvertToPage(PrepareCopiedReport(crlf)), ConvertToPage(PrepareCopiedReport(lf)));
}

} // namespace
} // namespace skarnwald::test
