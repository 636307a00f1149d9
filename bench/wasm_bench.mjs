// The WebAssembly engine's timings (bench/wasm_bench.cpp, measured by
// wasm_bench_measure.mjs) where it runs:
//   node bench/wasm_bench.mjs node BUILD        under Node.js
//   node bench/wasm_bench.mjs chromium BUILD    in a page of headless Chromium
// BUILD is the wasm preset's folder. Prints one JSON object, the median
// nanoseconds of one run of each workload. Chromium is Debian's, driven by
// playwright-core from web/node_modules (npm ci in web/); the page and the
// module are served from 127.0.0.1 by this script, and nothing else is
// fetched.
import { readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import * as path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

import { measure } from './wasm_bench_measure.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const [where, build] = process.argv.slice(2);
if (!['node', 'chromium'].includes(where) || !build) {
  console.error('usage: wasm_bench.mjs node|chromium BUILD');
  process.exit(2);
}

async function inNode() {
  const { default: create } = await import(pathToFileURL(path.resolve(build, 'coredesign-wasm-bench.mjs')));
  const engine = await create({ wasmBinary: await readFile(path.resolve(build, 'coredesign-wasm-bench.wasm')) });
  return measure(engine, () => performance.now());
}

// The bench's module and the measuring code, and a page that loads nothing else.
const kServed = {
  '/': ['text/html', async () => '<!doctype html><title>coredesign WebAssembly bench</title>'],
  '/coredesign-wasm-bench.mjs': ['text/javascript', () => readFile(path.resolve(build, 'coredesign-wasm-bench.mjs'))],
  '/coredesign-wasm-bench.wasm': ['application/wasm', () => readFile(path.resolve(build, 'coredesign-wasm-bench.wasm'))],
  '/wasm_bench_measure.mjs': ['text/javascript', () => readFile(path.join(here, 'wasm_bench_measure.mjs'))],
};

async function inChromium() {
  const require = createRequire(path.join(here, '..', 'web', 'package.json'));
  const { chromium } = require('playwright-core');
  const server = createServer(async (request, response) => {
    const served = kServed[new URL(request.url, 'http://127.0.0.1').pathname];
    if (!served) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': served[0] }).end(await served[1]());
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: [
      '--headless', '--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
      '--disable-sync', '--no-first-run', '--disable-quic',
    ],
  });
  try {
    const page = await browser.newPage();
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    return await page.evaluate(async () => {
      const { default: create } = await import('/coredesign-wasm-bench.mjs');
      const { measure: measureHere } = await import('/wasm_bench_measure.mjs');
      return measureHere(await create(), () => performance.now());
    });
  } finally {
    await browser.close();
    server.close();
  }
}

console.log(JSON.stringify(where === 'node' ? await inNode() : await inChromium()));
