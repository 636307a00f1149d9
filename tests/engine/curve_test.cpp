// The inductance curve of a design: its currents, its operating point (the
// run's full-load inductance to the bit), the run's permeability law at every
// point, where the no-gap law ends, and its CSV form.
#include "curve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "engine_checks.h"
#include "evaluate.h"

namespace coredesign {
namespace {

InputScreen Designed(const std::string& inputs) {
    InputScreen s = testing::Screen(inputs);
    const Outcome outcome = s.ShowResults().outcome;
    EXPECT_TRUE(outcome == Outcome::Results || outcome == Outcome::FillWarning) << OutcomeName(outcome);
    EXPECT_TRUE(HoldsDesign(s.Record()));
    return s;
}

// The default design, the no-gap default, a stacked Pick Core design, 1 mH
// at 10 A, and a no-gap Pick Core design (a fill warning) whose curve ends at
// the law's limit; grids of every allowed size.
TEST(InductanceCurve, FollowsTheRunsLawAndPassesThroughItsFullLoadInductance) {
    const struct {
        const char* inputs;
        int grid;
    } designs[] = {{"", 101},
                   {"nogap", kMinCurvePoints},
                   {"pick=6230TXGP txtStack=3", kMaxCurvePoints},
                   {"cmbinductance=millihenry txtInductance=1 txtDCCurrent=10", 101},
                   {"nogap pick=6230TXNG txtDCCurrent=10", 101}};
    for (const auto& d : designs) {
        SCOPED_TRACE(d.inputs);
        const InputScreen s = Designed(d.inputs);
        const DesignRecord& r = s.Record();
        const InductanceCurve c = MakeInductanceCurve(r, d.grid);

        // The operating point is the run's own, to the last bit.
        EXPECT_EQ(c.operatingPoint.current, r.PeakCurrent);
        EXPECT_EQ(c.operatingPoint.H, r.MagnetizingForce);
        EXPECT_EQ(c.operatingPoint.mu, r.EffectivePermeability);
        EXPECT_EQ(c.operatingPoint.inductance, r.InductanceFullLoad);
        EXPECT_TRUE(std::any_of(c.points.begin(), c.points.end(), [&](const CurvePoint& p) {
            return p.current == r.PeakCurrent && p.inductance == r.InductanceFullLoad;
        }));

        // From zero, ascending, the inductance never rising; the force in
        // proportion to the current and the inductance to the permeability,
        // the permeability the run's law gives at that force.
        EXPECT_EQ(c.points.front().current, 0);
        EXPECT_EQ(c.points.front().inductance, c.zeroCurrentInductance);
        EXPECT_EQ(c.points.front().mu, r.Permeability);
        const double oerstedPerAmpere = r.MagnetizingForce / r.PeakCurrent;
        const double inductancePerMu = r.InductanceFullLoad / r.EffectivePermeability;
        for (std::size_t k = 0; k < c.points.size(); ++k) {
            const CurvePoint& p = c.points[k];
            if (k > 0) {
                EXPECT_GT(p.current, c.points[k - 1].current) << k;  // no current listed twice
                EXPECT_LE(p.inductance, c.points[k - 1].inductance) << k;
            }
            EXPECT_NEAR(p.H, oerstedPerAmpere * p.current, 1e-12 * (p.H + 1)) << k;
            double mu = 0;
            ASSERT_TRUE(PermeabilityUnderBias(r.Permeability, p.H, mu)) << k;
            EXPECT_EQ(p.mu, mu) << k;
            EXPECT_NEAR(p.inductance, inductancePerMu * p.mu, 1e-12 * p.inductance) << k;
        }

        // The grid reaches twice the peak current, or stops where the law has no value.
        const double top = 2 * r.PeakCurrent;
        if (c.lawEndsBefore) {
            double mu = 0;
            EXPECT_FALSE(PermeabilityUnderBias(r.Permeability, oerstedPerAmpere * *c.lawEndsBefore, mu));
            EXPECT_NEAR(*c.lawEndsBefore - c.points.back().current, top / (d.grid - 1), 1e-12 * top);
            EXPECT_LT(c.points.size(), d.grid + 1u);
        } else {
            EXPECT_EQ(c.points.back().current, top);
            // The grid and the operating point, once where the grid holds the peak current.
            std::set<double> currents = {r.PeakCurrent};
            for (int k = 0; k < d.grid; ++k) currents.insert(k == d.grid - 1 ? top : top * k / (d.grid - 1));
            EXPECT_EQ(c.points.size(), currents.size());
        }
    }
}

// Hand-checked values: the zero-current inductance is the turns on the
// stacked core at full permeability, 0.4 pi N^2 Ac mu 1e-8 / lm (not the
// results screen's "Inductance Zero Load", the design inductance); and where
// the no-gap law ends.
TEST(InductanceCurve, HandCheckedZeroCurrentInductanceAndLawLimit) {
    // default: 58 turns on 6218TXGP (Ac 0.479 cm^2, lm 6.21 cm, mu 100).
    const InputScreen gapped = Designed("");
    const InductanceCurve g = MakeInductanceCurve(gapped.Record());
    EXPECT_NEAR(g.zeroCurrentInductance, 326.0691898, 1e-6 * 326);
    EXPECT_NE(g.zeroCurrentInductance, gapped.Record().Inductance * 1e6);
    // 6230TXNG with 53 turns (lm 10.55 cm): the 245 law has no value beyond
    // H = 95.650 Oe, that is beyond 95.650 * 10.55 / (0.4 pi 53) = 15.1514 A.
    const InputScreen noGap = Designed("nogap pick=6230TXNG txtDCCurrent=10");
    ASSERT_EQ(noGap.Record().Turns, 53);
    const InductanceCurve n = MakeInductanceCurve(noGap.Record());
    EXPECT_LT(n.points.back().current, 15.1513);
    EXPECT_GT(n.lawEndsBefore.value_or(0), 15.1515);
}

// The CSV reads back to the curve's own numbers, with a point for the
// decimals even where the locale writes a comma.
TEST(InductanceCurve, CsvReadsBackExactlyInAnyLocale) {
    const InductanceCurve c = MakeInductanceCurve(Designed("pick=6230TXGP txtStack=3").Record(), 11);
    testing::LocaleGuard guard;
    if (!testing::UseCommaLocale()) GTEST_SKIP() << "no de_DE.UTF-8 locale is installed or could be generated";
    std::istringstream lines(CurveCsv(c));
    std::setlocale(LC_ALL, "C");
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "current_A,H_Oe,mu_eff,inductance_uH");
    for (const CurvePoint& p : c.points) {
        ASSERT_TRUE(std::getline(lines, line));
        double v[4];
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf", &v[0], &v[1], &v[2], &v[3]), 4) << line;
        EXPECT_EQ(std::vector<double>(v, v + 4), (std::vector<double>{p.current, p.H, p.mu, p.inductance}));
    }
    EXPECT_FALSE(std::getline(lines, line));
}

}  // namespace
}  // namespace coredesign
