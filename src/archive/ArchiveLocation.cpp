#include "archive/ArchiveLocation.h"

#include "text/Catalog.h"

#include <sqlite3.h>

#include <cstdlib>

namespace skarnwald {

namespace {

namespace fs = std::filesystem;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool IsHomeFolder(const fs::path& folder, const std::string& home) {
    std::error_code ignored;
    return !home.empty() && fs::equivalent(folder, home, ignored);
}

bool Exists(const fs::path& file) {
    std::error_code ignored;
    return fs::exists(file, ignored);
}

// A rename, or a copy and a removal when `to` lies on another file system.
std::error_code MoveFile(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (error != std::errc::cross_device_link)
        return error;
    error.clear();
    if (fs::copy_file(from, to, fs::copy_options::none, error))
        fs::remove(from, error);
    return error;
}

fs::path WithSuffix(const fs::path& file, std::string_view suffix) {
    fs::path named = file;
    named += suffix;
    return named;
}

} // namespace

ArchiveSearch ProcessArchiveSearch(const std::filesystem::path& commandLine) {
    std::error_code ignored;
    return {commandLine, Environment(kArchiveEnvironmentVariable), Environment("XDG_DATA_HOME"),
            Environment("HOME"), fs::current_path(ignored)};
}

std::filesystem::path UserArchiveFile(const ArchiveSearch& search) {
    fs::path dataHome = search.xdgDataHome;
    if (dataHome.is_relative()) {
        if (search.home.empty())
            return {};
        dataHome = fs::path(search.home) / ".local/share";
    }
    return dataHome / "skarnwald" / kArchiveFileName;
}

ArchiveLocation LocateArchive(const ArchiveSearch& search) {
    if (!search.commandLine.empty())
        return {search.commandLine, ArchiveSource::CommandLine};
    if (!search.environment.empty())
        return {search.environment, ArchiveSource::Environment};
    const fs::path here = search.workingFolder / kArchiveFileName;
    const fs::path userFile = UserArchiveFile(search);
    if (userFile.empty() || (!IsHomeFolder(search.workingFolder, search.home) && Exists(here)))
        return {here, ArchiveSource::WorkingFolder};
    if (const fs::path earlier = fs::path(search.home) / kArchiveFileName;
        !search.home.empty() && !Exists(userFile) && Exists(earlier))
        return {earlier, ArchiveSource::HomeFolder};
    return {userFile, ArchiveSource::UserData};
}

OperationResult MakeArchiveFolder(const ArchiveLocation& location) {
    if (location.source != ArchiveSource::UserData)
        return {};
    std::error_code error;
    fs::create_directories(location.file.parent_path(), error);
    if (!error)
        return {};
    return {CoreTexts().Format("location.folderUnmade", {{"folder", location.file.parent_path().string()},
                                                         {"reason", error.message()}})};
}

OperationResult MoveArchive(const std::filesystem::path& from, const std::filesystem::path& to) {
    const auto failed = [&](const std::error_code& error) {
        return OperationResult{CoreTexts().Format(
            "location.unmoved", {{"from", from.string()}, {"to", to.string()}, {"reason", error.message()}})};
    };
    if (Exists(to))
        return failed(std::make_error_code(std::errc::file_exists));
    std::error_code error;
    fs::create_directories(to.parent_path(), error);
    if (error)
        return failed(error);
    // A journal left by an interrupted write belongs to its file: it goes first,
    // so the file never arrives without it.
    for (const std::string_view journal : {"-journal", "-wal"})
        if (Exists(WithSuffix(from, journal)))
            if (const std::error_code moved = MoveFile(WithSuffix(from, journal), WithSuffix(to, journal)))
                return failed(moved);
    if (const std::error_code moved = MoveFile(from, to))
        return failed(moved);
    return {};
}

std::filesystem::path ArchiveFileOf(const CConnection& connection) {
    const char* file = sqlite3_db_filename(connection.Handle(), "main");
    return file ? file : "";
}

} // namespace skarnwald
