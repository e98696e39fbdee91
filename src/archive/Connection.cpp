#include "archive/Connection.h"

#include "archive/BattleDigest.h"
#include "archive/Query.h"
#include "text/CaseFold.h"
#include "text/Catalog.h"
#include "text/Utf8Text.h"

#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <set>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

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

// The words of a CREATE TABLE text in upper case; quote characters count as
// blanks. Anything but words, blanks, parentheses and commas (a number, a
// string, a comment, an operator) comes back as the word "?".
std::vector<std::string> WordsOf(std::string_view sql) {
    std::vector<std::string> words;
    std::string word;
    auto flush = [&] {
        if (!word.empty())
            words.push_back(std::exchange(word, {}));
    };
    for (char c : sql) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalpha(u) || c == '_' || (std::isdigit(u) && !word.empty())) {
            word += static_cast<char>(std::toupper(u));
            continue;
        }
        flush();
        if (!std::isspace(u) && c != '(' && c != ')' && c != ',' && c != '"' && c != '`' && c != '[' &&
            c != ']')
            words.emplace_back("?");
    }
    flush();
    return words;
}

// The name a CREATE TABLE text gives its table, in upper case.
std::string TableNameOf(const std::vector<std::string>& words) {
    auto at = std::find(words.begin(), words.end(), "TABLE");
    for (std::string_view skipped : {"IF", "NOT", "EXISTS"})
        if (at != words.end() && std::next(at) != words.end() && *std::next(at) == skipped)
            ++at;
    return at != words.end() && std::next(at) != words.end() ? *std::next(at) : std::string();
}

// The program's definition of a table it makes (the six and the archive's
// own), or empty.
std::string_view OwnDefinition(std::string_view table) {
    for (const auto& schema :
         {std::span<const std::string_view>(kSchema), std::span<const std::string_view>(kArchiveSchema)})
        for (std::string_view sql : schema)
            if (SameNameIgnoringCase(TableNameOf(WordsOf(sql)), table))
                return sql;
    return {};
}

// A table of the program's whose definition uses a word the program's own
// never does: a CHECK, DEFAULT, generated column, foreign key or conflict
// clause put in by another tool or by editing the schema directly. Fewer
// columns are allowed; using them fails with the database's own message.
bool IsAlteredOwnTable(std::string_view name, std::string_view sql) {
    const std::string_view own = OwnDefinition(name);
    if (own.empty())
        return false;
    const auto ownWords = WordsOf(own);
    const std::set<std::string> allowed(ownWords.begin(), ownWords.end());
    const auto words = WordsOf(sql);
    return std::any_of(words.begin(), words.end(),
                       [&](const std::string& word) { return !allowed.contains(word); });
}

bool StartsWithWords(std::string_view sql, std::initializer_list<std::string_view> words) {
    const auto found = WordsOf(sql);
    return found.size() >= words.size() && std::equal(words.begin(), words.end(), found.begin());
}

// How messages name the program's tables: by what they hold.
std::string ShownTableName(std::string_view table) {
    const CCatalog& texts = CoreTexts();
    const std::pair<std::string_view, std::string_view> shown[] = {
        {"Battles", texts.Text("archive.table.battles")},
        {"Agility", texts.Text("archive.table.fleetLines")},
        {"Battle_Details", texts.Text("archive.table.combatLines")},
        {"Statistik", texts.Text("archive.table.statistics")},
        {"Einstellungen", texts.Text("archive.table.settings")},
        {"PersStat", texts.Text("archive.table.personalRecord")},
        {"BattleDigest", texts.Text("archive.table.digests")},
        {"BattleAsteroids", texts.Text("archive.table.asteroids")},
        {"PersStatCounted", texts.Text("archive.table.counted")},
    };
    for (const auto& [name, words] : shown)
        if (SameNameIgnoringCase(name, table))
            return std::string(words);
    return std::string(table);
}

// What failed when SQLite's result code says nothing more particular.
enum class Failed { Reading, Opening, Completing, Creating };

