#pragma once
// The browser's conversion: the raw bytes of a file or of the report field in,
// every share format out, under the same reading rules as the desktop
// program, so both give the same bytes for the same report.

#include "reading/ConversionServices.h"
#include "writers/ShareFormats.h"

#include <string>
#include <string_view>

namespace skarnwald::web {

// The report text the converter sees for raw bytes: every 300,000-byte chunk
// cut at its first NUL, the text made UTF-8, an Opera copy joined.
std::string PrepareReportBytes(std::string_view bytes);

// `ownCoords` is the user's own planet ("Koords"); `progress` may be null.
SharedConversion ConvertReportBytes(std::string_view bytes, const Redaction& redaction,
                                    std::string_view ownCoords, IProgress* progress);

} // namespace skarnwald::web
