#include "writers/HtmlWriter.h"

#include "reading/ReportConverter.h"
#include "writers/HtmlFragments.h"
#include "writers/SummaryTables.h"

#include <algorithm>
#include <ostream>

namespace skarnwald {

namespace {
constexpr std::size_t kPageFlushSize = 1 << 20;

// A page runs to some sixteen times its report plus the summary tables, so
// a short report gets a little room rather than the full flush buffer.
std::size_t PageRoomFor(std::size_t reportSize) {
    constexpr std::size_t kSummaryRoom = 16 * 1024, kBytesPerReportByte = 16;
    return std::min(kPageFlushSize * 2, kSummaryRoom + reportSize * kBytesPerReportByte);
}
} // namespace

void CHtmlWriter::Write() {
    if (out_)
        out_->write(page_.data(), static_cast<std::streamsize>(page_.size()));
    page_.clear();
}

void CHtmlWriter::FlushIfLarge() {
    if (out_ && page_.size() >= kPageFlushSize)
        Write();
}

void CHtmlWriter::BeginReport(const ReportStartEvent& event) {
    page_.clear();
    page_.reserve(PageRoomFor(event.reportSize));
    page_ += html::kPageStart;
    page_ += html::kTableStart;
}

void CHtmlWriter::Header(const HeaderEvent& event) {
    page_ += html::kHeaderStart;
    if (event.parts.hasStamp) {
        page_ += html::kHeaderDateOpen;
        AppendEscaped(page_, event.parts.stamp);
        page_ += html::kHeaderDateClose;
    }
    page_ += html::kHeaderTitleOpen;
    AppendEscaped(page_, event.title);
    page_ += html::kHeaderTitleClose;
    FlushIfLarge();
}

void CHtmlWriter::FleetLine(const FleetLineEvent& event) {
    const FleetParts& parts = event.parts;
    page_ += html::FleetRowStart(event.side);
    AppendEscaped(page_, parts.agility);
    page_ += html::kFleetEmptyCells;
    html::AppendCell(page_, html::kCell80, parts.count);
    html::AppendCell(page_, html::kCell40, parts.shipType);
    html::AppendCell(page_, html::kCell80, parts.shipName);
    page_ += html::kFromCell;
    html::AppendCell(page_, html::kCell60, event.rawCoords);
    html::AppendCell(page_, html::kCell150, event.rawOwner);
    page_ += html::kFleetRowEnd;
    FlushIfLarge();
}

void CHtmlWriter::Hit(const HitEvent& event) {
    const CombatParts& parts = event.parts;
    const bool lamed = parts.kind == CombatKind::Lamed;
    page_ += html::kHitRowStart;
    AppendEscaped(page_, parts.subject);
    page_ += html::kCellClose;
    page_ += lamed ? html::kLamedCell : html::kDestroyedCell;
    // A line that also speaks of damage or an attempt ends after its verb cell.
    if (!event.counted) {
        FlushIfLarge();
        return;
    }
    page_ += html::kCell80;
    page_ += lamed ? html::kLamedFirstNumber : html::kDestroyedFirstNumber;
    AppendInt(page_, parts.n1);
    page_ += html::kNumberFontClose;
    if (lamed && parts.n2 > 0) {
        page_ += html::kLamedSecondNumber;
        AppendInt(page_, parts.n2);
        page_ += html::kNumberFontClose;
    }
    page_ += html::kLastNumberOpen;
    AppendInt(page_, parts.n3);
    page_ += html::kLastNumberClose;
    page_ += html::kCellClose;
    html::AppendCell(page_, html::kCell40, parts.classText);
    html::AppendCell(page_, html::kCell80, parts.shipName);
    page_ += html::kFromCell;
    html::AppendCell(page_, html::kCell60, event.rawTargetCoords);
    page_ += html::kCell150;
    AppendEscaped(page_, event.rawTargetOwner);
    page_ += html::kHitRowEnd;
    FlushIfLarge();
}

void CHtmlWriter::NoLoss(const NoLossEvent& event) {
    const bool causes = event.parts.kind == CombatKind::Causes;
    page_ += html::kNoLossRowStart;
    AppendEscaped(page_, event.parts.subject);
    page_ += causes ? html::kCausesCells : html::kAttemptCells;
    AppendEscaped(page_, event.parts.detail);
    page_ += causes ? html::kCausesRowEnd : html::kAttemptRowEnd;
    FlushIfLarge();
}

void CHtmlWriter::RoidCapture(const RoidCaptureEvent& event) {
    page_ += html::kRoidCaptureRowStart;
    AppendEscaped(page_, event.shown);
    page_ += html::kYellowRowEnd;
    FlushIfLarge();
}

void CHtmlWriter::Salvage(const SalvageEvent& event) {
    page_ += html::kSalvageRowStart;
    AppendEscaped(page_, event.text);
    page_ += html::kYellowRowEnd;
    FlushIfLarge();
}

void CHtmlWriter::LinesEnd() {
    page_ += html::kTableEnd;
    page_ += html::kPageEnd;
    Write();
}

void CHtmlWriter::ReportEnd(const ReportEndEvent& event) {
    AppendSummaryTables(page_, event.summary);
    page_ += html::kSummaryEnd;
    Write();
    if (out_)
        out_->flush();
}

void ConvertToPage(CReportConverter& converter, std::string_view text, std::ostream& out) {
    CHtmlWriter page(&out);
    converter.ConvertReport(text, page);
}

} // namespace skarnwald
