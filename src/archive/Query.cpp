#include "archive/Query.h"

#include "text/Catalog.h"
#include "text/TextRules.h"
#include "text/Utf8Text.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace skarnwald {

namespace {

// A left-to-right reader of the fixed date forms.
class DateCursor {
public:
    explicit DateCursor(std::string_view text) : text_(text) {}

    bool Number(std::size_t minDigits, std::size_t maxDigits, int& value) {
        std::size_t digits = 0;
        value = 0;
        while (digits < maxDigits && at_ < text_.size() &&
               std::isdigit(static_cast<unsigned char>(text_[at_]))) {
            value = value * 10 + (text_[at_++] - '0');
            ++digits;
        }
        return digits >= minDigits &&
               !(at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_])));
    }
    bool Literal(char c) {
        if (at_ >= text_.size() || text_[at_] != c)
            return false;
        ++at_;
        return true;
    }
    bool Blanks() {
        const std::size_t start = at_;
        while (at_ < text_.size() && text_[at_] == ' ')
            ++at_;
        return at_ > start;
    }
    bool AtEnd() const { return at_ == text_.size(); }
    bool Peek(std::size_t offset, char c) const {
        return at_ + offset < text_.size() && text_[at_ + offset] == c;
    }

private:
    std::string_view text_;
    std::size_t at_ = 0;
};

struct DateTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

bool IsPossible(const DateTime& d) {
    return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= DaysInMonth(d.year, d.month) &&
           d.hour <= 23 && d.minute <= 59 && d.second <= 59;
}

bool ReadDatePart(DateCursor& in, DateTime& d) {
    if (in.Peek(4, '-'))
        return in.Number(4, 4, d.year) && in.Literal('-') && in.Number(1, 2, d.month) && in.Literal('-') &&
               in.Number(1, 2, d.day);
    return in.Number(1, 2, d.day) && in.Literal('.') && in.Number(1, 2, d.month) && in.Literal('.') &&
           in.Number(4, 4, d.year);
}

bool ReadTimePart(DateCursor& in, DateTime& d) {
    if (in.AtEnd())
        return true;
    if (!in.Blanks() || !in.Number(1, 2, d.hour) || !in.Literal(':') || !in.Number(2, 2, d.minute))
        return false;
    if (in.Literal(':') && !in.Number(2, 2, d.second))
        return false;
    return in.AtEnd();
}

void AppendPadded(std::string& out, int value, int width) {
    std::array<char, 8> digits{};
    auto [end, ec] = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    for (auto n = end - digits.data(); n < width; ++n)
        out += '0';
    out.append(digits.data(), end);
}

std::optional<DateTime> ParseIso(std::string_view text) {
    DateCursor in(text);
    DateTime d;
    const bool read = in.Number(4, 4, d.year) && in.Literal('-') && in.Number(2, 2, d.month) &&
                      in.Literal('-') && in.Number(2, 2, d.day) && in.Literal(' ') &&
                      in.Number(2, 2, d.hour) && in.Literal(':') && in.Number(2, 2, d.minute) &&
                      in.Literal(':') && in.Number(2, 2, d.second) && in.AtEnd();
    if (!read || !IsPossible(d))
        return std::nullopt;
    return d;
}

void AppendDate(std::string& out, const DateTime& d, char separator) {
    AppendPadded(out, d.day, 2);
    out += separator;
    AppendPadded(out, d.month, 2);
    out += separator;
    AppendPadded(out, d.year, 4);
}

void AppendTime(std::string& out, const DateTime& d, bool seconds) {
    AppendPadded(out, d.hour, 2);
    out += ':';
    AppendPadded(out, d.minute, 2);
    if (seconds) {
        out += ':';
        AppendPadded(out, d.second, 2);
    }
}

} // namespace

bool SameNameIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

std::optional<std::string> ParseReportDate(std::string_view text) {
    DateCursor in(Trim(text));
    DateTime d;
    if (!ReadDatePart(in, d) || !ReadTimePart(in, d) || !IsPossible(d))
        return std::nullopt;
    std::string iso;
    AppendPadded(iso, d.year, 4);
    iso += '-';
    AppendPadded(iso, d.month, 2);
    iso += '-';
    AppendPadded(iso, d.day, 2);
    iso += ' ';
    AppendTime(iso, d, true);
    return iso;
}

