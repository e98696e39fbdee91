// Joins arbitrary bytes as an Opera-copied report and runs the Opera test.

#include "text/OperaJoin.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::string joined = skarnwald::JoinOperaCells(text);
    // Every rebuilt row ends with " \n".
    if (!joined.empty() && !joined.ends_with(" \n"))
        __builtin_trap();
    const std::string prepared = skarnwald::PrepareCopiedReport(text);
    if (prepared != (skarnwald::LooksLikeOperaCopy(text) ? joined : text))
        __builtin_trap();
    return 0;
}
