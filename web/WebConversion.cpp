#include "WebConversion.h"

#include "convert/OperaJoin.h"
#include "convert/ReportConverter.h"
#include "convert/ReportFiles.h"
#include "convert/Utf8Text.h"

#include <sstream>

namespace skarnwald::web {

std::string PrepareReportBytes(std::string_view bytes) {
    // The file reader's own chunk rule, so a dropped file reads as the desktop reads it.
    std::istringstream in{std::string(bytes)};
    std::string text = ReadReport(in).value_or(std::string());
    NormaliseTextInPlace(text);
    return PrepareCopiedReport(std::move(text));
}

WebConversion ConvertReportBytes(std::string_view bytes, std::string_view ownCoords, IProgress* progress) {
    const std::string report = PrepareReportBytes(bytes);
    CReportConverter converter;
    converter.ownCoords = ownCoords;
    converter.SetProgress(progress);
    std::ostringstream page;
    converter.ConvertReport(report, page);
    return {std::move(page).str()};
}

} // namespace skarnwald::web
