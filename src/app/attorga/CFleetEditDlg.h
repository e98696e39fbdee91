#pragma once
// "Flotte ändern": the ship counts per class of one plan row, typed as free
// text, since sums read every cell's leading number. The caller may check the
// counts before the dialog closes.

#include <QDialog>
#include <QStringList>

#include <functional>
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
    // Asked on OK with the typed classes: a reason is shown and the dialog
    // stays open for a correction; an empty answer lets it close.
    void SetCheck(std::function<QString(const QStringList&)> check);

private:
    QList<QLineEdit*> ClassEdits() const;
    void AcceptChecked();

    std::function<QString(const QStringList&)> check_;

    std::unique_ptr<Ui::CFleetEditDlg> ui;
};

} // namespace skarnwald
