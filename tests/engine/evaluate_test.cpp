// Evaluation of one candidate core: wire, turns, permeability under DC bias,
// winding, losses and temperature.
#include "evaluate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "test_support.h"

namespace coredesign {
namespace {

TEST(PermeabilityLaws, AgreeWithTheirFormulas) {
    // 245 and 270 follow the no-gap laws, any other permeability the exponential one.
    const struct {
        double mu;
        std::vector<double> forces;
    } laws[] = {{245, {0, 0.5, 5, 20, 44.03, 60, 80, 83, 90, 95}},
                {270, {0, 0.5, 5, 20, 44.03, 60, 80, 83}},
                {100, {0, 1, 44.03, 155.51, 300, 600, 1000}},
                {60, {0, 1, 44.03, 155.51, 300, 600, 1000}}};
    for (const auto& law : laws) {
        for (double H : law.forces) {
            SCOPED_TRACE(std::to_string(law.mu) + " at " + std::to_string(H) + " Oe");
            double e = -1, model = -1;
            ASSERT_TRUE(PermeabilityUnderBias(law.mu, H, e));
            ASSERT_TRUE(refmodel::MuUnderBias(law.mu, H, model));
            EXPECT_NEAR(e / model, 1, 1e-12);
            if (H == 0) {
                EXPECT_EQ(e, law.mu);
            }
        }
    }
    double e = 0;
    ASSERT_TRUE(PermeabilityUnderBias(100, 155.51, e));
    EXPECT_NEAR(e, 100 * std::exp(-1.0), 1e-12);
    // A negative force makes the no-gap ratio exceed one; the result is held at mu.
    for (double mu : {245.0, 270.0}) {
        ASSERT_TRUE(PermeabilityUnderBias(mu, -1, e));
        EXPECT_EQ(e, mu);
    }
}

TEST(PermeabilityLaws, TripWhereTheLawHasNoValue) {
    // The no-gap laws trip where the numerator 1 + a x - b x^2 (x = mu H) reaches zero.
    const struct {
        double mu, a, b, approxH;
    } laws[] = {{245, 5.39e-5, 4.121e-9, 95.65}, {270, 5.366e-5, 4.336e-9, 83.65}};
    for (const auto& law : laws) {
        SCOPED_TRACE(law.mu);
        const double limitH = (law.a + std::sqrt(law.a * law.a + 4 * law.b)) / (2 * law.b) / law.mu;
        EXPECT_NEAR(limitH, law.approxH, 0.01);  // Oe
        double e = 123;
        EXPECT_TRUE(PermeabilityUnderBias(law.mu, limitH * (1 - 1e-9), e));
        EXPECT_GT(e, 0);
        EXPECT_LT(e, law.mu);
        e = 123;
        EXPECT_FALSE(PermeabilityUnderBias(law.mu, limitH * (1 + 1e-9), e));
        EXPECT_EQ(e, 123) << "the effective permeability is not recomputed";
        EXPECT_FALSE(PermeabilityUnderBias(law.mu, 1000, e));
    }
    // The gapped law trips only when the exponential underflows.
    double e = 7;
    EXPECT_TRUE(PermeabilityUnderBias(100, 1500, e));  // about 1e-300 of mu, still above zero
    EXPECT_GT(e, 0);
    EXPECT_FALSE(PermeabilityUnderBias(100, 2000, e));  // exp(-1605) is 0
    EXPECT_EQ(e, 0);
}

// A record ready for EvaluateCandidate on one catalogue core. (Every figure is
// compared with the reference model on random designs in the design run tests.)
Module1 Candidate(bool gapped, const std::string& part, int stack, double inductance, double dcCurrent, double ripple,
                  double frequency = 50000, int ambient = 35) {
    Module1 r = testing::LoadedRecord(gapped);
    const int i = FindCoreRow(r, part);
    EXPECT_GT(i, 0) << part;
    r.CoreIndex = static_cast<std::int16_t>(i);
    r.CoreSize = part;
    r.Stack = static_cast<std::int16_t>(stack);
    r.StackedAc = r.Stack * r.CoreAc[i];
    r.Permeability = r.CorePerm[i];
    r.Inductance = r.InductanceEntered = inductance;
    r.DCCurrent = dcCurrent;
    r.CurrentDensityFactor = 400;
    r.RequiredCopperArea = dcCurrent / 400;
    r.RippleCurrent = ripple;
    r.PeakCurrent = dcCurrent + ripple / 2;
    r.Frequency = frequency;
    r.AmbientTemp = static_cast<std::int16_t>(ambient);
    r.FillFactor = 0.4;
    return r;
}

TEST(Evaluate, WireIsTheThinnestOneStrictlyLargerThanTheCopperArea) {
    Module1 r = Candidate(true, "6238TXGP", 1, 1e-4, 1, 0);
    for (int k = 1; k < 37; ++k) {
        // Between the areas of rows k and k+1: row k is the thinnest wire still larger.
        r.RequiredCopperArea = (r.WireTableArea[k] + r.WireTableArea[k + 1]) / 2 / 1000;
        ASSERT_EQ(EvaluateCandidate(r), Evaluation::Complete) << k;
        EXPECT_EQ(r.WireSize, r.WireTableAWG[k]);
        EXPECT_EQ(r.WireDiameter, r.WireTableDiameter[k]);
        EXPECT_EQ(r.WireResistance, r.WireTableResistance[k] / 1e6);
    }
    r.RequiredCopperArea = 1e-9;  // smaller than every wire: the last one, AWG 44
    ASSERT_EQ(EvaluateCandidate(r), Evaluation::Complete);
    EXPECT_EQ(r.WireSize, 44);
    r.RequiredCopperArea = 2.514 / 1000;  // exactly the area of AWG 24: not larger, so AWG 23
    ASSERT_EQ(2.514 / 1000 * 1000 / 2.514, 1.0);
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

// The design inductance for which n = sqrt(L * 1000 / (Stack * AL / 1e6)) is
// exactly the whole number `turns`, or, with `above`, the next one up.
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
    Module1 r = Candidate(true, "6238TXGP", 1, 1e-4, 0.001, 0);  // AL 89 nH, tiny current
    const double al = r.CoreAL[r.CoreIndex];
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

TEST(Evaluate, StackingDoublesStackedFiguresAndKeepsOneWindow) {
    // Two cores with twice the design inductance have the same turns.
    Module1 one = Candidate(true, "6218TXGP", 1, 318e-6, 3.5, 0.5);
    Module1 two = Candidate(true, "6218TXGP", 2, 2 * 318e-6, 3.5, 0.5);
    ASSERT_EQ(EvaluateCandidate(one), Evaluation::Complete);
    ASSERT_EQ(EvaluateCandidate(two), Evaluation::Complete);
    ASSERT_EQ(one.Turns, two.Turns);
    const int i = one.CoreIndex;
    EXPECT_EQ(two.StackedAc, 2 * one.StackedAc);
    EXPECT_EQ(two.MeanTurnLength, 2 * one.MeanTurnLength);  // the whole mean turn, not only its walls
    EXPECT_EQ(two.ConductorLength, 2 * one.ConductorLength);
    EXPECT_EQ(two.MaterialLoss, one.MaterialLoss);
    EXPECT_EQ(two.CoreLoss, 2 * one.CoreLoss);
    EXPECT_EQ(two.InductanceFullLoad, 2 * one.InductanceFullLoad);
    EXPECT_EQ(two.ActualFillFactor, one.ActualFillFactor);  // the window of one core
    const double pi = 3.141592654;
    const double walls =
        pi * one.CoreOD[i] / 10 * (one.CoreHT[i] / 10) + pi * one.CoreID[i] / 10 * (one.CoreHT[i] / 10);
    const double faces = 2 * pi * (std::pow(one.CoreOD[i] / 20, 2) - std::pow(one.CoreID[i] / 20, 2));
    EXPECT_NEAR(one.SurfaceArea, faces + walls, 1e-12);
    EXPECT_NEAR(two.SurfaceArea, faces + 2 * walls, 1e-12);
}

TEST(Evaluate, DcBiasStillReportsTheFullLoadInductance) {
    // 6205TXNG (mu 245) at 64 turns and 3.75 A peak: H is just above 95.65 Oe.
    Module1 r = Candidate(false, "6205TXNG", 1, 318e-6, 3.5, 0.503);
    r.EffectivePermeability = 200;  // left from an earlier candidate
    ASSERT_EQ(EvaluateCandidate(r), Evaluation::DcBias);
    EXPECT_EQ(r.Turns, 64);
    EXPECT_GT(r.MagnetizingForce, 95.65);
    EXPECT_EQ(r.EffectivePermeability, 200);
    const double expected = 0.4 * 3.141592654 * 64 * 64 * r.StackedAc * 200 * 1e-8 * 1e6 / r.CoreLm[r.CoreIndex];
    EXPECT_NEAR(r.InductanceFullLoad, expected, 1e-9 * expected);
}

// Within one run the evaluation reuses what cannot have changed: the wire, the
// figures of a core whose turns stayed the same, and figures nothing has read
// yet. Step by step it gives the verdicts of evaluations from scratch, what the
// caller reads next is in place, and once settled the record holds exactly the
// figures of the fresh evaluations, also when a later core fails on DC bias
// after figures of an earlier one were left pending.
TEST(Evaluate, ReuseWithinARunLeavesTheFiguresOfFreshEvaluations) {
    const double Module1::*figures[] = {&Module1::WireSize,
                                        &Module1::WireDiameter,
                                        &Module1::WireResistance,
                                        &Module1::MagnetizingForce,
                                        &Module1::EffectivePermeability,
                                        &Module1::InductanceFullLoad,
                                        &Module1::SkinDepth,
                                        &Module1::MeanTurnLength,
                                        &Module1::ConductorLength,
                                        &Module1::ConductorResistance,
                                        &Module1::AcResistanceFactor,
                                        &Module1::AcResistance,
                                        &Module1::ActualFillFactor,
                                        &Module1::Bdc,
                                        &Module1::Bac,
                                        &Module1::CopperLoss,
                                        &Module1::MaterialLoss,
                                        &Module1::CoreLoss,
                                        &Module1::SurfaceArea,
                                        &Module1::CopperLossAtTemp,
                                        &Module1::TotalLoss,
                                        &Module1::TempRise};
    struct Step {
        const char* part;
        double factor;  // design inductance as a multiple of the entered one
    };
    const struct {
        bool gapped;
        double inductance, dcCurrent, frequency;
        std::vector<Step> steps;
        const char* last;  // the core the walk ends on
    } runs[] = {
        // No-gap cores; 6205TXNG trips the bias, leaving the losses of the core
        // before in the record. Raising the design inductance keeps the turns of
        // 6230TXNG at first (figures reused), then changes them; a core met again
        // after another is worked out afresh. At 50 kHz the losses may wait; at
        // 1e16 Hz they are worked out at once; at 1e160 Hz they overflow while
        // every figure before them is finite.
        {false,
         318e-6,
         3.5,
         50000,
         {{"6230TXNG", 1},
          {"6230TXNG", 1.005},
          {"6230TXNG", 1.010025},
          {"6230TXNG", 1.3},
          {"6222TXNG", 1.3},
          {"6230TXNG", 1.3},
          {"6205TXNG", 1.3}},
         "6205TXNG"},
        {false, 318e-6, 3.5, 1e16, {{"6230TXNG", 1}, {"6222TXNG", 1}, {"6205TXNG", 1}}, "6205TXNG"},
        {false, 318e-6, 3.5, 1e160, {{"6230TXNG", 1}}, "6230TXNG"},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.frequency);
        Module1 reused = Candidate(run.gapped, run.steps[0].part, 1, run.inductance, run.dcCurrent, 0.1, run.frequency);
        Module1 fresh = reused;
        EvaluationMemo memo;
        for (const Step& step : run.steps) {
            SCOPED_TRACE(::testing::Message() << step.part << " x" << step.factor);
            for (Module1* r : {&reused, &fresh}) {
                r->CoreIndex = static_cast<std::int16_t>(FindCoreRow(*r, step.part));
                r->StackedAc = r->Stack * r->CoreAc[r->CoreIndex];
                r->Permeability = r->CorePerm[r->CoreIndex];
                r->Inductance = r->InductanceEntered * step.factor;
            }
            const Evaluation verdict = EvaluateCandidate(reused, memo);
            ASSERT_EQ(verdict, EvaluateCandidate(fresh));
            Module1 settled = reused;
            EvaluationMemo pending = memo;
            SettlePendingFigures(settled, pending);
            for (const auto figure : figures) EXPECT_EQ(settled.*figure, fresh.*figure);
            if (verdict != Evaluation::Complete) break;
        }
        EXPECT_EQ(fresh.CoreIndex, FindCoreRow(fresh, run.last));
    }
}

}  // namespace
}  // namespace coredesign
