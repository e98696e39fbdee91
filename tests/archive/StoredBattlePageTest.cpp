// The page of a stored battle, checked byte for byte against a page written
// out by hand from the stored rows.

#include "DbTestSupport.h"

#include "archive/StoredBattlePage.h"

namespace skarnwald::testing {
namespace {

class StoredPageTest : public DatabaseFixture {
protected:
    void SetUp() override {
        DatabaseFixture::SetUp();
        Run("INSERT INTO Battles VALUES (3, '2003-03-05 14:07:09', '1.2.3', 'Home <&>'), (4, NULL, '9.9.9', "
            "'x')");
        Run("INSERT INTO Agility VALUES (1, 3, 'Agility 5', '[50/50]', '(Tank)', ' Corvette ', '1.2.3', ' "
            "Keeper', "
            "1), (2, 3, 'Agility 9', '[9/9]', '(W)', ' Fighter ', '4.5.6', ' R<script>', -1), (3, 4, "
            "'Agility 1', "
            "'[1/1]', '(Q)', ' Fighter ', '9.9.9', ' Other', 0)");
        Run("INSERT INTO Battle_Details VALUES (1, 1, 'Laser', 'lamed', '3', ' Corvette ', '(Tank)', "
            "'4.5.6', "
            "' Keeper'), (2, 1, 'Gun', 'destroyed', '2', ' Fighter ', '(W)', '', ' R'), (3, 2, 'Ion', "
            "'causes', "
            "'500 Damage', 'but no ships were taken down', '', '', ''), (4, 2, 'Zap', 'attempt', '5 ships', "
            "'but "
            "none succeeded', '', '', ''), (5, 2, 'Hook', 'boarded', '1', '', '', '', ''), (6, 3, 'Gun', "
            "'destroyed', '1', ' Fighter ', '(Q)', '9.9.9', ' Other')");
        Run("INSERT INTO Statistik VALUES (3, '1.2.3', 'Rest', 5, 1, 2, 3, 4, 5, 6, 7), (3, '1.2.3', "
            "'Gesamt', 1, "
            "7, 0, 0, 0, 0, 0, 0), (3, '1.2.3', 'Odd', 3, 9, 9, 9, 9, 9, 9, 9), (3, '1.10.3', 'Verlust', 4, "
            "0, 0, 0, "
            "0, 0, 0, 1), (4, '1.2.3', 'Gesamt', 1, 5, 5, 5, 5, 5, 5, 5)");
    }

