// The tests' way to the built module: the wasm preset's folder, or the one
// COREDESIGN_WASM_DIR names.
import { readFileSync } from 'node:fs';
import * as path from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

export const wasmDir =
  process.env.COREDESIGN_WASM_DIR || path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../build-wasm');

/** A freshly started engine. */
export async function loadEngine() {
  const { default: createCoreDesignEngine } = await import(pathToFileURL(path.join(wasmDir, 'coredesign-engine.mjs')));
  return createCoreDesignEngine({ wasmBinary: readFileSync(path.join(wasmDir, 'coredesign-engine.wasm')) });
}

/** The text of a run's output bytes. */
export const text = (bytes) => new TextDecoder().decode(bytes);
