// The screens of the page, drawn from the session's state: each screen is a
// <section data-screen="frmXxx">, each of its texts an element in the order
// the screen's model gives them, rows and panels where the model says they
// begin. Captions, values and looks are the model's; the page only chooses
// the element for each kind of control. No text is ever put in as HTML.
import type { ControlState, ScreenState, ShownText } from '../../wasm/coredesign-session';

/** What a drawn screen reports back to the page. */
export interface ScreenEvents {
  click(screen: string, control: string): void;
  type(screen: string, control: string, text: string): void;
  choose(screen: string, control: string, index: number): void;
  /** The characters the key filter lets into a filtered field. */
  fieldCharacters(): string;
}

/** A screen's section and what the page keeps of its controls. */
export interface DrawnScreen {
  section: HTMLElement;
  /** The access keys: the letter (lower case) and the control it presses. */
  accessKeys: Map<string, HTMLElement>;
  /** The texts it was drawn from, less what changes as it is used. */
  layout: string;
}

/** A caption with its access key ("&Show Results"): the text, the key's
 *  position in it (-1 for none). "&&" is an ampersand. */
export function accessKeyOf(caption: string): { text: string; key: number } {
  let text = '';
  let key = -1;
  for (let k = 0; k < caption.length; ++k) {
    const c = caption[k] as string;
    if (c === '&' && k + 1 < caption.length) {
      const next = caption[k + 1] as string;
      if (next !== '&' && key < 0) key = text.length;
      text += next;
      ++k;
    } else {
      text += c;
    }
  }
  return { text, key };
}

/** Puts a caption into `element`, its access key underlined. */
function putCaption(element: HTMLElement, caption: string): string {
  const { text, key } = accessKeyOf(caption);
  element.replaceChildren();
  element.classList.add('has-caption');
  if (key < 0) {
    element.textContent = text;
    return '';
  }
  const mark = document.createElement('u');
  mark.className = 'access-key';
  mark.textContent = text.charAt(key);
  element.append(text.slice(0, key), mark, text.slice(key + 1));
  return text.charAt(key).toLowerCase();
}

// What of a screen's texts may change without drawing it anew: the values of
// fields, lists and boxes, and looks.
function layoutOf(screen: ScreenState): string {
  return JSON.stringify(
    screen.texts.map(([control, role, text, placement]) => {
      const kind = screen.controls[control]?.kind;
      const changes = role === 'look' || (role === 'text' && (kind === 'field' || kind === 'list' || kind === 'box'));
      return [control, role, changes ? '' : text, placement];
    }),
  );
}

function colourClass(colour: string | undefined): string {
  return colour ? `colour-${colour}` : '';
}

