// The page's engine: the WebAssembly module and one session of the program
// (wasm/session.cpp), run in a Web Worker so that the page never waits on a
// calculation. Each request is answered in its order, with the session's
// state after it and whatever bytes it asked for.
import createCoreDesignEngine from '@engine';
import wasmUrl from '@engine-wasm?url';
import type { Session, SessionModule, SessionState } from '../../wasm/coredesign-session';
import type { Reply, Request } from './engine-protocol';

const encoder = new TextEncoder();
const decoder = new TextDecoder();

const ready: Promise<Session> = createCoreDesignEngine({ locateFile: () => wasmUrl }).then(
  (engine) => new (engine as unknown as SessionModule).Session(),
);

function parsed(bytes: Uint8Array): SessionState {
  return JSON.parse(decoder.decode(bytes)) as SessionState;
}

function answer(session: Session, request: Request): Reply {
  const id = request.id;
  switch (request.op) {
    case 'start':
      session.setPictureOrigin(encoder.encode(request.origin));
      return { id, state: parsed(session.state()) };
    case 'click':
      return { id, state: parsed(session.click(request.screen, request.control)) };
    case 'type':
      return { id, state: parsed(session.type(request.control, encoder.encode(request.text))) };
    case 'choose':
      return { id, state: parsed(session.choose(request.control, request.index)) };
    case 'note':
      return { id, state: parsed(session.note(request.down)) };
    case 'openDesign':
      return { id, state: parsed(session.openDesign(request.bytes)) };
    case 'useDesign':
      return {
        id,
        state: parsed(
          session.useDesign(request.gapped, request.partNo, request.stack, encoder.encode(request.designText)),
        ),
      };
    case 'designFile': {
      const bytes = session.designFile();
      return { id, state: parsed(session.state()), bytes };
    }
    case 'designText':
      return { id, state: parsed(session.state()), text: decoder.decode(session.designText()) };
    case 'reportFile':
      return { id, state: parsed(session.state()), bytes: session.reportFile() };
    case 'shown':
      return { id, state: parsed(session.state()), text: decoder.decode(session.shown(request.screen)) };
  }
}

self.addEventListener('message', (event: MessageEvent<Request>) => {
  const request = event.data;
  ready.then(
    (session) => self.postMessage(answer(session, request)),
    (error: unknown) => self.postMessage({ id: request.id, failure: String(error) }),
  );
});
