#include "comparison.h"

#include <cmath>

#include "constants.h"
#include "input_screen.h"
#include "numtext.h"

namespace coredesign {
namespace {

// A freshly loaded input screen with `gapped`'s family chosen.
InputScreen FreshScreen(bool gapped, const RunEnvironment& environment = {}) {
    InputScreen screen;
    screen.SetEnvironment(environment);
    if (!gapped) screen.ChooseFamily(false);
    return screen;
}

// `pickCore`: a freshly loaded input screen with the family chosen and then
// "Pick Core"; each row works on a copy of it.
ComparisonRow RunRow(const InputScreen& pickCore, const ComparedFamily& family, int catalogueRow, int stack) {
    InputScreen screen = pickCore.Copy();
    screen.ChooseListEntry(catalogueRow);
    TypeTexts(family.texts, screen.Fields());
    screen.Fields().txtStack = std::to_string(stack);
    const RunResult& run = screen.ShowResults();

    ComparisonRow row;
    row.gapped = family.gapped;
    row.catalogueRow = catalogueRow;
    const Core& core = screen.Record().LoadedCatalogue->Row(catalogueRow);
    row.part = core.partNo;
    row.stack = stack;
    row.outcome = run.outcome;
    row.temperatureAlarm = run.temperatureAlarm;
    row.fits = run.outcome == Outcome::Results && !run.temperatureAlarm;
    const double radius = core.od / 20;  // cm
    row.volume = kPi * radius * radius * (core.ht / 10) * stack;
    row.mass = stack * core.mass;
    row.record = std::move(screen.Record());  // it refers to the shared catalogue and wire table
    return row;
}

const char* Bool(bool value) {
    return value ? "true" : "false";
}

}  // namespace

std::string ExactNumber(double value) {
    return std::isfinite(value) ? FormatShortest(value) : std::string();
}

void TypeTexts(const InputTexts& from, InputTexts& to) {
    for (const InputField& field : kInputFields) to.*field.text = from.*field.text;
    to.cmbinductance = from.cmbinductance;
    to.cmbfrequency = from.cmbfrequency;
}

InputTexts TextsAfterChoosingFamily(const InputTexts& texts, bool from, bool family) {
    if (from == family) return texts;
    InputScreen screen = FreshScreen(from);
    TypeTexts(texts, screen.Fields());
    screen.ChooseFamily(family);
    InputTexts after = texts;
    TypeTexts(screen.Fields(), after);
    return after;
}

CalculateCorePick RunCalculateCore(const ComparedFamily& family) {
    InputScreen screen = FreshScreen(family.gapped, family.environment);
    TypeTexts(family.texts, screen.Fields());
    const RunResult& run = screen.ShowResults();
    CalculateCorePick pick;
    pick.gapped = family.gapped;
    pick.outcome = run.outcome;
    if (run.outcome == Outcome::Results) pick.part = screen.Record().CoreSize;
    pick.stack = screen.Record().Stack;
    pick.messages = run.messages;
    return pick;
}

int ComparisonRuns(const std::vector<ComparedFamily>& families) {
    int runs = 0;
    for (const ComparedFamily& family : families) runs += Catalogue::OfFamily(family.gapped).Rows() * kMaxComparedStack;
    return runs;
}

SteppedComparison::SteppedComparison(std::vector<ComparedFamily> families) {
    comparison_.families = std::move(families);
    for (const ComparedFamily& family : comparison_.families) {
        comparison_.calculateCore.push_back(RunCalculateCore(family));
        pickCore_.push_back(FreshScreen(family.gapped, family.environment));
        pickCore_.back().ChoosePickCore();
    }
    total_ = ComparisonRuns(comparison_.families);
    comparison_.rows.reserve(static_cast<std::size_t>(total_));
}

SteppedComparison::~SteppedComparison() = default;
SteppedComparison::SteppedComparison(SteppedComparison&&) noexcept = default;
SteppedComparison& SteppedComparison::operator=(SteppedComparison&&) noexcept = default;

bool SteppedComparison::Step(int runs) {
    for (; runs > 0 && done_ < total_; --runs) {
        const InputScreen& pickCore = pickCore_[family_];
        comparison_.rows.push_back(RunRow(pickCore, comparison_.families[family_], catalogueRow_, stack_));
        ++done_;
        if (++stack_ > kMaxComparedStack) {
            stack_ = 1;
            if (++catalogueRow_ > pickCore.Record().CatalogueRows()) {
                catalogueRow_ = 1;
                ++family_;
            }
        }
        if (done_ == total_) MarkParetoRows(comparison_.rows);
    }
    return Complete();
}

Comparison CompareCores(const std::vector<ComparedFamily>& families, const ComparisonControl& control) {
    SteppedComparison stepped(families);
    while (!stepped.Complete()) {
        if (control.cancel && control.cancel->load(std::memory_order_relaxed)) {
            stepped.Result().cancelled = true;
            break;
        }
        stepped.Step(1);
        if (control.progress) control.progress(stepped.Done(), stepped.Total());
    }
    return std::move(stepped.Result());
}

void MarkParetoRows(std::vector<ComparisonRow>& rows) {
    for (ComparisonRow& row : rows) {
        row.pareto = row.fits;
        if (!row.fits) continue;
        const double volume = row.volume, loss = row.record.TotalLoss;
        for (const ComparisonRow& other : rows) {
            if (!other.fits || &other == &row) continue;
            const double v = other.volume, l = other.record.TotalLoss;
            if (v <= volume && l <= loss && (v < volume || l < loss)) {
                row.pareto = false;
                break;
            }
        }
    }
}

int CalculateCoreRow(const Comparison& comparison, std::size_t k) {
    if (k >= comparison.calculateCore.size()) return -1;
    const CalculateCorePick& pick = comparison.calculateCore[k];
    if (pick.part.empty()) return -1;
    for (std::size_t i = 0; i < comparison.rows.size(); ++i) {
        const ComparisonRow& row = comparison.rows[i];
        if (row.gapped == pick.gapped && row.part == pick.part && row.stack == pick.stack) return static_cast<int>(i);
    }
    return -1;
}

const char* FamilyName(bool gapped) {
    return gapped ? "gapped" : "nogap";
}

std::string ComparisonCsv(const Comparison& comparison) {
    std::string csv =
        "family,part,stack,outcome,temperature_alarm,fits,pareto,volume_cm3,Turns,WireSize,InductanceFullLoad,"
        "ActualFillFactor,CopperLossAtTemp,CoreLoss,TotalLoss,TempRise,mass_g\n";
    for (const ComparisonRow& row : comparison.rows) {
        const DesignRecord& r = row.record;
        csv += std::string(FamilyName(row.gapped)) + ',' + row.part + ',' + std::to_string(row.stack) + ',' +
               OutcomeName(row.outcome) + ',' + Bool(row.temperatureAlarm) + ',' + Bool(row.fits) + ',' +
               Bool(row.pareto) + ',' + ExactNumber(row.volume) + ',' + std::to_string(r.Turns) + ',' +
               ExactNumber(r.WireSize) + ',' + ExactNumber(r.InductanceFullLoad) + ',' +
               ExactNumber(r.ActualFillFactor) + ',' + ExactNumber(r.CopperLossAtTemp) + ',' + ExactNumber(r.CoreLoss) +
               ',' + ExactNumber(r.TotalLoss) + ',' + ExactNumber(r.TempRise) + ',' + ExactNumber(row.mass) + '\n';
    }
    return csv;
}

}  // namespace coredesign
