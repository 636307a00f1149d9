// The site's build: web/index.html (and, for the browser tests, every
// web/*-test.html) into build-web/site/, the engine's module from
// build-wasm/ (the wasm preset), the report's pictures under /pictures/, and
// the service worker with the list of every file it precaches.
import { createHash } from 'node:crypto';
import { existsSync, readdirSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join, relative, resolve, sep } from 'node:path';
import { fileURLToPath } from 'node:url';
import { defineConfig, type Plugin } from 'vite';

const webDir = dirname(fileURLToPath(import.meta.url));
const rootDir = resolve(webDir, '..');
const wasmBuild = resolve(rootDir, 'build-wasm');
const siteDir = resolve(rootDir, 'build-web', 'site');

// The report's pictures, which report/'s build puts beside the module.
export const reportPictures = ['kes_logo.gif', 'coregap.gif', 'corenogap.gif'];

function testPages(): Record<string, string> {
  if (process.env.COREDESIGN_WEB_TEST_PAGES !== '1') return {};
  const pages: Record<string, string> = {};
  for (const name of readdirSync(webDir)) {
    if (name.endsWith('-test.html')) pages[name.slice(0, -'.html'.length)] = join(webDir, name);
  }
  return pages;
}

function pictureFile(name: string): string {
  const file = join(wasmBuild, name);
  if (!existsSync(file)) {
    throw new Error(`${file} is missing: build the wasm preset first (scripts/build-web does)`);
  }
  return file;
}

// /pictures/<name>: emitted into the site under that exact name (no hash: the
// report names them by address), and served from build-wasm/ by `vite dev`.
function reportPicturesPlugin(): Plugin {
  return {
    name: 'coredesign-report-pictures',
    configureServer(server) {
      server.middlewares.use((request, response, next) => {
        const name = /^\/pictures\/([^/?#]+)/.exec(request.url ?? '')?.[1];
        if (name === undefined || !reportPictures.includes(name)) {
          next();
          return;
        }
        response.setHeader('Content-Type', 'image/gif');
        response.end(readFileSync(pictureFile(name)));
      });
    },
    generateBundle() {
      for (const name of reportPictures) {
        this.emitFile({ type: 'asset', fileName: `pictures/${name}`, source: readFileSync(pictureFile(name)) });
      }
    },
  };
}

function filesUnder(folder: string): string[] {
  const files: string[] = [];
  for (const entry of readdirSync(folder, { withFileTypes: true })) {
    const path = join(folder, entry.name);
    if (entry.isDirectory()) files.push(...filesUnder(path));
    else if (entry.isFile()) files.push(path);
  }
  return files.sort();
}

// The tests' pages (web/*-test.html) and their own entry's files, which
// Vite names after the page (assets/x-test-HASH.js): no part of the site.
function forTestsOnly(path: string): boolean {
  return path.endsWith('-test.html') || /^assets\/[^/]*-test-[^/]*$/.test(path);
}

// sw.js is written last, from web/src/site/sw.js with the list of every other
// file of the written site and a version made of their contents' hashes: a
// new build is a new sw.js, which the browser installs in place of the old.
function serviceWorkerPlugin(): Plugin {
  let outDir = siteDir;
  return {
    name: 'coredesign-service-worker',
    apply: 'build',
    configResolved(config) {
      outDir = resolve(config.root, config.build.outDir);
    },
    closeBundle() {
      const entries = filesUnder(outDir)
        .map((file) => relative(outDir, file).split(sep).join('/'))
        .filter((path) => path !== 'sw.js' && !forTestsOnly(path))
        .map((path) => {
          const hash = createHash('sha256').update(readFileSync(join(outDir, path))).digest('hex');
          return { url: `/${path}`, hash: hash.slice(0, 16) };
        });
      const version = createHash('sha256')
        .update(entries.map((entry) => `${entry.url} ${entry.hash}`).join('\n'))
        .digest('hex')
        .slice(0, 16);
      const precache = { version, urls: ['/', ...entries.map((entry) => entry.url)] };
      const worker = readFileSync(join(webDir, 'src', 'site', 'sw.js'), 'utf8');
      writeFileSync(
        join(outDir, 'sw.js'),
        `self.COREDESIGN_PRECACHE = ${JSON.stringify(precache)};\n${worker}`,
      );
    },
  };
}

export default defineConfig({
  root: webDir,
  base: '/',
  publicDir: join(webDir, 'public'),
  resolve: {
    alias: [
      { find: /^@engine-wasm(\?.*)?$/, replacement: `${join(wasmBuild, 'coredesign-engine.wasm')}$1` },
      { find: /^@engine$/, replacement: join(wasmBuild, 'coredesign-engine.mjs') },
    ],
  },
  worker: { format: 'es' },
  build: {
    outDir: siteDir,
    emptyOutDir: true,
    target: 'es2022',
    // Every asset a file of its own: the CSP allows no data: fonts or scripts.
    assetsInlineLimit: 0,
    rollupOptions: {
      input: { index: join(webDir, 'index.html'), ...testPages() },
    },
  },
  server: { host: '127.0.0.1', fs: { allow: [webDir, wasmBuild] } },
  plugins: [reportPicturesPlugin(), serviceWorkerPlugin()],
});
