#include "app/FileDialogs.h"

#include <QFileDialog>

#include <optional>
#include <utility>

namespace skarnwald {
namespace {

std::optional<QString> scriptedName;
std::optional<QStringList> scriptedNames;
QString lastSuggestion;

} // namespace

QString FileDialogs::OpenFileName(QWidget* parent, const QString& filter) {
    if (scriptedName)
        return *std::exchange(scriptedName, std::nullopt);
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QStringList FileDialogs::OpenFileNames(QWidget* parent, const QString& filter) {
    if (scriptedNames)
        return *std::exchange(scriptedNames, std::nullopt);
    return QFileDialog::getOpenFileNames(parent, QString(), QString(), filter);
}

QString FileDialogs::SaveFileName(QWidget* parent, const QString& filter, const QString& suggested) {
    lastSuggestion = suggested;
    if (scriptedName)
        return *std::exchange(scriptedName, std::nullopt);
    return QFileDialog::getSaveFileName(parent, QString(), suggested, filter);
}

QString FileDialogs::FolderName(QWidget* parent) {
    if (scriptedName)
        return *std::exchange(scriptedName, std::nullopt);
    return QFileDialog::getExistingDirectory(parent);
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
