// Storing converted battles: ids, links, values as they stand, the all-or-
// nothing conversion, and the personal record.

#include "DbTestSupport.h"

#include "archive/BattleBrowser.h"
#include "archive/SettingsStore.h"

namespace skarnwald::testing {
namespace {

constexpr std::string_view kReport = "12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Home\n"
                                     "Agility 5 [50/50] Corvette (Tank) from 1.2.3 Keeper\n"
                                     "Agility 10 [100/100] Fighter (Wasp) from 4.5.6 Raider\n"
                                     "Laser lamed [3/1/50] Corvette (Tank) from 1.2.3 Keeper\n"
                                     "Agility 7 [20/20] Frigate (Ghost) from 7.8.9 Stranger\n"
                                     "Cannon causes 500 Damage to the hull\n";

class BattleStoreTest : public DatabaseFixture {
protected:
    // Inserts into `table` that match `when` are refused with RAISE(`how`,
    // `message`). FAIL keeps what the statement inserted before the refused
    // row, ABORT does not.
    void RefuseInserts(std::string_view table, std::string_view when, std::string_view how,
                       std::string_view message) {
        const std::string trigger = "refuse" + std::string(table);
        Run("DROP TRIGGER IF EXISTS " + trigger);
        Run("CREATE TRIGGER " + trigger + " BEFORE INSERT ON " + std::string(table) + " WHEN " +
            std::string(when) + " BEGIN SELECT RAISE(" + std::string(how) + ", '" + std::string(message) +
            "'); END");
    }

