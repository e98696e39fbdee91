#include "archive/Connection.h"

#include "archive/BattleDigest.h"
#include "archive/Query.h"

#include <sqlite3.h>

#include <array>
#include <string_view>
#include <utility>

namespace skarnwald {

namespace {

namespace fs = std::filesystem;

constexpr std::array<std::string_view, 6> kSchema = {
    "CREATE TABLE Battles (ID INTEGER PRIMARY KEY, Datum DATETIME, Koords TEXT, Name TEXT)",
    "CREATE TABLE Agility (ID INTEGER PRIMARY KEY, BattleID INTEGER, Agility TEXT, Anzahl TEXT, Schiffsname "
    "TEXT, "
    "Schiffstyp TEXT, Koords TEXT, Name TEXT, Kampftyp INTEGER)",
    "CREATE TABLE Battle_Details (ID INTEGER PRIMARY KEY, AgilityID INTEGER, Waffe TEXT, Tat TEXT, Anzahl "
    "TEXT, "
    "Schiffstyp TEXT, Schiffsname TEXT, Koords TEXT, Name TEXT)",
    "CREATE TABLE Statistik (BattleID INTEGER, Koords TEXT, Typ TEXT, SortierID INTEGER, Shuttle INTEGER, "
    "Fighter INTEGER, Fregatte INTEGER, Corvette INTEGER, StarCruiser INTEGER, BattleShip INTEGER, Doomstar "
    "INTEGER)",
    "CREATE TABLE Einstellungen (Einstellung TEXT PRIMARY KEY, Wert TEXT)",
    "CREATE TABLE PersStat (Typ TEXT PRIMARY KEY, Shuttle INTEGER, Fighter INTEGER, Fregatte INTEGER, "
    "Corvette "
    "INTEGER, Starcruiser INTEGER, Battleship INTEGER, Doomstar INTEGER)",
};

constexpr std::array<std::string_view, 5> kPersStatRows = {"lamed", "destroyed", "verlust", "RoidGewinn",
                                                           "RoidVerlust"};

std::string Quoted(const fs::path& file) {
    std::string quoted(1, '\'');
    quoted += file.string();
    quoted += '\'';
    return quoted;
}

// Collects what went wrong while the file is created or probed.
class CollectingReporter : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view message) override {
        if (first.empty())
            first = message;
    }
    std::string first;
};

bool CreateSchema(CConnection& connection) {
    CTransaction transaction(connection);
    if (!transaction.Active())
        return false;
    if (!RunStatements(connection, kSchema))
        return false;
    CStatement insert(connection, "INSERT INTO PersStat VALUES (?,0,0,0,0,0,0,0)");
    for (std::string_view typ : kPersStatRows)
        if (!insert.Bind({typ}).Run())
            return false;
    return transaction.Commit();
}

// Reads the file without writing to it: an integrity check and the tables.
// Returns why the file cannot be used, or empty text.
std::string Probe(sqlite3* db, const fs::path& file) {
    sqlite3_stmt* stmt = nullptr;
    auto failure = [&](int rc) -> std::string {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_finalize(stmt);
        switch (rc & 0xff) {
        case SQLITE_NOTADB:
            return "Die Datei " + Quoted(file) + " ist keine Skarnwald-Datenbank (" + message + ").";
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "Die Datenbank " + Quoted(file) + " ist von einem anderen Programm gesperrt (" + message +
                   ").";
        default:
            return "Die Datenbank " + Quoted(file) + " ist nicht lesbar (" + message + ").";
        }
    };

    if (int rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &stmt, nullptr); rc != SQLITE_OK)
        return failure(rc);
    int rc = sqlite3_step(stmt);
    if (rc != SQLITE_ROW)
        return failure(rc);
    const std::string verdict = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    stmt = nullptr;
    if (verdict != "ok")
        return "Die Datenbank " + Quoted(file) + " ist beschädigt (" + verdict + ").";

    if (rc =
            sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &stmt, nullptr);
        rc != SQLITE_OK)
        return failure(rc);
    std::array<bool, kTableNames.size()> present{};
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        const std::string_view name = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        for (std::size_t i = 0; i < kTableNames.size(); ++i)
            present[i] = present[i] || SameNameIgnoringCase(name, kTableNames[i]);
    }
    if (rc != SQLITE_DONE)
        return failure(rc);
    sqlite3_finalize(stmt);

    std::string missing;
    for (std::size_t i = 0; i < kTableNames.size(); ++i)
        if (!present[i])
            missing += (missing.empty() ? "" : ", ") + std::string(kTableNames[i]);
    if (!missing.empty())
        return "Die Datei " + Quoted(file) + " ist keine Skarnwald-Datenbank (es fehlen die Tabellen " +
               missing + ").";
    return {};
}

