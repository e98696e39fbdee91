// Converts arbitrary bytes, normalised to UTF-8 as every front end does, as a
// report into a new in-memory battle database, then renders one stored
// battle again. The first byte picks the settings and the battle; the
// report's header dates also go through the date reader on their own. Traps
// when a database call fails, when a stored row hangs under a row that does
// not exist, when a stored text or a rendered page is not UTF-8, or when a
// read date does not read back as itself.

#include "FuzzSupport.h"
#include "archive/BattleDatabase.h"
#include "archive/Connection.h"
#include "archive/Query.h"
#include "archive/StoredBattlePage.h"
#include "archive/StoringWriter.h"
#include "reading/LineParts.h"
#include "reading/ReportConverter.h"
#include "text/Utf8Text.h"

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace skarnwald;

using fuzzing::Require;

// The checks' own loops teach the fuzzer nothing about the program, and
// counting their branches for every stored value cost more than the storing.
// Inlined, a function would be counted as part of its caller.
#if defined(__clang__)
#define NOT_COVERED __attribute__((no_sanitize("coverage"), noinline))
#else
#define NOT_COVERED
#endif

class TrappingReporter : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view) override { __builtin_trap(); }
};

std::int64_t Count(CConnection& connection, std::string_view sql) {
    CStatement count(connection, sql);
    Require(count.Step());
    return count.ColumnInt(0);
}

// Whether `size` bytes hold one above ASCII: only such a text can fail to
// be UTF-8.
NOT_COVERED bool HasHighByte(const unsigned char* bytes, int size) {
    for (int i = 0; i < size; ++i)
        if (bytes[i] >= 0x80)
            return true;
    return false;
}

// Every text of every row `scan` reads is UTF-8. Read through SQLite's own
// calls: a report stores hundreds of values, and reading each through the
// query layer cost more than storing it.
NOT_COVERED void RequireUtf8Rows(CConnection& connection, std::string_view scan) {
    sqlite3_stmt** slot = nullptr;
    sqlite3_stmt* rows = connection.TakeStatement(scan, slot);
    Require(rows != nullptr);
    const int columns = sqlite3_column_count(rows);
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(rows)) == SQLITE_ROW)
        for (int c = 0; c < columns; ++c) {
            if (sqlite3_column_type(rows, c) != SQLITE_TEXT)
                continue;
            const unsigned char* text = sqlite3_column_text(rows, c);
            const int size = sqlite3_column_bytes(rows, c);
            if (HasHighByte(text, size))
                Require(IsValidUtf8({reinterpret_cast<const char*>(text), static_cast<std::size_t>(size)}));
        }
    Require(rc == SQLITE_DONE);
    connection.ReturnStatement(slot, rows);
}

// One in-memory archive for the whole process, made as the program makes a
// new one: making the schema and the prepared statements anew would cost far
// more than storing a short report. The program's writes run in transactions
// of their own, which cannot nest, so an input cannot be undone as a
// savepoint around it. Instead SQLite's update hook notes every table an
// input writes to; only those get their rows of the new archive back, and
// only those need checking again. Inputs that store nothing cost no reset.
class ArchiveOfProcess {
    struct Table {
        std::string name;
        std::string empty;  // the statement that empties it
        std::string refill; // the one that puts the new archive's rows back, if any
        std::string scan;   // the one that reads all its rows
        bool written = false;
    };

    TrappingReporter reporter_;
    std::vector<Table> tables_;
    std::vector<std::pair<const char*, Table*>> byAddress_;

    // Called for every row written, so tables are told apart by the name's
    // address, which SQLite keeps while the schema stands; a name is compared
    // only the first time its address shows.
    static void NoteWrite(void* self, int, const char* database, const char* table, sqlite3_int64) {
        auto& archive = *static_cast<ArchiveOfProcess*>(self);
        if (database[0] != 'm') // "main", not "pristine"
            return;
        for (auto& [name, written] : archive.byAddress_)
            if (name == table) {
                written->written = true;
                return;
            }
        for (Table& written : archive.tables_)
            if (written.name == table) {
                archive.byAddress_.emplace_back(table, &written);
                written.written = true;
                return;
            }
        __builtin_trap(); // a table the archive did not have when it was made
    }

