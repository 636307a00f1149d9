// Compare Cores: every row is the Pick Core run a designer gets by hand,
// the verdict and the envelope of a row, the Pareto rule, the Calculate Core
// pick, and stopping early.
#include "comparison.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "engine_checks.h"

namespace coredesign {
namespace {

std::vector<ComparedFamily> BothFamilies(const InputTexts& texts = {}) {
    return {{true, texts, {}}, {false, TextsAfterChoosingFamily(texts, true, false), {}}};
}

const ComparisonRow& RowOf(const Comparison& c, bool gapped, const std::string& part, int stack) {
    for (const ComparisonRow& row : c.rows)
        if (row.gapped == gapped && row.part == part && row.stack == stack) return row;
    throw std::runtime_error("no row " + part + " * " + std::to_string(stack));
}

// Every figure of two records, by name.
void ExpectSameRecord(const DesignRecord& a, const DesignRecord& b) {
    for (const RecordField& field : kRecordFields)
        std::visit([&](auto member) { EXPECT_EQ(a.*member, b.*member) << field.name; }, field.member);
}

TEST(Comparison, EveryRowIsThePickCoreRunOfAFreshInputScreen) {
    // Texts typed on the gapped family; the no-gap rows take the flux density
    // that choosing their family sets, as the input screen would.
    InputTexts texts;
    texts.txtInductance = "250";
    texts.cmbinductance = "microhenry";
    texts.txtAmbientTemp = "90";
    texts.txtFluxDensity = "1";
    texts.txtStack = "2";
    const std::vector<ComparedFamily> families = BothFamilies(texts);
    EXPECT_EQ(families[1].texts.txtFluxDensity, "0.8");
    EXPECT_EQ(families[1].texts.txtInductance, "250");
    const Comparison c = CompareCores(families);
    ASSERT_EQ(c.rows.size(), 630u);  // 34 gapped and 36 no-gap cores, 1 to 9 stacked
    EXPECT_EQ(ComparisonRuns(families), 630);
    EXPECT_EQ(c.rows[0].part + "*" + std::to_string(c.rows[0].stack), "6205TXGP*1");
    EXPECT_EQ(c.rows[8].stack, 9);
    EXPECT_FALSE(c.rows[34 * 9].gapped);

    const char* common = " txtInductance=250 cmbinductance=microhenry txtAmbientTemp=90";
    const struct {
        const char* screen;  // as testing::Screen reads it, before the stack
        bool gapped;
        const char* part;
        int stack;
    } samples[] = {
        {"txtFluxDensity=1 pick=6205TXGP", true, "6205TXGP", 1},
        {"txtFluxDensity=1 pick=6218TXGP", true, "6218TXGP", 1},
        {"txtFluxDensity=1 pick=6238TXGP", true, "6238TXGP", 9},
        {"nogap pick=6201TXNG", false, "6201TXNG", 4},
        {"nogap pick=6222TXNG", false, "6222TXNG", 2},
    };
    for (const auto& s : samples) {
        SCOPED_TRACE(s.screen);
        InputScreen single = testing::Screen(std::string(s.screen) + common + " txtStack=" + std::to_string(s.stack));
        const RunResult& run = single.ShowResults();
        const ComparisonRow& row = RowOf(c, s.gapped, s.part, s.stack);
        EXPECT_EQ(row.outcome, run.outcome);
        EXPECT_EQ(row.temperatureAlarm, run.temperatureAlarm);
        ExpectSameRecord(row.record, single.Record());
    }
    // The Calculate Core run of each family, with the stack as typed.
    ASSERT_EQ(c.calculateCore.size(), 2u);
    for (const CalculateCorePick& pick : c.calculateCore) {
        InputScreen single =
            testing::Screen(std::string(pick.gapped ? "txtFluxDensity=1" : "nogap") + common + " txtStack=2");
        const RunResult& run = single.ShowResults();
        EXPECT_EQ(pick.outcome, run.outcome);
        EXPECT_EQ(pick.part, single.Record().CoreSize);
        EXPECT_EQ(pick.stack, 2);
        const int k = CalculateCoreRow(c, pick.gapped ? 0 : 1);
        ASSERT_GE(k, 0);
        EXPECT_EQ(c.rows[k].part, pick.part);
        EXPECT_EQ(c.rows[k].stack, 2);
    }
}

// Rows of the default design whose verdicts are known, with the envelope of
// 6205TXGP worked out by hand from the catalogue (OD 13.23 mm, HT 6.12 mm,
// 1.83 g a core).
TEST(Comparison, VerdictAndEnvelopeOfARow) {
    InputTexts hot;
    hot.txtAmbientTemp = "150";
    const struct {
        InputTexts texts;
        const char* part;
        int stack;
        Outcome outcome;
        bool alarm, fits;
    } cases[] = {
        {{}, "6218TXGP", 1, Outcome::Results, false, true},
        {{}, "6205TXGP", 1, Outcome::FillWarning, false, false},
        {hot, "6218TXGP", 1, Outcome::Results, true, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.part) + " ambient " + k.texts.txtAmbientTemp);
        const Comparison c = CompareCores({{true, k.texts, {}}});
        const ComparisonRow& row = RowOf(c, true, k.part, k.stack);
        EXPECT_EQ(row.outcome, k.outcome);
        EXPECT_EQ(row.temperatureAlarm, k.alarm);
        EXPECT_EQ(row.fits, k.fits);
    }
    const Comparison c = CompareCores({{true, {}, {}}});
    const ComparisonRow& small = RowOf(c, true, "6205TXGP", 3);
    EXPECT_NEAR(small.volume, 3 * 0.8413196, 1e-6);  // 3 x pi x 0.6615^2 x 0.612 cm^3
    EXPECT_DOUBLE_EQ(small.mass, 3 * 1.83);
}

TEST(Comparison, ParetoRowsFitAndNoFittingRowBeatsThem) {
    const struct {
        double volume, loss;
        bool fits, pareto;
    } cases[] = {
        {1, 5, true, true},        // smallest
        {2, 3, true, true},        // the same loss as the next but smaller
        {3, 3, true, false},       // beaten by (2, 3) on volume alone
        {4, 1, true, true},        // least loss
        {4, 1, true, true},        // a tie beats nothing
        {5, 2, true, false},       // beaten on both
        {0.5, 0.5, false, false},  // beats everything but does not fit: counts for nothing
    };
    std::vector<ComparisonRow> rows;
    for (const auto& k : cases) {
        ComparisonRow row;
        row.volume = k.volume;
        row.record.TotalLoss = k.loss;
        row.fits = k.fits;
        row.pareto = !k.pareto;  // overwritten
        rows.push_back(row);
    }
    MarkParetoRows(rows);
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].pareto, cases[i].pareto) << "row " << i;
}

