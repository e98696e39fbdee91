#pragma once
// The query layer over the shared connection: prepared statements with bound
// values, the row walk, fields read as text, and the date texts of the Datum
// column. Every SQLite error goes to the connection's error reporter.

#include "archive/Connection.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

struct sqlite3_stmt;

namespace skarnwald {

// How a date value is written when a field is read as text.
enum class DateStyle {
    Date = 0,           // "%d.%m.%Y"
    Time = 1,           // "%H:%M"
    Browser = 2,        // "%d.%m.%Y - %H:%M:%S"
    DateTime = 3,       // "%d.%m.%Y %H:%M:%S"
    Compact = 4,        // "%Y%m%d"
    TimeWithSeconds = 5 // "%H:%M:%S"
};

// Reads the date text of a battle header ("D.M.YYYY H:MM[:SS]" or
// "YYYY-MM-DD H:MM[:SS]", or either date alone) as "YYYY-MM-DD HH:MM:SS";
// nothing when the text is not such a date or names an impossible day.
std::optional<std::string> ParseReportDate(std::string_view text);

// Table and column names compare without regard to ASCII case, as in SQL.
bool SameNameIgnoringCase(std::string_view a, std::string_view b);

// A stored "YYYY-MM-DD HH:MM:SS" text in the given style; any other text is
// returned as it stands.
std::string FormatStoredDate(std::string_view isoText, DateStyle style);

// A value bound to a statement parameter.
using SqlValue = std::variant<std::nullptr_t, std::int64_t, std::string_view>;

// One prepared statement. Failures (prepare, bind, step) are reported once
// through the connection; afterwards the statement yields no rows.
class CStatement {
public:
    CStatement(CConnection& connection, std::string_view sql);
    ~CStatement();
    CStatement(const CStatement&) = delete;
    CStatement& operator=(const CStatement&) = delete;

    // Binds the values to parameters 1, 2, ... after resetting the statement,
    // so a prepared statement can be run again with new values. Texts lose
    // partial characters at either end (TrimPartialCharacters).
    CStatement& Bind(std::initializer_list<SqlValue> values);
    // The same without copying the texts, which must then stay in place until
    // the statement has been run (and is given back or bound anew).
    CStatement& BindForOneRun(std::initializer_list<SqlValue> values);
    CStatement& BindForOneRun(std::span<const SqlValue> values);

    // Moves to the next row; false at the end or after an error.
    bool Step();
    // Steps to the end; true when the statement ran without error.
    bool Run();
    bool Failed() const { return failed_; }

    // A field of the current row as text: NULL as "", integers as "%d",
    // floating-point values as "%.2f", date columns by `style`, other text as
    // UTF-8 (NormaliseText). Column names are matched without regard to case.
    std::string ReadField(std::string_view name, DateStyle style = DateStyle::Date) const;
    std::int32_t ReadInt(std::string_view name) const;
    // A field as stored, its text as UTF-8: nothing for NULL, dates unformatted.
    std::optional<std::string> ReadStoredText(std::string_view name) const;

    // A field as stored, to be bound elsewhere before the next Step: integers
    // as numbers, NULL (or no such column) as NULL, anything else as its text.
    SqlValue StoredValue(std::string_view name) const;
    SqlValue StoredValue(int column) const;
    // The position of the column `name`, matched without regard to case, or
    // -1: rows read in bulk look their columns up once.
    int ColumnIndex(std::string_view name) const;
    // Whether the field holds an integer or floating-point value.
    bool HoldsNumber(std::string_view name) const;

    // Whole rows by column position, for code that walks every column.
    int ColumnCount() const;
    std::string ColumnName(int column) const;
    std::int64_t ColumnInt(int column) const;
    // The bytes of a TEXT value exactly as stored; nothing for other types.
    std::optional<std::string_view> StoredText(int column) const;

private:
    void Fail();
    CStatement& BindValues(std::span<const SqlValue> values, void (*lifetime)(void*));

    CConnection& connection_;
    sqlite3_stmt** slot_ = nullptr;
    sqlite3_stmt* stmt_ = nullptr;
    bool failed_ = false;
    // Names already looked up, as the caller spelled them: a stored page
    // reads a score of fields by name from every row, and finding each among
    // the columns without regard to case cost more than reading it.
    mutable std::vector<std::pair<std::string, int>> lookedUp_;
};

// Runs one statement with bound values; false when it failed (reported).
bool RunStatement(CConnection& connection, std::string_view sql, std::initializer_list<SqlValue> values = {});

// Inserts `rows` rows with one statement: `oneRowInsert`, whose text ends in
// the placeholder group of one row, with that group repeated for every
// further row, binding `values` in order. All rows go in or, under a
// savepoint, none. A failure is not reported, since callers then insert the
// rows one by one, each failure reported on its own. One statement's fixed
// cost (cursors, checks) is a good share of a short row's; over many rows it
// hardly counts.
bool InsertRowsAtOnce(CConnection& connection, std::string_view oneRowInsert, std::size_t rows,
                      std::span<const SqlValue> values);

// The largest value of `column` in `table` (names from this program, never
// from a report), 0 when the table is empty; nothing when the query failed
// (reported).
std::optional<std::int32_t> MaxId(CConnection& connection, std::string_view table, std::string_view column);

// Runs `statements` one after the other; false at the first that fails (reported).
bool RunStatements(CConnection& connection, std::span<const std::string_view> statements);

// A write transaction that rolls back unless committed. Begin waits for
// another program's lock no longer than the connection's busy timeout.
class CTransaction {
public:
    explicit CTransaction(CConnection& connection);
    ~CTransaction();
    CTransaction(const CTransaction&) = delete;
    CTransaction& operator=(const CTransaction&) = delete;

    // False when Begin failed or SQLite rolled the work back after an error.
    bool Active() const;
    // True when the transaction's work is now in the file.
    bool Commit();
    void Rollback();

private:
    CConnection& connection_;
    bool active_ = false;
};

} // namespace skarnwald
