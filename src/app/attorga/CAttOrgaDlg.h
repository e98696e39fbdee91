#pragma once
// "Att - Orga": plans attacks per target. Outgoing fleets are pasted or loaded
// from a text file (lines it cannot read are named), the ship classes of each
// row are typed in through the fleet edit dialog (double-click, Enter or the
// context menu), a fleet row is removed with Entf or the context menu,
// and "Summen berechnen" sums each target's sides; once shown, the sums follow
// every edit. A plan can be kept in a file and loaded again; closing with
// unsaved changes asks first.

#include "planning/AttackPlan.h"

#include <QDialog>
#include <QKeySequence>

#include <memory>
#include <string_view>
#include <vector>

class QTreeWidgetItem;
namespace Ui {
class CAttOrgaDlg;
}

namespace skarnwald {

class CAttOrgaDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAttOrgaDlg(QWidget* parent = nullptr);
    ~CAttOrgaDlg() override;

    // Imports the whole file; one that cannot be read is named in a message
    // and changes nothing.
    void LoadOutgoingsFile(const QString& path);

    // True when the plan was written; a failure is told in a message box.
    bool SavePlanFile(const QString& path);
    // Replaces the shown plan; a file that is no plan changes nothing.
    bool LoadPlanFile(const QString& path);
    bool HasUnsavedChanges() const { return unsaved_; }

    // Removes the selected row when it is a fleet row.
    void RemoveSelectedFleet();

    // Esc and the close box come here.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpTable();
    void AddMenus();
    void AddRowAction(const QString& text, const QList<QKeySequence>& keys, void (CAttOrgaDlg::*act)());
    void ChooseOutgoingsFile();
    void ChoosePlanFileToSave();
    void ChoosePlanFileToLoad();
    bool MayDiscardChanges(const QString& question);
    void FitColumns();
    void ImportPastedOutgoings();
    void Import(std::string_view text);
    void ComputeSums();
    // After a change of the plan: refreshes shown sums and the table.
    void PlanChanged();
    QTreeWidgetItem* SelectedItem() const;
    void EditSelectedRow();
    void ShowPlan();
    void RememberExpansion(QTreeWidgetItem* item, bool expanded);
    std::vector<std::size_t> PathOf(QTreeWidgetItem* item) const;
    PlanRow& RowOf(QTreeWidgetItem* item);

    std::unique_ptr<Ui::CAttOrgaDlg> ui;
    AttackPlan plan;
    bool unsaved_ = false;
};

} // namespace skarnwald
