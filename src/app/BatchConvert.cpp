#include "app/BatchConvert.h"

#include "app/ConversionSession.h"
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
    const QString failure =
        read ? QCoreApplication::translate("BatchConvert", "%1: The file %2 could not be read (%3).")
             : QCoreApplication::translate("BatchConvert", "%1: The file %2 could not be written (%3).");
    return failure.arg(ShownName(item.input), QFile::decodeName((read ? item.input : item.page).c_str()),
                       DisplayText(item.reason));
}

} // namespace

QString BatchSummary(const BatchResult& result, std::size_t requested) {
    // Counts as plain variables: lupdate misses a translate() whose count is a cast.
    const int reports = static_cast<int>(requested);
    const int left = static_cast<int>(requested - result.items.size());
    QString text =
        QCoreApplication::translate("BatchConvert", "%1 of %n report(s) converted.", nullptr, reports)
            .arg(result.ConvertedCount());
    if (result.cancelled)
        text += QLatin1Char('\n') + QCoreApplication::translate("BatchConvert",
                                                                "Cancelled: %n report(s) were not processed.",
                                                                nullptr, left);
    QStringList failures;
    for (const BatchItem& item : result.items)
        if (!item.Converted())
            failures << FailureText(item);
    if (!failures.isEmpty())
        text += QStringLiteral("\n\n") + QCoreApplication::translate("BatchConvert", "Not converted:") +
                QLatin1Char('\n') + failures.join(QLatin1Char('\n'));
    return text;
}

std::optional<BatchOutcome> RunBatchConversion(QWidget* parent, CConversionSession& session) {
    const QStringList files = FileDialogs::OpenFileNames(parent, FileKind::TextOrAny);
    if (files.isEmpty())
        return std::nullopt;
    const QString folder = FileDialogs::FolderName(parent, QStringLiteral("Seiten"));
    if (folder.isEmpty())
        return std::nullopt;

    std::vector<std::filesystem::path> inputs;
    for (const QString& file : files)
        inputs.push_back(ToPath(file));
    QProgressDialog progress(QString(), QCoreApplication::translate("BatchConvert", "Cancel"), 0,
                             static_cast<int>(inputs.size()), parent);
    progress.setWindowTitle(QCoreApplication::translate("BatchConvert", "Convert several reports"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    const BatchResult result =
        session.ConvertFiles(inputs, ToPath(folder), [&](std::size_t index, const auto& input) {
            progress.setValue(static_cast<int>(index));
            progress.setLabelText(
                QCoreApplication::translate("BatchConvert", "Converting %1 …").arg(ShownName(input)));
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
