#pragma once
// The HTML page of a conversion: the converted battles, then the summary
// tables of every fleet and both sides.

#include "reading/ReportWriter.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace skarnwald {

class CReportConverter;

class CHtmlWriter : public IReportWriter {
public:
    // Writes to `out`; without a stream the page only collects (TakePage).
    explicit CHtmlWriter(std::ostream* out) : out_(out) {}

    void BeginReport(const ReportStartEvent& event) override;
    void Header(const HeaderEvent& event) override;
    void FleetLine(const FleetLineEvent& event) override;
    void Hit(const HitEvent& event) override;
    void NoLoss(const NoLossEvent& event) override;
    void RoidCapture(const RoidCaptureEvent& event) override;
    void Salvage(const SalvageEvent& event) override;
    void LinesEnd() override;
    void ReportEnd(const ReportEndEvent& event) override;

    // What was collected and not yet written.
    std::string TakePage() { return std::move(page_); }

private:
    void FlushIfLarge();
    void Write();

    std::ostream* out_;
    std::string page_;
};

// Converts `text` with `converter` and writes the whole page, summary
// included, to `out`; the writers attached to `converter` get the same walk.
void ConvertToPage(CReportConverter& converter, std::string_view text, std::ostream& out);

} // namespace skarnwald
