#include "app/CVoxlanView.h"

#include "app/BatchConvert.h"
#include "app/CChangeLogDlg.h"
#include "app/CVoxlanDoc.h"
#include "app/DisplayText.h"
#include "app/EquipmentPlugin.h"
#include "app/FileDialogs.h"
#include "app/PageBrowser.h"
#include "app/PageFiles.h"
#include "app/RecentFiles.h"
#include "app/db/CDatabaseDlg.h"
#include "app/db/CSettingsDlg.h"
#include "app/stats/CPersStatDlg.h"
#include "app/stats/CTimelineDlg.h"
#include "text/OperaJoin.h"
#include "text/ReportFiles.h"
#include "text/TextRules.h"
#include "ui_CVoxlanView.h"

#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMainWindow>
#include <QMimeData>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>

namespace skarnwald {
namespace {

// Reports pasted from elsewhere start with a line of their own, so a header
// at the very first byte does not count.
bool HoldsBattle(std::string_view text) {
    return Find(text, "Battle at") > 0;
}

std::string ClipboardBytes() {
    return CoreText(QGuiApplication::clipboard()->text());
}

// The preview lays out about 300 kB of page per second; larger pages (dozens
// of battles) would hold up the window, and the browser shows them anyway.
constexpr qint64 kPreviewLimit = 256 * 1024;

std::optional<QString> DroppedFile(const QMimeData& data) {
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            return url.toLocalFile();
    return std::nullopt;
}

QString ShownPath(const std::filesystem::path& file) {
    return QFile::decodeName(file.c_str());
}

} // namespace

QString CVoxlanView::NoFileChosenText() {
    return tr("- No file chosen -");
}

// What the share outputs leave out, as the line beside the share buttons says it.
QString CVoxlanView::HiddenPartsText(const Redaction& redaction) {
    QStringList parts;
    if (redaction.hideOwn)
        parts << tr("own fleets");
    if (redaction.hideNames)
        parts << tr("names");
    if (redaction.hideCoords)
        parts << tr("coordinates");
    return parts.isEmpty() ? tr("Nothing hidden") : tr("Hidden: %1").arg(parts.join(QStringLiteral(", ")));
}

CVoxlanView::CVoxlanView(CVoxlanDoc& document, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::CVoxlanView>()), document_(document) {
    ui->setupUi(this);
    clearFileAction_ = ui->fileEdit->addAction(style()->standardIcon(QStyle::SP_LineEditClearButton),
                                               QLineEdit::TrailingPosition);
    connect(clearFileAction_, &QAction::triggered, this, &CVoxlanView::OnClearFile);
    // Light text on a dark strip stays readable on the starfield; a long
    // text is cut rather than widening the window.
    ui->statusLabel->SetLooks(QColor(255, 236, 160), 14, true);
    ui->statusLabel->setAutoFillBackground(true);
    QPalette strip = ui->statusLabel->palette();
    strip.setColor(QPalette::Window, QColor(0, 0, 0, 170));
    ui->statusLabel->setPalette(strip);
    // A long text wraps onto a second line instead of being cut at the
    // window's edge; it never widens the window.
    ui->statusLabel->setWordWrap(true);
    ui->statusLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Minimum);
    ui->hiddenLabel->SetLooks(QColor(255, 236, 160), 12, false);
    // Wrapping keeps the line from widening a narrow window.
    ui->hiddenLabel->setWordWrap(true);
    progress_ = std::make_unique<ProgressBarAdapter>(*ui->progressBar);
    connect(ui->startButton, &QPushButton::clicked, this, &CVoxlanView::OnStart);
    connect(ui->openPageButton, &QPushButton::clicked, this, &CVoxlanView::OnOpenPage);
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Return, Qt::CTRL | Qt::Key_Enter})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, &CVoxlanView::OnStart);
    ui->splitter->setStretchFactor(0, 1);
    ui->splitter->setStretchFactor(1, 1);
    setAcceptDrops(true);
    // The report field takes dropped text itself; dropped files are inputs.
    ui->reportEdit->viewport()->installEventFilter(this);
    // Typing, pasting or dropping text makes the field the input.
    connect(ui->reportEdit, &QPlainTextEdit::textChanged, this, &CVoxlanView::TakeTypedText);
    connect(ui->bbcodeButton, &QPushButton::clicked, this, &CVoxlanView::OnCopyBBCode);
    connect(ui->discordButton, &QPushButton::clicked, this, &CVoxlanView::OnCopyDiscord);
    connect(ui->titleButton, &QPushButton::clicked, this, &CVoxlanView::OnCopyTitle);
    connect(ui->jsonButton, &QPushButton::clicked, this, &CVoxlanView::OnSaveJson);
    connect(ui->cardCopyButton, &QPushButton::clicked, this, &CVoxlanView::OnCopyCardImage);
    connect(ui->cardSaveButton, &QPushButton::clicked, this, &CVoxlanView::OnSaveCardImage);
    connect(this, &CVoxlanView::ShareAvailable, this, [this](bool available) {
        for (QPushButton* button : {ui->bbcodeButton, ui->discordButton, ui->titleButton, ui->jsonButton,
                                    ui->cardCopyButton, ui->cardSaveButton})
            button->setEnabled(available);
    });
    Retranslate();
}

