#pragma once
// Which language the command line speaks: the one the player chose with
// `--lang` and the program remembered, else the one the environment asks for.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace skarnwald::cli {

// The value of an environment variable; empty when it is not set.
using Environment = std::function<std::string(std::string_view name)>;

// The process's own environment.
std::string ProcessEnvironment(std::string_view name);

// The language the environment asks for, read as text and never through
// setlocale, so that a locale the system has not generated still counts:
// the first entry of LANGUAGE's colon list that names a catalog, else the
// first of LC_ALL, LC_MESSAGES and LANG that is set. One of CliLanguages():
// German for German, English for everything without a catalog (C, POSIX,
// unset, French ...).
std::string_view SystemLanguage(const Environment& environment);

// Where the choice is remembered: $XDG_CONFIG_HOME/skarnwald/cli.json, or
// ~/.config/skarnwald/cli.json; empty when neither folder is known.
std::filesystem::path RememberedLanguageFile(const Environment& environment);

// The language remembered in `file`, or empty text when there is none (no
// file, not one of CliLanguages(), a file that cannot be read).
std::string RememberedLanguage(const std::filesystem::path& file);

// Remembers `language` in `file`, or forgets the choice for empty text;
// other settings of the file stay. Returns why it failed (naming the file),
// or empty text.
std::string RememberLanguage(const std::filesystem::path& file, std::string_view language);

// Sets the command line's and the core's texts to `language`, with ICU's
// plural rule for it.
void UseLanguage(std::string_view language);

} // namespace skarnwald::cli
