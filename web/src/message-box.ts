// The program's message boxes on the page: <div role="alertdialog"> with the
// title, the icon, the text and one OK button; while one is shown the rest
// of the page takes no input. Boxes come one after another, each followed by
// the focus its message names.
import type { MessageBox } from '../../wasm/coredesign-session';

export class MessageBoxes {
  private readonly queue: { message: MessageBox; after(): void }[] = [];
  private shown: HTMLElement | null = null;

  constructor(
    private readonly host: HTMLElement,
    private readonly page: HTMLElement,
  ) {}

  /** Shows `message` once those before it are closed; `after` runs when it is. */
  show(message: MessageBox, after: () => void): void {
    this.queue.push({ message, after });
    if (!this.shown) this.next();
  }

  get open(): boolean {
    return this.shown !== null;
  }

  private next(): void {
    const entry = this.queue.shift();
    if (!entry) {
      this.page.inert = false;
      return;
    }
    const { message, after } = entry;
    const box = document.createElement('div');
    box.setAttribute('role', 'alertdialog');
    box.setAttribute('aria-modal', 'true');
    box.dataset.messageId = message.id;
    box.className = `message-box icon-${message.icon}`;
    const title = document.createElement('h2');
    title.className = 'message-title';
    title.id = `message-title-${Date.now()}`;
    title.textContent = message.title;
    const text = document.createElement('p');
    text.className = 'message-text';
    text.textContent = message.text;
    box.setAttribute('aria-labelledby', title.id);
    const ok = document.createElement('button');
    ok.type = 'button';
    ok.textContent = 'OK';
    ok.dataset.name = 'OK';
    const row = document.createElement('div');
    row.className = 'message-buttons';
    row.append(ok);
    const icon = document.createElement('span');
    icon.className = 'message-icon';
    icon.setAttribute('aria-hidden', 'true');
    const body = document.createElement('div');
    body.className = 'message-body';
    body.append(icon, text);
    box.append(title, body, row);
    const overlay = document.createElement('div');
    overlay.className = 'message-overlay';
    overlay.append(box);
    const close = () => {
      overlay.remove();
      this.shown = null;
      this.page.inert = this.queue.length > 0;
      after();
      this.next();
    };
    ok.addEventListener('click', close);
    box.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') {
        event.preventDefault();
        close();
      }
      if (event.key === 'Tab') event.preventDefault();  // the box's one button keeps the focus
    });
    this.page.inert = true;
    this.host.append(overlay);
    this.shown = overlay;
    ok.focus();
  }
}
