// The "Statistik" tab: the personal record as the archive keeps it, with
// "Stats löschen", and its course per day or week drawn from the stored
// battles, as a chart and as a table.
//
// The chart is a few SVG rectangles drawn here rather than a chart library:
// one bar series over a time axis needs about sixty lines, while a library
// would add more code to download than the whole tab, and the page may load
// nothing from elsewhere anyway.
import { run } from './converter.js';
import { confirmAction } from './confirm.js';
import { formatDateTime, formatNumber, onLanguageChange, plural, t } from './i18n.js';
import { onFirstShown } from './tabs.js';
import { showMessage } from './text.js';

const $ = (id) => document.getElementById(id);
const ui = {
  panel: $('panel-stats'),
  record: $('record-table'),
  roids: $('roid-table'),
  reset: $('stats-reset'),
  message: $('stats-message'),
  step: $('timeline-step'),
  measure: $('timeline-measure'),
  coords: $('timeline-coords'),
  chart: $('timeline-chart'),
  rows: $('timeline-table').tBodies[0],
};

const SVG = 'http://www.w3.org/2000/svg';
const DAY_MS = 86400000;
const CHART_HEIGHT = 220;
const MARGIN = { left: 44, right: 12, top: 12, bottom: 28 };
// A bar is never thinner than this, with a pixel between two: a long course
// per day makes the chart wider than its box, which then scrolls sideways.
const MIN_BAR = 4;
// Browsers draw an SVG this wide without trouble; beyond it bars get thinner.
const MAX_CHART_WIDTH = 32000;

let built = false;
let timeline = { points: [] };

function countUp(name) {
  ui.panel.dataset[name] = String(Number(ui.panel.dataset[name] || 0) + 1);
}

function reportErrors(result) {
  if (result.errors) showMessage(ui.message, result.errors, 'error');
}

function showRecord(record) {
  for (const row of ui.record.tBodies[0].rows) {
    const name = row.dataset.row;
    const total = { kills: record.killsTotal, losses: record.lossesTotal, ratios: record.totalRatio }[name];
    row.querySelectorAll('td').forEach((cell) => cell.remove());
    for (const text of [...record[name], total]) {
      const cell = document.createElement('td');
      cell.textContent = text;
      row.append(cell);
    }
  }
  ui.roids.querySelectorAll('[data-field]').forEach((cell) => {
    cell.textContent = record[cell.dataset.field];
  });
}

async function loadRecord() {
  const { result } = await run('personalRecord');
  reportErrors(result);
  if (result.record) showRecord(result.record);
}

async function resetRecord() {
  if (!(await confirmAction(t('record.resetQuestion'), t('record.reset')))) return;
  const { result } = await run('resetPersonalRecord');
  reportErrors(result);
  if (result.record) showRecord(result.record);
  countUp('shown');
}

// Days since 1970 at the start of a period: "2026-03-05", or "2026-W10"
// counted from the Monday of the week that holds 4 January.
function periodStart(period) {
  const week = /^(\d{4})-W(\d{2})$/.exec(period);
  if (!week) return Date.parse(`${period}T00:00:00Z`) / DAY_MS;
  const fourth = Date.UTC(Number(week[1]), 0, 4) / DAY_MS;
  const monday = fourth - ((new Date(fourth * DAY_MS).getUTCDay() + 6) % 7);
  return monday + 7 * (Number(week[2]) - 1);
}

// "09.12.2026", or "09.12." under the bars of a course within one year, as
// the language writes a day; a week "KW 37/2026".
const DAY = { day: '2-digit', month: '2-digit', year: 'numeric', timeZone: 'UTC' };
const DAY_IN_YEAR = { day: '2-digit', month: '2-digit', timeZone: 'UTC' };
function periodLabel(period, short = false) {
  const week = /^(\d{4})-W(\d{2})$/.exec(period);
  if (week) return t('timeline.week', { week: Number(week[2]), year: week[1] });
  return formatDateTime(new Date(periodStart(period) * DAY_MS), short ? DAY_IN_YEAR : DAY);
}

const spansYears = (points) => points.length > 0 && points[0].period.slice(0, 4) !== points[points.length - 1].period.slice(0, 4);

function svgElement(name, attributes, text) {
  const element = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) element.setAttribute(key, String(value));
  if (text !== undefined) element.textContent = text;
  return element;
}

// Whole numbers on five ticks from 0, the top one above the largest value.
const countAxisTop = (most) => Math.floor((most + 4) / 4) * 4;

