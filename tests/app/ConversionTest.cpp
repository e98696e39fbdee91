// Start on the main form: which input is converted, where the page goes, and
// what the user is told: the input chosen last, one save dialog for a page
// with a battle, nothing at all for a text without one.

#include "AppTestSupport.h"
#include "DbTestSupport.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/CVoxlanView.h"
#include "app/FileDialogs.h"
#include "app/PageFiles.h"
#include "archive/StoredBattlePage.h"
#include "text/OperaJoin.h"
#include "text/Utf8Text.h"
#include "writers/HtmlFragments.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>

#include <functional>

namespace skarnwald::testing {
namespace {

class ConversionTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        BeforeStart();
        ASSERT_TRUE(app_.InitInstance("Data.dat"));
        view_ = app_.MainFrame()->View();
        QGuiApplication::clipboard()->clear();
    }

    // Runs in the test's folder before the program starts.
    virtual void BeforeStart() {}

    template <typename W> W* Child(const char* name) { return view_->findChild<W*>(name); }
    // Text as the user sees it on screen, whatever encoding its file had.
    static QString Shown(const std::string& report) { return QString::fromStdString(NormaliseText(report)); }
    void Type(const std::string& report) { Child<QPlainTextEdit>("reportEdit")->setPlainText(Shown(report)); }
    void ChooseInputFile(const std::filesystem::path& file) {
        FileDialogs::SetNextFileName(QString::fromStdString(file.string()));
        view_->OnFileOpen();
    }
    void StartInto(const char* saveName) {
        FileDialogs::SetNextFileName(saveName ? QString::fromStdString(Here(saveName).string()) : QString());
        view_->OnStart();
    }
    QString Status() { return Child<QLabel>("statusLabel")->text(); }
    QString StatusBar() { return app_.MainFrame()->statusBar()->currentMessage(); }

    CVoxlanApp app_;
    CVoxlanView* view_ = nullptr;
};

TEST_F(ConversionTest, TypedTextIsConvertedWithProgressAndTimingAndNoBox) {
    Type(SampleReport("one-battle.txt"));
    StartInto("page");
    const std::string page = FileBytes(Here("page.htm"));
    EXPECT_TRUE(page.starts_with("<html><head><meta charset='utf-8'></head><body bgcolor='#000000'>"));
    EXPECT_NE(page.find("Grauer Falke"), std::string::npos);
    EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());
    EXPECT_EQ(StatusBar(), "Text aus dem Feld: 1 Kampf umgewandelt, Seite geschrieben: " +
                               QString::fromStdString(Here("page.htm").string()));
    EXPECT_TRUE(QRegularExpression("^Berechnung dauerte \\d+ Millisekunden?$").match(Status()).hasMatch());
    const QProgressBar* bar = Child<QProgressBar>("progressBar");
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_EQ(bar->text(), "Fertig");
}

TEST_F(ConversionTest, ChosenNamesKeepHtmEndingsAndOthersGetOne) {
    Type(SampleReport("one-battle.txt"));
    for (const char* name : {"a.html", "b.htm"}) {
        StartInto(name);
        EXPECT_TRUE(std::filesystem::exists(Here(name))) << name;
    }
    StartInto("c.HTM");
    EXPECT_TRUE(std::filesystem::exists(Here("c.HTM.htm")));
}

TEST_F(ConversionTest, CancelledSaveDialogWritesNothingAndKeepsTheEarlierPage) {
    WriteBytes(Here("page.htm"), "earlier");
    Type(SampleReport("one-battle.txt"));
    StartInto("page");
    MessageBoxes::TakeShownTexts();
    const std::string written = FileBytes(Here("page.htm"));
    StartInto(nullptr);
    EXPECT_EQ(FileBytes(Here("page.htm")), written);
    EXPECT_FALSE(std::filesystem::exists(Here(".htm")));
    EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());
}

TEST_F(ConversionTest, ChosenFileIsJoinedWhenCopiedFromOpera) {
    const std::string opera = SampleReport("opera-copy.txt");
    WriteBytes(Here("report.txt"), opera);
    ChooseInputFile(Here("report.txt"));
    StartInto("from-file");
    // Typed text is taken as it stands, so the joined text typed gives the same page.
    Type(JoinOperaCells(opera));
    view_->OnClearFile();
    StartInto("typed");
    EXPECT_EQ(FileBytes(Here("from-file.htm")), FileBytes(Here("typed.htm")));
    EXPECT_NE(FileBytes(Here("from-file.htm")).find("Battle"), std::string::npos);
}

TEST_F(ConversionTest, CancelledOpenDialogKeepsTheChosenFile) {
    ChooseInputFile(Here("first.txt"));
    FileDialogs::SetNextFileName(QString());
    view_->OnFileOpen();
    EXPECT_EQ(Child<QLineEdit>("fileEdit")->text().toStdString(), Here("first.txt").string());
}

