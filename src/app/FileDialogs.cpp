#include "app/FileDialogs.h"

#include "app/PageFiles.h"

#include <QCoreApplication>
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

struct KindTexts {
    // Where the last folder is kept: the filter's German title, which named
    // it before the program spoke other languages, so profiles keep theirs.
    const char* folderKey;
    const char* filter;
};

KindTexts TextsOf(FileKind kind) {
    switch (kind) {
    case FileKind::Text:
        return {"Textdateien", QT_TRANSLATE_NOOP("FileDialogs", "Text files (*.txt)")};
    case FileKind::TextOrAny:
        return {"Textdateien", QT_TRANSLATE_NOOP("FileDialogs", "Text files (*.txt);;All files (*)")};
    case FileKind::Page:
        return {"HTML-Datei", QT_TRANSLATE_NOOP("FileDialogs", "HTML file (*.htm)")};
    case FileKind::Json:
        return {"JSON-Datei", QT_TRANSLATE_NOOP("FileDialogs", "JSON file (*.json)")};
    case FileKind::Csv:
        return {"CSV-Datei", QT_TRANSLATE_NOOP("FileDialogs", "CSV file (*.csv)")};
    case FileKind::Png:
        return {"PNG-Bild", QT_TRANSLATE_NOOP("FileDialogs", "PNG image (*.png)")};
    case FileKind::Plan:
        break;
    }
    return {"Angriffsplan", QT_TRANSLATE_NOOP("FileDialogs", "Attack plan (*.json)")};
}

QString KindKey(FileKind kind) {
    return QString::fromUtf8(TextsOf(kind).folderKey);
}

// "JSON file" of "JSON file (*.json)".
QString FilterTitle(const QString& filter) {
    return filter.section(QStringLiteral(" ("), 0, 0).trimmed();
}

// ".json" of "JSON file (*.json)"; empty when the filter names no ending.
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

QString FileDialogs::Filter(FileKind kind) {
    return QCoreApplication::translate("FileDialogs", TextsOf(kind).filter);
}

QString FileDialogs::OpenFileName(QWidget* parent, FileKind fileKind) {
    const QString kind = KindKey(fileKind);
    QString chosen = Answer(
        [&] { return QFileDialog::getOpenFileName(parent, QString(), LastFolder(kind), Filter(fileKind)); });
    RememberFolderOf(kind, chosen);
    return chosen;
}

QStringList FileDialogs::OpenFileNames(QWidget* parent, FileKind fileKind) {
    const QString kind = KindKey(fileKind);
    QStringList chosen =
        scriptedNames ? *std::exchange(scriptedNames, std::nullopt)
                      : QFileDialog::getOpenFileNames(parent, QString(), LastFolder(kind), Filter(fileKind));
    if (!chosen.isEmpty())
        RememberFolderOf(kind, chosen.front());
    return chosen;
}

QString FileDialogs::SaveFileName(QWidget* parent, FileKind fileKind, const QString& suggested) {
    const QString kind = KindKey(fileKind);
    const QString filter = Filter(fileKind);
    const QString offered =
        FreeName(suggested.isEmpty() ? FilterTitle(filter) + FilterEnding(filter) : suggested, kind);
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