// The archive's own tables beside the six; a file written before they
// existed gets them, and its battles their digests, on first open.
OpenResult WithArchiveTables(ConnectionPtr connection, const fs::path& file) {
    CollectingReporter reporter;
    connection->SetErrorReporter(&reporter);
    const bool ready = EnsureArchiveTables(*connection);
    connection->SetErrorReporter(nullptr);
    if (!ready)
        return {nullptr,
                "Die Datenbank " + Quoted(file) + " kann nicht ergänzt werden (" + reporter.first + ")."};
    return {std::move(connection), {}};
}

} // namespace

OpenResult CConnection::Open(const fs::path& file) {
    std::error_code ec;
    const bool exists = fs::exists(file, ec);
    if (exists && fs::is_directory(file, ec))
        return {nullptr, "Die Datenbank " + Quoted(file) + " ist ein Ordner."};
    // An empty file is what a failed first start or a user's "new file" leaves:
    // it gets the schema like a missing one.
    const bool fresh = !exists || fs::file_size(file, ec) == 0;

    sqlite3* db = nullptr;
    // One thread uses a connection, so SQLite need not lock around every call.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | (fresh ? SQLITE_OPEN_CREATE : 0);
    const int rc = sqlite3_open_v2(file.string().c_str(), &db, flags, nullptr);
    ConnectionPtr connection(new CConnection(db));
    if (rc != SQLITE_OK)
        return {nullptr, "Die Datenbank " + Quoted(file) + " kann nicht geöffnet werden (" +
                             std::string(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)) + ")."};
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    if (sqlite3_db_readonly(db, "main") == 1)
        return {nullptr, "Die Datenbank " + Quoted(file) + " ist schreibgeschützt."};

    if (!fresh) {
        if (std::string why = Probe(db, file); !why.empty())
            return {nullptr, std::move(why)};
        return WithArchiveTables(std::move(connection), file);
    }

    CollectingReporter reporter;
    connection->SetErrorReporter(&reporter);
    const bool created = CreateSchema(*connection);
    connection->SetErrorReporter(nullptr);
    if (!created) {
        connection.reset();
        if (!exists)
            fs::remove(file, ec);
        return {nullptr,
                "Die Datenbank " + Quoted(file) + " kann nicht angelegt werden (" + reporter.first + ")."};
    }
    return WithArchiveTables(std::move(connection), file);
}

CConnection::~CConnection() {
    for (auto& [sql, stmt] : statements_)
        sqlite3_finalize(stmt);
    sqlite3_close_v2(db_);
}

void CConnection::ReportDbError(std::string_view message) const {
    if (reporter_)
        reporter_->ReportDbError(message);
}

void CConnection::ReportLastError() const {
    ReportDbError(sqlite3_errmsg(db_));
}

sqlite3_stmt* CConnection::TakeStatement(std::string_view sql, sqlite3_stmt**& slot) {
    auto cached = statements_.find(sql);
    if (cached == statements_.end())
        cached = statements_.emplace(std::string(sql), nullptr).first;
    slot = &cached->second; // map nodes never move
    if (sqlite3_stmt* stmt = std::exchange(*slot, nullptr))
        return stmt;
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &stmt,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    return stmt;
}

void CConnection::ReturnStatement(sqlite3_stmt** slot, sqlite3_stmt* stmt) {
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    if (*slot)
        sqlite3_finalize(stmt); // a second user of the same text: keep one
    else
        *slot = stmt;
}

} // namespace skarnwald
