#pragma once
// The main form: file field, report field beside the preview of the last
// page, Start button, progress bar and status label. It shows and asks and
// runs every program command; its conversion session converts, stores and
// keeps the last conversion. Start converts the input the user chose last:
// the chosen file or the text of the report field, and the clipboard only
// when both are empty.

#include "app/ConversionSession.h"
#include "app/GuiServices.h"
#include "app/PageFiles.h"
#include "app/ShareActions.h"

#include <QWidget>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class QMimeData;
namespace Ui {
class CVoxlanView;
}

namespace skarnwald {

class CVoxlanDoc;

class CVoxlanView : public QWidget {
    Q_OBJECT
public:
    explicit CVoxlanView(CVoxlanDoc& document, QWidget* parent = nullptr);
    ~CVoxlanView() override;

    // What the file field says while no file is chosen.
    static QString NoFileChosenText();

    // Binds the session to the database, which holds its settings.
    void OnInitialUpdate();

    void OnStart();
    void OnFileOpen();
    void OnClearFile();
    void OnBatchConvert();
    void OnOpenPage();
    void OnDatabase();
    void OnPersStat();
    void OnTimeline();
    void OnSettings();
    void OnChangeLog();
    void OnEquipment();

    // Makes `file` the input, as File → Open does, and lists it as recent.
    void ChooseInputFile(const QString& file);
    bool HasChosenFile() const;

    void SetPreviewVisible(bool visible);
    bool IsPreviewVisible() const;
    QByteArray SplitterState() const;
    void RestoreSplitterState(const QByteArray& state);

    // The share commands: texts of the last conversion.
    void OnCopyBBCode();
    void OnCopyDiscord();
    void OnCopyTitle();
    void OnSaveJson();
    void OnCopyCardImage();
    void OnSaveCardImage();

    const CConversionSession& Session() const { return session_; }

signals:
    // A line for the main window's status bar.
    void StatusMessage(const QString& text);
    // After every conversion: whether the share commands have texts.
    void ShareAvailable(bool available);

protected:
    // The background picture is read afresh at every repaint, so a replaced
    // file shows at once; nothing is drawn when it is missing.
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Which of the two inputs on the form the user chose last.
    enum class Choice { Field, File };
    // What the progress bar says about the last conversion.
    enum class ProgressText { Percent, NoBattle, Done, NotSaved };

    static QString HiddenPartsText(const Redaction& redaction);
    void Retranslate();
    void SetProgressText(ProgressText text);

    void ConvertSelectedFile(const QString& inputFileName);
    // Converts `text` into memory and saves the page when it holds a battle;
    // `source` names the input in the status bar.
    void Convert(const QString& source, std::string_view text);
    bool SavePage(const std::filesystem::path& target);
    std::optional<std::filesystem::path> PageTarget();
    void ShowTiming(qint64 milliseconds);
    // Every command starts by clearing what the last one said.
    void ClearMessages();
    // `status`, which names the page, goes to the status bar.
    void ShowWrittenPage(const std::filesystem::path& page, const QString& status);
    void ShowPreview();
    void ShowPreviewOf(std::string_view page);
    // A batch's last page, which only its file holds.
    void ShowPreviewOfFile(const std::filesystem::path& file);
    // False, with the preview saying so, when a page of `size` bytes would
    // hold up the window.
    bool FitsPreview(qint64 size);
    // A conversion whose page was not saved: the preview and the share
    // outputs show it all the same.
    void ShowUnsavedPage();
    // Until the next conversion nothing can be shared.
    void WithdrawShareOutputs();
    void TakeTypedText();
    // Makes `file` the chosen one (none when empty) and shows it.
    void SetFileField(const QString& file);
    bool TakeDrop(const QMimeData& data);
    void ShowShareStatus(const QString& text);

    std::unique_ptr<Ui::CVoxlanView> ui;
    CVoxlanDoc& document_;
    CConversionSession session_;
    std::unique_ptr<ProgressBarAdapter> progress_;
    Choice lastChoice_ = Choice::Field;
    QString chosenFile_;
    ProgressText progressText_ = ProgressText::Percent;
    QAction* clearFileAction_ = nullptr;
    // The page "Open in browser" opens; none when the last page was not saved.
    std::optional<std::filesystem::path> lastPage_;
    // Set after a batch: the preview shows its last page rather than the
    // session's last conversion.
    std::optional<std::filesystem::path> batchPage_;
    CShareActions share_{session_};
};

} // namespace skarnwald
