// Compare Cores and the Inductance Curve in a real Chromium, on the test page
// web/analysis-test.html, against the native CLI: the table's rows, texts,
// marks and CSV are those of --explore, its sort, filters, Cancel and Use
// This Design; the curve's CSV is --curve's, the SPICE model --spice's, and
// both pictures are saved.
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import type { Download, Page } from 'playwright-core';
import { nativeCli, openSite, type Site } from './support/browser.js';

let site: Site;
let folder: string;

before(async () => {
  site = await openSite({ path: '/analysis-test.html' });
  folder = mkdtempSync(join(tmpdir(), 'coredesign-analysis-'));
});

after(async () => {
  await site?.close();
  rmSync(folder, { recursive: true, force: true });
});

// The design file of the input screen the options give (--save-design).
function designText(options: string[]): string {
  const file = join(folder, `design-${options.join('_').replace(/[^A-Za-z0-9]/g, '')}.coredesign`);
  nativeCli(['--save-design', file, ...options]);
  return readFileSync(file, 'utf8');
}

async function fresh(page: Page): Promise<void> {
  await page.evaluate(() => {
    document.getElementById('app')?.replaceChildren();
    const events = document.querySelector('[data-name="events"]');
    if (events) events.textContent = '';
  });
}

async function openCompare(page: Page, text: string): Promise<void> {
  await fresh(page);
  await page.evaluate((t) => (window as any).analysisTest.openCompare(t), text);
  await page.waitForSelector('[data-screen="frmCompareCores"][data-state="ready"]');
}

// The table as shown: each row's cells and marks.
async function tableRows(page: Page) {
  return page.$$eval('[data-name="tblCores"] tbody tr', (rows) =>
    rows.map((tr) => ({
      cells: Array.from(tr.querySelectorAll('td'), (td) => td.textContent ?? ''),
      shaded: tr.classList.contains('shaded'),
      bold: tr.classList.contains('bold'),
      dimmed: tr.classList.contains('dimmed'),
    })),
  );
}

async function saved(page: Page, click: () => Promise<void>): Promise<{ name: string; bytes: Buffer }> {
  const [download] = await Promise.all([page.waitForEvent('download'), click()]);
  const d = download as Download;
  const path = await d.path();
  return { name: d.suggestedFilename(), bytes: readFileSync(path) };
}

function parseCsv(csv: string): Record<string, string>[] {
  const [header, ...lines] = csv.trimEnd().split('\n');
  const names = (header ?? '').split(',');
  return lines.map((line) => Object.fromEntries(line.split(',').map((cell, k) => [names[k] ?? '', cell])));
}

const verdicts: Record<string, string> = {
  results: 'Fits',
  fill_warning: 'Overfills the window',
  dc_bias: 'Saturates (DC bias)',
  inductance_limit: 'Inductance not reached',
  no_wire: 'No wire large enough',
  area_product: 'No core large enough',
};