// Why SQLite's result code `rc` makes the file unusable, in plain words;
// `otherwise` says what failed for any other code.
std::string Unusable(int rc, const fs::path& file, Failed otherwise = Failed::Reading) {
    const CCatalog& texts = CoreTexts();
    const std::string quoted = Quoted(file);
    const std::initializer_list<TextArg> args = {{"file", quoted}};
    switch (rc & 0xff) {
    case SQLITE_NOTADB:
        return texts.Format("archive.notAnArchive", args);
    case SQLITE_CORRUPT:
        return texts.Format("archive.damaged", args);
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return texts.Format("archive.locked", args);
    case SQLITE_READONLY:
        return texts.Format("archive.readOnly", args);
    case SQLITE_FULL:
        return texts.Format("archive.diskFull", args);
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return texts.Format("archive.cannotOpen", args);
    default:
        break;
    }
    switch (otherwise) {
    case Failed::Opening:
        return texts.Format("archive.cannotOpen", args);
    case Failed::Completing:
        return texts.Format("archive.cannotComplete", args);
    case Failed::Creating:
        return texts.Format("archive.cannotCreate", args);
    case Failed::Reading:
        break;
    }
    return texts.Format("archive.unreadable", args);
}

// Reads the file without writing to it: an integrity check, unless `check`
// leaves it out, and the tables. Returns why the file cannot be used, or
// empty text.
std::string Probe(sqlite3* db, const fs::path& file, OpenCheck check = OpenCheck::WholeFile) {
    sqlite3_stmt* stmt = nullptr;
    auto failure = [&](int rc) -> std::string {
        sqlite3_finalize(stmt);
        return Unusable(rc, file);
    };

    int rc = SQLITE_OK;
    if (check == OpenCheck::WholeFile) {
        if (rc = sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &stmt, nullptr); rc != SQLITE_OK)
            return failure(rc);
        rc = sqlite3_step(stmt);
        if (rc != SQLITE_ROW)
            return failure(rc);
        const std::string verdict = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
        stmt = nullptr;
        if (verdict != "ok")
            return Unusable(SQLITE_CORRUPT, file);
    }

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
    // A file without the program's tables is some other program's database.
    if (!std::all_of(present.begin(), present.end(), [](bool found) { return found; }))
        return Unusable(SQLITE_NOTADB, file);
    return {};
}

// The size of the database file `db` opened, as SQLite's file layer reads
// it; -1 when it cannot tell. In the browser that layer reaches files the C
// library's file functions know nothing of.
sqlite3_int64 OpenedFileSize(sqlite3* db) {
    sqlite3_file* opened = nullptr;
    sqlite3_int64 size = -1;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_FILE_POINTER, &opened) != SQLITE_OK || !opened ||
        !opened->pMethods || opened->pMethods->xFileSize(opened, &size) != SQLITE_OK)
        return -1;
    return size;
}

// Whether `file` is there: the file system says so where it knows the path,
// SQLite's file layer otherwise (see OpenedFileSize).
bool IsReadableFile(const fs::path& file) {
    std::error_code ec;
    if (fs::exists(file, ec))
        return fs::is_regular_file(file, ec);
    sqlite3_vfs* layer = sqlite3_vfs_find(nullptr);
    int found = 0;
    return layer && layer->xAccess(layer, file.string().c_str(), SQLITE_ACCESS_EXISTS, &found) == SQLITE_OK &&
           found != 0;
}

// The file refused for what its schema holds, or nothing.
std::optional<OpenResult> RefusalForSchema(CConnection& connection, const fs::path& file) {
    FirstDbError reporter;
    connection.SetErrorReporter(&reporter);
    auto foreign = ForeignSchemaObjects(connection);
    connection.SetErrorReporter(nullptr);
    if (!foreign)
        return OpenResult{nullptr, Unusable(connection.LastReportedCode(), file), {}};
    if (foreign->empty())
        return std::nullopt;
    std::string error = CoreTexts().Format("archive.foreignObjects",
                                           {{"file", Quoted(file)}, {"objects", ObjectList(*foreign)}});
    return OpenResult{nullptr, std::move(error), std::move(*foreign)};
}

