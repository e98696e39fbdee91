// The built `skarnwald-cli convert` end to end: exit codes, where the page
// goes, that a failed write is reported, never passed off as success, and
// that a report without a battle writes nothing.

#include "ConvertTestSupport.h"
#include "GermanCli.h"
#include "text/Utf8Text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace skarnwald::test {
namespace {

const std::filesystem::path kSamples = SKARNWALD_SAMPLES;
const std::filesystem::path kExpected =
    std::filesystem::path(SKARNWALD_TEST_DATA).parent_path() / "cases/one-battle";

class CliConvert : public testing::Test {
protected:
    // `skarnwald-cli ARGUMENTS` run in the test's folder, which is its home too.
    int Cli(const std::string& arguments) const {
        const std::string here = "'" + folder.Path().string() + "'";
        const std::string command = "cd " + here + " && " + kGermanCli + "HOME=" + here +
                                    " XDG_DATA_HOME= SKARNWALD_DB= '" SKARNWALD_CLI "' " + arguments;
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    int Run(const std::string& arguments) const { return Cli("convert " + arguments); }
    static std::string Sample() {
        std::string quoted = (kSamples / "one-battle.txt").string();
        quoted.insert(0, 1, '\'');
        quoted += '\'';
        return quoted;
    }

    // The working and home folder, where the command keeps its database: a
    // fresh one per test.
    testfiles::TempFolder folder;
};

TEST_F(CliConvert, WritesThePageToTheNamedFileWithHtmAppended) {
    EXPECT_EQ(Run(Sample() + " -o seite > said.txt"), 0);
    EXPECT_EQ(FileBytes(folder / "seite.htm"), FileBytes(kExpected / "page.htm"));
    EXPECT_NE(FileBytes(folder / "said.txt").find("seite.htm"), std::string::npos);
}

TEST_F(CliConvert, ReadsStandardInputAndWritesStandardOutput) {
    EXPECT_EQ(Run("- < " + Sample() + " > page.htm"), 0);
    EXPECT_EQ(FileBytes(folder / "page.htm"), FileBytes(kExpected / "page.htm"));
}

TEST_F(CliConvert, FullStandardOutputFails) {
    EXPECT_NE(Run(Sample() + " > /dev/full 2> error.txt"), 0);
    EXPECT_FALSE(FileBytes(folder / "error.txt").empty());
}

TEST_F(CliConvert, UnreadableInputFailsWithoutLeavingAPage) {
    EXPECT_NE(Run("missing.txt -o seite.htm 2> error.txt"), 0);
    EXPECT_FALSE(std::filesystem::exists(folder / "seite.htm"));
    EXPECT_NE(FileBytes(folder / "error.txt").find("missing.txt"), std::string::npos);
    EXPECT_NE(Run(". -o seite.htm 2> /dev/null"), 0); // a folder is no report
    EXPECT_FALSE(std::filesystem::exists(folder / "seite.htm"));
}

TEST_F(CliConvert, UnwritableOutputFolderFails) {
    EXPECT_NE(Run(Sample() + " -o nowhere/seite.htm 2> error.txt"), 0);
    EXPECT_FALSE(FileBytes(folder / "error.txt").empty());
}

TEST_F(CliConvert, ManyReportsGoIntoAFolderAndAFailingOneIsNamed) {
    const std::string several = "'" + (kSamples / "several-battles.txt").string() + "'";
    EXPECT_EQ(Run(Sample() + " missing.txt " + several + " -d pages > said.txt 2> error.txt"), 1);
    std::ostringstream single;
    CReportConverter converter;
    ConvertToPage(converter, NormaliseText(FileBytes(kSamples / "one-battle.txt")), single);
    EXPECT_EQ(FileBytes(folder / "pages/one-battle.htm"), single.str());
    EXPECT_TRUE(std::filesystem::exists(folder / "pages/several-battles.htm"));
    EXPECT_NE(FileBytes(folder / "error.txt").find("missing.txt"), std::string::npos);
    EXPECT_NE(FileBytes(folder / "said.txt").find("2 von 3 Berichten umgewandelt"), std::string::npos);

    EXPECT_EQ(Run(Sample() + " -d pages > /dev/null"), 0);
    // Several inputs need a folder; a folder and an output file exclude each other.
    EXPECT_EQ(Run(Sample() + " " + several + " 2> /dev/null"), 2);
    EXPECT_EQ(Run(Sample() + " -d pages -o page.htm 2> /dev/null"), 2);
    EXPECT_EQ(Run("- -d pages < " + Sample() + " 2> /dev/null"), 2);
}

TEST_F(CliConvert, ReportWithoutABattleWritesNothingAndExitsWithThree) {
    testfiles::WriteBytes(folder / "prose.txt", "Dear diary,\nthe fleet stayed home today.\n");
    testfiles::WriteBytes(folder / "blank.txt", " \n\t\n");
    testfiles::WriteBytes(folder / "binary.bin", std::string("\x7F"
                                                             "ELF\x02\x01\0\0\xFF\xFE",
                                                             10));
    testfiles::WriteBytes(folder / "keep.htm", "a good page");
    for (const char* input : {"prose.txt", "blank.txt", "binary.bin"})
        for (const char* output :
             {"", "-o page", "-o keep.htm", "--format discord", "--format json -o data"}) {
            const std::string call = std::string(input) + " " + output;
            EXPECT_EQ(Run(call + " > said.txt 2> error.txt"), 3) << call;
            EXPECT_EQ(FileBytes(folder / "said.txt"), "") << call;
            EXPECT_EQ(FileBytes(folder / "error.txt"), "skarnwald-cli convert: Kein Kampf gefunden\n")
                << call;
            EXPECT_EQ(FileBytes(folder / "keep.htm"), "a good page") << call;
            EXPECT_FALSE(std::filesystem::exists(folder / "page.htm") ||
                         std::filesystem::exists(folder / "data.json"))
                << call;
        }

    // In a batch such a file fails with that reason, and gets no page.
    EXPECT_EQ(Run("prose.txt " + Sample() + " -d pages > said.txt 2> error.txt"), 1);
    EXPECT_EQ(FileBytes(folder / "error.txt"), "skarnwald-cli convert: prose.txt: Kein Kampf gefunden\n");
    EXPECT_NE(FileBytes(folder / "said.txt").find("1 von 2 Berichten umgewandelt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder / "pages/prose.htm"));
}

TEST_F(CliConvert, FormatsGoToFilesNamedForThemOrToStandardOutput) {
    EXPECT_EQ(Run(Sample() + " --format json -o kampf > said.txt"), 0);
    EXPECT_EQ(FileBytes(folder / "kampf.json"), FileBytes(kExpected / "json.json"));
    EXPECT_NE(FileBytes(folder / "said.txt").find("kampf.json"), std::string::npos);
    EXPECT_EQ(Run(Sample() + " --format bbcode -o post.bb"), 0);
    EXPECT_EQ(FileBytes(folder / "post.bb"), FileBytes(kExpected / "bbcode.txt"));
    EXPECT_EQ(Run(Sample() + " --format title > title.txt"), 0);
    EXPECT_EQ(FileBytes(folder / "title.txt"), FileBytes(kExpected / "title.txt"));
    EXPECT_FALSE(std::filesystem::exists(folder / "kampf.htm"));
}

TEST_F(CliConvert, HidingOptionsApplyToThePageAndKeepItOutOfTheDatabase) {
    ASSERT_EQ(Cli("settings --store 1 > /dev/null"), 0);
    EXPECT_EQ(Run(Sample() + " --hide-names --hide-coords -o page.htm"), 0);
    EXPECT_EQ(Cli("battles | grep -q 4.7.2"), 1);
    const std::string page = FileBytes(folder / "page.htm");
    EXPECT_EQ(page.find("Torvik"), std::string::npos);
    EXPECT_EQ(page.find("9.1.13"), std::string::npos);
    EXPECT_NE(page.find("?.?.?\nFlotte 2"), std::string::npos);
}

TEST_F(CliConvert, PictureCardsForTheReportOrEachBattle) {
    const std::string several = "'" + (kSamples / "several-battles.txt").string() + "'";
    EXPECT_EQ(Run(several + " --format png -o karte"), 0);
    EXPECT_TRUE(FileBytes(folder / "karte.png").starts_with("\x89PNG"));
    EXPECT_EQ(Run(several + " --format svg --per-battle -o karte"), 0);
    for (const char* battle : {"karte-1.svg", "karte-2.svg", "karte-3.svg"})
        EXPECT_TRUE(FileBytes(folder / battle).starts_with("<svg")) << battle;
    EXPECT_FALSE(std::filesystem::exists(folder / "karte-4.svg"));
    EXPECT_EQ(Run(several + " --format png --per-battle 2> error.txt"), 2); // needs -o
    EXPECT_EQ(Run(several + " --format json --per-battle -o x 2> error.txt"), 2);
}

TEST_F(CliConvert, UnknownFormatIsAUsageError) {
    EXPECT_EQ(Run(Sample() + " --format pdf 2> error.txt"), 2);
    EXPECT_NE(FileBytes(folder / "error.txt").find("pdf"), std::string::npos);
}

} // namespace
} // namespace skarnwald::test
