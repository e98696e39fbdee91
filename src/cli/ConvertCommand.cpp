#include "cli/Cli.h"
#include "cli/CommandLine.h"

#include "archive/BattleDatabase.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "writers/BatchConversion.h"
#include "writers/ShareFormats.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>

namespace skarnwald::cli {

namespace {

constexpr std::string_view kConvertUsage =
    "Aufruf: skarnwald-cli convert [EINGABE] [-o AUSGABE] [--db DATEI]\n"
    "                              [--format html|bbcode|discord|title|json]\n"
    "                              [--hide-own] [--hide-names] [--hide-coords]\n"
    "        skarnwald-cli convert DATEI... -d ORDNER [--db DATEI] [--hide-...]\n"
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
    "Mit -d ORDNER wird jede DATEI zu einer eigenen Seite ORDNER/NAME.htm (der Ordner\n"
    "wird bei Bedarf angelegt); eine Datei, die scheitert, hält die anderen nicht auf.\n"
    "\n"
    "Findet sich keine Kampfkopfzeile, wird nichts geschrieben (\"Kein Kampf gefunden\";\n"
    "mit -d zählt die Datei als gescheitert).\n"
    "Rückgabewert: 0 umgewandelt, 1 Fehler (mit -d: mindestens eine Datei gescheitert),\n"
    "2 falscher Aufruf, 3 kein Kampf gefunden.\n"
    "\n"
    "Die Einstellungen kommen aus der Datenbank (--db, Vorgabe siehe\n"
    "'skarnwald-cli --help'): mit DBSpeichern = 1 werden die Kämpfe gespeichert, mit\n"
    "PersStat = 1 die persönliche Statistik fortgeschrieben.\n";

constexpr OptionSpec kConvertOptions[] = {{"--output", "-o", true},    {"--dir", "-d", true},
                                          {"--format", "", true},      {"--hide-own", "", false},
                                          {"--hide-names", "", false}, {"--hide-coords", "", false}};

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

// The exit code of a conversion that found no battle and wrote nothing.
constexpr int kNoBattleExitCode = 3;

enum class ConvertOutcome { Written, NoBattle, Failed };

// Writes the page (or the chosen format) to standard output or, through a
// temporary file, to the named file. A report without a battle writes
// nothing, so standard output gets the text only once the conversion is done.
// Errors are printed.
ConvertOutcome ConvertTo(CReportConverter& converter, const std::string& report, ShareFormat format,
                         const std::string* output, Streams streams) {
    bool noBattle = false;
    const auto write = [&](std::ostream& out) {
        ConvertToFormat(converter, report, format, out);
        noBattle = converter.BattlesInLastReport() == 0;
        return !noBattle;
    };
    if (!output) {
        std::ostringstream held;
        if (write(held)) {
            streams.out << held.view();
            streams.out.flush();
            if (!streams.out) {
                streams.err << "skarnwald-cli convert: Standardausgabe nicht schreibbar\n";
                return ConvertOutcome::Failed;
            }
        }
    } else {
        const bool written = format == ShareFormat::Html
                                 ? WritePageFile(*output, "convert", streams, write)
                                 : WriteOutputFile(ShareOutputFileName(*output, format),
                                                   "Datei geschrieben: ", "convert", streams, write);
        if (!written && !noBattle)
            return ConvertOutcome::Failed;
    }
    if (noBattle) {
        streams.err << "skarnwald-cli convert: " << kNoBattleFound << "\n";
        return ConvertOutcome::NoBattle;
    }
    return ConvertOutcome::Written;
}

// One line per file: where its page went, or why there is none.
void ReportBatch(const BatchResult& result, Streams streams) {
    for (const BatchItem& item : result.items) {
        if (item.Converted()) {
            streams.out << item.input.string() << " -> " << item.page.string() << "\n";
            continue;
        }
        streams.err << "skarnwald-cli convert: ";
        if (item.failure == BatchFailure::Write)
            streams.err << item.page.string() << " nicht schreibbar: ";
        else
            streams.err << item.input.string()
                        << (item.failure == BatchFailure::Read ? " nicht lesbar: " : ": ");
        streams.err << item.reason << "\n";
    }
    streams.out << result.ConvertedCount() << " von " << result.items.size() << " Berichten umgewandelt\n";
}

// The database named by --db and a converter that stores into it with the
// settings read from it.
struct ConfiguredConverter {
    ConfiguredConverter(const ParsedArgs& args, Streams streams) : connection(args, "convert", streams) {
        if (!connection)
            return;
        database.SetConnection(connection.Connection());
        storing.SetSettings(ReadStoringSettings(database));
        converter.ownCoords = storing.Settings().ownCoords;
        AttachStoring(converter, storing);
        converter.redaction = {args.Has("--hide-own"), args.Has("--hide-names"), args.Has("--hide-coords")};
    }

