#pragma once
// "Verlauf": the own ships lost and destroyed and the asteroids won and lost
// per day or per week, each in a chart of its own scale over a time axis (a
// stretch without battles shows as such) and all of them in a table; hovering
// a point tells its value. The charts can be saved as one PNG picture.

#include "archive/BattleTimeline.h"
#include "archive/Connection.h"

#include <QDate>
#include <QDialog>

#include <array>
#include <memory>
#include <vector>

class QChart;
class QChartView;
namespace Ui {
class CTimelineDlg;
}

namespace skarnwald {

// Where a period of SumPerPeriod starts: its day, or the Monday of its week.
QDate PeriodStart(const std::string& period);
// How a period is named on the axis ("09.12.", "KW 37/2002") and in the
// table ("09.12.2026", "KW 37/2002").
QString AxisLabel(const QDate& start, TimelineStep step);
QString TableLabel(const QDate& start, TimelineStep step);

class CTimelineDlg : public QDialog {
    Q_OBJECT
public:
    explicit CTimelineDlg(ConnectionPtr connection, QWidget* parent = nullptr);
    ~CTimelineDlg() override;

    // The periods the charts and the table show.
    const std::vector<TimelinePoint>& Points() const { return points_; }
    // One chart per measure: lost, destroyed, roids won, roids lost.
    static constexpr int kChartCount = 4;
    QChart* Chart(int measure) const;
    // What hovering chart `measure` near day `x` (a Julian day) shows.
    QString HoverText(int measure, qreal x) const;

    void SetStep(TimelineStep step);
    // Asks for a file name and saves the charts there; false when cancelled
    // or not written (told in a message box).
    bool OnSavePng();

private:
    void Reload();
    QChart* MakeChart(int measure);
    void ShowTable();
    TimelineStep Step() const;

    std::unique_ptr<Ui::CTimelineDlg> ui;
    ConnectionPtr connection_;
    std::string ownCoords_;
    std::vector<BattleFigures> battles_;
    std::vector<TimelinePoint> points_;
    std::vector<QDate> starts_; // of points_
    std::array<QChartView*, kChartCount> views_{};
};

} // namespace skarnwald
