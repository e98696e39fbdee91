#include "writers/ReportTextWriter.h"

#include "reading/LineParts.h"
#include "reading/ReportConverter.h"

#include <cstdint>

namespace skarnwald {

void CReportTextWriter::BeginReport(const ReportStartEvent& event) {
    redacted_ = event.redaction.Any();
    text_.clear();
    text_.reserve(event.reportSize);
}

void CReportTextWriter::WriteLine(std::string_view line) {
    text_ += line;
    text_ += '\n';
}

void CReportTextWriter::WriteLine(std::initializer_list<Replacement> replacements) {
    // Replacements come in line order; one that is not a piece of the line
    // after the previous one (a line cut in an odd place) drops the whole line,
    // since keeping it could show what is to be hidden.
    std::string line;
    std::size_t at = 0;
    for (const Replacement& replacement : replacements) {
        if (replacement.part == replacement.shown)
            continue;
        const auto begin = replacement.part.data() - line_.data();
        if (begin < static_cast<std::ptrdiff_t>(at) || begin + replacement.part.size() > line_.size()) {
            return;
        }
        line += line_.substr(at, static_cast<std::size_t>(begin) - at);
        if (replacement.leadingBlank)
            line += ' ';
        line += replacement.shown;
        at = static_cast<std::size_t>(begin) + replacement.part.size();
    }
    line += line_.substr(at);
    WriteLine(line);
}

void CReportTextWriter::Header(const HeaderEvent& event) {
    const Pos battle = Find(line_, "Battle at");
    if (event.title == TakeFrom(line_, battle))
        return WriteLine(line_);
    WriteLine(std::string(Take(line_, 0, battle)) + std::string(event.title));
}

void CReportTextWriter::FleetLine(const FleetLineEvent& event) {
    if (!redacted_)
        return WriteLine(line_);
    const FleetParts raw = CutFleetLine(line_);
    WriteLine({{raw.shipName, event.parts.shipName},
               {raw.from.coords, event.rawCoords},
               {raw.from.owner, event.rawOwner, true}});
}

void CReportTextWriter::Hit(const HitEvent& event) {
    if (!redacted_)
        return WriteLine(line_);
    const CombatParts raw = CutCombatLine(line_);
    if (!event.counted) {
        // The page shows such a line only up to its verb; the rest may name anyone.
        return WriteLine(std::string(event.parts.subject) +
                         (raw.kind == CombatKind::Lamed ? " lamed causes" : " destroyed causes"));
    }
    WriteLine({{raw.subject, event.parts.subject},
               {raw.shipName, event.parts.shipName},
               {raw.target.coords, event.rawTargetCoords},
               {raw.target.owner, event.rawTargetOwner, true}});
}

void CReportTextWriter::NoLoss(const NoLossEvent& event) {
    if (!redacted_)
        return WriteLine(line_);
    WriteLine({{CutCombatLine(line_).subject, event.parts.subject}});
}

void CReportTextWriter::RoidCapture(const RoidCaptureEvent& event) {
    if (event.shown == TakeFrom(line_, 15))
        return WriteLine(line_);
    WriteLine(std::string(Take(line_, 0, 15)) + std::string(event.shown));
}

void CReportTextWriter::Salvage(const SalvageEvent&) {
    WriteLine(line_);
}

std::string WriteReportText(std::string_view report, const Redaction& redaction, std::string_view ownCoords) {
    CReportConverter converter;
    converter.redaction = redaction;
    converter.ownCoords = std::string(ownCoords);
    converter.standInCoords = true;
    CReportTextWriter writer;
    converter.ConvertReport(report, writer);
    return std::move(writer.Text());
}

} // namespace skarnwald
