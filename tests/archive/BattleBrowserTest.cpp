// The browser's tree of stored battles.

#include "DbTestSupport.h"

#include "archive/BattleBrowser.h"

namespace skarnwald::testing {
namespace {

class BrowserTest : public DatabaseFixture {};

TEST_F(BrowserTest, TreeShowsBattlesFleetLinesAndCombatLines) {
    Run("INSERT INTO Battles VALUES (1, '2003-03-05 14:07:09', '1.2.3', 'Home'), (2, NULL, '4.5.6', "
        "'Empty'), "
        "(3, '2004-01-02 03:04:05', '7.8.9', 'Last')");
    Run("INSERT INTO Agility VALUES (1, 1, 'Agility 5', '[50/50]', '(Tank)', ' Corvette ', '1.2.3', ' "
        "Keeper', 1), "
        "(2, 1, 'Agility 9', '[9/9]', '(W)', ' Fighter ', '4.5.6', ' Raider', 0), (3, 3, 'A', '[1/1]', "
        "'(Q)', 'F', "
        "'7.8.9', ' X', -1)");
    Run("INSERT INTO Battle_Details VALUES (1, 2, 'La|s|er', 'lamed', '3', ' Corvette ', '(Tank)', '4.5.6', "
        "' Keeper'), (2, 2, 'Ion', 'causes', '500 Damage', 'but no ships were taken down', '', '', '')");

    const auto battles = FindBattles(*connection, {});
    ASSERT_TRUE(battles);
    ASSERT_EQ(battles->size(), 3u);
    // No date sorts first.
    EXPECT_EQ(BattleItemOf((*battles)[0]).text, " [ 4.5.6 ] Empty");
    BrowserItem first = BattleItemOf((*battles)[1]);
    EXPECT_EQ(first.text, "05.03.2003 - 14:07:09 [ 1.2.3 ] Home");
    EXPECT_EQ(first.colour, BrowserColour::Default);
    EXPECT_EQ(first.battleId, 1);
    first.children = LoadFleetLines(*connection, 1).value();
    ASSERT_EQ(first.children.size(), 2u);
    EXPECT_EQ(first.children[0].text, "Agility 5    [50/50]     Corvette     (Tank)    [ 1.2.3 ]     Keeper");
    EXPECT_EQ(first.children[0].colour, BrowserColour::Green);
    EXPECT_EQ(first.children[1].colour, BrowserColour::Red);
    EXPECT_EQ(first.children[1].battleId, 1);
    ASSERT_EQ(first.children[1].children.size(), 2u);
    EXPECT_EQ(first.children[1].children[0].text,
              "Laser    lamed    3     Corvette     (Tank)    [ 4.5.6 ]     Keeper");
    EXPECT_EQ(first.children[1].children[0].battleId, 1);
    EXPECT_EQ(first.children[1].children[1].text,
              "Ion    causes    500 Damage    but no ships were taken down            ");

    EXPECT_TRUE(LoadFleetLines(*connection, 2).value().empty());
    EXPECT_EQ(LoadFleetLines(*connection, 3).value()[0].colour, BrowserColour::Blue);
}

// A search finds a fleet's owner typed in any case, whatever letters the name
// holds, and only that: no letter is equated with another, and % and _ are
// plain characters.
TEST_F(BrowserTest, SearchFoldsTheCaseOfEveryLetter) {
    struct Case {
        std::string_view stored, search;
        bool found;
    };
    // "Ödön" as an archive of an earlier version may hold it: Windows-1252.
    constexpr std::string_view kOldOdon = "\xD6"
                                          "d\xF6n";
    const Case cases[] = {
        {"Ödön", "ödön", true},
        {"ödön", "ÖDÖN", true},
        {"Ålesund", "åLES", true},
        {"Élodie Ñúñez", "ÉLODIE ñ", true},
        {"Дмитрий", "дМИТ", true},
        {"ΣΊΣΥΦΟΣ", "σίσυφος", true},
        {"Łukasz Żak", "łUKASZ ż", true},
        {"Grimm", "gRIMM", true},
        {kOldOdon, "ÖDÖN", true},
        {"Ödön", "odon", false},
        {"Straße", "STRASSE", false},
        {"100%", "0%", true},
        {"a_b", "a_", true},
        {"axb", "a_", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.search);
        ASSERT_TRUE(DeleteAllBattles(*connection));
        // Stored as the bytes given, as an old archive may hold Windows-1252.
        ASSERT_TRUE(RunStatement(*connection, "INSERT INTO Battles VALUES (1, NULL, '1.2.3', 'Home')"));
        ASSERT_TRUE(RunStatement(*connection,
                                 "INSERT INTO Agility (ID, BattleID, Koords, Name) VALUES (1, 1, "
                                 "'4.5.6', CAST(? AS TEXT))",
                                 {c.stored}));
        BattleFilter filter;
        filter.search = c.search;
        EXPECT_EQ(FindBattles(*connection, filter).value().size(), c.found ? 1u : 0u);
    }
}

// The ends of a date range are whole days and both belong to it: a battle
// just after midnight of the first day and one just before midnight of the
// last are in, the days around them out.
TEST_F(BrowserTest, DateRangeIncludesBothEndDays) {
    Run("INSERT INTO Battles VALUES (1, '2026-03-14 00:00:00', '1.2.3', 'Early'), "
        "(2, '2026-03-15 23:59:59', '4.5.6', 'Late'), (3, NULL, '7.8.9', 'Undated')");
    struct Case {
        std::string from, to;
        std::vector<std::int32_t> found;
    };
    const Case cases[] = {
        {"2026-03-14", "", {1, 2}},        {"2026-03-15", "", {2}},           {"2026-03-16", "", {}},
        {"", "2026-03-15", {1, 2}},        {"", "2026-03-14", {1}},           {"", "2026-03-13", {}},
        {"2026-03-14", "2026-03-14", {1}}, {"2026-03-15", "2026-03-15", {2}}, {"", "", {3, 1, 2}},
    };
    for (const Case& c : cases) {
        BattleFilter filter;
        filter.from = c.from;
        filter.to = c.to;
        const auto battles = FindBattles(*connection, filter);
        ASSERT_TRUE(battles);
        std::vector<std::int32_t> ids;
        for (const StoredBattle& battle : *battles)
            ids.push_back(battle.id);
        EXPECT_EQ(ids, c.found) << c.from << " to " << c.to;
    }
}

TEST_F(BrowserTest, EmptyDatabaseFindsNoBattle) {
    const auto battles = FindBattles(*connection, {});
    ASSERT_TRUE(battles);
    EXPECT_TRUE(battles->empty());
}

TEST_F(BrowserTest, FailedQueryGivesNoTree) {
    Run("DROP TABLE Agility");
    Run("INSERT INTO Battles (ID) VALUES (1)");
    BattleFilter filter;
    filter.search = "x";
    EXPECT_FALSE(FindBattles(*connection, filter));
    EXPECT_EQ(errors.messages, std::vector<std::string>{"no such table: Agility"});
    EXPECT_FALSE(DeleteAllBattles(*connection));
    EXPECT_EQ(Count("Battles"), 1); // nothing emptied when one table fails
    Run("CREATE TABLE Agility (ID INTEGER PRIMARY KEY, BattleID INTEGER, Agility TEXT, Anzahl TEXT, "
        "Schiffsname "
        "TEXT, Schiffstyp TEXT, Koords TEXT, Name TEXT, Kampftyp INTEGER)");
}

} // namespace
} // namespace skarnwald::testing
