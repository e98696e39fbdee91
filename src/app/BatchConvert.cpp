#include "app/BatchConvert.h"

#include "app/DisplayText.h"
#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "app/PageFiles.h"
#include "writers/BatchConversion.h"

#include <QCoreApplication>
#include <QFile>
#include <QProgressDialog>

#include <vector>

namespace skarnwald {
namespace {

QString ShownName(const std::filesystem::path& file) {
    return QFile::decodeName(file.filename().c_str());
}

QString FailureText(const BatchItem& item) {
    if (item.failure == BatchFailure::NoBattle)
        return QStringLiteral("%1: %2.").arg(ShownName(item.input), DisplayText(item.reason));
    const bool read = item.failure == BatchFailure::Read;
    return QStringLiteral("%1: Die Datei %2 konnte nicht %3 werden (%4).")
        .arg(ShownName(item.input), QFile::decodeName((read ? item.input : item.page).c_str()),
             read ? QStringLiteral("gelesen") : QStringLiteral("geschrieben"), DisplayText(item.reason));
}

} // namespace

QString BatchSummary(const BatchResult& result, std::size_t requested) {
    QString text =
        QStringLiteral("%1 von %2 Berichten umgewandelt.").arg(result.ConvertedCount()).arg(requested);
    if (result.cancelled)
        text += QStringLiteral("\nAbgebrochen: %1 Berichte wurden nicht bearbeitet.")
                    .arg(requested - result.items.size());
    QStringList failures;
    for (const BatchItem& item : result.items)
        if (!item.Converted())
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
    const QString folder = FileDialogs::FolderName(parent, QStringLiteral("Seiten"));
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
    for (const BatchItem& item : result.items)
        if (item.Converted())
            outcome.lastPage = item.page;
    MessageBoxes::Inform(parent, outcome.summary);
    return outcome;
}

} // namespace skarnwald
