// The archive over the stored battles: each battle stored and counted once,
// finding, deleting and exporting battles, and the figures over time.

#include "DbTestSupport.h"
#include "StoredReport.h"
#include "text/OperaJoin.h"

#include "archive/BattleBrowser.h"
#include "archive/BattleDigest.h"
#include "archive/BattleTimeline.h"
#include "archive/CsvExport.h"
#include "archive/PersonalRecord.h"
#include "archive/TextRepair.h"

namespace skarnwald::testing {
namespace {

// The own planet 8.8.1 is attacked and then strikes back.
constexpr std::string_view kAttacked = "20.05.2026 03:10:00 Uhr Battle at [ 8.8.1 ] Heimat\n"
                                       "Agility 22 [90/90] Frigate (Schild) from 8.8.1 Wenzel\n"
                                       "Gun destroyed [6/40] Battleship (Axt) from 1.9.4 Grimm\n"
                                       "Agility 9 [40/40] Battleship (Axt) from 1.9.4 Grimm\n"
                                       "Ram destroyed [25/90] Frigate (Schild) from 8.8.1 Wenzel\n"
                                       "Roid-Capture : [1.9.4] Grimm has captured 20 Roids\n";
constexpr std::string_view kStrikeBack = "21.05.2026 05:30:00 Uhr Battle at [ 10.9.4 ] Grimms Nest\n"
                                         "Agility 22 [65/65] Frigate (Schild) from 8.8.1 Wenzel\n"
                                         "Gun destroyed [10/34] Battleship (Axt) from 10.9.4 Grimm\n"
                                         "Agility 9 [34/34] Battleship (Axt) from 10.9.4 Grimm\n"
                                         "Roid-Capture : [8.8.1] Wenzel has captured 9 Roids\n";

std::string Both() {
    return std::string(kAttacked) + std::string(kStrikeBack);
}

class ArchiveTest : public DatabaseFixture {
protected:
    std::string ConvertOwn(std::string_view report) { return Convert(report, 1, 1, "8.8.1"); }

    // The personal record as one text: the seven classes of the three kinds
    // and the two asteroid counts.
    std::string Record() {
        std::string record;
        CStatement rows(*connection, "SELECT * FROM PersStat ORDER BY Typ");
        while (rows.Step()) {
            record += rows.ReadField("Typ") + ":";
            for (std::string_view column : kPersStatColumns)
                record += " " + rows.ReadField(column);
            record += "\n";
        }
        return record;
    }

    std::vector<std::int32_t> Found(const BattleFilter& filter) {
        std::vector<std::int32_t> ids;
        const auto battles = FindBattles(*connection, filter);
        for (const StoredBattle& battle : battles.value())
            ids.push_back(battle.id);
        return ids;
    }

