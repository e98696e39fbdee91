// The main window as a user meets it: where the keyboard goes, choosing and
// clearing the input file, what the status bar and the preview say after
// Start, dropped files and text, the recent files, the batch conversion, the
// remembered layout and the German standard texts.

#include "AppTestSupport.h"
#include "app/CMainFrame.h"
#include "app/CVoxlanApp.h"
#include "app/CVoxlanView.h"
#include "app/FileDialogs.h"
#include "app/RecentFiles.h"

#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

namespace skarnwald::testing {
namespace {

class MainWindowTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        QGuiApplication::clipboard()->clear();
        Open();
    }
    void Open() {
        app_ = std::make_unique<CVoxlanApp>();
        ASSERT_TRUE(app_->InitInstance("Data.dat"));
        frame_ = app_->MainFrame();
        view_ = frame_->View();
    }
    void Reopen() {
        frame_->close();
        app_.reset();
        Open();
    }

    template <typename W> W* Child(const char* name) { return view_->findChild<W*>(name); }
    QPlainTextEdit* Report() { return Child<QPlainTextEdit>("reportEdit"); }
    QString FileField() { return Child<QLineEdit>("fileEdit")->text(); }
    QString Status() { return frame_->statusBar()->currentMessage(); }
    void StartInto(const char* saveName) {
        FileDialogs::SetNextFileName(QString::fromStdString(Here(saveName).string()));
        view_->OnStart();
    }
    QString Preview() { return Child<QTextBrowser>("previewBrowser")->toPlainText(); }
    QString Written(const char* name) { return QString::fromStdString(Here(name).string()); }

    void Drop(QWidget* target, QMimeData& data) {
        const QPoint centre = target->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        EXPECT_TRUE(drop.isAccepted());
    }
    QStringList RecentMenuTexts() {
        emit frame_->FileMenu()->aboutToShow();
        QStringList texts;
        for (QAction* action : frame_->FileMenu()->actions())
            if (action->text().startsWith('&') && action->text().at(1).isDigit())
                texts << action->text();
        return texts;
    }

    std::unique_ptr<CVoxlanApp> app_;
    CMainFrame* frame_ = nullptr;
    CVoxlanView* view_ = nullptr;
};

