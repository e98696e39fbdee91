#include "WebConversion.h"

#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "text/Catalog.h"
#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "writers/HtmlFragments.h"
#include "writers/HtmlWriter.h"
#include "writers/ReportTextWriter.h"
#include "writers/ShareText.h"

#include <ostream>
#include <streambuf>

namespace skarnwald::web {

namespace {

// Sizes the preview keeps of the battle rows and of the fleets' tables.
constexpr std::size_t kPreviewRows = 64 * 1024;
constexpr std::size_t kPreviewFleetTables = 32 * 1024;
constexpr std::size_t kPreviewBattles = 10;

// The notes where the preview leaves out part of the page, around their text.
constexpr std::string_view kPreviewNoteStart =
    "<tr><td colSpan='10'><font color='#cccccc' size='2'>&nbsp;<br>";
constexpr std::string_view kPreviewNoteEnd = "</font></td></tr>";
constexpr std::string_view kPreviewTablesNoteStart = "<p align='center'><font color='#cccccc' size='2'>";
constexpr std::string_view kPreviewTablesNoteEnd = "</font></p>";

void AppendNote(std::string& page, std::string_view start, std::string_view text, std::string_view end) {
    page += start;
    AppendEscaped(page, text);
    page += end;
}

// Notes where the page's battle rows end, as the page writer before it in the
// walk has just written their table's end: the preview then need not search a
// page of tens of megabytes, nearly every byte of which could start a match.
class CRowsEndWriter final : public IReportWriter {
public:
    explicit CRowsEndWriter(const std::string& page) : page_(page) {}
    void LinesEnd() override { rowsEnd = page_.size() - LinesEndText().size(); }
    static std::string LinesEndText() { return std::string(html::kTableEnd) + std::string(html::kPageEnd); }
    std::size_t rowsEnd = std::string::npos;

private:
    const std::string& page_;
};

// Where the rows of the first battles end: before the header after them, or
// at a row start within the budget when the first battles are longer.
std::size_t RowsCut(std::string_view page, std::size_t rowsEnd) {
    std::size_t cut = page.find(html::kHeaderStart);
    for (std::size_t battle = 0; cut < rowsEnd && battle < kPreviewBattles; ++battle)
        cut = page.find(html::kHeaderStart, cut + 1);
    cut = std::min(cut, rowsEnd);
    if (cut > kPreviewRows) {
        const std::size_t row = page.rfind("<tr", kPreviewRows);
        cut = row == std::string_view::npos ? rowsEnd : row;
    }
    return cut;
}

// Writes straight into a string: a page of tens of megabytes is not copied
// out of a string stream once more.
class StringBuffer final : public std::streambuf {
public:
    explicit StringBuffer(std::string& text) : text_(text) {}

protected:
    std::streamsize xsputn(const char* data, std::streamsize count) override {
        text_.append(data, static_cast<std::size_t>(count));
        return count;
    }
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            text_.push_back(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }

private:
    std::string& text_;
};

void Configure(CReportConverter& converter, const Redaction& redaction, std::string_view ownCoords) {
    converter.redaction = redaction;
    converter.ownCoords = std::string(ownCoords);
}

} // namespace

std::string PrepareReportBytes(std::string_view bytes) {
    // The file reader's own rules (its chunks and UTF-8), so a dropped file
    // reads exactly as the desktop reads it.
    return PrepareCopiedReport(ReadReport(bytes));
}

PageConversion ConvertToPageBytes(std::string_view bytes, const Redaction& redaction,
                                  std::string_view ownCoords, IProgress* progress, CStoringWriter* storing) {
    CReportConverter converter;
    Configure(converter, redaction, ownCoords);
    converter.SetProgress(progress);
    CFirstBattleWriter first;
    converter.AddWriter(&first);
    if (storing)
        AttachStoring(converter, *storing);
    PageConversion conversion;
    // A page is about seven times its report: room for eight means it is
    // never copied to grow, nor the memory doubled for its last bytes.
    conversion.html.reserve(bytes.size() * 8);
    CRowsEndWriter rowsEnd(conversion.html);
    converter.AddWriter(&rowsEnd);
    StringBuffer buffer(conversion.html);
    std::ostream out(&buffer);
    CHtmlWriter page(&out);
    converter.ConvertReport(PrepareReportBytes(bytes), page);

    conversion.preview = PreviewPage(conversion.html, rowsEnd.rowsEnd);
    conversion.battles = converter.BattlesInLastReport();
    conversion.first = first.First();
    return conversion;
}

SharedConversion ShareFormatsOf(std::string_view bytes, const Redaction& redaction,
                                std::string_view ownCoords) {
    return ConvertShareTexts(PrepareReportBytes(bytes), redaction, ownCoords);
}

std::string PreviewPage(std::string_view page, std::size_t rowsEnd) {
    const std::string linesEnd = CRowsEndWriter::LinesEndText();
    if (page.size() <= kPreviewRows + kPreviewFleetTables || rowsEnd == std::string_view::npos)
        return {};
    const std::size_t rowsCut = RowsCut(page, rowsEnd);
    const std::size_t fleetTables = rowsEnd + linesEnd.size();
    std::size_t sideTables = page.rfind(html::kSideTablesGap);
    if (sideTables == std::string_view::npos || sideTables < fleetTables)
        sideTables = fleetTables;
    std::size_t fleetsCut = sideTables;
    if (sideTables - fleetTables > kPreviewFleetTables)
        fleetsCut =
            std::max(fleetTables, page.rfind(html::kFleetTableGap, fleetTables + kPreviewFleetTables));

    std::string preview(page.substr(0, rowsCut));
    if (rowsCut < rowsEnd)
        AppendNote(preview, kPreviewNoteStart, CoreTexts().Text("preview.cut"), kPreviewNoteEnd);
    preview += page.substr(rowsEnd, fleetsCut - rowsEnd);
    if (fleetsCut < sideTables)
        AppendNote(preview, kPreviewTablesNoteStart, CoreTexts().Text("preview.moreFleets"),
                   kPreviewTablesNoteEnd);
    preview += page.substr(sideTables);
    return preview;
}

std::string ShareableReportText(std::string_view bytes, const Redaction& redaction,
                                std::string_view ownCoords) {
    return WriteReportText(PrepareReportBytes(bytes), redaction, ownCoords);
}

} // namespace skarnwald::web
