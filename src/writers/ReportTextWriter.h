#pragma once
// The report written back out as report text, for sharing it as text: one
// line per line the walk converted (the lines it skips are left out), with
// hidden names and coordinates replaced. Fed by a walk with `standInCoords`,
// the text converts under the same switches (and kStandInOwnCoords as the own
// coordinates) to the same page as the report it was written from, yet holds
// nothing the switches hide.

#include "reading/ReportWriter.h"

#include <string>
#include <string_view>

namespace skarnwald {

// The own coordinates to convert written-back text with when it hides the own fleets.
inline constexpr std::string_view kStandInOwnCoords = kHiddenCoords;

class CReportTextWriter : public IReportWriter {
public:
    void BeginReport(const ReportStartEvent& event) override;
    void Line(std::string_view line) override { line_ = line; }
    void Header(const HeaderEvent& event) override;
    void FleetLine(const FleetLineEvent& event) override;
    void Hit(const HitEvent& event) override;
    void NoLoss(const NoLossEvent& event) override;
    void RoidCapture(const RoidCaptureEvent& event) override;
    void Salvage(const SalvageEvent& event) override;

    std::string& Text() { return text_; }

private:
    struct Replacement {
        std::string_view part; // a piece of the current line
        std::string_view shown;
        bool leadingBlank = false; // an owner: the line keeps the blank before it
    };
    void WriteLine(std::initializer_list<Replacement> replacements);
    void WriteLine(std::string_view line);

    std::string_view line_;
    bool redacted_ = false;
    std::string text_;
};

// `report` (UTF-8, as the converter reads it) written back with what
// `redaction` hides replaced.
std::string WriteReportText(std::string_view report, const Redaction& redaction, std::string_view ownCoords);

} // namespace skarnwald
