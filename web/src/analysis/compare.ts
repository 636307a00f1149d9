// The Compare Cores window: the table of every core and stack the engine
// compared, its filters and sort, the chart of the fitting designs (volume
// against total loss, the Pareto front, the Calculate Core picks and the
// chosen row), progress and Cancel, Use This Design, Save Table, Refresh and
// Close. The cells, marks and order are the engine's (CompareTable).
import uPlot from 'uplot';
import 'uplot/dist/uPlot.min.css';
import type { ChartPoints, CompareTexts, TableView } from '../../../wasm/coredesign-analysis';
import {
  cancelComparison,
  compareTexts,
  comparisonCsv,
  designChoice,
  forgetComparison,
  startComparison,
  tableView,
} from './client';
import { AccessKeys, button, download, element, tell, writeCaption } from './controls';
import './analysis.css';

export interface CompareEvents {
  useDesign(choice: { gapped: boolean; partNo: string; stack: number }): void;
  close(): void;
}

// How near (in CSS pixels) the mouse must be to a point to name it.
const pointReach = 8;

class CompareWindow {
  private readonly keys = new AccessKeys();
  private readonly section = element('section', { className: 'analysis-window compare-window' });
  private readonly inputs = element('p', { name: 'lblInputs', className: 'compare-inputs' });
  private readonly family = element('select', { name: 'cmbFamily' });
  private readonly everyRow = element('input', { name: 'chkEveryRow' });
  private readonly count = element('span', { name: 'lblCount', className: 'compare-count' });
  private readonly progress = element('progress', { name: 'prgCompare' });
  private readonly cancel: HTMLButtonElement;
  private readonly table = element('table', { name: 'tblCores', className: 'compare-table' });
  private readonly head = element('tr');
  private readonly body = element('tbody');
  private readonly chartBox = element('div', { name: 'chtCores', className: 'compare-chart' });
  private readonly point = element('p', { name: 'lblPoint', className: 'compare-point' });
  private readonly tip = element('div', { className: 'compare-tip' });
  private readonly use: HTMLButtonElement;
  private readonly save: HTMLButtonElement;
  private readonly refresh: HTMLButtonElement;
  private readonly closeButton: HTMLButtonElement;

  private running: number | null = null;  // the comparison being run
  private shown: number | null = null;  // the comparison the table shows
  private opened = false;  // a table was shown once
  private column: number;
  private ascending = true;
  private selected: number | null = null;  // the comparison's row chosen
  private view: TableView | null = null;
  private plot: uPlot | null = null;
  private viewRequest = 0;

  constructor(
    private readonly root: HTMLElement,
    private readonly designText: string,
    private readonly events: CompareEvents,
    private readonly texts: CompareTexts,
  ) {
    this.column = texts.defaultSortColumn;
    const [useText, saveText, refreshText, closeText] = texts.buttons;
    if (!useText || !saveText || !refreshText || !closeText) throw new Error('the engine gave too few buttons');
    this.section.dataset.screen = 'frmCompareCores';
    this.section.setAttribute('aria-label', texts.title);
    this.cancel = button(texts.cancel, this.keys);
    this.use = button(useText, this.keys);
    this.save = button(saveText, this.keys);
    this.refresh = button(refreshText, this.keys);
    this.closeButton = button(closeText, this.keys);
    this.build();
  }

