// The Inductance Curve window: the designed winding's inductance against the
// current through it, with the operating point, the entered inductance, 3 %
// below it and the DC current; the permeability on the right-hand axis as a
// share of its initial value; Save Picture (PNG or SVG), Save Data (CSV) and
// Save SPICE Model. Texts, curve, CSV and model are the engine's.
import uPlot from 'uplot';
import 'uplot/dist/uPlot.min.css';
import type { CurveTexts, CurveView } from '../../../wasm/coredesign-analysis';
import { curveView } from './client';
import { AccessKeys, button, download, element, tell } from './controls';
import './analysis.css';

const colours = {
  curve: 'rgb(0,0,160)',
  entered: 'rgb(0,128,0)',
  acceptance: 'rgb(200,120,0)',
  dc: 'rgb(110,110,110)',
  operating: 'rgb(255,0,0)',
};

// A round step near `step`: 1, 2, 2.5 or 5 times a power of ten (the
// desktop chart's nice numbers).
function roundStep(step: number): number {
  if (!(step > 0) || !Number.isFinite(step)) return 1;
  const power = 10 ** Math.floor(Math.log10(step));
  for (const m of [1, 2, 2.5, 5]) if (step <= m * power) return m * power;
  return 10 * power;
}

// The range [min, max] widened to round steps, about five of them.
function niceRange(min: number, max: number): [number, number] {
  const step = roundStep((max - min) / 5);
  return [Math.floor(min / step) * step, Math.ceil(max / step) * step];
}

type Curve = Required<CurveView> & { texts: CurveTexts };

class CurveWindow {
  private readonly keys = new AccessKeys();
  private readonly section = element('section', { className: 'analysis-window curve-window' });
  private readonly chartBox = element('div', { name: 'chtCurve', className: 'curve-chart' });
  private readonly pictureMenu = element('div', { className: 'curve-picture-menu' });
  private plot: uPlot | null = null;

  constructor(
    private readonly root: HTMLElement,
    private readonly curve: Curve,
  ) {
    const t = curve.texts;
    this.section.dataset.screen = 'frmInductanceCurve';
    this.section.setAttribute('aria-label', t.title);
    const title = element('h2', { className: 'analysis-heading', text: t.title });
    const chartTitle = element('p', { className: 'chart-title', text: t.chartTitle });
    const legend = element('ul', { className: 'chart-legend' });
    for (const [text, swatch] of [
      [t.curveSeries, 'swatch-curve'],
      [t.enteredSeries, 'swatch-entered'],
      [t.acceptanceSeries, 'swatch-acceptance'],
      [t.dcCurrentSeries, 'swatch-dc'],
      [t.operatingSeries, 'swatch-operating'],
    ] as const) {
      const item = element('li');
      item.append(element('span', { className: `swatch ${swatch}` }), text);
      legend.append(item);
    }
    const zero = element('p', { name: 'lblZeroCurrent', className: 'curve-note', text: t.zeroCurrentNote });
    const limit = element('p', { name: 'lblLimit', className: 'curve-note', text: t.limitNote });
    limit.hidden = t.limitNote === '';

    const [pictureText, dataText, spiceText, closeText] = t.buttons;
    if (!pictureText || !dataText || !spiceText || !closeText) throw new Error('the engine gave too few buttons');
    const picture = button(pictureText, this.keys);
    const data = button(dataText, this.keys);
    const spice = button(spiceText, this.keys);
    const close = button(closeText, this.keys);
    // Save Picture offers the two types by the files' names.
    const png = element('button', { name: 'cmdSavePng', text: t.pictureFile });
    const svg = element('button', { name: 'cmdSaveSvg', text: t.pictureSvgFile });
    png.type = svg.type = 'button';
    this.pictureMenu.append(png, svg);
    this.pictureMenu.hidden = true;
    picture.addEventListener('click', () => {
      this.pictureMenu.hidden = !this.pictureMenu.hidden;
      if (!this.pictureMenu.hidden) png.focus();
    });
    png.addEventListener('click', () => {
      this.pictureMenu.hidden = true;
      this.picture().toBlob((blob) => {
        if (blob) download(t.pictureFile, blob, 'image/png');
      }, 'image/png');
    });
    svg.addEventListener('click', () => {
      this.pictureMenu.hidden = true;
      download(t.pictureSvgFile, this.svgPicture(), 'image/svg+xml');
    });
    data.addEventListener('click', () => download(t.dataFile, curve.csv, 'text/csv'));
    spice.addEventListener('click', () => download(t.spiceFile, curve.spice, 'text/plain'));
    close.addEventListener('click', () => this.close());
    this.section.addEventListener('keydown', (event) => {
      if (this.keys.handle(event)) return;
      if (event.key === 'Escape') {
        event.preventDefault();
        this.close();
      }
    });

    const buttons = element('div', { className: 'analysis-buttons' });
    buttons.append(picture, this.pictureMenu, data, spice, close);
    this.section.append(title, chartTitle, this.chartBox, legend, zero, limit, buttons);
    this.root.append(this.section);
    this.draw();
    this.section.dataset.state = 'ready';
    picture.focus();
  }

