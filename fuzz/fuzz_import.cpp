// Takes arbitrary bytes in as someone else's archive, as import-archive does:
// the file is only read and its rows are copied value by value into a new
// file with the program's own schema. A refused file must be refused with a
// reason and leave no new file behind; a new file must open with every check
// the program makes and list exactly the battles taken in.

#include "ArchiveInput.h"
#include "FuzzSupport.h"
#include "archive/ArchiveImport.h"
#include "archive/BattleBrowser.h"
#include "archive/Connection.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skarnwald;
    using fuzzing::Require;
    const std::filesystem::path file = fuzzing::WriteArchiveFile(data, size);
    const std::filesystem::path fresh = fuzzing::WorkFolder() / "fresh.dat";
    const ImportResult result = CopyArchive(file, fresh);
    if (!result.error.empty()) {
        Require(!std::filesystem::exists(fresh));
        return 0;
    }
    const OpenResult opened = CConnection::Open(fresh);
    Require(opened.connection != nullptr);
    const auto battles = FindBattles(*opened.connection, {});
    Require(battles && battles->size() == static_cast<std::size_t>(result.battles));
    return 0;
}
