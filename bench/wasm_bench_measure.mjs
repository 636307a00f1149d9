// Times the WebAssembly engine's workloads (bench/wasm_bench.cpp) where the
// module runs: under Node.js, or in a page (bench/wasm_bench.mjs loads this
// file into both). Each workload is repeated so that one sample takes about
// `sampleSeconds` (a browser's clock is coarse), and the median of
// `samples` samples is the time of one run, as Google Benchmark's median of
// repetitions is for the native engine.

// Each workload, and what a correct answer to `runs` runs is.
const kWorkloads = {
  // Every default run ends on the results screen.
  CalculateCoreDefault: (runs, answer) => answer === runs,
  // Every comparison has the same fitting rows: a positive multiple of runs.
  CompareCoresDefault: (runs, answer) => answer > 0 && answer % runs === 0,
};

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const mid = sorted.length >> 1;
  return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
}

/**
 * The median time of one run of each workload, in nanoseconds:
 * {CalculateCoreDefault: ns, CompareCoresDefault: ns}. `now()` reads a
 * clock in milliseconds (performance.now).
 */
export function measure(engine, now, { samples = 5, sampleSeconds = 0.3 } = {}) {
  const times = {};
  for (const [name, correct] of Object.entries(kWorkloads)) {
    const timed = (runs) => {
      const start = now();
      const answer = engine[name](runs);
      const elapsed = (now() - start) / 1000;
      if (!correct(runs, answer)) throw new Error(`${name}: ${runs} runs answered ${answer}`);
      return elapsed;
    };
    // Enough runs for one sample (the first calls also warm the engine up).
    let runs = 1;
    for (let elapsed = timed(runs); elapsed < sampleSeconds / 4; elapsed = timed(runs)) runs *= 4;
    runs = Math.max(1, Math.round((runs * sampleSeconds) / timed(runs)));
    const perRun = [];
    for (let k = 0; k < samples; ++k) perRun.push((timed(runs) / runs) * 1e9);
    times[name] = median(perRun);
  }
  return times;
}
