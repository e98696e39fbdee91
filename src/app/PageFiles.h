#pragma once
// Choosing and writing the HTML pages of the converter and of the database
// browser, and telling the user about files that cannot be read or written.

#include <QString>

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

class QWidget;

namespace skarnwald {

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
