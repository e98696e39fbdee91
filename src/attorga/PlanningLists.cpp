#include "attorga/PlanningLists.h"

#include "app/DisplayText.h"
#include "controls/ReportListCtrl.h"

#include <QPlainTextEdit>
#include <QTextCursor>

#include <array>

namespace skarnwald {

void SetPlanningPalette(CReportListCtrl& list) {
    static const std::array<QColor, CReportListCtrl::kPaletteSlots> palette{
        QColor(0, 0, 0),   QColor(128, 128, 128), QColor(255, 0, 0),    QColor(0, 0, 255),
        QColor(0, 128, 0), QColor(255, 255, 255), QColor(220, 220, 220)};
    for (int slot = 1; slot <= CReportListCtrl::kPaletteSlots; ++slot)
        list.SetPaletteColour(slot, palette[static_cast<std::size_t>(slot - 1)]);
}

void ShowRowCells(CReportListCtrl& list, QTreeWidgetItem& item, std::span<const std::string> cells,
                  int backgroundSlot) {
    for (int c = 0; c < static_cast<int>(cells.size()); ++c)
        list.SetItemText(&item, c, DisplayText(cells[static_cast<std::size_t>(c)]));
    list.SetItemBackground(&item, backgroundSlot);
}

void LimitPlainText(QPlainTextEdit& edit, int maxChars) {
    QObject::connect(&edit, &QPlainTextEdit::textChanged, &edit, [&edit, maxChars] {
        QTextCursor cursor(edit.document());
        cursor.movePosition(QTextCursor::End);
        if (cursor.position() <= maxChars)
            return;
        cursor.setPosition(maxChars, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    });
}

} // namespace skarnwald
