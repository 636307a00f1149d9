// The site around the page, in headless Chromium: what the first visit
// fetches and with which types, the Content-Security-Policy at work, the
// manifest, and the service worker (offline use, a new build replacing the
// old).
import assert from 'node:assert/strict';
import { createHash } from 'node:crypto';
import { cpSync, mkdtempSync, readdirSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { extname, join, relative, sep } from 'node:path';
import { test } from 'node:test';
import { brotliCompressSync, constants, gzipSync } from 'node:zlib';
import { chromium, type Page, type Response, type Worker } from 'playwright-core';
import { startServer } from '../../web/server.mjs';
import { chromiumArgs, nativeCli, openSite, siteDir, waitForReady } from './support/browser.js';

// The report's font styles, the only inline styles allowed: the report's
// frame is a blob: document, which inherits the page's policy.
const reportStyleHashes = [
  'KgIGa7PDQPEAmJoK1WHC9oJuktCI1cnuGRCocGYF+lM=', 'uyGy6kJyfKWuCq5+7IJ/u31LvOc7q2ZjblW9zH1I9rc=',
  'V+Mn6Umix/RD17ax2VEZrSyOUUXwP1/1ikNNotU8xMI=', 'rOd7rzyBjphJ3rk9EWbNoNz7bu0mVTW3WCJdZ9fQwRs=',
  'VomShuzILuJq3s2fjtDRw3PwhQmbgMSA7O8hKaHbnlg=', 'YKwOm9z/bA7mBHuk3DbTN/O4g08ymC0Lbheth8FwpJo=',
  'CGUBoGv0sb2Ujrvqqs8hiJqGr+8wDEc/zFTqeMafmFo=', 'k12ZoJBIUxFLrPEzn2cAqD21TKqygzQ3CAnLlOuG9yE=',
].map((hash) => `'sha256-${hash}'`);

// The CSP every page of the site carries.
const policy =
  "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; worker-src 'self'; " +
  `style-src 'self' 'unsafe-hashes' ${reportStyleHashes.join(' ')}; ` +
  "img-src 'self' data: blob:; frame-src 'self' blob:; connect-src 'self'; object-src 'none'; " +
  "base-uri 'none'; form-action 'none'";

const expectedTypes: Record<string, string> = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.gif': 'image/gif',
  '.svg': 'image/svg+xml',
  '.json': 'application/json',
};

// Every file of a built site as its address ('/assets/x.js'), but the pages
// that only the tests' build adds and their own files (x-test.html,
// assets/x-test-HASH.js).
function siteFiles(root: string): string[] {
  const files: string[] = [];
  const walk = (folder: string): void => {
    for (const entry of readdirSync(folder, { withFileTypes: true })) {
      const path = join(folder, entry.name);
      if (entry.isDirectory()) walk(path);
      else files.push('/' + relative(root, path).split(sep).join('/'));
    }
  };
  walk(root);
  return files.filter((file) => !/-test\.html$|^\/assets\/[^/]*-test-[^/]*$/.test(file)).sort();
}

// Until the service worker controls the page, every file it keeps cached.
async function waitForServiceWorker(page: Page): Promise<void> {
  await page.evaluate(() => navigator.serviceWorker.ready.then(() => true));
  await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
}

test('the first visit fetches every file of the site once answered 200, each with its MIME type', async (t) => {
  const site = await openSite({ path: null });
  try {
    const responses: Response[] = [];
    site.context.on('response', (response) => responses.push(response));
    await site.page.goto(site.baseUrl + '/');
    await waitForReady(site.page);
    await waitForServiceWorker(site.page);

    const files = siteFiles(siteDir);
    const served = new Set(site.requests.map((request) => request.url.split('?')[0]));
    for (const file of files) assert.ok(served.has(file), `${file} was not fetched on the first visit`);
    for (const request of site.requests) {
      assert.equal(request.method, 'GET', request.url);
      assert.equal(request.status, 200, request.url);
    }
    for (const response of responses) {
      const path = new URL(response.url()).pathname;
      const type = expectedTypes[extname(path === '/' ? '/index.html' : path)];
      assert.ok(type, `${path} is of no type the site should have`);
      assert.equal(response.headers()['content-type'], type, path);
    }

    // What a first visit costs, as a host that compresses would send it.
    let raw = 0;
    let gzip = 0;
    let brotli = 0;
    for (const file of files) {
      const bytes = readFileSync(join(siteDir, file));
      raw += bytes.length;
      gzip += gzipSync(bytes, { level: 9 }).length;
      brotli += brotliCompressSync(bytes, { params: { [constants.BROTLI_PARAM_QUALITY]: 11 } }).length;
    }
    assert.ok(brotli > 0 && brotli <= gzip && gzip < raw);
    t.diagnostic(`${files.length} files: ${raw} bytes, ${gzip} with gzip -9, ${brotli} with brotli -q 11`);
  } finally {
    await site.close();
  }
});

