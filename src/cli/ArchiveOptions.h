#pragma once
// What the archive commands (battles, delete, export --csv) share: the
// filter options and reading a battle id.

#include "archive/BattleBrowser.h"
#include "cli/CommandLine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skarnwald::cli {

inline constexpr OptionSpec kFilterOptions[] = {
    {"--search", "", true}, {"--from", "", true}, {"--to", "", true}, {"--sort", "", true}};

// The battles --search, --from, --to and --sort choose; prints what is wrong
// (exit code 2) and returns nothing for a date or order it cannot read.
std::optional<BattleFilter> FilterOf(const ParsedArgs& args, std::string_view command, std::string_view usage,
                                     Streams streams);

// The battle id given as the first plain argument; prints what is wrong
// (exit code 2) and returns nothing when it is missing or no number.
std::optional<std::int32_t> BattleIdArgument(const ParsedArgs& args, std::string_view command,
                                             std::string_view usage, Streams streams);

// `export --csv FOLDER ...`; returns the exit code.
int ExportCsv(const ParsedArgs& args, std::string_view usage, Streams streams);

} // namespace skarnwald::cli
