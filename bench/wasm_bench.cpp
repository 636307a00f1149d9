// The engine's timings in WebAssembly: the same work as coredesign-bench's
// CalculateCoreDefault (one Show Results on the default inputs) and
// CompareCoresDefault (Compare Cores on the default design: 630 Pick Core
// runs, both Calculate Core picks, the Pareto rows), each repeated as often
// as the caller asks. scripts/bench-wasm times the calls under Node.js and
// in headless Chromium, beside the native coredesign-bench.
#include <emscripten/bind.h>

#include <vector>

#include "catalogue.h"
#include "comparison.h"
#include "design_record.h"
#include "design_run.h"

namespace {

using namespace coredesign;

// `runs` default runs on one loaded record (as the native benchmark makes
// them); the number that ended on the results screen.
int CalculateCoreDefault(int runs) {
    DesignRecord rec = LoadedRecord(true);
    const InputTexts in;
    int results = 0;
    for (int k = 0; k < runs; ++k) results += ShowResults(rec, in).outcome == Outcome::Results;
    return results;
}

// `runs` comparisons of the default design; the rows that fit, added up.
int CompareCoresDefault(int runs) {
    const InputTexts texts;
    const std::vector<ComparedFamily> families = {{true, texts, {}},
                                                  {false, TextsAfterChoosingFamily(texts, true, false), {}}};
    int fitting = 0;
    for (int k = 0; k < runs; ++k)
        for (const ComparisonRow& row : CompareCores(families).rows) fitting += row.fits;
    return fitting;
}

}  // namespace

EMSCRIPTEN_BINDINGS(coredesign_bench) {
    emscripten::function("CalculateCoreDefault", &CalculateCoreDefault);
    emscripten::function("CompareCoresDefault", &CompareCoresDefault);
}
