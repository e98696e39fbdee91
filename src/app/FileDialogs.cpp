#include "app/FileDialogs.h"

#include <QFileDialog>

#include <optional>
#include <utility>

namespace skarnwald {
namespace {

std::optional<QString> scriptedName;

} // namespace

QString FileDialogs::OpenFileName(QWidget* parent, const QString& filter) {
    if (scriptedName)
        return *std::exchange(scriptedName, std::nullopt);
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
}

QString FileDialogs::SaveFileName(QWidget* parent, const QString& filter) {
    if (scriptedName)
        return *std::exchange(scriptedName, std::nullopt);
    return QFileDialog::getSaveFileName(parent, QString(), QString(), filter);
}

QString FileDialogs::FolderName(QWidget* parent) {
    if (scriptedName)
        return *std::exchange(scriptedName, std::nullopt);
    return QFileDialog::getExistingDirectory(parent);
}

void FileDialogs::SetNextFileName(const QString& name) {
    scriptedName = name;
}

} // namespace skarnwald
