#include "controls/ReportListCtrl.h"

#include <QHeaderView>

namespace skarnwald {

CReportListCtrl::CReportListCtrl(QWidget* parent) : QTreeWidget(parent) {
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformRowHeights(true);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CReportListCtrl::ReportSelection);
}

void CReportListCtrl::SetPaletteColour(int slot, const QColor& colour) {
    if (slot >= 1 && slot <= kPaletteSlots)
        palette_[slot] = colour;
}

void CReportListCtrl::SetStandardPalette() {
    const std::array<QColor, kPaletteSlots> palette{
        Qt::black, QColor(128, 128, 128), QColor(255, 0, 0), QColor(0, 0, 255), QColor(0, 128, 0),
        Qt::white, QColor(220, 220, 220)};
    for (int slot = 1; slot <= kPaletteSlots; ++slot)
        SetPaletteColour(slot, palette[static_cast<std::size_t>(slot - 1)]);
}

QColor CReportListCtrl::PaletteColour(int slot) const {
    return slot >= 1 && slot <= kPaletteSlots ? palette_[slot] : QColor();
}

void CReportListCtrl::SetColumns(const QList<Column>& columns) {
    QStringList headings;
    for (const Column& column : columns)
        headings << column.heading;
    setColumnCount(headings.size());
    setHeaderLabels(headings);
    int index = 0;
    for (const Column& column : columns)
        setColumnWidth(index++, column.width);
}

QTreeWidgetItem* CReportListCtrl::InsertItem(const QString& text, int textSlot, QTreeWidgetItem* parent) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    SetItemTextColour(item, textSlot);
    return item;
}

void CReportListCtrl::SetItemText(QTreeWidgetItem* item, int column, const QString& text) {
    item->setText(column, text);
}

void CReportListCtrl::SetItemTextColour(QTreeWidgetItem* item, int slot) {
    const QColor colour = PaletteColour(slot);
    for (int column = 0; column < columnCount(); ++column)
        item->setForeground(column, colour.isValid() ? QBrush(colour) : QBrush());
}

void CReportListCtrl::SetItemBackground(QTreeWidgetItem* item, int slot) {
    const QColor colour = PaletteColour(slot);
    for (int column = 0; column < columnCount(); ++column)
        item->setBackground(column, colour.isValid() ? QBrush(colour) : QBrush());
}

void CReportListCtrl::ReportSelection(const QItemSelection& selected) {
    const QModelIndexList indexes = selected.indexes();
    if (!indexes.isEmpty())
        emit ItemSelected(itemFromIndex(indexes.first()));
}

} // namespace skarnwald