void DeleteText(void* text) {
    delete static_cast<std::string*>(text);
}

std::string_view TextArgument(sqlite3_value* value) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return {bytes ? bytes : "", static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

// contains_folded(text, search): 1 when `text` holds `search`, the case of
// every letter folded in both; NULL never matches. Text of old archives that
// is not UTF-8 is read as Windows-1252 first, as everywhere else. The search
// is folded once per statement.
void ContainsFolded(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    std::string searchHere;
    const auto* search = static_cast<const std::string*>(sqlite3_get_auxdata(context, 1));
    if (!search) {
        searchHere = FoldCase(NormaliseText(TextArgument(arguments[1])));
        // SQLite may drop the copy at once; this call goes on with its own.
        sqlite3_set_auxdata(context, 1, new std::string(searchHere), DeleteText);
        search = &searchHere;
    }
    thread_local std::string folded;
    const std::string_view text = TextArgument(arguments[0]);
    if (!FoldCaseInto(text, folded))
        FoldCaseInto(NormaliseText(text), folded);
    sqlite3_result_int(context, folded.find(*search) != std::string::npos ? 1 : 0);
}

// Every connection: no extension is ever loaded, the schema's code is not
// trusted to call functions with side effects, and the schema itself cannot
// be edited through SQL. The search's own function is harmless anywhere.
void Prepare(sqlite3* db) {
    sqlite3_extended_result_codes(db, 1);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_create_function_v2(db, "contains_folded", 2,
                               SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, nullptr, ContainsFolded,
                               nullptr, nullptr, nullptr);
}

// The archive's own tables beside the six; a file written before they
// existed gets them, and its battles their digests, on first open.
OpenResult WithArchiveTables(ConnectionPtr connection, const fs::path& file) {
    FirstDbError reporter;
    connection->SetErrorReporter(&reporter);
    const bool ready = EnsureArchiveTables(*connection);
    connection->SetErrorReporter(nullptr);
    if (!ready)
        return {nullptr, Unusable(connection->LastReportedCode(), file, Failed::Completing), {}};
    return {std::move(connection), {}, {}};
}

// A new file's schema; the error when it cannot be made.
OpenResult WithSchema(ConnectionPtr connection, const fs::path& file) {
    const bool created = CreateSchema(*connection);
    if (!created)
        return {nullptr, Unusable(connection->LastReportedCode(), file, Failed::Creating), {}};
    return WithArchiveTables(std::move(connection), file);
}

} // namespace

bool IsVirtualTableDefinition(std::string_view sql) {
    return StartsWithWords(sql, {"CREATE", "VIRTUAL"});
}

std::optional<std::vector<std::string>> ForeignSchemaObjects(CConnection& connection) {
    std::vector<std::string> foreign[4];
    CStatement objects(connection, "SELECT type, name, sql FROM sqlite_master ORDER BY name");
    while (objects.Step()) {
        const std::string type = objects.ReadField("type");
        const std::string name = objects.ReadField("name");
        const std::string sql = objects.ReadField("sql");
        const CCatalog& texts = CoreTexts();
        if (type == "trigger")
            foreign[0].push_back(texts.Format("archive.object.trigger", {{"name", name}}));
        else if (type == "view")
            foreign[1].push_back(texts.Format("archive.object.view", {{"name", name}}));
        else if (type == "table" && IsVirtualTableDefinition(sql))
            foreign[2].push_back(texts.Format("archive.object.virtualTable", {{"name", name}}));
        else if (type == "table" && IsAlteredOwnTable(name, sql))
            foreign[3].push_back(
                texts.Format("archive.object.alteredTable", {{"name", ShownTableName(name)}}));
    }
    if (objects.Failed())
        return std::nullopt;
    std::vector<std::string> all;
    for (auto& kind : foreign)
        all.insert(all.end(), kind.begin(), kind.end());
    return all;
}

