// web/server.mjs on its own, over plain HTTP: what it serves, with which
// type, and what it refuses (nothing outside its folder ever comes back).
import assert from 'node:assert/strict';
import { request } from 'node:http';
import { mkdirSync, mkdtempSync, rmSync, symlinkSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, test } from 'node:test';
import { startServer, type Served, type ServedRequest } from '../../web/server.mjs';

interface Answer {
  status: number;
  type: string | undefined;
  length: string | undefined;
  body: string;
}

// One request with its target sent exactly as written (fetch would
// normalise "..", which is what a hostile client does not do).
function ask(port: number, target: string, method = 'GET'): Promise<Answer> {
  return new Promise((resolve, reject) => {
    const sent = request({ host: '127.0.0.1', port, path: target, method }, (response) => {
      const chunks: Buffer[] = [];
      response.on('data', (chunk: Buffer) => chunks.push(chunk));
      response.on('end', () =>
        resolve({
          status: response.statusCode ?? 0,
          type: response.headers['content-type'],
          length: response.headers['content-length'],
          body: Buffer.concat(chunks).toString('utf8'),
        }),
      );
    });
    sent.on('error', reject);
    sent.end();
  });
}

let folder: string;
let served: Served;
const log: ServedRequest[] = [];

before(async () => {
  // outside/secret.txt beside the served folder, and links from inside it.
  folder = mkdtempSync(join(tmpdir(), 'coredesign-server-'));
  const root = join(folder, 'site');
  mkdirSync(join(root, 'assets'), { recursive: true });
  mkdirSync(join(folder, 'outside'));
  writeFileSync(join(folder, 'outside', 'secret.txt'), 'secret');
  writeFileSync(join(root, 'index.html'), '<!doctype html><title>t</title>');
  writeFileSync(join(root, 'assets', 'app.js'), 'export {};');
  writeFileSync(join(root, 'assets', 'engine.mjs'), 'export {};');
  writeFileSync(join(root, 'assets', 'engine.wasm'), Buffer.from([0, 0x61, 0x73, 0x6d, 1, 0, 0, 0]));
  writeFileSync(join(root, 'assets', 'page.css'), 'body {}');
  writeFileSync(join(root, 'assets', 'mark.svg'), '<svg xmlns="http://www.w3.org/2000/svg"/>');
  writeFileSync(join(root, 'assets', 'logo.gif'), 'GIF89a');
  writeFileSync(join(root, 'assets', 'icon.png'), 'png');
  writeFileSync(join(root, 'assets', 'data.json'), '{}');
  writeFileSync(join(root, 'manifest.webmanifest'), '{}');
  writeFileSync(join(root, 'assets', 'unknown.xyz'), 'x');
  symlinkSync(join(folder, 'outside'), join(root, 'out'));
  symlinkSync(join(folder, 'outside', 'secret.txt'), join(root, 'secret-link.txt'));
  symlinkSync(join(root, 'assets', 'app.js'), join(root, 'inside-link.js'));
  served = await startServer({ root, onRequest: (entry) => log.push(entry) });
});

after(async () => {
  await served.close();
  rmSync(folder, { recursive: true, force: true });
});

test('each file comes with its MIME type', async () => {
  const cases: Array<[string, string]> = [
    ['/', 'text/html; charset=utf-8'],
    ['/index.html', 'text/html; charset=utf-8'],
    ['/assets/app.js', 'text/javascript; charset=utf-8'],
    ['/assets/engine.mjs', 'text/javascript; charset=utf-8'],
    ['/assets/engine.wasm', 'application/wasm'],
    ['/assets/page.css', 'text/css; charset=utf-8'],
    ['/assets/mark.svg', 'image/svg+xml'],
    ['/assets/logo.gif', 'image/gif'],
    ['/assets/icon.png', 'image/png'],
    ['/assets/data.json', 'application/json'],
    ['/manifest.webmanifest', 'application/manifest+json'],
    ['/assets/unknown.xyz', 'application/octet-stream'],
    ['/index.html?design=abc#x', 'text/html; charset=utf-8'],
    ['/inside-link.js', 'text/javascript; charset=utf-8'],
  ];
  for (const [target, type] of cases) {
    const answer = await ask(served.port, target);
    assert.equal(answer.status, 200, target);
    assert.equal(answer.type, type, target);
  }
});

test('HEAD answers the headers of GET without the body; other methods are refused', async () => {
  const get = await ask(served.port, '/assets/app.js');
  const head = await ask(served.port, '/assets/app.js', 'HEAD');
  assert.equal(head.status, 200);
  assert.equal(head.type, get.type);
  assert.equal(head.length, String(Buffer.byteLength(get.body)));
  assert.equal(head.body, '');
  for (const method of ['POST', 'PUT', 'DELETE', 'OPTIONS', 'PATCH']) {
    const answer = await ask(served.port, '/index.html', method);
    assert.equal(answer.status, 405, method);
  }
});

test('nothing outside the folder is served, however the path is written', async () => {
  const cases: Array<[string, number]> = [
    ['/../outside/secret.txt', 404],
    ['/assets/../../outside/secret.txt', 404],
    ['/%2e%2e/outside/secret.txt', 404],
    ['/%2E%2E%2Foutside%2Fsecret.txt', 404],
    ['/assets/..%2f..%2foutside/secret.txt', 404],
    ['/..%5coutside%5csecret.txt', 400],
    ['/..\\outside\\secret.txt', 400],
    ['/index.html%00.png', 400],
    ['/%00', 400],
    ['/%zz', 400],
    ['/out/secret.txt', 404],
    ['/secret-link.txt', 404],
    ['/assets', 404],
    ['/assets/', 404],
    ['/missing.html', 404],
    ['http://127.0.0.1/index.html', 400],
    ['*', 400],
  ];
  for (const [target, status] of cases) {
    const answer = await ask(served.port, target);
    assert.equal(answer.status, status, target);
    assert.doesNotMatch(answer.body, /secret/, target);
  }
});

test('every request is told to the hook once answered, with its status', async () => {
  const from = log.length;
  await ask(served.port, '/index.html');
  await ask(served.port, '/nothing-here');
  await ask(served.port, '/index.html', 'POST');
  assert.deepEqual(log.slice(from), [
    { method: 'GET', url: '/index.html', status: 200 },
    { method: 'GET', url: '/nothing-here', status: 404 },
    { method: 'POST', url: '/index.html', status: 405 },
  ]);
});
