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

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace skarnwald;

using fuzzing::Require;

class TrappingReporter : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view) override { __builtin_trap(); }
};

std::int64_t Count(CConnection& connection, std::string_view sql) {
    CStatement count(connection, sql);
    Require(count.Step());
    return count.ColumnInt(0);
}

void RequireNoOrphans(CConnection& connection) {
    Require(Count(connection,
                  "SELECT COUNT(*) FROM Agility WHERE BattleID NOT IN (SELECT ID FROM Battles)") == 0);
    Require(Count(connection,
                  "SELECT COUNT(*) FROM Battle_Details WHERE AgilityID NOT IN (SELECT ID FROM Agility)") ==
            0);
    Require(Count(connection,
                  "SELECT COUNT(*) FROM Statistik WHERE BattleID NOT IN (SELECT ID FROM Battles)") == 0);
}

void RequireUtf8Text(CConnection& connection) {
    for (std::string_view table : kTableNames) {
        std::string sql = "SELECT * FROM ";
        sql += table;
        CStatement rows(connection, sql);
        while (rows.Step())
            for (int c = 0; c < rows.ColumnCount(); ++c)
                Require(IsValidUtf8(rows.StoredText(c).value_or("")));
        Require(!rows.Failed());
    }
}

// One in-memory archive for the whole process, made as the program makes a
// new one. Before each input every table is emptied and those that held rows
// when it was made (the personal record's) get them back, so each input starts
// from a new archive while the connection keeps its prepared statements:
// making the schema and the statements anew cost far more than storing a
// short report. The program's own writes go through transactions of their
// own, so the reset cannot be a savepoint around them.
class ArchiveOfProcess {
    TrappingReporter reporter_;
    std::vector<std::string> reset_;

public:
    ArchiveOfProcess() {
        OpenResult opened = CConnection::Open(":memory:");
        Require(opened.connection != nullptr);
        connection = std::move(opened.connection);
        connection->SetErrorReporter(&reporter_);
        Require(RunStatement(*connection, "ATTACH ':memory:' AS pristine"));
        std::vector<std::string> tables;
        CStatement names(*connection, "SELECT name FROM main.sqlite_master WHERE type = 'table'");
        while (names.Step())
            tables.push_back(names.ReadField("name"));
        Require(!names.Failed() && !tables.empty());
        for (const std::string& table : tables) {
            reset_.push_back("DELETE FROM main." + table);
            if (Count(*connection, "SELECT COUNT(*) FROM main." + table) == 0)
                continue;
            Require(RunStatement(*connection,
                                 "CREATE TABLE pristine." + table + " AS SELECT * FROM main." + table));
            reset_.push_back("INSERT INTO main." + table + " SELECT * FROM pristine." + table);
        }
    }

    void Reset() {
        for (const std::string& sql : reset_)
            Require(RunStatement(*connection, sql));
    }

    ConnectionPtr connection;
};

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
    archive.Reset();
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

    RequireNoOrphans(connection);
    RequireUtf8Text(connection);
    const std::int32_t battles = MaxId(connection, "Battles", "ID").value_or(0);
    // One stored battle, picked by the first byte, is rendered again: every
    // battle goes through the same rendering, and fuzz_archive renders every
    // battle of archives far stranger than storing makes.
    if (battles > 0) {
        static fuzzing::PageStream page;
        Require(RenderStoredBattle(connection, page.Restart(), 1 + (flags >> 3) % battles));
        Require(page.Page().ends_with("</body></html>") && IsValidUtf8(page.Page()));
    }
    return 0;
}
