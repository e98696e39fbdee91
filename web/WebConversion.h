#pragma once
// The browser's conversion: the raw bytes of a file or of the report field in,
// every share format out, under the same reading rules as the desktop
// program, so both give the same bytes for the same report.

#include "reading/ConversionServices.h"
#include "writers/PageFileName.h"
#include "writers/ShareFormats.h"

#include <string>
#include <string_view>

namespace skarnwald {
class CStoringWriter;
}

namespace skarnwald::web {

// The report text the converter sees for raw bytes: every 300,000-byte chunk
// cut at its first NUL, the text made UTF-8, an Opera copy joined.
std::string PrepareReportBytes(std::string_view bytes);

// The page first, so the preview stands before the share texts are made.
struct PageConversion {
    std::string html;
    std::string preview; // what the preview shows; empty when it is the whole page
    std::size_t battles = 0;
    FirstBattle first; // for naming downloads and history entries
};

// `ownCoords` is the user's own planet ("Koords"); `progress` may be null.
// With `storing` the same walk also stores into the archive, as its settings
// say.
PageConversion ConvertToPageBytes(std::string_view bytes, const Redaction& redaction,
                                  std::string_view ownCoords, IProgress* progress,
                                  CStoringWriter* storing = nullptr);

// BBCode, Discord messages, title lines and JSON (`html` stays empty).
SharedConversion ShareFormatsOf(std::string_view bytes, const Redaction& redaction,
                                std::string_view ownCoords);

// A large page cut down for laying out at once: the first battles, the first
// fleets' summary tables and both sides' tables, with a note where it was
// cut. `rowsEnd` is where the table of the battle rows ends (npos when the
// page has none). A page that small already comes back empty.
std::string PreviewPage(std::string_view page, std::size_t rowsEnd);

// The report as text with what `redaction` hides replaced (see CReportTextWriter).
std::string ShareableReportText(std::string_view bytes, const Redaction& redaction,
                                std::string_view ownCoords);

} // namespace skarnwald::web
