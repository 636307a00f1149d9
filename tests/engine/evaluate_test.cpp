// Evaluation of one candidate core: wire, turns, permeability under DC bias,
// winding, losses and temperature. (Every figure is compared with the
// reference model on random designs in the design run's tests.)
#include "evaluate.h"

#include <gtest/gtest.h>

#include "engine_checks.h"

namespace coredesign {
namespace {

// The permeability laws at a few forces, against values worked out once by
// hand from the laws' published coefficients (relative tolerance 1e-12).
TEST(PermeabilityLaws, HandCheckedValues) {
    const struct {
        double mu, H, expected;
    } cases[] = {{245, 0, 245},
                 {245, 50, 92.40131183171628},
                 {270, 50, 90.7161062402651},
                 {100, 0, 100},
                 {100, 50, 96.30435382894795},
                 {100, 155.51, 100 * std::exp(-1.0)},  // H equal to the law's scale
                 {100, 300, 0.12572773247599783},
                 {245, -1, 245},  // a ratio above one is held at mu
                 {270, -1, 270}};
    for (const auto& c : cases) {
        double e = -1;
        ASSERT_TRUE(PermeabilityUnderBias(c.mu, c.H, e)) << c.mu << " at " << c.H;
        EXPECT_NEAR(e, c.expected, 1e-12 * c.expected) << c.mu << " at " << c.H;
    }
}

// The no-gap laws trip where the numerator 1 + a x - b x^2 (x = mu H) reaches
// zero, leaving the effective permeability as it was; the gapped law only
// where the exponential underflows.
TEST(PermeabilityLaws, TripWhereTheLawHasNoValue) {
    for (const auto& [mu, a, b] : {std::tuple{245.0, 5.39e-5, 4.121e-9}, {270.0, 5.366e-5, 4.336e-9}}) {
        const double limitH = (a + std::sqrt(a * a + 4 * b)) / (2 * b) / mu;
        double e = 123;
        EXPECT_TRUE(PermeabilityUnderBias(mu, limitH * (1 - 1e-9), e) && e > 0 && e < mu) << mu;
        e = 123;
        EXPECT_FALSE(PermeabilityUnderBias(mu, limitH * (1 + 1e-9), e)) << mu;
        EXPECT_EQ(e, 123) << mu;
    }
    double e = 7;
    EXPECT_TRUE(PermeabilityUnderBias(100, 1500, e) && e > 0);  // about 1e-300 of mu
    EXPECT_FALSE(PermeabilityUnderBias(100, 2000, e));          // exp(-1605) is 0
}

// A record ready for EvaluateCandidate on one catalogue core.
DesignRecord Candidate(bool gapped, const std::string& part, int stack, double inductance, double dcCurrent,
                       double ripple, double frequency = 50000) {
    DesignRecord r = LoadedRecord(gapped);
    const int i = r.LoadedCatalogue->RowOf(part);
    EXPECT_GT(i, 0) << part;
    r.CoreIndex = static_cast<std::int16_t>(i);
    r.CoreSize = part;
    r.Stack = static_cast<std::int16_t>(stack);
    r.StackedAc = r.Stack * r.ChosenCore().ac;
    r.Permeability = r.ChosenCore().perm;
    r.Inductance = r.InductanceEntered = inductance;
    r.DCCurrent = dcCurrent;
    r.CurrentDensityFactor = 400;
    r.RequiredCopperArea = dcCurrent / 400;
    r.RippleCurrent = ripple;
    r.PeakCurrent = dcCurrent + ripple / 2;
    r.Frequency = frequency;
    r.AmbientTemp = 35;
    r.FillFactor = 0.4;
    return r;
}

TEST(Evaluate, WireIsTheThinnestOneStrictlyLargerThanTheCopperArea) {
    DesignRecord r = Candidate(true, "6238TXGP", 1, 1e-4, 1, 0);
    const WireTable& wires = *r.LoadedWireTable;
    for (int k = 1; k < 37; ++k) {
        // Between the areas of rows k and k+1: row k is the thinnest wire still larger.
        r.RequiredCopperArea = (wires.Row(k).area + wires.Row(k + 1).area) / 2 / 1000;
        ASSERT_EQ(EvaluateCandidate(r), Evaluation::Complete) << k;
        EXPECT_EQ(r.WireSize, wires.Row(k).awg);
        EXPECT_EQ(r.WireDiameter, wires.Row(k).diameter);
        EXPECT_EQ(r.WireResistance * 1e6, wires.Row(k).resistance);  // the table holds micro-ohm/cm
    }
    r.RequiredCopperArea = 1e-9;  // smaller than every wire: the last one, AWG 44
    ASSERT_EQ(EvaluateCandidate(r), Evaluation::Complete);
    EXPECT_EQ(r.WireSize, 44);
    r.RequiredCopperArea = 2.514 / 1000;  // exactly the area of AWG 24: not larger, so AWG 23
    ASSERT_EQ(EvaluateCandidate(r), Evaluation::Complete);
    EXPECT_EQ(r.WireSize, 23);
    // At and above the area of AWG 8 there is no wire, and the wire fields stay as they were.
    for (double copper : {0.0881, 5.0}) {
        r = Candidate(true, "6218TXGP", 1, 318e-6, 3.5, 0.5);
        r.RequiredCopperArea = copper;
        r.WireSize = 99;
        r.WireDiameter = 0.5;
        EXPECT_EQ(EvaluateCandidate(r), Evaluation::NoWire) << copper;
        EXPECT_EQ(r.WireSize, 99);
        EXPECT_EQ(r.WireDiameter, 0.5);
        EXPECT_EQ(r.Turns, 0) << "nothing past the wire choice is computed";
    }
}

// The design inductance for which n = sqrt(L * 1000 / (AL / 1e6)) is exactly
// the whole number `turns`, or, with `above`, the next double up.
double InductanceForTurns(double turns, double al, bool above) {
    auto n = [&](double l) { return std::sqrt(l * 1000 / (al / 1e6)); };
    double L = turns * turns * al / 1e6 / 1000;
    for (int i = 0; i < 64 && n(L) < turns; ++i) L = std::nextafter(L, HUGE_VAL);
    for (int i = 0; i < 64 && n(L) > turns; ++i) L = std::nextafter(L, 0.0);
    EXPECT_EQ(n(L), turns);
    while (above && n(L) == turns) L = std::nextafter(L, HUGE_VAL);
    return L;
}

TEST(Evaluate, TurnsAreRoundedUpAndClamped) {
    DesignRecord r = Candidate(true, "6238TXGP", 1, 1e-4, 0.001, 0);  // AL 89 nH, tiny current
    const double al = r.ChosenCore().al;
    const struct {
        double L;
        int turns;
    } cases[] = {
        {InductanceForTurns(12, al, false), 12},       {InductanceForTurns(12, al, true), 13},
        {InductanceForTurns(32000, al, false), 32000}, {InductanceForTurns(32000, al, true), 31000},
        {40000.0 * 40000.0 * al / 1e9, 31000},         {1e-15, 1},  // n far below 1
    };
    for (const auto& c : cases) {
        r.Inductance = c.L;
        EvaluateCandidate(r);  // at 31000 turns the bias may trip; the turns are set before that
        EXPECT_EQ(r.Turns, c.turns) << "L = " << c.L;
    }
}

// The AC resistance factor is 1 where the skin depth reaches the wire's
// diameter (the ratio has no finite value there) or exceeds it.
TEST(Evaluate, AcFactorIsOneWhereTheSkinDepthReachesTheWire) {
    for (double frequency : {3688.6120696911034, 1000.0}) {
        DesignRecord r = Candidate(true, "6218TXGP", 1, 318e-6, 3.5, 0.5, frequency);
        ASSERT_EQ(EvaluateCandidate(r), Evaluation::Complete) << frequency;
        EXPECT_GE(r.SkinDepth, r.WireDiameter) << frequency;
        EXPECT_EQ(r.AcResistanceFactor, 1) << frequency;
        EXPECT_EQ(r.AcResistance, r.ConductorResistance) << frequency;
    }
}

// Within one run the evaluation reuses what cannot have changed: the wire, the
// figures of a core whose turns stayed the same, and figures nothing has read
// yet. Step by step it gives the verdicts of evaluations from scratch, what the
// caller reads next is in place, and once settled the record holds exactly the
// figures of the fresh evaluations, also when a later core fails on DC bias
// after figures of an earlier one were left pending.
TEST(Evaluate, ReuseWithinARunLeavesTheFiguresOfFreshEvaluations) {
    using R = DesignRecord;
    // clang-format off
    const double R::*figures[] = {&R::WireSize, &R::WireDiameter, &R::WireResistance, &R::MagnetizingForce,
        &R::EffectivePermeability, &R::InductanceFullLoad, &R::SkinDepth, &R::MeanTurnLength, &R::ConductorLength,
        &R::ConductorResistance, &R::AcResistanceFactor, &R::AcResistance, &R::ActualFillFactor, &R::Bdc, &R::Bac,
        &R::CopperLoss, &R::MaterialLoss, &R::CoreLoss, &R::SurfaceArea, &R::CopperLossAtTemp, &R::TotalLoss,
        &R::TempRise};
    // clang-format on
    struct Step {
        const char* part;
        double factor;  // design inductance as a multiple of the entered one
    };
    // No-gap cores at 318 uH and 3.5 A; 6205TXNG trips the bias, leaving the
    // losses of the core before in the record. Raising the design inductance
    // keeps the turns of 6230TXNG at first (figures reused), then changes
    // them; a core met again after another is worked out afresh. At 50 kHz
    // the losses may wait; at 1e16 Hz they are worked out at once; at 1e160 Hz
    // they overflow while every figure before them is finite.
    const struct {
        double frequency;
        std::vector<Step> steps;
        const char* last;  // the core the walk ends on
    } runs[] = {
        {50000,
         {{"6230TXNG", 1},
          {"6230TXNG", 1.005},
          {"6230TXNG", 1.010025},
          {"6230TXNG", 1.3},
          {"6222TXNG", 1.3},
          {"6230TXNG", 1.3},
          {"6205TXNG", 1.3}},
         "6205TXNG"},
        {1e16, {{"6230TXNG", 1}, {"6222TXNG", 1}, {"6205TXNG", 1}}, "6205TXNG"},
        {1e160, {{"6230TXNG", 1}}, "6230TXNG"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.frequency);
        DesignRecord reused = Candidate(false, run.steps[0].part, 1, 318e-6, 3.5, 0.1, run.frequency);
        DesignRecord fresh = reused;
        EvaluationMemo memo;
        for (const Step& step : run.steps) {
            SCOPED_TRACE(::testing::Message() << step.part << " x" << step.factor);
            for (DesignRecord* r : {&reused, &fresh}) {
                r->CoreIndex = static_cast<std::int16_t>(r->LoadedCatalogue->RowOf(step.part));
                r->StackedAc = r->Stack * r->ChosenCore().ac;
                r->Permeability = r->ChosenCore().perm;
                r->Inductance = r->InductanceEntered * step.factor;
            }
            const Evaluation verdict = EvaluateCandidate(reused, memo);
            ASSERT_EQ(verdict, EvaluateCandidate(fresh));
            DesignRecord settled = reused;
            EvaluationMemo pending = memo;
            SettlePendingFigures(settled, pending);
            for (const auto figure : figures) EXPECT_EQ(settled.*figure, fresh.*figure);
            if (verdict != Evaluation::Complete) break;
        }
        EXPECT_EQ(fresh.CoreIndex, fresh.LoadedCatalogue->RowOf(run.last));
    }
}

}  // namespace
}  // namespace coredesign
