// The web edition's page: the program's screens drawn from the session the
// engine worker keeps, in the program's flow. Every click, typed text and
// chosen entry goes to the session; what comes back is drawn. The page's own
// work is the browser's: files to download and pick, the clipboard, the
// address, the print dialog, and the access keys (Alt and the letter).
import './page.css';
import type { MessageBox, ScreenState, SessionState } from '../../wasm/coredesign-session';
import { designLink, designOfFragment } from './design-link';
import { EngineClient, type Answer } from './engine-client';
import type { Command } from './engine-protocol';
import { MessageBoxes } from './message-box';
import { ReportViewer, download } from './report-viewer';
import { drawScreen, needsDrawing, shownLines, updateScreen, type DrawnScreen } from './screens';

const root = document.getElementById('app') ?? document.body;
const screensHost = document.createElement('main');
screensHost.className = 'screens';
const dialogHost = document.createElement('div');
root.append(screensHost, dialogHost);

const engine = new EngineClient();
const messages = new MessageBoxes(dialogHost, screensHost);
const drawn = new Map<string, DrawnScreen>();
let state: SessionState | null = null;
let active = '';
// A field's text typed after the request that answered: the request's number.
const typed = new Map<string, number>();
// A design link's bytes, opened on the input screen once the terms are accepted.
let linkedDesign = designOfFragment(location.hash);

const viewer = new ReportViewer({
  reportBytes: async () => (await engine.send({ op: 'reportFile' })).bytes ?? new Uint8Array(),
  printHook: () => state?.printHook ?? '',
  cannotPrint: () => state!.cannotPrint,
  tell: (message) => tell(message, ''),
});

function screenState(name: string): ScreenState | undefined {
  return state?.screens.find((screen) => screen.name === name);
}

function control(screen: string, name: string): HTMLElement | null {
  return drawn.get(screen)?.section.querySelector<HTMLElement>(`[data-name="${CSS.escape(name)}"]`) ?? null;
}

// After a message box, its control takes the focus: on the screen the
// message came from, else on whichever shown screen has it.
function tell(message: MessageBox, screen: string): void {
  messages.show(message, () => {
    if (!message.focus) return;
    const shown = [screen, ...[...drawn.keys()].filter((name) => name !== screen && !drawn.get(name)!.section.hidden)];
    for (const name of shown) {
      const target = control(name, message.focus);
      if (target) {
        target.focus();
        return;
      }
    }
  });
}

async function send(command: Command): Promise<Answer> {
  const answer = await engine.send(command);
  show(answer);
  return answer;
}

function focusFirst(section: HTMLElement): void {
  const first = section.querySelector<HTMLElement>('input:not([type=file]):not(:disabled), select:not(:disabled), button');
  first?.focus();
}

// Draws the state: each screen that exists (afresh when its layout changed),
// the shown ones visible, the active one first; then the messages.
function show(answer: Answer): void {
  const next = answer.state;
  state = next;
  for (const [control, id] of typed) if (id <= answer.id) typed.delete(control);
  const names = new Set(next.screens.map((screen) => screen.name));
  for (const [name, screen] of drawn) {
    if (names.has(name)) continue;
    screen.section.remove();
    drawn.delete(name);
    if (name === 'frmHtmlReport') viewer.clear();
  }
  for (const screen of next.screens) {
    // Compare Cores and the curve are views of their own (analysis/).
    if (analysisScreens.has(screen.name)) continue;
    let current = drawn.get(screen.name);
    if (!current || needsDrawing(current, screen)) {
      const focused = document.activeElement instanceof HTMLElement ? document.activeElement.dataset.name : undefined;
      const fresh = drawScreen(screen, events);
      if (screen.name === 'frmHtmlReport') viewer.mount(fresh.section);
      if (screen.name === 'frmResult') wireResults(fresh.section);
      if (current) current.section.replaceWith(fresh.section);
      else screensHost.append(fresh.section);
      current = fresh;
      drawn.set(screen.name, fresh);
      if (focused && current.section.contains(document.activeElement) === false && screen.name === active)
        control(screen.name, focused)?.focus();
    }
    updateScreen(current, screen, new Set(typed.keys()));
    current.section.classList.toggle('active', screen.name === next.active);
  }
  document.body.dataset.ends = next.ends ? 'true' : 'false';
  if (next.active !== active || !drawn.get(next.active)?.section.contains(document.activeElement)) {
    const changed = next.active !== active;
    active = next.active;
    const section = drawn.get(active)?.section;
    if (section && changed && !section.hidden) {
      focusFirst(section);
      section.scrollIntoView({ block: 'start' });
    }
  }
  for (const message of next.messages) tell(message, next.active);
  if (!engineStarted && screenState('frmEnter')?.visible) {
    engineStarted = true;
    engine.markStarted();
  }
  if (linkedDesign && screenState('frmXls')?.visible) {
    const bytes = linkedDesign;
    linkedDesign = null;
    void send({ op: 'openDesign', bytes });
  }
}
let engineStarted = false;
const analysisScreens = new Set(['frmCompareCores', 'frmInductanceCurve']);

