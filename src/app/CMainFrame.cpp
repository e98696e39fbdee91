#include "app/CMainFrame.h"

#include "app/CVoxlanView.h"
#include "app/MessageBoxes.h"
#include "app/ProgramName.h"
#include "app/RecentFiles.h"
#include "app/Translations.h"
#include "app/attorga/CAttOrgaDlg.h"
#include "app/attorga/CFleetMovesDlg.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>

namespace skarnwald {
namespace {

const QString kGeometryKey = QStringLiteral("MainWindow/Geometry");
const QString kSplitterKey = QStringLiteral("MainWindow/Splitter");
const QString kPreviewKey = QStringLiteral("MainWindow/Preview");

} // namespace

CMainFrame::CMainFrame(CVoxlanView* view) : view_(view) {
    setCentralWidget(view_);
    CreateMenus();
    CreateStatusBar();
    Retranslate();
    RestoreLayout();
}

QAction* CMainFrame::AddAction(QMenu* menu, const char* text) {
    QAction* action = menu->addAction(QString());
    translatedActions_.emplace_back(action, text);
    return action;
}

QMenu* CMainFrame::AddMenu(const char* title) {
    QMenu* menu = menuBar()->addMenu(QString());
    translatedActions_.emplace_back(menu->menuAction(), title);
    return menu;
}

QAction* CMainFrame::AddViewCommand(QMenu* menu, const char* text, void (CVoxlanView::*command)()) {
    QAction* action = AddAction(menu, text);
    connect(action, &QAction::triggered, view_, command);
    return action;
}

void CMainFrame::CreateMenus() {
    QMenu* file = fileMenu_ = AddMenu(QT_TR_NOOP("&File"));
    // The text after the tab is the shortcut as the menu shows it.
    AddViewCommand(file, QT_TR_NOOP("&Open...\tCtrl+O"), &CVoxlanView::OnFileOpen)
        ->setShortcut(QKeySequence::Open);
    AddViewCommand(file, QT_TR_NOOP("&Clear file choice"), &CVoxlanView::OnClearFile);
    AddViewCommand(file, QT_TR_NOOP("Convert &several reports…"), &CVoxlanView::OnBatchConvert);
    file->addSeparator();
    AddViewCommand(file, QT_TR_NOOP("Show &database"), &CVoxlanView::OnDatabase);
    AddViewCommand(file, QT_TR_NOOP("&Personal stats"), &CVoxlanView::OnPersStat);
    AddViewCommand(file, QT_TR_NOOP("S&ettings"), &CVoxlanView::OnSettings);
    AddViewCommand(file, QT_TR_NOOP("E&quipment"), &CVoxlanView::OnEquipment);
    connect(AddAction(file, QT_TR_NOOP("A&tt - Orga")), &QAction::triggered, this,
            [this] { CAttOrgaDlg(this).exec(); });
    connect(AddAction(file, QT_TR_NOOP("F&leet movements")), &QAction::triggered, this,
            [this] { CFleetMovesDlg(this).exec(); });
    file->addSeparator();
    recentFilesEnd_ = file->addSeparator();
    connect(AddAction(file, QT_TR_NOOP("E&xit")), &QAction::triggered, this, &QWidget::close);
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::FillRecentFiles);
    FillRecentFiles();

    QMenu* show = AddMenu(QT_TR_NOOP("&View"));
    previewAction_ = AddAction(show, QT_TR_NOOP("Show &preview"));
    previewAction_->setCheckable(true);
    connect(previewAction_, &QAction::toggled, view_, &CVoxlanView::SetPreviewVisible);
    connect(previewAction_, &QAction::toggled, this,
            [](bool shown) { QSettings().setValue(kPreviewKey, shown); });

    // Usable once a conversion has made the texts to share.
    shareMenu_ = AddMenu(QT_TR_NOOP("&Share"));
    AddViewCommand(shareMenu_, QT_TR_NOOP("Copy as &BBCode"), &CVoxlanView::OnCopyBBCode);
    AddViewCommand(shareMenu_, QT_TR_NOOP("Copy for &Discord"), &CVoxlanView::OnCopyDiscord);
    AddViewCommand(shareMenu_, QT_TR_NOOP("Copy &title line"), &CVoxlanView::OnCopyTitle);
    AddViewCommand(shareMenu_, QT_TR_NOOP("Save as &JSON…"), &CVoxlanView::OnSaveJson);
    for (QAction* action : shareMenu_->actions())
        action->setEnabled(false);
    connect(view_, &CVoxlanView::ShareAvailable, this, [this](bool available) {
        for (QAction* action : shareMenu_->actions())
            action->setEnabled(available);
    });