TEST_F(ConversionTest, UnreadableInputAndUnwritableOutputAreToldAndNothingIsWritten) {
    ChooseInputFile(Here("missing.txt"));
    StartInto("page");
    QStringList shown = MessageBoxes::TakeShownTexts();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().contains("missing.txt") && shown.front().contains("gelesen"));
    EXPECT_FALSE(std::filesystem::exists(Here("page.htm")));

    view_->OnClearFile();
    Type(SampleReport("one-battle.txt"));
    StartInto("no-such-folder/page");
    shown = MessageBoxes::TakeShownTexts();
    ASSERT_EQ(shown.size(), 1); // and no "Fertig"
    EXPECT_TRUE(shown.front().contains("no-such-folder/page.htm") && shown.front().contains("geschrieben"));
}

TEST_F(ConversionTest, TheInputChosenLastIsConvertedAndTheClipboardOnlyWhenBothAreEmpty) {
    WriteBytes(Here("kampf.txt"), SampleReport("one-battle.txt"));
    QGuiApplication::clipboard()->setText(Shown(SampleReport("own-planet.txt")));
    const std::string typed = SampleReport("several-battles.txt");
    struct Case {
        std::function<void()> choose;
        const char* battleOfTheInput;
        QString source;
    };
    const Case cases[] = {
        {[&] {
             Type(typed);
             ChooseInputFile(Here("kampf.txt"));
         },
         "Grauer Falke", "Datei kampf.txt: 1 Kampf"},
        {[&] {
             ChooseInputFile(Here("kampf.txt"));
             Type(typed);
         },
         "Kalte Ebene", "Text aus dem Feld: 3 Kämpfe"},
        {[&] {
             Type("");
             view_->OnClearFile();
         },
         "Heimat", "Zwischenablage: "},
        {[&] {
             Type("");
             ChooseInputFile(Here("kampf.txt"));
         },
         "Grauer Falke", "Datei kampf.txt: 1 Kampf"},
    };
    for (const Case& test : cases) {
        test.choose();
        StartInto("page");
        EXPECT_NE(FileBytes(Here("page.htm")).find(test.battleOfTheInput), std::string::npos)
            << test.source.toStdString();
        EXPECT_TRUE(StatusBar().startsWith(test.source)) << StatusBar().toStdString();
        std::filesystem::remove(Here("page.htm"));
    }
}

TEST_F(ConversionTest, NoBattleAsksNothingWritesNothingAndSaysSo) {
    WriteBytes(Here("page.htm"), "a good page");
    WriteBytes(Here("leer.txt"), "kein Bericht, nur Text");
    for (const bool fromFile : {false, true}) {
        if (fromFile)
            ChooseInputFile(Here("leer.txt"));
        else
            Type("kein Bericht, nur Text");
        StartInto("page");
        EXPECT_EQ(StatusBar(), (fromFile ? "Datei leer.txt" : "Text aus dem Feld") +
                                   QStringLiteral(": Kein Kampf gefunden – keine Seite geschrieben"));
        const QProgressBar* bar = Child<QProgressBar>("progressBar");
        EXPECT_LT(bar->minimum(), bar->maximum()) << "a bar without a range is busy for good";
        EXPECT_EQ(FileBytes(Here("page.htm")), "a good page");
        EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());
        // The scripted name is still waiting: no save dialog was asked.
        EXPECT_EQ(FileDialogs::OpenFileName(nullptr, FileKind::Text).toStdString(), Here("page").string());
    }
}

TEST_F(ConversionTest, PagesAreOfferedUnderTheFirstBattlesNameInTheLastFolderOrSavedThereUnasked) {
    std::filesystem::create_directory(Here("seiten"));
    Type(SampleReport("several-battles.txt"));
    StartInto("seiten/erste");
    EXPECT_EQ(FileDialogs::LastSuggestion(), "Kampf 3.3.3 2026-05-17.htm");
    Type(SampleReport("one-battle.txt"));
    StartInto("seiten/zweite");
    EXPECT_EQ(FileDialogs::LastSuggestion().toStdString(),
              Here("seiten/Kampf 4.7.2 2026-03-14.htm").string());
    StartInto("seiten/Kampf 4.7.2 2026-03-14.htm");
    StartInto("seiten/dritte"); // the same report again
    EXPECT_EQ(FileDialogs::LastSuggestion().toStdString(),
              Here("seiten/Kampf 4.7.2 2026-03-14-2.htm").string());

    // Saved without asking, never over an earlier page.
    std::filesystem::create_directory(Here("auto"));
    SetAutoSaveFolder(QString::fromStdString(Here("auto").string()));
    for (int twice = 0; twice < 2; ++twice)
        view_->OnStart();
    EXPECT_TRUE(std::filesystem::exists(Here("auto/Kampf 4.7.2 2026-03-14.htm")));
    EXPECT_TRUE(std::filesystem::exists(Here("auto/Kampf 4.7.2 2026-03-14-2.htm")));
}