    std::string Render(std::int32_t id) {
        std::ostringstream page;
        EXPECT_TRUE(RenderStoredBattle(*connection, page, id));
        return page.str();
    }
};

std::string ValueRow(std::string_view label, std::string_view colour, std::initializer_list<int> counts) {
    std::string row =
        "<tr style='color: white; background-color: #000000'><td width='135' align='center'><font "
        "color='" +
        std::string(colour) + "' size='2'>" + std::string(label) + "</font></td>";
    int sum = 0;
    for (int count : counts) {
        row += "<td width='60' align='center'><font color='" + std::string(colour) + "' size='2'>" +
               std::to_string(count) + "</font></td>";
        sum += count;
    }
    return row + "<td width='60' align='center'><font color='#ffffff' size='2'>" + std::to_string(sum) +
           "</font></td></tr>";
}

std::string TableStart(std::string_view coords) {
    return "<p></p><p></p><table border='1' cellpadding='0' cellspacing='0' style='border-collapse: "
           "collapse' "
           "align='center' id='AutoNumber1'><tr style='color: #ff0000; background-color: #4d4d4d'><td "
           "width='135' "
           "align='center'><font color='#FFFFFF' size=2>" +
           std::string(coords) +
           "</font></td><td width='60' align='center'><font color='#FFFFFF' size=2>Shuttle</font></td><td "
           "width='60' align='center'><font color='#FFFFFF' size=2>Fighter</font></td><td width='60' "
           "align='center'><font color='#FFFFFF' size=2>Frigatten</font></td><td width='60' "
           "align='center'><font "
           "color='#FFFFFF' size=2>Corvetten</font></td><td width='60' align='center'><font color='#FFFFFF' "
           "size=2>StarCruiser</font></td><td width='60' align='center'><font color='#FFFFFF' "
           "size=2>BattleShip</font></td><td width='60' align='center'><font color='#FFFFFF' "
           "size=2>Doomstar</font></td><td width='60' align='center'><font color='#FFFFFF' "
           "size=2>Summe</font></td></tr>";
}

constexpr std::string_view kPageHead =
    "<html><head><meta charset='utf-8'></head><body bgcolor='#000000'><font "
    "color='#00ff00'><table "
    "cellSpacing='0' cellPadding='1' align='center' "
    "border='0'><tr><td colSpan='10'>&nbsp;</td></tr><tr><td align='left' bgColor='#000000' "
    "colSpan='2'><font color='#cccccc' size='2'>";
constexpr std::string_view kHeadTitle =
    "</font></td><th bgColor='black' colSpan='7'><font color='white' size='2'> ";
constexpr std::string_view kHeadEnd =
    "</font></th><th bgColor='#000000'><font size='2'>&nbsp;</font></th></tr><tr><td "
    "colSpan='10'><font size='2'>&nbsp;</font></td></tr>";
constexpr std::string_view kPageEnd = "</table></font></body></html>";

TEST_F(StoredPageTest, PageOfAStoredBattleIsExact) {
    std::string expected;
    expected += kPageHead;
    expected += "05.03.2003 14:07:09";
    expected += kHeadTitle;
    expected += "1.2.3 Home &lt;&amp;&gt;";
    expected += kHeadEnd;
    expected +=
        "<tr style='COLOR: #00ff00; BACKGROUND-COLOR: #4d4d4d'><td align='middle' width='75'><font "
        "size='2'>Agility 5</font></td><td align='middle' width='60'>&nbsp;</td><td "
        "width='75'>&nbsp;</td><td align='middle' width='50'><font size='2'>[50/50]</font></td><td "
        "align='middle' width='40'><font size='2'> Corvette </font></td><td align='middle' width='80'><font "
        "size='2'>(Tank)</font></td><td align='middle' width='40'><font size='2'>from</font></td><td "
        "align='middle' width='60'><font size='2'>[ 1.2.3]</font></td><td align='middle' width='150'><font "
        "size='2'> Keeper</font></td></font></tr>";
    expected +=
        "<tr style='color: white; background-color: #000000'><font color='#00ff00'><td colSpan='2'><font "
        "size='2'>Laser</font></td><td><font color='#dadafe' size='2'>lamed</font></td><td align='middle' "
        "width='50'><font size='2'>3</font></td><td align='middle' width='40'><font size='2'> Corvette "
        "</font></td><td align='middle' width='80'><font size='2'>(Tank)</font></td><td align='middle' "
        "width='40'><font size='2'>from</font></td><td align='middle' width='60'><font "
        "size='2'>[4.5.6]</font></td><td align='middle' width='150'><font size='2'> "
        "Keeper</font></td></tr>";
    expected +=
        "<tr style='color: white; background-color: #000000'><font color='#00ff00'><td colSpan='2'><font "
        "size='2'>Gun</font></td><td><font color='#ffded9' size='2'>destroyed</font></td><td "
        "align='middle' width='50'><font size='2'>2</font></td><td align='middle' width='40'><font "
        "size='2'> Fighter </font></td><td align='middle' width='80'><font size='2'>(W)</font></td><td "
        "align='middle' width='40'><font size='2'>from</font></td><td align='middle' width='60'><font "
        "size='2'></font></td><td align='middle' width='150'><font size='2'> R</font></td></tr>";
    expected +=
        "<tr style='COLOR: #0000FF; BACKGROUND-COLOR: #4d4d4d'><td align='middle' width='75'><font "
        "size='2'>Agility 9</font></td><td align='middle' width='60'>&nbsp;</td><td "
        "width='75'>&nbsp;</td><td align='middle' width='50'><font size='2'>[9/9]</font></td><td "
        "align='middle' width='40'><font size='2'> Fighter </font></td><td align='middle' width='80'><font "
        "size='2'>(W)</font></td><td align='middle' width='40'><font size='2'>from</font></td><td "
        "align='middle' width='60'><font size='2'>[ 4.5.6]</font></td><td align='middle' width='150'><font "
        "size='2'> R&lt;script&gt;</font></td></font></tr>";
    expected += "<tr style='background-color: black' width='600'><td style='color: white' colSpan='2'><font "
                "size='2'>Ion</font></td><td><font color='yellow' size='2'>causes</font></td><td><font "
                "color='white' size='2'>500 Damage</font></td><td style='color: white' align='left' "
                "colSpan='3'><font size='2'>&nbsp;&nbsp;&nbsp; but no ships were taken down</font></td><td "
                "colSpan='3'>&nbsp;</td></tr>";
    expected +=
        "<tr style='background-color: black' width='600'><td style='color: white' colSpan='2'><font "
        "size='2'>Zap</font></td><td><font color='yellow' size='2'>attempt</font></td><td><font "
        "color='white' size='2'>5 ships</font></td><td style='color: white' align='left' colSpan='3'><font "
        "size='2'>&nbsp;&nbsp;&nbsp;but none succeeded</font></td><td colSpan='3'>&nbsp;</td></tr>";
    // Tables in the text order of the coordinates: 1.10.3 before 1.2.3.
    expected += TableStart("1.10.3");
    expected += ValueRow("Verluste", "#ff0000", {0, 0, 0, 0, 0, 0, 1});
    expected += "</table><p></p>";
    expected += TableStart("1.2.3");
    expected += ValueRow("Gesamtanzahl", "#00ff00", {7, 0, 0, 0, 0, 0, 0});
    expected += ValueRow("Restflotte", "#ffffff", {1, 2, 3, 4, 5, 6, 7});
    expected += "</table><p></p>";
    expected += kPageEnd;
    EXPECT_EQ(Render(3), expected);
}

TEST_F(StoredPageTest, RedFleetRowForTheAttackingSide) {
    EXPECT_NE(Render(4).find("<tr style='COLOR: #ff0000; BACKGROUND-COLOR: #4d4d4d'><td align='middle' "
                             "width='75'><font size='2'>Agility 1</font>"),
              std::string::npos);
}

TEST_F(StoredPageTest, UnknownBattleGivesAnEmptyPage) {
    std::string expected;
    expected += kPageHead;
    expected += kHeadTitle;
    expected += " ";
    expected += kHeadEnd;
    expected += kPageEnd;
    EXPECT_EQ(Render(99), expected);
}

TEST_F(StoredPageTest, BattleHeadingReadsDateAsDayMonthYear) {
    const auto row = ReadStoredBattleHeading(*connection, 3);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->date, "05.03.2003 14:07:09");
    EXPECT_EQ(row->coords, "1.2.3");
    EXPECT_EQ(ReadStoredBattleHeading(*connection, 4)->date, "");
}

TEST_F(StoredPageTest, FailedQueryWritesNothing) {
    Run("DROP TABLE Battle_Details");
    std::ostringstream page;
    EXPECT_FALSE(RenderStoredBattle(*connection, page, 3));
    EXPECT_EQ(page.str(), "");
    EXPECT_EQ(errors.messages, std::vector<std::string>{"no such table: Battle_Details"});
    Run("CREATE TABLE Battle_Details (ID INTEGER PRIMARY KEY, AgilityID INTEGER, Waffe TEXT, Tat TEXT, "
        "Anzahl "
        "TEXT, Schiffstyp TEXT, Schiffsname TEXT, Koords TEXT, Name TEXT)");
}

} // namespace
} // namespace skarnwald::testing
