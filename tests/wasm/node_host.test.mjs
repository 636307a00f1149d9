// The Node.js host (wasm/node_host.mjs) does what platform/ does for the
// native CLI: the temporary folder from the environment, the pictures'
// file: URLs, and the files written as the CLI writes them, their failures
// told in the C library's words.
import assert from 'node:assert/strict';
import * as fs from 'node:fs';
import * as os from 'node:os';
import * as path from 'node:path';
import { after, describe, test } from 'node:test';
import { pathToFileURL } from 'node:url';

import { wasmDir } from './engine.mjs';

const host = await import(pathToFileURL(path.join(wasmDir, 'node_host.mjs')));
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'coredesign-node-host-'));
after(() => fs.rmSync(work, { recursive: true, force: true }));

test('the temporary folder: TEMP, else TMPDIR, else /tmp; a relative one from the start folder', () => {
  const cases = [
    // [environment, start folder, folder]
    [{ TEMP: '/t', TMPDIR: '/d' }, '/s', '/t'],
    [{ TEMP: '', TMPDIR: '/d' }, '/s', '/d'],
    [{ TMPDIR: '' }, '/s', '/tmp'],
    [{}, '/s', '/tmp'],
    [{ TEMP: 'rel/t' }, '/s', '/s/rel/t'],
    [{ TEMP: 'rel' }, '/', '/rel'],
    [{ TEMP: 'rel' }, '/s/', '/s/rel'],
    [{ TMPDIR: './d' }, '/s', '/s/./d'],
    [{ TEMP: 'rel' }, '', 'rel'],
  ];
  for (const [env, start, folder] of cases) assert.equal(host.tempFolder(env, start), folder, JSON.stringify(env));
  const env = { TEMP: '/first' };
  const nodeHost = host.createNodeHost({ env, startFolder: '/s' });
  assert.equal(nodeHost.tempFolder(), '/first');
  env.TEMP = 'second';
  assert.equal(nodeHost.tempFolder(), '/s/second', 'read anew at every run');
});

describe('picture references', () => {
  test('file: URLs with every byte but letters, digits, - . _ ~ and / percent-encoded', () => {
    assert.equal(host.fileUrl('/a b/c%d/ü/x~y_z-1.gif'), 'file:///a%20b/c%25d/%C3%BC/x~y_z-1.gif');
    assert.equal(host.fileUrl("/q?#&'\"<>"), 'file:///q%3F%23%26%27%22%3C%3E');
  });

  test('the absolute, normal path of a regular file (a link to one counts, not followed); else empty', () => {
    const folder = path.join(work, 'pictures dir');
    fs.mkdirSync(path.join(folder, 'sub'), { recursive: true });
    fs.writeFileSync(path.join(folder, 'kes_logo.gif'), 'GIF89a');
    fs.symlinkSync(path.join(folder, 'kes_logo.gif'), path.join(folder, 'coregap.gif'));
    fs.symlinkSync(path.join(folder, 'gone.gif'), path.join(folder, 'corenogap.gif'));
    const url = (name) => host.fileUrl(path.join(folder, name));
    assert.equal(host.fileReference(folder, 'kes_logo.gif'), url('kes_logo.gif'));
    assert.equal(host.fileReference(path.join(folder, 'sub', '..'), 'kes_logo.gif'), url('kes_logo.gif'));
    assert.equal(host.fileReference(folder, 'coregap.gif'), url('coregap.gif'));
    assert.equal(host.fileReference(folder, 'corenogap.gif'), '');
    assert.equal(host.fileReference(folder, 'sub'), '');
    assert.equal(host.fileReference(folder, 'missing.gif'), '');
    assert.ok(url('x').includes('/pictures%20dir/'));
  });

  test("the host's pictures are the ones beside it", () => {
    const nodeHost = host.createNodeHost();
    assert.equal(nodeHost.pictureReference('kes_logo.gif'), host.fileUrl(path.join(fs.realpathSync(wasmDir), 'kes_logo.gif')));
  });
});

describe('files the user names', () => {
  const bytes = new Uint8Array([0x3c, 0xb0, 0x00, 0x0d, 0x0a]);

  test('written as named: a link is followed, an earlier file replaced', () => {
    const target = path.join(work, 'target.htm');
    fs.writeFileSync(target, 'an earlier and longer file');
    fs.symlinkSync(target, path.join(work, 'link.htm'));
    host.createNodeHost().writeFile(path.join(work, 'link.htm'), bytes, 'named');
    assert.deepEqual(new Uint8Array(fs.readFileSync(target)), bytes);
    assert.ok(fs.lstatSync(path.join(work, 'link.htm')).isSymbolicLink());
  });

  test('written whole: the new file put in place, no partial file left', () => {
    const file = path.join(work, 'model.lib');
    fs.writeFileSync(file, 'earlier');
    host.createNodeHost().writeFile(file, bytes, 'whole');
    assert.deepEqual(new Uint8Array(fs.readFileSync(file)), bytes);
    assert.ok(!fs.existsSync(file + '.partial'));
  });

  test('a failure is told in the C library\'s words and leaves an earlier file as it was', () => {
    const folder = path.join(work, 'a folder');
    fs.mkdirSync(folder);
    const kept = path.join(folder, 'kept.lib');
    fs.writeFileSync(kept, 'earlier');
    fs.mkdirSync(kept + '.partial');  // the partial file's name taken
    const cases = [
      // [file, how, reason]
      [path.join(work, 'missing', 'r.htm'), 'named', 'No such file or directory'],
      [folder, 'named', 'Is a directory'],
      [path.join(kept, 'below'), 'named', 'Not a directory'],
      [path.join(work, 'missing', 'm.lib'), 'whole', 'No such file or directory'],
      [folder, 'whole', 'Is a directory'],
      [kept, 'whole', 'Is a directory'],
      [path.join(work, 'n'.repeat(300)), 'whole', 'File name too long'],
    ];
    for (const [file, how, reason] of cases)
      assert.throws(() => host.createNodeHost().writeFile(file, bytes, how), { message: reason }, `${how} ${file}`);
    assert.equal(fs.readFileSync(kept, 'utf8'), 'earlier');
    assert.deepEqual(fs.readdirSync(folder).sort(), ['kept.lib', 'kept.lib.partial']);
    assert.deepEqual(fs.readdirSync(work).filter((name) => name.endsWith('.partial')), []);
  });

  test('read: at most so many bytes, or the reason', () => {
    const file = path.join(work, 'design.coredesign');
    const long = new Uint8Array(200000).map((_, i) => i % 251);
    fs.writeFileSync(file, long);
    const nodeHost = host.createNodeHost();
    for (const maxBytes of [0, 3, 65536, 65537, 200000, 1 << 20])
      assert.deepEqual(nodeHost.readFile(file, maxBytes), long.subarray(0, maxBytes), `${maxBytes}`);
    assert.throws(() => nodeHost.readFile(path.join(work, 'none'), 10), { message: 'No such file or directory' });
    assert.throws(() => nodeHost.readFile(work, 10), { message: 'Is a directory' });
  });

  test('an error without a known code keeps its number', () => {
    assert.equal(host.systemErrorText({ code: 'EWHATEVER', errno: -1234 }), 'Unknown error 1234');
    assert.equal(host.systemErrorText({ code: 'ENOSPC', errno: -28 }), 'No space left on device');
  });
});