TEST_F(MainWindowTest, KeyboardStartsInTheReportFieldTabLeavesItAndCtrlReturnStarts) {
    EXPECT_EQ(frame_->size(), QSize(900, 700));
    EXPECT_EQ(frame_->focusWidget(), Report());
    EXPECT_TRUE(Child<QPushButton>("startButton")->isDefault());

    QApplication::setActiveWindow(frame_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame_));
    Report()->setFocus();
    QTest::keyClick(Report(), Qt::Key_Tab);
    EXPECT_TRUE(Report()->toPlainText().isEmpty()); // no tab typed
    EXPECT_NE(QApplication::focusWidget(), Report());

    const QString report = QString::fromStdString(SampleReport("one-battle.txt"));
    Report()->setPlainText(report);
    Report()->setFocus();
    FileDialogs::SetNextFileName(Written("by-shortcut"));
    QTest::keyClick(Report(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_TRUE(std::filesystem::exists(Here("by-shortcut.htm")));
    EXPECT_EQ(Report()->toPlainText(), report); // no line break typed
}

TEST_F(MainWindowTest, TheChosenFileIsClearedByTheFieldButtonTheMenuAndTypedText) {
    WriteBytes(Here("report.txt"), SampleReport("one-battle.txt"));
    Report()->setPlainText(QString::fromStdString(SampleReport("several-battles.txt")));
    view_->ChooseInputFile(Written("report.txt"));

    // The button in the file field, then the same command in the menu.
    QAction* clearButton = Child<QLineEdit>("fileEdit")->actions().value(0);
    ASSERT_NE(clearButton, nullptr);
    EXPECT_TRUE(clearButton->isVisible());
    clearButton->trigger();
    EXPECT_EQ(FileField(), "- Keine Datei ausgewählt -");
    EXPECT_FALSE(clearButton->isVisible());
    StartInto("typed");
    EXPECT_NE(FileBytes(Here("typed.htm")).find("Battle"), std::string::npos);

    view_->ChooseInputFile(Written("report.txt"));
    for (QAction* item : frame_->FileMenu()->actions())
        if (item->text() == "Dateiauswahl &aufheben")
            item->trigger();
    EXPECT_EQ(FileField(), "- Keine Datei ausgewählt -");

    // Text typed after choosing a file is what Start converts, and the field says so.
    view_->ChooseInputFile(Written("report.txt"));
    Report()->clear();
    EXPECT_EQ(FileField(), Written("report.txt")) << "an emptied report field leaves the file";
    Report()->setPlainText(QStringLiteral("Battle at [1.2.3] getippt"));
    EXPECT_EQ(FileField(), "- Keine Datei ausgewählt -");
}

TEST_F(MainWindowTest, WrittenPageIsNamedPreviewedAndOpenedInTheBrowser) {
    auto* openButton = Child<QPushButton>("openPageButton");
    EXPECT_FALSE(openButton->isEnabled());
    Report()->setPlainText(QString::fromStdString(SampleReport("one-battle.txt")));
    StartInto("page");
    EXPECT_EQ(Status(), "Text aus dem Feld: 1 Kampf umgewandelt, Seite geschrieben: " + Written("page.htm"));
    EXPECT_EQ(Child<QProgressBar>("progressBar")->text(), "Fertig");
    EXPECT_TRUE(Preview().contains("Grauer Falke"));
    ASSERT_TRUE(openButton->isEnabled());
    openButton->click();
    EXPECT_EQ(PageBrowser::TakeOpened(), QStringList{Written("page.htm")});

    // A page too large to lay out at once is left to the browser.
    std::string many;
    for (int copy = 0; copy < 40; ++copy)
        many += SampleReport("several-battles.txt");
    Report()->setPlainText(QString::fromStdString(many));
    StartInto("large");
    EXPECT_TRUE(Preview().contains("zu groß")) << Preview().left(200).toStdString();
}

TEST_F(MainWindowTest, MessagesNeverResizeTheWindowAndTheNextActionClearsThem) {
    frame_->show();
    Report()->setPlainText(QString::fromStdString(SampleReport("one-battle.txt")));
    StartInto("page");
    auto* label = Child<QLabel>("statusLabel");
    EXPECT_TRUE(label->text().startsWith("Berechnung dauerte"));
    label->setText(QString(400, 'x'));
    frame_->statusBar()->showMessage(QString(400, 'y'));
    QApplication::processEvents();
    EXPECT_EQ(frame_->size(), QSize(900, 700));

    view_->ChooseInputFile(Written("next.txt"));
    EXPECT_TRUE(label->text().isEmpty());
    EXPECT_EQ(Status(), "Berichtsdatei gewählt: " + Written("next.txt"));
}

TEST_F(MainWindowTest, HiddenPreviewCatchesUpWhenShownAndTheChoiceIsRemembered) {
    frame_->PreviewAction()->setChecked(false);
    EXPECT_FALSE(view_->IsPreviewVisible());
    Report()->setPlainText(QString::fromStdString(SampleReport("one-battle.txt")));
    StartInto("page");
    EXPECT_TRUE(Preview().isEmpty());
    frame_->resize(640, 480);
    Reopen();
    EXPECT_FALSE(view_->IsPreviewVisible());
    EXPECT_FALSE(frame_->PreviewAction()->isChecked());
    EXPECT_EQ(frame_->size(), QSize(640, 480));

    Report()->setPlainText(QString::fromStdString(SampleReport("one-battle.txt")));
    StartInto("again");
    frame_->PreviewAction()->setChecked(true);
    EXPECT_TRUE(Preview().contains("Grauer Falke"));
}

TEST_F(MainWindowTest, DroppedFilesBecomeTheInputAndDroppedTextTheReport) {
    WriteBytes(Here("dropped.txt"), SampleReport("one-battle.txt"));
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(Written("dropped.txt"))});
    Drop(Report()->viewport(), file); // on the report field too, a file is an input
    EXPECT_EQ(FileField(), Written("dropped.txt"));
    EXPECT_TRUE(Report()->toPlainText().isEmpty());
    EXPECT_EQ(RecentFiles::List(), QStringList{Written("dropped.txt")});
    StartInto("from-drop");
    EXPECT_TRUE(std::filesystem::exists(Here("from-drop.htm")));

    view_->OnClearFile();
    QMimeData text;
    text.setText("Battle at [1.2.3] dropped");
    Drop(view_, text);
    EXPECT_EQ(Report()->toPlainText(), "Battle at [1.2.3] dropped");
    EXPECT_EQ(FileField(), "- Keine Datei ausgewählt -");
}

