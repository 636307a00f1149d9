// The web edition's speed in Debian's headless Chromium (driven by
// playwright-core from web/), the built site served by web/server.mjs on
// 127.0.0.1; scripts/bench-web runs it.
//   node bench/web_bench.mjs SITE [SAMPLES]
// Prints one CSV line a figure: what, median, min, max, unit, samples.
//   - the site's transfer size: every file, as gzip -9 and brotli -q 11 send it;
//   - navigation to the start screen (the page's body says 'ready'), from
//     the navigation's start: cold (a new browser context: empty HTTP cache,
//     no service worker) and warm (the same context again, service worker
//     and cache in place);
//   - Show Results (frmXls's cmdProcess) to the results screen (frmResult)
//     and Compare Cores (frmXls's cmdCompare) to its table and chart
//     (frmCompareCores), each from the click to the body's 'ready' with the
//     screen shown; where the page has no such control yet, the line says so.
import { createRequire } from 'node:module';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';
import { startServer } from '../web/server.mjs';

const root = resolve(fileURLToPath(import.meta.url), '..', '..');
const require = createRequire(join(root, 'web', 'package.json'));
const { chromium } = require('playwright-core');

const [site, samplesText = '9'] = process.argv.slice(2);
const samples = Number(samplesText);
if (!site || !Number.isInteger(samples) || samples < 1) {
  console.error('usage: web_bench.mjs SITE [SAMPLES]');
  process.exit(2);
}

function line(what, values, unit) {
  const sorted = [...values].sort((a, b) => a - b);
  const median = sorted[Math.floor(sorted.length / 2)];
  const round = (value) => (unit === 'bytes' ? String(value) : value.toFixed(1));
  console.log([what, round(median), round(sorted[0]), round(sorted.at(-1)), unit, values.length].join(','));
}

function filesUnder(folder) {
  return readdirSync(folder, { withFileTypes: true }).flatMap((entry) =>
    entry.isDirectory() ? filesUnder(join(folder, entry.name)) : [join(folder, entry.name)],
  );
}

// The page's signal, timed inside the page: each time the body's data-state
// becomes 'ready', performance.now() (from the navigation's start) is kept.
function watchReady() {
  const times = [];
  Object.defineProperty(window, 'coredesignReadyTimes', { value: times });
  let last;
  new MutationObserver(() => {
    const state = document.body?.dataset.state;
    if (state === 'ready' && last !== 'ready') times.push(performance.now());
    last = state;
  }).observe(document, { subtree: true, attributes: true, attributeFilter: ['data-state'] });
}

async function openedAndReady(page, url) {
  await page.goto(url);
  await page.waitForFunction(() => window.coredesignReadyTimes?.length > 0);
  return page.evaluate(() => window.coredesignReadyTimes[0]);
}

// Clicks the control and waits for the body's next 'ready' with the screen
// shown; the time from just before the click, in the page.
async function timedClick(page, from, control, screen) {
  return page.evaluate(
    ([name, shown]) =>
      new Promise((resolveTime, rejectTime) => {
        const button = document.querySelector(name);
        if (!button) {
          rejectTime(new Error(`no control ${name}`));
          return;
        }
        const done = () => {
          const section = document.querySelector(`section[data-screen="${shown}"]`);
          // A window with a worker of its own says so on its section.
          const own = section?.dataset.state;
          return document.body.dataset.state === 'ready' && section?.checkVisibility() && (own ?? 'ready') === 'ready';
        };
        const start = performance.now();
        // Not a measurement: a run that never ends is reported, not waited for.
        const guard = setTimeout(() => rejectTime(new Error(`${shown} not shown ready after ${name}`)), 30000);
        const observer = new MutationObserver(() => {
          if (!done()) return;
          clearTimeout(guard);
          observer.disconnect();
          resolveTime(performance.now() - start);
        });
        observer.observe(document.body, { subtree: true, attributes: true, childList: true });
        button.click();
        if (done()) {
          clearTimeout(guard);
          observer.disconnect();
          resolveTime(performance.now() - start);
        }
      }),
    [`section[data-screen="${from}"] [data-name="${control}"]`, screen],
  );
}

