#include "WebArchive.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <sqlite3.h>

namespace skarnwald::web {

namespace {

// SQLite's page cache, the only part of the archive in memory: enough for the
// list of ten thousand battles and for storing a large report without
// writing its pages out twice.
constexpr const char* kCacheSize = "PRAGMA cache_size = -8192";

// Keeps every database error until the page asks for them.
class CollectedErrors final : public IDbErrorReporter {
public:
    void ReportDbError(std::string_view message) override {
        if (!text.empty())
            text += '\n';
        text += message;
    }
    std::string text;
};

CollectedErrors& Errors() {
    static CollectedErrors errors;
    return errors;
}

ConnectionPtr& OpenConnection() {
    static ConnectionPtr connection;
    return connection;
}

// A transaction in which the browser refused room for a write is rolled back
// whole rather than committed with what did fit: a conversion is stored
// entirely or not at all.
int RefuseCommitWithoutRoom(void*) {
    const int refuse = OpfsRoomRefusedInTransaction();
    OpfsForgetTransaction();
    return refuse;
}

void ForgetRolledBack(void*) {
    OpfsForgetTransaction();
}

} // namespace

std::string OpenArchive() {
    CloseArchive();
    // Only this program writes the file, under SQLite's journal, and it was
    // checked whole when it came in: reading all of it again at every start
    // would hold the list up for seconds.
    OpenResult opened = CConnection::Open(OpfsPath(kArchiveName), OpenCheck::SchemaOnly);
    if (!opened.connection)
        return opened.error;
    sqlite3* db = opened.connection->Handle();
    sqlite3_exec(db, kCacheSize, nullptr, nullptr, nullptr);
    sqlite3_commit_hook(db, RefuseCommitWithoutRoom, nullptr);
    sqlite3_rollback_hook(db, ForgetRolledBack, nullptr);
    opened.connection->SetErrorReporter(&Errors());
    OpenConnection() = std::move(opened.connection);
    return {};
}

void CloseArchive() {
    OpenConnection().reset();
}

const ConnectionPtr& Archive() {
    return OpenConnection();
}

std::string TakeArchiveErrors() {
    return std::exchange(Errors().text, {});
}

} // namespace skarnwald::web

namespace {

namespace web = skarnwald::web;

// {archive, chosen, takenIn, selection}: the names the worker opens the files under.
emscripten::val ArchiveFileNames() {
    emscripten::val names = emscripten::val::object();
    names.set("archive", std::string(web::kArchiveName));
    names.set("chosen", std::string(web::kChosenName));
    names.set("takenIn", std::string(web::kTakenInName));
    names.set("selection", std::string(web::kSelectionName));
    return names;
}

double RoomRefusals() {
    return OpfsRoomRefusals();
}

} // namespace

EMSCRIPTEN_BINDINGS(archive_file) {
    emscripten::function("openArchive", &web::OpenArchive);
    emscripten::function("closeArchive", &web::CloseArchive);
    emscripten::function("archiveErrors", &web::TakeArchiveErrors);
    emscripten::function("archiveFileNames", &ArchiveFileNames);
    emscripten::function("roomRefusals", &RoomRefusals);
}
