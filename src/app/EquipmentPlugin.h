#pragma once
// The equipment plug-in: a separate library that shows its own window. The
// program only loads it, calls its one export and unloads it again.

#include <QString>

class QWidget;

namespace skarnwald {

inline const QString kEquipmentLibrary = QStringLiteral("Kelvora");
inline constexpr const char* kEquipmentExport = "?ShowKelvra@CKelvoraApp@@QAEXXZ";

// Loads `library` (a name in the platform's naming, or a path), calls the
// export and unloads; a missing library or export is told in a message box.
void CallEquipmentPlugin(QWidget* parent, const QString& library = kEquipmentLibrary);

} // namespace skarnwald
