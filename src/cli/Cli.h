#pragma once
// The command line over the core: `skarnwald-cli COMMAND [ARGS]`.

#include "cli/Language.h"

#include <iosfwd>
#include <string>
#include <vector>

namespace skarnwald::cli {

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// The program: takes the global `--lang de|en|system` out of `args` (wherever
// it stands), remembers it, chooses the language from it, the remembered
// choice or the environment, and runs the rest; returns the exit code.
int Main(std::vector<std::string> args, Streams streams, const Environment& environment);

// Runs one command line (without the program name and `--lang`) in the
// language chosen last, German unless Main chose; returns the exit code.
int Run(const std::vector<std::string>& args, Streams streams);

// Subcommands; `args` follow the command name.
int RunConvert(const std::vector<std::string>& args, Streams streams);
int RunSettings(const std::vector<std::string>& args, Streams streams);
int RunBattles(const std::vector<std::string>& args, Streams streams);
int RunDelete(const std::vector<std::string>& args, Streams streams);
int RunExport(const std::vector<std::string>& args, Streams streams);
int RunRepairText(const std::vector<std::string>& args, Streams streams);
int RunStats(const std::vector<std::string>& args, Streams streams);
int RunImportArchive(const std::vector<std::string>& args, Streams streams);

} // namespace skarnwald::cli
