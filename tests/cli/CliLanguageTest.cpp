// The built command line in the player's language: the environment's
// locale variables read as text (no locale need be generated on the
// machine), --lang overriding them and remembered, and the same exit codes in
// every language.

#include "TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <sys/wait.h>

namespace skarnwald::test {
namespace {

namespace fs = std::filesystem;
using testfiles::FileBytes;

constexpr const char* kEnglishHelp = "Usage: skarnwald-cli COMMAND [ARGUMENTS]";
constexpr const char* kGermanHelp = "Aufruf: skarnwald-cli BEFEHL [ARGUMENTE]";

struct Case {
    const char* environment; // locale variables; all others are unset
    const char* arguments;
    int code;
    const char* firstLine; // of standard output, or of the error stream when that is empty; null: any
};

class CliLanguage : public ::testing::Test {
protected:
    CliLanguage() { testfiles::WriteBytes(folder / "prose.txt", "Dear diary\n"); }

    void Expect(const Case& c) {
        const std::string here = "'" + folder.Path().string() + "'";
        const std::string command =
            "cd " + here + " && env -u LANGUAGE -u LC_ALL -u LC_MESSAGES -u LANG HOME=" + here +
            " XDG_DATA_HOME= SKARNWALD_DB= XDG_CONFIG_HOME='" + config.string() + "' " + c.environment +
            " '" SKARNWALD_CLI "' " + c.arguments + " > out 2> err";
        const int status = std::system(command.c_str());
        std::string said = FileBytes(folder / "out");
        if (said.empty())
            said = FileBytes(folder / "err");
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.code)
            << c.environment << " " << c.arguments;
        if (c.firstLine) {
            EXPECT_EQ(said.substr(0, said.find('\n')), c.firstLine) << c.environment << " " << c.arguments;
        }
    }

    testfiles::TempFolder folder;
    fs::path config = folder / "config";
};

TEST_F(CliLanguage, TheEnvironmentChoosesGermanForGermanAndEnglishForEverythingElse) {
    const Case cases[] = {
        {"LANG=en_US.UTF-8", "--help", 0, kEnglishHelp},
        {"LANG=de_DE.UTF-8", "--help", 0, kGermanHelp},
        {"LANG=C", "--help", 0, kEnglishHelp},
        {"", "--help", 0, kEnglishHelp},
        {"LANG=fr_FR.UTF-8", "--help", 0, kEnglishHelp},
        {"LANGUAGE=fr:de LANG=en_US.UTF-8", "--help", 0, kGermanHelp},
        {"LC_ALL=C LANG=de_DE.UTF-8", "--help", 0, kEnglishHelp},
        {"LC_MESSAGES=de_AT.UTF-8 LANG=en_US.UTF-8", "--help", 0, kGermanHelp},
        {"LANG=en_US.UTF-8", "frob", 2, "skarnwald-cli: unknown command 'frob'"},
        {"LANG=de_DE.UTF-8", "frob", 2, "skarnwald-cli: unbekannter Befehl 'frob'"},
        {"LANG=C", "convert prose.txt", 3, "skarnwald-cli convert: No battle found"},
        {"LANG=de_DE.UTF-8", "convert prose.txt", 3, "skarnwald-cli convert: Kein Kampf gefunden"},
        {"LANG=C", "delete 7", 1, "skarnwald-cli delete: no stored battle with the ID 7"},
        {"LANG=de_DE.UTF-8", "delete 7", 1, "skarnwald-cli delete: kein gespeicherter Kampf mit der ID 7"},
        {"LANG=C", "convert prose.txt -d pages", 1, "0 of 1 report converted"},
        {"LANG=de_DE.UTF-8", "convert prose.txt -d pages", 1, "0 von 1 Bericht umgewandelt"},
        {"LANG=C", "import-archive missing.dat", 1,
         "skarnwald-cli import-archive: The file 'missing.dat' does not exist."},
    };
    for (const Case& c : cases)
        Expect(c);
    EXPECT_FALSE(fs::exists(config)); // nothing chosen, nothing remembered
}

TEST_F(CliLanguage, LangOverridesTheEnvironmentUntilSystemForgetsIt) {
    const fs::path remembered = config / "skarnwald/cli.json";
    Expect({"LANG=de_DE.UTF-8", "frob --lang en", 2, "skarnwald-cli: unknown command 'frob'"});
    EXPECT_TRUE(fs::exists(remembered));
    const Case cases[] = {
        {"LANG=de_DE.UTF-8", "frob", 2, "skarnwald-cli: unknown command 'frob'"},
        {"LANGUAGE=de", "--lang fr", 2, "skarnwald-cli: --lang takes de, en or system"},
        {"LANG=de_DE.UTF-8", "--lang", 2, "skarnwald-cli: --lang needs a value"},
        {"LANG=de_DE.UTF-8", "--lang de --help", 0, kGermanHelp},
        {"LANG=C", "--help", 0, kGermanHelp},
        {"LANG=de_DE.UTF-8", "--lang system", 0,
         "Die Sprache folgt wieder LANGUAGE, LC_ALL, LC_MESSAGES und LANG."},
        {"LANG=C", "--help", 0, kEnglishHelp},
    };
    for (const Case& c : cases)
        Expect(c);
    EXPECT_FALSE(fs::exists(remembered));

    // A choice that cannot be remembered is a note; the command runs as chosen.
    fs::remove_all(config);
    testfiles::WriteBytes(config, "a file where the folder belongs");
    Expect({"LANG=de_DE.UTF-8", "--lang en delete 7", 1, nullptr});
    const std::string err = FileBytes(folder / "err");
    EXPECT_TRUE(
        err.starts_with("skarnwald-cli: note: the language cannot be remembered: " + remembered.string()))
        << err;
    EXPECT_NE(err.find("\nskarnwald-cli delete: no stored battle with the ID 7\n"), std::string::npos) << err;
}

} // namespace
} // namespace skarnwald::test
