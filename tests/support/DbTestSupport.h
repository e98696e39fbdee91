#pragma once
// A fresh database in a temporary folder, the errors it reported, and the
// checks every test that writes it ends with.

#include "TestFiles.h"
#include "archive/BattleDatabase.h"
#include "archive/Connection.h"
#include "archive/Query.h"
#include "archive/StoredBattlePage.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "text/Utf8Text.h"
#include "writers/HtmlWriter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace skarnwald::testing {

using testfiles::TempFolder;

class CollectingReporter : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view message) override { messages.emplace_back(message); }
    std::vector<std::string> messages;
};

using testfiles::FileBytes;
using testfiles::WriteBytes;

// The first field of the first row of a query, as text.
inline std::string QueryText(CConnection& connection, std::string_view sql, std::string_view field) {
    CStatement query(connection, sql);
    return query.Step() ? query.ReadField(field) : std::string("<no row>");
}

inline int CountRows(CConnection& connection, std::string_view table) {
    return std::stoi(QueryText(connection, "SELECT COUNT(*) AS N FROM " + std::string(table), "N"));
}

// Every text value of the six tables is valid UTF-8 as SQLite hands it to any
// other program (sqlite3_column_text, no conversion on our side).
inline void ExpectAllTextUtf8(CConnection& connection) {
    for (std::string_view table : kTableNames) {
        std::string sql = "SELECT * FROM ";
        sql += table;
        sqlite3_stmt* stmt = nullptr;
        ASSERT_EQ(sqlite3_prepare_v2(connection.Handle(), sql.c_str(), -1, &stmt, nullptr), SQLITE_OK);
        while (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
                const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
                const std::string_view bytes(text ? text : "",
                                             static_cast<std::size_t>(sqlite3_column_bytes(stmt, c)));
                EXPECT_TRUE(IsValidUtf8(bytes))
                    << table << "." << sqlite3_column_name(stmt, c) << ": " << bytes;
            }
        sqlite3_finalize(stmt);
    }
}

// integrity_check passes, no row points at a row that does not exist and all
// text is UTF-8.
inline void ExpectConsistent(CConnection& connection) {
    ExpectAllTextUtf8(connection);
    EXPECT_EQ(QueryText(connection, "PRAGMA integrity_check", "integrity_check"), "ok");
    EXPECT_EQ(QueryText(connection,
                        "SELECT COUNT(*) AS N FROM Agility WHERE BattleID NOT IN (SELECT ID FROM Battles)",
                        "N"),
              "0");
    EXPECT_EQ(
        QueryText(connection,
                  "SELECT COUNT(*) AS N FROM Battle_Details WHERE AgilityID NOT IN (SELECT ID FROM Agility)",
                  "N"),
        "0");
    for (std::string_view table : {"Statistik", "BattleDigest", "BattleAsteroids"})
        EXPECT_EQ(QueryText(connection,
                            "SELECT COUNT(*) AS N FROM " + std::string(table) +
                                " WHERE BattleID NOT IN (SELECT ID FROM Battles)",
                            "N"),
                  "0")
            << table;
}

// A database file in a temporary folder with its connection and store.
class DatabaseFixture : public ::testing::Test {
protected:
    void SetUp() override { Reopen(); }
    void TearDown() override {
        if (connection)
            ExpectConsistent(*connection);
    }

    void Reopen() {
        store.SetConnection(nullptr);
        connection.reset();
        OpenResult opened = CConnection::Open(DbFile());
        ASSERT_TRUE(opened.connection) << opened.error;
        connection = opened.connection;
        connection->SetErrorReporter(&errors);
        store.SetConnection(connection);
    }
    std::filesystem::path DbFile() const { return folder / "Data.dat"; }

    // Converts with the given switches and returns the page.
    std::string Convert(std::string_view report, std::int32_t storeInDb = 1, std::int32_t personalStats = 0,
                        std::string ownCoords = {}) {
        CReportConverter converter;
        converter.ownCoords = std::move(ownCoords);
        CStoringWriter storing(store, {storeInDb, personalStats, converter.ownCoords});
        converter.AddWriter(&storing);
        std::ostringstream page;
        ConvertToPage(converter, report, page);
        return page.str();
    }

    int Count(std::string_view table) { return CountRows(*connection, table); }
    std::string Text(std::string_view sql, std::string_view field) {
        return QueryText(*connection, sql, field);
    }
    void Run(std::string_view sql) { ASSERT_TRUE(RunStatement(*connection, sql)) << sql; }

    TempFolder folder;
    CollectingReporter errors;
    ConnectionPtr connection;
    CBattleDatabase store;
};

} // namespace skarnwald::testing
