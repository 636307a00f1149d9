// The worker of Compare Cores and the Inductance Curve: it loads the engine's
// module and runs the comparison a slice at a time, answering the page's
// messages (a Cancel among them) between two slices, so that the page never
// waits on the engine.
import createCoreDesignEngine from '@engine';
import wasmUrl from '@engine-wasm?url';
import type { AnalysisBindings, ComparisonSession } from '../../../wasm/coredesign-analysis';
import type { Answer, Request } from './protocol';

const scope = self as unknown as {
  postMessage(answer: Answer): void;
  onmessage: ((event: MessageEvent<Request>) => void) | null;
};

const engine: Promise<AnalysisBindings> = createCoreDesignEngine({ locateFile: () => wasmUrl }).then(
  (module) => module as unknown as AnalysisBindings,
);

// A slice runs rows until this many milliseconds have passed, then the
// worker reads its messages.
const sliceMilliseconds = 8;

const comparisons = new Map<number, ComparisonSession>();
const cancelled = new Set<number>();
let hold = false;
let held: (() => void) | null = null;

// The next slice as a task of its own (a message to itself: no timer's delay).
const channel = new MessageChannel();
const queue: (() => void)[] = [];
channel.port1.onmessage = () => queue.shift()?.();
function later(task: () => void): void {
  queue.push(task);
  channel.port2.postMessage(null);
}

function runSlices(id: number, session: ComparisonSession): void {
  if (cancelled.has(id)) {
    cancelled.delete(id);
    comparisons.delete(id);
    session.delete();
    scope.postMessage({ kind: 'cancelled', id });
    return;
  }
  // Held (the browser tests), a slice is one step: a warm engine compares
  // every row within one timed slice, and the comparison would be over
  // before a test could see it running.
  const start = performance.now();
  let complete = false;
  do complete = session.step(5);
  while (!complete && !hold && performance.now() - start < sliceMilliseconds);
  scope.postMessage({ kind: 'progress', id, done: session.done(), total: session.total() });
  if (complete) {
    scope.postMessage({ kind: 'compared', id, inputsText: session.inputsText(), countText: session.countText() });
    return;
  }
  const next = () => runSlices(id, session);
  if (hold) held = next;
  else later(next);
}

async function answer(request: Request): Promise<void> {
  const bindings = await engine;
  switch (request.kind) {
    case 'texts':
      scope.postMessage({ kind: 'texts', id: request.id, texts: bindings.compareTexts() });
      return;
    case 'compare': {
      const session = new bindings.ComparisonSession(request.designText);
      const refused = session.refused();
      if (refused.length > 0) {
        session.delete();
        scope.postMessage({ kind: 'refused', id: request.id, messages: refused });
        return;
      }
      comparisons.set(request.id, session);
      scope.postMessage({ kind: 'started', id: request.id, total: session.total(), comparingText: session.comparingText() });
      later(() => runSlices(request.id, session));
      return;
    }
    case 'cancel':
      if (comparisons.has(request.comparison) && !comparisons.get(request.comparison)?.complete())
        cancelled.add(request.comparison);
      scope.postMessage({ kind: 'done', id: request.id });
      return;
    case 'view': {
      const session = comparisons.get(request.comparison);
      const view = session
        ? session.view(request.families, request.everyRow, request.column, request.ascending)
        : { rows: [], chart: { fitting: none(), front: none(), picks: none() } };
      scope.postMessage({ kind: 'view', id: request.id, view });
      return;
    }
    case 'csv':
      scope.postMessage({ kind: 'csv', id: request.id, csv: comparisons.get(request.comparison)?.csv() ?? '' });
      return;
    case 'choice':
      scope.postMessage({
        kind: 'choice',
        id: request.id,
        choice: comparisons.get(request.comparison)?.choice(request.index) ?? null,
      });
      return;
    case 'forget': {
      const session = comparisons.get(request.comparison);
      // A running comparison goes at its next slice; a complete one now.
      if (session && session.complete()) {
        session.delete();
        comparisons.delete(request.comparison);
      } else if (session) {
        cancelled.add(request.comparison);
      }
      scope.postMessage({ kind: 'done', id: request.id });
      return;
    }
    case 'curve':
      scope.postMessage({ kind: 'curve', id: request.id, view: bindings.inductanceCurveView(request.designText) });
      return;
    case 'hold':
      hold = request.on;
      if (!hold) release();
      scope.postMessage({ kind: 'done', id: request.id });
      return;
    case 'release':
      release();
      scope.postMessage({ kind: 'done', id: request.id });
      return;
  }
}

function release(): void {
  const next = held;
  held = null;
  if (next) later(next);
}

function none() {
  return { index: [], volume: [], loss: [], name: [] };
}

scope.onmessage = (event) => {
  answer(event.data).catch((error: unknown) => {
    scope.postMessage({ kind: 'failed', id: event.data.id, reason: String(error) });
  });
};