function drawChart() {
  const points = timeline.points;
  const measure = ui.measure.value;
  const title = ui.measure.selectedOptions[0].textContent;
  const stepDays = ui.step.value === 'week' ? 7 : 1;
  const starts = points.map((point) => periodStart(point.period));
  const first = starts.length ? starts[0] : 0;
  const days = starts.length ? starts[starts.length - 1] + stepDays - first : 1;
  // Bars need their room only where two stand close together.
  const closest = starts.slice(1).reduce((least, start, index) => Math.min(least, start - starts[index]), days) / stepDays;
  const readableWidth = Math.min(MAX_CHART_WIDTH, (days / stepDays / closest) * (MIN_BAR + 1) + MARGIN.left + MARGIN.right);
  const width = Math.ceil(Math.max(280, ui.chart.clientWidth, readableWidth));
  const plotWidth = width - MARGIN.left - MARGIN.right;
  const plotHeight = CHART_HEIGHT - MARGIN.top - MARGIN.bottom;
  const top = countAxisTop(Math.max(0, ...points.map((point) => point[measure])));
  const x = (day) => MARGIN.left + ((day - first) / days) * plotWidth;
  const y = (value) => MARGIN.top + plotHeight - (value / top) * plotHeight;

  const svg = svgElement('svg', { viewBox: `0 0 ${width} ${CHART_HEIGHT}`, width, height: CHART_HEIGHT, role: 'img', 'aria-labelledby': 'timeline-chart-title' });
  svg.append(svgElement('title', { id: 'timeline-chart-title' },
    points.length ? t('timeline.chartTitle', { measure: title }) : t('timeline.chartEmpty', { measure: title })));
  // The scale stands in a picture of its own that stays at the left while a
  // wide chart scrolls beneath it.
  const scale = svgElement('svg', { width: MARGIN.left, height: CHART_HEIGHT, class: 'scale', 'aria-hidden': 'true' });
  for (let tick = 0; tick <= 4; tick++) {
    const value = (top / 4) * tick;
    svg.append(svgElement('line', { x1: MARGIN.left, x2: width - MARGIN.right, y1: y(value), y2: y(value), class: 'grid' }));
    scale.append(svgElement('text', { x: MARGIN.left - 6, y: y(value) + 4, 'text-anchor': 'end' }, formatNumber(value)));
  }
  points.forEach((point, index) => {
    const left = x(starts[index]);
    // A period with battles but nothing to count still shows a sliver.
    const height = Math.max(2, y(0) - y(point[measure]));
    const bar = svgElement('rect', {
      x: left, y: y(0) - height, width: Math.max(MIN_BAR, x(starts[index] + stepDays) - left - 1), height, class: 'bar',
    });
    bar.append(svgElement('title', {},
      plural('timeline.bar', point.battles, { period: periodLabel(point.period), value: formatNumber(point[measure]), measure: title })));
    svg.append(bar);
  });
  // Labels under the bars from the left, each far enough from the one
  // before that they never run into each other; with the year when the
  // course runs into another.
  const withYear = stepDays === 1 && spansYears(points);
  const spacing = stepDays === 7 ? 96 : withYear ? 84 : 60;
  let lastLabel = -Infinity;
  points.forEach((point, index) => {
    const centre = x(starts[index] + stepDays / 2);
    if (centre - lastLabel < spacing) return;
    lastLabel = centre;
    const atEnd = centre + spacing / 2 > width;
    const label = { x: atEnd ? width - MARGIN.right : centre, y: CHART_HEIGHT - 8, 'text-anchor': atEnd ? 'end' : 'middle' };
    svg.append(svgElement('text', label, periodLabel(point.period, !withYear)));
  });
  svg.style.marginLeft = `${-MARGIN.left}px`;
  ui.chart.replaceChildren(scale, svg);
  // A chart wider than its box starts at the newest battles; the keyboard
  // scrolls it once it has the focus.
  const scrolls = width > ui.chart.clientWidth;
  ui.chart.tabIndex = scrolls ? 0 : -1;
  ui.chart.scrollLeft = scrolls ? ui.chart.scrollWidth : 0;
}

const MEASURES = ['battles', 'shipsLost', 'shipsDestroyed', 'roidsWon', 'roidsLost'];

function showTable() {
  const rows = document.createDocumentFragment();
  for (const point of timeline.points) {
    const row = document.createElement('tr');
    row.dataset.period = point.period;
    const heading = document.createElement('th');
    heading.scope = 'row';
    heading.textContent = periodLabel(point.period);
    row.append(heading);
    for (const measure of MEASURES) {
      const cell = document.createElement('td');
      cell.textContent = formatNumber(point[measure]);
      row.append(cell);
    }
    rows.append(row);
  }
  ui.rows.replaceChildren(rows);
}

async function loadTimeline() {
  const { result } = await run('timeline', { step: ui.step.value });
  reportErrors(result);
  timeline = result;
  ui.coords.textContent = result.ownCoords ? t('timeline.ownCoords', { coords: result.ownCoords }) : t('timeline.noOwnCoords');
  drawChart();
  showTable();
}

async function refresh() {
  try {
    await Promise.all([loadRecord(), loadTimeline()]);
    countUp('shown');
  } catch (error) {
    showMessage(ui.message, error.message, 'error');
  }
}

function build() {
  built = true;
  ui.reset.addEventListener('click', () => resetRecord().catch((error) => showMessage(ui.message, error.message, 'error')));
  ui.step.addEventListener('change', refresh);
  ui.measure.addEventListener('change', drawChart);
  new ResizeObserver(() => drawChart()).observe(ui.chart);
  refresh();
}

onFirstShown('tab-stats', build);
onLanguageChange(() => {
  if (built) refresh();
});
document.addEventListener('archive-changed', () => {
  if (built) refresh();
});
