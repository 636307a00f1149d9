// The page's side of the engine worker: requests go out in order, each
// answer comes back with the session's state; while any is outstanding the
// page says it is busy (document.body.dataset.state), which the browser
// tests wait on.
import type { SessionState } from '../../wasm/coredesign-session';
import type { Command, Reply } from './engine-protocol';

export interface Answer {
  /** The request's number: later requests have larger ones. */
  id: number;
  state: SessionState;
  bytes?: Uint8Array;
  text?: string;
}

export class EngineClient {
  private readonly worker = new Worker(new URL('./engine.worker.ts', import.meta.url), { type: 'module' });
  private readonly waiting = new Map<number, { resolve(answer: Answer): void; reject(error: Error): void }>();
  private nextId = 1;
  private started = false;

  constructor() {
    this.worker.addEventListener('message', (event: MessageEvent<Reply>) => {
      const reply = event.data;
      const waiter = this.waiting.get(reply.id);
      if (!waiter) return;
      this.waiting.delete(reply.id);
      this.showBusy();
      if (reply.failure !== undefined || !reply.state) waiter.reject(new Error(reply.failure ?? 'no state'));
      else waiter.resolve({ id: reply.id, state: reply.state, bytes: reply.bytes, text: reply.text });
    });
  }

  /** The number the next request will have. */
  peekId(): number {
    return this.nextId;
  }

  send(command: Command): Promise<Answer> {
    const id = this.nextId++;
    const promise = new Promise<Answer>((resolve, reject) => this.waiting.set(id, { resolve, reject }));
    this.showBusy();
    this.worker.postMessage({ ...command, id });
    return promise;
  }

  /** The page is ready once the start screen was shown. */
  markStarted(): void {
    this.started = true;
    this.showBusy();
  }

  private showBusy(): void {
    if (this.waiting.size > 0) document.body.dataset.state = 'busy';
    else if (this.started) document.body.dataset.state = 'ready';
  }
}
