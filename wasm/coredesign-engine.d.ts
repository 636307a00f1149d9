// The WebAssembly engine of the Output Inductor Core Design Tool: the
// command-line front end's runs (coredesign-cli) for browsers, Web Workers
// and Node.js. Every run is one command line: a freshly loaded input screen,
// the options typed into it and one Show Results (or the comparison of every
// core and stack with --explore), exactly as coredesign-cli makes it.
//
//   import createCoreDesignEngine from './coredesign-engine.mjs';
//   const engine = await createCoreDesignEngine();  // Node.js: { wasmBinary }
//   const run = engine.run(['--json', '--dc-current', '5'], host);
//   const document = JSON.parse(new TextDecoder().decode(run.stdout));

/** How a file the user named is written. */
export type WriteMode =
  /** As any command-line program writes a file it is given (--report). */
  | 'named'
  /** Into a new file put in place of the old one, so that a failure leaves
   *  an earlier file as it was (--spice). */
  | 'whole';

/**
 * What the runs ask of the system they run on; every method is optional.
 * A method that is missing, throws, or answers something other than a
 * string counts as "none" (an empty text), except where said.
 */
export interface Host {
  /**
   * The temporary folder, which each run records in its design record
   * (TempFolder); read anew at every run. The native program reads TEMP,
   * else TMPDIR, else /tmp. Nothing is written there.
   */
  tempFolder?(): string;
  /**
   * What the report writes after src= for one of its pictures:
   * "kes_logo.gif", "coregap.gif" or "corenogap.gif". An empty text is a
   * missing picture. The native program gives the picture's file: URL.
   */
  pictureReference?(fileName: string): string;
  /**
   * Writes a file the user named (--report, --spice). Returns when written;
   * throws when it cannot, with the reason as the error's message, which the
   * run puts in its own message ("cannot write the report to 'FILE': REASON")
   * and which ends the run with status 1. Without this method every write
   * fails ("this host writes no files").
   */
  writeFile?(path: string, bytes: Uint8Array, how: WriteMode): void;
  /**
   * Reads at most `maxBytes` bytes of a file the user named (design files
   * and batch input, as the command line takes them); a longer file gives
   * its first `maxBytes`. Throws with the reason when it cannot.
   */
  readFile?(path: string, maxBytes: number): Uint8Array;
  /** The same for standard input (a batch read from "-"). */
  readStandardInput?(maxBytes: number): Uint8Array;
}

/** How a run ended and what it printed. */
export interface RunResult {
  /**
   * coredesign-cli's exit status: 0 when the run ends on the results screen
   * (with --explore: at least one core and stack fits), 1 when it ends
   * otherwise, 2 on a usage error.
   */
  status: number;
  /** The bytes the program prints on standard output (UTF-8 text: the JSON
   *  document, the summary, a CSV table or the usage). */
  stdout: Uint8Array;
  /** The bytes of standard error (UTF-8 text: usage errors, the reasons a
   *  file was not written, the curve's note). */
  stderr: Uint8Array;
}

export interface CoreDesignEngine {
  /**
   * Runs one command line: `argv` is the arguments after the program's name,
   * each taken whole as coredesign-cli takes its own (a text may hold any
   * character, NUL among them; a lone surrogate becomes U+FFFD). `--pdf`
   * renders nothing here: the run says that it wrote no PDF and ends with 1.
   * Throws a TypeError when `argv` is not an array of strings.
   */
  run(argv: readonly string[], host?: Host): RunResult;
  /** The text of `coredesign-cli --help`. */
  usageText(): string;
  /** The text of `coredesign-cli --version`. */
  versionText(): string;
}

export interface EngineOptions {
  /** The module's bytes (coredesign-engine.wasm), given instead of fetched:
   *  under Node.js the loader cannot fetch a file path. */
  wasmBinary?: ArrayBuffer | Uint8Array;
  /** Where the module's file is, given its name and the script's folder
   *  (by default beside coredesign-engine.mjs). */
  locateFile?(fileName: string, scriptDirectory: string): string;
}

/** Loads and starts the module; each call gives an engine of its own. */
export default function createCoreDesignEngine(options?: EngineOptions): Promise<CoreDesignEngine>;