    // `value` of the rows of `table` that match `where`, in storing order.
    std::string InOrder(std::string_view value, std::string_view table, std::string_view where,
                        std::string_view separator) {
        return Text("SELECT group_concat(V, '" + std::string(separator) + "') AS S FROM (SELECT " +
                        std::string(value) + " AS V FROM " + std::string(table) + " WHERE " +
                        std::string(where) + " ORDER BY rowid)",
                    "S");
    }
};

TEST_F(BattleStoreTest, FirstBattleIntoEmptyTablesGetsIdOneAndLinksEveryRow) {
    Convert(kReport);
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(Text("SELECT * FROM Battles", "ID"), "1");
    EXPECT_EQ(Text("SELECT * FROM Battles", "Datum"), "12.03.2004");
    EXPECT_EQ(Text("SELECT Datum || '' AS D FROM Battles", "D"), "2004-03-12 14:07:09");
    EXPECT_EQ(Text("SELECT * FROM Battles", "Koords"), "1.2.3");
    EXPECT_EQ(Text("SELECT * FROM Battles", "Name"), "Home");
    EXPECT_EQ(Count("Agility"), 3);
    EXPECT_EQ(Text("SELECT * FROM Agility WHERE ID = 1", "BattleID"), "1");
    EXPECT_EQ(Count("Battle_Details"), 2);
    EXPECT_EQ(Text("SELECT * FROM Battle_Details WHERE ID = 1", "AgilityID"), "2");
    EXPECT_EQ(Text("SELECT * FROM Battle_Details WHERE ID = 2", "AgilityID"), "3");
    // Three fleets, five rows each, kinds in the order 4, 1, 5, 2, 3.
    EXPECT_EQ(Count("Statistik"), 15);
    EXPECT_EQ(
        Text("SELECT group_concat(SortierID, '') AS S FROM (SELECT SortierID FROM Statistik WHERE Koords = "
             "'4.5.6' ORDER BY rowid)",
             "S"),
        "41523");
}

TEST_F(BattleStoreTest, FleetLinesKeepTheirTextsAndSides) {
    Convert(kReport);
    EXPECT_EQ(Text("SELECT * FROM Agility WHERE ID = 2", "Agility"), "Agility 10");
    EXPECT_EQ(Text("SELECT * FROM Agility WHERE ID = 2", "Anzahl"), "[100/100]");
    EXPECT_EQ(Text("SELECT * FROM Agility WHERE ID = 2", "Schiffstyp"), " Fighter ");
    EXPECT_EQ(Text("SELECT * FROM Agility WHERE ID = 2", "Schiffsname"), "(Wasp)");
    EXPECT_EQ(Text("SELECT * FROM Agility WHERE ID = 2", "Name"), " Raider");
    EXPECT_EQ(Text("SELECT * FROM Agility WHERE ID = 1", "Kampftyp"), "1");
    EXPECT_EQ(Text("SELECT * FROM Agility WHERE ID = 2", "Kampftyp"), "0");
    // Never fired at nor hit: no side, stored as neither side.
    EXPECT_EQ(Text("SELECT * FROM Agility WHERE ID = 3", "Kampftyp"), "-1");
    // A combat line keeps the coordinates of the fleet it hit.
    EXPECT_EQ(Text("SELECT * FROM Battle_Details WHERE ID = 1", "Koords"), "1.2.3");
    EXPECT_EQ(Text("SELECT * FROM Battle_Details WHERE ID = 2", "Schiffstyp"),
              "but no ships were taken down");
}

TEST_F(BattleStoreTest, TwoConversionsContinueTheIdsAndDeletingRestartsThem) {
    Convert(kReport);
    std::string nextDay(kReport);
    nextDay.replace(0, 2, "13");
    Convert(nextDay);
    EXPECT_EQ(Text("SELECT MAX(ID) AS M FROM Battles", "M"), "2");
    EXPECT_EQ(Text("SELECT * FROM Agility WHERE ID = 4", "BattleID"), "2");
    EXPECT_EQ(Text("SELECT * FROM Battle_Details WHERE ID = 3", "AgilityID"), "5");
    EXPECT_EQ(Count("Statistik"), 30);

    ASSERT_TRUE(DeleteAllBattles(*connection));
    for (std::string_view table : {"Battles", "Agility", "Battle_Details", "Statistik"})
        EXPECT_EQ(Count(table), 0) << table;
    EXPECT_EQ(Count("PersStat"), 5);
    Convert(kReport);
    EXPECT_EQ(Text("SELECT * FROM Battles", "ID"), "1");
    EXPECT_EQ(Text("SELECT MIN(ID) AS M FROM Agility", "M"), "1");
}

TEST_F(BattleStoreTest, HostileTextsComeBackByteForByte) {
    const std::string name =
        " O'Brien \"x\"; DROP TABLE Battles; -- <script>alert(1)</script> \xE4\xF6\xFC\xDF\xC3";
    const std::string report = "2004-03-12 14:07:09 Uhr Battle at [ 1.2.3 ] Bad'Place;--\n"
                               "Agility 10 [100/100] Fighter (W'a\"sp) from 4.5.6" +
                               name + "\n" + "Laser lamed [3/1/50] Fighter (W'a\"sp) from 4.5.6" + name +
                               "\n";
    Convert(NormaliseText(report));
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(Text("SELECT * FROM Battles", "Name"), "Bad'Place;--");
    EXPECT_EQ(Text("SELECT * FROM Agility", "Name"), NormaliseText(name));
    EXPECT_EQ(Text("SELECT * FROM Agility", "Schiffsname"), "(W'a\"sp)");
    EXPECT_EQ(Text("SELECT * FROM Battle_Details", "Name"), NormaliseText(name));
    EXPECT_EQ(Count("Battles"), 1);
}

TEST_F(BattleStoreTest, UnreadableDateStoresTheBattleWithoutDate) {
    Convert("31.02.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Home\n"
            "Agility 5 [50/50] Corvette (Tank) from 1.2.3 Keeper\n");
    EXPECT_TRUE(errors.messages.empty());
    EXPECT_EQ(Text("SELECT typeof(Datum) AS T FROM Battles", "T"), "null");
    EXPECT_EQ(Text("SELECT * FROM Battles", "Datum"), "");
    EXPECT_EQ(Text("SELECT * FROM Agility", "BattleID"), "1");
    EXPECT_EQ(Count("Statistik"), 5);
}

TEST_F(BattleStoreTest, RowsNeverHangUnderAnotherConversionsBattleOrFleetLine) {
    Convert(kReport);
    const int fleetLines = Count("Agility");
    const int combatLines = Count("Battle_Details");
    // Fleet and combat lines before any header, then a header followed by a
    // combat line before its first fleet line.
    Convert("Agility 3 [9/9] Fighter (Wasp) from 4.5.6 Raider\n"
            "Laser lamed [3/1/50] Corvette (Tank) from 1.2.3 Keeper\n");
    EXPECT_EQ(Count("Agility"), fleetLines);
    EXPECT_EQ(Count("Battle_Details"), combatLines);
    EXPECT_EQ(Count("Statistik"), 15);
    EXPECT_EQ(Count("Battles"), 1);

    Convert("12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Home\n"
            "Laser lamed [3/1/50] Corvette (Tank) from 1.2.3 Keeper\n");
    EXPECT_EQ(Count("Battles"), 2);
    EXPECT_EQ(Count("Battle_Details"), combatLines);
}

TEST_F(BattleStoreTest, AFailedBattleTakesItsRowsWithItAndTheNextBattleIsStored) {
    Run("CREATE TRIGGER refuse BEFORE INSERT ON Battles WHEN NEW.Name = 'Refused' BEGIN SELECT RAISE(ABORT, "
        "'battle refused'); END");
    Convert("12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Refused\n"
            "Agility 5 [50/50] Corvette (Tank) from 1.2.3 Keeper\n"
            "Laser lamed [3/1/50] Corvette (Tank) from 1.2.3 Keeper\n"
            "12.03.2004 15:07:09 Uhr Battle at [ 1.2.3 ] Home\n"
            "Agility 10 [100/100] Fighter (Wasp) from 4.5.6 Raider\n");
    ASSERT_EQ(errors.messages.size(), 1u);
    EXPECT_EQ(errors.messages[0], "battle refused");
    EXPECT_EQ(Count("Battles"), 1);
    EXPECT_EQ(Text("SELECT * FROM Battles", "Name"), "Home");
    EXPECT_EQ(Count("Agility"), 1);
    EXPECT_EQ(Count("Battle_Details"), 0);
    EXPECT_EQ(Count("Statistik"), 10); // the second battle's rows only, for both fleets
}

TEST_F(BattleStoreTest, AFailedCombatLineIsSkippedAndTheOthersStay) {
    Run("CREATE TRIGGER refuse BEFORE INSERT ON Battle_Details WHEN NEW.Tat = 'causes' BEGIN SELECT "
        "RAISE(ABORT, "
        "'no causes'); END");
    Convert(kReport);
    EXPECT_EQ(errors.messages, std::vector<std::string>{"no causes"});
    EXPECT_EQ(Count("Battle_Details"), 1);
    EXPECT_EQ(Count("Agility"), 3);
}

// Fifteen fleets, the first four with three hits each: the combat lines and
// the 80 statistics rows (with the target's) go in by many at a time.
std::string FifteenFleets() {
    std::string report = "12.03.2004 14:07:09 Uhr Battle at [ 1.1.1 ] Home\n";
    for (int f = 1; f <= 15; ++f) {
        report += "Agility 5 [50/50] Corvette (Tank) from " + std::to_string(f) + ".1.1 Fleet" +
                  std::to_string(f) + "\n";
        for (int h = 1; h <= 3 && f <= 4; ++h)
            report += std::string(f == 3 && h == 2 ? "Bad" : "Laser") + " destroyed [" + std::to_string(h) +
                      "/50] Corvette (Tank) from 9.9.9 Target\n";
    }
    return report;
}

TEST_F(BattleStoreTest, RowsRefusedAmongManyAreLeftOutAsIfEachHadItsOwnInsert) {
    for (std::string_view how : {"ABORT", "FAIL"}) {
        SCOPED_TRACE(how);
        ASSERT_TRUE(DeleteAllBattles(*connection));
        RefuseInserts("Battle_Details", "NEW.Waffe = 'Bad'", how, "bad weapon");
        RefuseInserts("Statistik", "NEW.Koords IN ('7.1.1', '14.1.1') AND NEW.Typ = 'Rest'", how, "no rest");
        errors.messages.clear();
        Convert(FifteenFleets());
        EXPECT_EQ(errors.messages, (std::vector<std::string>{"bad weapon", "no rest", "no rest"}));

        EXPECT_EQ(Count("Battle_Details"), 11);
        EXPECT_EQ(Text("SELECT MAX(ID) AS M FROM Battle_Details", "M"), "11");
        EXPECT_EQ(InOrder("AgilityID || ':' || Anzahl", "Battle_Details", "1", " "),
                  "1:1 1:2 1:3 2:1 2:2 2:3 3:1 3:3 4:1 4:2 4:3");

        EXPECT_EQ(Count("Statistik"), 78);
        EXPECT_EQ(Text("SELECT COUNT(DISTINCT Koords || Typ) AS N FROM Statistik", "N"), "78");
        EXPECT_EQ(InOrder("SortierID", "Statistik", "Koords IN ('6.1.1', '7.1.1')", ""), "415234123");
    }
}

TEST_F(BattleStoreTest, StoringOffStoresNoBattleButStillCountsAsteroids) {
    Run("UPDATE PersStat SET Shuttle = 4 WHERE Typ = 'RoidGewinn'");
    Convert(kReport, 0);
    EXPECT_EQ(Count("Battles"), 0);
    EXPECT_EQ(Count("Statistik"), 0);
    EXPECT_EQ(Text("SELECT * FROM PersStat WHERE Typ = 'RoidGewinn'", "Shuttle"), "4");
}

TEST_F(BattleStoreTest, PersonalFleetAndAsteroidsAddUpOverConversions) {
    Run("UPDATE PersStat SET Fighter = 'x12' WHERE Typ = 'verlust'");
    store.BeginConversion();
    store.AddPersonalFleet({1, 2, 3, 4, 5, 6, 7}, {0, 9, 0, 0, 0, 0, 1}, {2, 0, 0, 0, 0, 0, 0});
    store.AddAsteroids(5, 2);
    store.EndConversion();
    store.BeginConversion();
    store.AddPersonalFleet({1, 0, 0, 0, 0, 0, 0}, {}, {});
    store.AddAsteroids(1, 1);
    store.EndConversion();
    EXPECT_EQ(Text("SELECT * FROM PersStat WHERE Typ = 'verlust'", "Shuttle"), "2");
    EXPECT_EQ(Text("SELECT * FROM PersStat WHERE Typ = 'verlust'", "Fighter"), "2"); // text counted as 0
    EXPECT_EQ(Text("SELECT * FROM PersStat WHERE Typ = 'verlust'", "Doomstar"), "7");
    EXPECT_EQ(Text("SELECT * FROM PersStat WHERE Typ = 'destroyed'", "Fighter"), "9");
    EXPECT_EQ(Text("SELECT * FROM PersStat WHERE Typ = 'lamed'", "Shuttle"), "2");
    EXPECT_EQ(Text("SELECT * FROM PersStat WHERE Typ = 'RoidGewinn'", "Shuttle"), "6");
    EXPECT_EQ(Text("SELECT * FROM PersStat WHERE Typ = 'RoidVerlust'", "Shuttle"), "3");
}

TEST_F(BattleStoreTest, ConversionWithPersonalStatsAddsTheOwnFleet) {
    Convert(kReport, 1, 1, "4.5.6");
    EXPECT_EQ(Text("SELECT * FROM PersStat WHERE Typ = 'lamed'", "Corvette"), "3");
    EXPECT_EQ(Text("SELECT * FROM PersStat WHERE Typ = 'verlust'", "Corvette"), "0");
}

TEST_F(BattleStoreTest, SettingsReadAsZeroOrEmptyUntilTheRowsExist) {
    const auto read = [&] {
        const StoringSettings settings = ReadStoringSettings(*connection);
        return std::tuple{settings.storeInDb, settings.personalStats, settings.ownCoords};
    };
    EXPECT_EQ(read(), std::tuple(0, 0, ""));
    EnsureSettingsRows(*connection);
    EnsureSettingsRows(*connection);
    EXPECT_EQ(Count("Einstellungen"), 3);
    EXPECT_EQ(read(), std::tuple(0, 0, "0"));
    WriteStoreSetting(*connection, 2);
    WritePersStatSetting(*connection, 1);
    WriteOwnCoords(*connection, "1.2.3'");
    EXPECT_EQ(read(), std::tuple(2, 1, "1.2.3'"));
}

TEST(OwnCoordFields, SplitAsTheSettingsFieldsShowThem) {
    const auto fields = [](std::string_view coords) {
        const CoordFields f = SplitOwnCoords(coords);
        return f.first + "|" + f.second + "|" + f.third;
    };
    EXPECT_EQ(fields("1.2.3"), "1|2|3");
    EXPECT_EQ(fields("0"), "||0");
    EXPECT_EQ(fields("1.2"), "1||1.2");
    EXPECT_EQ(fields("5..0"), "5||0");
    EXPECT_EQ(fields(""), "||");
    EXPECT_EQ(JoinOwnCoords(SplitOwnCoords("0")), "..0");
    EXPECT_EQ(JoinOwnCoords({"5", "", "0"}), "5..0");
}

} // namespace
} // namespace skarnwald::testing
