#include "cli/Language.h"

#include "cli/CliTexts.h"
#include "plural/PluralRule.h"
#include "text/ReportFiles.h"

#include <nlohmann/json.hpp>

#include <cstdlib>
#include <fstream>
#include <ostream>

namespace skarnwald::cli {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kLanguageKey = "language";

std::string_view CliLanguageOf(std::string_view tag) {
    return MatchLanguage(tag, CliLanguages());
}

// English stands in for every language without a catalog, C and POSIX too.
std::string_view CliLanguageOrEnglish(std::string_view tag) {
    const std::string_view language = CliLanguageOf(tag);
    return language.empty() ? "en" : language;
}

// The file's settings; an empty object for a missing or unreadable file.
nlohmann::json ReadSettings(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    nlohmann::json settings = nlohmann::json::parse(in, nullptr, false);
    return settings.is_object() ? settings : nlohmann::json::object();
}

} // namespace

std::string ProcessEnvironment(std::string_view name) {
    const char* value = std::getenv(std::string(name).c_str());
    return value ? value : "";
}

std::string_view SystemLanguage(const Environment& environment) {
    const std::string languages = environment("LANGUAGE");
    for (std::size_t at = 0; at <= languages.size();) {
        const std::size_t end = std::min(languages.find(':', at), languages.size());
        if (const std::string_view found = CliLanguageOf(std::string_view(languages).substr(at, end - at));
            !found.empty())
            return found;
        at = end + 1;
    }
    for (std::string_view name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const std::string tag = environment(name); !tag.empty())
            return CliLanguageOrEnglish(tag);
    return "en";
}

fs::path RememberedLanguageFile(const Environment& environment) {
    // A relative XDG_CONFIG_HOME is invalid and stands for the default.
    fs::path config = environment("XDG_CONFIG_HOME");
    if (config.empty() || config.is_relative()) {
        const fs::path home = environment("HOME");
        if (home.empty())
            return {};
        config = home / ".config";
    }
    return config / "skarnwald" / "cli.json";
}

std::string RememberedLanguage(const fs::path& file) {
    if (file.empty())
        return {};
    const nlohmann::json settings = ReadSettings(file);
    const auto language = settings.find(kLanguageKey);
    if (language == settings.end() || !language->is_string())
        return {};
    const std::string text = language->get<std::string>();
    return CliLanguageOf(text) == text ? text : std::string();
}

std::string RememberLanguage(const fs::path& file, std::string_view language) {
    if (file.empty())
        return std::string(CliText("lang.noConfigFolder"));
    nlohmann::json settings = ReadSettings(file);
    if (language.empty())
        settings.erase(kLanguageKey);
    else
        settings[kLanguageKey] = language;
    std::error_code error;
    std::string why;
    if (settings.empty())
        fs::remove(file, error);
    else if (fs::create_directories(file.parent_path(), error); !error)
        why = WriteFileAtomically(file, [&](std::ostream& out) {
                  out << settings.dump(4) << '\n';
                  return true;
              }).error;
    if (error)
        why = error.message();
    return why.empty() ? why : file.string() + ": " + why;
}

void UseLanguage(std::string_view language) {
    SetCliLanguage(language, IcuPluralRule(language));
    SetCoreLanguage(language, IcuPluralRule(language));
}

} // namespace skarnwald::cli
