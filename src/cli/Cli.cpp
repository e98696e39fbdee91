#include "cli/Cli.h"

#include "cli/CliTexts.h"
#include "cli/Language.h"

#include <algorithm>
#include <ostream>
#include <string_view>

namespace skarnwald::cli {

namespace {

struct Command {
    std::string_view name;
    int (*run)(const std::vector<std::string>&, Streams);
};

constexpr Command kCommands[] = {
    {"convert", RunConvert},        {"settings", RunSettings},
    {"battles", RunBattles},        {"delete", RunDelete},
    {"export", RunExport},          {"stats", RunStats},
    {"repair-text", RunRepairText}, {"import-archive", RunImportArchive},
};

constexpr std::string_view kLanguageOption = "--lang";
constexpr std::string_view kSystemLanguage = "system";

// What `--lang` asked for: nothing, a value, or a `--lang` without one. The
// last one given counts.
struct LanguageOption {
    bool given = false;
    bool lacksValue = false;
    std::string value;
};

// Takes every `--lang VALUE` out of `args`, wherever it stands, so that the
// commands never see it.
LanguageOption TakeLanguageOption(std::vector<std::string>& args) {
    LanguageOption option;
    for (auto at = std::find(args.begin(), args.end(), kLanguageOption); at != args.end();
         at = std::find(at, args.end(), kLanguageOption)) {
        option.given = true;
        option.lacksValue = std::next(at) == args.end();
        option.value = option.lacksValue ? std::string() : *std::next(at);
        at = args.erase(at, option.lacksValue ? std::next(at) : std::next(at, 2));
    }
    return option;
}

bool IsLanguageChoice(std::string_view value) {
    const auto languages = CliLanguages();
    return value == kSystemLanguage ||
           std::find(languages.begin(), languages.end(), value) != languages.end();
}

// Remembers the language of `--lang`, or forgets the choice for empty text; a
// file that cannot be written costs the player only the memory, so it is a
// note and the command runs all the same.
bool RememberChoice(const std::filesystem::path& file, const std::string& language, Streams streams) {
    const std::string error = RememberLanguage(file, language);
    if (error.empty())
        return true;
    streams.err << "skarnwald-cli: " << CliFormat("lang.notRemembered", {{"reason", error}}) << "\n";
    return false;
}

} // namespace

int Main(std::vector<std::string> args, Streams streams, const Environment& environment) {
    const LanguageOption option = TakeLanguageOption(args);
    const std::filesystem::path file = RememberedLanguageFile(environment);
    const bool valid = option.given && !option.lacksValue && IsLanguageChoice(option.value);
    const std::string remembered = RememberedLanguage(file);
    std::string language = valid ? option.value : remembered;
    if (language.empty() || language == kSystemLanguage)
        language = SystemLanguage(environment);
    UseLanguage(language);

    if (option.given && !valid) {
        streams.err << "skarnwald-cli: "
                    << (option.lacksValue ? CliFormat("args.needsValue", {{"option", kLanguageOption}})
                                          : std::string(CliText("lang.values")))
                    << "\n"
                    << CliText("usage.main");
        return 2;
    }
    const std::string chosen = option.value == kSystemLanguage ? std::string() : option.value;
    // The file is written only when the choice changes.
    const bool kept = !option.given || chosen == remembered || RememberChoice(file, chosen, streams);
    // `--lang` alone only makes the choice.
    if (option.given && args.empty()) {
        if (kept)
            streams.out << (option.value == kSystemLanguage
                                ? std::string(CliText("lang.followsSystem"))
                                : CliFormat("lang.remembered", {{"file", file.string()}}))
                        << "\n";
        return 0;
    }
    return Run(args, streams);
}

int Run(const std::vector<std::string>& args, Streams streams) {
    if (args.empty()) {
        streams.err << CliText("usage.main");
        return 2;
    }
    const std::string& command = args.front();
    if (command == "--help" || command == "-h") {
        streams.out << CliText("usage.main");
        return 0;
    }
    if (command == "--version") {
        streams.out << "skarnwald-cli " << SKARNWALD_VERSION << "\n";
        return 0;
    }
    for (const Command& known : kCommands)
        if (known.name == command)
            return known.run({args.begin() + 1, args.end()}, streams);
    streams.err << "skarnwald-cli: " << CliFormat("error.unknownCommand", {{"command", command}}) << "\n"
                << CliText("usage.main");
    return 2;
}

} // namespace skarnwald::cli