/** Draws a screen afresh. */
export function drawScreen(screen: ScreenState, events: ScreenEvents): DrawnScreen {
  const section = document.createElement('section');
  section.dataset.screen = screen.name;
  section.className = `screen screen-${screen.name}`;
  const accessKeys = new Map<string, HTMLElement>();
  const body = document.createElement('div');
  body.className = 'screen-body';
  let panel: HTMLElement = body;
  let row: HTMLElement | null = null;
  const buttons = document.createElement('div');
  buttons.className = 'buttons';
  const shownBy = new Map<string, HTMLElement>();

  const place = (element: HTMLElement, placement: ShownText[3]) => {
    if (placement === 'row') {
      row = document.createElement('div');
      row.className = 'row';
      panel.append(row);
    }
    (row ?? panel).append(element);
  };

  for (const [control, role, text, placement] of screen.texts) {
    const state: ControlState | undefined = screen.controls[control];
    if (role === 'title') {
      const heading = document.createElement('h1');
      heading.className = 'screen-title';
      heading.dataset.shown = control;
      heading.dataset.role = 'title';
      heading.textContent = text;
      section.append(heading);
      continue;
    }
    if (placement === 'panel') {
      panel = document.createElement('div');
      panel.className = 'panel';
      body.append(panel);
      row = null;
      const heading = document.createElement('h2');
      heading.dataset.shown = '-';
      heading.dataset.role = 'text';
      heading.textContent = text;
      panel.append(heading);
      continue;
    }
    if (role === 'tooltip') {
      const element = shownBy.get(control);
      if (element) element.title = text;
      continue;
    }
    if (role === 'look') {
      const element = shownBy.get(control);
      if (element) element.dataset.look = text;
      continue;
    }
    if (role === 'item') {
      let list = shownBy.get(control) as HTMLSelectElement | undefined;
      if (!list) {
        list = document.createElement('select');
        list.dataset.name = control;
        list.dataset.shown = control;
        list.dataset.role = 'text';
        list.addEventListener('change', () => events.choose(screen.name, control, list!.selectedIndex));
        shownBy.set(control, list);
        place(list, placement);
      }
      const option = document.createElement('option');
      option.textContent = text;
      list.append(option);
      continue;
    }
    // A text of a control, or a caption.
    if (!control || !state) {
      const caption = document.createElement('span');
      caption.className = control ? 'caption named' : 'caption';
      caption.dataset.shown = control || '-';
      caption.dataset.role = 'text';
      if (control) caption.dataset.name = control;
      caption.textContent = text;
      if (control) shownBy.set(control, caption);
      place(caption, placement);
      continue;
    }
    switch (state.kind) {
      case 'field': {
        const field = document.createElement('input');
        field.type = 'text';
        field.autocomplete = 'off';
        field.spellcheck = false;
        field.dataset.name = control;
        field.dataset.shown = control;
        field.dataset.role = 'text';
        field.value = text;
        field.addEventListener('focus', () => field.select());
        if (state.filtered) filterKeys(field, events);
        field.addEventListener('input', () => events.type(screen.name, control, field.value));
        shownBy.set(control, field);
        place(field, placement);
        break;
      }
      case 'list': {
        // Its entries came first; an empty list is drawn here.
        if (!shownBy.has(control)) {
          const list = document.createElement('select');
          list.dataset.name = control;
          list.dataset.shown = control;
          list.dataset.role = 'text';
          list.addEventListener('change', () => events.choose(screen.name, control, list.selectedIndex));
          shownBy.set(control, list);
          place(list, placement);
        }
        break;
      }
      case 'check': {
        const label = document.createElement('label');
        label.className = 'check';
        const box = document.createElement('input');
        box.type = 'checkbox';
        box.dataset.name = control;
        box.addEventListener('click', (event) => {
          // The model decides what the box shows.
          event.preventDefault();
          events.click(screen.name, control);
        });
        const caption = document.createElement('span');
        caption.dataset.shown = control;
        caption.dataset.role = 'text';
        const key = putCaption(caption, text);
        if (key) accessKeys.set(key, box);
        label.append(box, caption);
        shownBy.set(control, caption);
        place(label, placement);
        break;
      }
      case 'button': {
        const button = document.createElement('button');
        button.type = 'button';
        button.dataset.name = control;
        button.dataset.shown = control;
        button.dataset.role = 'text';
        const key = putCaption(button, text);
        if (key) accessKeys.set(key, button);
        button.addEventListener('click', () => events.click(screen.name, control));
        shownBy.set(control, button);
        buttons.append(button);
        break;
      }
      case 'link': {
        const link = document.createElement('a');
        link.dataset.name = control;
        link.dataset.shown = control;
        link.dataset.role = 'text';
        link.href = state.address ?? '';
        link.target = '_blank';
        link.rel = 'noopener noreferrer';
        link.textContent = text;
        link.className = 'web-link';
        link.addEventListener('click', () => events.click(screen.name, control));
        shownBy.set(control, link);
        const line = document.createElement('div');
        line.className = 'link-line';
        line.append(link);
        body.append(line);
        break;
      }
      default: {
        const box = document.createElement(state.kind === 'box' ? 'output' : 'span');
        box.className = `box kind-${state.kind}`;
        box.dataset.name = control;
        box.dataset.shown = control;
        box.dataset.role = 'text';
        box.textContent = text;
        shownBy.set(control, box);
        if (state.kind === 'note') {
          box.className = 'note';
          body.append(box);
          row = null;
        } else {
          place(box, placement);
        }
      }
    }
  }
  section.append(body);
  if (buttons.childElementCount > 0) section.append(buttons);
  const drawn = { section, accessKeys, layout: layoutOf(screen) };
  updateScreen(drawn, screen, new Set());
  return drawn;
}

/** Whether the screen must be drawn afresh for this state. */
export function needsDrawing(drawn: DrawnScreen, screen: ScreenState): boolean {
  return drawn.layout !== layoutOf(screen);
}

/**
 * Shows the state's values, choices and looks on a drawn screen. A field in
 * `typing` keeps what the designer has typed since (its texts are on their way).
 */
