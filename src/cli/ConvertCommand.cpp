#include "cli/Cli.h"
#include "cli/CommandLine.h"

#include "convert/OperaJoin.h"
#include "convert/ReportConverter.h"
#include "convert/ReportFiles.h"
#include "convert/ShareFormats.h"
#include "convert/Utf8Text.h"
#include "db/BattleDatabase.h"

#include <iostream>
#include <optional>

namespace skarnwald::cli {

namespace {

constexpr std::string_view kConvertUsage =
    "Aufruf: skarnwald-cli convert [EINGABE] [-o AUSGABE] [--db DATEI]\n"
    "                              [--format html|bbcode|discord|title|json]\n"
    "                              [--hide-own] [--hide-names] [--hide-coords]\n"
    "\n"
    "Wandelt einen Kampfbericht in eine HTML-Seite um. EINGABE ist eine Textdatei;\n"
    "ohne EINGABE oder mit '-' wird die Standardeingabe gelesen. Die Seite geht nach\n"
    "AUSGABE (\".htm\" wird angehängt, wenn der Name nicht auf htm oder html endet)\n"
    "oder ohne -o auf die Standardausgabe.\n"
    "\n"
    "--format wählt statt der Seite: bbcode (Forenbeitrag), discord (Nachrichten zu\n"
    "höchstens 2000 Zeichen, getrennt durch die Zeile\n"
    "\"-----8<----- nächste Nachricht -----8<-----\"), title (eine Zeile je Kampf) oder\n"
    "json (Daten nach dem Schema skarnwald-battles/1). Hat AUSGABE keine Endung,\n"
    "bekommt sie .txt (bbcode, title), .md (discord) oder .json.\n"
    "\n"
    "Verbergen vor dem Teilen (in jedem Format; so umgewandelte Berichte werden nie\n"
    "gespeichert): --hide-own die eigenen Flotten (Koords), --hide-names alle Namen\n"
    "(\"Flotte 1\", \"Flotte 2\", ...), --hide-coords alle Koordinaten (\"?.?.?\").\n"
    "\n"
    "Die Einstellungen kommen aus der Datenbank (--db, Vorgabe \"Data.dat\"): mit\n"
    "DBSpeichern = 1 werden die Kämpfe gespeichert, mit PersStat = 1 die persönliche\n"
    "Statistik fortgeschrieben.\n";

constexpr OptionSpec kConvertOptions[] = {{"--output", "-o", true},
                                          {"--format", "", true},
                                          {"--hide-own", "", false},
                                          {"--hide-names", "", false},
                                          {"--hide-coords", "", false}};

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

// Writes the page (or the chosen format) to standard output or, through a
// temporary file, to the named file; false after an error (printed).
bool ConvertTo(CReportConverter& converter, const std::string& report, ShareFormat format,
               const std::string* output, Streams streams) {
    if (!output) {
        ConvertToFormat(converter, report, format, streams.out);
        streams.out.flush();
        if (!streams.out) {
            streams.err << "skarnwald-cli convert: Standardausgabe nicht schreibbar\n";
            return false;
        }
        return true;
    }
    const auto write = [&](std::ostream& file) {
        ConvertToFormat(converter, report, format, file);
        return true;
    };
    if (format == ShareFormat::Html)
        return WritePageFile(*output, "convert", streams, write);
    return WriteOutputFile(ShareOutputFileName(*output, format), "Datei geschrieben: ", "convert", streams,
                           write);
}

} // namespace

int RunConvert(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed = ParseArgs(args, kConvertOptions, 1, "convert", kConvertUsage, streams, exitCode);
    if (!parsed)
        return exitCode;
    const std::string* formatName = parsed->Value("--format");
    const auto format = formatName ? ShareFormatNamed(*formatName) : ShareFormat::Html;
    if (!format) {
        streams.err << "skarnwald-cli convert: unbekanntes Format '" << *formatName << "'\n" << kConvertUsage;
        return 2;
    }
    auto text = ReadInput(parsed->positional.empty() ? "-" : parsed->positional.front(), streams);
    if (!text)
        return 1;
    // Files and piped text may be copied out of the Opera browser, like
    // clipboard text in the desktop program.
    std::string report = PrepareCopiedReport(std::move(*text));
    // The shared formats are UTF-8 whatever the report came in.
    if (*format != ShareFormat::Html)
        NormaliseTextInPlace(report);

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
    converter.redaction = {parsed->Has("--hide-own"), parsed->Has("--hide-names"),
                           parsed->Has("--hide-coords")};

    if (!ConvertTo(converter, report, *format, parsed->Value("--output"), streams))
        return 1;
    return connection.ExitCode();
}

} // namespace skarnwald::cli
