#include "app/PageFiles.h"

#include "app/DisplayText.h"
#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "text/ReportFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace skarnwald {
namespace {

const QString kLastFolderKey = QStringLiteral("Pages/LastFolder");
const QString kAutoSaveKey = QStringLiteral("Pages/AutoSaveFolder");

} // namespace

std::filesystem::path ToPath(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

std::optional<std::filesystem::path> ChoosePageFile(QWidget* parent, const QString& suggestedName) {
    const QString folder = QSettings().value(kLastFolderKey).toString();
    const QString suggested = folder.isEmpty() ? suggestedName : QDir(folder).filePath(suggestedName);
    const QString chosen = FileDialogs::SaveFileName(parent, FileKind::Page, suggested);
    if (chosen.isEmpty())
        return std::nullopt;
    QSettings().setValue(kLastFolderKey, QFileInfo(chosen).absolutePath());
    return OutputFileName(ToPath(chosen).string());
}

QString AutoSaveFolder() {
    return QSettings().value(kAutoSaveKey).toString();
}

void SetAutoSaveFolder(const QString& folder) {
    if (folder.isEmpty())
        QSettings().remove(kAutoSaveKey);
    else
        QSettings().setValue(kAutoSaveKey, folder);
}

std::filesystem::path FreePageFile(const std::filesystem::path& folder, const std::string& name) {
    const std::filesystem::path first = folder / name;
    std::filesystem::path page = first;
    for (int suffix = 2; std::filesystem::exists(page); ++suffix)
        page = folder / (first.stem().string() + "-" + std::to_string(suffix) + first.extension().string());
    return page;
}

bool WritePageFile(QWidget* parent, const std::filesystem::path& target,
                   const std::function<bool(std::ostream&)>& write) {
    const WriteOutcome outcome = WriteFileAtomically(target, write);
    if (!outcome.error.empty())
        ReportFileError(parent, target, FileAccess::Write, outcome.error);
    return outcome.written;
}

void ReportFileError(QWidget* parent, const std::filesystem::path& file, FileAccess access,
                     std::string_view reason) {
    const QString message =
        access == FileAccess::Read
            ? QCoreApplication::translate("PageFiles", "The file %1 could not be read:\n%2")
            : QCoreApplication::translate("PageFiles", "The file %1 could not be written:\n%2");
    MessageBoxes::Inform(parent, message.arg(QFile::decodeName(file.c_str()), DisplayText(reason)));
}

} // namespace skarnwald