TEST_F(ConversionTest, NothingHappensWithoutABattleAfterTheClipboardsFirstByte) {
    for (const char* clipboard : {"", "Battle at [1.2.3] only at the very start", "no report here"}) {
        QGuiApplication::clipboard()->setText(clipboard);
        StartInto("page");
        EXPECT_FALSE(std::filesystem::exists(Here("page.htm"))) << clipboard;
        EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());
        EXPECT_TRUE(
            app_.MainFrame()->statusBar()->currentMessage().startsWith("Nichts umgewandelt: Kein Bericht"));
        // The save dialog was not even asked.
        EXPECT_EQ(FileDialogs::OpenFileName(nullptr, FileKind::Text).toStdString(), Here("page").string());
    }
}

// The same report typed, on the clipboard and loaded from files in either
// encoding, with storing on.
class EncodingTest : public ConversionTest {
protected:
    void BeforeStart() override {
        OpenResult opened = CConnection::Open("Data.dat");
        ASSERT_TRUE(opened.connection);
        RunSql(*opened.connection, "INSERT INTO Einstellungen (Einstellung,Wert) VALUES ('DBSpeichern','1')");
    }
    std::string PageOf(const char* name) { return FileBytes(Here(name)); }
};

TEST_F(EncodingTest, EveryInputGivesTheSamePageAndTheSameRows) {
    std::string report = "12.03.2004 14:07:09 Uhr Battle at [ 1.2.3 ] Sch\xF6n\n"
                         "Agility 10 [100/100] Fighter (W\xE4spe) from 4.5.6 ";
    report += testfiles::kWindows1252Letters;
    report += "\nLaser destroyed [3/50] Corvette (Tank) from 1.2.3 M\x9Fller\n";
    Type(report);
    StartInto("typed");
    Type("");
    QGuiApplication::clipboard()->setText("\xEF\xBB\xBF" + Shown(report)); // some programs copy a mark
    StartInto("clipboard");
    WriteBytes(Here("cp1252.txt"), report);
    ChooseInputFile(Here("cp1252.txt"));
    StartInto("cp1252");
    WriteBytes(Here("utf8.txt"), NormaliseText(report));
    ChooseInputFile(Here("utf8.txt"));
    StartInto("utf8");

    const std::string page = PageOf("typed.htm");
    EXPECT_NE(page.find(testfiles::kWindows1252LettersUtf8), std::string::npos);
    EXPECT_NE(page.find("M\xC5\xB8ller"), std::string::npos);
    for (const char* other : {"clipboard.htm", "cp1252.htm", "utf8.htm"})
        EXPECT_EQ(PageOf(other), page) << other;

    OpenResult opened = CConnection::Open("Data.dat");
    ASSERT_TRUE(opened.connection);
    std::ostringstream first;
    ASSERT_TRUE(RenderStoredBattle(*opened.connection, first, 1));
    EXPECT_NE(first.str().find(testfiles::kWindows1252LettersUtf8), std::string::npos);
    // All four inputs stored the same rows, so the archive kept the battle once.
    EXPECT_EQ(CountRows(*opened.connection, "Battles"), 1);
    ExpectAllTextUtf8(*opened.connection);
}

// The note on battles stored before belongs to a conversion that stored.
TEST_F(EncodingTest, OnlyAConversionThatStoresSaysWhatWasStoredBefore) {
    const struct {
        bool store;
        Redaction hide;
        bool note;
    } conversions[] = {
        {true, {}, false}, {true, {}, true}, {false, {}, false}, {true, {false, true, false}, false},
        {true, {}, true},
    };
    for (const auto& test : conversions) {
        OnNextModal([&test](QWidget* dialog) {
            for (const auto& [name, on] :
                 {std::pair{"storeCheck", test.store}, {"hideNamesCheck", test.hide.hideNames}})
                if (dialog->findChild<QCheckBox*>(name)->isChecked() != on)
                    dialog->findChild<QCheckBox*>(name)->click();
            dialog->findChild<QDialogButtonBox*>("buttons")->button(QDialogButtonBox::Ok)->click();
        });
        view_->OnSettings();
        Type(SampleReport("one-battle.txt"));
        StartInto("page");
        EXPECT_EQ(Status().contains("schon gespeichert"), test.note) << Status().toStdString();
    }
}

} // namespace
} // namespace skarnwald::testing
