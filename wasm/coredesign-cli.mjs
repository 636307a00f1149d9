#!/usr/bin/env node
// coredesign-cli on the WebAssembly engine: the same options, output, exit
// status and files as the native program, computed by the module beside this
// file on the Node.js host (node_host.mjs). --pdf writes no PDF: this build
// has no report viewer to render one (the run says so and ends with 1).
import { readFileSync } from 'node:fs';

import createCoreDesignEngine from './coredesign-engine.mjs';
import { createNodeHost } from './node_host.mjs';

// The loader would fetch the module's file, which Node.js cannot do for a
// file path: it is given the bytes instead.
const wasmBinary = readFileSync(new URL('./coredesign-engine.wasm', import.meta.url));
const engine = await createCoreDesignEngine({ wasmBinary });
const { status, stdout, stderr } = engine.run(process.argv.slice(2), createNodeHost());

// A closed pipe (`| head`) ends the program quietly, as it ends the native one.
for (const stream of [process.stdout, process.stderr])
  stream.on('error', (error) => {
    if (error.code !== 'EPIPE') throw error;
    process.exit(status);
  });
process.stdout.write(stdout);
process.stderr.write(stderr);
process.exitCode = status;