// Attempts made by a script of the site's own origin (probe.js, put into a
// copy of the site), as the page's own code or an injected text would make
// them: the policy must stop each and report the directive it broke.
function probeScript(foreignUrl: string): string {
  return `
const attempts = {
  'an inline script': () => { const s = document.createElement('script'); s.textContent = 'window.ran = true'; document.body.append(s); },
  'an inline event handler': () => { const d = document.createElement('div'); d.setAttribute('onclick', 'window.ran = true'); document.body.append(d); d.click(); },
  'eval': () => { try { eval('window.ran = true'); } catch {} },
  'new Function': () => { try { new Function('window.ran = true')(); } catch {} },
  'a script from another origin': () => { const s = document.createElement('script'); s.src = '${foreignUrl}foreign.js'; s.onload = () => { window.ran = window.foreignRan === true; }; document.body.append(s); },
  'an image from another origin': () => { const i = new Image(); i.onload = () => { window.ran = true; }; i.src = '${foreignUrl}pixel.gif'; document.body.append(i); },
  'a fetch of another origin': () => { fetch('${foreignUrl}index.html').then(() => { window.ran = true; }, () => {}); },
  'an inline style attribute': () => { const d = document.createElement('div'); d.innerHTML = '<p style="color: rgb(255, 0, 0)">x</p>'; document.body.append(d); window.ran = getComputedStyle(d.firstChild).color === 'rgb(255, 0, 0)'; },
  'a plug-in object': () => { const o = document.createElement('object'); o.data = '/manifest.webmanifest'; document.body.append(o); },
  'a form sent anywhere': () => { const f = document.createElement('form'); f.action = '/'; f.method = 'get'; document.body.append(f); f.submit(); },
};
window.attempt = (name) => new Promise((resolve) => {
  window.ran = false;
  document.addEventListener('securitypolicyviolation', (event) => resolve(event.effectiveDirective), { once: true });
  // From a task of the page's own, not from the test driver's call (which
  // Chromium lets evaluate strings whatever the policy).
  setTimeout(attempts[name]);
});
window.compileWasm = async () => (await WebAssembly.compile(new Uint8Array([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]))) instanceof WebAssembly.Module;
`;
}

test('the Content-Security-Policy stands in the page and stops what it forbids', async () => {
  const foreignRoot = mkdtempSync(join(tmpdir(), 'coredesign-foreign-'));
  writeFileSync(join(foreignRoot, 'index.html'), '');
  writeFileSync(join(foreignRoot, 'foreign.js'), 'window.foreignRan = true;');
  writeFileSync(join(foreignRoot, 'pixel.gif'), 'GIF89a');
  const foreignLog: string[] = [];
  // Another port is another origin.
  const foreign = await startServer({ root: foreignRoot, onRequest: (request) => foreignLog.push(request.url) });
  const root = mkdtempSync(join(tmpdir(), 'coredesign-site-probe-'));
  cpSync(siteDir, root, { recursive: true });
  writeFileSync(join(root, 'probe.js'), probeScript(foreign.url));
  const site = await openSite({ root, serviceWorkers: 'block' });
  try {
    const meta = await site.page.getAttribute('meta[http-equiv="Content-Security-Policy"]', 'content');
    assert.equal(meta, policy);
    await site.page.addScriptTag({ url: '/probe.js' });

    const attempts: Array<[string, string]> = [
      ['an inline script', 'script-src-elem'],
      ['an inline event handler', 'script-src-attr'],
      ['eval', 'script-src'],
      ['new Function', 'script-src'],
      ['a script from another origin', 'script-src-elem'],
      ['an image from another origin', 'img-src'],
      ['a fetch of another origin', 'connect-src'],
      ['an inline style attribute', 'style-src-attr'],
      ['a plug-in object', 'object-src'],
      ['a form sent anywhere', 'form-action'],
    ];
    type Probe = { attempt(name: string): Promise<string>; ran: boolean; compileWasm(): Promise<boolean> };
    for (const [what, directive] of attempts) {
      const violated = await site.page.evaluate((name) => (window as unknown as Probe).attempt(name), what);
      assert.equal(violated, directive, what);
      assert.equal(await site.page.evaluate(() => (window as unknown as Probe).ran), false, what);
    }
    assert.deepEqual(foreignLog, [], 'the other origin was reached');
    // What the policy must allow: the engine's WebAssembly ('wasm-unsafe-eval').
    assert.equal(await site.page.evaluate(() => (window as unknown as Probe).compileWasm()), true);
  } finally {
    await site.close();
    await foreign.close();
    rmSync(foreignRoot, { recursive: true, force: true });
    rmSync(root, { recursive: true, force: true });
  }
});

