#pragma once
// The report list: a multi-column list whose rows may form a tree, with a
// palette of seven colour slots for row texts and backgrounds.
//
// Use:
//   CReportListCtrl list;
//   list.SetPaletteColour(5, QColor(0, 128, 0));          // slots 1..7
//   list.SetColumns({{"Battles", 560}, {"ID", 40}});       // heading, width in pixels
//   auto* row = list.InsertItem("text", 5);                // top-level row, text in slot 5
//   auto* child = list.InsertItem("child", 0, row);        // slot 0: the widget's own colour
//   list.SetItemText(child, 1, "42");                      // another column
//   list.SetItemBackground(child, 7);
//   connect(&list, &CReportListCtrl::ItemSelected, ...);   // a row became the selected one
//   connect(&list, &QTreeWidget::itemDoubleClicked, ...);  // Qt's own double-click signal
//   list.clear();                                          // removes every row
//
// Rows are appended after their last sibling; sorting, scrolling, expanding and
// the header are QTreeWidget's own.

#include <QColor>
#include <QItemSelection>
#include <QTreeWidget>

#include <array>

namespace skarnwald {

class CReportListCtrl : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int kPaletteSlots = 7;

    struct Column {
        QString heading;
        int width;
    };

    explicit CReportListCtrl(QWidget* parent = nullptr);

    // Slot 1..7; other slots are ignored.
    void SetPaletteColour(int slot, const QColor& colour);
    // The palette every list of the program uses: 1 black, 2 grey, 3 red,
    // 4 blue, 5 green, 6 white, 7 light grey.
    void SetStandardPalette();
    // The colour of a slot; invalid for slot 0 and for slots never set.
    QColor PaletteColour(int slot) const;

    void SetColumns(const QList<Column>& columns);

    // Appends a row under `parent` (the root when null); `textSlot` 0 keeps
    // the widget's default text colour.
    QTreeWidgetItem* InsertItem(const QString& text, int textSlot = 0, QTreeWidgetItem* parent = nullptr);
    void SetItemText(QTreeWidgetItem* item, int column, const QString& text);
    void SetItemTextColour(QTreeWidgetItem* item, int slot);
    void SetItemBackground(QTreeWidgetItem* item, int slot);

signals:
    // A row has become the current, selected one.
    void ItemSelected(QTreeWidgetItem* item);

private:
    void ReportSelection(const QItemSelection& selected);
    std::array<QColor, kPaletteSlots + 1> palette_;
};

} // namespace skarnwald
