#pragma once
// The Datei menu's list of the last four chosen report files, newest first,
// kept in the program's profile settings.

#include <QString>
#include <QStringList>

namespace skarnwald {

class RecentFiles {
public:
    static constexpr int kMaxEntries = 4;

    static QStringList List();
    // Puts `file` first; an entry already listed moves up instead of doubling.
    static void Add(const QString& file);
    static void Remove(const QString& file);
};

} // namespace skarnwald
