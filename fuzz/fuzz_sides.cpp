// Converts short reports (ConversionInput.h) and sets the side detection
// against the tests' literal pre-pass: the fleet row colours of the page and
// the side table after every header must be exactly those of the literal way.
// The literal pre-pass walks the rest of the report at every header, so
// longer reports are left to fuzz_convert.

#include "ConversionInput.h"
#include "ConverterInternals.h"
#include "LiteralPrescan.h"
#include "reading/ReportConverter.h"
#include "writers/HtmlWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using namespace skarnwald;
using fuzzing::Require;

constexpr std::size_t kLiteralCheckLimit = 4096;

void ConvertOnce(CReportConverter& converter, std::string_view report) {
    // The literal pre-pass starts from the members a previous conversion left.
    CReportConverter literal;
    ConverterInternals::currentFleetName(literal) = ConverterInternals::currentFleetName(converter);
    ConverterInternals::currentFleetCoords(literal) = ConverterInternals::currentFleetCoords(converter);
    test::SideTableRecorder sides(converter);
    converter.AddWriter(&sides);
    static fuzzing::PageStream page;
    ConvertToPage(converter, report, page.Restart());
    converter.ClearWriters();
    std::vector<std::string> literalSides;
    Require(test::FleetRowColours(page.Page()) ==
            test::ReferenceFleetColours(literal, report, &literalSides));
    Require(sides.tables == literalSides);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto input = fuzzing::ReadConversionInput(data, size);
    if (!input || input->report.size() > kLiteralCheckLimit)
        return 0;
    CReportConverter converter;
    fuzzing::SetUp(converter, *input);
    ConvertOnce(converter, input->report);
    if (input->twice)
        ConvertOnce(converter, input->report);
    return 0;
}
