#pragma once
// The open and save dialogs of the desktop program. Tests script the next
// dialog's outcome with SetNextFileName; a null name stands for Cancel.

#include <QString>

class QWidget;

namespace skarnwald {

class FileDialogs {
public:
    // The chosen path, or a null string when the user cancelled.
    static QString OpenFileName(QWidget* parent, const QString& filter);
    // Asks before an existing file is overwritten.
    static QString SaveFileName(QWidget* parent, const QString& filter);
    // An existing folder, or a null string when the user cancelled.
    static QString FolderName(QWidget* parent);

    static void SetNextFileName(const QString& name);
};

} // namespace skarnwald