  private build(): void {
    const t = this.texts;
    const heading = element('h2', { name: 'lblTitle', className: 'analysis-heading', text: t.heading });

    const familyLabel = element('label', { className: 'compare-caption' });
    this.keys.add(writeCaption(familyLabel, t.familyCaption), this.family);
    this.family.id = 'compare-family';
    familyLabel.htmlFor = this.family.id;
    t.familyItems.forEach((item, k) => {
      const option = element('option', { text: item });
      option.value = String(k);
      this.family.append(option);
    });
    this.everyRow.type = 'checkbox';
    this.everyRow.id = 'compare-every-row';
    const everyLabel = element('label', { className: 'compare-caption' });
    everyLabel.htmlFor = this.everyRow.id;
    this.keys.add(writeCaption(everyLabel, t.everyRow), this.everyRow);
    this.progress.hidden = true;
    this.cancel.hidden = true;
    const filters = element('div', { className: 'compare-filters' });
    filters.append(familyLabel, this.family, this.everyRow, everyLabel, this.count, this.progress, this.cancel);

    t.headings.forEach((heading, column) => {
      const th = element('th');
      th.scope = 'col';
      th.tabIndex = -1;
      heading.split('\n').forEach((line, k) => {
        if (k > 0) th.append(element('br'));
        th.append(line);
      });
      if (t.rightAligned[column]) th.classList.add('figure');
      th.addEventListener('click', () => this.sortBy(column));
      this.head.append(th);
    });
    const thead = element('thead');
    thead.append(this.head);
    this.table.append(thead, this.body);
    this.table.tabIndex = 0;
    const tableBox = element('div', { className: 'compare-table-box' });
    tableBox.append(this.table);

    const chartTitle = element('p', { className: 'chart-title', text: t.chartTitle });
    const legend = element('ul', { className: 'chart-legend' });
    for (const [text, swatch] of [
      [t.fitsSeries, 'swatch-fits'],
      [t.frontSeries, 'swatch-front'],
      [t.picksSeries, 'swatch-picks'],
      [t.chosenSeries, 'swatch-chosen'],
    ] as const) {
      const item = element('li');
      item.append(element('span', { className: `swatch ${swatch}` }), text);
      legend.append(item);
    }
    this.tip.hidden = true;
    const chartColumn = element('div', { className: 'compare-chart-column' });
    chartColumn.append(chartTitle, this.chartBox, legend, this.point, this.tip);

    const main = element('div', { className: 'compare-main' });
    main.append(tableBox, chartColumn);
    const buttons = element('div', { className: 'analysis-buttons' });
    buttons.append(this.use, this.save, this.refresh, this.closeButton);
    this.section.append(heading, this.inputs, filters, main, buttons);

    this.family.addEventListener('change', () => this.showView());
    this.everyRow.addEventListener('change', () => this.showView());
    this.cancel.addEventListener('click', () => {
      if (this.running !== null) void cancelComparison(this.running);
    });
    this.use.addEventListener('click', () => this.useSelected());
    this.save.addEventListener('click', () => void this.saveTable());
    this.refresh.addEventListener('click', () => this.compare());
    this.closeButton.addEventListener('click', () => this.close());
    this.body.addEventListener('click', (event) => {
      const row = (event.target as HTMLElement).closest('tr');
      if (row?.dataset.row !== undefined) this.select(Number(row.dataset.row), false);
    });
    this.body.addEventListener('dblclick', (event) => {
      const row = (event.target as HTMLElement).closest('tr');
      if (row?.dataset.row !== undefined) {
        this.select(Number(row.dataset.row), false);
        this.useSelected();
      }
    });
    this.table.addEventListener('keydown', (event) => this.moveSelection(event));
    this.section.addEventListener('keydown', (event) => {
      if (this.keys.handle(event)) return;
      if (event.key === 'Escape' && !this.section.querySelector('[role="alertdialog"]')) {
        event.preventDefault();
        this.close();
      }
    });
    this.root.append(this.section);
    // The window takes the focus, so that its access keys and Escape reach it.
    this.section.tabIndex = -1;
    this.section.focus();
    this.showTable(null);
  }

  compare(): void {
    this.stopRunning();
    this.section.dataset.state = 'busy';
    const run = startComparison(this.designText, {
      refused: (messages) => {
        this.running = null;
        this.forgetShown();
        this.showTable(null);
        this.inputs.textContent = this.texts.nothingCompared;
        this.section.dataset.state = 'refused';
        // Texts that fail a check open no window: its messages, then it goes.
        tell(this.section, messages, () => {
          if (!this.opened) this.close();
        });
      },
      started: (total, comparingText) => {
        this.progress.max = total;
        this.progress.value = 0;
        this.progress.hidden = false;
        this.cancel.hidden = false;
        this.count.textContent = comparingText;
      },
      progress: (done) => {
        this.progress.value = done;
      },
      compared: (inputsText, countText) => {
        this.endRun();
        this.forgetShown();
        this.shown = run;
        this.opened = true;
        this.inputs.textContent = inputsText;
        this.count.textContent = countText;
        this.selected = null;
        void this.showView(true);
      },
      cancelled: () => {
        this.endRun();
        this.count.textContent = this.shown !== null ? this.texts.cancelledKept : this.texts.cancelledEmpty;
        this.section.dataset.state = 'cancelled';
      },
      failed: (reason) => {
        this.endRun();
        this.count.textContent = reason;
        this.section.dataset.state = 'failed';
      },
    });
    this.running = run;
  }

  private endRun(): void {
    this.running = null;
    this.progress.hidden = true;
    this.cancel.hidden = true;
  }

