// Reading report files in chunks, naming the page file, and writing it so
// that a failed write never leaves a partial page behind.

#include "ConvertTestSupport.h"

#include "text/ReportFiles.h"

#include <gtest/gtest.h>

#include <sstream>

namespace skarnwald::test {
namespace {

TEST(OutputFileName, KeepsNamesEndingInHtmOrHtmlCaseSensitively) {
    EXPECT_EQ(OutputFileName("bericht"), "bericht.htm");
    EXPECT_EQ(OutputFileName("bericht.htm"), "bericht.htm");
    EXPECT_EQ(OutputFileName("bericht.html"), "bericht.html");
    EXPECT_EQ(OutputFileName("berichthtm"), "berichthtm");
    EXPECT_EQ(OutputFileName("bericht.HTM"), "bericht.HTM.htm");
    EXPECT_EQ(OutputFileName("bericht.htm.txt"), "bericht.htm.txt.htm");
    EXPECT_EQ(OutputFileName(""), ".htm");
}

// 700,000 bytes of letters, with NULs at the given positions.
std::string Letters(std::initializer_list<std::size_t> nuls) {
    std::string text(700000, ' ');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>('a' + i % 26);
    for (std::size_t at : nuls)
        text[at] = '\0';
    return text;
}

// From a stream and from memory alike.
std::string Read(const std::string& bytes) {
    std::istringstream in(bytes);
    const std::string read = ReadReport(in).value_or("<failed>");
    EXPECT_EQ(ReadReport(std::string_view(bytes)), read);
    return read;
}

TEST(ReadReport, EachChunkOf300000BytesEndsAtItsFirstNul) {
    const std::string clean = Letters({});
    EXPECT_EQ(Read(clean), clean);
    // Last byte of the first chunk.
    EXPECT_EQ(Read(Letters({299999})), clean.substr(0, 299999) + clean.substr(300000));
    // First byte of the second chunk: that chunk gives nothing.
    EXPECT_EQ(Read(Letters({300000})), clean.substr(0, 300000) + clean.substr(600000));
    // Both, and one more in the last chunk.
    EXPECT_EQ(Read(Letters({299999, 300000, 650000})), clean.substr(0, 299999) + clean.substr(600000, 50000));
    EXPECT_EQ(Read(std::string("\0abc", 4)), "");
    EXPECT_EQ(Read(""), "");
}

TEST(ReadReport, GivesUtf8AfterTheNulRule) {
    EXPECT_EQ(Read("\xEF\xBB\xBFK\xC3\xA4mpfer"), "K\xC3\xA4mpfer");
    EXPECT_EQ(Read("K\xE4mpfer"), "K\xC3\xA4mpfer");
    // What the NUL cuts off does not decide the encoding.
    EXPECT_EQ(Read(std::string("K\xC3\xA4\0\xE4", 5)), "K\xC3\xA4");
    EXPECT_EQ(Read(std::string("K\xE4\0\xC3\xA4", 5)), "K\xC3\xA4");
}

TEST(ReadReport, FileThatCannotBeReadGivesAnError) {
    const ReadResult missing = ReadReportFile("/nonexistent/report.txt");
    EXPECT_FALSE(missing.text);
    EXPECT_FALSE(missing.error.empty());
    const ReadResult folder = ReadReportFile(std::filesystem::temp_directory_path());
    EXPECT_FALSE(folder.text);
    EXPECT_FALSE(folder.error.empty());
}

class AtomicWrite : public testing::Test {
protected:
    void SetUp() override { std::ofstream(folder / "page.htm") << "old page"; }
    std::size_t FilesInFolder() const {
        return static_cast<std::size_t>(
            std::distance(std::filesystem::directory_iterator(folder.Path()), {}));
    }

    testfiles::TempFolder folder;
};

TEST_F(AtomicWrite, CommitReplacesTheTarget) {
    AtomicFileWriter writer(folder / "page.htm");
    ASSERT_EQ(writer.OpenError(), "");
    writer.Stream() << "new page";
    EXPECT_EQ(FileBytes(folder / "page.htm"), "old page");
    EXPECT_EQ(writer.Commit(), "");
    EXPECT_EQ(FileBytes(folder / "page.htm"), "new page");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(AtomicWrite, AbandonedWriteLeavesNothingBehind) {
    {
        AtomicFileWriter writer(folder / "page.htm");
        writer.Stream() << "half a page";
    }
    EXPECT_EQ(FileBytes(folder / "page.htm"), "old page");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(AtomicWrite, MissingFolderIsReportedAtOpenAndCommit) {
    AtomicFileWriter writer(folder / "missing" / "page.htm");
    EXPECT_NE(writer.OpenError(), "");
    EXPECT_NE(writer.Commit(), "");
    EXPECT_FALSE(std::filesystem::exists(folder / "missing"));
}

} // namespace
} // namespace skarnwald::test
