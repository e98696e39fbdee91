#include "app/CVoxlanView.h"

#include "app/CChangeLogDlg.h"
#include "app/CVoxlanDoc.h"
#include "app/DisplayText.h"
#include "app/EquipmentPlugin.h"
#include "app/FileDialogs.h"
#include "app/PageFiles.h"
#include "app/db/CDatabaseDlg.h"
#include "app/db/CSettingsDlg.h"
#include "app/stats/CPersStatDlg.h"
#include "app/stats/CTimelineDlg.h"
#include "convert/OperaJoin.h"
#include "convert/ReportFiles.h"
#include "convert/TextRules.h"
#include "db/SettingsStore.h"
#include "ui_CVoxlanView.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>

namespace skarnwald {
namespace {

bool IsChosenFile(const QString& inputFileName) {
    return !inputFileName.isEmpty() && inputFileName != kNoFileChosen;
}

// Reports pasted from elsewhere start with a line of their own, so a header
// at the very first byte does not count.
bool HoldsBattle(std::string_view text) {
    return Find(text, "Battle at") > 0;
}

std::string ClipboardBytes() {
    return CoreText(QGuiApplication::clipboard()->text());
}

} // namespace

CVoxlanView::CVoxlanView(CVoxlanDoc& document, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::CVoxlanView>()), document_(document) {
    ui->setupUi(this);
    ui->fileEdit->setText(kNoFileChosen);
    ui->startButton->SetLooks(style()->standardIcon(QStyle::SP_MediaPlay),
                              QStringLiteral("Starten der Umwandlung"));
    ui->statusLabel->SetLooks(QColor(0, 0, 255), 14, true);
    progress_ = std::make_unique<ProgressBarAdapter>(*ui->progressBar);
    connect(ui->startButton, &QPushButton::clicked, this, &CVoxlanView::OnStart);
    connect(ui->bbcodeButton, &QPushButton::clicked, this, &CVoxlanView::OnCopyBBCode);
    connect(ui->discordButton, &QPushButton::clicked, this, &CVoxlanView::OnCopyDiscord);
    connect(ui->titleButton, &QPushButton::clicked, this, &CVoxlanView::OnCopyTitle);
    connect(ui->jsonButton, &QPushButton::clicked, this, &CVoxlanView::OnSaveJson);
    connect(this, &CVoxlanView::ShareAvailable, this, [this](bool available) {
        for (QPushButton* button : {ui->bbcodeButton, ui->discordButton, ui->titleButton, ui->jsonButton})
            button->setEnabled(available);
    });
}

CVoxlanView::~CVoxlanView() = default;

void CVoxlanView::OnInitialUpdate() {
    database_.SetConnection(document_.Connection());
    converter_.SetStore(&database_);
    converter_.SetProgress(progress_.get());
    converter_.SetNotifier(&notifier_);
    converter_.storeInDb = database_.ReadStoreSetting();
    converter_.personalStats = database_.ReadPersStatSetting();
    converter_.ownCoords = database_.ReadOwnCoords();
    converter_.redaction = ReadRedaction(*document_.Connection());
}

void CVoxlanView::OnStart() {
    const std::string reportText = CoreText(ui->reportEdit->toPlainText());
    const QString inputFileName = ui->fileEdit->text();
    const bool fileChosen = IsChosenFile(inputFileName);
    if (!reportText.empty() && !fileChosen)
        ConvertTypedText(reportText);
    else if (reportText.empty() && fileChosen)
        ConvertSelectedFile(inputFileName);
    else if (std::string clipboardText = ClipboardBytes(); HoldsBattle(clipboardText))
        ConvertClipboard(std::move(clipboardText));
}

void CVoxlanView::ConvertTypedText(const std::string& reportText) {
    if (const auto target = ChoosePageFile(this))
        ConvertInto(*target, reportText);
}

void CVoxlanView::ConvertSelectedFile(const QString& inputFileName) {
    const auto target = ChoosePageFile(this);
    if (!target)
        return;
    const std::filesystem::path input = ToPath(inputFileName);
    ReadResult read = ReadReportFile(input);
    if (!read.text) {
        ReportFileError(this, input, FileAccess::Read, read.error);
        return;
    }
    ConvertInto(*target, PrepareCopiedReport(std::move(*read.text)));
}

void CVoxlanView::ConvertClipboard(std::string text) {
    if (const auto target = ChoosePageFile(this))
        ConvertInto(*target, PrepareCopiedReport(std::move(text)));
}

void CVoxlanView::ConvertInto(const std::filesystem::path& target, std::string_view text) {
    const bool saved = WritePageFile(this, target, [&](std::ostream& out) {
        QElapsedTimer clock;
        clock.start();
        converter_.ConvertReport(text, out);
        ShowTiming(clock.elapsed());
        return true;
    });
    // The share texts come from the same walk as the page.
    share_.TakeOutputs();
    emit ShareAvailable(true);
    if (saved)
        notifier_.Show(this);
    else
        notifier_.Discard();
}

void CVoxlanView::ShowTiming(qint64 milliseconds) {
    QString status =
        QStringLiteral("Berechnung dauerte %1 Millisekunden").arg(static_cast<int>(milliseconds));
    if (const int skipped = database_.SkippedBattles(); skipped > 0)
        status += QStringLiteral(" – ") + QString::fromStdString(SkippedBattlesNote(skipped));
    ui->statusLabel->setText(status);
}

void CVoxlanView::OnFileOpen() {
    const QString chosen = FileDialogs::OpenFileName(this, QStringLiteral("Textdateien (*.txt)"));
    if (!chosen.isEmpty())
        ui->fileEdit->setText(chosen);
}

void CVoxlanView::OnDatabase() {
    CDatabaseDlg dialog(document_.Connection(), this);
    dialog.exec();
}

void CVoxlanView::OnTimeline() {
    CTimelineDlg dialog(document_.Connection(), this);
    dialog.exec();
}

void CVoxlanView::OnPersStat() {
    CPersStatDlg dialog(document_.Connection(), this);
    dialog.exec();
}

void CVoxlanView::OnSettings() {
    CSettingsDlg dialog(document_.Connection(), this);
    dialog.SetValues(converter_.storeInDb, converter_.personalStats, SplitOwnCoords(converter_.ownCoords));
    dialog.SetRedaction(converter_.redaction);
    dialog.exec();
    converter_.redaction = dialog.RedactionSwitches();
    // However the dialog was closed, what it shows is what the table holds.
    converter_.storeInDb = dialog.StoreSwitch();
    converter_.personalStats = dialog.StatsSwitch();
    converter_.ownCoords = JoinOwnCoords(dialog.CoordTexts());
}

void CVoxlanView::ShowShareStatus(const QString& text) {
    if (auto* frame = qobject_cast<QMainWindow*>(window()); frame && !text.isEmpty())
        frame->statusBar()->showMessage(text);
}

void CVoxlanView::OnCopyBBCode() {
    if (share_.HasOutputs())
        ShowShareStatus(share_.CopyBBCode());
}

void CVoxlanView::OnCopyDiscord() {
    if (share_.HasOutputs())
        ShowShareStatus(share_.CopyDiscord());
}

void CVoxlanView::OnCopyTitle() {
    if (share_.HasOutputs())
        ShowShareStatus(share_.CopyTitle());
}

void CVoxlanView::OnSaveJson() {
    if (share_.HasOutputs())
        ShowShareStatus(share_.SaveJson(this));
}

void CVoxlanView::OnChangeLog() {
    CChangeLogDlg dialog(this);
    dialog.exec();
}

void CVoxlanView::OnEquipment() {
    CallEquipmentPlugin(this);
}

void CVoxlanView::paintEvent(QPaintEvent*) {
    const QImage background(QStringLiteral("weltall7.bmp"));
    if (!background.isNull())
        QPainter(this).drawImage(0, 0, background);
}

} // namespace skarnwald
