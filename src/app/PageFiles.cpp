#include "app/PageFiles.h"

#include "app/DisplayText.h"
#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "text/ReportFiles.h"

#include <QFile>

namespace skarnwald {

std::filesystem::path ToPath(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

std::optional<std::filesystem::path> ChoosePageFile(QWidget* parent) {
    const QString chosen = FileDialogs::SaveFileName(parent, QStringLiteral("HTML-Datei (*.htm)"));
    if (chosen.isEmpty())
        return std::nullopt;
    return OutputFileName(ToPath(chosen).string());
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
    const QString verb =
        access == FileAccess::Read ? QStringLiteral("gelesen") : QStringLiteral("geschrieben");
    MessageBoxes::Inform(parent, QStringLiteral("Die Datei %1 konnte nicht %2 werden:\n%3")
                                     .arg(QFile::decodeName(file.c_str()), verb, DisplayText(reason)));
}

} // namespace skarnwald