  private close(): void {
    this.plot?.destroy();
    this.section.remove();
  }

  private draw(): void {
    const c = this.curve;
    const t = c.texts;
    const inductances = c.inductance;
    const yLow = Math.min(c.acceptance, c.entered, ...inductances);
    const yHigh = Math.max(c.zeroCurrentInductance, c.entered, ...inductances);
    const margin = (yHigh - yLow) * 0.08 + yHigh * 1e-3;
    const [yMin, yMax] = niceRange(Math.max(0, yLow - margin), yHigh + margin);
    const [xMin, xMax] = niceRange(0, c.currentEnd);
    const perCent = c.zeroCurrentInductance > 0 ? 100 / c.zeroCurrentInductance : 0;
    const xs = c.current;
    const operating = xs.map((x) => (x === c.operatingCurrent ? c.operatingInductance : null));
    const width = Math.max(480, this.chartBox.clientWidth || 760);
    const options: uPlot.Options = {
      width,
      height: 440,
      legend: { show: false },
      cursor: { show: false },
      scales: {
        x: { time: false, range: [xMin, xMax] },
        y: { range: [yMin, yMax] },
        mu: { range: [yMin * perCent, yMax * perCent] },
      },
      axes: [
        { label: t.currentAxis, stroke: '#222' },
        { label: t.inductanceAxis, stroke: '#222' },
        { label: t.permeabilityAxis, stroke: '#222', scale: 'mu', side: 1, grid: { show: false } },
      ],
      series: [
        {},
        { stroke: colours.curve, width: 2.5, points: { show: false } },
        { stroke: colours.entered, width: 1.5, dash: [8, 5], points: { show: false } },
        { stroke: colours.acceptance, width: 1.5, dash: [2, 4], points: { show: false } },
        {
          stroke: colours.operating,
          width: 0,
          paths: () => null,
          points: { show: true, size: 11, fill: colours.operating, stroke: colours.operating },
        },
      ],
      hooks: { draw: [(u) => this.drawMarks(u)] },
    };
    this.plot = new uPlot(
      options,
      [xs, inductances, xs.map(() => c.entered), xs.map(() => c.acceptance), operating],
      this.chartBox,
    );
  }

