#include "WebConversion.h"

#include "text/OperaJoin.h"
#include "text/ReportFiles.h"

#include <sstream>

namespace skarnwald::web {

std::string PrepareReportBytes(std::string_view bytes) {
    // The file reader itself (its chunk rule and UTF-8 boundary), so a dropped
    // file reads exactly as the desktop reads it.
    std::istringstream in{std::string(bytes)};
    return PrepareCopiedReport(ReadReport(in).value_or(std::string()));
}

SharedConversion ConvertReportBytes(std::string_view bytes, const Redaction& redaction,
                                    std::string_view ownCoords, IProgress* progress) {
    return ConvertForSharing(PrepareReportBytes(bytes), redaction, ownCoords, progress);
}

} // namespace skarnwald::web
