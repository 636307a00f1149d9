// The web edition's screens against the engine: the input checks' messages
// and the focus after them (the native CLI's), the fill warning in red,
// hostile field texts, every text of every screen as the session renders
// its model, and designs that travel: Save Design, Open Design and the link.
import assert from 'node:assert/strict';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { after, before, describe, test } from 'node:test';
import type { Page } from 'playwright-core';
import { nativeCli, openSite, waitForReady, type Site } from './support/browser.js';
import { closeMessage, focused, named, screen, screenTexts, setField, shown } from './screens-page.js';

interface NativeMessage {
  id: string;
  text: string;
  title: string;
  focus: string | null;
}

function nativeMessages(args: string[]): NativeMessage[] {
  return (JSON.parse(nativeCli(['--json', ...args]).stdout) as { messages: NativeMessage[] }).messages;
}

// The messages of the native run of a design file that sets one field's
// text (a command line cannot carry a NUL).
function nativeMessagesOfField(field: string, text: string): NativeMessage[] {
  const folder = mkdtempSync(join(tmpdir(), 'coredesign-field-'));
  try {
    const file = join(folder, 'field.coredesign');
    writeFileSync(file, JSON.stringify({ format: 'coredesign-design', version: 1, fields: { [field]: text } }));
    return nativeMessages(['--design', file]);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
}

async function toInputScreen(site: Site): Promise<Page> {
  const { page } = site;
  await page.locator(named('frmEnter', 'cmdProcess')).click();
  await shown(page, 'frmXls');
  return page;
}

async function click(page: Page, screenName: string, control: string): Promise<void> {
  await page.locator(named(screenName, control)).click();
  await waitForReady(page);
}

async function pickCore(page: Page, partNo: string): Promise<void> {
  if (!(await page.locator(named('frmXls', 'chkPickCore')).isChecked())) await click(page, 'frmXls', 'chkPickCore');
  const list = page.locator(named('frmXls', 'txtCoreSize'));
  const entries = await list.locator('option').allTextContents();
  const index = entries.findIndex((entry) => entry.startsWith(partNo));
  assert.ok(index > 0, `${partNo} in the list`);
  await list.selectOption({ index });
  await waitForReady(page);
}

describe('the input screen', () => {
  let site: Site;
  before(async () => {
    site = await openSite();
  });
  after(async () => site.close());

  test('each input check gives the native message boxes and puts the focus where they say', async () => {
    const page = await toInputScreen(site);
    const cases: { field: string; option: string; text: string }[] = [
      { field: 'txtInductance', option: '--inductance', text: '' },
      { field: 'txtOutPutVoltage', option: '--output-voltage', text: '0' },
      { field: 'txtDCCurrent', option: '--dc-current', text: '' },
      { field: 'txtFluxDensity', option: '--flux-density', text: '' },
      { field: 'txtFrequency', option: '--frequency', text: '.' },
      { field: 'txtMinInputVoltage', option: '--min-input-voltage', text: '' },
      { field: 'txtAmbientTemp', option: '--ambient-temp', text: '999' },
      { field: 'txtAmbientTemp', option: '--ambient-temp', text: '' },
      { field: 'txtCurrentDensityFactor', option: '--current-density', text: '0' },
      { field: 'txtFill_Factor', option: '--fill-factor', text: '2' },
      { field: 'txtStack', option: '--stack', text: '0' },
    ];
    for (const { field, option, text } of cases) {
      await click(page, 'frmXls', 'cmdExit');
      await toInputScreen(site);
      await setField(page, field, text);
      const expected = nativeMessages([option, text]);
      assert.ok(expected.length > 0, `${option} '${text}' raises a message`);
      await page.keyboard.press('Alt+S');
      for (const message of expected) {
        const box = await closeMessage(page);
        assert.deepEqual(box, { id: message.id, title: message.title, text: message.text }, `${option} '${text}'`);
      }
      const last = expected[expected.length - 1]!;
      if (last.focus) assert.equal(await focused(page), last.focus, `${option} '${text}': the focus`);
      assert.equal(await page.locator(`${screen('frmXls')}:not([hidden])`).count(), 1);
    }
  });

  test('the key filter lets digits and the point into a filtered field, and nothing else', async () => {
    const page = site.page;
    await click(page, 'frmXls', 'cmdExit');
    await toInputScreen(site);
    const field = page.locator(named('frmXls', 'txtDCCurrent'));
    await field.focus();
    await page.keyboard.type('-1a2.5e');
    assert.equal(await field.inputValue(), '12.5');
    const open = page.locator(named('frmXls', 'txtMaxInputVoltage'));
    await open.focus();
    await page.keyboard.type('-7e1');
    assert.equal(await open.inputValue(), '-7e1', 'the maximum input voltage is not filtered');
  });

  test('a fill warning keeps the input screen and shows the intermediate outputs with the figure in red', async () => {
    const page = site.page;
    await click(page, 'frmXls', 'cmdExit');
    await toInputScreen(site);
    await pickCore(page, '6205TXGP');
    await page.keyboard.press('Alt+S');
    const [expected] = nativeMessages(['--pick', '6205TXGP']);
    const box = await closeMessage(page);
    assert.equal(box.text, expected!.text);
    await shown(page, 'frmIntermediateOutput');
    assert.equal(await page.locator(`${screen('frmXls')}:not([hidden])`).count(), 1);
    const value = page.locator(named('frmIntermediateOutput', 'Labelo10'));
    assert.equal(await value.getAttribute('data-look'), 'red');
    const red = 'rgb(208, 0, 0)';
    assert.equal(await value.evaluate((element) => getComputedStyle(element).color), red);
    const warning = page.locator(named('frmIntermediateOutput', 'txtWarning'));
    assert.match((await warning.textContent()) ?? '', /exceeds core operating parameters/);
    assert.equal(await warning.evaluate((element) => getComputedStyle(element).color), red);
    await click(page, 'frmIntermediateOutput', 'cmdExit');
  });

  test('hostile field texts give the program\'s own message or result and put nothing into the page', async () => {
    const page = site.page;
    const texts = [
      '<img src=x onerror="document.title=\'injected\'">',
      '9'.repeat(40_000),
      '1\u0000\u0007\r\n\t2',
      '\u202e1\ud800',
    ];
    for (const text of texts) {
      for (const field of ['txtMaxInputVoltage', 'txtDCCurrent']) {
        if (await page.locator(`${screen('frmResult')}:not([hidden])`).count()) await click(page, 'frmResult', 'cmdExit');
        await click(page, 'frmXls', 'cmdExit');
        await toInputScreen(site);
        await setField(page, field, text);
        // A text field holds no line break, and the page hands a lone
        // surrogate over as U+FFFD: the text the engine is given.
        const given = text.replace(/[\r\n]/g, '').replace(/\ud800/g, '\ufffd');
        const expected = nativeMessagesOfField(field, given);
        await page.keyboard.press('Alt+S');
        for (const message of expected) assert.equal((await closeMessage(page)).id, message.id);
        if (expected.length === 0) await shown(page, 'frmResult');
      }
      assert.equal(await page.locator('img').count(), 0, 'no element made of a text');
      assert.notEqual(await page.title(), 'injected');
    }
  });
});

describe('every text of every screen is the engine\'s', () => {
  test('each screen drawn shows what the session renders of its model, letter for letter', async () => {
    const site = await openSite();
    try {
      const { page } = site;
      const compare = async (name: string, when: string) => {
        const texts = await screenTexts(page, name);
        assert.ok(texts.session.length > 0, `${name} ${when}: the session renders it`);
        assert.deepEqual(texts.page, texts.session, `${name} ${when}`);
      };
      await compare('frmEnter', 'at the start');
      await toInputScreen(site);
      await compare('frmXls', 'loaded');
      await click(page, 'frmXls', 'cmdHelp');
      await shown(page, 'frmDirections');
      await compare('frmDirections', 'after Help');
      await click(page, 'frmDirections', 'cmdExit');
      await click(page, 'frmXls', 'chkNoGap');
      await pickCore(page, '6230');
      await setField(page, 'txtStack', '3');
      await compare('frmXls', 'no gap, Pick Core');
      await click(page, 'frmXls', 'cmdProcess');
      await shown(page, 'frmResult');
      await compare('frmResult', 'a picked core');
      await click(page, 'frmResult', 'cmdIinterOutput');
      await shown(page, 'frmIntermediateOutput');
      await compare('frmIntermediateOutput', 'a picked core');
      await click(page, 'frmIntermediateOutput', 'cmdExit');
      await click(page, 'frmResult', 'cmdReport');
      await shown(page, 'frmHtmlReport');
      await compare('frmHtmlReport', 'shown');
      await click(page, 'frmHtmlReport', 'cmdExit');
      await shown(page, 'frmXls');
      await click(page, 'frmXls', 'chkGap');
      await pickCore(page, '6218');
      await setField(page, 'txtStack', '1');
      await setField(page, 'txtAmbientTemp', '150');
      await click(page, 'frmXls', 'cmdProcess');
      while ((await page.locator('[role="alertdialog"]').count()) > 0) await closeMessage(page);
      await shown(page, 'frmResult');
      await compare('frmResult', 'the temperature alarm');
      assert.equal(await page.locator(named('frmResult', 'txtTotalTempRise')).getAttribute('data-look'), 'bold red');
    } finally {
      await site.close();
    }
  });
});

describe('designs that travel', () => {
  test('Save Design, then Open Design on a fresh screen, gives the same screen; a refused file changes nothing', async () => {
    const site = await openSite();
    const folder = mkdtempSync(join(tmpdir(), 'coredesign-design-'));
    try {
      const page = await toInputScreen(site);
      await click(page, 'frmXls', 'chkNoGap');
      await pickCore(page, '6230');
      await setField(page, 'txtStack', '2');
      await setField(page, 'txtMaxInputVoltage', '"quoted" \u00e9 1e400');
      const before = await screenTexts(page, 'frmXls');
      const partNo = ((await page.locator(`${named('frmXls', 'txtCoreSize')} option:checked`).textContent()) ?? '').split(' ')[0]!;
      const saving = page.waitForEvent('download');
      await page.keyboard.press('Alt+V');
      const saved = await saving;
      assert.equal(saved.suggestedFilename(), 'design.coredesign');
      const file = join(folder, 'design.coredesign');
      await saved.saveAs(file);
      // The native CLI reads the same file as the same design.
      const run = nativeCli(['--json', '--design', file]);
      assert.equal(run.stderr, '');
      const nativeRun = JSON.parse(run.stdout) as unknown;
      assert.deepEqual(nativeRun, JSON.parse(nativeCli(['--json', '--family', 'nogap', '--pick', partNo, '--stack', '2', '--max-input-voltage', '"quoted" \u00e9 1e400']).stdout));

      await click(page, 'frmXls', 'cmdExit');
      await toInputScreen(site);
      await page.locator('input[data-name="openDesignFile"]').setInputFiles(file);
      await page.waitForFunction(() => (document.querySelector('[data-name="txtStack"]') as HTMLInputElement).value === '2');
      await waitForReady(page);
      assert.deepEqual(await screenTexts(page, 'frmXls'), before);

      const refused = join(folder, 'refused.coredesign');
      writeFileSync(refused, readFileSync(file, 'utf8').replace('"version": 1', '"version": 99'));
      await page.locator('input[data-name="openDesignFile"]').setInputFiles(refused);
      const box = await closeMessage(page);
      assert.equal(box.id, 'design_file');
      assert.deepEqual(await screenTexts(page, 'frmXls'), before, 'a refused file changes nothing');
    } finally {
      rmSync(folder, { recursive: true, force: true });
      await site.close();
    }
  });

  test('Copy Link puts the design in the address\'s fragment, and the link opens it after the terms', async () => {
    const site = await openSite();
    try {
      const page = await toInputScreen(site);
      const loaded = await screenTexts(page, 'frmXls');
      await site.context.grantPermissions(['clipboard-read', 'clipboard-write'], { origin: site.baseUrl });
      await click(page, 'frmXls', 'chkPickCore');
      await setField(page, 'txtDCCurrent', '7.25');
      const before = await screenTexts(page, 'frmXls');
      await page.keyboard.press('Alt+L');
      await page.waitForFunction(() => location.hash.startsWith('#design='));
      const link = await page.evaluate(() => location.href);
      assert.equal(await page.evaluate(() => navigator.clipboard.readText()), link);
      const requestsBefore = site.requests.length;

      const other = await site.context.newPage();
      await other.goto(link);
      await waitForReady(other);
      assert.ok(site.requests.slice(requestsBefore).every((request) => !request.url.includes('design=')), 'the fragment stays in the browser');
      await other.locator(named('frmEnter', 'cmdProcess')).click();
      await shown(other, 'frmXls');
      await other.waitForFunction(() => (document.querySelector('[data-name="txtDCCurrent"]') as HTMLInputElement).value === '7.25');
      await waitForReady(other);
      assert.deepEqual(await screenTexts(other, 'frmXls'), before);

      // A hostile, a truncated and an oversized fragment: the design file's refusal, a fresh screen.
      for (const fragment of ['#design=%3Cscript%3Ealert(1)%3C/script%3E', link.slice(link.indexOf('#'), -7), `#design=${'A'.repeat(1_500_000)}`]) {
        const hostile = await site.context.newPage();
        await hostile.goto(`${site.baseUrl}/${fragment}`);
        await waitForReady(hostile);
        await hostile.locator(named('frmEnter', 'cmdProcess')).click();
        const box = await closeMessage(hostile);
        assert.equal(box.id, 'design_file', fragment.slice(0, 40));
        await waitForReady(hostile);
        assert.deepEqual(await screenTexts(hostile, 'frmXls'), loaded);
        await hostile.close();
      }
    } finally {
      await site.close();
    }
  });
});
