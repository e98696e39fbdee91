#pragma once
// "Flotte ändern": the ship counts per class of one plan row, typed as free
// text; nothing is checked, since sums read every cell's leading number.

#include <QDialog>
#include <QStringList>

#include <memory>

class QLineEdit;
namespace Ui {
class CFleetEditDlg;
}

namespace skarnwald {

class CFleetEditDlg : public QDialog {
    Q_OBJECT
public:
    explicit CFleetEditDlg(QWidget* parent = nullptr);
    ~CFleetEditDlg() override;

    // Shuttle to Doomstar, one text per class.
    void SetClasses(const QStringList& classes);
    QStringList Classes() const;
    // The coordinates of the row being edited.
    void SetPlanet(const QString& coords);

private:
    QList<QLineEdit*> ClassEdits() const;

    std::unique_ptr<Ui::CFleetEditDlg> ui;
};

} // namespace skarnwald
