#include "app/BatchConvert.h"

#include "app/DisplayText.h"
#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "app/PageFiles.h"
#include "writers/BatchConversion.h"

#include <QCoreApplication>
#include <QFile>
#include <QProgressDialog>

#include <algorithm>
#include <system_error>
#include <vector>

namespace skarnwald {
namespace {

QString ShownName(const std::filesystem::path& file) {
    return QFile::decodeName(file.filename().c_str());
}

// A file without a battle counts as failed, as a single conversion of it
// writes no page either.
bool WithoutBattle(const BatchItem& item) {
    return item.Converted() && item.battles == 0;
}

bool Succeeded(const BatchItem& item) {
    return item.Converted() && item.battles > 0;
}

QString FailureText(const BatchItem& item) {
    if (item.failure != BatchFailure::Read && item.failure != BatchFailure::Write)
        return QStringLiteral("%1: Kein Kampf gefunden.").arg(ShownName(item.input));
    const bool read = item.failure == BatchFailure::Read;
    return QStringLiteral("%1: Die Datei %2 konnte nicht %3 werden (%4).")
        .arg(ShownName(item.input), QFile::decodeName((read ? item.input : item.page).c_str()),
             read ? QStringLiteral("gelesen") : QStringLiteral("geschrieben"), DisplayText(item.reason));
}

} // namespace

QString BatchSummary(const BatchResult& result, std::size_t requested) {
    const auto converted = std::count_if(result.items.begin(), result.items.end(), Succeeded);
    QString text = QStringLiteral("%1 von %2 Berichten umgewandelt.").arg(converted).arg(requested);
    if (result.cancelled)
        text += QStringLiteral("\nAbgebrochen: %1 Berichte wurden nicht bearbeitet.")
                    .arg(requested - result.items.size());
    QStringList failures;
    for (const BatchItem& item : result.items)
        if (!Succeeded(item))
            failures << FailureText(item);
    if (!failures.isEmpty())
        text += QStringLiteral("\n\nNicht umgewandelt:\n") + failures.join(QLatin1Char('\n'));
    return text;
}

std::optional<BatchOutcome> RunBatchConversion(QWidget* parent, CReportConverter& converter) {
    const QStringList files =
        FileDialogs::OpenFileNames(parent, QStringLiteral("Textdateien (*.txt);;Alle Dateien (*)"));
    if (files.isEmpty())
        return std::nullopt;
    const QString folder = FileDialogs::FolderName(parent);
    if (folder.isEmpty())
        return std::nullopt;

    std::vector<std::filesystem::path> inputs;
    for (const QString& file : files)
        inputs.push_back(ToPath(file));
    QProgressDialog progress(QString(), QStringLiteral("Abbrechen"), 0, static_cast<int>(inputs.size()),
                             parent);
    progress.setWindowTitle(QStringLiteral("Mehrere Berichte umwandeln"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    const BatchResult result =
        ConvertReportFiles(converter, inputs, ToPath(folder), [&](std::size_t index, const auto& input) {
            progress.setValue(static_cast<int>(index));
            progress.setLabelText(QStringLiteral("Wandle %1 um …").arg(ShownName(input)));
            QCoreApplication::processEvents();
            return !progress.wasCanceled();
        });
    progress.setValue(progress.maximum());

    BatchOutcome outcome{BatchSummary(result, inputs.size()), std::nullopt};
    for (const BatchItem& item : result.items) {
        std::error_code ignored;
        if (WithoutBattle(item))
            std::filesystem::remove(item.page, ignored);
        else if (item.Converted())
            outcome.lastPage = item.page;
    }
    MessageBoxes::Inform(parent, outcome.summary);
    return outcome;
}

} // namespace skarnwald
