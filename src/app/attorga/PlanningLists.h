#pragma once
// What the two planning dialogs share on screen: filling a row from byte
// cells, and the paste field's length limit.

#include <span>
#include <string>

class QPlainTextEdit;
class QTreeWidgetItem;

namespace skarnwald {

class CReportListCtrl;

// Writes the cells into the row and shades it in `backgroundSlot` (0: none).
void ShowRowCells(CReportListCtrl& list, QTreeWidgetItem& item, std::span<const std::string> cells,
                  int backgroundSlot);

// Cuts whatever is typed or pasted beyond `maxChars` characters.
void LimitPlainText(QPlainTextEdit& edit, int maxChars);

} // namespace skarnwald