    void KeepNewArchive() {
        Require(RunStatement(*connection, "ATTACH ':memory:' AS pristine"));
        // The update hook never sees writes to tables without rowids.
        Require(Count(*connection, "SELECT COUNT(*) FROM main.sqlite_master WHERE type = 'table' AND "
                                   "sql LIKE '%WITHOUT%ROWID%'") == 0);
        CStatement names(*connection, "SELECT name FROM main.sqlite_master WHERE type = 'table'");
        while (names.Step())
            tables_.push_back({names.ReadField("name"), {}, {}, {}, true});
        Require(!names.Failed() && !tables_.empty());
        for (Table& table : tables_) {
            table.empty = "DELETE FROM main." + table.name;
            table.scan = "SELECT * FROM main." + table.name;
            if (Count(*connection, "SELECT COUNT(*) FROM main." + table.name) == 0)
                continue;
            Require(RunStatement(*connection, "CREATE TABLE pristine." + table.name +
                                                  " AS SELECT * FROM main." + table.name));
            table.refill = "INSERT INTO main." + table.name + " SELECT * FROM pristine." + table.name;
        }
    }

public:
    ArchiveOfProcess() {
        OpenResult opened = CConnection::Open(":memory:");
        Require(opened.connection != nullptr);
        connection = std::move(opened.connection);
        connection->SetErrorReporter(&reporter_);
        KeepNewArchive();
        // Every table counts as written once, so the first input's checks
        // also cover the rows the archive was made with.
        sqlite3_update_hook(connection->Handle(), NoteWrite, this);
    }

    bool Written(std::string_view name) const {
        for (const Table& table : tables_)
            if (SameNameIgnoringCase(table.name, name))
                return table.written;
        return false;
    }

    // Every text of every table the input wrote is UTF-8.
    void RequireUtf8Text() const {
        for (const Table& table : tables_)
            if (table.written)
                RequireUtf8Rows(*connection, table.scan);
    }

    // After an input: puts back the new archive's rows in every table it
    // wrote. The program deletes nothing while storing, and its own
    // rollbacks only undo its own rows, so an unwritten table is as made.
    void Reset() {
        for (Table& table : tables_) {
            if (!std::exchange(table.written, false))
                continue;
            Require(RunStatement(*connection, table.empty));
            if (!table.refill.empty())
                Require(RunStatement(*connection, table.refill));
        }
    }

    ConnectionPtr connection;
};

// A child row needs its parent; tables neither of which the input wrote
// are still as the archive was made, and were checked then.
void RequireNoOrphans(const ArchiveOfProcess& archive) {
    struct Link {
        std::string_view child, parent, check;
    };
    static constexpr Link kLinks[] = {
        {"Agility", "Battles", "SELECT COUNT(*) FROM Agility WHERE BattleID NOT IN (SELECT ID FROM Battles)"},
        {"Battle_Details", "Agility",
         "SELECT COUNT(*) FROM Battle_Details WHERE AgilityID NOT IN (SELECT ID FROM Agility)"},
        {"Statistik", "Battles",
         "SELECT COUNT(*) FROM Statistik WHERE BattleID NOT IN (SELECT ID FROM Battles)"},
    };
    for (const Link& link : kLinks)
        if (archive.Written(link.child) || archive.Written(link.parent))
            Require(Count(*archive.connection, link.check) == 0);
}

// A date the reader accepts is stored as "YYYY-MM-DD HH:MM:SS", which it must
// accept again unchanged.
void CheckDateReading(std::string_view text) {
    const auto iso = ParseReportDate(text);
    if (!iso)
        return;
    Require(iso->size() == 19);
    Require(ParseReportDate(*iso) == iso);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const std::uint8_t flags = data[0];
    const std::string report = NormaliseText({reinterpret_cast<const char*>(data) + 1, size - 1});
    CheckDateReading(report.substr(0, 64));

    static ArchiveOfProcess archive;
    CConnection& connection = *archive.connection;
    CBattleDatabase database;
    database.SetConnection(archive.connection);
    CReportConverter converter;
    converter.ownCoords = (flags & 0x02) ? RemoveBlanks(CutAfterFrom(report).coords) : std::string();
    CStoringWriter storing(database, {1, flags & 0x01, converter.ownCoords});
    converter.AddWriter(&storing);
    // Storing needs no page: fuzz_convert checks the page of every report.
    converter.ConvertReport(report);
    if (flags & 0x04)
        converter.ConvertReport(report); // ids continue after the first conversion

    RequireNoOrphans(archive);
    archive.RequireUtf8Text();
    const std::int32_t battles =
        archive.Written("Battles") ? MaxId(connection, "Battles", "ID").value_or(0) : 0;
    // One stored battle, picked by the first byte, is rendered again: every
    // battle goes through the same rendering, and fuzz_archive renders every
    // battle of archives far stranger than storing makes.
    if (battles > 0) {
        static fuzzing::PageStream page;
        Require(RenderStoredBattle(connection, page.Restart(), 1 + (flags >> 3) % battles));
        Require(page.Page().ends_with("</body></html>") && IsValidUtf8(page.Page()));
    }
    archive.Reset();
    return 0;
}
