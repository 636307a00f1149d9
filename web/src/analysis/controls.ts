// What both analysis windows build their controls from: captions with their
// access keys, buttons, message boxes and downloads. Every text comes from
// the engine and goes into the page as text only.
import type { ButtonCaption, MessageBox } from '../../../wasm/coredesign-analysis';

export function element<K extends keyof HTMLElementTagNameMap>(
  tag: K,
  options: { name?: string; className?: string; text?: string } = {},
): HTMLElementTagNameMap[K] {
  const made = document.createElement(tag);
  if (options.name !== undefined) made.dataset.name = options.name;
  if (options.className !== undefined) made.className = options.className;
  if (options.text !== undefined) made.textContent = options.text;
  return made;
}

/**
 * Writes a caption into `target`, the letter after "&" underlined ("&&" is
 * an ampersand), and gives that letter in lower case (null for none).
 */
export function writeCaption(target: HTMLElement, caption: string): string | null {
  target.replaceChildren();
  let key: string | null = null;
  let text = '';
  for (let i = 0; i < caption.length; ++i) {
    const c = caption[i] ?? '';
    if (c !== '&' || i + 1 >= caption.length) {
      text += c;
      continue;
    }
    const next = caption[++i] ?? '';
    if (next === '&' || key !== null) {
      text += next;
      continue;
    }
    target.append(text);
    text = '';
    key = next.toLowerCase();
    target.append(element('span', { className: 'access-key', text: next }));
  }
  target.append(text);
  return key;
}

/** The controls of a window by access key: Alt+key clicks a button or a box,
 *  or focuses a list. */
export class AccessKeys {
  private readonly keys = new Map<string, HTMLElement>();

  add(key: string | null, control: HTMLElement): void {
    if (key !== null && !this.keys.has(key)) this.keys.set(key, control);
  }

  /** True when the key was one of the window's. */
  handle(event: KeyboardEvent): boolean {
    if (!event.altKey || event.ctrlKey || event.metaKey || event.key.length !== 1) return false;
    const control = this.keys.get(event.key.toLowerCase());
    if (!control || (control as HTMLButtonElement).disabled || control.hidden) return false;
    event.preventDefault();
    if (control instanceof HTMLSelectElement) control.focus();
    else control.click();
    return true;
  }
}

export function button(text: ButtonCaption, keys: AccessKeys): HTMLButtonElement {
  const made = element('button', { name: text.control });
  made.type = 'button';
  keys.add(writeCaption(made, text.caption), made);
  if (text.toolTip !== '') made.title = text.toolTip;
  return made;
}

/**
 * Shows the message boxes one after the other in `host`, each with its
 * title, text and one OK button; `after` runs once the last is closed.
 */
export function tell(host: HTMLElement, messages: MessageBox[], after: () => void): void {
  const [first, ...rest] = messages;
  if (!first) {
    after();
    return;
  }
  const box = element('div', { className: 'analysis-message' });
  box.setAttribute('role', 'alertdialog');
  box.dataset.messageId = first.id;
  const title = element('h3', { className: 'analysis-message-title', text: first.title });
  const text = element('p', { className: 'analysis-message-text', text: first.text });
  const ok = element('button', { name: 'cmdOK', text: 'OK' });
  ok.type = 'button';
  box.setAttribute('aria-labelledby', (title.id = `analysis-message-${Math.random().toString(36).slice(2)}`));
  box.append(title, text, ok);
  ok.addEventListener('click', () => {
    box.remove();
    tell(host, rest, after);
  });
  host.append(box);
  ok.focus();
}

/** Downloads `bytes` (a text is written as UTF-8) under the name `fileName`. */
export function download(fileName: string, bytes: string | Blob, type: string): void {
  const blob = typeof bytes === 'string' ? new Blob([bytes], { type }) : bytes;
  const url = URL.createObjectURL(blob);
  const link = element('a');
  link.href = url;
  link.download = fileName;
  link.hidden = true;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60_000);
}
