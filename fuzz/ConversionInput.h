#pragma once
// The input of the conversion fuzzers (fuzz_convert, fuzz_sides, fuzz_share):
// three bytes of settings, then the report. One layout for all three lets
// their corpora seed each other.
//
//   byte 0: bits 0-1 DBSpeichern, 0x10 joined as an Opera copy, 0x20 converted
//           twice by one converter, 0x40 left as raw bytes (not normalised to
//           UTF-8 as every front end does)
//   byte 1: bits 0-1 PersStat, 0x04 hide the own fleet, 0x08 hide names,
//           0x10 hide coordinates
//   byte 2: the own coordinates: none, 1.1.1, the first battle's planet or
//           the first fleet's coordinates

#include "FuzzSupport.h"
#include "archive/StoringWriter.h"
#include "reading/LineParts.h"
#include "reading/Redaction.h"
#include "reading/ReportConverter.h"
#include "text/OperaJoin.h"
#include "text/Utf8Text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace skarnwald::fuzzing {

struct ConversionInput {
    std::string report;
    bool utf8 = true;   // normalised: every output must be UTF-8 too
    bool twice = false; // a second conversion must not see the first one's state
    StoringSettings settings;
    Redaction redaction;
};

inline std::string OwnCoordsFor(std::uint8_t choice, std::string_view report) {
    switch (choice % 4) {
    case 0:
        return {};
    case 1:
        return "1.1.1";
    case 2:
        return BracketCoords(report);
    default:
        return RemoveBlanks(CutAfterFrom(report).coords);
    }
}

inline std::optional<ConversionInput> ReadConversionInput(const std::uint8_t* data, std::size_t size) {
    if (size < 3)
        return std::nullopt;
    ConversionInput input;
    input.report.assign(reinterpret_cast<const char*>(data) + 3, size - 3);
    input.utf8 = !(data[0] & 0x40);
    if (input.utf8)
        NormaliseTextInPlace(input.report);
    if (data[0] & 0x10)
        input.report = PrepareCopiedReport(std::move(input.report));
    input.twice = (data[0] & 0x20) != 0;
    input.settings = {data[0] & 0x03, data[1] & 0x03, OwnCoordsFor(data[2], input.report)};
    input.redaction = {(data[1] & 0x04) != 0, (data[1] & 0x08) != 0, (data[1] & 0x10) != 0};
    return input;
}

// A converter set up as the input says.
inline void SetUp(CReportConverter& converter, const ConversionInput& input) {
    converter.ownCoords = input.settings.ownCoords;
    converter.redaction = input.redaction;
}

} // namespace skarnwald::fuzzing
