#include "app/CMainFrame.h"

#include "app/CVoxlanView.h"
#include "app/MessageBoxes.h"
#include "app/ProgramName.h"
#include "app/RecentFiles.h"
#include "app/attorga/CAttOrgaDlg.h"
#include "app/attorga/CFleetMovesDlg.h"

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
    RestoreLayout();
}

QAction* CMainFrame::AddViewCommand(QMenu* menu, const QString& text, void (CVoxlanView::*command)()) {
    QAction* action = menu->addAction(text);
    connect(action, &QAction::triggered, view_, command);
    return action;
}

void CMainFrame::CreateMenus() {
    QMenu* file = fileMenu_ = menuBar()->addMenu(QStringLiteral("&Datei"));
    // The text after the tab is the shortcut as the menu shows it.
    AddViewCommand(file, QStringLiteral("Ö&ffnen...\tStrg+O"), &CVoxlanView::OnFileOpen)
        ->setShortcut(QKeySequence::Open);
    AddViewCommand(file, QStringLiteral("Dateiauswahl &aufheben"), &CVoxlanView::OnClearFile);
    AddViewCommand(file, QStringLiteral("&Mehrere Berichte umwandeln…"), &CVoxlanView::OnBatchConvert);
    file->addSeparator();
    AddViewCommand(file, QStringLiteral("&Datenbank anzeigen"), &CVoxlanView::OnDatabase);
    AddViewCommand(file, QStringLiteral("&Persönliche Stats"), &CVoxlanView::OnPersStat);
    AddViewCommand(file, QStringLiteral("&Einstellungen"), &CVoxlanView::OnSettings);
    AddViewCommand(file, QStringLiteral("Aus&rüstung"), &CVoxlanView::OnEquipment);
    connect(file->addAction(QStringLiteral("A&tt - Orga")), &QAction::triggered, this,
            [this] { CAttOrgaDlg(this).exec(); });
    connect(file->addAction(QStringLiteral("F&lottenbewegungen")), &QAction::triggered, this,
            [this] { CFleetMovesDlg(this).exec(); });
    file->addSeparator();
    recentFilesEnd_ = file->addSeparator();
    connect(file->addAction(QStringLiteral("&Beenden")), &QAction::triggered, this, &QWidget::close);
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::FillRecentFiles);
    FillRecentFiles();

    QMenu* show = menuBar()->addMenu(QStringLiteral("&Ansicht"));
    previewAction_ = show->addAction(QStringLiteral("&Vorschau anzeigen"));
    previewAction_->setCheckable(true);
    connect(previewAction_, &QAction::toggled, view_, &CVoxlanView::SetPreviewVisible);
    connect(previewAction_, &QAction::toggled, this,
            [](bool shown) { QSettings().setValue(kPreviewKey, shown); });

    // Usable once a conversion has made the texts to share.
    shareMenu_ = menuBar()->addMenu(QStringLiteral("&Teilen"));
    AddViewCommand(shareMenu_, QStringLiteral("Als &BBCode kopieren"), &CVoxlanView::OnCopyBBCode);
    AddViewCommand(shareMenu_, QStringLiteral("Für &Discord kopieren"), &CVoxlanView::OnCopyDiscord);
    AddViewCommand(shareMenu_, QStringLiteral("&Titelzeile kopieren"), &CVoxlanView::OnCopyTitle);
    AddViewCommand(shareMenu_, QStringLiteral("Als &JSON speichern…"), &CVoxlanView::OnSaveJson);
    for (QAction* action : shareMenu_->actions())
        action->setEnabled(false);
    connect(view_, &CVoxlanView::ShareAvailable, this, [this](bool available) {
        for (QAction* action : shareMenu_->actions())
            action->setEnabled(available);
    });

    QMenu* statistics = menuBar()->addMenu(QStringLiteral("&Statistik"));
    AddViewCommand(statistics, QStringLiteral("&Verlauf…"), &CVoxlanView::OnTimeline);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&?"));
    AddViewCommand(help, QStringLiteral("&Changelog"), &CVoxlanView::OnChangeLog);
    aboutAction_ = help->addAction(QStringLiteral("Inf&o über %1…").arg(kProgramName));
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
        MessageBoxes::Inform(this, QStringLiteral("Die Datei %1 gibt es nicht mehr; sie wird aus der Liste "
                                                  "der zuletzt geöffneten Dateien entfernt.")
                                       .arg(file));
        RecentFiles::Remove(file);
        FillRecentFiles();
        return;
    }
    view_->ChooseInputFile(file);
}

void CMainFrame::CreateStatusBar() {
    statusBar()->showMessage(QStringLiteral("Bereit"));
    connect(view_, &CVoxlanView::StatusMessage, statusBar(),
            [this](const QString& text) { statusBar()->showMessage(text); });
    // Caps, num and scroll lock: the toolkit cannot read the lock states on
    // every platform, so the indicators stand greyed as in an idle frame.
    for (const char* indicator : {"UF", "NUM", "RF"}) {
        auto* label = new QLabel(QLatin1String(indicator), this);
        label->setEnabled(false);
        statusBar()->addPermanentWidget(label);
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