CVoxlanView::~CVoxlanView() = default;

// The texts the form shows that are not only the .ui's own.
void CVoxlanView::Retranslate() {
    ui->retranslateUi(this);
    clearFileAction_->setToolTip(tr("Clear the file choice"));
    ui->startButton->SetLooks(style()->standardIcon(QStyle::SP_MediaPlay), tr("Start the conversion"));
    SetFileField(chosenFile_);
    ui->hiddenLabel->setText(HiddenPartsText(session_.Hiding()));
    SetProgressText(progressText_);
}

void CVoxlanView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange)
        Retranslate();
    QWidget::changeEvent(event);
}

void CVoxlanView::SetProgressText(ProgressText text) {
    progressText_ = text;
    switch (text) {
    case ProgressText::Percent:
        ui->progressBar->setFormat(QStringLiteral("%p%"));
        break;
    case ProgressText::NoBattle:
        ui->progressBar->setFormat(tr("No battle found"));
        break;
    case ProgressText::Done:
        ui->progressBar->setFormat(tr("Done"));
        break;
    case ProgressText::NotSaved:
        ui->progressBar->setFormat(tr("Not saved"));
        break;
    }
}

void CVoxlanView::OnInitialUpdate() {
    session_.Bind(document_.Connection());
    session_.SetProgress(progress_.get());
    ui->hiddenLabel->setText(HiddenPartsText(session_.Hiding()));
    ui->reportEdit->setFocus();
}

void CVoxlanView::OnStart() {
    ClearMessages();
    const std::string reportText = CoreText(ui->reportEdit->toPlainText());
    const bool fileChosen = HasChosenFile();
    if (!reportText.empty() && (!fileChosen || lastChoice_ == Choice::Field))
        Convert(tr("Text from the field"), reportText);
    else if (fileChosen)
        ConvertSelectedFile(chosenFile_);
    else if (std::string clipboardText = ClipboardBytes(); HoldsBattle(clipboardText))
        Convert(tr("Clipboard"), PrepareCopiedReport(std::move(clipboardText)));
    else
        emit StatusMessage(tr("Nothing converted: no report in the text field, no file chosen and no battle "
                              "report on the clipboard."));
}

void CVoxlanView::ConvertSelectedFile(const QString& inputFileName) {
    const std::filesystem::path input = ToPath(inputFileName);
    ReadResult read = ReadReportFile(input);
    if (!read.text) {
        ReportFileError(this, input, FileAccess::Read, read.error);
        return;
    }
    Convert(tr("File %1").arg(QFileInfo(inputFileName).fileName()),
            PrepareCopiedReport(std::move(*read.text)));
}

void CVoxlanView::Convert(const QString& source, std::string_view text) {
    SetProgressText(ProgressText::Percent);
    QElapsedTimer clock;
    clock.start();
    const std::size_t battles = session_.Convert(text);
    ShowTiming(clock.elapsed());
    if (battles == 0) {
        WithdrawShareOutputs();
        SetProgressText(ProgressText::NoBattle);
        emit StatusMessage(tr("%1: No battle found – no page written").arg(source));
        return;
    }
    // The share texts come from the same walk as the page.
    share_.Restart();
    emit ShareAvailable(true);
    batchPage_.reset();
    const QString converted =
        tr("%1: %n battle(s) converted", nullptr, static_cast<int>(battles)).arg(source);
    const std::optional<std::filesystem::path> target = PageTarget();
    if (!target || !SavePage(*target)) {
        ShowUnsavedPage();
        emit StatusMessage(tr("%1, no page written").arg(converted));
        return;
    }
    ShowWrittenPage(*target, tr("%1, page written: %2").arg(converted, ShownPath(*target)));
}

bool CVoxlanView::SavePage(const std::filesystem::path& target) {
    return WritePageFile(this, target, [this](std::ostream& file) {
        session_.WritePage(file);
        return true;
    });
}

