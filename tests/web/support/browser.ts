// The browser tests' harness: the built site (build-web/site/, scripts/build-web)
// served by web/server.mjs on a free 127.0.0.1 port, and a fresh headless
// Chromium to open it in; and the native CLI, to compare the page with.
//
//   const site = await openSite();          // the start screen, shown
//   try { ... site.page ... } finally { await site.close(); }
//
// Tests wait for the page's own signals (waitForReady), never for a time.
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium, type Browser, type BrowserContext, type Page } from 'playwright-core';
import { startServer, type ServedRequest } from '../../../web/server.mjs';

/** The repository's top folder (build-web/tests/support/ is three below). */
export const repoRoot = resolve(dirname(fileURLToPath(import.meta.url)), '..', '..', '..');
export const siteDir = join(repoRoot, 'build-web', 'site');

export const chromiumArgs = [
  '--headless',
  '--no-sandbox',
  '--disable-gpu',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
  '--disable-quic',
];

export interface SiteOptions {
  /** The address to open, below the site's root ('/' unless said; null opens nothing). */
  path?: string | null;
  /** Wait until the page says it is ready (document.body.dataset.state); true unless said. */
  waitForReady?: boolean;
  /** 'block' keeps the service worker out (it is allowed unless said). */
  serviceWorkers?: 'allow' | 'block';
  /** The folder to serve instead of build-web/site/. */
  root?: string;
}

export interface Site {
  browser: Browser;
  context: BrowserContext;
  page: Page;
  /** http://127.0.0.1:PORT (no slash at the end). */
  baseUrl: string;
  /** Every request the server answered, in order. */
  requests: ServedRequest[];
  close(): Promise<void>;
}

/** Waits until the page's body says 'ready': its start screen shown, or its worker done. */
export async function waitForReady(page: Page): Promise<void> {
  await page.waitForFunction(() => document.body?.dataset.state === 'ready');
}

export async function openSite(options: SiteOptions = {}): Promise<Site> {
  const root = options.root ?? siteDir;
  if (!existsSync(join(root, 'index.html'))) {
    throw new Error(`${root} has no index.html: build the site first (scripts/build-web)`);
  }
  const requests: ServedRequest[] = [];
  const served = await startServer({ root, onRequest: (request) => requests.push(request) });
  const baseUrl = served.url.replace(/\/$/, '');
  const downloads = mkdtempSync(join(tmpdir(), 'coredesign-web-downloads-'));
  let browser: Browser | undefined;
  try {
    // Playwright gives every launch a fresh user-data folder of its own.
    browser = await chromium.launch({
      executablePath: '/usr/bin/chromium',
      headless: true,
      args: chromiumArgs,
      downloadsPath: downloads,
    });
    const context = await browser.newContext({
      acceptDownloads: true,
      serviceWorkers: options.serviceWorkers ?? 'allow',
    });
    const page = await context.newPage();
    const path = options.path === undefined ? '/' : options.path;
    if (path !== null) {
      await page.goto(baseUrl + path);
      if (options.waitForReady ?? true) await waitForReady(page);
    }
    const opened = browser;
    return {
      browser: opened,
      context,
      page,
      baseUrl,
      requests,
      close: async () => {
        await opened.close();
        await served.close();
        rmSync(downloads, { recursive: true, force: true });
      },
    };
  } catch (error) {
    await browser?.close();
    await served.close();
    rmSync(downloads, { recursive: true, force: true });
    throw error;
  }
}

export interface CliRun {
  status: number | null;
  stdout: string;
  stderr: string;
}

/** Runs the native CLI (build/bin/coredesign-cli, the default preset's). */
export function nativeCli(args: string[], input?: string): CliRun {
  const cli = process.env.COREDESIGN_NATIVE_CLI ?? join(repoRoot, 'build', 'bin', 'coredesign-cli');
  if (!existsSync(cli)) throw new Error(`${cli} is missing: build the default preset first`);
  const run = spawnSync(cli, args, { encoding: 'utf8', input, maxBuffer: 64 * 1024 * 1024 });
  if (run.error) throw run.error;
  return { status: run.status, stdout: run.stdout, stderr: run.stderr };
}
