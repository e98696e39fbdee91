#pragma once
// The open, save and folder dialogs of the desktop program. Each kind of file
// (the title of its filter, "JSON-Datei" of "JSON-Datei (*.json)") and each
// kind of folder starts in the folder last chosen for it, kept in the profile.
// Tests script the next dialog's outcome with SetNextFileName (or
// SetNextFileNames for the dialog that picks several files); a null name or an
// empty list stands for Cancel; LastSuggestion tells what the last save or
// folder dialog offered.

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
    // Asks before an existing file is overwritten. `suggested` is offered
    // first: a bare name in the folder last used for this kind of file, and
    // never the name of a file already there ("name-2.json" then). Without a
    // suggestion the filter's title is the name ("Angriffsplan.json").
    static QString SaveFileName(QWidget* parent, const QString& filter, const QString& suggested = {});
    // An existing folder, or a null string when the user cancelled; `purpose`
    // names the kind of folder whose last choice the dialog starts in.
    static QString FolderName(QWidget* parent, const QString& purpose);

    static void SetNextFileName(const QString& name);
    static void SetNextFileNames(const QStringList& names);
    static QString LastSuggestion();
};

} // namespace skarnwald