// The folder of the setting "Seiten ohne Nachfrage speichern in", else the
// save dialog.
std::optional<std::filesystem::path> CVoxlanView::PageTarget() {
    if (const QString folder = AutoSaveFolder(); !folder.isEmpty() && QFileInfo(folder).isDir())
        return FreePageFile(ToPath(folder), session_.Last().fileName);
    return ChoosePageFile(this, QString::fromStdString(session_.Last().fileName));
}

void CVoxlanView::ShowWrittenPage(const std::filesystem::path& page, const QString& status) {
    lastPage_ = page;
    ui->openPageButton->setEnabled(true);
    ui->progressBar->setValue(ui->progressBar->maximum());
    SetProgressText(ProgressText::Done);
    emit StatusMessage(status);
    ShowPreview();
}

// The share outputs are those of the conversion just made, so the preview
// shows that conversion too, from memory; there is no page to open.
void CVoxlanView::ShowUnsavedPage() {
    lastPage_.reset();
    ui->openPageButton->setEnabled(false);
    SetProgressText(ProgressText::NotSaved);
    ShowPreview();
}

void CVoxlanView::ShowPreview() {
    if (!IsPreviewVisible())
        return;
    if (batchPage_)
        ShowPreviewOfFile(*batchPage_);
    else if (session_.HasPage())
        ShowPreviewOf(session_.Last().page);
}

void CVoxlanView::ShowPreviewOf(std::string_view page) {
    if (FitsPreview(static_cast<qint64>(page.size())))
        ui->previewBrowser->setHtml(DisplayText(page));
}

void CVoxlanView::ShowPreviewOfFile(const std::filesystem::path& file) {
    QFile page(ShownPath(file));
    if (!page.open(QIODevice::ReadOnly)) {
        ui->previewBrowser->setPlainText(
            tr("The page %1 cannot be read: %2").arg(page.fileName(), page.errorString()));
        return;
    }
    if (!FitsPreview(page.size()))
        return;
    const QByteArray bytes = page.readAll();
    ShowPreviewOf(std::string_view(bytes.constData(), bytes.size()));
}

bool CVoxlanView::FitsPreview(qint64 size) {
    if (size <= kPreviewLimit)
        return true;
    ui->previewBrowser->setPlainText(
        lastPage_ ? tr("The page is too large for the preview. “Open in browser” shows it.")
                  : tr("The page is too large for the preview."));
    return false;
}

void CVoxlanView::SetPreviewVisible(bool visible) {
    ui->previewBrowser->setVisible(visible);
    ShowPreview();
}

bool CVoxlanView::IsPreviewVisible() const {
    return !ui->previewBrowser->isHidden();
}

QByteArray CVoxlanView::SplitterState() const {
    return ui->splitter->saveState();
}

void CVoxlanView::RestoreSplitterState(const QByteArray& state) {
    ui->splitter->restoreState(state);
}

void CVoxlanView::OnOpenPage() {
    if (lastPage_)
        PageBrowser::Open(this, ShownPath(*lastPage_));
}

void CVoxlanView::OnBatchConvert() {
    ClearMessages();
    const std::optional<BatchOutcome> outcome = RunBatchConversion(this, session_);
    if (!outcome)
        return;
    // The batch's last page is what the preview shows next: texts of an
    // earlier conversion are no longer shown.
    WithdrawShareOutputs();
    const QString counts = outcome->summary.section(QLatin1Char('\n'), 0, 0);
    if (outcome->lastPage) {
        batchPage_ = outcome->lastPage;
        ShowWrittenPage(*outcome->lastPage,
                        tr("%1 Last written: %2").arg(counts, ShownPath(*outcome->lastPage)));
    } else {
        emit StatusMessage(counts);
    }
}

void CVoxlanView::ShowTiming(qint64 milliseconds) {
    QString status = tr("Conversion took %n millisecond(s)", nullptr, static_cast<int>(milliseconds));
    if (const int skipped = session_.SkippedBattles(); skipped > 0)
        status += QStringLiteral(" – ") + QString::fromStdString(SkippedBattlesNote(skipped));
    ui->statusLabel->setText(status);
}

void CVoxlanView::ClearMessages() {
    ui->statusLabel->clear();
    emit StatusMessage(QString());
}

void CVoxlanView::OnFileOpen() {
    const QString chosen = FileDialogs::OpenFileName(this, FileKind::Text);
    if (!chosen.isEmpty())
        ChooseInputFile(chosen);
}

void CVoxlanView::ChooseInputFile(const QString& file) {
    ClearMessages();
    SetFileField(file);
    lastChoice_ = Choice::File;
    RecentFiles::Add(file);
    emit StatusMessage(tr("Report file chosen: %1").arg(file));
}

void CVoxlanView::OnClearFile() {
    ClearMessages();
    SetFileField(QString());
    emit StatusMessage(tr("File choice cleared"));
}

