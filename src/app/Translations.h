#pragma once
// The toolkit's own texts (standard buttons, file dialogs) in German, to match
// the program's German user interface whatever the system's language.

class QCoreApplication;

namespace skarnwald {

// Loads Qt's German translation once; false when it is not installed, and
// the standard texts then stay English.
bool InstallGermanTranslations(QCoreApplication& application);

} // namespace skarnwald
