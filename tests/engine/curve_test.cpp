// The inductance curve of a design: its currents, its operating point (the
// run's full-load inductance to the bit), the run's permeability law at every
// point, where the no-gap law ends, and its CSV form.
#include "curve.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "engine_checks.h"
#include "evaluate.h"

namespace coredesign {
namespace {

// The designs of the curve's checks: the default design, the no-gap
// default, a stacked Pick Core design, 1 mH at 10 A, and a no-gap Pick Core
// design (a fill warning) whose curve ends at the law's limit.
const char* const kDesigns[] = {"", "nogap", "pick=6230TXGP txtStack=3",
                                "cmbinductance=millihenry txtInductance=1 txtDCCurrent=10",
                                "nogap pick=6230TXNG txtDCCurrent=10"};

InputScreen Designed(const std::string& spec) {
    InputScreen s = testing::Screen(spec);
    const Outcome outcome = s.ShowResults().outcome;
    EXPECT_TRUE(outcome == Outcome::Results || outcome == Outcome::FillWarning) << OutcomeName(outcome);
    EXPECT_TRUE(HoldsDesign(s.Record()));
    return s;
}

TEST(InductanceCurve, FollowsTheRunsLawAndPassesThroughItsFullLoadInductance) {
    for (const char* spec : kDesigns) {
        SCOPED_TRACE(spec);
        const InputScreen s = Designed(spec);
        const DesignRecord& r = s.Record();
        const InductanceCurve c = MakeInductanceCurve(r);
        ASSERT_GE(c.points.size(), 2u);

        // The operating point is the run's own, to the last bit.
        EXPECT_EQ(c.operatingPoint.current, r.PeakCurrent);
        EXPECT_EQ(c.operatingPoint.H, r.MagnetizingForce);
        EXPECT_EQ(c.operatingPoint.mu, r.EffectivePermeability);
        EXPECT_EQ(c.operatingPoint.inductance, r.InductanceFullLoad);
        int operatingPoints = 0;
        for (const CurvePoint& p : c.points)
            operatingPoints += p.current == r.PeakCurrent && p.inductance == r.InductanceFullLoad;
        EXPECT_GE(operatingPoints, 1);

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
                EXPECT_GE(p.current, c.points[k - 1].current) << k;
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
            EXPECT_LT(c.points.back().current, *c.lawEndsBefore);
            EXPECT_NEAR(*c.lawEndsBefore - c.points.back().current, top / 100, 1e-12 * top);  // the next grid step
            EXPECT_LT(c.points.size(), 102u);
        } else {
            EXPECT_EQ(c.points.back().current, top);
            EXPECT_EQ(c.points.size(), 102u);  // 101 on the grid and the operating point
        }
    }
}

// Hand-checked values (1e-6 relative): the no-gap Pick Core design's curve
// ends at the law's limit, and the zero-current inductance is the turns on
// the stacked core at full permeability, 0.4 pi N^2 Ac mu 1e-8 / lm, which is
// not the results screen's "Inductance Zero Load" (the design inductance).
TEST(InductanceCurve, HandCheckedZeroCurrentInductanceAndLawLimit) {
    // default: 58 turns on 6218TXGP (Ac 0.479 cm^2, lm 6.21 cm, mu 100).
    const InputScreen gapped = Designed("");
    const InductanceCurve g = MakeInductanceCurve(gapped.Record());
    EXPECT_NEAR(g.zeroCurrentInductance, 326.0691898, 1e-6 * 326);
    EXPECT_NE(g.zeroCurrentInductance, gapped.Record().Inductance * 1e6);
    EXPECT_FALSE(g.lawEndsBefore.has_value());
    // 6230TXNG with 53 turns (lm 10.55 cm): the 245 law has no value beyond
    // H = 95.650 Oe, that is beyond 95.650 * 10.55 / (0.4 pi 53) = 15.1514 A.
    const InputScreen noGap = Designed("nogap pick=6230TXNG txtDCCurrent=10");
    ASSERT_EQ(noGap.Record().Turns, 53);
    const InductanceCurve n = MakeInductanceCurve(noGap.Record());
    ASSERT_TRUE(n.lawEndsBefore.has_value());
    EXPECT_LT(n.points.back().current, 15.1513);
    EXPECT_GT(*n.lawEndsBefore, 15.1515);
}

TEST(InductanceCurve, GridOfAnyAllowedSize) {
    const InputScreen s = Designed("nogap");
    const double peak = s.Record().PeakCurrent;
    const InductanceCurve two = MakeInductanceCurve(s.Record(), kMinCurvePoints);
    ASSERT_EQ(two.points.size(), 3u);
    EXPECT_EQ(two.points[0].current, 0);
    EXPECT_EQ(two.points[1].current, peak);
    EXPECT_EQ(two.points[2].current, 2 * peak);
    EXPECT_EQ(MakeInductanceCurve(s.Record(), kMaxCurvePoints).points.size(), 10002u);
}

// The CSV reads back to the curve's own numbers, with a point for the
// decimals even where the locale writes a comma.
TEST(InductanceCurve, CsvReadsBackExactlyInAnyLocale) {
    const InputScreen s = Designed("pick=6230TXGP txtStack=3");
    const InductanceCurve c = MakeInductanceCurve(s.Record(), 11);
    testing::LocaleGuard guard;
    if (!testing::UseCommaLocale()) GTEST_SKIP() << "no de_DE.UTF-8 locale is installed or could be generated";
    const std::string csv = CurveCsv(c);
    std::istringstream lines(csv);
    std::string line;
    ASSERT_TRUE(std::getline(lines, line));
    EXPECT_EQ(line, "current_A,H_Oe,mu_eff,inductance_uH");
    std::setlocale(LC_ALL, "C");
    for (const CurvePoint& p : c.points) {
        ASSERT_TRUE(std::getline(lines, line));
        double v[4];
        ASSERT_EQ(std::sscanf(line.c_str(), "%lf,%lf,%lf,%lf", &v[0], &v[1], &v[2], &v[3]), 4) << line;
        EXPECT_EQ(v[0], p.current);
        EXPECT_EQ(v[1], p.H);
        EXPECT_EQ(v[2], p.mu);
        EXPECT_EQ(v[3], p.inductance);
    }
    EXPECT_FALSE(std::getline(lines, line));
    EXPECT_EQ(csv.find('\r'), std::string::npos);
}

}  // namespace
}  // namespace coredesign
