// What the page asks of its engine worker (engine.worker.ts) and what it answers.
import type { SessionState } from '../../wasm/coredesign-session';

export type Command =
  | { op: 'start'; origin: string }
  | { op: 'click'; screen: string; control: string }
  | { op: 'type'; control: string; text: string }
  | { op: 'choose'; control: string; index: number }
  | { op: 'note'; down: boolean }
  | { op: 'openDesign'; bytes: Uint8Array }
  | { op: 'useDesign'; gapped: boolean; partNo: string; stack: number; designText: string }
  | { op: 'designFile' }
  | { op: 'designText' }
  | { op: 'reportFile' }
  | { op: 'shown'; screen: string };

export type Request = Command & { id: number };

export interface Reply {
  id: number;
  state?: SessionState;
  bytes?: Uint8Array;
  text?: string;
  /** The module could not be started. */
  failure?: string;
}
