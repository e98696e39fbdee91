#include "WebConversion.h"

#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "writers/ReportTextWriter.h"

namespace skarnwald::web {

std::string PrepareReportBytes(std::string_view bytes) {
    // The file reader's own rules (its chunks and UTF-8), so a dropped file
    // reads exactly as the desktop reads it.
    return PrepareCopiedReport(ReadReport(bytes));
}

ConversionOptions PageOptions(const Redaction& redaction, std::string_view ownCoords, bool reportText) {
    ConversionOptions options{.redaction = redaction, .ownCoords = std::string(ownCoords)};
    options.outputs = ConversionOutputs::ShareTexts(true);
    options.outputs.preview = true;
    options.outputs.reportText = reportText;
    return options;
}

ConversionResult ConvertReportBytes(std::string bytes, const ConversionOptions& options) {
    // The bytes as read go before the walk, so a large report takes up the
    // module's memory, which never shrinks, once and not twice.
    const std::string report = PrepareReportBytes(bytes);
    std::string().swap(bytes);
    return Convert(report, options);
}

std::string ShareableReportText(std::string_view bytes, const Redaction& redaction,
                                std::string_view ownCoords) {
    return WriteReportText(PrepareReportBytes(bytes), redaction, ownCoords);
}

} // namespace skarnwald::web
