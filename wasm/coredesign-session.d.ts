// The session of the whole program in the WebAssembly engine (session.cpp):
// the screens, their texts and the flow between them, for the web page.
// Every method that changes something answers the session's state as UTF-8
// JSON bytes (SessionState); every text handed in is UTF-8 bytes.
//
//   const engine = await createCoreDesignEngine({ locateFile: () => wasmUrl });
//   const session = new (engine as unknown as SessionModule).Session();
//   const state = JSON.parse(new TextDecoder().decode(session.state())) as SessionState;

/** How a text of a screen stands on it, as the screen's model shows it. */
export type TextRole = 'title' | 'text' | 'tooltip' | 'item' | 'look';

/**
 * One text of a screen: the control's name ('' for a caption without one),
 * its role, the text, and where it stands: 'title' (the screen's title),
 * 'panel' (a heading that opens a panel), 'row' (a caption that begins a
 * row) or '' (beside the text before it).
 */
export type ShownText = [control: string, role: TextRole, text: string, placement: '' | 'row' | 'panel' | 'title'];

export type Colour = 'black' | 'navy' | 'noteBlue' | 'red' | 'linkBlue' | 'linkYellow';

/** What a control is, and how it stands now. */
export interface ControlState {
  kind: 'field' | 'list' | 'check' | 'button' | 'box' | 'note' | 'link' | 'caption';
  /** A field: whether only the key filter's characters reach it. */
  filtered?: boolean;
  /** A list: the chosen entry (-1: none). */
  index?: number;
  /** A list: whether it can be chosen from. */
  enabled?: boolean;
  /** The core size list's text colour: 'grey', 'black' or '' (as loaded). */
  colour?: Colour | 'grey' | '';
  bold?: boolean;
  /** A check box. */
  checked?: boolean;
  /** The web link: the address it opens. */
  address?: string;
}

export interface ScreenState {
  /** The screen's control name: frmEnter, frmXls, frmResult, ... */
  name: string;
  visible: boolean;
  texts: ShownText[];
  controls: Record<string, ControlState>;
}

/** A message box to show: its title, icon, text (lines end in CR LF), one OK
 *  button, and the control that takes the focus after it ('' for none). */
export interface MessageBox {
  id: string;
  title: string;
  text: string;
  icon: 'information' | 'none';
  focus: string;
}

export interface SessionState {
  /** No screen that keeps the program running is left. */
  ends: boolean;
  /** The screen shown last. */
  active: string;
  /** Every character the key filter lets into a filtered field. */
  fieldCharacters: string;
  /** Save Design's first file name and the design file's MIME type. */
  designFileName: string;
  designFileType: string;
  /** The screens that exist, in the flow's order. */
  screens: ScreenState[];
  /** Print's check: a report of this program holds an element of this name. */
  printHook: string;
  /** The message box Print shows for a page without it. */
  cannotPrint: MessageBox;
  /** The message boxes the last command raised, in their order. */
  messages: MessageBox[];
}

export interface Session {
  /** The site's origin ("http://127.0.0.1:8080"): the report's pictures are its /pictures/. */
  setPictureOrigin(origin: Uint8Array): void;
  state(): Uint8Array;
  /** A click on a control of a shown screen. */
  click(screen: string, control: string): Uint8Array;
  /** A field's whole text, as typed or pasted. */
  type(control: string, text: Uint8Array): Uint8Array;
  /** An entry chosen in cmbinductance, cmbfrequency or txtCoreSize (-1: none). */
  choose(control: string, index: number): Uint8Array;
  /** The mouse button down (true) or up on the results screen's note Label2. */
  note(down: boolean): Uint8Array;
  /** Save Design's file; empty when refused (the state's next messages say why). */
  designFile(): Uint8Array;
  /** The input screen's design text as it stands (empty when it cannot be written). */
  designText(): Uint8Array;
  /** Open Design with a file's bytes. */
  openDesign(bytes: Uint8Array): Uint8Array;
  /** Use This Design of Compare Cores, then Show Results. */
  useDesign(gapped: boolean, partNo: string, stack: number, designText: Uint8Array): Uint8Array;
  /** The report View Report last wrote (Windows-1252 bytes). */
  reportFile(): Uint8Array;
  /** The texts a screen shows, one a line, as the reviewed files render them. */
  shown(screen: string): Uint8Array;
  delete(): void;
}

export interface SessionModule {
  Session: new () => Session;
}
