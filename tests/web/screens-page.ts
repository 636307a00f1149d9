// What the screen tests ask of the page: its screens shown, its controls by
// the desktop's object names, its message boxes, and the texts each screen
// shows beside the session's own rendering of the same model.
import assert from 'node:assert/strict';
import type { Page } from 'playwright-core';
import { waitForReady } from './support/browser.js';

export function screen(name: string): string {
  return `section[data-screen="${name}"]`;
}

export function named(screenName: string, control: string): string {
  return `${screen(screenName)} [data-name="${control}"]`;
}

/** Waits until the screen is shown and the worker has nothing left to do. */
export async function shown(page: Page, name: string): Promise<void> {
  await page.waitForSelector(`${screen(name)}:not([hidden])`);
  await waitForReady(page);
}

export async function focused(page: Page): Promise<string | undefined> {
  return page.evaluate(() => (document.activeElement as HTMLElement | null)?.dataset.name);
}

export interface ShownBox {
  id: string;
  title: string;
  text: string;
}

/** The message box shown (waiting for it), closed with its OK button. */
export async function closeMessage(page: Page): Promise<ShownBox> {
  const box = page.locator('[role="alertdialog"]').first();
  await box.waitFor();
  const shownBox = {
    id: (await box.getAttribute('data-message-id')) ?? '',
    title: (await box.locator('.message-title').textContent()) ?? '',
    text: (await box.locator('.message-text').textContent()) ?? '',
  };
  assert.equal(await box.locator('button').count(), 1, 'one OK button');
  await page.keyboard.press('Enter');
  await box.waitFor({ state: 'detached' });
  return shownBox;
}

/** Types a field's whole text as pasted (the key filter aside). */
export async function setField(page: Page, control: string, text: string): Promise<void> {
  await page.locator(named('frmXls', control)).evaluate((field, value) => {
    (field as HTMLInputElement).value = value;
    field.dispatchEvent(new Event('input'));
  }, text);
  await waitForReady(page);
}

/** The texts the drawn screen shows and the session's rendering, each sorted. */
export async function screenTexts(page: Page, name: string): Promise<{ page: string[]; session: string[] }> {
  const texts = await page.evaluate((screenName) => window.coredesignShownTexts!(screenName), name);
  return { page: [...texts.page].sort(), session: [...texts.session].sort() };
}

declare global {
  interface Window {
    coredesignShownTexts?: (screen: string) => Promise<{ page: string[]; session: string[] }>;
  }
}
