#include "cli/CommandLine.h"

#include "cli/CliTexts.h"

#include "archive/ArchiveLocation.h"
#include "text/ReportFiles.h"

#include <ostream>

namespace skarnwald::cli {

namespace {

constexpr OptionSpec kDatabaseOption = {"--db", "", true};

const OptionSpec* FindOption(std::span<const OptionSpec> options, std::string_view arg) {
    if (arg == kDatabaseOption.name)
        return &kDatabaseOption;
    for (const OptionSpec& option : options)
        if (arg == option.name || (!option.alias.empty() && arg == option.alias))
            return &option;
    return nullptr;
}

} // namespace

const std::string* ParsedArgs::Value(std::string_view name) const {
    const auto found = options.find(name);
    return found == options.end() ? nullptr : &found->second;
}

std::optional<ParsedArgs> ParseArgs(const std::vector<std::string>& args, std::span<const OptionSpec> options,
                                    std::size_t maxPositional, std::string_view command,
                                    std::string_view usage, Streams streams, int& exitCode) {
    ParsedArgs parsed;
    const auto fail = [&](std::string_view why) -> std::optional<ParsedArgs> {
        streams.err << "skarnwald-cli " << command << ": " << why << "\n" << usage;
        exitCode = 2;
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            streams.out << usage;
            exitCode = 0;
            return std::nullopt;
        }
        if (const OptionSpec* option = FindOption(options, arg)) {
            std::string value;
            if (option->takesValue) {
                if (i + 1 == args.size())
                    return fail(CliFormat("args.needsValue", {{"option", arg}}));
                value = args[++i];
            }
            if (option != &kDatabaseOption)
                parsed.options[std::string(option->name)] = value;
            else if (value.empty())
                return fail(CliText("args.dbNeedsFile"));
            else
                parsed.database = value;
        } else if ((arg == "-" || !arg.starts_with("-")) && parsed.positional.size() < maxPositional) {
            parsed.positional.push_back(arg);
        } else {
            return fail(CliFormat("args.unexpected", {{"argument", arg}}));
        }
    }
    return parsed;
}

void StderrDbErrors::ReportDbError(std::string_view message) {
    err_ << "skarnwald-cli " << command_ << ": " << CliFormat("db.error", {{"message", message}}) << "\n";
    ++count_;
}

std::optional<std::filesystem::path> CommandArchiveFile(const ParsedArgs& args, std::string_view command,
                                                        Streams streams) {
    const ArchiveSearch search = ProcessArchiveSearch(args.database);
    const ArchiveLocation location = LocateArchive(search);
    if (const OperationResult made = MakeArchiveFolder(location); !made.Succeeded()) {
        streams.err << "skarnwald-cli " << command << ": " << made.error << "\n";
        return std::nullopt;
    }
    // Moving the archive of an earlier version is the desktop program's
    // question; a command must not move files it was not asked to.
    if (location.source == ArchiveSource::HomeFolder)
        streams.err << "skarnwald-cli " << command << ": "
                    << CliFormat("archive.earlierVersion", {{"file", location.file.string()},
                                                            {"target", UserArchiveFile(search).string()}})
                    << "\n";
    return location.file;
}

CommandDatabase::CommandDatabase(const ParsedArgs& args, std::string_view command, Streams streams)
    : errors_(streams.err, command) {
    const auto file = CommandArchiveFile(args, command, streams);
    if (!file)
        return;
    OpenResult opened = CConnection::Open(*file);
    if (!opened.connection) {
        streams.err << "skarnwald-cli " << command << ": " << opened.error << "\n";
        return;
    }
    connection_ = std::move(opened.connection);
    connection_->SetErrorReporter(&errors_);
}

bool WritePageFile(const std::string& output, std::string_view command, Streams streams,
                   const std::function<bool(std::ostream&)>& write) {
    return WriteOutputFile(OutputFileName(output), CliText("written.page"), command, streams, write);
}

bool WriteOutputFile(const std::string& target, std::string_view written, std::string_view command,
                     Streams streams, const std::function<bool(std::ostream&)>& write) {
    const WriteOutcome outcome = WriteFileAtomically(target, write);
    if (!outcome.error.empty())
        streams.err << "skarnwald-cli " << command << ": "
                    << CliFormat("file.unwritable", {{"file", target}, {"reason", outcome.error}}) << "\n";
    else if (outcome.written)
        streams.out << FillIn(written, {{"file", target}}) << "\n";
    return outcome.written;
}

} // namespace skarnwald::cli
