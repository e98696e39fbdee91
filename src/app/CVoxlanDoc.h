#pragma once
// The document: owns the one connection to the battle database for the
// program's lifetime. Every other database user holds a counted reference.

#include "app/GuiServices.h"
#include "archive/Connection.h"

#include <filesystem>

namespace skarnwald {

inline const std::filesystem::path kDatabaseFile = "Data.dat";

class CVoxlanDoc {
public:
    ~CVoxlanDoc();

    // Opens (or creates) the database; a file that cannot be used is told in
    // a message box and the document is not created (false).
    bool OnNewDocument(const std::filesystem::path& file = kDatabaseFile);

    const ConnectionPtr& Connection() const { return connection_; }

private:
    DbErrorBox errorBox_;
    ConnectionPtr connection_;
};

} // namespace skarnwald
