#include "convert/ShareFormats.h"

#include "convert/HtmlWriter.h"
#include "convert/ReportConverter.h"

#include <sstream>

namespace skarnwald {

const std::string_view kDiscordMessageSeparator = "-----8<----- skarnwald: nächste Nachricht -----8<-----";

SharedConversion ConvertForSharing(std::string_view report, const Redaction& redaction,
                                   std::string_view ownCoords) {
    CReportConverter converter;
    converter.redaction = redaction;
    converter.ownCoords = std::string(ownCoords);
    std::ostringstream page;
    converter.ConvertReport(report, page);
    SharedConversion shared;
    shared.html = std::move(page).str();
    return shared;
}

} // namespace skarnwald
