#include "app/stats/CTimelineDlg.h"

#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "archive/SettingsStore.h"
#include "ui_CTimelineDlg.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QGridLayout>
#include <QHeaderView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QToolTip>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace skarnwald {
namespace {

struct Measure {
    const char* title; // a source text of CTimelineDlg
    std::int64_t TimelinePoint::*value;
};

const Measure kMeasures[CTimelineDlg::kChartCount] = {
    {QT_TRANSLATE_NOOP("skarnwald::CTimelineDlg", "Ships lost"), &TimelinePoint::shipsLost},
    {QT_TRANSLATE_NOOP("skarnwald::CTimelineDlg", "Ships destroyed"), &TimelinePoint::shipsDestroyed},
    {QT_TRANSLATE_NOOP("skarnwald::CTimelineDlg", "Roids won"), &TimelinePoint::roidsWon},
    {QT_TRANSLATE_NOOP("skarnwald::CTimelineDlg", "Roids lost"), &TimelinePoint::roidsLost},
};

// The most labels a time axis gets; more would run into each other.
int MostTimeLabels(TimelineStep step) {
    return step == TimelineStep::Week ? 4 : 6;
}

int StepDays(TimelineStep step) {
    return step == TimelineStep::Week ? 7 : 1;
}

qreal DayValue(const QDate& date) {
    return static_cast<qreal>(date.toJulianDay());
}

QDate StartOfPeriod(const QDate& date, TimelineStep step) {
    return step == TimelineStep::Week ? date.addDays(1 - date.dayOfWeek()) : date;
}

// Labels at the periods of a few evenly spread days.
QCategoryAxis* TimeAxis(const std::vector<QDate>& starts, TimelineStep step) {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTruncateLabels(false);
    const qreal margin = StepDays(step);
    if (starts.empty()) {
        axis->setRange(0, 1);
        return axis;
    }
    const qint64 first = starts.front().toJulianDay(), last = starts.back().toJulianDay();
    axis->setRange(static_cast<qreal>(first) - margin, static_cast<qreal>(last) + margin);
    const int labels = static_cast<int>(std::min<std::size_t>(starts.size(), MostTimeLabels(step)));
    for (int i = 0; i < labels; ++i) {
        const qint64 day = labels == 1 ? first : first + (last - first) * i / (labels - 1);
        const QDate start = StartOfPeriod(QDate::fromJulianDay(day), step);
        const QString label = AxisLabel(start, step);
        if (!axis->categoriesLabels().contains(label))
            axis->append(label, DayValue(start));
    }
    return axis;
}

// Whole numbers on five ticks from 0, the top one above the largest value.
QValueAxis* CountAxis(std::int64_t most) {
    auto* axis = new QValueAxis;
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setTickCount(5);
    axis->setRange(0, static_cast<qreal>((most + 4) / 4 * 4));
    return axis;
}

} // namespace

QDate PeriodStart(const std::string& period) {
    const QString text = QString::fromStdString(period);
    if (const qsizetype week = text.indexOf(QStringLiteral("-W")); week > 0) {
        // 4 January always lies in week 1 of its ISO year.
        const QDate fourth(text.left(week).toInt(), 1, 4);
        return StartOfPeriod(fourth, TimelineStep::Week).addDays(7 * (text.mid(week + 2).toInt() - 1));
    }
    return QDate::fromString(text, Qt::ISODate);
}

QString AxisLabel(const QDate& start, TimelineStep step) {
    return step == TimelineStep::Week ? TableLabel(start, step) : start.toString(QStringLiteral("dd.MM."));
}

QString TableLabel(const QDate& start, TimelineStep step) {
    int year = 0;
    const int week = start.weekNumber(&year);
    return step == TimelineStep::Week ? CTimelineDlg::tr("Week %1/%2").arg(week).arg(year)
                                      : start.toString(QStringLiteral("dd.MM.yyyy"));
}

