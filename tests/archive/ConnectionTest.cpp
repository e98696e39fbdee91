// Opening Data.dat: a new or empty file gets the schema; any other file is
// probed and, when it cannot be used, reported and left exactly as it was.

#include "DbTestSupport.h"

#include <sqlite3.h>

#include <chrono>

namespace skarnwald::testing {
namespace {

class OpenTest : public ::testing::Test {
protected:
    std::filesystem::path File() const { return folder / "Data.dat"; }

    // Opening must fail, name the reason, and leave the file and its folder
    // as they were.
    void ExpectRefused(std::string_view reason) {
        const std::string before = FileBytes(File());
        const OpenResult opened = CConnection::Open(File());
        EXPECT_FALSE(opened.connection);
        EXPECT_NE(opened.error.find(reason), std::string::npos) << opened.error;
        // In the player's words: no message of SQLite's in parentheses.
        EXPECT_EQ(opened.error.find('('), std::string::npos) << opened.error;
        EXPECT_EQ(FileBytes(File()), before);
        EXPECT_FALSE(std::filesystem::exists(folder / "Data.dat-journal"));
        EXPECT_FALSE(std::filesystem::exists(folder / "Data.dat-wal"));
    }

    TempFolder folder;
};

void ExpectFreshSchema(CConnection& connection) {
    for (std::string_view table : {"Battles", "Agility", "Battle_Details", "Statistik", "Einstellungen"})
        EXPECT_EQ(CountRows(connection, table), 0) << table;
    EXPECT_EQ(QueryText(connection,
                        "SELECT group_concat(Typ, ',') AS T FROM (SELECT Typ FROM PersStat ORDER BY Typ)",
                        "T"),
              "RoidGewinn,RoidVerlust,destroyed,lamed,verlust");
    EXPECT_EQ(
        QueryText(connection,
                  "SELECT SUM(Shuttle + Fighter + Fregatte + Corvette + StarCruiser + BattleShip + Doomstar) "
                  "AS S FROM PersStat",
                  "S"),
        "0");
    // Statistik takes its values by position.
    EXPECT_EQ(
        QueryText(connection, "SELECT group_concat(name, ',') AS C FROM pragma_table_info('Statistik')", "C"),
        "BattleID,Koords,Typ,SortierID,Shuttle,Fighter,Fregatte,Corvette,StarCruiser,BattleShip,Doomstar");
}

TEST_F(OpenTest, MissingOrEmptyFileGetsTheSchema) {
    OpenResult opened = CConnection::Open(File());
    ASSERT_TRUE(opened.connection) << opened.error;
    ExpectFreshSchema(*opened.connection);
    opened.connection.reset();

    std::filesystem::remove(File());
    WriteBytes(File(), "");
    opened = CConnection::Open(File());
    ASSERT_TRUE(opened.connection) << opened.error;
    ExpectFreshSchema(*opened.connection);
}

TEST_F(OpenTest, ExistingDatabaseKeepsItsRows) {
    {
        OpenResult opened = CConnection::Open(File());
        ASSERT_TRUE(opened.connection);
        ASSERT_TRUE(RunStatement(*opened.connection, "INSERT INTO Battles (ID, Name) VALUES (7, 'Home')"));
    }
    OpenResult opened = CConnection::Open(File());
    ASSERT_TRUE(opened.connection) << opened.error;
    EXPECT_EQ(QueryText(*opened.connection, "SELECT * FROM Battles", "Name"), "Home");
}

TEST_F(OpenTest, TextFileIsRefusedUntouched) {
    WriteBytes(File(), "12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Home\n" + std::string(5000, 'x'));
    ExpectRefused("keine Skarnwald-Datenbank");
}

TEST_F(OpenTest, ForeignSqliteDatabaseIsRefusedUntouched) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(File().c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "CREATE TABLE Battles (ID INTEGER); CREATE TABLE Notes (T TEXT);", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    ExpectRefused("ist keine Skarnwald-Datenbank.");
}

TEST_F(OpenTest, DamagedDatabaseIsRefusedUntouched) {
    {
        OpenResult opened = CConnection::Open(File());
        ASSERT_TRUE(opened.connection);
        ASSERT_TRUE(
            RunStatement(*opened.connection,
                         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 200) "
                         "INSERT INTO Battles (Name) SELECT printf('%0100d', i) FROM n"));
    }
    // Garble the middle of the file, keeping its header intact.
    std::string bytes = FileBytes(File());
    ASSERT_GT(bytes.size(), 12000u);
    for (std::size_t i = 8192; i < 12000; ++i)
        bytes[i] = static_cast<char>(i * 7);
    WriteBytes(File(), bytes);
    ExpectRefused("ist beschädigt.");
    // The browser's own archive is opened on its schema alone: the damage
    // shows only where a query reaches it.
    EXPECT_TRUE(CConnection::Open(File(), OpenCheck::SchemaOnly).connection);
}

// A file taken in is read as it stands: one without anything in it, or with
// anything but an archive, is named as such.
TEST_F(OpenTest, FilesThatHoldNoArchiveAreNamedForReading) {
    for (const auto& [bytes, said] : {std::pair<std::string, std::string_view>{"", "ist leer."},
                                      {std::string(5000, 'x'), "ist keine Skarnwald-Datenbank."}}) {
        WriteBytes(File(), bytes);
        const OpenResult opened = CConnection::OpenForReading(File());
        EXPECT_FALSE(opened.connection);
        EXPECT_EQ(opened.error, "Die Datei '" + File().string() + "' " + std::string(said));
    }
}

TEST_F(OpenTest, FolderIsRefused) {
    std::filesystem::create_directory(File());
    const OpenResult opened = CConnection::Open(File());
    EXPECT_FALSE(opened.connection);
    EXPECT_NE(opened.error.find("Ordner"), std::string::npos);
}

// Another program holding the file locked: a clear message after the busy
// timeout, not a hang.
class LockedDatabaseTest : public DatabaseFixture {
protected:
    void LockFromAnotherConnection() {
        ASSERT_EQ(sqlite3_open(DbFile().c_str(), &other_), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(other_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    }
    void TearDown() override {
        sqlite3_exec(other_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other_);
        DatabaseFixture::TearDown();
    }
    sqlite3* other_ = nullptr;
};

TEST_F(LockedDatabaseTest, OpeningGivesAClearMessage) {
    LockFromAnotherConnection();
    const auto start = std::chrono::steady_clock::now();
    const OpenResult opened = CConnection::Open(DbFile());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_FALSE(opened.connection);
    EXPECT_NE(opened.error.find("von einem anderen Programm gesperrt"), std::string::npos) << opened.error;
}

TEST_F(LockedDatabaseTest, ConversionReportsOnceAndStillWritesThePage) {
    LockFromAnotherConnection();
    const std::string page = Convert("12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Home\n"
                                     "Agility 5 [50/50] Corvette (Tank) from 1.2.3 Keeper\n");
    EXPECT_NE(page.find("Keeper"), std::string::npos);
    EXPECT_EQ(errors.messages, std::vector<std::string>{"database is locked"});
    sqlite3_exec(other_, "ROLLBACK", nullptr, nullptr, nullptr);
    EXPECT_EQ(Count("Battles"), 0);
    Convert("12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Home\n");
    EXPECT_EQ(Count("Battles"), 1);
}

} // namespace
} // namespace skarnwald::testing
