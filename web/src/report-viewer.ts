// The report viewer's frame and its page-side buttons. The report shows in
// <iframe sandbox=""> from a blob: URL: no script of it runs, it cannot
// reach the page, and the page's Content-Security-Policy, which a blob:
// document inherits, lets it load nothing but the site's own pictures.
// Save as HTML File downloads the report the session wrote; Open shows a
// file the designer picks in the same frame; Print and Save as PDF open the
// browser's print dialog on a copy of the shown document made for it alone:
// sandboxed as well, without scripts, but of the page's origin and allowed
// dialogs, so that the page can check it for the report's print hook and
// call its print().
import type { MessageBox } from '../../wasm/coredesign-session';

// The report has no character-set declaration: it is Windows-1252, as the
// desktop viewer reads it.
const reportType = 'text/html;charset=windows-1252';
// The saved report's file name (the desktop's dialog adds ".html" to the name typed).
const savedReportName = 'report.html';

export function download(bytes: Uint8Array, fileName: string, type: string): void {
  const url = URL.createObjectURL(new Blob([bytes as BlobPart], { type }));
  const link = document.createElement('a');
  link.href = url;
  link.download = fileName;
  link.hidden = true;
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(url), 60_000);
}

export interface ViewerHooks {
  /** The bytes of the report the session wrote. */
  reportBytes(): Promise<Uint8Array>;
  printHook(): string;
  cannotPrint(): MessageBox;
  tell(message: MessageBox): void;
}

export class ReportViewer {
  readonly frame: HTMLIFrameElement;
  private shownUrl = '';
  private readonly picker: HTMLInputElement;
  // Whether the frame's next load is the one the viewer asked for.
  private expectingLoad = false;

  constructor(private readonly hooks: ViewerHooks) {
    this.frame = document.createElement('iframe');
    this.frame.setAttribute('sandbox', '');
    this.frame.dataset.name = 'wb';
    this.frame.className = 'report-frame';
    this.frame.title = 'report';
    // A page that navigates its frame (a followed link, a refresh) finds the
    // way blocked, and the frame shows the file again rather than the error.
    this.frame.addEventListener('load', () => {
      if (this.expectingLoad || !this.shownUrl) {
        this.expectingLoad = false;
        return;
      }
      this.expectingLoad = true;
      this.frame.src = this.shownUrl;
    });
    this.picker = document.createElement('input');
    this.picker.type = 'file';
    this.picker.accept = '.html,.htm,text/html';
    this.picker.hidden = true;
    this.picker.dataset.name = 'openReportFile';
    this.picker.addEventListener('change', () => {
      const file = this.picker.files?.[0];
      this.picker.value = '';
      if (file) void file.arrayBuffer().then((buffer) => this.show(new Uint8Array(buffer)));
    });
  }

  /** Puts the frame and the file picker into the viewer's drawn section. */
  mount(section: HTMLElement): void {
    const body = section.querySelector('.screen-body') ?? section;
    this.expectingLoad = this.shownUrl !== '';
    body.prepend(this.frame, this.picker);
  }

  show(bytes: Uint8Array): void {
    const url = URL.createObjectURL(new Blob([bytes as BlobPart], { type: reportType }));
    if (this.shownUrl) URL.revokeObjectURL(this.shownUrl);
    this.shownUrl = url;
    this.expectingLoad = true;
    this.frame.src = url;
  }

  /** The viewer's own commands; false for those the session carries out. */
  click(control: string): boolean {
    switch (control) {
      case 'cmdSave':
        void this.hooks.reportBytes().then((bytes) => download(bytes, savedReportName, reportType));
        return true;
      case 'cmdOpen':
        this.picker.click();
        return true;
      case 'cmdPrint':
      case 'cmdSavePdf':
        this.print();
        return true;
      default:
        return false;
    }
  }

  private print(): void {
    if (!this.shownUrl) return;
    const copy = document.createElement('iframe');
    copy.setAttribute('sandbox', 'allow-same-origin allow-modals');
    copy.className = 'print-copy';
    copy.addEventListener(
      'load',
      () => {
        const shown = copy.contentDocument;
        const window = copy.contentWindow;
        if (!shown || !window || shown.getElementsByName(this.hooks.printHook()).length === 0) {
          copy.remove();
          this.hooks.tell(this.hooks.cannotPrint());
          return;
        }
        window.addEventListener('afterprint', () => copy.remove(), { once: true });
        window.print();
      },
      { once: true },
    );
    copy.src = this.shownUrl;
    document.body.append(copy);
  }

  /** The viewer closed: its frame forgets the report. */
  clear(): void {
    if (this.shownUrl) URL.revokeObjectURL(this.shownUrl);
    this.shownUrl = '';
    this.frame.removeAttribute('src');
  }
}