  // The DC current's upright line and the operating point's label.
  private drawMarks(u: uPlot): void {
    const c = this.curve;
    const ctx = u.ctx;
    const ratio = devicePixelRatio || 1;
    ctx.save();
    const x = u.valToPos(c.dcCurrent, 'x', true);
    ctx.strokeStyle = colours.dc;
    ctx.lineWidth = 1.5 * ratio;
    ctx.setLineDash([8 * ratio, 3 * ratio, 2 * ratio, 3 * ratio]);
    ctx.beginPath();
    ctx.moveTo(x, u.bbox.top);
    ctx.lineTo(x, u.bbox.top + u.bbox.height);
    ctx.stroke();
    ctx.setLineDash([]);
    const px = u.valToPos(c.operatingCurrent, 'x', true);
    const py = u.valToPos(c.operatingInductance, 'y', true);
    ctx.font = `${12 * ratio}px sans-serif`;
    ctx.fillStyle = colours.operating;
    const label = c.texts.operatingLabel;
    const labelWidth = ctx.measureText(label).width;
    // Right of the point and above it, inside the plot.
    const lx = Math.min(px + 10 * ratio, u.bbox.left + u.bbox.width - labelWidth - 4 * ratio);
    ctx.fillText(label, lx, py - 12 * ratio);
    ctx.restore();
  }

  // The picture: the chart's title above the plot and the legend below, on white.
  private picture(): HTMLCanvasElement {
    const plotCanvas = this.plot?.ctx.canvas;
    const ratio = devicePixelRatio || 1;
    const canvas = document.createElement('canvas');
    const plotWidth = plotCanvas?.width ?? 0, plotHeight = plotCanvas?.height ?? 0;
    const t = this.curve.texts;
    const entries: [string, string][] = [
      [t.curveSeries, colours.curve],
      [t.enteredSeries, colours.entered],
      [t.acceptanceSeries, colours.acceptance],
      [t.dcCurrentSeries, colours.dc],
      [t.operatingSeries, colours.operating],
    ];
    const line = 18 * ratio;
    canvas.width = plotWidth;
    canvas.height = plotHeight + line * (2 + entries.length);
    const ctx = canvas.getContext('2d');
    if (!ctx) return canvas;
    ctx.fillStyle = 'white';
    ctx.fillRect(0, 0, canvas.width, canvas.height);
    ctx.fillStyle = 'black';
    ctx.font = `bold ${14 * ratio}px sans-serif`;
    ctx.textAlign = 'center';
    ctx.fillText(t.chartTitle, canvas.width / 2, line);
    if (plotCanvas) ctx.drawImage(plotCanvas, 0, line * 1.5);
    ctx.textAlign = 'left';
    ctx.font = `${12 * ratio}px sans-serif`;
    entries.forEach(([text, colour], k) => {
      const y = plotHeight + line * (2 + k);
      ctx.fillStyle = colour;
      ctx.fillRect(20 * ratio, y - 8 * ratio, 24 * ratio, 4 * ratio);
      ctx.fillStyle = 'black';
      ctx.fillText(text, 52 * ratio, y);
    });
    return canvas;
  }

  // The SVG picture: the same picture, held as an image in an SVG document.
  private svgPicture(): string {
    const canvas = this.picture();
    const escape = (text: string) =>
      text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;').replace(/"/g, '&quot;');
    return (
      `<?xml version="1.0" encoding="UTF-8"?>\n` +
      `<svg xmlns="http://www.w3.org/2000/svg" width="${canvas.width}" height="${canvas.height}" ` +
      `viewBox="0 0 ${canvas.width} ${canvas.height}">\n` +
      `<title>${escape(this.curve.texts.chartTitle)}</title>\n` +
      `<image width="${canvas.width}" height="${canvas.height}" href="${canvas.toDataURL('image/png')}"/>\n` +
      `</svg>\n`
    );
  }
}

/** Opens the Inductance Curve of the design Show Results gives for the text;
 *  the run's messages instead when it gives none. */
export async function showInductanceCurve(root: HTMLElement, designText: string): Promise<void> {
  const view = await curveView(designText);
  if (!view.texts) {
    const host = element('section', { className: 'analysis-window curve-window' });
    host.dataset.screen = 'frmInductanceCurve';
    host.dataset.state = 'refused';
    root.append(host);
    tell(host, view.refused, () => host.remove());
    return;
  }
  new CurveWindow(root, view as Curve);
}