// Where the page's button is missing or fails: Compare Cores opened straight on the
// tests' page (web/analysis-test.html, in a site built with --test-pages)
// with the default design's file, from the call to its table and chart.
async function compareOnTestPage(browser, url) {
  const context = await browser.newContext();
  const page = await context.newPage();
  const response = await page.goto(url + 'analysis-test.html');
  if (!response?.ok()) {
    console.log('Compare Cores on the test page,not measured: the site has no analysis-test.html (--test-pages)');
    await context.close();
    return;
  }
  await page.waitForFunction(() => document.body.dataset.state === 'ready');
  const folder = mkdtempSync(join(tmpdir(), 'coredesign-bench-'));
  const file = join(folder, 'default.coredesign');
  execFileSync('node', [join(root, 'build-wasm', 'coredesign-cli.mjs'), '--save-design', file], { stdio: 'ignore' });
  const designText = readFileSync(file, 'utf8');
  rmSync(folder, { recursive: true, force: true });
  const times = [];
  for (let i = 0; i < samples; i++) {
    times.push(
      await page.evaluate(
        (text) =>
          new Promise((resolveTime) => {
            document.getElementById('app').replaceChildren();
            const start = performance.now();
            const observer = new MutationObserver(() => {
              const section = document.querySelector('section[data-screen="frmCompareCores"]');
              if (section?.dataset.state !== 'ready' || !section.checkVisibility()) return;
              observer.disconnect();
              resolveTime(performance.now() - start);
            });
            observer.observe(document.body, { subtree: true, attributes: true, childList: true });
            window.analysisTest.openCompare(text);
          }),
        designText,
      ),
    );
  }
  line('Compare Cores to table and chart (test page: opened directly with the default design)', times, 'ms');
  await context.close();
}

async function hasControl(page, screen, control) {
  return (await page.locator(`section[data-screen="${screen}"] [data-name="${control}"]`).count()) > 0;
}

async function main() {
  let raw = 0;
  let gzip = 0;
  let brotli = 0;
  // The tests' pages and their own files are not part of the site.
  const files = filesUnder(site).filter((file) => !/-test\.html$|\/assets\/[^/]*-test-[^/]*$/.test(file));
  for (const file of files) {
    const bytes = readFileSync(file);
    raw += bytes.length;
    gzip += gzipSync(bytes, { level: 9 }).length;
    brotli += brotliCompressSync(bytes, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }).length;
  }
  console.log('what,median,min,max,unit,samples');
  line(`site raw (${files.length} files)`, [raw], 'bytes');
  line('site gzip -9', [gzip], 'bytes');
  line('site brotli -q 11', [brotli], 'bytes');

  const served = await startServer({ root: site });
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--no-first-run', '--disable-quic'],
  });
  try {
    const cold = [];
    const warm = [];
    for (let i = 0; i < samples; i++) {
      const context = await browser.newContext();
      await context.addInitScript(watchReady);
      const page = await context.newPage();
      cold.push(await openedAndReady(page, served.url));
      await page.evaluate(() => navigator.serviceWorker?.ready.then(() => true));
      await page.waitForFunction(() => !('serviceWorker' in navigator) || navigator.serviceWorker.controller);
      warm.push(await openedAndReady(page, served.url));
      await context.close();
    }
    line('navigation to start screen, cold', cold, 'ms');
    line('navigation to start screen, warm', warm, 'ms');

    const context = await browser.newContext();
    await context.addInitScript(watchReady);
    const page = await context.newPage();
    await openedAndReady(page, served.url);
    if (!(await hasControl(page, 'frmEnter', 'cmdProcess'))) {
      console.log('Show Results to results screen,not measured: the page has no start screen (frmEnter cmdProcess)');
      console.log('Compare Cores to table and chart,not measured: the page has no start screen (frmEnter cmdProcess)');
      await context.close();
      return;
    }
    await timedClick(page, 'frmEnter', 'cmdProcess', 'frmXls');
    const input = page.locator('section[data-screen="frmXls"]');
    const showResults = [];
    for (let i = 0; i < samples; i++) {
      showResults.push(await timedClick(page, 'frmXls', 'cmdProcess', 'frmResult'));
      // Back to the input screen for the next sample (Reset Design Inputs).
      await timedClick(page, 'frmResult', 'cmdExit', 'frmXls');
    }
    line('Show Results to results screen', showResults, 'ms');
    if (!(await input.locator('[data-name="cmdCompare"]').count())) {
      console.log('Compare Cores to table and chart,not measured: the input screen has no cmdCompare');
      await compareOnTestPage(browser, served.url);
    } else {
      const compare = [];
      try {
        for (let i = 0; i < samples; i++) {
          compare.push(await timedClick(page, 'frmXls', 'cmdCompare', 'frmCompareCores'));
          await page.keyboard.press('Escape');
          await page.locator('section[data-screen="frmCompareCores"]').waitFor({ state: 'hidden' });
        }
        line('Compare Cores to table and chart', compare, 'ms');
      } catch (error) {
        console.log(`Compare Cores to table and chart,not measured: ${String(error.message).split('\n')[0]}`);
        await compareOnTestPage(browser, served.url);
      }
    }
    await context.close();
  } finally {
    await browser.close();
    await served.close();
  }
}

await main();
