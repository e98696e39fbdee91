// Broken reports: odd line ends, NUL and C1 bytes, numbers past 32 bits,
// missing separators, markup in names, very long lines and NULs around the
// read chunk boundary. The small ones live in tests/data, their pages derived
// by hand in tests/cases; the big ones are generated here and compared with
// the hash of the page that was reviewed once.

#include "ConvertTestSupport.h"

#include "text/OperaJoin.h"
#include "text/ReportFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

namespace skarnwald::test {
namespace {

const std::filesystem::path kData = SKARNWALD_TEST_DATA;

// The report as the file input reads it: chunks cut at NUL, then the Opera test.
std::string ConvertAsFile(const std::string& bytes) {
    std::istringstream in(bytes);
    return ConvertToPage(PrepareCopiedReport(ReadReport(in).value()));
}

TEST(MalformedReports, NulInTypedTextIsAnOrdinaryByte) {
    const std::string page = ConvertToPage(FileBytes(kData / "nul-bytes.txt"));
    EXPECT_NE(page.find(std::string_view(" A\0l</font></td></tr>", 21)), std::string::npos);
    EXPECT_NE(page.find(">3.3.3<"), std::string::npos); // the line after the NUL
}

TEST(MalformedReports, MarkupInReportTextNeverReachesThePage) {
    const std::string page = ConvertAsFile(FileBytes(kData / "script-fleet.txt"));
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_EQ(page.find("<i>"), std::string::npos);
}

std::uint64_t Fnv1a(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

std::string HashText(std::string_view page) {
    char text[32];
    std::snprintf(text, sizeof text, "%016llx/%zu", static_cast<unsigned long long>(Fnv1a(page)),
                  page.size());
    return text;
}

TEST(MalformedReports, LinesOverSixtyFourKibibytes) {
    const std::string place(70000, 'P');
    const std::string owner(100000, 'o');
    const std::string subject(80000, 's');
    const std::string report = "a Battle at [1.1.1] " + place + "\n" +
                               "Agility 1 [5/5] Fighter (f) from 1.1.1 " + owner + "\n" + subject +
                               " destroyed [2/5] Fighter (f) from 2.2.2 " + owner + "x\n" +
                               std::string(65537, '-') + "Agility 2 [3/3] Doomstar (d) from 3.3.3 long\n";
    const std::string page = ConvertAsFile(report);
    EXPECT_EQ(HashText(page), "72b59301e2c73215/640649");
}

// About 650,000 bytes of fleet and hit lines after one header.
std::string ChunkBoundaryReport() {
    std::string report = "a Battle at [1.1.1] Grenze\n";
    for (int i = 0; report.size() < 650000; ++i) {
        const std::string n = std::to_string(i % 97);
        report += "Agility " + n + " [" + n + "/40] Fighter (f) from 1.1.1 Bea" + n + "\n";
        report += "Fighter (f) destroyed [1/" + n + "] Corvette (c) from 2.2.2 Al" + n + "\n";
    }
    return report;
}

TEST(MalformedReports, NulJustBeforeAndAfterTheChunkBoundary) {
    const std::string clean = ChunkBoundaryReport();
    struct Case {
        std::size_t nul;
        const char* hash;
    };
    for (const Case& c :
         {Case{299999, "59dc0cbf481f6d8b/8137826"}, Case{300000, "e3952ba38014ff13/4802705"}}) {
        std::string bytes = clean;
        bytes[c.nul] = '\0';
        // The chunk holding the NUL ends there; the next chunk starts at 300,000 or 600,000.
        const std::size_t resume = c.nul < 300000 ? 300000 : 600000;
        const std::string page = ConvertAsFile(bytes);
        EXPECT_EQ(page, ConvertToPage(clean.substr(0, c.nul) + clean.substr(resume))) << c.nul;
        EXPECT_EQ(HashText(page), c.hash) << c.nul;
    }
}

} // namespace
} // namespace skarnwald::test