const designPicker = document.createElement('input');
designPicker.type = 'file';
designPicker.accept = '.coredesign,application/x-coredesign-design,application/json';
designPicker.hidden = true;
designPicker.dataset.name = 'openDesignFile';
designPicker.addEventListener('change', () => {
  const file = designPicker.files?.[0];
  designPicker.value = '';
  // One byte more than a design file may hold is enough for the engine to refuse a larger one.
  if (file) void file.slice(0, (1 << 20) + 1).arrayBuffer().then((buffer) => send({ op: 'openDesign', bytes: new Uint8Array(buffer) }));
});
root.append(designPicker);

// The commands the page carries out itself, before or instead of the session's.
async function click(screen: string, name: string): Promise<void> {
  if (screen === 'frmHtmlReport' && viewer.click(name)) return;
  if (screen === 'frmXls' && name === 'cmdSaveDesign') {
    const answer = await send({ op: 'designFile' });
    if (answer.bytes && answer.bytes.length > 0)
      download(answer.bytes, answer.state.designFileName, answer.state.designFileType);
    return;
  }
  if (screen === 'frmXls' && name === 'cmdOpenDesign') {
    designPicker.click();
    return;
  }
  if (screen === 'frmXls' && name === 'cmdCopyLink') {
    const answer = await engine.send({ op: 'designText' });
    show(answer);
    if (!answer.text) return;
    const link = designLink(location, answer.text);
    // The address holds the link as well, so that it can be copied from there.
    history.replaceState(null, '', link);
    await navigator.clipboard?.writeText(link).catch(() => undefined);
    return;
  }
  const answer = await send({ op: 'click', screen, control: name });
  if (screen === 'frmResult' && name === 'cmdReport' && screenState('frmHtmlReport')?.visible) {
    const report = await engine.send({ op: 'reportFile' });
    show(report);
    if (report.bytes) viewer.show(report.bytes);
  }
  void answer;
}

const events = {
  click: (screen: string, name: string) => void click(screen, name),
  type: (_screen: string, name: string, text: string) => {
    typed.set(name, engine.peekId());
    void send({ op: 'type', control: name, text });
  },
  choose: (_screen: string, name: string, index: number) => void send({ op: 'choose', control: name, index }),
  fieldCharacters: () => state?.fieldCharacters ?? '',
};

// The results screen's note Label2: its mouse button colours the web link.
function wireResults(section: HTMLElement): void {
  const note = section.querySelector<HTMLElement>('[data-name="Label2"]');
  note?.addEventListener('mousedown', () => void send({ op: 'note', down: true }));
  note?.addEventListener('mouseup', () => void send({ op: 'note', down: false }));
}

// Alt and a letter presses the control of the active screen whose caption
// marks that letter, as the desktop program's access keys do.
document.addEventListener('keydown', (event) => {
  if (!event.altKey || event.ctrlKey || event.metaKey || messages.open) return;
  const letter = event.code.startsWith('Key') ? event.code.slice(3).toLowerCase() : event.key.toLowerCase();
  const screen = drawn.get(active);
  const target = screen && !screen.section.hidden ? screen.accessKeys.get(letter) : undefined;
  if (!target) return;
  event.preventDefault();
  target.focus();
  target.click();
});

// For the browser tests: the texts each drawn screen shows, one a line, and
// the session's own rendering of the same model.
declare global {
  interface Window {
    coredesignShownTexts?: (screen: string) => Promise<{ page: string[]; session: string[] }>;
  }
}
window.coredesignShownTexts = async (screen: string) => {
  const answer = await engine.send({ op: 'shown', screen });
  const section = drawn.get(screen)?.section;
  return {
    page: section ? shownLines(section) : [],
    session: (answer.text ?? '').split('\n').filter((line) => line !== ''),
  };
};

void send({ op: 'start', origin: location.origin });
