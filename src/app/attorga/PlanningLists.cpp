#include "app/attorga/PlanningLists.h"

#include "app/DisplayText.h"
#include "controls/ReportListCtrl.h"

#include <QPlainTextEdit>
#include <QTextCursor>

namespace skarnwald {

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
