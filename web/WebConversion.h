#pragma once
// The browser's conversion: the raw bytes of a file or of the report field in,
// every output the page shows or hands out from one walk, under the same
// reading rules as the desktop program, so both give the same bytes for the
// same report.

#include "writers/Conversion.h"

#include <string>
#include <string_view>

namespace skarnwald::web {

// The report text the converter sees for raw bytes: every 300,000-byte chunk
// cut at its first NUL, the text made UTF-8, an Opera copy joined.
std::string PrepareReportBytes(std::string_view bytes);

// What the page shows of a conversion: the page with its preview cut, every
// share text and, with `reportText`, the report as a share link carries it.
ConversionOptions PageOptions(const Redaction& redaction, std::string_view ownCoords, bool reportText);

// Converts raw bytes as `options` say.
ConversionResult ConvertReportBytes(std::string bytes, const ConversionOptions& options);

// The report as text with what `redaction` hides replaced (see CReportTextWriter).
std::string ShareableReportText(std::string_view bytes, const Redaction& redaction,
                                std::string_view ownCoords);

} // namespace skarnwald::web
