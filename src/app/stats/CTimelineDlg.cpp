#include "app/stats/CTimelineDlg.h"

#include "app/FileDialogs.h"
#include "app/MessageBoxes.h"
#include "archive/SettingsStore.h"
#include "ui_CTimelineDlg.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QHeaderView>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>

namespace skarnwald {
namespace {

struct Measure {
    QString title;
    std::int64_t TimelinePoint::*value;
    bool ships; // ships as bars on the left axis, asteroids as lines on the right
};

const Measure kMeasures[] = {
    {QStringLiteral("Verlorene Schiffe"), &TimelinePoint::shipsLost, true},
    {QStringLiteral("Zerstörte Schiffe"), &TimelinePoint::shipsDestroyed, true},
    {QStringLiteral("Roids gewonnen"), &TimelinePoint::roidsWon, false},
    {QStringLiteral("Roids verloren"), &TimelinePoint::roidsLost, false},
};

QValueAxis* ValueAxis(const QString& title) {
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setMin(0);
    return axis;
}

} // namespace

CTimelineDlg::CTimelineDlg(ConnectionPtr connection, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CTimelineDlg>()), connection_(std::move(connection)) {
    ui->setupUi(this);
    ownCoords_ = ReadSetting(*connection_, kOwnCoordsSetting);
    ui->ownCoordsLabel->setText(
        QStringLiteral("Eigene Koordinaten: %1")
            .arg(ownCoords_.empty() ? QStringLiteral("keine") : QString::fromStdString(ownCoords_)));
    ui->chartView->setRenderHint(QPainter::Antialiasing);
    // A failed query has been reported; the chart then stays empty.
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

void CTimelineDlg::Reload() {
    const TimelineStep step = ui->stepCombo->currentIndex() == 1 ? TimelineStep::Week : TimelineStep::Day;
    points_ = SumPerPeriod(battles_, step);
    ShowChart();
    ShowTable();
}

void CTimelineDlg::ShowChart() {
    auto* chart = new QChart;
    chart->setTitle(points_.empty() ? QStringLiteral("Keine gespeicherten Kämpfe mit Datum")
                                    : QStringLiteral("Schiffe und Roids im Verlauf"));
    QStringList periods;
    for (const TimelinePoint& point : points_)
        periods << QString::fromStdString(point.period);

    auto* ships = new QBarSeries;
    std::vector<QLineSeries*> roids;
    std::int64_t mostShips = 0, mostRoids = 0;
    for (const Measure& measure : kMeasures) {
        QBarSet* bars = measure.ships ? new QBarSet(measure.title) : nullptr;
        QLineSeries* line = measure.ships ? nullptr : new QLineSeries;
        for (std::size_t i = 0; i < points_.size(); ++i) {
            const std::int64_t value = points_[i].*measure.value;
            (measure.ships ? mostShips : mostRoids) = std::max(measure.ships ? mostShips : mostRoids, value);
            if (bars)
                bars->append(static_cast<qreal>(value));
            else
                line->append(static_cast<qreal>(i), static_cast<qreal>(value));
        }
        if (bars) {
            ships->append(bars);
        } else {
            line->setName(measure.title);
            line->setPointsVisible(true);
            roids.push_back(line);
        }
    }
    chart->addSeries(ships);
    auto* periodAxis = new QBarCategoryAxis;
    periodAxis->append(periods);
    auto* shipAxis = ValueAxis(QStringLiteral("Schiffe"));
    auto* roidAxis = ValueAxis(QStringLiteral("Roids"));
    shipAxis->setMax(static_cast<qreal>(std::max<std::int64_t>(mostShips, 1)));
    roidAxis->setMax(static_cast<qreal>(std::max<std::int64_t>(mostRoids, 1)));
    chart->addAxis(periodAxis, Qt::AlignBottom);
    chart->addAxis(shipAxis, Qt::AlignLeft);
    chart->addAxis(roidAxis, Qt::AlignRight);
    ships->attachAxis(periodAxis);
    ships->attachAxis(shipAxis);
    for (QLineSeries* line : roids) {
        chart->addSeries(line);
        line->attachAxis(periodAxis);
        line->attachAxis(roidAxis);
    }
    chart->legend()->setAlignment(Qt::AlignBottom);
    // The view takes the chart and deletes the one it showed before.
    QChart* previous = ui->chartView->chart();
    ui->chartView->setChart(chart);
    delete previous;
}

void CTimelineDlg::ShowTable() {
    QTableWidget& table = *ui->table;
    QStringList headings{QStringLiteral("Zeitraum"), QStringLiteral("Kämpfe")};
    for (const Measure& measure : kMeasures)
        headings << measure.title;
    table.clear();
    table.setColumnCount(static_cast<int>(headings.size()));
    table.setHorizontalHeaderLabels(headings);
    table.setRowCount(static_cast<int>(points_.size()));
    for (int row = 0; row < table.rowCount(); ++row) {
        const TimelinePoint& point = points_[static_cast<std::size_t>(row)];
        table.setItem(row, 0, new QTableWidgetItem(QString::fromStdString(point.period)));
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
    QString name = FileDialogs::SaveFileName(this, QStringLiteral("PNG-Bild (*.png)"));
    if (name.isEmpty())
        return false;
    if (!name.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        name += QStringLiteral(".png");
    if (!ui->chartView->grab().save(name, "PNG")) {
        MessageBoxes::Inform(this, QStringLiteral("Das Bild '%1' kann nicht geschrieben werden.").arg(name));
        return false;
    }
    return true;
}

} // namespace skarnwald
