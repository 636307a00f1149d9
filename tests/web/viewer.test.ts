// The report viewer: the generated report shows in a sandboxed frame with
// the site's pictures; a hostile page opened there (scripts, a remote
// picture, style sheet and frame, a refresh, a followed link, fetch, XHR,
// WebSocket, beacon, peer connection, another file read) runs nothing and
// reaches nothing, as the desktop viewer's hostile page test shows; Print
// refuses a page that is not a report of this program.
import assert from 'node:assert/strict';
import { mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { test } from 'node:test';
import { startServer, type ServedRequest } from '../../web/server.mjs';
import { openSite, waitForReady } from './support/browser.js';
import { closeMessage, named, shown } from './screens-page.js';

test('a hostile report in the viewer runs nothing and reaches nothing', async () => {
  const folder = mkdtempSync(join(tmpdir(), 'coredesign-viewer-'));
  writeFileSync(join(folder, 'secret.txt'), 'designer-secret-42');
  const remoteRequests: ServedRequest[] = [];
  const remote = await startServer({ root: folder, onRequest: (request) => remoteRequests.push(request) });
  // No service worker: its precaching would be requests of the site's own.
  const site = await openSite({ serviceWorkers: 'block' });
  try {
    const { page, baseUrl } = site;
    await page.locator(named('frmEnter', 'cmdProcess')).click();
    await shown(page, 'frmXls');
    await page.locator(named('frmXls', 'cmdProcess')).click();
    await shown(page, 'frmResult');
    const logo = page.waitForResponse((response) => response.url() === `${baseUrl}/pictures/kes_logo.gif`);
    await page.locator(named('frmResult', 'cmdReport')).click();
    await shown(page, 'frmHtmlReport');
    assert.equal((await logo).status(), 200, 'the report shows the site\'s pictures');
    const report = page.frameLocator('iframe.report-frame');
    await report.locator('[name="print"]').first().waitFor({ state: 'attached' });

    const at = remote.url;
    const secret = `${at}secret.txt`;
    const hostile = join(folder, 'hostile.html');
    writeFileSync(
      hostile,
      `<html><head><meta http-equiv=refresh content='0;url=${at}refresh'>` +
        `<link rel=stylesheet href='${at}style.css'></head><body><p id=out>untouched</p>` +
        `<img src='${at}picture.gif'><iframe src='${secret}'></iframe><iframe src='${at}frame'></iframe>` +
        `<object data='${secret}'></object><a id=away href='${at}link'>away</a><script>` +
        "var out = document.getElementById('out');" +
        `fetch('${secret}').then(function (r) { return r.text(); }).then(function (t) { out.textContent = t; });` +
        `var x = new XMLHttpRequest(); x.open('GET', '${secret}');` +
        'x.onload = function () { out.textContent = x.responseText; }; x.send();' +
        `fetch('${at}fetch', {mode: 'no-cors'}); new WebSocket('ws' + '${at}socket'.slice(4));` +
        `new Image().src = '${at}image'; navigator.sendBeacon('${at}beacon', 'x');` +
        `var pc = new RTCPeerConnection({iceServers: [{urls: 'stun:' + '${at}'.slice(7, -1)}]});` +
        "pc.createDataChannel('x'); pc.createOffer().then(function (o) { pc.setLocalDescription(o); });" +
        "document.title = 'script ran'; parent.document.title = 'script ran';</script></body></html>",
    );
    const siteRequests = site.requests.length;
    await page.locator('input[data-name="openReportFile"]').setInputFiles(hostile);
    await report.locator('#out').waitFor({ state: 'attached' });
    await report.locator('#away').click();
    await page.waitForLoadState('networkidle');
    // The followed link was blocked; the frame shows the file again.
    await report.locator('#out').waitFor({ state: 'attached' });

    assert.deepEqual(remoteRequests, [], 'nothing reached the other server');
    assert.deepEqual(site.requests.slice(siteRequests), [], 'nothing reached the site');
    assert.equal(await report.locator('#out').textContent(), 'untouched');
    const frame = page.frames().find((f) => f.url().startsWith('blob:'));
    assert.ok(frame, 'the frame still shows the opened file');
    assert.notEqual(await page.title(), 'script ran');
    for (const f of page.frames()) {
      const text = await f.locator('body').textContent().catch(() => '');
      assert.ok(!(text ?? '').includes('designer-secret-42'), `no frame shows the file (${f.url()})`);
    }

    await page.locator(named('frmHtmlReport', 'cmdPrint')).click();
    const box = await closeMessage(page);
    assert.equal(box.id, 'print');
    assert.match(box.text, /UNABLE TO PRINT/);
    await page.waitForLoadState('networkidle');
    assert.deepEqual(remoteRequests, [], 'nor did the copy made for printing');
    await waitForReady(page);
  } finally {
    await site.close();
    await remote.close();
    rmSync(folder, { recursive: true, force: true });
  }
});
