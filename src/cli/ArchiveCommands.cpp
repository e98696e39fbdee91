// The archive of stored battles on the command line: listing with a filter,
// deleting one battle, the CSV export and taking in a foreign archive.

#include "cli/ArchiveOptions.h"
#include "cli/Cli.h"
#include "cli/CliTexts.h"

#include "archive/ArchiveImport.h"
#include "archive/BattleDatabase.h"
#include "archive/CsvExport.h"
#include "archive/Query.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <vector>

namespace skarnwald::cli {

namespace {

constexpr OptionSpec kImportOptions[] = {{"--merge", "", false}};

constexpr OptionSpec kCsvTableOption = {"--table", "", true};

std::optional<std::string> DayOption(const ParsedArgs& args, std::string_view name) {
    const std::string* text = args.Value(name);
    if (!text)
        return std::string{};
    const auto date = ParseReportDate(*text);
    if (!date)
        return std::nullopt;
    return date->substr(0, 10);
}

std::optional<BattleOrder> OrderOption(const ParsedArgs& args) {
    const std::string* text = args.Value("--sort");
    if (!text || *text == "datum")
        return BattleOrder::OldestFirst;
    if (*text == "neueste")
        return BattleOrder::NewestFirst;
    if (*text == "koords")
        return BattleOrder::Coords;
    return std::nullopt;
}

std::optional<std::vector<CsvTable>> CsvTablesOf(const ParsedArgs& args) {
    const std::string* name = args.Value(kCsvTableOption.name);
    if (!name)
        return std::vector<CsvTable>(std::begin(kAllCsvTables), std::end(kAllCsvTables));
    for (CsvTable table : kAllCsvTables)
        if (CsvFileName(table) == *name + ".csv")
            return std::vector<CsvTable>{table};
    return std::nullopt;
}

std::optional<CsvOptions> CsvOptionsOf(const ParsedArgs& args) {
    CsvOptions options;
    options.raw = args.Has("--raw");
    if (const std::string* separator = args.Value("--separator")) {
        if (*separator != "," && *separator != ";")
            return std::nullopt;
        options.separator = separator->front();
    }
    return options;
}

std::vector<std::int32_t> IdsOf(const std::vector<StoredBattle>& battles) {
    std::vector<std::int32_t> ids;
    ids.reserve(battles.size());
    std::ranges::transform(battles, std::back_inserter(ids), &StoredBattle::id);
    return ids;
}

} // namespace

std::optional<BattleFilter> FilterOf(const ParsedArgs& args, std::string_view command, std::string_view usage,
                                     Streams streams) {
    BattleFilter filter;
    if (const std::string* search = args.Value("--search"))
        filter.search = *search;
    const auto from = DayOption(args, "--from");
    const auto to = DayOption(args, "--to");
    const auto order = OrderOption(args);
    if (!from || !to || !order) {
        streams.err << "skarnwald-cli " << command << ": "
                    << (order ? CliText("filter.date") : CliText("filter.sort")) << "\n"
                    << usage;
        return std::nullopt;
    }
    filter.from = *from;
    filter.to = *to;
    filter.order = *order;
    return filter;
}

std::optional<std::int32_t> BattleIdArgument(const ParsedArgs& args, std::string_view command,
                                             std::string_view usage, Streams streams) {
    std::int32_t id = 0;
    if (!args.positional.empty()) {
        const std::string& text = args.positional.front();
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), id);
        if (ec == std::errc{} && end == text.data() + text.size())
            return id;
    }
    streams.err << "skarnwald-cli " << command << ": " << CliText("battle.idNotANumber") << "\n" << usage;
    return std::nullopt;
}

