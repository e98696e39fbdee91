// The summary after the converted battles: fleet tables in name order, the
// side tables, and which fleets count for which side.

#include "writers/SummaryTables.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace skarnwald {
namespace {

// The tables of a summary: heading text and the eight figures of each row.
struct Table {
    std::string background, title;
    std::vector<std::vector<std::string>> rows;
};

std::vector<Table> ParseTables(const std::string& html) {
    std::vector<Table> tables;
    const std::string start = "<tr style='color: #ff0000; background-color: ";
    for (std::size_t at = html.find(start); at != std::string::npos; at = html.find(start, at + 1)) {
        const std::size_t end = html.find("</table>", at);
        const std::string table = html.substr(at, end - at);
        Table parsed;
        parsed.background = table.substr(start.size(), 7);
        const std::size_t title = table.find("size=2>") + 7;
        parsed.title = table.substr(title, table.find("</font>", title) - title);
        for (std::size_t row = table.find("background-color: #000000'>"); row != std::string::npos;
             row = table.find("background-color: #000000'>", row + 1)) {
            std::vector<std::string> figures;
            const std::size_t rowEnd = table.find("</tr>", row);
            for (std::size_t cell = table.find("<td width='60'", row); cell < rowEnd;
                 cell = table.find("<td width='60'", cell + 1)) {
                const std::size_t value = table.find("size='2'>", cell) + 9;
                figures.push_back(table.substr(value, table.find("</font>", value) - value));
            }
            parsed.rows.push_back(figures);
        }
        tables.push_back(parsed);
    }
    return tables;
}

using Rows = std::vector<std::vector<std::string>>;
const std::vector<std::string> kZeros(8, "0");

TEST(SummaryTables, WithoutFleetsOnlyTheSideTablesWithZeros) {
    FleetTallyTree tree;
    std::string html;
    WriteSummaryTables(html, tree, SideList{});
    EXPECT_TRUE(html.starts_with("<p></p><p></p><p></p><p></p><table border='1'"));
    const auto tables = ParseTables(html);
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].title, "ATTER");
    EXPECT_EQ(tables[0].background, "#DF0000");
    EXPECT_EQ(tables[1].title, "DEFFER");
    EXPECT_EQ(tables[1].background, "#00BF00");
    for (const Table& table : tables)
        EXPECT_EQ(table.rows, Rows(5, kZeros));
    EXPECT_NE(html.find("</table><p></p><p></p><p></p><table"), std::string::npos);
    EXPECT_TRUE(html.ends_with("</table><p></p>"));
}

TEST(SummaryTables, FleetsInNameOrderCountedForTheSideOfTheirCoordinates) {
    FleetTallyTree tree;
    SideList sides;
    sides.AddSide("1.1.1", kDefendingSide);
    sides.AddSide("2.2.2", kAttackingSide);
    tree.update("Zora", "1.1.1", 0, 10, "Fighter", TallyEvent::FleetLine);
    tree.update("Zora", "1.1.1", 4, 0, "Doomstar", TallyEvent::EnemyDestroyed);
    tree.update("Anna", "1.1.1", 0, 3, "Doomstar", TallyEvent::FleetLine); // same coordinates, other name
    tree.update("Anna", "1.1.1", 2, 0, "Shuttle", TallyEvent::EnemyLamed);
    tree.update("Bo", "2.2.2", 4, 10, "Fighter", TallyEvent::ShipsDestroyed);
    tree.update("<Gast>", "9.9.9", 0, 7, "Corvette", TallyEvent::FleetLine); // no side
    std::string html;
    WriteSummaryTables(html, tree, sides); // folds the open battle first
    const auto tables = ParseTables(html);
    ASSERT_EQ(tables.size(), 6u);
    EXPECT_EQ(tables[0].title, "9.9.9\n&lt;Gast&gt;");
    EXPECT_EQ(tables[0].background, "#4d4d4d");
    EXPECT_EQ(tables[1].title, "1.1.1\nAnna");
    EXPECT_EQ(tables[2].title, "2.2.2\nBo");
    EXPECT_EQ(tables[2].background, "#DF0000");
    EXPECT_EQ(tables[3].title, "1.1.1\nZora");
    EXPECT_EQ(tables[3].background, "#00BF00");
    EXPECT_NE(html.find("<font color='#000000' size=2>1.1.1\nZora"), std::string::npos); // dark text on green
    EXPECT_EQ(tables[4].rows, Rows({{"0", "10", "0", "0", "0", "0", "0", "10"},
                                    kZeros,
                                    kZeros,
                                    {"0", "4", "0", "0", "0", "0", "0", "4"},
                                    {"0", "6", "0", "0", "0", "0", "0", "6"}}));
    EXPECT_EQ(tables[5].rows, Rows({{"0", "10", "0", "0", "0", "0", "3", "13"},
                                    {"2", "0", "0", "0", "0", "0", "0", "2"},
                                    {"0", "0", "0", "0", "0", "0", "4", "4"},
                                    kZeros,
                                    {"0", "10", "0", "0", "0", "0", "3", "13"}}));
}

TEST(SummaryTables, MoreLossesThanShipsGiveANegativeRest) {
    FleetTallyTree tree;
    tree.update("Bo", "2.2.2", 30, 40, "Frigate", TallyEvent::ShipsDestroyed);
    tree.update("Bo", "2.2.2", 30, 10, "Frigate", TallyEvent::ShipsDestroyed); // the same stack, 10 left
    std::string html;
    WriteSummaryTables(html, tree, SideList{});
    const auto tables = ParseTables(html);
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0].rows[0], (std::vector<std::string>{"0", "0", "40", "0", "0", "0", "0", "40"}));
    EXPECT_EQ(tables[0].rows[3], (std::vector<std::string>{"0", "0", "60", "0", "0", "0", "0", "60"}));
    EXPECT_EQ(tables[0].rows[4], (std::vector<std::string>{"0", "0", "-20", "0", "0", "0", "0", "-20"}));
    EXPECT_EQ(tables[1].rows, Rows(5, kZeros)); // no side: in neither side table
}

TEST(SummaryTables, SumCellWrapsAroundLikeTheCounters) {
    std::string html;
    ClassCounts values{};
    values[0] = INT_MAX;
    values[6] = 1;
    AppendValueRow(html, html::kRestRow, "Restflotte", values);
    EXPECT_NE(html.find("<font color='#ffffff' size='2'>-2147483648</font></td></tr>"), std::string::npos);
    EXPECT_NE(html.find("size='2'>2147483647</font>"), std::string::npos);
}

} // namespace
} // namespace skarnwald