test('the table, its marks and Save Table are those of coredesign-cli --explore', async () => {
  const page = site.page;
  const cases = [
    { name: 'default', design: [] as string[], explore: [] as string[] },
    {
      name: 'no gap, 150 µH, stack 2',
      design: ['--family', 'nogap', '--inductance', '150', '--inductance-unit', 'microhenry', '--stack', '2'],
      explore: ['--inductance', '150', '--inductance-unit', 'microhenry', '--stack', '2'],
    },
  ];
  for (const k of cases) {
    await openCompare(page, designText(k.design));
    const csv = nativeCli(['--explore', '--csv', ...k.explore]).stdout;
    const json = JSON.parse(nativeCli(['--explore', ...k.explore]).stdout) as {
      calculate_core: { family: string; part: string | null; stack: number }[];
    };
    const table = await saved(page, () => page.click('[data-name="cmdSave"]'));
    assert.equal(table.name, 'core-comparison.csv', k.name);
    assert.equal(table.bytes.toString('utf8'), csv, `${k.name}: Save Table is --explore --csv`);

    const expected = parseCsv(csv);
    const fitting = expected.filter((row) => row.fits === 'true');
    assert.equal((await tableRows(page)).length, fitting.length, `${k.name}: the fitting rows alone at first`);
    await page.check('[data-name="chkEveryRow"]');
    await page.waitForFunction(
      (n) => document.querySelectorAll('[data-name="tblCores"] tbody tr').length === n,
      expected.length,
    );
    const rows = await tableRows(page);
    const byKey = new Map(rows.map((row) => [`${row.cells[0]} ${row.cells[1]} ${row.cells[2]}`, row]));
    const picks = new Set(json.calculate_core.map((p) => `${p.family} ${p.part} ${p.stack}`));
    for (const e of expected) {
      const family = e.family === 'gapped' ? '100 Perm' : '245 Perm';
      const row = byKey.get(`${family} ${e.part} ${e.stack}`);
      assert.ok(row, `${k.name}: a row for ${e.part} * ${e.stack}`);
      const hot = e.outcome === 'results' && e.temperature_alarm === 'true';
      assert.equal(row.cells[3], hot ? 'Too hot' : verdicts[e.outcome ?? ''], `${e.part} * ${e.stack}`);
      assert.ok(Math.abs(Number(row.cells[4]) - Number(e.volume_cm3)) <= 0.005 + 1e-12, `volume of ${e.part}`);
      if (e.outcome === 'results' || e.outcome === 'fill_warning') {
        assert.ok(Math.abs(Number(row.cells[5]) - Number(e.TotalLoss)) <= 0.0005 + 1e-12, `loss of ${e.part}`);
        assert.equal(row.cells[7], e.Turns);
      } else {
        assert.equal(row.cells[5], '', `no loss without a design: ${e.part} * ${e.stack}`);
      }
      assert.equal(row.shaded, e.pareto === 'true', `Pareto shading of ${e.part} * ${e.stack}`);
      assert.equal(row.bold, picks.has(`${e.family} ${e.part} ${e.stack}`), `bold pick ${e.part} * ${e.stack}`);
      assert.equal(row.dimmed, e.fits !== 'true');
    }
    assert.equal(rows.filter((row) => row.bold).length, picks.size);
    // The chart holds every fitting design, one point each.
    const inputs = await page.textContent('[data-name="lblInputs"]');
    assert.match(inputs ?? '', /^Computed for: inductance /);
  }
});

test('every column sorts both ways, empty cells last, and the filters keep what they say', async () => {
  const page = site.page;
  await openCompare(page, designText([]));
  const lossHeading = '[data-name="tblCores"] thead th:nth-child(6)';
  const losses = async () => (await tableRows(page)).map((row) => row.cells[5] ?? '');
  const volumes = (await tableRows(page)).map((row) => Number(row.cells[4]));
  assert.deepEqual(volumes, [...volumes].sort((a, b) => a - b), 'smallest volume first');

  await page.check('[data-name="chkEveryRow"]');
  for (const ascending of [true, false]) {
    await page.click(lossHeading);
    await page.waitForSelector(`${lossHeading}[aria-sort="${ascending ? 'ascending' : 'descending'}"]`);
    const shown = await losses();
    const filled = shown.filter((cell) => cell !== '').map(Number);
    assert.ok(filled.length > 0 && filled.length < shown.length);
    assert.deepEqual(shown.slice(filled.length), Array(shown.length - filled.length).fill(''), 'empty cells last');
    assert.deepEqual(filled, [...filled].sort((a, b) => (ascending ? a - b : b - a)));
  }

  const filters = [
    { family: '1', every: true, rows: 34 * 9, shown: ['100 Perm'] },
    { family: '2', every: true, rows: 36 * 9, shown: ['245 Perm'] },
    { family: '0', every: true, rows: 630, shown: ['100 Perm', '245 Perm'] },
  ];
  for (const f of filters) {
    await page.selectOption('[data-name="cmbFamily"]', f.family);
    await page.waitForFunction(
      (n) => document.querySelectorAll('[data-name="tblCores"] tbody tr').length === n,
      f.rows,
    );
    const families = new Set((await tableRows(page)).map((row) => row.cells[0]));
    assert.deepEqual([...families].sort(), f.shown);
  }
  await page.uncheck('[data-name="chkEveryRow"]');
  await page.waitForFunction(() => document.querySelectorAll('[data-name="tblCores"] tbody tr.dimmed').length === 0);
  assert.ok((await tableRows(page)).length > 0);
});

