#include "cli/CardPicture.h"
#include "cli/Cli.h"
#include "cli/CliTexts.h"
#include "cli/CommandLine.h"

#include "archive/BattleDatabase.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "writers/BatchConversion.h"
#include "writers/Conversion.h"
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
                                          {"--hide-names", "", false}, {"--hide-coords", "", false},
                                          {"--per-battle", "", false}};

// What convert writes: the page, a share text, or picture cards (the SVG
// format, drawn as PNG when `png`), the summary card or one per battle.
struct OutputChoice {
    ShareFormat format = ShareFormat::Html;
    bool png = false;
    bool eachBattle = false;
};

// "png" is the SVG card drawn; every other name is the core's.
std::optional<OutputChoice> OutputNamed(const std::string* name, bool eachBattle) {
    if (!name)
        return OutputChoice{};
    if (*name == "png")
        return OutputChoice{ShareFormat::Svg, true, eachBattle};
    const auto format = ShareFormatNamed(*name);
    if (!format)
        return std::nullopt;
    return OutputChoice{*format, false, eachBattle};
}

// The file for a chosen output path: as the core names its formats, a PNG
// card ".png" when the name has no extension; the cards of several battles
// numbered before the extension ("kampf-2.png").
std::string OutputFileNameFor(const std::string& chosen, const OutputChoice& choice, std::size_t battle = 0) {
    std::filesystem::path name = ShareOutputFileName(chosen, choice.format);
    if (choice.png && !std::filesystem::path(chosen).filename().has_extension())
        name.replace_extension(".png");
    if (battle > 0) {
        const std::filesystem::path extension = name.extension();
        name.replace_extension();
        name += "-" + std::to_string(battle);
        name += extension;
    }
    return name.string();
}

// Writes a card as it is or drawn as PNG; false, with the reason printed,
// when it cannot be drawn.
bool WriteCard(const std::string& svg, bool png, std::ostream& out, Streams streams) {
    if (!png) {
        out << svg;
        return true;
    }
    std::string error;
    const auto picture = CardPng(svg, kCardPngScale, error);
    if (!picture) {
        streams.err << "skarnwald-cli convert: " << CliFormat("convert.cardUndrawn", {{"reason", error}})
                    << "\n";
        return false;
    }
    out << *picture;
    return true;
}

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

// The outputs a choice asks of the conversion: one format's writer only.
ConversionOutputs OutputsFor(const OutputChoice& choice) {
    ConversionOutputs outputs;
    outputs.page = choice.format == ShareFormat::Html;
    outputs.bbcode = choice.format == ShareFormat::BBCode;
    outputs.discord = choice.format == ShareFormat::Discord;
    outputs.title = choice.format == ShareFormat::Title;
    outputs.json = choice.format == ShareFormat::Json;
    outputs.card = choice.format == ShareFormat::Svg;
    outputs.cardEachBattle = choice.format == ShareFormat::Svg && choice.eachBattle;
    return outputs;
}

// The chosen share text of a conversion, as its file holds it.
std::string ShareTextOf(ConversionResult& converted, ShareFormat format) {
    switch (format) {
    case ShareFormat::BBCode:
        return std::move(converted.bbcode);
    case ShareFormat::Discord:
        return JoinDiscordMessages(converted.discordMessages);
    case ShareFormat::Title:
        return std::move(converted.title);
    case ShareFormat::Json:
        return std::move(converted.json);
    case ShareFormat::Svg:
        return std::move(converted.card);
    case ShareFormat::Html:
        break;
    }
    return std::move(converted.page);
}

// Writes the page (or the chosen format) to standard output or, through a
// temporary file, to the named file. A report without a battle writes
// nothing, so standard output gets the text only once the conversion is done.
// Errors are printed.
ConvertOutcome ConvertTo(ConversionOptions options, const std::string& report, const OutputChoice& choice,
                         const std::string* output, Streams streams) {
    bool noBattle = false;
    const auto write = [&](std::ostream& out) {
        // The page goes out as it is written; a share text once it is whole.
        options.pageOut = &out;
        ConversionResult converted = Convert(report, options);
        noBattle = converted.battles == 0;
        if (noBattle)
            return false;
        if (choice.png)
            return WriteCard(converted.card, true, out, streams);
        if (choice.format != ShareFormat::Html)
            out << ShareTextOf(converted, choice.format);
        out.flush();
        return true;
    };
    if (!output) {
        std::ostringstream held;
        const bool written = write(held);
        if (!written && !noBattle)
            return ConvertOutcome::Failed;
        if (written) {
            streams.out << held.view();
            streams.out.flush();
            if (!streams.out) {
                streams.err << "skarnwald-cli convert: " << CliText("convert.stdoutUnwritable") << "\n";
                return ConvertOutcome::Failed;
            }
        }
    } else {
        const bool written = choice.format == ShareFormat::Html
                                 ? WritePageFile(*output, "convert", streams, write)
                                 : WriteOutputFile(OutputFileNameFor(*output, choice),
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

// One card per battle, each into a file of its own named after `output`.
ConvertOutcome ConvertToBattleCards(const ConversionOptions& options, const std::string& report,
                                    const OutputChoice& choice, const std::string& output, Streams streams) {
    const ConversionResult converted = Convert(report, options);
    if (converted.battleCards.empty()) {
        streams.err << "skarnwald-cli convert: " << CoreTexts().Text("convert.noBattleFound") << "\n";
        return ConvertOutcome::NoBattle;
    }
    for (std::size_t battle = 0; battle < converted.battleCards.size(); ++battle) {
        const auto write = [&](std::ostream& out) {
            return WriteCard(converted.battleCards[battle], choice.png, out, streams);
        };
        if (!WriteOutputFile(OutputFileNameFor(output, choice, battle + 1), CliText("written.file"),
                             "convert", streams, write))
            return ConvertOutcome::Failed;
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
        storing.SetSettings(ReadStoringSettings(*connection));
        converter.ownCoords = storing.Settings().ownCoords;
        AttachStoring(converter, storing);
        converter.redaction = {args.Has("--hide-own"), args.Has("--hide-names"), args.Has("--hide-coords")};
    }

    // The same conversion for the one-walk call.
    ConversionOptions Options(const OutputChoice& choice) {
        return {.redaction = converter.redaction,
                .ownCoords = converter.ownCoords,
                .outputs = OutputsFor(choice),
                .storing = storing.Settings().Any() ? &storing : nullptr};
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
    else if (args.Has("--per-battle") && (!args.Has("--format") || (*args.Value("--format") != "svg" &&
                                                                    *args.Value("--format") != "png")))
        why = CliText("convert.perBattleOnlyCards");
    else if (args.Has("--per-battle") && !args.Has("--output"))
        why = CliText("convert.perBattleNeedsOutput");
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
    const auto choice = OutputNamed(formatName, parsed->Has("--per-battle"));
    if (!choice) {
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
        choice->eachBattle
            ? ConvertToBattleCards(setup.Options(*choice), report, *choice, *parsed->Value("--output"),
                                   streams)
            : ConvertTo(setup.Options(*choice), report, *choice, parsed->Value("--output"), streams);
    if (outcome != ConvertOutcome::Written)
        return outcome == ConvertOutcome::NoBattle ? kNoBattleExitCode : 1;
    // With the page on standard output the note goes to the error stream.
    if (const int skipped = setup.database.SkippedBattles(); skipped > 0)
        (parsed->Value("--output") ? streams.out : streams.err) << SkippedBattlesNote(skipped) << "\n";
    return setup.connection.ExitCode();
}

} // namespace skarnwald::cli