  private stopRunning(): void {
    if (this.running !== null) void forgetComparison(this.running);
    this.endRun();
  }

  private forgetShown(): void {
    if (this.shown !== null) void forgetComparison(this.shown);
    this.shown = null;
  }

  private close(): void {
    this.stopRunning();
    this.forgetShown();
    this.plot?.destroy();
    this.section.remove();
    this.events.close();
  }

  private sortBy(column: number): void {
    // As the desktop's header: the same column again turns the order; another keeps it.
    if (column === this.column) this.ascending = !this.ascending;
    this.column = column;
    void this.showView();
  }

  private async showView(selectFirst = false): Promise<void> {
    if (this.shown === null) return;
    const request = ++this.viewRequest;
    const view = await tableView(
      this.shown,
      Number(this.family.value),
      this.everyRow.checked,
      this.column,
      this.ascending,
    );
    if (request !== this.viewRequest) return;  // a newer view was asked for
    if (selectFirst) this.selected = view.rows[0]?.index ?? null;
    else if (this.selected !== null && !view.rows.some((row) => row.index === this.selected)) this.selected = null;
    this.showTable(view);
    this.section.dataset.state = 'ready';
  }

  private showTable(view: TableView | null): void {
    this.view = view;
    this.head.querySelectorAll('th').forEach((th, column) => {
      th.setAttribute(
        'aria-sort',
        column !== this.column ? 'none' : this.ascending ? 'ascending' : 'descending',
      );
    });
    const rows = (view?.rows ?? []).map((row) => {
      const tr = element('tr');
      tr.dataset.row = String(row.index);
      tr.classList.toggle('shaded', row.shaded);
      tr.classList.toggle('bold', row.bold);
      tr.classList.toggle('dimmed', row.dimmed);
      row.cells.forEach((cell, column) => {
        const td = element('td', { text: cell });
        if (this.texts.rightAligned[column]) td.classList.add('figure');
        tr.append(td);
      });
      return tr;
    });
    this.body.replaceChildren(...rows);
    this.save.disabled = this.shown === null;
    if (view === null) {
      this.inputs.textContent = '';
      this.count.textContent = '';
    }
    this.drawChart();
    this.markSelection();
  }

  private select(index: number | null, scroll: boolean): void {
    this.selected = index;
    this.markSelection();
    if (scroll && index !== null) this.body.querySelector(`tr[data-row="${index}"]`)?.scrollIntoView({ block: 'center' });
    this.plot?.redraw(false, false);
  }

  private markSelection(): void {
    for (const tr of this.body.rows) {
      const chosen = tr.dataset.row === String(this.selected);
      tr.classList.toggle('selected', chosen);
      tr.setAttribute('aria-selected', String(chosen));
    }
    this.use.disabled = this.selected === null;
  }

  private moveSelection(event: KeyboardEvent): void {
    if (event.key !== 'ArrowDown' && event.key !== 'ArrowUp') {
      if (event.key === 'Enter' && this.selected !== null) this.useSelected();
      return;
    }
    event.preventDefault();
    const rows = this.view?.rows ?? [];
    const at = rows.findIndex((row) => row.index === this.selected);
    const next = rows[Math.max(0, Math.min(rows.length - 1, at + (event.key === 'ArrowDown' ? 1 : -1)))];
    if (next) this.select(next.index, true);
  }

  private useSelected(): void {
    const shown = this.shown;
    if (shown === null || this.selected === null) return;
    // As on the desktop, the window stays open beside the results it leads to.
    void designChoice(shown, this.selected).then((choice) => {
      if (choice) this.events.useDesign(choice);
    });
  }

  private async saveTable(): Promise<void> {
    if (this.shown === null) return;
    download(this.texts.saveFile, await comparisonCsv(this.shown), 'text/csv');
  }

