#include "writers/BatchConversion.h"

#include "text/Catalog.h"
#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "writers/HtmlWriter.h"

#include <algorithm>
#include <set>

namespace skarnwald {

std::size_t BatchResult::ConvertedCount() const {
    return static_cast<std::size_t>(
        std::count_if(items.begin(), items.end(), [](const BatchItem& item) { return item.Converted(); }));
}

std::vector<std::filesystem::path> BatchPageNames(std::span<const std::filesystem::path> inputs,
                                                  const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> pages;
    std::set<std::string> taken;
    for (const std::filesystem::path& input : inputs) {
        const std::string stem = input.stem().string();
        std::string name = stem + ".htm";
        for (int suffix = 2; !taken.insert(name).second; ++suffix)
            name = stem + "-" + std::to_string(suffix) + ".htm";
        pages.push_back(folder / name);
    }
    return pages;
}

namespace {

void ConvertOne(CReportConverter& converter, BatchItem& item) {
    ReadResult read = ReadReportFile(item.input);
    if (!read.text) {
        item.failure = BatchFailure::Read;
        item.reason = std::move(read.error);
        return;
    }
    const std::string report = PrepareCopiedReport(std::move(*read.text));
    const WriteOutcome written = WriteFileAtomically(item.page, [&](std::ostream& page) {
        ConvertToPage(converter, report, page);
        item.battles = converter.BattlesInLastReport();
        return item.battles > 0;
    });
    if (written.written)
        return;
    // No error means the conversion ran and found no battle: the page was given up.
    const bool noBattle = written.error.empty();
    item.failure = noBattle ? BatchFailure::NoBattle : BatchFailure::Write;
    item.reason = noBattle ? std::string(CoreTexts().Text("convert.noBattleFound")) : written.error;
}

} // namespace

BatchResult ConvertReportFiles(CReportConverter& converter, std::span<const std::filesystem::path> inputs,
                               const std::filesystem::path& folder, const BatchStep& beforeEach) {
    BatchResult result;
    const std::vector<std::filesystem::path> pages = BatchPageNames(inputs, folder);
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (beforeEach && !beforeEach(i, inputs[i])) {
            result.cancelled = true;
            break;
        }
        BatchItem& item = result.items.emplace_back();
        item.input = inputs[i];
        item.page = pages[i];
        ConvertOne(converter, item);
    }
    return result;
}

} // namespace skarnwald
