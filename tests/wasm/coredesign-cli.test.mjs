// The Node.js twin of coredesign-cli as a program: its exit status, its two
// outputs, the files it writes relative to the folder it starts in, the
// environment it reads, and a reader that closes the pipe early. (Its
// outputs are compared with the native CLI's by scripts/check-wasm.)
import assert from 'node:assert/strict';
import { spawn, spawnSync } from 'node:child_process';
import * as fs from 'node:fs';
import * as os from 'node:os';
import * as path from 'node:path';
import { after, test } from 'node:test';

import { wasmDir } from './engine.mjs';

const twin = path.join(wasmDir, 'coredesign-cli.mjs');
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'coredesign-twin-'));
after(() => fs.rmSync(work, { recursive: true, force: true }));

function runTwin(args, { env = {}, cwd = work, program = twin } = {}) {
  const r = spawnSync(process.execPath, [program, ...args], {
    cwd,
    env: { PATH: process.env.PATH, LC_ALL: 'C', ...env },
    encoding: 'buffer',
    maxBuffer: 1 << 28,
  });
  return { status: r.status, out: r.stdout.toString('utf8'), err: r.stderr.toString('utf8') };
}

test('exit status and outputs: results, another end, a usage error', () => {
  const cases = [
    // [args, status, start of standard output, standard error]
    [[], 0, 'Output Inductor Core Design Tool\nOutcome: results\n', ''],
    [['--dc-current', 'abc'], 1, 'Output Inductor Core Design Tool\nOutcome: validation\n', ''],
    [['--frobnicate'], 2, '', "coredesign-cli: unknown option '--frobnicate'\nTry 'coredesign-cli --help'.\n"],
    [['--explore', '--inductance', '10000', '--dc-current', '60'], 1, '{\n  "calculate_core": [', ''],
    [['--version'], 0, 'coredesign-cli (Output Inductor Core Design Tool) ', ''],
  ];
  for (const [args, status, out, err] of cases) {
    const r = runTwin(args);
    assert.equal(r.status, status, args.join(' '));
    assert.ok(r.out.startsWith(out), r.out.slice(0, 200));
    assert.equal(r.err, err);
  }
});

test('files are named from the folder it starts in; the temporary folder too', () => {
  const r = runTwin(['--json', '--report', 'r.htm', '--spice', 'm.lib'], { env: { TEMP: 'scratch' } });
  assert.equal(r.status, 0, r.err);
  assert.equal(JSON.parse(r.out).record.TempFolder, path.join(work, 'scratch'));
  assert.ok(fs.readFileSync(path.join(work, 'r.htm')).subarray(-2).equals(Buffer.from('\r\n')));
  assert.match(fs.readFileSync(path.join(work, 'm.lib'), 'latin1'), /^\* Circuit model of a DC output choke/);
  assert.equal(JSON.parse(runTwin(['--json'], { env: { TMPDIR: '/var/x' } }).out).record.TempFolder, '/var/x');
});

test("a file that cannot be written is told in the system's words, and the run ends with 1", () => {
  const r = runTwin(['--report', 'no/such/folder/r.htm']);
  assert.equal(r.status, 1);
  assert.equal(r.err, "coredesign-cli: cannot write the report to 'no/such/folder/r.htm': No such file or directory\n");
  assert.match(r.out, /^Output Inductor Core Design Tool\nOutcome: results\n/);
});

test('started through a link, its report refers to the pictures beside the real program', () => {
  const link = path.join(work, 'coredesign-cli.mjs');
  fs.symlinkSync(twin, link);
  assert.equal(runTwin(['--report', 'linked.htm'], { program: link }).status, 0);
  const report = fs.readFileSync(path.join(work, 'linked.htm'), 'latin1');
  const picture = 'file://' + path.join(fs.realpathSync(wasmDir), 'kes_logo.gif').replaceAll(' ', '%20');
  assert.ok(report.includes(`src=${picture}`), report.match(/src=[^ >]*/)?.[0]);
});

test('a reader that closes the pipe early ends the twin quietly', async () => {
  const child = spawn(process.execPath, [twin, '--explore'], { cwd: work, stdio: ['ignore', 'pipe', 'pipe'] });
  let err = '';
  child.stderr.on('data', (chunk) => (err += chunk));
  await new Promise((resolve) => child.stdout.once('data', resolve));
  child.stdout.destroy();
  const status = await new Promise((resolve) => child.on('close', resolve));
  assert.equal(err, '');
  assert.equal(status, 0);
});
