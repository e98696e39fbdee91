#include "WebArchive.h"

#include <emscripten/bind.h>

namespace skarnwald::web {

namespace {

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

} // namespace

std::string OpenArchive() {
    CloseArchive();
    OpenResult opened = CConnection::Open(kArchiveFile);
    if (!opened.connection)
        return opened.error;
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

EMSCRIPTEN_BINDINGS(archive_file) {
    emscripten::function("openArchive", &skarnwald::web::OpenArchive);
    emscripten::function("closeArchive", &skarnwald::web::CloseArchive);
    emscripten::function("archiveErrors", &skarnwald::web::TakeArchiveErrors);
}