    void ExpectStoredOnce() {
        EXPECT_EQ(Count("Battles"), 2);
        EXPECT_EQ(Count("Agility"), 4);
        EXPECT_EQ(Count("Battle_Details"), 3);
        EXPECT_EQ(Count("BattleDigest"), 2);
        // The ids of a battle left out are given again to the next one.
        EXPECT_EQ(Text("SELECT MAX(ID) AS M FROM Agility", "M"), "4");
        EXPECT_EQ(Text("SELECT MAX(ID) AS M FROM Battle_Details", "M"), "3");
    }
};

TEST_F(ArchiveTest, TheSameBattlesAreStoredAndCountedOnceWhileEveryPageIsWritten) {
    const std::string firstPage = ConvertOwn(kAttacked);
    EXPECT_EQ(store.SkippedBattles(), 0);
    const auto firstStatistics = Count("Statistik");
    // One stored battle and one new one: only the new one is added.
    ConvertOwn(Both());
    EXPECT_EQ(store.SkippedBattles(), 1);
    const auto statistics = Count("Statistik");
    EXPECT_GT(statistics, firstStatistics);
    const std::string record = Record();
    EXPECT_NE(record.find("destroyed: 0 0 0 0 0 16 0"), std::string::npos) << record;
    EXPECT_NE(record.find("verlust: 0 0 25 0 0 0 0"), std::string::npos) << record;
    EXPECT_NE(record.find("RoidGewinn: 9"), std::string::npos) << record;
    EXPECT_NE(record.find("RoidVerlust: 20"), std::string::npos) << record;

    // Again, within one conversion too: nothing stored, nothing counted, the page as before.
    ConvertOwn(Both() + Both());
    EXPECT_EQ(store.SkippedBattles(), 4);
    EXPECT_EQ(ConvertOwn(kAttacked), firstPage);
    ExpectStoredOnce();
    EXPECT_EQ(Count("Statistik"), statistics);
    EXPECT_EQ(Record(), record);

    // After "Stats löschen" the same record as converting both battles once
    // into an empty file.
    ASSERT_TRUE(DeleteAllBattles(*connection));
    ASSERT_TRUE(ResetPersonalRecord(*connection));
    ConvertOwn(Both());
    EXPECT_EQ(Record(), record);
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(ArchiveTest, TheRecordCountsABattleOnceWhetherStoredDeletedOrNot) {
    struct Case {
        const char* what;
        std::int32_t storeFirst, storeAgain;
        bool deleteBetween;
    };
    for (const Case& c : {Case{"stored, then again", 1, 1, false}, Case{"stored, deleted, again", 1, 1, true},
                          Case{"never stored", 0, 0, false}, Case{"stored only the second time", 0, 1, false},
                          Case{"stored only the first time", 1, 0, false}}) {
        ASSERT_TRUE(DeleteAllBattles(*connection));
        ASSERT_TRUE(ResetPersonalRecord(*connection));
        Convert(kAttacked, c.storeFirst, 1, "8.8.1");
        const std::string once = Record();
        if (c.deleteBetween) {
            ASSERT_TRUE(DeleteAllBattles(*connection));
        }
        Convert(kAttacked, c.storeAgain, 1, "8.8.1");
        EXPECT_EQ(Record(), once) << c.what;
        EXPECT_NE(once.find("verlust: 0 0 25"), std::string::npos) << c.what << "\n" << once;
    }
    EXPECT_TRUE(errors.messages.empty());
}

TEST_F(ArchiveTest, ABattleConvertedWithWrongKoordsCountsOnceTheyAreRight) {
    for (const std::int32_t store : {0, 1}) {
        ASSERT_TRUE(DeleteAllBattles(*connection));
        ASSERT_TRUE(ResetPersonalRecord(*connection));
        Convert(kAttacked, store, 1, "9.9.9");
        EXPECT_EQ(Count("PersStatCounted"), 0) << store;
        Convert(kAttacked, store, 1, "8.8.1");
        const std::string counted = Record();
        EXPECT_NE(counted.find("verlust: 0 0 25"), std::string::npos) << store << "\n" << counted;
        Convert(kAttacked, store, 1, "8.8.1");
        EXPECT_EQ(Record(), counted) << store;
    }
}

TEST(PersonalRecordMemory, ArchivesFromBeforeTheMemoryCountTheirStoredBattlesAsCounted) {
    TempFolder folder;
    const auto file = folder / "Data.dat";
    {
        OpenResult opened = CConnection::Open(file);
        ASSERT_TRUE(opened.connection);
        CBattleDatabase store;
        store.SetConnection(opened.connection);
        CReportConverter converter;
        CStoringWriter storing(store, {1, 1, "8.8.1"});
        converter.AddWriter(&storing);
        std::ostringstream page;
        ConvertToPage(converter, kAttacked, page);
        ASSERT_TRUE(RunStatement(*opened.connection, "DROP TABLE PersStatCounted"));
    }
    OpenResult reopened = CConnection::Open(file);
    ASSERT_TRUE(reopened.connection);
    EXPECT_EQ(QueryText(*reopened.connection, "SELECT COUNT(*) AS N FROM PersStatCounted", "N"), "1");
}

// Every hit combat line stored from the samples holds the coordinates of a
// fleet line of the owner it names: the fleet hit. Turned back into the old
// format (the firing fleet's coordinates), the archive is mended on opening
// to the same rows, keeps every digest, and the samples converted again are
// all known battles that add nothing to the record. Where the owner's fleet
// lines give several coordinates, the old row stays as it was.
TEST(CombatLineCoords, HitLinesNameTheFleetHitAndOldArchivesAreMendedKeepingTheirBattles) {
    const std::string ambiguous = "20.05.2026 03:10:00 Uhr Battle at [ 8.8.1 ] Heimat\n"
                                  "Agility 22 [90/90] Frigate (Schild) from 8.8.1 Wenzel\n"
                                  "Agility 9 [40/40] Battleship (Axt) from 1.9.4 Grimm\n"
                                  "Ram destroyed [25/90] Frigate (Schild) from 8.8.1 Wenzel\n"
                                  "Agility 9 [40/40] Battleship (Axt) from 2.9.4 Grimm\n"
                                  "Ram destroyed [5/90] Frigate (Schild) from 8.8.1 Wenzel\n"
                                  "Agility 22 [65/65] Frigate (Schild) from 8.8.1 Wenzel\n"
                                  "Gun destroyed [10/34] Battleship (Axt) from 2.9.4 Grimm\n";
    std::vector<std::pair<std::string, std::string>> reports = {{"ambiguous", ambiguous}};
    for (const auto& entry : std::filesystem::directory_iterator(SKARNWALD_SAMPLES))
        if (const std::string text = PrepareCopiedReport(NormaliseText(FileBytes(entry.path())));
            text.find("Battle at") != text.npos)
            reports.emplace_back(entry.path().filename().string(), text);
    constexpr std::string_view kHits =
        " FROM Battle_Details d JOIN Agility p ON p.ID = d.AgilityID WHERE d.Tat IN "
        "('lamed', 'destroyed')";
    const std::string rows = "SELECT group_concat(d.ID || ':' || d.Koords, ' ') AS R" + std::string(kHits);
    for (const auto& [name, report] : reports) {
        SCOPED_TRACE(name);
        TempFolder folder;
        ConnectionPtr connection = CConnection::Open(folder / "Data.dat").connection;
        ASSERT_TRUE(connection);
        StoreReport(connection, report, "8.8.1");
        const std::string own =
            QueryText(*connection, "SELECT Koords FROM Agility ORDER BY ID LIMIT 1", "Koords");
        ASSERT_TRUE(DeleteAllBattles(*connection) && ResetPersonalRecord(*connection));
        StoreReport(connection, report, own);
        EXPECT_NE(QueryText(*connection, "SELECT COUNT(*) AS N" + std::string(kHits), "N"), "0");
        EXPECT_EQ(QueryText(*connection,
                            "SELECT COUNT(*) AS N" + std::string(kHits) +
                                " AND NOT EXISTS (SELECT 1 FROM Agility f WHERE f.BattleID = p.BattleID "
                                "AND trim(f.Name) = trim(d.Name) AND f.Koords = d.Koords)",
                            "N"),
                  "0");
        const std::string fresh = QueryText(*connection, rows, "R");
        const std::string digests =
            QueryText(*connection, "SELECT group_concat(Digest) AS D FROM BattleDigest", "D");
        const std::string counted = QueryText(*connection, "SELECT COUNT(*) AS N FROM PersStatCounted", "N");
        const std::string record =
            QueryText(*connection,
                      "SELECT group_concat(Shuttle + Fighter + Fregatte + "
                      "Corvette + Starcruiser + Battleship + Doomstar) AS S FROM PersStat",
                      "S");

        ASSERT_TRUE(RunStatement(*connection,
                                 "UPDATE Battle_Details SET Koords = (SELECT Koords FROM Agility "
                                 "WHERE ID = AgilityID) WHERE Tat IN ('lamed', 'destroyed')"));
        ASSERT_TRUE(SetArchiveFormat(*connection, 0));
        const std::string old = QueryText(*connection, rows, "R");
        connection = CConnection::Open(folder / "Data.dat").connection;
        ASSERT_TRUE(connection);
        EXPECT_EQ(ArchiveFormat(*connection), kArchiveFormat);
        const std::string mended = QueryText(*connection, rows, "R");
        if (name == "ambiguous")
            EXPECT_EQ(mended, "1:8.8.1 2:8.8.1 3:8.8.1"); // Grimm at 1.9.4 and 2.9.4: as it was
        else
            EXPECT_EQ(mended, fresh) << old;
        CStatement stored(*connection, "SELECT BattleID, Digest FROM BattleDigest");
        while (stored.Step())
            EXPECT_EQ(DigestOfStoredBattle(*connection, stored.ColumnInt(0)), stored.ReadField("Digest"));

        const std::string battles = QueryText(*connection, "SELECT COUNT(*) AS N FROM Battles", "N");
        StoreReport(connection, report, own);
        EXPECT_EQ(QueryText(*connection, "SELECT COUNT(*) AS N FROM Battles", "N"), battles);
        EXPECT_EQ(QueryText(*connection, "SELECT group_concat(Digest) AS D FROM BattleDigest", "D"), digests);
        EXPECT_EQ(QueryText(*connection, "SELECT COUNT(*) AS N FROM PersStatCounted", "N"), counted);
        EXPECT_EQ(QueryText(*connection,
                            "SELECT group_concat(Shuttle + Fighter + Fregatte + Corvette + "
                            "Starcruiser + Battleship + Doomstar) AS S FROM PersStat",
                            "S"),
                  record);
    }
}

TEST(BattleDigestTest, DigestsMatchThoseAlreadyStoredInFiles) {
    // Files keep the digests of their battles: the bytes fed and their order
    // must never change (kind tag, then each value as its length + 1 in eight
    // little-endian bytes and its text, 0 for NULL). Hashing row by row or
    // the whole battle at the end gives the same digest, also after Reset().
    for (const bool wholeBattle : {false, true}) {
        CBattleDigest digest(wholeBattle);
        digest.Add(BattleRowIdentity{"left over", "from", "before"});
        digest.Reset();
        digest.Add(BattleRowIdentity{"2004-03-12 14:07:09", "1.2.3", "Home"});
        digest.Add(FleetLineIdentity{"Agility 5", "[50/50]", "(Tank)", " Corvette ", "1.2.3", std::nullopt});
        digest.Add(CombatLineIdentity{"Laser", "lamed", "3", "", "(Tank)", "4.5.6", " Keeper"});
        EXPECT_EQ(digest.Finish(), "dd792272d70606991a591a04aa26aa9dae7819d563aaa5ff1e7000206be87a22")
            << wholeBattle;
    }
}

TEST_F(ArchiveTest, ADifferentLineMakesADifferentBattle) {
    ConvertOwn(kAttacked);
    std::string changed(kAttacked);
    changed.replace(changed.find("[6/40]"), 6, "[7/40]");
    ConvertOwn(changed);
    EXPECT_EQ(store.SkippedBattles(), 0);
    EXPECT_EQ(Count("Battles"), 2);
}

TEST_F(ArchiveTest, BattlesStoredBeforeARestartOrBeforeTheDigestsExistedAreRecognised) {
    ConvertOwn(Both());
    Reopen();
    ConvertOwn(kStrikeBack);
    EXPECT_EQ(store.SkippedBattles(), 1);

    // A file of an earlier version: the six tables only, one battle twice.
    Run("DROP TABLE BattleDigest");
    Run("DROP TABLE BattleAsteroids");
    Run("DROP INDEX AgilityByBattle");
    Convert(kAttacked, 1);
    EXPECT_EQ(Count("Battles"), 3);
    Reopen();
    EXPECT_EQ(Count("BattleDigest"), 3);
    EXPECT_EQ(Text("SELECT COUNT(DISTINCT Digest) AS N FROM BattleDigest", "N"), "2");
    // The digests of the old rows equal those computed while storing.
    EXPECT_EQ(DigestOfStoredBattle(*connection, 1), DigestOfStoredBattle(*connection, 3));
    ConvertOwn(Both());
    EXPECT_EQ(store.SkippedBattles(), 2);
    EXPECT_EQ(Count("Battles"), 3);
}

TEST_F(ArchiveTest, AnOlderFilesWindows1252RowsMatchTheSameBattleReadAsUtf8) {
    Run("INSERT INTO Battles VALUES (1, '2004-03-12 14:07:09', '1.2.3', CAST(X'53FC64' AS TEXT))");
    Run("INSERT INTO Agility VALUES (1, 1, 'Agility 5', '[50/50]', '(Tank)', ' Corvette ', '1.2.3', "
        "CAST(X'204AF67267' AS TEXT), 1)");
    Run("DROP TABLE BattleDigest");
    Reopen();
    Convert("12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Süd\n"
            "Agility 5 [50/50] Corvette (Tank) from 1.2.3 Jörg\n");
    EXPECT_EQ(store.SkippedBattles(), 1);
    EXPECT_EQ(Count("Battles"), 1);
    // Rewriting the old text as UTF-8 keeps the battle recognised.
    EXPECT_EQ(RepairStoredText(*connection), 2);
    Convert("12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Süd\n"
            "Agility 5 [50/50] Corvette (Tank) from 1.2.3 Jörg\n");
    EXPECT_EQ(store.SkippedBattles(), 1);
}

TEST_F(ArchiveTest, DeletingOneBattleTakesAllItsRowsAndLetsItBeStoredAgain) {
    ConvertOwn(Both());
    EXPECT_EQ(DeleteBattle(*connection, 1), DeleteOutcome::Deleted);
    EXPECT_EQ(Count("Battles"), 1);
    EXPECT_EQ(Count("Agility"), 2);
    EXPECT_EQ(Count("Battle_Details"), 1);
    EXPECT_EQ(Count("Statistik"), 10);
    EXPECT_EQ(Count("BattleAsteroids"), 1);
    EXPECT_EQ(DeleteBattle(*connection, 1), DeleteOutcome::Unknown);
    EXPECT_EQ(DeleteBattle(*connection, 99), DeleteOutcome::Unknown);

    ConvertOwn(kAttacked);
    EXPECT_EQ(store.SkippedBattles(), 0);
    EXPECT_EQ(Count("Battles"), 2);
}

TEST_F(ArchiveTest, AFailedDeleteLeavesTheBattleWhole) {
    ConvertOwn(kAttacked);
    Run("CREATE TRIGGER KeepStatistik BEFORE DELETE ON Statistik BEGIN SELECT RAISE(ABORT, 'kept'); END");
    EXPECT_EQ(DeleteBattle(*connection, 1), DeleteOutcome::Failed);
    EXPECT_EQ(Count("Battle_Details"), 2);
    EXPECT_EQ(Count("Agility"), 2);
    Run("DROP TRIGGER KeepStatistik");
}

TEST_F(ArchiveTest, SearchDateRangeAndOrder) {
    Run("INSERT INTO Battles VALUES (1, '2026-05-20 03:10:00', '10.1.1', 'Heimat'), "
        "(2, '2026-05-21 05:30:00', '2.1.1', 'Nest 50%'), (3, NULL, '9.9.9', 'Ohne Datum'), "
        "(4, '2026-05-22 00:00:00', 'x', 'Grenze')");
    Run("INSERT INTO Agility (ID, BattleID, Koords, Name) VALUES (1, 1, '7.7.7', ' O''Brien'), "
        "(2, 4, '2.1.1', ' Müller')");
    const auto with = [](std::string search) {
        BattleFilter filter;
        filter.search = std::move(search);
        return filter;
    };
    using Ids = std::vector<std::int32_t>;
    EXPECT_EQ(Found(with("")), (Ids{3, 1, 2, 4}));
    EXPECT_EQ(Found(with("  2.1.1 ")), (Ids{2, 4})); // own coordinates or a fleet's
    EXPECT_EQ(Found(with("o'brien")), (Ids{1}));     // a fleet owner, either case
    EXPECT_EQ(Found(with("Müller")), (Ids{4}));
    EXPECT_EQ(Found(with("50%")), (Ids{2})); // wildcards taken as they stand
    EXPECT_EQ(Found(with("_")), Ids{});

    BattleFilter range;
    range.from = "2026-05-21";
    range.to = "2026-05-22";
    EXPECT_EQ(Found(range), (Ids{2, 4}));
    range.from.clear();
    range.to = "2026-05-20";
    EXPECT_EQ(Found(range), (Ids{1}));

    BattleFilter order;
    order.order = BattleOrder::NewestFirst;
    EXPECT_EQ(Found(order), (Ids{4, 2, 1, 3}));
    order.order = BattleOrder::Coords; // numbers, not text; others last
    EXPECT_EQ(Found(order), (Ids{2, 3, 1, 4}));
}

TEST_F(ArchiveTest, FiguresOverTimeEqualTheSumsOfTheStoredRows) {
    ConvertOwn(Both());
    const auto battles = LoadBattleFigures(*connection, "8.8.1");
    ASSERT_TRUE(battles);
    ASSERT_EQ(battles->size(), 2u);
    // Summed here row by row from the tables the figures come from.
    for (const BattleFigures& battle : *battles) {
        const std::string id = std::to_string(battle.battleId);
        std::int64_t lost = 0;
        CStatement losses(*connection, "SELECT * FROM Statistik WHERE Typ = 'Verlust' AND Koords = '8.8.1' "
                                       "AND BattleID = " +
                                           id);
        while (losses.Step())
            for (std::string_view column : kPersStatColumns)
                lost += losses.ReadInt(column);
        std::int64_t destroyed = 0;
        CStatement kills(*connection, "SELECT d.Anzahl AS N FROM Battle_Details d, Agility a WHERE a.ID = "
                                      "d.AgilityID AND d.Tat = 'destroyed' AND a.Koords = '8.8.1' AND "
                                      "a.BattleID = " +
                                          id);
        while (kills.Step())
            destroyed += kills.ReadInt("N");
        EXPECT_EQ(battle.shipsLost, lost) << id;
        EXPECT_EQ(battle.shipsDestroyed, destroyed) << id;
    }
    EXPECT_EQ((*battles)[0].shipsLost, 25);
    EXPECT_EQ((*battles)[0].roidsLost, 20);
    EXPECT_EQ((*battles)[1].shipsDestroyed, 10);
    EXPECT_EQ((*battles)[1].roidsWon, 9);

    const auto days = SumPerPeriod(*battles, TimelineStep::Day);
    ASSERT_EQ(days.size(), 2u);
    EXPECT_EQ(days[0].period, "2026-05-20");
    EXPECT_EQ(days[1].period, "2026-05-21");
    const auto weeks = SumPerPeriod(*battles, TimelineStep::Week);
    ASSERT_EQ(weeks.size(), 1u);
    EXPECT_EQ(weeks[0].period, "2026-W21");
    EXPECT_EQ(weeks[0].battles, 2);
    EXPECT_EQ(weeks[0].shipsLost, days[0].shipsLost + days[1].shipsLost);
    EXPECT_EQ(weeks[0].shipsDestroyed, 16);
    EXPECT_EQ(weeks[0].roidsWon + weeks[0].roidsLost, 29);

    // Without own coordinates no fleet is the user's.
    EXPECT_EQ(LoadBattleFigures(*connection, "").value()[0].shipsLost, 0);
}

TEST(TimelinePeriods, IsoWeeksAcrossTheTurnOfTheYear) {
    EXPECT_EQ(PeriodOf("2021-01-03 10:00:00", TimelineStep::Week), "2020-W53");
    EXPECT_EQ(PeriodOf("2021-01-04 10:00:00", TimelineStep::Week), "2021-W01");
    EXPECT_EQ(PeriodOf("2024-12-30 00:00:00", TimelineStep::Week), "2025-W01");
    EXPECT_EQ(PeriodOf("2024-02-29 23:59:59", TimelineStep::Day), "2024-02-29");
    EXPECT_EQ(PeriodOf("2023-02-29 00:00:00", TimelineStep::Day), std::nullopt);
    EXPECT_EQ(PeriodOf("12.03.2004", TimelineStep::Day), std::nullopt);
}

TEST_F(ArchiveTest, CsvFilesHoldTheChosenBattlesWithEveryFieldQuoted) {
    Run("INSERT INTO Battles VALUES (1, '2026-05-20 03:10:00', '1.2.3', 'a \"b\", c; d\nzweite Zeile ä'), "
        "(2, NULL, '4.5.6', 'leer')");
    Run("INSERT INTO Agility (ID, BattleID, Name, Kampftyp) VALUES (5, 1, 'Ö,\"', 1), (6, 2, 'x', 0)");
    const std::int32_t ids[] = {1};
    const auto result = ExportBattlesAsCsv(*connection, ids, folder / "csv" / "neu", kAllCsvTables);
    ASSERT_EQ(result.error, "");
    ASSERT_EQ(result.written.size(), 3u);
    EXPECT_EQ(FileBytes(folder / "csv" / "neu" / "kaempfe.csv"),
              "\"ID\",\"Datum\",\"Koords\",\"Name\"\r\n"
              "\"1\",\"2026-05-20 03:10:00\",\"1.2.3\",\"a \"\"b\"\", c; d\nzweite Zeile ä\"\r\n");
    EXPECT_NE(FileBytes(folder / "csv" / "neu" / "flottenzeilen.csv")
                  .find("\"5\",\"1\",\"\",\"\",\"\",\"\",\"\",\"Ö,\"\"\",\"1\""),
              std::string::npos);
    EXPECT_EQ(FileBytes(folder / "csv" / "neu" / "kampfzeilen.csv"),
              "\"ID\",\"AgilityID\",\"BattleID\",\"Waffe\",\"Tat\",\"Anzahl\",\"Schiffstyp\",\"Schiffsname\","
              "\"Koords\",\"Name\"\r\n");

    WriteBytes(folder / "blocked", "a file where the folder should be");
    EXPECT_NE(ExportBattlesAsCsv(*connection, ids, folder / "blocked", kAllCsvTables).error, "");
}

} // namespace
} // namespace skarnwald::testing
