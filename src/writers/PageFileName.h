#pragma once
// The name a page is offered under, from its first battle: "Kampf 11.7.8
// 2026-12-09.htm" in German. Every program names pages and their share files
// this way, so a battle saved from the desktop, the command line or the
// browser gets the same name.

#include "reading/ReportWriter.h"

#include <string>
#include <string_view>

namespace skarnwald {

// The first battle as the outputs show it: its coordinates (blanks removed,
// as the redaction left them), its place and its day ("YYYY-MM-DD", empty
// when the report gives no readable date).
struct FirstBattle {
    std::string coords, place, date;
};

// "Kampf 11.7.8 2026-12-09" in the core's language, without an extension: a
// part that is empty or hidden ("?.?.?") is left out, so the name never
// holds a character file systems refuse.
std::string PageFileStem(std::string_view coords, std::string_view isoDay);
// The same with ".htm".
std::string SuggestedPageFileName(std::string_view coords, std::string_view isoDay);

// Listens to a conversion for the first battle of the last report.
class CFirstBattleWriter : public IReportWriter {
public:
    void BeginReport(const ReportStartEvent&) override;
    void Header(const HeaderEvent& header) override;
    const FirstBattle& First() const { return first_; }
    std::string PageFileStem() const;
    std::string SuggestedPageFileName() const;

private:
    bool seen_ = false;
    FirstBattle first_;
};

} // namespace skarnwald