CTimelineDlg::CTimelineDlg(ConnectionPtr connection, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CTimelineDlg>()), connection_(std::move(connection)) {
    ui->setupUi(this);
    ownCoords_ = ReadSetting(*connection_, kOwnCoordsSetting);
    ui->ownCoordsLabel->setText(
        tr("Own coordinates: %1").arg(ownCoords_.empty() ? tr("none") : QString::fromStdString(ownCoords_)));
    for (int m = 0; m < kChartCount; ++m) {
        views_[m] = new QChartView(ui->chartArea);
        views_[m]->setRenderHint(QPainter::Antialiasing);
        ui->chartGrid->addWidget(views_[m], m / 2, m % 2);
    }
    // A failed query has been reported; the charts then stay empty.
    battles_ = LoadBattleFigures(*connection_, ownCoords_).value_or(std::vector<BattleFigures>{});
    Reload();
    connect(ui->stepCombo, &QComboBox::currentIndexChanged, this, &CTimelineDlg::Reload);
    connect(ui->savePngButton, &QPushButton::clicked, this, &CTimelineDlg::OnSavePng);
    connect(ui->closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

CTimelineDlg::~CTimelineDlg() = default;

void CTimelineDlg::SetStep(TimelineStep step) {
    ui->stepCombo->setCurrentIndex(step == TimelineStep::Week ? 1 : 0);
}

TimelineStep CTimelineDlg::Step() const {
    return ui->stepCombo->currentIndex() == 1 ? TimelineStep::Week : TimelineStep::Day;
}

QChart* CTimelineDlg::Chart(int measure) const {
    return views_.at(static_cast<std::size_t>(measure))->chart();
}

void CTimelineDlg::Reload() {
    points_ = SumPerPeriod(battles_, Step());
    starts_.clear();
    for (const TimelinePoint& point : points_)
        starts_.push_back(PeriodStart(point.period));
    for (int m = 0; m < kChartCount; ++m) {
        // The view takes the chart and deletes the one it showed before.
        QChart* previous = views_[m]->chart();
        views_[m]->setChart(MakeChart(m));
        delete previous;
    }
    ShowTable();
}

// A line through the periods with battles, marked by a dot each; between two
// of them that lie further apart than one step it drops to 0, since no battle
// counted there.
QChart* CTimelineDlg::MakeChart(int measure) {
    const Measure& shown = kMeasures[measure];
    auto* chart = new QChart;
    const QString title = tr(shown.title);
    chart->setTitle(points_.empty() ? tr("%1 – no stored battles with a date").arg(title) : title);
    chart->legend()->hide();
    auto* line = new QLineSeries;
    auto* dots = new QScatterSeries;
    dots->setMarkerSize(8);
    const qreal step = StepDays(Step());
    std::int64_t most = 0;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const qreal x = DayValue(starts_[i]);
        const std::int64_t value = points_[i].*shown.value;
        if (i > 0 && x - DayValue(starts_[i - 1]) > step) {
            line->append(DayValue(starts_[i - 1]) + step, 0);
            line->append(x - step, 0);
        }
        line->append(x, static_cast<qreal>(value));
        dots->append(x, static_cast<qreal>(value));
        most = std::max(most, value);
    }
    QCategoryAxis* timeAxis = TimeAxis(starts_, Step());
    QValueAxis* countAxis = CountAxis(most);
    chart->addAxis(timeAxis, Qt::AlignBottom);
    chart->addAxis(countAxis, Qt::AlignLeft);
    for (QXYSeries* series : {static_cast<QXYSeries*>(line), static_cast<QXYSeries*>(dots)}) {
        chart->addSeries(series);
        series->attachAxis(timeAxis);
        series->attachAxis(countAxis);
        series->setColor(QColor(32, 159, 223));
    }
    connect(dots, &QScatterSeries::hovered, this, [this, measure](const QPointF& at, bool entered) {
        if (entered)
            QToolTip::showText(QCursor::pos(), HoverText(measure, at.x()));
        else
            QToolTip::hideText();
    });
    return chart;
}

QString CTimelineDlg::HoverText(int measure, qreal x) const {
    if (points_.empty())
        return {};
    const auto nearest =
        std::min_element(starts_.begin(), starts_.end(), [x](const QDate& a, const QDate& b) {
            return std::abs(DayValue(a) - x) < std::abs(DayValue(b) - x);
        });
    const auto& point = points_[static_cast<std::size_t>(nearest - starts_.begin())];
    const Measure& shown = kMeasures[measure];
    return tr("%1: %2 %3 (%n battle(s))", nullptr, static_cast<int>(point.battles))
        .arg(TableLabel(*nearest, Step()), QString::number(point.*shown.value), tr(shown.title));
}

void CTimelineDlg::ShowTable() {
    QTableWidget& table = *ui->table;
    QStringList headings{tr("Period"), tr("Battles")};
    for (const Measure& measure : kMeasures)
        headings << tr(measure.title);
    table.clear();
    table.setColumnCount(static_cast<int>(headings.size()));
    table.setHorizontalHeaderLabels(headings);
    table.setRowCount(static_cast<int>(points_.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const TimelinePoint& point = points_[static_cast<std::size_t>(row)];
        table.setItem(row, 0,
                      new QTableWidgetItem(TableLabel(starts_[static_cast<std::size_t>(row)], Step())));
        const auto number = [](std::int64_t value) {
            auto* item = new QTableWidgetItem(QString::number(value));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return item;
        };
        table.setItem(row, 1, number(point.battles));
        for (int column = 0; const Measure& measure : kMeasures)
            table.setItem(row, 2 + column++, number(point.*measure.value));
    }
    table.horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
}

bool CTimelineDlg::OnSavePng() {
    QString name = FileDialogs::SaveFileName(
        this, FileKind::Png, tr("History %1.png").arg(QDate::currentDate().toString(Qt::ISODate)));
    if (name.isEmpty())
        return false;
    if (!name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        name += QStringLiteral(".png");
    if (!ui->chartArea->grab().save(name, "PNG")) {
        MessageBoxes::Inform(this, tr("The picture '%1' cannot be written.").arg(name));
        return false;
    }
    return true;
}

} // namespace skarnwald
