#pragma once
// The open, save and folder dialogs of the desktop program. Tests script the
// next dialog's outcome with SetNextFileName (or SetNextFileNames for the
// dialog that picks several files); a null name or an empty list stands for
// Cancel; LastSuggestion tells which name the last save dialog offered.

#include <QString>
#include <QStringList>

class QWidget;

namespace skarnwald {

class FileDialogs {
public:
    // The chosen path, or a null string when the user cancelled.
    static QString OpenFileName(QWidget* parent, const QString& filter);
    // Several files at once; empty when the user cancelled.
    static QStringList OpenFileNames(QWidget* parent, const QString& filter);
    // Asks before an existing file is overwritten. `suggested` (a name, or a
    // path to start in) is what the dialog offers first.
    static QString SaveFileName(QWidget* parent, const QString& filter, const QString& suggested = {});
    // An existing folder, or a null string when the user cancelled.
    static QString FolderName(QWidget* parent);

    static void SetNextFileName(const QString& name);
    static void SetNextFileNames(const QStringList& names);
    static QString LastSuggestion();
};

} // namespace skarnwald