    CommandDatabase connection;
    CBattleDatabase database;
    CStoringWriter storing{database};
    CReportConverter converter;
};

int ConvertFiles(const ParsedArgs& args, Streams streams) {
    const std::string& folder = *args.Value("--dir");
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        streams.err << "skarnwald-cli convert: Ordner " << folder << " nicht anlegbar: " << ec.message()
                    << "\n";
        return 1;
    }
    ConfiguredConverter setup(args, streams);
    if (!setup.connection)
        return 1;
    const std::vector<std::filesystem::path> inputs(args.positional.begin(), args.positional.end());
    const BatchResult result = ConvertReportFiles(setup.converter, inputs, folder);
    ReportBatch(result, streams);
    return result.ConvertedCount() == result.items.size() ? setup.connection.ExitCode() : 1;
}

// Checks the combinations of inputs and outputs that ParseArgs cannot;
// prints why and gives false for the others.
bool ValidInputs(const ParsedArgs& args, Streams streams) {
    const char* why = nullptr;
    if (args.Has("--dir") && args.Has("--output"))
        why = "-o und -d schließen sich aus";
    else if (args.Has("--dir") && args.positional.empty())
        why = "-d braucht mindestens eine EINGABE";
    else if (args.Has("--dir") && std::ranges::find(args.positional, "-") != args.positional.end())
        why = "mit -d wird die Standardeingabe nicht gelesen";
    else if (args.Has("--dir") && args.Has("--format") && *args.Value("--format") != "html")
        why = "mit -d entstehen nur HTML-Seiten";
    else if (!args.Has("--dir") && args.positional.size() > 1)
        why = "mehrere EINGABEN nur mit -d ORDNER";
    if (why)
        streams.err << "skarnwald-cli convert: " << why << "\n" << kConvertUsage;
    return why == nullptr;
}

} // namespace

int RunConvert(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed =
        ParseArgs(args, kConvertOptions, SIZE_MAX, "convert", kConvertUsage, streams, exitCode);
    if (!parsed)
        return exitCode;
    if (!ValidInputs(*parsed, streams))
        return 2;
    if (parsed->Has("--dir"))
        return ConvertFiles(*parsed, streams);
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
    // The text is UTF-8 already (ReadReport), so every format is too.
    const std::string report = PrepareCopiedReport(std::move(*text));

    ConfiguredConverter setup(*parsed, streams);
    if (!setup.connection)
        return 1;
    const ConvertOutcome outcome =
        ConvertTo(setup.converter, report, *format, parsed->Value("--output"), streams);
    if (outcome != ConvertOutcome::Written)
        return outcome == ConvertOutcome::NoBattle ? kNoBattleExitCode : 1;
    // With the page on standard output the note goes to the error stream.
    if (const int skipped = setup.database.SkippedBattles(); skipped > 0)
        (parsed->Value("--output") ? streams.out : streams.err) << SkippedBattlesNote(skipped) << "\n";
    return setup.connection.ExitCode();
}

} // namespace skarnwald::cli
