#include "app/attorga/CAttOrgaDlg.h"

#include "app/DisplayText.h"
#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "app/PageFiles.h"
#include "app/attorga/CFleetEditDlg.h"
#include "app/attorga/PlanningLists.h"
#include "planning/PlanFile.h"
#include "text/ReportFiles.h"

#include "ui_CAttOrgaDlg.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
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

std::vector<std::string> CoreTexts(const QStringList& texts) {
    std::vector<std::string> core;
    for (const QString& text : texts)
        core.push_back(CoreText(text));
    return core;
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
    // The list's context menu and keys: Enter (or F2) edits the selected row's
    // classes, Entf removes the selected fleet.
    AddRowAction(tr("Edit fleet"), {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F2},
                 &CAttOrgaDlg::EditSelectedRow);
    AddRowAction(tr("Remove fleet"), {QKeySequence::Delete}, &CAttOrgaDlg::RemoveSelectedFleet);
    ui->planTable->setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CAttOrgaDlg::AddRowAction(const QString& text, const QList<QKeySequence>& keys,
                               void (CAttOrgaDlg::*act)()) {
    auto* action = new QAction(text, ui->planTable);
    action->setShortcuts(keys);
    // Only while the list has the focus: Enter in the paste field stays a line break.
    action->setShortcutContext(Qt::WidgetShortcut);
    connect(action, &QAction::triggered, this, act);
    ui->planTable->addAction(action);
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
    // The last two columns are the hidden row markers, named for the code only.
    table.SetColumns({{tr("Target"), 80},
                      {tr("ETA"), 40},
                      {tr("Sh"), 50},
                      {tr("Fi"), 50},
                      {tr("Fr"), 50},
                      {tr("Co"), 50},
                      {tr("Sc"), 50},
                      {tr("Bs"), 50},
                      {tr("Do"), 50},
                      {tr("Sum"), 60},
                      {QStringLiteral("IstSumme?"), 5},
                      {QStringLiteral("ATTDEFF"), 5}});
    for (int c = 0; c < table.columnCount(); ++c)
        table.headerItem()->setTextAlignment(c, Qt::AlignCenter);
    // The row markers the sums rely on are no business of the user.
    table.setColumnHidden(kColIsSum, true);
    table.setColumnHidden(kColSide, true);
    FitColumns();
}

void CAttOrgaDlg::FitColumns() {
    for (int c = 0; c < ui->planTable->columnCount(); ++c)
        if (!ui->planTable->isColumnHidden(c))
            ui->planTable->resizeColumnToContents(c);
}

void CAttOrgaDlg::AddMenus() {
    auto* menus = new QMenuBar(this);
    QMenu* outgoings = menus->addMenu(tr("Outgoings"));
    connect(outgoings->addAction(tr("Load from text file")), &QAction::triggered, this,
            &CAttOrgaDlg::ChooseOutgoingsFile);
    // No unit-scan format is defined yet.
    menus->addMenu(tr("Unit scans"))->addAction(tr("Load from text file"))->setEnabled(false);
    QMenu* planMenu = menus->addMenu(tr("Plan"));
    QAction* save = planMenu->addAction(tr("Save plan…"), this, &CAttOrgaDlg::ChoosePlanFileToSave);
    save->setShortcut(QKeySequence::Save);
    planMenu->addAction(tr("Load plan…"), this, &CAttOrgaDlg::ChoosePlanFileToLoad);
    layout()->setMenuBar(menus);
}

void CAttOrgaDlg::ChoosePlanFileToSave() {
    QString path = FileDialogs::SaveFileName(this, FileKind::Plan);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".json");
    SavePlanFile(path);
}

bool CAttOrgaDlg::SavePlanFile(const QString& path) {
    const std::string text = SavePlanText(plan);
    const WriteOutcome outcome = WriteFileAtomically(ToPath(path), [&](std::ostream& out) {
        out << text;
        return true;
    });
    if (!outcome.written) {
        ReportFileError(this, ToPath(path), FileAccess::Write, outcome.error);
        return false;
    }
    unsaved_ = false;
    return true;
}

void CAttOrgaDlg::ChoosePlanFileToLoad() {
    if (!MayDiscardChanges(tr("The plan has unsaved changes. Load another one anyway?")))
        return;
    if (const QString path = FileDialogs::OpenFileName(this, FileKind::Plan); !path.isEmpty())
        LoadPlanFile(path);
}

bool CAttOrgaDlg::LoadPlanFile(const QString& path) {
    const ReadResult read = ReadReportFile(ToPath(path));
    if (!read.text) {
        ReportFileError(this, ToPath(path), FileAccess::Read, read.error);
        return false;
    }
    PlanLoadResult loaded = LoadPlanText(*read.text);
    if (!loaded.plan) {
        MessageBoxes::Inform(this,
                             tr("The file %1 could not be loaded:\n%2").arg(path, DisplayText(loaded.error)));
        return false;
    }
    plan = std::move(*loaded.plan);
    ShowPlan();
    unsaved_ = false;
    return true;
}