  // The chart: x the volume (logarithmic), y the total loss, the points in
  // ascending volume as uPlot wants them.
  private drawChart(): void {
    this.plot?.destroy();
    this.plot = null;
    const chart = this.view?.chart;
    const fitting = chart?.fitting ?? { index: [], volume: [], loss: [], name: [] };
    const order = fitting.index.map((_, k) => k).sort((a, b) => (fitting.volume[a] ?? 0) - (fitting.volume[b] ?? 0));
    const xs = order.map((k) => fitting.volume[k] ?? 0);
    const ys = order.map((k) => fitting.loss[k] ?? 0);
    const rowAt = order.map((k) => fitting.index[k] ?? -1);
    const front = new Set(chart?.front.index ?? []);
    const frontYs = order.map((k) => (front.has(fitting.index[k] ?? -1) ? (fitting.loss[k] ?? null) : null));
    const names = order.map((k) => fitting.name[k] ?? '');
    const picks = chart?.picks ?? { index: [], volume: [], loss: [], name: [] };
    const width = Math.max(360, this.chartBox.clientWidth || 460);
    const options: uPlot.Options = {
      width,
      height: 360,
      legend: { show: false },
      cursor: { show: false },
      scales: { x: { time: false, distr: 3 }, y: { range: (_u, _min, max) => [0, max > 0 ? max * 1.1 : 1] } },
      axes: [
        { label: this.texts.volumeAxis, stroke: '#222' },
        { label: this.texts.lossAxis, stroke: '#222' },
      ],
      series: [
        {},
        { stroke: 'rgb(70,110,190)', width: 0, paths: () => null, points: { show: true, size: 7, fill: 'rgb(70,110,190)' } },
        { stroke: 'rgb(30,140,60)', width: 2, spanGaps: true, points: { show: true, size: 5 } },
      ],
      hooks: {
        draw: [(u) => this.drawMarks(u, picks, xs, ys, rowAt)],
      },
    };
    this.plot = new uPlot(options, [xs, ys, frontYs], this.chartBox);
    const over = this.plot.root.querySelector<HTMLElement>('.u-over') ?? this.plot.root;
    const nearest = (event: MouseEvent): number => {
      const u = this.plot;
      if (!u) return -1;
      const box = over.getBoundingClientRect();
      const mx = event.clientX - box.left, my = event.clientY - box.top;
      let best = -1;
      let reach = pointReach;
      xs.forEach((x, k) => {
        const d = Math.hypot(u.valToPos(x, 'x') - mx, u.valToPos(ys[k] ?? 0, 'y') - my);
        if (d <= reach) {
          reach = d;
          best = k;
        }
      });
      return best;
    };
    over.addEventListener('mousemove', (event) => {
      const k = nearest(event);
      const name = k >= 0 ? (names[k] ?? '') : '';
      this.point.textContent = name;
      this.tip.textContent = name;
      this.tip.hidden = name === '';
      if (name !== '') {
        // Beside the mouse, on the side with room for it.
        const box = this.chartBox.getBoundingClientRect();
        const x = event.clientX - box.left;
        const left = x < box.width / 2;
        this.tip.style.left = left ? `${x + 12}px` : '';
        this.tip.style.right = left ? '' : `${box.width - x + 12}px`;
        this.tip.style.top = `${event.clientY - box.top + 12}px`;
      }
    });
    over.addEventListener('mouseleave', () => {
      this.point.textContent = '';
      this.tip.hidden = true;
    });
    over.addEventListener('click', (event) => {
      const k = nearest(event);
      if (k >= 0) this.select(rowAt[k] ?? null, true);
    });
  }

  // The Calculate Core picks as squares, the chosen row ringed.
  private drawMarks(u: uPlot, picks: ChartPoints, xs: number[], ys: number[], rowAt: number[]): void {
    const ctx = u.ctx;
    const ratio = devicePixelRatio || 1;
    const at = (x: number, y: number): [number, number] => [
      u.valToPos(x, 'x', true),
      u.valToPos(y, 'y', true),
    ];
    ctx.save();
    ctx.fillStyle = 'rgb(230,140,0)';
    picks.volume.forEach((volume, k) => {
      const [px, py] = at(volume, picks.loss[k] ?? 0);
      const side = 11 * ratio;
      ctx.fillRect(px - side / 2, py - side / 2, side, side);
    });
    const chosen = rowAt.indexOf(this.selected ?? -2);
    if (chosen >= 0) {
      const [px, py] = at(xs[chosen] ?? 0, ys[chosen] ?? 0);
      ctx.strokeStyle = 'red';
      ctx.lineWidth = 2 * ratio;
      ctx.beginPath();
      ctx.arc(px, py, 8 * ratio, 0, 2 * Math.PI);
      ctx.stroke();
    }
    ctx.restore();
  }
}

/** Opens Compare Cores in `root` for the design text and compares at once. */
export async function showCompareCores(root: HTMLElement, designText: string, events: CompareEvents): Promise<void> {
  const window = new CompareWindow(root, designText, events, await compareTexts());
  window.compare();
}
