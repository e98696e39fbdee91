#include "cli/Cli.h"

#include <iostream>

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int code =
        skarnwald::cli::Main(args, {std::cin, std::cout, std::cerr}, skarnwald::cli::ProcessEnvironment);
    std::cout.flush();
    return std::cout ? code : (code == 0 ? 1 : code);
}
