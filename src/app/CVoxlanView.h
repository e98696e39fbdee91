#pragma once
// The main form: file field, report field beside the preview of the last
// page, Start button, progress bar and status label. It owns the converter
// and hands it the database and the progress bar, and it runs every program
// command. Start converts the input the user chose last: the chosen file or
// the text of the report field, and the clipboard only when both are empty.

#include "app/GuiServices.h"
#include "app/PageFiles.h"
#include "app/ShareActions.h"
#include "archive/BattleDatabase.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"
#include "writers/PageFileName.h"

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

    // Binds the database and reads the settings into the converter.
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

    const CReportConverter& Converter() const { return converter_; }
    const StoringSettings& Storing() const { return storing_.Settings(); }

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
    std::optional<std::filesystem::path> PageTarget();
    void ShowTiming(qint64 milliseconds);
    // Every command starts by clearing what the last one said.
    void ClearMessages();
    // `status`, which names the page, goes to the status bar.
    void ShowWrittenPage(const std::filesystem::path& page, const QString& status);
    void ShowPreview();
    void ShowPreviewOf(std::string_view page);
    // A conversion whose page was not saved: the preview and the share
    // outputs show it all the same.
    void ShowUnsavedPage(std::string page);
    // Until the next conversion nothing can be shared.
    void WithdrawShareOutputs();
    void TakeTypedText();
    // Makes `file` the chosen one (none when empty) and shows it.
    void SetFileField(const QString& file);
    bool TakeDrop(const QMimeData& data);
    void ShowShareStatus(const QString& text);

    std::unique_ptr<Ui::CVoxlanView> ui;
    CVoxlanDoc& document_;
    CBattleDatabase database_;
    CStoringWriter storing_{database_};
    CReportConverter converter_;
    std::unique_ptr<ProgressBarAdapter> progress_;
    CFirstBattleWriter firstBattle_;
    Choice lastChoice_ = Choice::Field;
    QString chosenFile_;
    ProgressText progressText_ = ProgressText::Percent;
    QAction* clearFileAction_ = nullptr;
    std::optional<std::filesystem::path> lastPage_;
    // The page of the conversion shown when it was not saved.
    std::string unsavedPage_;
    CShareActions share_{converter_};
};

} // namespace skarnwald
