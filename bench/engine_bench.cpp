// Timings of the design engine: one Show Results run on the default inputs,
// runs that need many inductance passes, one Pick Core run, a sweep of
// every core of both families at one to nine stacked cores, and Compare
// Cores as its window runs it; a batch of 10,000 designs (coredesign-cli
// --batch in the process, CSV in and out) beside the same 10,000 designs
// run one by one on fresh input screens.
//
// Budgets on the project's two-core build machine: a default run under
// 1.5 us, the whole sweep under 2 ms. The run at the bound of inductance
// passes has no budget; its figure is kept in the README.
#include <benchmark/benchmark.h>

#include <sstream>
#include <string>
#include <vector>

#include "batch.h"
#include "catalogue.h"
#include "comparison.h"
#include "design_record.h"
#include "design_run.h"
#include "input_screen.h"

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

// Ten thousand designs as a batch file's rows: both families, Calculate
// Core and Pick Core, one to three cores, a spread of inductances, currents
// and frequencies.
struct BatchDesign {
    bool gapped;
    const char* pick;  // or null: Calculate Core
    std::string inductance, current, frequency, stack;
};
std::vector<BatchDesign> TenThousandDesigns() {
    std::vector<BatchDesign> designs;
    for (int k = 0; k < 10000; ++k) {
        const bool gapped = k % 2 == 0;
        const char* pick = k % 5 != 4 ? nullptr : gapped ? "6218TXGP" : "6226TXNG";
        designs.push_back({gapped, pick, std::to_string(150 + k % 400), std::to_string(1 + k % 7) + ".5",
                           std::to_string(20 + k % 200), std::to_string(1 + k % 3)});
    }
    return designs;
}

std::string BatchCsv(const std::vector<BatchDesign>& designs) {
    std::string csv = "family,pick,inductance,inductance-unit,dc-current,frequency,frequency-unit,stack\n";
    for (const BatchDesign& d : designs)
        csv += std::string(d.gapped ? "gapped," : "nogap,") + (d.pick ? d.pick : "") + ',' + d.inductance +
               ",microhenry," + d.current + ',' + d.frequency + ",kHz," + d.stack + '\n';
    return csv;
}

// A host without files: the runs read an empty temporary folder.
class NoFiles final : public cli::Host {
public:
    RunEnvironment Environment() override { return {}; }
    report::ReportPictures Pictures() override { return {}; }
    bool WriteFile(const std::string&, const std::string&, Write, std::string&) override { return false; }
    bool WritePdf(const std::string&, const std::string&, const std::string&, std::string&) override { return false; }
};

// The single runs: for each design a freshly loaded input screen, its
// family, Pick Core and the part where it has one, the texts typed, Show
// Results.
void TenThousandSingleRuns(benchmark::State& state) {
    const std::vector<BatchDesign> designs = TenThousandDesigns();
    int results = 0;
    for (auto _ : state) {
        results = 0;
        for (const BatchDesign& d : designs) {
            InputScreen screen;
            if (!d.gapped) screen.ChooseFamily(false);
            if (d.pick) {
                screen.ChoosePickCore();
                screen.PickPart(d.pick);
            }
            InputTexts& in = screen.Fields();
            in.txtInductance = d.inductance;
            in.cmbinductance = "microhenry";
            in.txtDCCurrent = d.current;
            in.txtFrequency = d.frequency;
            in.cmbfrequency = "kHz";
            in.txtStack = d.stack;
            results += screen.ShowResults().outcome == Outcome::Results;
            benchmark::DoNotOptimize(screen.Record().TempRise);
        }
    }
    state.counters["results"] = results;
}
BENCHMARK(TenThousandSingleRuns)->Unit(benchmark::kMillisecond);

// The same designs as one batch: the CSV read, each row's options applied
// as the command line applies them, the run, and the CSV written.
void TenThousandRowBatch(benchmark::State& state) {
    const std::string csv = BatchCsv(TenThousandDesigns());
    NoFiles host;
    std::size_t bytes = 0;
    for (auto _ : state) {
        std::ostringstream out, err;
        if (cli::RunBatchText(csv, false, host, out, err) != 0) {
            state.SkipWithError(err.str().c_str());
            break;
        }
        bytes = out.str().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["output_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(TenThousandRowBatch)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
