#pragma once
// The input of the archive fuzzers (fuzz_archive, fuzz_import): the bytes of
// an archive file, written where the program would find one. Each fuzzing
// process has a folder of its own, on a memory file system when there is one,
// removed when the process ends.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace skarnwald::fuzzing {

class WorkFolderOfProcess {
public:
    WorkFolderOfProcess() {
        const std::filesystem::path base =
            std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        path = base / ("skarnwald-fuzz-archive-" + std::to_string(getpid()));
        std::filesystem::create_directories(path);
    }
    ~WorkFolderOfProcess() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    std::filesystem::path path;
};

inline const std::filesystem::path& WorkFolder() {
    static const WorkFolderOfProcess folder;
    return folder.path;
}

// Writes the input as "Data.dat" of the work folder, after removing what the
// input before may have left there (journals, an imported copy).
inline std::filesystem::path WriteArchiveFile(const std::uint8_t* data, std::size_t size) {
    std::error_code ec;
    for (const char* leftover : {"Data.dat-journal", "fresh.dat", "fresh.dat-journal"})
        std::filesystem::remove(WorkFolder() / leftover, ec);
    const std::filesystem::path file = WorkFolder() / "Data.dat";
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return file;
}

} // namespace skarnwald::fuzzing
