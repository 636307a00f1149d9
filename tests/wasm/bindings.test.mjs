// The module's interface (wasm/bindings.cpp, wasm/api.js): hostile texts
// from JavaScript end in the program's own message or result, a host that
// throws or answers nonsense is told as the CLI tells a failed write, the
// host's answers reach the run, and one engine gives the same bytes for the
// same run however many runs came before.
import assert from 'node:assert/strict';
import { before, describe, test } from 'node:test';

import { loadEngine, text } from './engine.mjs';

let engine;
before(async () => {
  engine = await loadEngine();
});

const json = (run) => JSON.parse(text(run.stdout));

// A host that answers from a table and records the files written to it.
function recordingHost(answers = {}) {
  const written = [];
  return {
    written,
    tempFolder: () => answers.tempFolder ?? '/tmp',
    pictureReference: (name) => (answers.pictures ? answers.pictures(name) : `pictures/${name}`),
    writeFile: (path, bytes, how) => {
      if (answers.writeFile) answers.writeFile(path, bytes, how);
      written.push({ path, bytes: new Uint8Array(bytes), how });
    },
  };
}

describe('hostile texts end in the program\'s own message or result', () => {
  const megabyte = 1 << 20;
  const cases = [
    // [what, argv, status, outcome or usage message, first message id]
    ['a 1 MB field text of digits', ['--dc-current', '3'.repeat(megabyte)], 1, 'validation', 'dc_current'],
    ['a 1 MB field text of letters', ['--inductance', 'x'.repeat(megabyte)], 1, 'validation', 'inductance'],
    ['a 1 MB field text after a number', ['--output-voltage', '10' + ' '.repeat(megabyte)], 0, 'results', null],
    ['NUL inside a field text', ['--dc-current', '3.5\u0000junk'], 1, 'validation', 'dc_current'],
    ['NUL alone', ['--ambient-temp', '\u0000'], 1, 'validation', 'ambient_temp'],
    ['a lone high surrogate', ['--frequency', '\uD800'], 1, 'validation', 'frequency'],
    ['a lone low surrogate after digits', ['--fill-factor', '.4\uDC00'], 1, 'validation', 'fill_factor'],
    ['a part number with a lone surrogate', ['--pick', '6218TXGP\uD83D'], 2, "coredesign-cli: the gapped family holds no core '6218TXGP\uFFFD'\n", null],
    ['a unit with NUL', ['--inductance-unit', 'Henry\u0000'], 2, "coredesign-cli: unknown inductance unit 'Henry\\x00' (Henry, millihenry or microhenry)\nTry 'coredesign-cli --help'.\n", null],
    ['a 1 MB unknown option', ['--' + 'y'.repeat(megabyte)], 2, null, null],
    ['10,000 arguments', Array.from({ length: 5000 }, (_, i) => ['--stack', String(1 + (i % 9))]).flat(), 0, 'results', null],
    ['10,000 flags', Array(10000).fill('--json'), 0, 'results', null],
  ];
  for (const [what, argv, status, expected, messageId] of cases) {
    test(what, () => {
      const withJson = status !== 2 && !argv.includes('--json') ? ['--json', ...argv] : argv;
      const run = engine.run(withJson, recordingHost());
      assert.equal(run.status, status, text(run.stderr).slice(0, 200));
      if (status === 2) {
        assert.equal(run.stdout.length, 0);
        if (expected) assert.equal(text(run.stderr).slice(0, expected.length), expected);
        else assert.match(text(run.stderr), /^coredesign-cli: unknown option '--y{1048576}'\nTry/);
        return;
      }
      const document = json(run);
      assert.equal(document.outcome, expected);
      assert.equal(document.messages[0]?.id ?? null, messageId);
      assert.equal(text(run.stderr), '');
    });
  }

  test('the last of many --stack options counts', () => {
    const many = Array.from({ length: 5000 }, (_, i) => ['--stack', String(1 + (i % 9))]).flat();
    assert.equal(json(engine.run(['--json', ...many])).record.Stack, json(engine.run(['--json', '--stack', '5'])).record.Stack);
  });

  test('argv that is not an array of strings is refused before the engine sees it', () => {
    for (const argv of [undefined, '--json', [1], [null], ['--json', {}]])
      assert.throws(() => engine.run(argv), TypeError);
  });
});

