// Pictures of the web edition's screens for the README, taken by headless
// Chromium from the built site: node build-web/tests/screens-pictures.js
// writes docs/web-input.png, docs/web-results.png (and, where the site has
// them, docs/web-compare.png and docs/web-curve.png).
import { join } from 'node:path';
import { openSite, repoRoot } from './support/browser.js';
import { named, shown } from './screens-page.js';

const site = await openSite();
try {
  const { page } = site;
  await page.setViewportSize({ width: 1180, height: 760 });
  const picture = async (name: string, screenName: string) => {
    await page.locator(`section[data-screen="${screenName}"]`).first().screenshot({ path: join(repoRoot, 'docs', `web-${name}.png`) });
  };
  await page.locator(named('frmEnter', 'cmdProcess')).click();
  await shown(page, 'frmXls');
  await picture('input', 'frmXls');
  await page.locator(named('frmXls', 'cmdProcess')).click();
  await shown(page, 'frmResult');
  await picture('results', 'frmResult');
  if (process.argv.includes('--analysis')) {
    await page.locator(named('frmResult', 'cmdCurve')).click();
    await page.waitForSelector('section[data-screen="frmInductanceCurve"][data-state="ready"]');
    await picture('curve', 'frmInductanceCurve');
    await page.locator(named('frmResult', 'cmdExit')).click();
    await shown(page, 'frmXls');
    await page.locator(named('frmXls', 'cmdCompare')).click();
    await page.waitForSelector('section[data-screen="frmCompareCores"][data-state="ready"]');
    await picture('compare', 'frmCompareCores');
  }
} finally {
  await site.close();
}
