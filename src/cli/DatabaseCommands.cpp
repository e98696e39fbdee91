// The subcommands over the stored battles and the settings.

#include "cli/ArchiveOptions.h"
#include "cli/Cli.h"
#include "cli/CommandLine.h"

#include "archive/ArchiveLocation.h"
#include "archive/BattleDatabase.h"
#include "archive/Query.h"
#include "archive/SettingsStore.h"
#include "archive/TextRepair.h"

#include <charconv>
#include <ostream>
#include <sstream>

namespace skarnwald::cli {

namespace {

constexpr std::string_view kSettingsUsage =
    "Aufruf: skarnwald-cli settings [--store 0|1] [--pers-stat 0|1] [--coords TEXT] [--db DATEI]\n"
    "\n"
    "Legt fehlende Einstellungen an (Wert 0), übernimmt die angegebenen Änderungen\n"
    "und zeigt die Datenbank, die benutzt wird, und die drei Einstellungen:\n"
    "  --store 0|1       Kämpfe in der Datenbank speichern (DBSpeichern)\n"
    "  --pers-stat 0|1   persönliche Statistik führen (PersStat)\n"
    "  --coords TEXT     eigene Koordinaten (Koords), z.B. 1.2.3\n";

constexpr std::string_view kExportUsage =
    "Aufruf: skarnwald-cli export ID [-o AUSGABE] [--db DATEI]\n"
    "       skarnwald-cli export --csv ORDNER [--table TABELLE] [--search TEXT]\n"
    "                            [--from DATUM] [--to DATUM] [--db DATEI]\n"
    "\n"
    "Schreibt den gespeicherten Kampf ID als HTML-Seite nach AUSGABE (\".htm\" wird\n"
    "angehängt, wenn der Name nicht auf htm oder html endet) oder ohne -o auf die\n"
    "Standardausgabe.\n"
    "\n"
    "Mit --csv gehen die gefundenen Kämpfe als CSV-Dateien (UTF-8, Kopfzeile) in\n"
    "ORDNER: kaempfe.csv, flottenzeilen.csv und kampfzeilen.csv, oder mit --table\n"
    "kaempfe|flottenzeilen|kampfzeilen nur eine davon. --search, --from und --to\n"
    "wählen die Kämpfe wie bei 'battles'.\n";

constexpr std::string_view kRepairTextUsage =
    "Aufruf: skarnwald-cli repair-text [--db DATEI]\n"
    "\n"
    "Schreibt jeden Text der sechs Tabellen, der kein gültiges UTF-8 ist, als UTF-8\n"
    "neu (gelesen als Windows-1252), alles in einer Transaktion, und nennt die Zahl\n"
    "der geänderten Werte. Ältere Datenbanken und solche anderer Programme können\n"
    "solche Texte enthalten; ein zweiter Lauf ändert nichts mehr.\n";

constexpr OptionSpec kSettingsOptions[] = {
    {"--store", "", true}, {"--pers-stat", "", true}, {"--coords", "", true}};
constexpr OptionSpec kExportOptions[] = {
    {"--output", "-o", true}, {"--csv", "", true}, {"--table", "", true}, {"--search", "", true},
    {"--from", "", true},     {"--to", "", true},  {"--sort", "", true}};

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

int WriteExport(CBattleDatabase& database, std::int32_t id, const std::string* output, Streams streams) {
    if (!output) {
        std::ostringstream page;
        if (!database.RenderBattle(page, id))
            return 1;
        streams.out << page.str();
        return streams.out.flush() ? 0 : 1;
    }
    const bool written = WritePageFile(*output, "export", streams,
                                       [&](std::ostream& page) { return database.RenderBattle(page, id); });
    return written ? 0 : 1;
}

} // namespace

int RunSettings(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed = ParseArgs(args, kSettingsOptions, 0, "settings", kSettingsUsage, streams, exitCode);
    if (!parsed)
        return exitCode;
    const auto store = SwitchValue(*parsed, "--store");
    const auto persStat = SwitchValue(*parsed, "--pers-stat");
    if (store == -1 || persStat == -1) {
        streams.err << "skarnwald-cli settings: --store und --pers-stat nehmen 0 oder 1\n" << kSettingsUsage;
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

    CBattleDatabase database;
    database.SetConnection(connection.Connection());
    streams.out << "Datenbank: " << ArchiveFileOf(*connection).string() << "\n"
                << "DBSpeichern: " << database.ReadStoreSetting() << "\n"
                << "PersStat: " << database.ReadPersStatSetting() << "\n"
                << "Koords: " << database.ReadOwnCoords() << "\n";
    return connection.ExitCode();
}

int RunExport(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed = ParseArgs(args, kExportOptions, 1, "export", kExportUsage, streams, exitCode);
    if (!parsed)
        return exitCode;
    if (parsed->Has("--csv"))
        return ExportCsv(*parsed, kExportUsage, streams);
    const auto id = BattleIdArgument(*parsed, "export", kExportUsage, streams);
    if (!id)
        return 2;

    const CommandDatabase connection(*parsed, "export", streams);
    if (!connection)
        return 1;
    if (!BattleExists(*connection, *id)) {
        if (connection.ErrorCount() == 0)
            streams.err << "skarnwald-cli export: kein gespeicherter Kampf mit der ID " << *id << "\n";
        return 1;
    }
    CBattleDatabase database;
    database.SetConnection(connection.Connection());
    const int written = WriteExport(database, *id, parsed->Value("--output"), streams);
    return written != 0 ? written : connection.ExitCode();
}

int RunRepairText(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed = ParseArgs(args, {}, 0, "repair-text", kRepairTextUsage, streams, exitCode);
    if (!parsed)
        return exitCode;
    const CommandDatabase connection(*parsed, "repair-text", streams);
    if (!connection)
        return 1;
    const auto changed = RepairStoredText(*connection);
    if (!changed) {
        streams.err << "skarnwald-cli repair-text: nichts geändert\n";
        return 1;
    }
    streams.out << "Nach UTF-8 umgeschriebene Texte: " << *changed << "\n";
    return connection.ExitCode();
}

} // namespace skarnwald::cli