std::string FormatStoredDate(std::string_view isoText, DateStyle style) {
    const auto d = ParseIso(isoText);
    if (!d)
        return std::string(isoText);
    std::string out;
    switch (style) {
    case DateStyle::Date:
        AppendDate(out, *d, '.');
        break;
    case DateStyle::Time:
        AppendTime(out, *d, false);
        break;
    case DateStyle::Browser:
        AppendDate(out, *d, '.');
        out += " - ";
        AppendTime(out, *d, true);
        break;
    case DateStyle::DateTime:
        AppendDate(out, *d, '.');
        out += ' ';
        AppendTime(out, *d, true);
        break;
    case DateStyle::Compact:
        AppendPadded(out, d->year, 4);
        AppendPadded(out, d->month, 2);
        AppendPadded(out, d->day, 2);
        break;
    case DateStyle::TimeWithSeconds:
        AppendTime(out, *d, true);
        break;
    }
    return out;
}

// ---------------------------------------------------------------------------

CStatement::CStatement(CConnection& connection, std::string_view sql) : connection_(connection) {
    stmt_ = connection_.TakeStatement(sql, slot_);
    if (!stmt_)
        Fail();
}

CStatement::~CStatement() {
    if (stmt_)
        connection_.ReturnStatement(slot_, stmt_);
}

void CStatement::Fail() {
    if (failed_)
        return;
    failed_ = true;
    connection_.ReportLastError();
}

CStatement& CStatement::Bind(std::initializer_list<SqlValue> values) {
    return BindValues({values.begin(), values.size()}, SQLITE_TRANSIENT);
}

CStatement& CStatement::BindForOneRun(std::initializer_list<SqlValue> values) {
    return BindValues({values.begin(), values.size()}, SQLITE_STATIC);
}

CStatement& CStatement::BindForOneRun(std::span<const SqlValue> values) {
    return BindValues(values, SQLITE_STATIC);
}

CStatement& CStatement::BindValues(std::span<const SqlValue> values, void (*lifetime)(void*)) {
    if (!stmt_)
        return *this;
    sqlite3_reset(stmt_);
    failed_ = false;
    int index = 0;
    for (const SqlValue& value : values) {
        ++index;
        int rc = SQLITE_OK;
        if (const auto* number = std::get_if<std::int64_t>(&value)) {
            rc = sqlite3_bind_int64(stmt_, index, *number);
        } else if (const auto* text = std::get_if<std::string_view>(&value)) {
            // An empty view may carry no pointer, which SQLite would bind as NULL.
            const std::string_view whole = TrimPartialCharacters(*text);
            rc = sqlite3_bind_text64(stmt_, index, whole.empty() ? "" : whole.data(), whole.size(), lifetime,
                                     SQLITE_UTF8);
        } else {
            rc = sqlite3_bind_null(stmt_, index);
        }
        if (rc != SQLITE_OK) {
            Fail();
            break;
        }
    }
    return *this;
}

bool CStatement::Step() {
    if (!stmt_ || failed_)
        return false;
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE)
        Fail();
    return false;
}

bool CStatement::Run() {
    while (Step()) {
    }
    return !failed_;
}

int CStatement::ColumnIndex(std::string_view name) const {
    for (const auto& [spelled, index] : lookedUp_)
        if (spelled == name)
            return index;
    int found = -1;
    const int count = sqlite3_column_count(stmt_);
    for (int i = 0; i < count && found < 0; ++i)
        if (const char* column = sqlite3_column_name(stmt_, i); column && SameNameIgnoringCase(name, column))
            found = i;
    lookedUp_.emplace_back(name, found);
    return found;
}

std::string CStatement::ReadField(std::string_view name, DateStyle style) const {
    if (!stmt_)
        return {};
    const int i = ColumnIndex(name);
    if (i < 0)
        return {};
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_INTEGER:
        return std::to_string(sqlite3_column_int64(stmt_, i));
    case SQLITE_FLOAT:
        return FixedTwoDecimals(sqlite3_column_double(stmt_, i));
    case SQLITE_NULL:
        return {};
    default:
        break;
    }
    const auto* bytes = static_cast<const char*>(sqlite3_column_blob(stmt_, i));
    // Files written before pages and rows became UTF-8, or by other programs,
    // may hold Windows-1252 text.
    std::string text(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, i)));
    NormaliseTextInPlace(text);
    const char* declared = sqlite3_column_decltype(stmt_, i);
    if (declared && SameNameIgnoringCase("DATETIME", declared))
        return FormatStoredDate(text, style);
    return text;
}

std::optional<std::string> CStatement::ReadStoredText(std::string_view name) const {
    const int i = stmt_ ? ColumnIndex(name) : -1;
    if (i < 0 || sqlite3_column_type(stmt_, i) == SQLITE_NULL)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    std::string text(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, i)));
    NormaliseTextInPlace(text);
    return text;
}

