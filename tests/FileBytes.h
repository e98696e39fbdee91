#pragma once
// Whole files as bytes, for tests that compare pages or plant broken inputs.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>

namespace skarnwald::testfiles {

inline std::string FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void WriteBytes(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace skarnwald::testfiles
