#pragma once
// Archives changed behind the program's back, as files passed around by other
// players may be: objects it never makes in the schema, and rows it never
// writes (tests/data/hostile-rows.sql, one case per "-- " heading).

#include "StoredReport.h"
#include "archive/Connection.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald::testing {

struct ForeignSchemaCase {
    std::string_view sql;
    std::string_view named; // how the refusal names what it found
};

inline constexpr ForeignSchemaCase kForeignSchemas[] = {
    {"CREATE TRIGGER wipe AFTER INSERT ON Battles BEGIN DELETE FROM Agility WHERE BattleID <> NEW.ID; "
     "UPDATE Einstellungen SET Wert='0' WHERE Einstellung='PersStat'; END; "
     "CREATE VIEW v AS SELECT * FROM Battles;",
     "Trigger wipe, View v"},
    {"CREATE VIRTUAL TABLE notes USING fts5(x);", "virtuelle Tabelle notes"},
    // Edited in place: a trigger never created through SQL, and a table of the
    // program's that gained a CHECK constraint.
    {"PRAGMA writable_schema = ON; "
     "INSERT INTO sqlite_master VALUES ('trigger', 'sneak', 'Battles', 0, 'CREATE TRIGGER sneak AFTER INSERT "
     "ON Battles BEGIN DELETE FROM Agility; END'); "
     "UPDATE sqlite_master SET sql = replace(sql, 'Wert TEXT', 'Wert TEXT CHECK (Wert <> ''x'')') "
     "WHERE name = 'Einstellungen'; PRAGMA writable_schema = OFF;",
     "Trigger sneak, veränderte Tabelle Einstellungen"},
};

// Runs `sql` on `file` as any other SQLite program would.
inline void ChangeBehindTheProgramsBack(const std::filesystem::path& file, std::string_view sql) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, std::string(sql).c_str(), nullptr, nullptr, &error);
    const std::string message = error ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message << "\n" << sql;
}

// A new archive at `file` that stores battles and keeps the personal record
// for the own coordinates 1.2.3, holding kStoredReport.
inline void MakeStoredArchive(const std::filesystem::path& file) {
    OpenResult opened = CConnection::Open(file);
    ASSERT_TRUE(opened.connection) << opened.error;
    ChangeBehindTheProgramsBack(file, "INSERT INTO Einstellungen VALUES ('DBSpeichern', '1'), "
                                      "('PersStat', '1'), ('Koords', '1.2.3')");
    StoreReport(opened.connection, kStoredReport);
}

struct HostileRowsCase {
    std::string name;
    std::string sql;
};

inline std::vector<HostileRowsCase> HostileRowsCases() {
    std::ifstream in(std::filesystem::path(SKARNWALD_TEST_DATA) / "hostile-rows.sql");
    std::vector<HostileRowsCase> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with("-- "))
            cases.push_back({line.substr(3), {}});
        else if (!cases.empty())
            cases.back().sql += line + "\n";
    }
    return cases;
}

} // namespace skarnwald::testing