describe('the host', () => {
  test("its temporary folder is the record's, read at every run, any character kept", () => {
    for (const folder of ['/var/tmp', '/tmp/Ä ü/中', '', 'relative\u0000nul'])
      assert.equal(json(engine.run(['--json'], recordingHost({ tempFolder: folder }))).record.TempFolder, folder);
  });

  test('its picture references go into the report as given', () => {
    const host = recordingHost({ pictures: (name) => `https://example.invalid/p/${name}` });
    assert.equal(engine.run(['--report', 'r.htm'], host).status, 0);
    const [report] = host.written;
    assert.equal(report.path, 'r.htm');
    assert.equal(report.how, 'named');
    const html = new TextDecoder('latin1').decode(report.bytes);
    for (const name of ['kes_logo.gif', 'coregap.gif']) assert.ok(html.includes(`src=https://example.invalid/p/${name}`), name);
    assert.ok(html.endsWith('\r\n'));
  });

  test('the SPICE model is written whole', () => {
    const host = recordingHost();
    assert.equal(engine.run(['--spice', 'm.lib'], host).status, 0);
    assert.deepEqual(host.written.map(({ path, how }) => [path, how]), [['m.lib', 'whole']]);
    assert.match(text(host.written[0].bytes), /^\* Circuit model of a DC output choke: 6218TXGP, 58 turns of 18 AWG/);
  });

  // What the run tells when the host cannot write, or answers nonsense.
  const failing = [
    // [what, host, the reason told]
    ['a write that throws its reason', { writeFile: () => { throw new Error('No space left on device'); } }, 'No space left on device'],
    ['a write that throws a text', { writeFile: () => { throw 'quota'; } }, 'quota'],
    ['a write that throws nothing useful', { writeFile: () => { throw null; } }, 'the host could not do it'],
    ['no write at all', {}, 'this host writes no files'],
    ['no host', undefined, 'this host writes no files'],
  ];
  for (const [what, host, reason] of failing) {
    test(what, () => {
      const run = engine.run(['--report', 'out/r.htm'], host);
      assert.equal(run.status, 1);
      assert.equal(text(run.stderr), `coredesign-cli: cannot write the report to 'out/r.htm': ${reason}\n`);
      assert.match(text(run.stdout), /^Output Inductor Core Design Tool\nOutcome: results\n/);
    });
  }

  test('answers that are not texts, and answers that throw, count as none', () => {
    const nonsense = [42, null, { toString: () => 'x' }, () => {}];
    for (const answer of nonsense) {
      const host = { tempFolder: () => answer, pictureReference: () => answer, writeFile: () => answer };
      const run = engine.run(['--json', '--report', 'r.htm'], host);
      assert.equal(run.status, 0);
      assert.equal(json(run).record.TempFolder, '');
    }
    const throwing = { tempFolder: () => { throw new Error('x'); }, pictureReference: () => { throw new Error('y'); } };
    assert.equal(json(engine.run(['--json'], throwing)).record.TempFolder, '');
  });

  test('--pdf writes no PDF and says why; the run goes on as the CLI\'s', () => {
    const host = recordingHost();
    const run = engine.run(['--pdf', 'r.pdf', '--report', 'r.htm'], host);
    assert.equal(run.status, 1);
    assert.equal(
      text(run.stderr),
      "coredesign-cli: cannot write the PDF to 'r.pdf': this build has no report viewer to render a PDF " +
        '(write the report with --report and print it)\n',
    );
    assert.deepEqual(host.written.map(({ path }) => path), ['r.htm']);
    assert.match(text(run.stdout), /Outcome: results/);
  });
});

describe('one engine, many runs', () => {
  test('the same command line gives the same bytes before and after other runs', async () => {
    const lines = [
      ['--json'],
      ['--json', '--family', 'nogap', '--pick', '6226TXNG', '--stack', '2'],
      ['--explore', '--csv', '--family', 'nogap'],
      ['--curve', '--json', '--points', '257'],
    ];
    const first = lines.map((argv) => engine.run(argv, recordingHost()));
    engine.run(['--dc-current', 'x'.repeat(1 << 20)]);
    engine.run(['--frobnicate']);
    engine.run(['--report', 'r.htm'], { writeFile: () => { throw new Error('no'); } });
    const fresh = await loadEngine();
    lines.forEach((argv, k) => {
      for (const again of [engine.run(argv, recordingHost()), fresh.run(argv, recordingHost())]) {
        assert.equal(again.status, first[k].status);
        assert.deepEqual(again.stdout, first[k].stdout, argv.join(' '));
        assert.deepEqual(again.stderr, first[k].stderr);
      }
    });
  });

  test('--help and --version are the texts usageText and versionText give', () => {
    assert.equal(text(engine.run(['--help']).stdout), engine.usageText());
    assert.match(engine.versionText(), /^coredesign-cli \(Output Inductor Core Design Tool\) \d+\.\d+\.\d+\n/);
    assert.equal(text(engine.run(['--version']).stdout), engine.versionText());
  });
});