std::string ObjectList(const std::vector<std::string>& objects) {
    std::string names;
    for (const std::string& object : objects)
        names += (names.empty() ? "" : ", ") + object;
    return names;
}

OpenResult CConnection::OpenHandle(const std::string& name, int flags, const fs::path& file) {
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(name.c_str(), &db, flags, nullptr);
    ConnectionPtr connection(new CConnection(db));
    if (rc != SQLITE_OK)
        return {nullptr, Unusable(db ? sqlite3_extended_errcode(db) : rc, file, Failed::Opening), {}};
    Prepare(db);
    return {std::move(connection), {}, {}};
}

OpenResult CConnection::Open(const fs::path& file, OpenCheck check) {
    std::error_code ec;
    const bool exists = fs::exists(file, ec);
    if (exists && fs::is_directory(file, ec))
        return {nullptr, CoreTexts().Format("archive.isFolder", {{"file", Quoted(file)}}), {}};

    // One thread uses a connection, so SQLite need not lock around every call.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_CREATE;
    OpenResult opened = OpenHandle(file.string(), flags, file);
    if (!opened.connection)
        return opened;
    sqlite3* db = opened.connection->Handle();
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    if (sqlite3_db_readonly(db, "main") == 1)
        return {nullptr, Unusable(SQLITE_READONLY, file), {}};
    // An empty file is what a failed first start or a user's "new file" leaves:
    // it gets the schema like a missing one. An in-memory database has no file
    // whose size SQLite could tell, and is new.
    const sqlite3_int64 size = OpenedFileSize(db);
    const bool fresh = size == 0 || (size < 0 && !exists);

    if (!fresh) {
        if (std::string why = Probe(db, file, check); !why.empty())
            return {nullptr, std::move(why), {}};
        if (std::optional<OpenResult> refused = RefusalForSchema(*opened.connection, file))
            return std::move(*refused);
        return WithArchiveTables(std::move(opened.connection), file);
    }
    OpenResult made = WithSchema(std::move(opened.connection), file);
    if (!made.connection && !exists)
        fs::remove(file, ec);
    return made;
}

OpenResult CConnection::OpenForReading(const fs::path& file) {
    std::error_code ec;
    if (!IsReadableFile(file))
        return {nullptr, CoreTexts().Format("archive.missing", {{"file", Quoted(file)}}), {}};
    // As a URI, so immutable=1 keeps SQLite from touching the file at all.
    std::string uri = "file:";
    for (unsigned char c : fs::absolute(file, ec).string()) {
        if (std::isalnum(c) || c == '/' || c == '.' || c == '-' || c == '_') {
            uri += static_cast<char>(c);
        } else {
            constexpr char kHex[] = "0123456789ABCDEF";
            uri += {'%', kHex[c >> 4], kHex[c & 0xf]};
        }
    }
    uri += "?mode=ro&immutable=1";
    OpenResult opened = OpenHandle(uri, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, file);
    if (!opened.connection)
        return opened;
    if (OpenedFileSize(opened.connection->Handle()) == 0)
        return {nullptr, CoreTexts().Format("archive.empty", {{"file", Quoted(file)}}), {}};
    if (std::string why = Probe(opened.connection->Handle(), file); !why.empty())
        return {nullptr, std::move(why), {}};
    return opened;
}

OpenResult CConnection::OpenInMemory() {
    const fs::path shown = std::string(CoreTexts().Text("archive.inMemory"));
    OpenResult opened =
        OpenHandle(":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, shown);
    if (!opened.connection)
        return opened;
    return WithSchema(std::move(opened.connection), shown);
}

CConnection::~CConnection() {
    for (auto& [sql, stmt] : statements_)
        sqlite3_finalize(stmt);
    sqlite3_close_v2(db_);
}

void CConnection::ReportDbError(std::string_view message) const {
    ++reportedErrors_;
    if (reporter_)
        reporter_->ReportDbError(message);
}

void CConnection::ReportLastError() const {
    lastReportedCode_ = sqlite3_extended_errcode(db_);
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
