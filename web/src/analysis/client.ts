// The page's side of the analysis worker: one worker for both windows,
// requests answered by promise, and a comparison's progress followed by
// callback.
import type { CompareTexts, CurveView, DesignChoice, MessageBox, TableView } from '../../../wasm/coredesign-analysis';
import type { Answer, Request } from './protocol';

type Waiting = (answer: Answer) => boolean;  // true when it was the last answer awaited

let worker: Worker | null = null;
let nextId = 1;
const waiting = new Map<number, Waiting>();

function theWorker(): Worker {
  if (!worker) {
    worker = new Worker(new URL('./analysis.worker.ts', import.meta.url), { type: 'module' });
    worker.onmessage = (event: MessageEvent<Answer>) => {
      const handler = waiting.get(event.data.id);
      if (handler && handler(event.data)) waiting.delete(event.data.id);
    };
  }
  return worker;
}

// Sends a request without its id; `handle` sees each answer to it.
function send(request: DistributiveOmit<Request, 'id'>, handle: Waiting): number {
  const id = nextId++;
  waiting.set(id, handle);
  theWorker().postMessage({ ...request, id } as Request);
  return id;
}

type DistributiveOmit<T, K extends keyof T> = T extends unknown ? Omit<T, K> : never;

function ask<K extends Answer['kind']>(
  request: DistributiveOmit<Request, 'id'>,
  kind: K,
): Promise<Extract<Answer, { kind: K }>> {
  return new Promise((resolve, reject) => {
    send(request, (answer) => {
      if (answer.kind === 'failed') reject(new Error(answer.reason));
      else if (answer.kind === kind) resolve(answer as Extract<Answer, { kind: K }>);
      else return false;
      return true;
    });
  });
}

let texts: Promise<CompareTexts> | null = null;
export function compareTexts(): Promise<CompareTexts> {
  texts ??= ask({ kind: 'texts' }, 'texts').then((answer) => answer.texts);
  return texts;
}

export interface ComparisonEvents {
  refused(messages: MessageBox[]): void;
  started(total: number, comparingText: string): void;
  progress(done: number, total: number): void;
  compared(inputsText: string, countText: string): void;
  cancelled(): void;
  failed(reason: string): void;
}

/** Starts a comparison; its number names it in the requests below. */
export function startComparison(designText: string, events: ComparisonEvents): number {
  return send({ kind: 'compare', designText }, (answer) => {
    switch (answer.kind) {
      case 'refused': events.refused(answer.messages); return true;
      case 'started': events.started(answer.total, answer.comparingText); return false;
      case 'progress': events.progress(answer.done, answer.total); return false;
      case 'compared': events.compared(answer.inputsText, answer.countText); return false;
      case 'cancelled': events.cancelled(); return true;
      case 'failed': events.failed(answer.reason); return true;
      default: return false;
    }
  });
}

export async function cancelComparison(comparison: number): Promise<void> {
  await ask({ kind: 'cancel', comparison }, 'done');
}

export async function forgetComparison(comparison: number): Promise<void> {
  waiting.delete(comparison);
  await ask({ kind: 'forget', comparison }, 'done');
}

export async function tableView(
  comparison: number,
  families: number,
  everyRow: boolean,
  column: number,
  ascending: boolean,
): Promise<TableView> {
  return (await ask({ kind: 'view', comparison, families, everyRow, column, ascending }, 'view')).view;
}

export async function comparisonCsv(comparison: number): Promise<string> {
  return (await ask({ kind: 'csv', comparison }, 'csv')).csv;
}

export async function designChoice(comparison: number, index: number): Promise<DesignChoice | null> {
  return (await ask({ kind: 'choice', comparison, index }, 'choice')).choice;
}

export async function curveView(designText: string): Promise<CurveView> {
  return (await ask({ kind: 'curve', designText }, 'curve')).view;
}

/** For the browser tests: a slice is one step, and the comparison waits after each (on) until released. */
export async function holdComparisons(on: boolean): Promise<void> {
  await ask({ kind: 'hold', on }, 'done');
}

export async function releaseSlice(): Promise<void> {
  await ask({ kind: 'release' }, 'done');
}