TEST_F(MainWindowTest, RecentFilesKeepTheLastFourAndChooseAgain) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "c.txt"}) {
        WriteBytes(Here(name), "text");
        FileDialogs::SetNextFileName(Written(name));
        view_->OnFileOpen();
    }
    const QStringList newestFirst{Written("c.txt"), Written("e.txt"), Written("d.txt"), Written("b.txt")};
    EXPECT_EQ(RecentFiles::List(), newestFirst);
    Reopen();
    const QStringList menu = RecentMenuTexts();
    ASSERT_EQ(menu.size(), 4);
    EXPECT_EQ(menu[0], "&1 " + Written("c.txt"));

    for (QAction* action : frame_->FileMenu()->actions())
        if (action->text() == menu[2])
            action->trigger();
    EXPECT_EQ(FileField(), Written("d.txt"));
    EXPECT_EQ(RecentFiles::List().front(), Written("d.txt"));

    // A file that has gone is told and leaves the list.
    std::filesystem::remove(Here("b.txt"));
    for (QAction* action : frame_->FileMenu()->actions())
        if (action->text().endsWith("b.txt"))
            action->trigger();
    EXPECT_EQ(MessageBoxes::TakeShownTexts().size(), 1);
    EXPECT_EQ(FileField(), Written("d.txt"));
    EXPECT_EQ(RecentMenuTexts().size(), 3);
}

