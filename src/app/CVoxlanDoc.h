#pragma once
// The document: owns the one connection to the battle database for the
// program's lifetime. Every other database user holds a counted reference.

#include "app/GuiServices.h"
#include "archive/Connection.h"

#include <QCoreApplication>

#include <filesystem>

namespace skarnwald {

inline const std::filesystem::path kDatabaseFile = "Data.dat";

class CVoxlanDoc {
    Q_DECLARE_TR_FUNCTIONS(CVoxlanDoc)

public:
    ~CVoxlanDoc();

    // Opens (or creates) the database; a file that cannot be used is told in
    // a message box and the document is not created (false). A file refused
    // only for foreign objects is offered to be taken over into a new
    // archive; declined, the program works without one.
    bool OnNewDocument(const std::filesystem::path& file = kDatabaseFile);

    const ConnectionPtr& Connection() const { return connection_; }
    // Nothing converted is kept: the archive lives in memory only.
    bool WithoutArchive() const { return withoutArchive_; }

private:
    OpenResult OfferToTakeOver(const std::filesystem::path& file, const std::string& refusal);

    DbErrorBox errorBox_;
    ConnectionPtr connection_;
    bool withoutArchive_ = false;
};

} // namespace skarnwald