    QMenu* statistics = AddMenu(QT_TR_NOOP("S&tatistics"));
    AddViewCommand(statistics, QT_TR_NOOP("&History…"), &CVoxlanView::OnTimeline);

    CreateLanguageMenu();

    QMenu* help = AddMenu(QT_TR_NOOP("&?"));
    AddViewCommand(help, QT_TR_NOOP("&Changelog"), &CVoxlanView::OnChangeLog);
    aboutAction_ = help->addAction(QString()); // named in Retranslate, with the program
}

// The menu's title is the same in every language, so a player who cannot
// read the language shown still finds it; each language is named in itself.
void CMainFrame::CreateLanguageMenu() {
    languageMenu_ = menuBar()->addMenu(QStringLiteral("Sprache / Language"));
    auto* choices = new QActionGroup(languageMenu_);
    const auto addChoice = [&](QAction* action, const QString& language) {
        action->setCheckable(true);
        action->setChecked(language == ChosenLanguage());
        choices->addAction(action);
        connect(action, &QAction::triggered, this, [language] { ChooseLanguage(language); });
    };
    systemLanguageAction_ = AddAction(languageMenu_, QT_TR_NOOP("System"));
    addChoice(systemLanguageAction_, QString());
    for (const QString& language : DesktopLanguages())
        addChoice(languageMenu_->addAction(LanguageName(language)), language);
    // A choice kept for a language no longer built in falls back to the system's.
    if (!choices->checkedAction())
        systemLanguageAction_->setChecked(true);
}

void CMainFrame::Retranslate() {
    for (const auto& [action, text] : translatedActions_)
        action->setText(tr(text));
    aboutAction_->setText(tr("&About %1…").arg(kProgramName));
    for (const auto& [label, text] : indicators_)
        label->setText(tr(text));
    if (statusBar()->currentMessage() == readyText_)
        statusBar()->showMessage(readyText_ = tr("Ready"));
    SetWithoutArchive(withoutArchive_);
}

void CMainFrame::SetWithoutArchive(bool withoutArchive) {
    withoutArchive_ = withoutArchive;
    const QString title = QStringLiteral("%1 v%2").arg(kProgramName, kProgramVersion);
    setWindowTitle(withoutArchive ? tr("%1 – without database").arg(title) : title);
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QMainWindow::changeEvent(event);
}

void CMainFrame::FillRecentFiles() {
    qDeleteAll(std::exchange(recentFileActions_, {}));
    const QStringList files = RecentFiles::List();
    for (int i = 0; i < files.size(); ++i) {
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(QDir::toNativeSeparators(files[i]));
        auto* action = new QAction(text, fileMenu_);
        connect(action, &QAction::triggered, this, [this, file = files[i]] { OpenRecentFile(file); });
        fileMenu_->insertAction(recentFilesEnd_, action);
        recentFileActions_ << action;
    }
    recentFilesEnd_->setVisible(!files.isEmpty());
}

void CMainFrame::OpenRecentFile(const QString& file) {
    if (!QFileInfo::exists(file)) {
        MessageBoxes::Inform(
            this, tr("The file %1 no longer exists; it is removed from the list of recently opened files.")
                      .arg(file));
        RecentFiles::Remove(file);
        FillRecentFiles();
        return;
    }
    view_->ChooseInputFile(file);
}

void CMainFrame::CreateStatusBar() {
    connect(view_, &CVoxlanView::StatusMessage, statusBar(),
            [this](const QString& text) { statusBar()->showMessage(text); });
    // Caps, num and scroll lock: the toolkit cannot read the lock states on
    // every platform, so the indicators stand greyed as in an idle frame.
    for (const char* indicator : {QT_TR_NOOP("CAP"), QT_TR_NOOP("NUM"), QT_TR_NOOP("SCRL")}) {
        auto* label = new QLabel(this);
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
        indicators_.emplace_back(label, indicator);
    }
}

void CMainFrame::RestoreLayout() {
    const QSettings settings;
    if (!restoreGeometry(settings.value(kGeometryKey).toByteArray()))
        resize(900, 700);
    view_->RestoreSplitterState(settings.value(kSplitterKey).toByteArray());
    const bool preview = settings.value(kPreviewKey, true).toBool();
    previewAction_->setChecked(preview);
    view_->SetPreviewVisible(preview);
}

void CMainFrame::SaveLayout() const {
    QSettings settings;
    settings.setValue(kGeometryKey, saveGeometry());
    settings.setValue(kSplitterKey, view_->SplitterState());
    settings.setValue(kPreviewKey, previewAction_->isChecked());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveLayout();
    QMainWindow::closeEvent(event);
}

} // namespace skarnwald
