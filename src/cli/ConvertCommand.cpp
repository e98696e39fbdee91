#include "cli/Cli.h"

#include "convert/OperaJoin.h"
#include "convert/ReportConverter.h"
#include "convert/ReportFiles.h"

#include <iostream>
#include <optional>

namespace skarnwald::cli {

namespace {

constexpr std::string_view kConvertUsage =
    "Aufruf: skarnwald-cli convert [EINGABE] [-o AUSGABE]\n"
    "\n"
    "Wandelt einen Kampfbericht in eine HTML-Seite um. EINGABE ist eine Textdatei;\n"
    "ohne EINGABE oder mit '-' wird die Standardeingabe gelesen. Die Seite geht nach\n"
    "AUSGABE (\".htm\" wird angehängt, wenn der Name nicht auf htm oder html endet)\n"
    "oder ohne -o auf die Standardausgabe.\n";

struct ConvertOptions {
    std::string input = "-";
    std::optional<std::string> output;
};

std::optional<ConvertOptions> ParseConvertOptions(const std::vector<std::string>& args, Streams streams,
                                                  int& exitCode) {
    ConvertOptions options;
    bool haveInput = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            streams.out << kConvertUsage;
            exitCode = 0;
            return std::nullopt;
        }
        if (arg == "-o" || arg == "--output") {
            if (i + 1 == args.size()) {
                streams.err << "skarnwald-cli convert: -o braucht einen Dateinamen\n";
                exitCode = 2;
                return std::nullopt;
            }
            options.output = args[++i];
        } else if (!haveInput && (arg == "-" || !arg.starts_with("-"))) {
            options.input = arg;
            haveInput = true;
        } else {
            streams.err << "skarnwald-cli convert: unerwartetes Argument '" << arg << "'\n" << kConvertUsage;
            exitCode = 2;
            return std::nullopt;
        }
    }
    return options;
}

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

} // namespace

int RunConvert(const std::vector<std::string>& args, Streams streams) {
    int exitCode = 0;
    const auto options = ParseConvertOptions(args, streams, exitCode);
    if (!options)
        return exitCode;
    auto text = ReadInput(options->input, streams);
    if (!text)
        return 1;
    // Files and piped text may be copied out of the Opera browser, like
    // clipboard text in the desktop program.
    const std::string report = PrepareCopiedReport(std::move(*text));

    CReportConverter converter;
    if (!options->output) {
        converter.ConvertReport(report, streams.out);
        streams.out.flush();
        if (!streams.out) {
            streams.err << "skarnwald-cli convert: Standardausgabe nicht schreibbar\n";
            return 1;
        }
        return 0;
    }

    const std::string target = OutputFileName(*options->output);
    AtomicFileWriter writer(target);
    if (!writer.OpenError().empty()) {
        streams.err << "skarnwald-cli convert: " << target << " nicht schreibbar: " << writer.OpenError() << "\n";
        return 1;
    }
    converter.ConvertReport(report, writer.Stream());
    if (const std::string error = writer.Commit(); !error.empty()) {
        streams.err << "skarnwald-cli convert: " << target << " nicht schreibbar: " << error << "\n";
        return 1;
    }
    streams.out << "Seite geschrieben: " << target << "\n";
    return 0;
}

} // namespace skarnwald::cli
