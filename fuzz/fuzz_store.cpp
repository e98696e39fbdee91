// Converts arbitrary bytes, normalised to UTF-8 as every front end does, as a
// report into a fresh in-memory battle database, then renders every stored
// battle again. The first byte picks the settings; the report's header dates
// also go through the date reader on their own. Traps when a database call
// fails, when a stored row hangs under a row that does not exist, when a
// stored text or a rendered page is not UTF-8, or when a read date does not
// read back as itself.

#include "archive/BattleDatabase.h"
#include "archive/Connection.h"
#include "archive/Query.h"
#include "archive/StoringWriter.h"
#include "reading/LineParts.h"
#include "reading/ReportConverter.h"
#include "text/Utf8Text.h"
#include "writers/HtmlWriter.h"

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using namespace skarnwald;

void Require(bool condition) {
    if (!condition)
        __builtin_trap();
}

class TrappingReporter : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view) override { __builtin_trap(); }
};

std::int64_t Count(CConnection& connection, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    Require(sqlite3_prepare_v2(connection.Handle(), sql, -1, &stmt, nullptr) == SQLITE_OK);
    Require(sqlite3_step(stmt) == SQLITE_ROW);
    const std::int64_t n = sqlite3_column_int64(stmt, 0);
    sqlite3_finalize(stmt);
    return n;
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

    OpenResult opened = CConnection::Open(":memory:");
    Require(opened.connection != nullptr);
    TrappingReporter reporter;
    opened.connection->SetErrorReporter(&reporter);

    CBattleDatabase database;
    database.SetConnection(opened.connection);
    CReportConverter converter;
    converter.ownCoords = (flags & 0x02) ? RemoveBlanks(CutAfterFrom(report).coords) : std::string();
    CStoringWriter storing(database, {1, flags & 0x01, converter.ownCoords});
    converter.AddWriter(&storing);
    std::ostringstream page;
    ConvertToPage(converter, report, page);
    if (flags & 0x04)
        ConvertToPage(converter, report, page); // ids continue after the first conversion

    RequireNoOrphans(*opened.connection);
    RequireUtf8Text(*opened.connection);
    const std::int32_t battles = database.GetMaxId("Battles", "ID");
    for (std::int32_t id = 1; id <= battles; ++id) {
        std::ostringstream stored;
        Require(database.RenderBattle(stored, id));
        Require(stored.str().ends_with("</body></html>") && IsValidUtf8(stored.str()));
    }
    return 0;
}
