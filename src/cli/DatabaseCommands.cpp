// The subcommands over the stored battles and the settings.

#include "cli/ArchiveOptions.h"
#include "cli/Cli.h"
#include "cli/CliTexts.h"
#include "cli/CommandLine.h"

#include "archive/ArchiveLocation.h"
#include "archive/Query.h"
#include "archive/SettingsStore.h"
#include "archive/StoredBattlePage.h"
#include "archive/TextRepair.h"

#include <charconv>
#include <ostream>
#include <sstream>

namespace skarnwald::cli {

namespace {

constexpr OptionSpec kSettingsOptions[] = {
    {"--store", "", true}, {"--pers-stat", "", true}, {"--coords", "", true}};
constexpr OptionSpec kExportOptions[] = {
    {"--output", "-o", true}, {"--csv", "", true},       {"--table", "", true},
    {"--search", "", true},   {"--from", "", true},      {"--to", "", true},
    {"--sort", "", true},     {"--separator", "", true}, {"--raw", "", false}};

// The value of a switch option: nothing when absent, -1 when not 0 or 1.
std::optional<std::int32_t> SwitchValue(const ParsedArgs& args, std::string_view name) {
    const std::string* value = args.Value(name);
    if (!value)
        return std::nullopt;
    return *value == "0" ? 0 : *value == "1" ? 1 : -1;
}

bool BattleExists(CConnection& connection, std::int32_t id) {
    CStatement read(connection, "SELECT ID FROM Battles WHERE ID = ?");
    read.Bind({std::int64_t{id}});
    return read.Step();
}

int WriteExport(CConnection& connection, std::int32_t id, const std::string* output, Streams streams) {
    if (!output) {
        std::ostringstream page;
        if (!RenderStoredBattle(connection, page, id))
            return 1;
        streams.out << page.str();
        return streams.out.flush() ? 0 : 1;
    }
    const bool written = WritePageFile(*output, "export", streams, [&](std::ostream& page) {
        return RenderStoredBattle(connection, page, id);
    });
    return written ? 0 : 1;
}

} // namespace

int RunSettings(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed =
        ParseArgs(args, kSettingsOptions, 0, "settings", CliText("usage.settings"), streams, exitCode);
    if (!parsed)
        return exitCode;
    const auto store = SwitchValue(*parsed, "--store");
    const auto persStat = SwitchValue(*parsed, "--pers-stat");
    if (store == -1 || persStat == -1) {
        streams.err << "skarnwald-cli settings: " << CliText("settings.switches") << "\n"
                    << CliText("usage.settings");
        return 2;
    }

    const CommandDatabase connection(*parsed, "settings", streams);
    if (!connection)
        return 1;
    {
        CTransaction transaction(*connection);
        EnsureSettingsRows(*connection);
        if (store)
            WriteStoreSetting(*connection, *store);
        if (persStat)
            WritePersStatSetting(*connection, *persStat);
        if (const std::string* coords = parsed->Value("--coords"))
            WriteOwnCoords(*connection, *coords);
        transaction.Commit();
    }
    if (connection.ErrorCount() > 0)
        return 1;

    const StoringSettings settings = ReadStoringSettings(*connection);
    // The settings keep the names they are stored under, in every language.
    streams.out << CliFormat("settings.archive", {{"file", ArchiveFileOf(*connection).string()}}) << "\n"
                << "DBSpeichern: " << settings.storeInDb << "\n"
                << "PersStat: " << settings.personalStats << "\n"
                << "Koords: " << settings.ownCoords << "\n";
    return connection.ExitCode();
}

int RunExport(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed =
        ParseArgs(args, kExportOptions, 1, "export", CliText("usage.export"), streams, exitCode);
    if (!parsed)
        return exitCode;
    if (parsed->Has("--csv"))
        return ExportCsv(*parsed, CliText("usage.export"), streams);
    const auto id = BattleIdArgument(*parsed, "export", CliText("usage.export"), streams);
    if (!id)
        return 2;

    const CommandDatabase connection(*parsed, "export", streams);
    if (!connection)
        return 1;
    if (!BattleExists(*connection, *id)) {
        if (connection.ErrorCount() == 0)
            streams.err << "skarnwald-cli export: "
                        << CliFormat("battle.unknown", {{"id", std::to_string(*id)}}) << "\n";
        return 1;
    }
    const int written = WriteExport(*connection, *id, parsed->Value("--output"), streams);
    return written != 0 ? written : connection.ExitCode();
}

int RunRepairText(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed = ParseArgs(args, {}, 0, "repair-text", CliText("usage.repairText"), streams, exitCode);
    if (!parsed)
        return exitCode;
    const CommandDatabase connection(*parsed, "repair-text", streams);
    if (!connection)
        return 1;
    const auto changed = RepairStoredText(*connection);
    if (!changed) {
        streams.err << "skarnwald-cli repair-text: " << CliText("repair.failed") << "\n";
        return 1;
    }
    streams.out << CliFormat("repair.done", {{"count", std::to_string(*changed)}}) << "\n";
    return connection.ExitCode();
}

} // namespace skarnwald::cli
