#pragma once
// What every subcommand shares: its arguments, the database file named by
// --db and the report of database errors on stderr.

#include "archive/Connection.h"
#include "cli/Cli.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald::cli {

struct OptionSpec {
    std::string_view name;  // e.g. "--output"
    std::string_view alias; // e.g. "-o", or empty
    bool takesValue;
};

struct ParsedArgs {
    std::string database; // --db; empty when not given
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> options; // by name; flags hold ""

    bool Has(std::string_view name) const { return options.find(name) != options.end(); }
    const std::string* Value(std::string_view name) const;
};

// One subcommand's arguments: `--db FILE` and `--help` are always known. Prints
// the usage for --help (exit code 0) or an error (exit code 2) and returns
// nothing then. "-" counts as a positional argument.
std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args, std::span<const OptionSpec> options,
                                    std::size_t maxPositional, std::string_view command,
                                    std::string_view usage, Streams streams, int& exitCode);

// Writes a page to OUTPUT (".htm" appended as the save dialog does) through a
// temporary file, so a failed write leaves no partial page behind. `write`
// returns false when it has already reported its own error. Says where the
// page went, or why not, and returns whether it was written.
bool WritePageFile(const std::string& output, std::string_view command, Streams streams,
                   const std::function<bool(std::ostream&)>& write);

// The same for a file named `target` exactly; `written` is the message that
// says where it went, the file named "{file}".
bool WriteOutputFile(const std::string& target, std::string_view written, std::string_view command,
                     Streams streams, const std::function<bool(std::ostream&)>& write);

// Prints database errors on stderr and counts them, so a command that met one
// ends with a non-zero exit code.
class StderrDbErrors : public IDbErrorReporter {
public:
    StderrDbErrors(std::ostream& err, std::string_view command) : err_(err), command_(command) {}
    void ReportDbError(std::string_view message) override;
    int Count() const { return count_; }

private:
    std::ostream& err_;
    std::string command_;
    int count_ = 0;
};

// The archive file named by --db or found as ArchiveLocation.h describes,
// its folder made when it is the user's data folder; says on stderr why not
// (or that an earlier version's archive is used) and returns nothing then.
std::optional<std::filesystem::path> CommandArchiveFile(const ParsedArgs& args, std::string_view command,
                                                        Streams streams);

// The database named by --db (or found as ArchiveLocation.h describes), open
// for one command, with its errors printed on stderr. When the file cannot be
// used it says why on stderr and tests false.
class CommandDatabase {
public:
    CommandDatabase(const ParsedArgs& args, std::string_view command, Streams streams);
    CommandDatabase(const CommandDatabase&) = delete;
    CommandDatabase& operator=(const CommandDatabase&) = delete;

    explicit operator bool() const { return connection_ != nullptr; }
    CConnection& operator*() const { return *connection_; }
    const ConnectionPtr& Connection() const { return connection_; }
    // Exit code of a command that has run: 1 when a database error was reported.
    int ExitCode() const { return errors_.Count() > 0 ? 1 : 0; }
    int ErrorCount() const { return errors_.Count(); }

private:
    StderrDbErrors errors_;
    ConnectionPtr connection_;
};

} // namespace skarnwald::cli
