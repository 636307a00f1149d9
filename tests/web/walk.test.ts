// The keyboard walk through the web edition, in a real headless Chromium:
// start screen, input screen, Show Results (the figures the native CLI
// gives), Calculations, View Report, Save as HTML File (the native report's
// bytes, the pictures' addresses aside), Back, then Compare Cores, Use This
// Design and the Inductance Curve's Save Data.
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { nativeCli, openSite } from './support/browser.js';
import { focused, named, screen, shown } from './screens-page.js';

// A report's bytes with each picture's reference reduced to its file name.
function withoutPictureAddresses(bytes: Buffer): string {
  return bytes.toString('latin1').replace(/src=[^ >]*?(kes_logo|coregap|corenogap)\.gif/g, 'src=$1.gif');
}

test('the keyboard walk gives the native program\'s figures and report', async () => {
  const site = await openSite();
  const folder = mkdtempSync(join(tmpdir(), 'coredesign-walk-'));
  try {
    const { page, baseUrl } = site;
    await shown(page, 'frmEnter');
    await page.keyboard.press('Alt+A');
    await shown(page, 'frmXls');
    assert.equal(await page.locator(screen('frmEnter')).count(), 0, 'the start screen closes');
    assert.equal(await focused(page), 'txtInductance');

    await page.keyboard.press('Alt+S');
    await shown(page, 'frmResult');
    assert.equal(await page.locator(screen('frmXls')).isHidden(), true);
    assert.equal(await focused(page), 'cmdIinterOutput');
    const native = JSON.parse(nativeCli(['--json']).stdout) as { results_screen: Record<string, unknown> };
    let compared = 0;
    for (const [control, text] of Object.entries(native.results_screen)) {
      if (typeof text !== 'string') continue;
      assert.equal(await page.locator(named('frmResult', control)).textContent(), text, control);
      ++compared;
    }
    assert.ok(compared >= 19, `${compared} boxes compared`);

    await page.keyboard.press('Alt+C');
    await shown(page, 'frmIntermediateOutput');
    assert.equal(await page.locator(named('frmIntermediateOutput', 'Labelo9')).textContent(), native.results_screen.txtNoOfTurns);
    await page.keyboard.press('Alt+C');
    await page.waitForSelector(screen('frmIntermediateOutput'), { state: 'detached' });
    assert.equal(await focused(page), 'cmdIinterOutput');

    await page.keyboard.press('Alt+V');
    await shown(page, 'frmHtmlReport');
    const frame = page.locator(`${screen('frmHtmlReport')} iframe`);
    assert.equal(await frame.getAttribute('sandbox'), '');
    assert.match((await frame.getAttribute('src')) ?? '', /^blob:/);
    const saving = page.waitForEvent('download');
    await page.keyboard.press('Alt+S');
    const saved = await saving;
    const savedFile = join(folder, 'saved.html');
    await saved.saveAs(savedFile);
    const nativeReport = join(folder, 'native.html');
    assert.equal(nativeCli(['--report', nativeReport]).status, 0);
    const bytes = readFileSync(savedFile);
    assert.equal(withoutPictureAddresses(bytes), withoutPictureAddresses(readFileSync(nativeReport)));
    assert.ok(bytes.toString('latin1').includes(`src=${baseUrl}/pictures/kes_logo.gif`), 'the logo on the site');

    await page.keyboard.press('Alt+B');
    await shown(page, 'frmResult');
    assert.equal(await page.locator(screen('frmHtmlReport')).count(), 0, 'the viewer closes');
  } finally {
    rmSync(folder, { recursive: true, force: true });
    await site.close();
  }
});
