#pragma once
// What the two planning dialogs share on screen: the lists' colour palette,
// filling a row from byte cells, and the paste field's length limit.

#include <span>
#include <string>

class QPlainTextEdit;
class QTreeWidgetItem;

namespace skarnwald {

class CReportListCtrl;

// Slots 1 black, 2 grey, 3 red, 4 blue, 5 green, 6 white, 7 light grey.
void SetPlanningPalette(CReportListCtrl& list);

// Writes the cells into the row and shades it in `backgroundSlot` (0: none).
void ShowRowCells(CReportListCtrl& list, QTreeWidgetItem& item, std::span<const std::string> cells,
                  int backgroundSlot);

// Cuts whatever is typed or pasted beyond `maxChars` characters.
void LimitPlainText(QPlainTextEdit& edit, int maxChars);

} // namespace skarnwald
