#pragma once
// "Att - Orga": plans attacks per target. Outgoing fleets are pasted or loaded
// from a text file, the ship classes of each row are typed in through the
// fleet edit dialog, and "Summen berechnen" sums each target's sides.

#include "attorga/AttackPlan.h"

#include <QDialog>

#include <memory>
#include <string_view>

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SetUpTable();
    void AddMenus();
    void ChooseOutgoingsFile();
    void ImportPastedOutgoings();
    void Import(std::string_view text);
    void ComputeSums();
    void EditSelectedRow();
    void ShowPlan();
    void RememberExpansion(QTreeWidgetItem* item, bool expanded);
    PlanRow& RowOf(QTreeWidgetItem* item);

    std::unique_ptr<Ui::CAttOrgaDlg> ui;
    AttackPlan plan;
};

} // namespace skarnwald
