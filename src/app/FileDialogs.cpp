#include "app/FileDialogs.h"

#include "app/PageFiles.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>

#include <optional>
#include <utility>

namespace skarnwald {
namespace {

std::optional<QString> scriptedName;
std::optional<QStringList> scriptedNames;
QString lastSuggestion;

// "JSON-Datei" of "JSON-Datei (*.json)".
QString FilterTitle(const QString& filter) {
    return filter.section(QStringLiteral(" ("), 0, 0).trimmed();
}

// ".json" of "JSON-Datei (*.json)"; empty when the filter names no ending.
QString FilterEnding(const QString& filter) {
    const qsizetype star = filter.indexOf(QStringLiteral("*."));
    if (star < 0)
        return {};
    QString ending = filter.mid(star + 1);
    return ending.left(ending.indexOf(QRegularExpression(QStringLiteral("[ ;)]"))));
}

QString FolderKey(const QString& kind) {
    QString key = kind;
    key.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QStringLiteral("Folders/") + key;
}

QString LastFolder(const QString& kind) {
    const QString folder = QSettings().value(FolderKey(kind)).toString();
    return QFileInfo(folder).isDir() ? folder : QString();
}

void RememberFolder(const QString& kind, const QString& folder) {
    if (!folder.isEmpty())
        QSettings().setValue(FolderKey(kind), folder);
}

void RememberFolderOf(const QString& kind, const QString& file) {
    if (!file.isEmpty())
        RememberFolder(kind, QFileInfo(file).absolutePath());
}

// The scripted answer, else the dialog's.
template <typename Ask> QString Answer(Ask ask) {
    return scriptedName ? *std::exchange(scriptedName, std::nullopt) : ask();
}

// A bare name goes into the folder last used for its kind, a path keeps its
// folder; either way a file that is there already is never offered.
QString FreeName(const QString& offered, const QString& kind) {
    const QFileInfo path(offered);
    const QString folder = path.fileName() == offered ? LastFolder(kind) : path.path();
    return QFile::decodeName(
        FreePageFile(ToPath(folder), QFile::encodeName(path.fileName()).toStdString()).c_str());
}

} // namespace

QString FileDialogs::OpenFileName(QWidget* parent, const QString& filter) {
    const QString kind = FilterTitle(filter);
    QString chosen =
        Answer([&] { return QFileDialog::getOpenFileName(parent, QString(), LastFolder(kind), filter); });
    RememberFolderOf(kind, chosen);
    return chosen;
}

QStringList FileDialogs::OpenFileNames(QWidget* parent, const QString& filter) {
    const QString kind = FilterTitle(filter);
    QStringList chosen = scriptedNames
                             ? *std::exchange(scriptedNames, std::nullopt)
                             : QFileDialog::getOpenFileNames(parent, QString(), LastFolder(kind), filter);
    if (!chosen.isEmpty())
        RememberFolderOf(kind, chosen.front());
    return chosen;
}

QString FileDialogs::SaveFileName(QWidget* parent, const QString& filter, const QString& suggested) {
    const QString kind = FilterTitle(filter);
    const QString offered = FreeName(suggested.isEmpty() ? kind + FilterEnding(filter) : suggested, kind);
    lastSuggestion = offered;
    QString chosen = Answer([&] { return QFileDialog::getSaveFileName(parent, QString(), offered, filter); });
    RememberFolderOf(kind, chosen);
    return chosen;
}

QString FileDialogs::FolderName(QWidget* parent, const QString& purpose) {
    const QString start = LastFolder(purpose);
    lastSuggestion = start;
    QString chosen = Answer([&] { return QFileDialog::getExistingDirectory(parent, QString(), start); });
    RememberFolder(purpose, chosen);
    return chosen;
}

void FileDialogs::SetNextFileName(const QString& name) {
    scriptedName = name;
}

void FileDialogs::SetNextFileNames(const QStringList& names) {
    scriptedNames = names;
}

QString FileDialogs::LastSuggestion() {
    return lastSuggestion;
}

} // namespace skarnwald
