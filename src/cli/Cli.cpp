#include "cli/Cli.h"

#include <ostream>
#include <string_view>

namespace skarnwald::cli {

namespace {

constexpr std::string_view kUsage =
    "Aufruf: skarnwald-cli BEFEHL [ARGUMENTE]\n"
    "\n"
    "Befehle:\n"
    "  convert [EINGABE] [-o AUSGABE]   Kampfbericht in eine HTML-Seite umwandeln\n"
    "  convert DATEI... -d ORDNER       mehrere Berichte, je eine Seite im ORDNER\n"
    "  settings [--store 0|1] [--pers-stat 0|1] [--coords TEXT]\n"
    "                                   Einstellungen zeigen und ändern\n"
    "  battles [--search TEXT] [--from DATUM] [--to DATUM]\n"
    "                                   gespeicherte Kämpfe suchen und auflisten\n"
    "  delete ID                        gespeicherten Kampf löschen\n"
    "  export ID [-o AUSGABE]           gespeicherten Kampf als HTML-Seite schreiben\n"
    "  export --csv ORDNER [--search TEXT] [--from DATUM] [--to DATUM]\n"
    "                                   Kämpfe als CSV-Dateien schreiben\n"
    "  stats [--reset] [--by day|week]  persönliche Statistik zeigen oder löschen,\n"
    "                                   oder ihren Verlauf je Tag oder Woche\n"
    "  repair-text                      Texte der Datenbank nach UTF-8 umschreiben\n"
    "\n"
    "Alle Befehle nehmen --db DATEI. Vorgabe: die Datei der Umgebungsvariablen\n"
    "SKARNWALD_DB, sonst Data.dat im Arbeitsordner, wenn es dort liegt (außer im\n"
    "persönlichen Ordner), sonst Data.dat in $XDG_DATA_HOME/skarnwald (ohne\n"
    "XDG_DATA_HOME ~/.local/share/skarnwald; der Ordner wird bei Bedarf angelegt).\n"
    "'skarnwald-cli settings' zeigt, welche Datei benutzt wird.\n"
    "\n"
    "  --help      diese Hilfe\n"
    "  --version   Versionsnummer\n"
    "\n"
    "'skarnwald-cli BEFEHL --help' beschreibt einen Befehl.\n";

struct Command {
    std::string_view name;
    int (*run)(const std::vector<std::string>&, Streams);
};

constexpr Command kCommands[] = {
    {"convert", RunConvert}, {"settings", RunSettings}, {"battles", RunBattles},        {"delete", RunDelete},
    {"export", RunExport},   {"stats", RunStats},       {"repair-text", RunRepairText},
};

} // namespace

int Run(const std::vector<std::string>& args, Streams streams) {
    if (args.empty()) {
        streams.err << kUsage;
        return 2;
    }
    const std::string& command = args.front();
    if (command == "--help" || command == "-h") {
        streams.out << kUsage;
        return 0;
    }
    if (command == "--version") {
        streams.out << "skarnwald-cli " << SKARNWALD_VERSION << "\n";
        return 0;
    }
    for (const Command& known : kCommands)
        if (known.name == command)
            return known.run({args.begin() + 1, args.end()}, streams);
    streams.err << "skarnwald-cli: unbekannter Befehl '" << command << "'\n" << kUsage;
    return 2;
}

} // namespace skarnwald::cli