std::int32_t CStatement::ReadInt(std::string_view name) const {
    return Atoi(ReadField(name));
}

SqlValue CStatement::StoredValue(std::string_view name) const {
    return StoredValue(stmt_ ? ColumnIndex(name) : -1);
}

SqlValue CStatement::StoredValue(int i) const {
    if (!stmt_ || i < 0)
        return nullptr;
    switch (sqlite3_column_type(stmt_, i)) {
    case SQLITE_NULL:
        return nullptr;
    case SQLITE_INTEGER:
        return std::int64_t{sqlite3_column_int64(stmt_, i)};
    default:
        break;
    }
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
    return std::string_view(bytes ? bytes : "", static_cast<std::size_t>(sqlite3_column_bytes(stmt_, i)));
}

bool CStatement::HoldsNumber(std::string_view name) const {
    const int i = stmt_ ? ColumnIndex(name) : -1;
    const int type = i >= 0 ? sqlite3_column_type(stmt_, i) : SQLITE_NULL;
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

int CStatement::ColumnCount() const {
    return stmt_ ? sqlite3_column_count(stmt_) : 0;
}

std::string CStatement::ColumnName(int column) const {
    const char* name = stmt_ ? sqlite3_column_name(stmt_, column) : nullptr;
    return name ? name : "";
}

std::int64_t CStatement::ColumnInt(int column) const {
    return stmt_ ? sqlite3_column_int64(stmt_, column) : 0;
}

std::optional<std::string_view> CStatement::StoredText(int column) const {
    if (!stmt_ || sqlite3_column_type(stmt_, column) != SQLITE_TEXT)
        return std::nullopt;
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return std::string_view(bytes ? bytes : "",
                            static_cast<std::size_t>(sqlite3_column_bytes(stmt_, column)));
}

bool RunStatement(CConnection& connection, std::string_view sql, std::initializer_list<SqlValue> values) {
    CStatement statement(connection, sql);
    if (values.size() > 0)
        statement.BindForOneRun(values);
    return statement.Run();
}

bool InsertRowsAtOnce(CConnection& connection, std::string_view oneRowInsert, std::size_t rows,
                      std::span<const SqlValue> values) {
    const std::string_view placeholders = oneRowInsert.substr(oneRowInsert.rfind('('));
    std::string sql(oneRowInsert);
    sql.reserve(oneRowInsert.size() + rows * (placeholders.size() + 1));
    for (std::size_t row = 1; row < rows; ++row)
        (sql += ',') += placeholders;
    IDbErrorReporter* reporter = connection.ErrorReporter();
    connection.SetErrorReporter(nullptr);
    bool inserted = RunStatement(connection, "SAVEPOINT rows");
    if (inserted) {
        inserted = CStatement(connection, sql).BindForOneRun(values).Run();
        if (!inserted)
            RunStatement(connection, "ROLLBACK TO rows");
        RunStatement(connection, "RELEASE rows");
    }
    connection.SetErrorReporter(reporter);
    return inserted;
}

std::optional<std::int32_t> MaxId(CConnection& connection, std::string_view table, std::string_view column) {
    const std::string sql = "SELECT MAX(" + std::string(column) + ") AS MaxID FROM " + std::string(table);
    CStatement query(connection, sql);
    if (!query.Step())
        return query.Failed() ? std::nullopt : std::optional<std::int32_t>(0);
    return query.ReadInt("MaxID");
}

bool RunStatements(CConnection& connection, std::span<const std::string_view> statements) {
    return std::all_of(statements.begin(), statements.end(),
                       [&](std::string_view statement) { return RunStatement(connection, statement); });
}

// ---------------------------------------------------------------------------

CTransaction::CTransaction(CConnection& connection) : connection_(connection) {
    active_ = RunStatement(connection_, "BEGIN IMMEDIATE");
}

CTransaction::~CTransaction() {
    Rollback();
}

bool CTransaction::Active() const {
    return active_ && !sqlite3_get_autocommit(connection_.Handle());
}

bool CTransaction::Commit() {
    if (!active_)
        return false;
    if (sqlite3_get_autocommit(connection_.Handle())) {
        // SQLite already rolled the transaction back after a severe error.
        active_ = false;
        connection_.ReportDbError(CoreTexts().Text("archive.rolledBack"));
        return false;
    }
    if (!RunStatement(connection_, "COMMIT")) {
        Rollback();
        return false;
    }
    active_ = false;
    return true;
}

void CTransaction::Rollback() {
    if (!active_)
        return;
    active_ = false;
    if (!sqlite3_get_autocommit(connection_.Handle()))
        RunStatement(connection_, "ROLLBACK");
}

} // namespace skarnwald