int RunBattles(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed =
        ParseArgs(args, kFilterOptions, 0, "battles", CliText("usage.battles"), streams, exitCode);
    if (!parsed)
        return exitCode;
    const auto filter = FilterOf(*parsed, "battles", CliText("usage.battles"), streams);
    if (!filter)
        return 2;
    const CommandDatabase connection(*parsed, "battles", streams);
    if (!connection)
        return 1;
    const auto battles = FindBattles(*connection, *filter);
    if (!battles)
        return 1;

    std::string listing;
    for (const StoredBattle& battle : *battles) {
        listing += std::to_string(battle.id);
        for (const std::string& field :
             {FormatStoredDate(battle.datum, DateStyle::DateTime), battle.coords, battle.name}) {
            listing += '\t';
            listing += field;
        }
        listing += '\n';
    }
    if (listing.empty())
        listing = std::string(AnyBattleStored(*connection) ? CliText("battles.noneMatches")
                                                           : CliText("battles.noneStored")) +
                  "\n";
    streams.out << listing;
    return connection.ExitCode();
}

int RunDelete(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed = ParseArgs(args, {}, 1, "delete", CliText("usage.delete"), streams, exitCode);
    if (!parsed)
        return exitCode;
    const auto id = BattleIdArgument(*parsed, "delete", CliText("usage.delete"), streams);
    if (!id)
        return 2;
    const CommandDatabase connection(*parsed, "delete", streams);
    if (!connection)
        return 1;
    switch (DeleteBattle(*connection, *id)) {
    case DeleteOutcome::Deleted:
        streams.out << CliFormat("delete.done", {{"id", std::to_string(*id)}}) << "\n";
        return connection.ExitCode();
    case DeleteOutcome::Unknown:
        streams.err << "skarnwald-cli delete: " << CliFormat("battle.unknown", {{"id", std::to_string(*id)}})
                    << "\n";
        return 1;
    case DeleteOutcome::Failed:
        break;
    }
    return 1;
}

int ExportCsv(const ParsedArgs& args, std::string_view usage, Streams streams) {
    const auto filter = FilterOf(args, "export", usage, streams);
    if (!filter)
        return 2;
    const auto tables = CsvTablesOf(args);
    const auto options = CsvOptionsOf(args);
    if (!tables || !options || !args.positional.empty()) {
        streams.err << "skarnwald-cli export: "
                    << (!tables    ? CliText("csv.tables")
                        : !options ? CliText("csv.separators")
                                   : CliText("csv.noId"))
                    << "\n"
                    << usage;
        return 2;
    }
    const CommandDatabase connection(args, "export", streams);
    if (!connection)
        return 1;
    const auto battles = FindBattles(*connection, *filter);
    if (!battles)
        return 1;
    const CsvExportResult result =
        ExportBattlesAsCsv(*connection, IdsOf(*battles), *args.Value("--csv"), *tables, *options);
    if (!result.error.empty()) {
        streams.err << "skarnwald-cli export: " << result.error << "\n";
        return 1;
    }
    streams.out << CliPlural("csv.exported", static_cast<std::int64_t>(battles->size())) << "\n";
    for (const auto& file : result.written)
        streams.out << "  " << file.string() << "\n";
    return connection.ExitCode();
}

} // namespace skarnwald::cli

namespace skarnwald::cli {

int RunImportArchive(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed =
        ParseArgs(args, kImportOptions, 1, "import-archive", CliText("usage.import"), streams, exitCode);
    if (!parsed)
        return exitCode;
    if (parsed->positional.empty()) {
        streams.err << "skarnwald-cli import-archive: " << CliText("import.whichFile") << "\n"
                    << CliText("usage.import");
        return 2;
    }
    const auto target = CommandArchiveFile(*parsed, "import-archive", streams);
    if (!target)
        return 1;
    const bool merge = parsed->Has("--merge");
    const ImportResult result =
        ImportArchive(parsed->positional.front(), *target, merge ? ImportMode::Merge : ImportMode::Replace);
    if (!result.error.empty()) {
        streams.err << "skarnwald-cli import-archive: " << result.error << "\n";
        return 1;
    }
    streams.out << ImportSummary(result, *target);
    return 0;
}

} // namespace skarnwald::cli