test('Cancel stops a running comparison; Refresh compares again; Use This Design hands over the row', async () => {
  const page = site.page;
  await fresh(page);
  await page.evaluate(() => (window as any).analysisTest.hold(true));
  await page.evaluate((t) => (window as any).analysisTest.openCompare(t), designText([]));
  // Held after its first slice: running, part done.
  await page.waitForFunction(() => {
    const bar = document.querySelector<HTMLProgressElement>('[data-name="prgCompare"]');
    return bar !== null && !bar.hidden && bar.value > 0 && bar.value < bar.max;
  });
  assert.equal(await page.getAttribute('[data-screen="frmCompareCores"]', 'data-state'), 'busy');
  assert.equal(await page.isVisible('[data-name="cmdCancel"]'), true);
  await page.keyboard.press('Alt+a');  // C&ancel
  await page.evaluate(() => (window as any).analysisTest.release());
  await page.waitForSelector('[data-screen="frmCompareCores"][data-state="cancelled"]');
  assert.equal(await page.textContent('[data-name="lblCount"]'), 'Cancelled.');
  assert.equal((await tableRows(page)).length, 0);
  assert.equal(await page.isVisible('[data-name="cmdCancel"]'), false);

  await page.evaluate(() => (window as any).analysisTest.hold(false));
  await page.click('[data-name="cmdRefresh"]');
  await page.waitForSelector('[data-screen="frmCompareCores"][data-state="ready"]');
  const rows = await tableRows(page);
  const k = rows.findIndex((row) => row.cells[1] === '6222TXNG' && row.cells[2] === '1');
  assert.ok(k >= 0);
  await page.click(`[data-name="tblCores"] tbody tr:nth-child(${k + 1})`);
  await page.click('[data-name="cmdUse"]');
  await page.waitForFunction(() => /useDesign/.test(document.querySelector('[data-name="events"]')?.textContent ?? ''));
  assert.equal(
    await page.textContent('[data-name="events"]'),
    'useDesign {"gapped":false,"partNo":"6222TXNG","stack":1}\n',
  );
  await page.keyboard.press('Alt+c');  // &Close
  await page.waitForFunction(() => /close/.test(document.querySelector('[data-name="events"]')?.textContent ?? ''));
  assert.equal(await page.$('[data-screen="frmCompareCores"]'), null);
});

test('texts that fail an input check give their message and no window', async () => {
  const page = site.page;
  await fresh(page);
  await page.evaluate((t) => (window as any).analysisTest.openCompare(t), designText(['--dc-current', '0']));
  const box = await page.waitForSelector('[role="alertdialog"]');
  const json = JSON.parse(nativeCli(['--json', '--dc-current', '0']).stdout) as { messages: { id: string; text: string }[] };
  assert.equal(await box.getAttribute('data-message-id'), json.messages[0]?.id);
  assert.equal(await page.textContent('.analysis-message-text'), json.messages[0]?.text);
  await page.click('[role="alertdialog"] button');
  await page.waitForFunction(() => /close/.test(document.querySelector('[data-name="events"]')?.textContent ?? ''));
  assert.equal(await page.$('[data-screen="frmCompareCores"]'), null);
});

test('the curve saves --curve\'s CSV, --spice\'s model and its picture as PNG and SVG', async () => {
  const page = site.page;
  const cases = [
    { name: 'default', options: [] as string[], title: 'Inductance Curve - 6218TXGP' },
    { name: 'no gap', options: ['--family', 'nogap'], title: 'Inductance Curve - 6218TXNG' },
  ];
  for (const k of cases) {
    await fresh(page);
    await page.evaluate((t) => (window as any).analysisTest.openCurve(t), designText(k.options));
    await page.waitForSelector('[data-screen="frmInductanceCurve"][data-state="ready"]');
    assert.equal(await page.textContent('[data-screen="frmInductanceCurve"] h2'), k.title);

    const data = await saved(page, () => page.click('[data-name="cmdSaveData"]'));
    assert.equal(data.bytes.toString('utf8'), nativeCli(['--curve', ...k.options]).stdout, `${k.name}: --curve`);
    const spiceFile = join(folder, `${k.name}.lib`);
    nativeCli(['--spice', spiceFile, ...k.options]);
    const spice = await saved(page, () => page.click('[data-name="cmdSaveSpice"]'));
    assert.equal(spice.bytes.toString('utf8'), readFileSync(spiceFile, 'utf8'), `${k.name}: --spice`);
    assert.match(spice.name, /^CHOKE_.*\.lib$/);

    await page.keyboard.press('Alt+p');  // Save &Picture...
    const png = await saved(page, () => page.click('[data-name="cmdSavePng"]'));
    assert.deepEqual([...png.bytes.subarray(0, 8)], [0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a], 'a PNG');
    assert.match(png.name, /-curve\.png$/);
    await page.click('[data-name="cmdSavePicture"]');
    const svg = await saved(page, () => page.click('[data-name="cmdSaveSvg"]'));
    assert.match(svg.bytes.toString('utf8'), /^<\?xml[^>]*>\n<svg xmlns="http:\/\/www\.w3\.org\/2000\/svg"[^]*<\/svg>\n$/);
    assert.match(svg.name, /-curve\.svg$/);
  }
});
