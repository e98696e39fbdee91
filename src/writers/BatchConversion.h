#pragma once
// Converting many report files in one go, each into its own page in one
// folder. The desktop program and the command line share it; each says in its
// own words what went wrong with a file.

#include "reading/ReportConverter.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace skarnwald {

// Read: the report could not be read; Write: its page could not be written;
// NoBattle: the report holds no battle header, so it gets no page.
enum class BatchFailure { None, Read, Write, NoBattle };

struct BatchItem {
    std::filesystem::path input;
    std::filesystem::path page; // where the page went, or would have gone
    BatchFailure failure = BatchFailure::None;
    std::string reason; // the system's words for the failure
    std::size_t battles = 0;

    bool Converted() const { return failure == BatchFailure::None; }
};

struct BatchResult {
    std::vector<BatchItem> items; // the files dealt with, in input order
    bool cancelled = false;       // files after the last item were not touched

    std::size_t ConvertedCount() const;
};

// Page names: the report's name with ".htm" in `folder`. Two reports of the
// same name from different folders get "name-2.htm", "name-3.htm", ... so
// that no page of the batch overwrites another.
std::vector<std::filesystem::path> BatchPageNames(std::span<const std::filesystem::path> inputs,
                                                  const std::filesystem::path& folder);

// Called before each file with its index; returning false cancels the rest.
using BatchStep = std::function<bool(std::size_t index, const std::filesystem::path& input)>;

// Converts every input that can be read (as UTF-8, whatever its encoding, as
// ReadReportFile gives it) into its page, written whole or not at all; a
// report without a battle gets none. A file that fails is recorded and the
// batch carries on.
BatchResult ConvertReportFiles(CReportConverter& converter, std::span<const std::filesystem::path> inputs,
                               const std::filesystem::path& folder, const BatchStep& beforeEach = {});

} // namespace skarnwald