// Every style attribute a report holds (designs that end on the results
// screen with either family, a stack, another frequency)
// is one the policy allows, so that the viewer shows the report as written.
test("the policy allows every font style of the reports and no other inline style", () => {
  const folder = mkdtempSync(join(tmpdir(), 'coredesign-reports-'));
  try {
    const designs = [[], ['--family', 'nogap'], ['--pick', '6230TXGP', '--stack', '3'], ['--frequency', '100', '--frequency-unit', 'kHz']];
    const styles = new Set<string>();
    for (const [k, args] of designs.entries()) {
      const file = join(folder, `report-${k}.htm`);
      assert.equal(nativeCli(['--report', file, ...args]).status, 0, args.join(' '));
      for (const match of readFileSync(file, 'latin1').matchAll(/style='([^']*)'/g)) styles.add(match[1] ?? '');
    }
    const hashes = [...styles].map((style) => `'sha256-${createHash('sha256').update(style, 'utf8').digest('base64')}'`);
    assert.deepEqual(hashes.sort(), [...reportStyleHashes].sort());
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
});

test('the manifest is valid, its icons load, and Chromium can install the site', async () => {
  // A browser profile of its own on disk: Chromium installs nothing from an
  // incognito one, which is what a new context of openSite() is.
  const served = await startServer({ root: siteDir });
  const profile = mkdtempSync(join(tmpdir(), 'coredesign-profile-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: chromiumArgs,
  });
  const site = { baseUrl: served.url.replace(/\/$/, ''), page: context.pages()[0] ?? (await context.newPage()) };
  try {
    await site.page.goto(site.baseUrl + '/');
    await waitForReady(site.page);
    await waitForServiceWorker(site.page);
    const cdp = await context.newCDPSession(site.page);
    const manifest = (await cdp.send('Page.getAppManifest')) as {
      url: string;
      errors: Array<{ message: string }>;
      data?: string;
    };
    assert.equal(manifest.url, site.baseUrl + '/manifest.webmanifest');
    assert.deepEqual(manifest.errors, []);
    const data = JSON.parse(manifest.data ?? '{}') as {
      name?: string;
      short_name?: string;
      start_url?: string;
      display?: string;
      theme_color?: string;
      icons?: Array<{ src: string; sizes: string; type: string }>;
    };
    assert.equal(data.name, 'Output Inductor Core Design Tool');
    assert.ok(data.short_name);
    assert.equal(data.start_url, '/');
    assert.equal(data.display, 'standalone');
    assert.match(data.theme_color ?? '', /^#[0-9a-f]{6}$/i);
    assert.deepEqual(data.icons?.map((icon) => icon.sizes).sort(), ['192x192', '512x512']);
    for (const icon of data.icons ?? []) {
      const size = await site.page.evaluate(async (src) => {
        const bitmap = await createImageBitmap(await (await fetch(src)).blob());
        return `${bitmap.width}x${bitmap.height}`;
      }, icon.src);
      assert.equal(size, icon.sizes, icon.src);
      assert.equal(icon.type, 'image/png');
    }
    const installable = (await cdp.send('Page.getInstallabilityErrors')) as {
      installabilityErrors: Array<{ errorId: string }>;
    };
    assert.deepEqual(installable.installabilityErrors, []);
  } finally {
    await context.close();
    await served.close();
    rmSync(profile, { recursive: true, force: true });
  }
});

test('after the first visit the page reloads offline, every file from the cache', async () => {
  const site = await openSite();
  try {
    await waitForServiceWorker(site.page);
    const cached = await site.page.evaluate(async () => {
      const keys: string[] = [];
      for (const name of await caches.keys()) {
        for (const request of await (await caches.open(name)).keys()) keys.push(new URL(request.url).pathname);
      }
      return keys.sort();
    });
    assert.deepEqual(cached, ['/', ...siteFiles(siteDir).filter((file) => file !== '/sw.js')].sort());

    const reached = site.requests.length;
    const responses: Response[] = [];
    site.page.on('response', (response) => responses.push(response));
    await site.context.setOffline(true);
    await site.page.reload();
    await waitForReady(site.page);
    assert.equal(await site.page.locator('section[data-screen="frmEnter"]').isVisible(), true);
    assert.equal(site.requests.length, reached, 'the offline reload reached the server');
    assert.ok(responses.length > 0);
    for (const response of responses) {
      assert.equal(response.fromServiceWorker(), true, response.url());
      assert.equal(response.status(), 200, response.url());
    }
  } finally {
    await site.close();
  }
});

test('a new build waits for the old pages to close, then replaces the cached site', async () => {
  const root = mkdtempSync(join(tmpdir(), 'coredesign-site-copy-'));
  cpSync(siteDir, root, { recursive: true });
  const site = await openSite({ root });
  try {
    await waitForServiceWorker(site.page);
    const firstCaches = await site.page.evaluate(() => caches.keys());
    assert.equal(firstCaches.length, 1);

    // The next build: another index.html, so another version in sw.js.
    const index = readFileSync(join(root, 'index.html'), 'utf8');
    writeFileSync(join(root, 'index.html'), index.replace('</body>', '<p id="next-build"></p></body>'));
    const worker = readFileSync(join(root, 'sw.js'), 'utf8');
    const next = worker.replace(/"version":"([0-9a-f]+)"/, '"version":"next$1"');
    assert.notEqual(next, worker);
    writeFileSync(join(root, 'sw.js'), next);

    // The new worker installs (the new build cached beside the old) and
    // waits while the old build's page is open.
    await site.page.evaluate(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      await registration?.update();
      const waiting = registration?.installing ?? registration?.waiting;
      if (!waiting) throw new Error('no new worker');
      await new Promise<void>((resolve) => {
        const installed = (): void => {
          if (waiting.state !== 'installing') resolve();
        };
        waiting.addEventListener('statechange', installed);
        installed();
      });
    });
    assert.equal((await site.page.evaluate(() => caches.keys())).length, 2);
    assert.equal(await site.page.locator('#next-build').count(), 0);

    // Closed, and opened again offline: the new build, from its cache alone.
    // The browser hands over to the new worker once it has seen the last old
    // page go; a page opened before that is still the old build's. (The old
    // worker goes then, so the new one is found while both run.)
    let nextWorker: Worker | undefined;
    for (const candidate of site.context.serviceWorkers()) {
      const version = await candidate.evaluate(() => (self as any).COREDESIGN_PRECACHE.version as string);
      if (version.startsWith('next')) nextWorker = candidate;
    }
    assert.ok(nextWorker, 'the new build\'s worker runs');
    const reopened = await site.context.newPage();
    await site.page.close();
    await nextWorker.evaluate(
      () =>
        new Promise<void>((resolve) => {
          const own = (self as any).serviceWorker as ServiceWorker;
          const activated = (): void => {
            if (own.state === 'activated') resolve();
          };
          own.addEventListener('statechange', activated);
          activated();
        }),
    );
    await site.context.setOffline(true);
    await reopened.goto(site.baseUrl + '/');
    await waitForReady(reopened);
    assert.equal(await reopened.locator('#next-build').count(), 1);
    await reopened.waitForFunction(() => navigator.serviceWorker.controller?.state === 'activated');
    const nextCaches = await reopened.evaluate(() => caches.keys());
    assert.equal(nextCaches.length, 1);
    assert.notEqual(nextCaches[0], firstCaches[0]);
  } finally {
    await site.close();
    rmSync(root, { recursive: true, force: true });
  }
});
