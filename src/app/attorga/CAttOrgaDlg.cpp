#include "app/attorga/CAttOrgaDlg.h"

#include "app/DisplayText.h"
#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "app/attorga/CFleetEditDlg.h"
#include "app/attorga/PlanningLists.h"
#include "convert/ReportFiles.h"

#include "ui_CAttOrgaDlg.h"

#include <QEvent>
#include <QFile>
#include <QHeaderView>
#include <QMenuBar>
#include <QSignalBlocker>

namespace skarnwald {

namespace {

constexpr int kPasteLimit = 100000;

void ShowCells(CReportListCtrl& list, QTreeWidgetItem& item, const PlanRow& row) {
    ShowRowCells(list, item, row.cells, row.backgroundSlot);
    if (const QColor text = list.PaletteColour(row.textSlot); text.isValid())
        item.setForeground(kColName, text); // only the first cell is coloured
}

void AddItem(CReportListCtrl& list, const PlanRow& row, QTreeWidgetItem* parent) {
    QTreeWidgetItem* item = list.InsertItem(QString(), kNoSlot, parent);
    ShowCells(list, *item, row);
    for (const PlanRow& child : row.children)
        AddItem(list, child, item);
    item->setExpanded(row.expanded);
}

QStringList ClassTexts(const PlanRow& row) {
    QStringList classes;
    for (std::size_t c = kColFirstClass; c <= kColLastClass; ++c)
        classes.append(DisplayText(row.cells[c]));
    return classes;
}

} // namespace

CAttOrgaDlg::CAttOrgaDlg(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::CAttOrgaDlg>()) {
    ui->setupUi(this);
    AddMenus();
    SetUpTable();
    LimitPlainText(*ui->pasteEdit, kPasteLimit);
    connect(ui->importOutgoingsButton, &QPushButton::clicked, this, &CAttOrgaDlg::ImportPastedOutgoings);
    connect(ui->computeSumsButton, &QPushButton::clicked, this, &CAttOrgaDlg::ComputeSums);
    // A double-click anywhere in the list, below the rows too, edits the selected row.
    ui->planTable->viewport()->installEventFilter(this);
    connect(ui->planTable, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { RememberExpansion(item, true); });
    connect(ui->planTable, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { RememberExpansion(item, false); });
}

CAttOrgaDlg::~CAttOrgaDlg() = default;

bool CAttOrgaDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ui->planTable->viewport() || event->type() != QEvent::MouseButtonDblClick)
        return QDialog::eventFilter(watched, event);
    EditSelectedRow();
    return true;
}

void CAttOrgaDlg::SetUpTable() {
    CReportListCtrl& table = *ui->planTable;
    table.SetStandardPalette();
    table.header()->setMinimumSectionSize(1); // the marker columns are 5 pixels wide
    table.SetColumns({{tr("Ziel"), 80},
                      {tr("ETA"), 40},
                      {tr("Sh"), 50},
                      {tr("Fi"), 50},
                      {tr("Fr"), 50},
                      {tr("Co"), 50},
                      {tr("Sc"), 50},
                      {tr("Bs"), 50},
                      {tr("Do"), 50},
                      {tr("Summe"), 60},
                      {tr("IstSumme?"), 5},
                      {tr("ATTDEFF"), 5}});
    for (int c = 0; c < table.columnCount(); ++c)
        table.headerItem()->setTextAlignment(c, Qt::AlignCenter);
}

void CAttOrgaDlg::AddMenus() {
    auto* menus = new QMenuBar(this);
    QMenu* outgoings = menus->addMenu(tr("Outgoings"));
    connect(outgoings->addAction(tr("Aus Txt-Datei laden")), &QAction::triggered, this,
            &CAttOrgaDlg::ChooseOutgoingsFile);
    // No unit-scan format is defined yet.
    menus->addMenu(tr("Unitscans"))->addAction(tr("Aus Txt-Datei laden"))->setEnabled(false);
    layout()->setMenuBar(menus);
}

void CAttOrgaDlg::ChooseOutgoingsFile() {
    const QString path = FileDialogs::OpenFileName(this, tr("Textdateien (*.txt)"));
    if (!path.isEmpty())
        LoadOutgoingsFile(path);
}

void CAttOrgaDlg::LoadOutgoingsFile(const QString& path) {
    const ReadResult read = ReadReportFile(QFile::encodeName(path).toStdString());
    if (!read.text) {
        MessageBoxes::Inform(
            this,
            tr("Die Datei \"%1\" konnte nicht geöffnet werden (%2).").arg(path, DisplayText(read.error)));
        return;
    }
    Import(*read.text);
}

void CAttOrgaDlg::ImportPastedOutgoings() {
    Import(CoreText(ui->pasteEdit->toPlainText()));
}

void CAttOrgaDlg::Import(std::string_view text) {
    plan.importOutgoings(text);
    ui->pasteEdit->clear();
    ShowPlan();
}

void CAttOrgaDlg::ComputeSums() {
    plan.computeSums();
    ShowPlan();
}

void CAttOrgaDlg::EditSelectedRow() {
    const QList<QTreeWidgetItem*> selected = ui->planTable->selectedItems();
    if (selected.isEmpty())
        return;
    QTreeWidgetItem& item = *selected.front();
    PlanRow& row = RowOf(&item);
    CFleetEditDlg edit(this);
    edit.SetClasses(ClassTexts(row));
    if (edit.exec() != QDialog::Accepted)
        return;
    const QStringList classes = edit.Classes();
    for (std::size_t k = 0; k < kClassColumnCount; ++k)
        row.cells[kColFirstClass + k] = CoreText(classes.value(static_cast<qsizetype>(k)));
    ShowCells(*ui->planTable, item, row);
}

void CAttOrgaDlg::ShowPlan() {
    const QSignalBlocker quiet(ui->planTable);
    ui->planTable->clear();
    for (const PlanRow& row : plan.planTable)
        AddItem(*ui->planTable, row, nullptr);
}

void CAttOrgaDlg::RememberExpansion(QTreeWidgetItem* item, bool expanded) {
    RowOf(item).expanded = expanded;
}

PlanRow& CAttOrgaDlg::RowOf(QTreeWidgetItem* item) {
    std::vector<int> path;
    for (; item->parent() != nullptr; item = item->parent())
        path.push_back(item->parent()->indexOfChild(item));
    PlanRow* row = &plan.planTable.at(static_cast<std::size_t>(ui->planTable->indexOfTopLevelItem(item)));
    for (auto step = path.rbegin(); step != path.rend(); ++step)
        row = &row->children.at(static_cast<std::size_t>(*step));
    return *row;
}

} // namespace skarnwald
