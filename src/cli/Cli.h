#pragma once
// The command line over the core: `skarnwald-cli COMMAND [ARGS]`.

#include <iosfwd>
#include <string>
#include <vector>

namespace skarnwald::cli {

struct Streams {
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// Runs one command line (without the program name); returns the exit code.
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
