// Timings of the design engine: one Show Results run on the default inputs,
// runs that need many inductance passes, one Pick Core run, a sweep of
// every core of both families at one to nine stacked cores, and Compare
// Cores as its window runs it.
//
// Budgets on the project's two-core build machine: a default run under
// 1.5 us, the whole sweep under 2 ms. The run at the bound of inductance
// passes has no budget; its figure is kept in the README.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "catalogue.h"
#include "comparison.h"
#include "design_record.h"
#include "design_run.h"

namespace {

using namespace coredesign;

// Every run rewrites the inputs and results it uses, so one loaded record
// serves all iterations; only the run itself is timed.
void Run(benchmark::State& state, DesignRecord& rec, const InputTexts& in, Outcome expected) {
    int passes = 0;
    for (auto _ : state) {
        RunResult result = ShowResults(rec, in);
        if (result.outcome != expected) {
            state.SkipWithError("unexpected outcome");
            break;
        }
        passes = result.inductancePasses;
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(rec.TempRise);
    }
    state.counters["passes"] = passes;
}

void CalculateCoreDefault(benchmark::State& state) {
    DesignRecord rec = LoadedRecord(true);
    Run(state, rec, InputTexts{}, Outcome::Results);
}
BENCHMARK(CalculateCoreDefault);

// The default inputs on the no-gap family: about 140 inductance passes.
void CalculateCoreManyPasses(benchmark::State& state) {
    DesignRecord rec = LoadedRecord(false);
    InputTexts in;
    in.txtFluxDensity = "0.8";
    Run(state, rec, in, Outcome::Results);
}
BENCHMARK(CalculateCoreManyPasses);

// A picked core that cannot reach the inductance: the run ends at the bound
// of 10000 passes.
void PickCorePassBound(benchmark::State& state) {
    DesignRecord rec = LoadedRecord(true);
    rec.CalculatorType = Calculator::PickCore;
    InputTexts in;
    in.txtInductance = "100";
    in.txtDCCurrent = ".01";
    in.txtCoreSize =
        PickListEntry(Catalogue::Gapped().Row(Catalogue::Gapped().RowOf("6238TXGP")), PickLayout::HeightFirst);
    Run(state, rec, in, Outcome::InductanceLimit);
}
BENCHMARK(PickCorePassBound)->Unit(benchmark::kMicrosecond);

void PickCore(benchmark::State& state) {
    DesignRecord rec = LoadedRecord(true);
    rec.CalculatorType = Calculator::PickCore;
    InputTexts in;
    in.txtCoreSize =
        PickListEntry(Catalogue::Gapped().Row(Catalogue::Gapped().RowOf("6218TXGP")), PickLayout::HeightFirst);
    Run(state, rec, in, Outcome::Results);
}
BENCHMARK(PickCore);

// Pick Core on every core of both families, one to nine cores stacked.
void SweepEveryCoreAndStack(benchmark::State& state) {
    struct Family {
        DesignRecord rec;
        std::vector<std::string> entries;
    };
    std::vector<Family> families;
    for (bool gapped : {true, false}) {
        Family f{LoadedRecord(gapped), {}};
        f.rec.CalculatorType = Calculator::PickCore;
        f.entries = LoadPickCoreArray(*f.rec.LoadedCatalogue, PickLayout::HeightFirst);
        families.push_back(std::move(f));
    }
    InputTexts in;
    const char* stacks[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    int runs = 0, results = 0, passes = 0;
    for (auto _ : state) {
        runs = results = passes = 0;
        for (Family& f : families) {
            in.txtFluxDensity = f.rec.GappedCores ? "1.2" : "0.8";
            for (size_t k = 1; k < f.entries.size(); ++k) {
                in.txtCoreSize = f.entries[k];
                for (const char* stack : stacks) {
                    in.txtStack = stack;
                    const RunResult r = ShowResults(f.rec, in);
                    results += r.outcome == Outcome::Results;
                    passes += r.inductancePasses;
                    ++runs;
                    benchmark::DoNotOptimize(f.rec.TempRise);
                }
            }
        }
    }
    state.counters["runs"] = runs;
    state.counters["results"] = results;
    state.counters["passes"] = passes;
}
BENCHMARK(SweepEveryCoreAndStack)->Unit(benchmark::kMicrosecond);

// Compare Cores as the window runs it: both families from the input screen's
// texts (the default design), each row on a freshly loaded input screen, the
// Calculate Core runs and the Pareto rows included.
void RunComparison(benchmark::State& state, const InputTexts& texts) {
    const std::vector<ComparedFamily> families = {{true, texts, {}},
                                                  {false, TextsAfterChoosingFamily(texts, true, false), {}}};
    int rows = 0, fitting = 0, atBound = 0;
    for (auto _ : state) {
        const Comparison c = CompareCores(families);
        rows = static_cast<int>(c.rows.size());
        fitting = atBound = 0;
        for (const ComparisonRow& row : c.rows) {
            fitting += row.fits;
            atBound += row.outcome == Outcome::InductanceLimit;
        }
        benchmark::DoNotOptimize(c.rows.data());
    }
    state.counters["rows"] = rows;
    state.counters["fits"] = fitting;
    state.counters["at_bound"] = atBound;
}
void CompareCoresDefault(benchmark::State& state) {
    RunComparison(state, InputTexts{});
}
BENCHMARK(CompareCoresDefault)->Unit(benchmark::kMillisecond);

// The worst case: a very large inductance at a tiny current with room in the
// window, so that most rows (486 of 630) run to the bound of 10000
// inductance passes.
InputTexts WorstCaseTexts() {
    InputTexts in;
    in.txtInductance = "10000";
    in.txtDCCurrent = ".0001";
    in.txtFill_Factor = ".9";
    return in;
}
void CompareCoresPassBound(benchmark::State& state) {
    RunComparison(state, WorstCaseTexts());
}
BENCHMARK(CompareCoresPassBound)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