TEST_F(MainWindowTest, BatchWritesAPagePerReportAndNamesTheFilesThatFailed) {
    WriteBytes(Here("first.txt"), SampleReport("one-battle.txt"));
    WriteBytes(Here("second.txt"), SampleReport("several-battles.txt"));
    WriteBytes(Here("empty.txt"), "kein Bericht");
    std::filesystem::create_directory(Here("out"));
    FileDialogs::SetNextFileNames(
        {Written("first.txt"), Written("missing.txt"), Written("empty.txt"), Written("second.txt")});
    FileDialogs::SetNextFileName(Written("out"));
    view_->OnBatchConvert();

    EXPECT_NE(FileBytes(Here("out/first.htm")).find("Grauer Falke"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(Here("out/second.htm")));
    for (const char* failed : {"out/missing.htm", "out/empty.htm"})
        EXPECT_FALSE(std::filesystem::exists(Here(failed))) << failed;
    const QStringList shown = MessageBoxes::TakeShownTexts();
    ASSERT_EQ(shown.size(), 1); // the summary, and no "Fertig" per file
    EXPECT_TRUE(shown[0].startsWith("2 von 4 Berichten umgewandelt."));
    EXPECT_TRUE(shown[0].contains("missing.txt") && shown[0].contains("gelesen"));
    EXPECT_TRUE(shown[0].contains("empty.txt: Kein Kampf gefunden"));
    EXPECT_TRUE(Status().endsWith("Zuletzt geschrieben: " + Written("out/second.htm")));
    EXPECT_TRUE(Child<QPushButton>("openPageButton")->isEnabled());

    // Cancelling the folder choice converts nothing.
    FileDialogs::SetNextFileNames({Written("first.txt")});
    FileDialogs::SetNextFileName(QString());
    std::filesystem::remove(Here("out/first.htm"));
    view_->OnBatchConvert();
    EXPECT_FALSE(std::filesystem::exists(Here("out/first.htm")));
    EXPECT_TRUE(MessageBoxes::TakeShownTexts().isEmpty());

    // "Abbrechen" in the progress dialog stops before the next file.
    FileDialogs::SetNextFileNames({Written("first.txt"), Written("second.txt")});
    FileDialogs::SetNextFileName(Written("out"));
    QTimer::singleShot(0, [this] {
        if (auto* progress = view_->findChild<QProgressDialog*>())
            progress->cancel();
    });
    view_->OnBatchConvert();
    EXPECT_FALSE(std::filesystem::exists(Here("out/first.htm")));
    EXPECT_EQ(
        MessageBoxes::TakeShownTexts(),
        QStringList{"0 von 2 Berichten umgewandelt.\nAbgebrochen: 2 Berichte wurden nicht bearbeitet."});
}

// Each kind of file is offered under a name of its own in the folder last
// used for that kind, and never under the name of a file already there.
TEST_F(MainWindowTest, SaveDialogsOfferANameInTheirLastFolderAndNeverAnExistingFile) {
    const struct {
        FileKind kind;
        QString suggested, offered;
    } kinds[] = {
        {FileKind::Json, "Kampf 4.7.2 2026-03-14.json", "Kampf 4.7.2 2026-03-14.json"},
        {FileKind::Csv, "kaempfe.csv", "kaempfe.csv"},
        {FileKind::Png, "Verlauf 2026-05-17.png", "Verlauf 2026-05-17.png"},
        {FileKind::Plan, "", "Angriffsplan.json"},
    };
    for (const auto& kind : kinds) {
        const QString filter = FileDialogs::Filter(kind.kind);
        const std::filesystem::path folder = Here("out") / filter.section(' ', 0, 0).toStdString();
        std::filesystem::create_directories(folder);
        const QString inFolder = QString::fromStdString((folder / kind.offered.toStdString()).string());
        for (const QString& expected : {kind.offered, inFolder}) {
            FileDialogs::SetNextFileName(inFolder);
            FileDialogs::SaveFileName(nullptr, kind.kind, kind.suggested);
            EXPECT_EQ(FileDialogs::LastSuggestion(), expected) << filter.toStdString();
        }
        WriteBytes(folder / kind.offered.toStdString(), "taken");
        FileDialogs::SetNextFileName(QString());
        FileDialogs::SaveFileName(nullptr, kind.kind, kind.suggested);
        EXPECT_TRUE(FileDialogs::LastSuggestion().endsWith("-2." + kind.offered.section('.', -1)))
            << FileDialogs::LastSuggestion().toStdString();
    }
    // Folders are remembered by what they are for.
    FileDialogs::SetNextFileName(Written("out"));
    FileDialogs::FolderName(nullptr, "Seiten");
    FileDialogs::SetNextFileName(QString());
    FileDialogs::FolderName(nullptr, "Seiten");
    EXPECT_EQ(FileDialogs::LastSuggestion(), Written("out"));

    // The JSON of a conversion is offered under its page's name.
    Report()->setPlainText(QString::fromStdString(SampleReport("one-battle.txt")));
    StartInto("page");
    FileDialogs::SetNextFileName(QString());
    view_->OnSaveJson();
    EXPECT_TRUE(FileDialogs::LastSuggestion().endsWith("Kampf 4.7.2 2026-03-14-2.json"))
        << FileDialogs::LastSuggestion().toStdString();
}

using GermanTexts = GuiTest;

TEST_F(GermanTexts, StandardButtonsSpeakGermanAndSystemErrorsSitInGermanSentences) {
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Save);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), "Abbrechen");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), "Speichern");

    DbErrorBox().ReportDbError("disk I/O error");
    EXPECT_EQ(MessageBoxes::TakeShownTexts(),
              QStringList{"Die Datenbank meldet einen Fehler: disk I/O error"});
}

} // namespace
} // namespace skarnwald::testing
