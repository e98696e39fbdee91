#pragma once
// The main form: file field, report field beside the preview of the last
// page, Start button, progress bar and status label. It owns the converter
// and hands it the database, the progress bar and the end-of-conversion
// notice, and it runs every program command.

#include "app/GuiServices.h"
#include "app/ShareActions.h"
#include "archive/BattleDatabase.h"
#include "archive/StoringWriter.h"
#include "reading/ReportConverter.h"

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

inline const QString kNoFileChosen = QStringLiteral("- Keine Datei ausgewählt -");

class CVoxlanView : public QWidget {
    Q_OBJECT
public:
    explicit CVoxlanView(CVoxlanDoc& document, QWidget* parent = nullptr);
    ~CVoxlanView() override;

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

    // Makes `file` the input, as Datei → Öffnen does, and lists it as recent.
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

private:
    void ConvertTypedText(const std::string& reportText);
    void ConvertSelectedFile(const QString& inputFileName);
    void ConvertClipboard(std::string text);
    void ConvertInto(const std::filesystem::path& target, std::string_view text);
    void ShowTiming(qint64 milliseconds);
    void ShowWrittenPage(const std::filesystem::path& page, const QString& status);
    void ShowPreview();
    void SetFileField(const QString& text);
    bool TakeDrop(const QMimeData& data);
    void ShowShareStatus(const QString& text);

    std::unique_ptr<Ui::CVoxlanView> ui;
    CVoxlanDoc& document_;
    CBattleDatabase database_;
    CStoringWriter storing_{database_};
    CReportConverter converter_;
    std::unique_ptr<ProgressBarAdapter> progress_;
    DeferredNotifier notifier_;
    QAction* clearFileAction_ = nullptr;
    std::optional<std::filesystem::path> lastPage_;
    CShareActions share_{converter_};
};

} // namespace skarnwald
