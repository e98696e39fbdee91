#pragma once
// The name and version the desktop program shows in its title, its boxes and
// its About dialog, and under which it keeps its profile settings.

#include <QString>

namespace skarnwald {

inline const QString kProgramName = QStringLiteral("Skarnwald");
inline const QString kProgramVersion = QStringLiteral(SKARNWALD_VERSION);

} // namespace skarnwald