bool CVoxlanView::HasChosenFile() const {
    return !chosenFile_.isEmpty();
}

// Text in the field takes over from a chosen file, and the file field says
// so; clearing the field leaves the chosen file.
void CVoxlanView::TakeTypedText() {
    if (ui->reportEdit->document()->isEmpty())
        return;
    lastChoice_ = Choice::Field;
    if (HasChosenFile()) {
        SetFileField(QString());
        emit StatusMessage(tr("Start converts the text in the field; file choice cleared"));
    }
}

void CVoxlanView::SetFileField(const QString& file) {
    chosenFile_ = file;
    ui->fileEdit->setText(HasChosenFile() ? file : NoFileChosenText());
    clearFileAction_->setVisible(HasChosenFile());
}

void CVoxlanView::OnDatabase() {
    ClearMessages();
    CDatabaseDlg dialog(document_.Connection(), this);
    dialog.exec();
}

void CVoxlanView::OnTimeline() {
    ClearMessages();
    CTimelineDlg dialog(document_.Connection(), this);
    dialog.exec();
}

void CVoxlanView::OnPersStat() {
    ClearMessages();
    CPersStatDlg dialog(document_.Connection(), this);
    dialog.exec();
}

void CVoxlanView::OnSettings() {
    ClearMessages();
    CSettingsDlg dialog(document_.Connection(), this);
    const StoringSettings& settings = session_.Storing();
    dialog.SetValues(settings.storeInDb, settings.personalStats, session_.OwnCoords());
    dialog.SetRedaction(session_.Hiding());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const Redaction redaction = dialog.RedactionSwitches();
    const std::string ownCoords = dialog.OwnCoords().value_or(session_.OwnCoords());
    const bool withdrawn =
        session_.ChangeSettings({dialog.StoreSwitch(), dialog.StatsSwitch(), ownCoords}, redaction);
    ui->hiddenLabel->setText(HiddenPartsText(redaction));
    if (withdrawn) {
        emit ShareAvailable(false);
        emit StatusMessage(tr("Hiding or own coordinates changed: sharing again only after the next "
                              "conversion (Start)"));
    }
}

void CVoxlanView::WithdrawShareOutputs() {
    session_.WithdrawShareTexts();
    emit ShareAvailable(false);
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
        ShowShareStatus(
            share_.SaveJson(this, QString::fromStdString(session_.PageFileStem()) + QStringLiteral(".json")));
}

void CVoxlanView::OnCopyCardImage() {
    if (share_.HasOutputs())
        ShowShareStatus(share_.CopyCardImage());
}

void CVoxlanView::OnSaveCardImage() {
    if (share_.HasOutputs())
        ShowShareStatus(share_.SaveCardImage(this, QString::fromStdString(session_.PageFileStem()) +
                                                       QStringLiteral(".png")));
}

void CVoxlanView::OnChangeLog() {
    CChangeLogDlg dialog(this);
    dialog.exec();
}

void CVoxlanView::OnEquipment() {
    CallEquipmentPlugin(this);
}

void CVoxlanView::paintEvent(QPaintEvent*) {
    // A weltall7.bmp in the working folder still replaces the built-in picture,
    // as it did when the picture was only ever read from there.
    static const QImage builtIn(QStringLiteral(":/weltall7.bmp"));
    const QImage chosen(QStringLiteral("weltall7.bmp"));
    QPainter(this).drawImage(0, 0, chosen.isNull() ? builtIn : chosen);
}

bool CVoxlanView::TakeDrop(const QMimeData& data) {
    if (const std::optional<QString> file = DroppedFile(data)) {
        ChooseInputFile(*file);
        return true;
    }
    if (!data.hasText())
        return false;
    ui->reportEdit->setPlainText(data.text());
    return true;
}

void CVoxlanView::dragEnterEvent(QDragEnterEvent* event) {
    if (DroppedFile(*event->mimeData()) || event->mimeData()->hasText())
        event->acceptProposedAction();
}

void CVoxlanView::dropEvent(QDropEvent* event) {
    if (TakeDrop(*event->mimeData()))
        event->acceptProposedAction();
}

bool CVoxlanView::eventFilter(QObject* watched, QEvent* event) {
    const bool dragOrDrop = event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                            event->type() == QEvent::Drop;
    if (watched != ui->reportEdit->viewport() || !dragOrDrop)
        return QWidget::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    if (!DroppedFile(*drop->mimeData()))
        return false; // text: the field inserts it where it was dropped
    drop->acceptProposedAction();
    if (event->type() == QEvent::Drop)
        TakeDrop(*drop->mimeData());
    return true;
}

} // namespace skarnwald
