#include "cli/Cli.h"
#include "cli/CommandLine.h"

#include "convert/OperaJoin.h"
#include "convert/ReportConverter.h"
#include "convert/ReportFiles.h"
#include "db/BattleDatabase.h"

#include <iostream>
#include <optional>

namespace skarnwald::cli {

namespace {

constexpr std::string_view kConvertUsage =
    "Aufruf: skarnwald-cli convert [EINGABE] [-o AUSGABE] [--db DATEI]\n"
    "\n"
    "Wandelt einen Kampfbericht in eine HTML-Seite um. EINGABE ist eine Textdatei;\n"
    "ohne EINGABE oder mit '-' wird die Standardeingabe gelesen. Die Seite geht nach\n"
    "AUSGABE (\".htm\" wird angehängt, wenn der Name nicht auf htm oder html endet)\n"
    "oder ohne -o auf die Standardausgabe.\n"
    "\n"
    "Die Einstellungen kommen aus der Datenbank (--db, Vorgabe \"Data.dat\"): mit\n"
    "DBSpeichern = 1 werden die Kämpfe gespeichert, mit PersStat = 1 die persönliche\n"
    "Statistik fortgeschrieben.\n";

constexpr OptionSpec kConvertOptions[] = {{"--output", "-o", true}};

std::optional<std::string> ReadInput(const std::string& input, Streams streams) {
    if (input == "-") {
        auto text = ReadReport(streams.in);
        if (!text)
            streams.err << "skarnwald-cli convert: Standardeingabe nicht lesbar\n";
        return text;
    }
    ReadResult result = ReadReportFile(input);
    if (!result.text)
        streams.err << "skarnwald-cli convert: " << input << " nicht lesbar: " << result.error << "\n";
    return std::move(result.text);
}

// Writes the page to standard output or, through a temporary file, to the
// named file; false after an error (printed).
bool ConvertTo(CReportConverter& converter, const std::string& report, const std::string* output,
               Streams streams) {
    if (!output) {
        converter.ConvertReport(report, streams.out);
        streams.out.flush();
        if (!streams.out) {
            streams.err << "skarnwald-cli convert: Standardausgabe nicht schreibbar\n";
            return false;
        }
        return true;
    }
    return WritePageFile(*output, "convert", streams, [&](std::ostream& page) {
        converter.ConvertReport(report, page);
        return true;
    });
}

} // namespace

int RunConvert(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed = ParseArgs(args, kConvertOptions, 1, "convert", kConvertUsage, streams, exitCode);
    if (!parsed)
        return exitCode;
    auto text = ReadInput(parsed->positional.empty() ? "-" : parsed->positional.front(), streams);
    if (!text)
        return 1;
    // Files and piped text may be copied out of the Opera browser, like
    // clipboard text in the desktop program.
    const std::string report = PrepareCopiedReport(std::move(*text));

    const CommandDatabase connection(*parsed, "convert", streams);
    if (!connection)
        return 1;
    CBattleDatabase database;
    database.SetConnection(connection.Connection());
    CReportConverter converter;
    converter.storeInDb = database.ReadStoreSetting();
    converter.personalStats = database.ReadPersStatSetting();
    converter.ownCoords = database.ReadOwnCoords();
    converter.SetStore(&database);

    if (!ConvertTo(converter, report, parsed->Value("--output"), streams))
        return 1;
    // With the page on standard output the note goes to the error stream.
    if (const int skipped = database.SkippedBattles(); skipped > 0)
        (parsed->Value("--output") ? streams.out : streams.err) << SkippedBattlesNote(skipped) << "\n";
    return connection.ExitCode();
}

} // namespace skarnwald::cli
