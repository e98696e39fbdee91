#include "cli/Cli.h"
#include "cli/CliTexts.h"
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

constexpr OptionSpec kConvertOptions[] = {{"--output", "-o", true},    {"--dir", "-d", true},
                                          {"--format", "", true},      {"--hide-own", "", false},
                                          {"--hide-names", "", false}, {"--hide-coords", "", false}};

std::optional<std::string> ReadInput(const std::string& input, Streams streams) {
    if (input == "-") {
        auto text = ReadReport(streams.in);
        if (!text)
            streams.err << "skarnwald-cli convert: " << CliText("convert.stdinUnreadable") << "\n";
        return text;
    }
    ReadResult result = ReadReportFile(input);
    if (!result.text)
        streams.err << "skarnwald-cli convert: "
                    << CliFormat("file.unreadable", {{"file", input}, {"reason", result.error}}) << "\n";
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
                streams.err << "skarnwald-cli convert: " << CliText("convert.stdoutUnwritable") << "\n";
                return ConvertOutcome::Failed;
            }
        }
    } else {
        const bool written = format == ShareFormat::Html
                                 ? WritePageFile(*output, "convert", streams, write)
                                 : WriteOutputFile(ShareOutputFileName(*output, format),
                                                   CliText("written.file"), "convert", streams, write);
        if (!written && !noBattle)
            return ConvertOutcome::Failed;
    }
    if (noBattle) {
        streams.err << "skarnwald-cli convert: " << CoreTexts().Text("convert.noBattleFound") << "\n";
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
        const std::string input = item.input.string();
        streams.err << "skarnwald-cli convert: "
                    << (item.failure == BatchFailure::Write
                            ? CliFormat("file.unwritable",
                                        {{"file", item.page.string()}, {"reason", item.reason}})
                        : item.failure == BatchFailure::Read
                            ? CliFormat("file.unreadable", {{"file", input}, {"reason", item.reason}})
                            : input + ": " + item.reason)
                    << "\n";
    }
    const std::string converted = std::to_string(result.ConvertedCount());
    streams.out << CliPlural("convert.batchDone", static_cast<std::int64_t>(result.items.size()),
                             {{"converted", converted}})
                << "\n";
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
        streams.err << "skarnwald-cli convert: "
                    << CliFormat("convert.folderUnmade", {{"folder", folder}, {"reason", ec.message()}})
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
    std::string_view why;
    if (args.Has("--dir") && args.Has("--output"))
        why = CliText("convert.dirOrOutput");
    else if (args.Has("--dir") && args.positional.empty())
        why = CliText("convert.dirNeedsInput");
    else if (args.Has("--dir") && std::ranges::find(args.positional, "-") != args.positional.end())
        why = CliText("convert.dirWithoutStdin");
    else if (args.Has("--dir") && args.Has("--format") && *args.Value("--format") != "html")
        why = CliText("convert.dirOnlyHtml");
    else if (!args.Has("--dir") && args.positional.size() > 1)
        why = CliText("convert.severalNeedDir");
    if (!why.empty())
        streams.err << "skarnwald-cli convert: " << why << "\n" << CliText("usage.convert");
    return why.empty();
}

} // namespace

int RunConvert(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto parsed =
        ParseArgs(args, kConvertOptions, SIZE_MAX, "convert", CliText("usage.convert"), streams, exitCode);
    if (!parsed)
        return exitCode;
    if (!ValidInputs(*parsed, streams))
        return 2;
    if (parsed->Has("--dir"))
        return ConvertFiles(*parsed, streams);
    const std::string* formatName = parsed->Value("--format");
    const auto format = formatName ? ShareFormatNamed(*formatName) : ShareFormat::Html;
    if (!format) {
        streams.err << "skarnwald-cli convert: "
                    << CliFormat("convert.unknownFormat", {{"format", *formatName}}) << "\n"
                    << CliText("usage.convert");
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
