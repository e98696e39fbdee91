#pragma once
// The open, save and folder dialogs of the desktop program. Each kind of file
// and each kind of folder starts in the folder last chosen for it, kept in the
// profile whatever the language.
// Tests script the next dialog's outcome with SetNextFileName (or
// SetNextFileNames for the dialog that picks several files); a null name or an
// empty list stands for Cancel; LastSuggestion tells what the last save or
// folder dialog offered.

#include <QString>
#include <QStringList>

class QWidget;

namespace skarnwald {

// What a dialog opens or saves; each kind has its filter.
enum class FileKind {
    Text,      // reports and outgoing-fleet lists
    TextOrAny, // reports, where any file may be one
    Page,      // HTML pages
    Json,      // a conversion as JSON
    Csv,       // a table of the archive
    Png,       // the history's charts
    Plan,      // an attack plan
};

class FileDialogs {
public:
    // The filter a dialog offers for `kind`, in the language spoken.
    static QString Filter(FileKind kind);
    // The chosen path, or a null string when the user cancelled.
    static QString OpenFileName(QWidget* parent, FileKind kind);
    // Several files at once; empty when the user cancelled.
    static QStringList OpenFileNames(QWidget* parent, FileKind kind);
    // Asks before an existing file is overwritten. `suggested` is offered
    // first: a bare name in the folder last used for this kind of file, and
    // never the name of a file already there ("name-2.json" then). Without a
    // suggestion the filter's title is the name ("Attack plan.json").
    static QString SaveFileName(QWidget* parent, FileKind kind, const QString& suggested = {});
    // An existing folder, or a null string when the user cancelled; `purpose`
    // names the kind of folder whose last choice the dialog starts in.
    static QString FolderName(QWidget* parent, const QString& purpose);

    static void SetNextFileName(const QString& name);
    static void SetNextFileNames(const QStringList& names);
    static QString LastSuggestion();
};

} // namespace skarnwald