export function updateScreen(drawn: DrawnScreen, screen: ScreenState, typing: Set<string>): void {
  const { section } = drawn;
  section.hidden = !screen.visible;
  const looks = new Map<string, string>();
  for (const [control, role, text] of screen.texts) if (role === 'look') looks.set(control, text);
  for (const [control, role, text] of screen.texts) {
    if (role !== 'text' || !control) continue;
    const state = screen.controls[control];
    const element = section.querySelector<HTMLElement>(`[data-shown="${CSS.escape(control)}"]`);
    if (!state || !element) continue;
    if (state.kind === 'field' && element instanceof HTMLInputElement) {
      if (!typing.has(control) && element.value !== text) element.value = text;
    } else if (state.kind === 'list' && element instanceof HTMLSelectElement) {
      const index = state.index ?? -1;
      if (element.selectedIndex !== index) element.selectedIndex = index;
      element.disabled = state.enabled === false;
      element.classList.toggle('list-grey', state.colour === 'grey');
      element.classList.toggle('list-black', state.colour === 'black');
    } else if (state.kind === 'box' && element.textContent !== text) {
      element.textContent = text;
    }
    if (state.kind === 'check') {
      const box = section.querySelector<HTMLInputElement>(`input[data-name="${CSS.escape(control)}"]`);
      if (box) box.checked = state.checked === true;
    }
    for (const cls of [...element.classList]) if (cls.startsWith('colour-')) element.classList.remove(cls);
    const colour = colourClass(state.colour === 'grey' || state.colour === '' ? undefined : state.colour);
    if (colour) element.classList.add(colour);
    element.classList.toggle('bold', state.bold === true);
    const look = looks.get(control);
    if (look) element.dataset.look = look;
    else delete element.dataset.look;
  }
}

// The key filter of a field: only the characters the engine's rule takes
// reach it; a paste, cut or drop does nothing, as the desktop's filtered
// fields discard those chords. Deleting and moving the caret keep their work.
function filterKeys(field: HTMLInputElement, events: ScreenEvents): void {
  field.addEventListener('beforeinput', (event) => {
    const type = event.inputType;
    if (type.startsWith('delete') || type.startsWith('history')) {
      if (type === 'deleteByCut' || type === 'deleteByDrag') event.preventDefault();
      return;
    }
    if (type === 'insertText' || type === 'insertCompositionText' || type === 'insertReplacementText') {
      const taken = events.fieldCharacters();
      const typed = event.data ?? '';
      const kept = [...typed].filter((c) => taken.includes(c)).join('');
      if (kept === typed) return;
      event.preventDefault();
      if (kept && type !== 'insertCompositionText') {
        field.setRangeText(kept, field.selectionStart ?? field.value.length, field.selectionEnd ?? field.value.length, 'end');
        field.dispatchEvent(new Event('input'));
      }
      return;
    }
    event.preventDefault();
  });
  for (const chord of ['cut', 'paste', 'drop'] as const) field.addEventListener(chord, (event) => event.preventDefault());
}

/**
 * The texts a drawn screen shows, one a line, as the session renders its
 * model (shown_texts.h): "control role "text"", empty texts left out. An
 * access key is written back as its ampersand.
 */
export function shownLines(section: HTMLElement): string[] {
  const lines: string[] = [];
  const quoted = (text: string) =>
    '"' +
    text
      .replace(/\\/g, '\\\\')
      .replace(/"/g, '\\"')
      .replace(/\r/g, '\\r')
      .replace(/\n/g, '\\n')
      .replace(/\t/g, '\\t') +
    '"';
  const line = (control: string, role: string, text: string) => {
    if (text !== '') lines.push(`${control} ${role} ${quoted(text)}`);
  };
  for (const element of section.querySelectorAll<HTMLElement>('[data-shown]')) {
    const control = element.dataset.shown ?? '-';
    const role = element.dataset.role ?? 'text';
    if (element instanceof HTMLSelectElement) {
      for (const option of element.options) line(control, 'item', option.textContent ?? '');
      line(control, 'text', element.selectedOptions[0]?.textContent ?? '');
    } else if (element instanceof HTMLInputElement) {
      line(control, role, element.value);
    } else if (element.classList.contains('has-caption')) {
      let text = '';
      for (const node of element.childNodes) {
        const part = (node.textContent ?? '').replace(/&/g, '&&');
        text += node instanceof HTMLElement && node.classList.contains('access-key') ? `&${part}` : part;
      }
      line(control, role, text);
    } else {
      line(control, role, element.textContent ?? '');
    }
    if (element.title) line(control, 'tooltip', element.title);
    if (element.dataset.look) line(control, 'look', element.dataset.look);
  }
  return lines;
}
