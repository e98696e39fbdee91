#pragma once
// Reading report files and naming output pages, the same for every front end.

#include <filesystem>
#include <fstream>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace skarnwald {

inline constexpr std::size_t kReadChunkSize = 300000;

// Reads a report whole. Each 300,000-byte chunk ends at its first NUL byte:
// text pasted from some programs carries NUL padding that must not reach the
// converter. The text comes back as UTF-8 (NormaliseText). Returns nothing
// when the stream fails.
std::optional<std::string> ReadReport(std::istream& in);
// The same for bytes already in memory, such as a file the browser read.
std::string ReadReport(std::string_view bytes);

struct ReadResult {
    std::optional<std::string> text;
    std::string error; // why the file could not be read
};
ReadResult ReadReportFile(const std::filesystem::path& path);

// The page's file name: the chosen path when it ends in "htm" or "html"
// (case-sensitive), otherwise the path with ".htm" appended.
std::string OutputFileName(std::string_view chosenPath);

// Writes a file through a temporary file in the same folder that Commit()
// renames over the target, so a failed or abandoned write never leaves a
// partial page and never touches an earlier file of that name.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(std::filesystem::path target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Empty when the temporary file could be created.
    const std::string& OpenError() const { return error_; }
    std::ostream& Stream() { return out_; }
    // Flushes, checks every write and renames; returns an error text, empty on success.
    std::string Commit();

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::ofstream out_;
    std::string error_;
    bool committed_ = false;
};

struct WriteOutcome {
    bool written = false;
    std::string error; // why the file could not be written; empty when it was or `write` gave up
};
// Writes `target` through an AtomicFileWriter. `write` returns false when it
// gives up (it tells why itself); the target then stays as it was.
WriteOutcome WriteFileAtomically(const std::filesystem::path& target,
                                 const std::function<bool(std::ostream&)>& write);

} // namespace skarnwald
