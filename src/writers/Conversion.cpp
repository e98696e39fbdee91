#include "writers/Conversion.h"

#include "reading/ReportConverter.h"
#include "text/Catalog.h"
#include "writers/BattleCard.h"
#include "writers/HtmlFragments.h"
#include "writers/HtmlWriter.h"
#include "writers/ReportTextWriter.h"
#include "writers/ShareWriters.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <streambuf>

namespace skarnwald {

ConversionOutputs ConversionOutputs::ShareTexts(bool withPage) {
    ConversionOutputs outputs;
    outputs.page = withPage;
    outputs.bbcode = outputs.discord = outputs.title = outputs.json = outputs.card = true;
    return outputs;
}

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

std::string LinesEndText() {
    return std::string(html::kTableEnd) + std::string(html::kPageEnd);
}

// Notes where the page's battle rows end, as the page writer before it in the
// walk has just written their table's end: the preview then need not search a
// page of tens of megabytes, nearly every byte of which could start a match.
class CRowsEndWriter final : public IReportWriter {
public:
    explicit CRowsEndWriter(const std::string& page) : page_(page) {}
    void LinesEnd() override { rowsEnd = page_.size() - LinesEndText().size(); }
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

// The writers one conversion feeds, each only when its output is wanted.
struct Writers {
    explicit Writers(const ConversionOptions& options, std::string& page)
        : pageBuffer(page), pageStream(&pageBuffer), rowsEnd(page) {
        const ConversionOutputs& wanted = options.outputs;
        if (wanted.page)
            html.emplace(options.pageOut ? options.pageOut : &pageStream);
        if (wanted.bbcode)
            bbcode.emplace();
        if (wanted.discord)
            discord.emplace();
        if (wanted.title)
            title.emplace();
        if (wanted.json)
            json.emplace();
        if (wanted.card || wanted.cardEachBattle)
            card.emplace(wanted.cardEachBattle);
        // Numbered stand-ins for hidden coordinates change what every other
        // writer would show: that text then needs a walk of its own.
        if (wanted.reportText && !options.redaction.hideCoords)
            reportText.emplace();
    }

    void Attach(CReportConverter& converter, const ConversionOptions& options) {
        converter.AddWriter(&first);
        if (options.storing)
            converter.AddWriter(options.storing);
        // The rows' end is read off the page as the page writer, first in
        // the walk, has just written it.
        if (html && !options.pageOut && options.outputs.preview)
            converter.AddWriter(&rowsEnd);
        for (IReportWriter* writer :
             std::initializer_list<IReportWriter*>{Optional(bbcode), Optional(discord), Optional(title),
                                                   Optional(json), Optional(card), Optional(reportText)})
            if (writer)
                converter.AddWriter(writer);
    }

    template <typename Writer> static IReportWriter* Optional(std::optional<Writer>& writer) {
        return writer ? &*writer : nullptr;
    }

    StringBuffer pageBuffer;
    std::ostream pageStream;
    CFirstBattleWriter first;
    CRowsEndWriter rowsEnd;
    std::optional<CHtmlWriter> html;
    std::optional<CBBCodeWriter> bbcode;
    std::optional<CDiscordWriter> discord;
    std::optional<CTitleWriter> title;
    std::optional<CJsonWriter> json;
    std::optional<CCardWriter> card;
    std::optional<CReportTextWriter> reportText;
};

void TakeShareTexts(Writers& writers, ConversionResult& result) {
    if (writers.bbcode)
        result.bbcode = std::move(writers.bbcode->Text());
    if (writers.discord)
        result.discordMessages = std::move(writers.discord->Messages());
    if (writers.title)
        result.title = std::move(writers.title->Text());
    if (writers.json)
        result.json = std::move(writers.json->Text());
    if (writers.card) {
        result.card = std::move(writers.card->Cards().summary);
        result.battleCards = std::move(writers.card->Cards().battles);
    }
    if (writers.reportText)
        result.reportText = std::move(writers.reportText->Text());
}

} // namespace

ConversionResult Convert(std::string_view report, const ConversionOptions& options) {
    CReportConverter converter;
    converter.redaction = options.redaction;
    converter.ownCoords = options.ownCoords;
    converter.SetProgress(options.progress);

    ConversionResult result;
    if (options.outputs.page && !options.pageOut)
        // A large report's page runs to seven to nine times the report, as
        // its battles are short or long: room for nine means it is never
        // copied to grow, nor the memory doubled for its last bytes.
        result.page.reserve(report.size() * 9);
    Writers writers(options, result.page);
    writers.Attach(converter, options);
    if (writers.html)
        converter.ConvertReport(report, *writers.html);
    else
        converter.ConvertReport(report);

    result.battles = converter.BattlesInLastReport();
    result.storingRan = options.storing && result.battles > 0 && !options.redaction.Any();
    result.first = writers.first.First();
    result.fileName = writers.first.SuggestedPageFileName();
    if (writers.rowsEnd.rowsEnd != std::string::npos)
        result.preview = PreviewPage(result.page, writers.rowsEnd.rowsEnd);
    TakeShareTexts(writers, result);
    if (options.outputs.reportText && !writers.reportText)
        result.reportText = WriteReportText(report, options.redaction, options.ownCoords);
    return result;
}

std::string PreviewPage(std::string_view page, std::size_t rowsEnd) {
    const std::string linesEnd = LinesEndText();
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

} // namespace skarnwald
