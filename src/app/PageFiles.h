#pragma once
// Choosing and writing the HTML pages of the converter and of the database
// browser, and telling the user about files that cannot be read or written.

#include "reading/ReportWriter.h"

#include <QString>

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace skarnwald {

// "Kampf 11.7.8 2026-12-09.htm" (in German) of a battle's coordinates and its
// day ("2026-12-09"); a part that is empty or hidden ("?.?.?") is left out.
std::string PageName(std::string_view coords, std::string_view isoDay);

// Listens to a conversion for the name its page is offered under:
// "Kampf 11.7.8 2026-12-09.htm" from the first battle's coordinates and
// date. A part the header does not give (or the redaction hid) is left out.
class CPageNameWriter : public IReportWriter {
public:
    void BeginReport(const ReportStartEvent&) override;
    void Header(const HeaderEvent& header) override;
    const std::string& Name() const { return name_; }

private:
    bool named_ = false;
    std::string name_ = PageName({}, {});
};

// The save dialog for a page, offering `suggestedName` in the folder a page
// was last saved to. The name gets ".htm" unless it ends in "htm" or "html";
// nothing when the user cancels.
std::optional<std::filesystem::path> ChoosePageFile(QWidget* parent, const QString& suggestedName = {});

// The folder pages go to without a save dialog; empty when the dialog asks.
QString AutoSaveFolder();
void SetAutoSaveFolder(const QString& folder);
// `name` in `folder`, or "name-2.htm", "name-3.htm", ... when it is taken,
// so that saving without asking never replaces an earlier page.
std::filesystem::path FreePageFile(const std::filesystem::path& folder, const std::string& name);

// Writes the page through a temporary file that replaces `target` only when
// `write` succeeded and every byte reached the disk. A file that cannot be
// written is told in a message box. True when the page was saved.
bool WritePageFile(QWidget* parent, const std::filesystem::path& target,
                   const std::function<bool(std::ostream&)>& write);

enum class FileAccess { Read, Write };
void ReportFileError(QWidget* parent, const std::filesystem::path& file, FileAccess access,
                     std::string_view reason);

std::filesystem::path ToPath(const QString& name);

} // namespace skarnwald
