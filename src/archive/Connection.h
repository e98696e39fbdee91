#pragma once
// The one connection to the battle database ("Data.dat", SQLite 3), shared by
// counted references (std::shared_ptr) between the converter's store, the
// dialogs and the command line. Errors of the database reach the user through
// an IDbErrorReporter: a message box in the desktop program, stderr in the
// command line.

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace skarnwald {

class IDbErrorReporter {
public:
    virtual ~IDbErrorReporter() = default;
    virtual void ReportDbError(std::string_view message) = 0;
};

// Keeps the first error reported, for a step that says why it failed as a whole.
class FirstDbError : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view message) override {
        if (first.empty())
            first = message;
    }
    std::string first;
};

// The six tables of the database file.
inline constexpr std::array<std::string_view, 6> kTableNames = {
    "Battles", "Agility", "Battle_Details", "Statistik", "Einstellungen", "PersStat"};

// Whether a CREATE statement as SQLite keeps it makes a virtual table, whose
// rows come from code rather than the file.
bool IsVirtualTableDefinition(std::string_view sql);

class CConnection;
using ConnectionPtr = std::shared_ptr<CConnection>;

// What an archive operation that a program shows tells it when it has
// nothing else to give back: success, or why it failed in words a user
// understands. Operations that give back more carry the same `error` in
// their own result.
struct OperationResult {
    std::string error; // empty on success
    bool Succeeded() const { return error.empty(); }
};

struct OpenResult {
    ConnectionPtr connection; // null when the file cannot be used
    std::string error;        // why, in words a user understands
    // When the file was refused only for objects the program never makes:
    // those objects, as the error names them. Its battles can be taken into
    // a new archive (ArchiveImport.h).
    std::vector<std::string> foreignObjects;
};

// The objects of an archive's schema that the program never makes and that
// would run or redirect its statements (triggers, views, virtual tables and
// its own tables with altered definitions), each as kind and name in German;
// nothing when the schema could not be read.
std::optional<std::vector<std::string>> ForeignSchemaObjects(CConnection& connection);

// The objects joined into one list as messages show them.
std::string ObjectList(const std::vector<std::string>& objects);

// How much of an existing file Open reads before it is used: all of it, for
// an integrity check, or only its schema, for a file only the program itself
// has written since it was checked whole (the browser's archive, which would
// otherwise be read through at every start).
enum class OpenCheck { WholeFile, SchemaOnly };

class CConnection {
public:
    // Opens `file`, creating it with the six tables and the five PersStat rows
    // when it is missing or empty. An existing file is probed before anything
    // is written; a file that fails the probe is reported and left untouched.
    static OpenResult Open(const std::filesystem::path& file, OpenCheck check = OpenCheck::WholeFile);

    // Opens `file` only for reading and exactly as it stands (no journal is
    // rolled back, no lock is taken), to take in a foreign archive. The file
    // must pass Open's checks except the one of its schema's objects.
    static OpenResult OpenForReading(const std::filesystem::path& file);

    // A new archive in memory, gone when closed: for working on when the
    // archive's file cannot be used.
    static OpenResult OpenInMemory();

    ~CConnection();
    CConnection(const CConnection&) = delete;
    CConnection& operator=(const CConnection&) = delete;

    sqlite3* Handle() const { return db_; }

    void SetErrorReporter(IDbErrorReporter* reporter) { reporter_ = reporter; }
    IDbErrorReporter* ErrorReporter() const { return reporter_; }
    // Hands a database error message to the reporter (ignored without one).
    void ReportDbError(std::string_view message) const;
    // How many errors were reported so far: a task that saw none went through whole.
    std::size_t ReportedErrors() const { return reportedErrors_; }
    // Reports SQLite's message for the last failed call on this connection.
    void ReportLastError() const;
    // SQLite's extended result code of the error reported last, or 0.
    int LastReportedCode() const { return lastReportedCode_; }

    // Prepared statements are kept per SQL text and lent to one user at a
    // time; null when the text does not prepare (nothing is reported here).
    // `slot` is where ReturnStatement puts the statement back: looking the
    // text up once per use keeps short statements run in bulk cheap.
    sqlite3_stmt* TakeStatement(std::string_view sql, sqlite3_stmt**& slot);
    void ReturnStatement(sqlite3_stmt** slot, sqlite3_stmt* stmt);

    // How long a statement waits for another program's lock before it fails.
    static constexpr int kBusyTimeoutMs = 3000;

private:
    explicit CConnection(sqlite3* db) : db_(db) {}
    // Opens `name` (a path or URI) with SQLite's `flags` and prepares the
    // connection; the error names `file`.
    static OpenResult OpenHandle(const std::string& name, int flags, const std::filesystem::path& file);
    sqlite3* db_;
    IDbErrorReporter* reporter_ = nullptr;
    mutable std::size_t reportedErrors_ = 0;
    mutable int lastReportedCode_ = 0;
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    std::unordered_map<std::string, sqlite3_stmt*, TextHash, std::equal_to<>> statements_;
};

} // namespace skarnwald