TEST(Comparison, ReportsProgressAndStopsWhenCancelled) {
    std::atomic<bool> cancel{false};
    std::vector<int> seen;
    ComparisonControl control;
    control.cancel = &cancel;
    control.progress = [&](int done, int total) {
        seen.push_back(done);
        EXPECT_EQ(total, 36 * 9);
        if (done == 20) cancel = true;
    };
    const Comparison c = CompareCores({{false, TextsAfterChoosingFamily({}, true, false), {}}}, control);
    EXPECT_TRUE(c.cancelled);
    EXPECT_EQ(c.rows.size(), 20u);
    ASSERT_EQ(seen.size(), 20u);
    EXPECT_EQ(seen.front(), 1);
    EXPECT_EQ(seen.back(), 20);
}

// The comparison in slices of any size is the comparison in one call: the
// same rows in the same order, marked only once the last row is in.
TEST(Comparison, InSlicesIsTheWholeComparison) {
    const std::vector<ComparedFamily> families = BothFamilies();
    const std::string whole = ComparisonCsv(CompareCores(families));
    for (const int slice : {1, 7, 100, 1000}) {
        SCOPED_TRACE(slice);
        SteppedComparison stepped(families);
        EXPECT_EQ(stepped.Total(), 630);
        EXPECT_EQ(stepped.Result().calculateCore.size(), 2u);
        int steps = 0;
        while (!stepped.Step(slice)) {
            ++steps;
            EXPECT_EQ(stepped.Done(), steps * slice);
            for (const ComparisonRow& row : stepped.Result().rows) EXPECT_FALSE(row.pareto);
        }
        EXPECT_EQ(steps, (630 + slice - 1) / slice - 1);
        EXPECT_EQ(stepped.Done(), 630);
        EXPECT_TRUE(stepped.Step(slice));  // nothing more to run
        EXPECT_EQ(ComparisonCsv(stepped.Result()), whole);
    }
}

}  // namespace
}  // namespace coredesign