bool CAttOrgaDlg::MayDiscardChanges(const QString& question) {
    return !unsaved_ || MessageBoxes::AskYesNo(this, question);
}

void CAttOrgaDlg::reject() {
    if (MayDiscardChanges(tr("The plan has unsaved changes. Close without saving?")))
        QDialog::reject();
}

void CAttOrgaDlg::ChooseOutgoingsFile() {
    const QString path = FileDialogs::OpenFileName(this, FileKind::Text);
    if (!path.isEmpty())
        LoadOutgoingsFile(path);
}

void CAttOrgaDlg::LoadOutgoingsFile(const QString& path) {
    const ReadResult read = ReadReportFile(QFile::encodeName(path).toStdString());
    if (!read.text) {
        MessageBoxes::Inform(
            this, tr("The file \"%1\" could not be opened (%2).").arg(path, DisplayText(read.error)));
        return;
    }
    Import(*read.text);
}

void CAttOrgaDlg::ImportPastedOutgoings() {
    Import(CoreText(ui->pasteEdit->toPlainText()));
}

void CAttOrgaDlg::Import(std::string_view text) {
    const std::vector<std::string> refused = plan.importOutgoings(text);
    ui->pasteEdit->clear();
    PlanChanged();
    if (!refused.empty())
        MessageBoxes::Inform(this, DisplayText(RefusedOutgoingsMessage(refused)));
}

void CAttOrgaDlg::ComputeSums() {
    plan.computeSums();
    PlanChanged();
}

void CAttOrgaDlg::PlanChanged() {
    if (plan.hasSums())
        plan.computeSums();
    ShowPlan();
    unsaved_ = true;
}

QTreeWidgetItem* CAttOrgaDlg::SelectedItem() const {
    const QList<QTreeWidgetItem*> selected = ui->planTable->selectedItems();
    return selected.isEmpty() ? nullptr : selected.front();
}

void CAttOrgaDlg::RemoveSelectedFleet() {
    QTreeWidgetItem* item = SelectedItem();
    if (item == nullptr || item->parent() == nullptr || item->parent()->parent() != nullptr)
        return;
    const int target = ui->planTable->indexOfTopLevelItem(item->parent());
    const int child = item->parent()->indexOfChild(item);
    if (!plan.removeFleet(static_cast<std::size_t>(target), static_cast<std::size_t>(child)))
        return;
    PlanChanged();
    // The next row takes the selection, so Entf can go on removing.
    QTreeWidgetItem* next = ui->planTable->topLevelItem(target);
    ui->planTable->setCurrentItem(
        next->childCount() > 0 ? next->child(std::min(child, next->childCount() - 1)) : next);
}

void CAttOrgaDlg::EditSelectedRow() {
    QTreeWidgetItem* selected = SelectedItem();
    if (selected == nullptr)
        return;
    QTreeWidgetItem& item = *selected;
    const std::vector<std::size_t> path = PathOf(&item);
    const PlanRow& row = RowOf(&item);
    CFleetEditDlg edit(this);
    // Sum rows name their side in the first cell; their planet is the target's.
    const bool sumRow = row.cells[kColIsSum] == "SUM" && item.parent() != nullptr;
    edit.SetPlanet((sumRow ? item.parent() : &item)->text(kColName));
    edit.SetClasses(ClassTexts(row));
    edit.SetCheck([&](const QStringList& classes) {
        return DisplayText(plan.classesRefusal(path, CoreTexts(classes)));
    });
    if (edit.exec() != QDialog::Accepted || !plan.setClasses(path, CoreTexts(edit.Classes())).empty())
        return;
    if (plan.hasSums())
        return PlanChanged();
    // Only this row changed: the list need not be built afresh.
    ShowCells(*ui->planTable, item, row);
    FitColumns();
    unsaved_ = true;
}

void CAttOrgaDlg::ShowPlan() {
    const QSignalBlocker quiet(ui->planTable);
    ui->planTable->clear();
    for (const PlanRow& row : plan.planTable)
        AddItem(*ui->planTable, row, nullptr);
    FitColumns();
}

void CAttOrgaDlg::RememberExpansion(QTreeWidgetItem* item, bool expanded) {
    RowOf(item).expanded = expanded;
}

std::vector<std::size_t> CAttOrgaDlg::PathOf(QTreeWidgetItem* item) const {
    std::vector<std::size_t> path;
    for (; item->parent() != nullptr; item = item->parent())
        path.insert(path.begin(), static_cast<std::size_t>(item->parent()->indexOfChild(item)));
    path.insert(path.begin(), static_cast<std::size_t>(ui->planTable->indexOfTopLevelItem(item)));
    return path;
}

// The list always shows the plan's rows, so every item has its row.
PlanRow& CAttOrgaDlg::RowOf(QTreeWidgetItem* item) {
    return *plan.rowAt(PathOf(item));
}

} // namespace skarnwald
