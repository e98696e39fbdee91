#include "writers/PageFileName.h"

#include "text/Catalog.h"
#include "writers/ShareText.h"

#include <utility>

namespace skarnwald {

namespace {

// Coordinates as a file name may hold them: hidden ones ("?.?.?") are left out.
bool PlainCoords(std::string_view coords) {
    return !coords.empty() && coords.find_first_not_of("0123456789.") == std::string_view::npos;
}

} // namespace

std::string PageFileStem(std::string_view coords, std::string_view isoDay) {
    std::string name(CoreTexts().Text("file.battle"));
    if (PlainCoords(coords))
        name += " " + std::string(coords);
    if (!isoDay.empty())
        name += " " + std::string(isoDay);
    return name;
}

std::string SuggestedPageFileName(std::string_view coords, std::string_view isoDay) {
    return PageFileStem(coords, isoDay) + ".htm";
}

void CFirstBattleWriter::BeginReport(const ReportStartEvent&) {
    seen_ = false;
    first_ = {};
}

void CFirstBattleWriter::Header(const HeaderEvent& header) {
    if (std::exchange(seen_, true))
        return;
    first_.coords = std::string(header.coords);
    first_.place = std::string(header.parts.place);
    if (const auto time = ReadBattleTime(header.when))
        first_.date = IsoText(*time).substr(0, 10); // of "2026-12-09T…"
}

std::string CFirstBattleWriter::PageFileStem() const {
    return skarnwald::PageFileStem(first_.coords, first_.date);
}

std::string CFirstBattleWriter::SuggestedPageFileName() const {
    return skarnwald::SuggestedPageFileName(first_.coords, first_.date);
}

} // namespace skarnwald
