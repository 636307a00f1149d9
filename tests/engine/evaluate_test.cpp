// Evaluation of one candidate core: wire, turns, permeability under DC bias,
// winding, losses and temperature.
#include "evaluate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "test_support.h"

namespace coredesign {
namespace {

using testing::LoadedRecord;

// The four permeability laws, written out here from their formulas.
double Law245(double mu, double H) {
    const double x = mu * H;
    return mu * std::sqrt((1 + 5.39e-5 * x - 4.121e-9 * x * x) / (1 + 7.53e-5 * x + 3.6e-8 * x * x));
}
double Law270(double mu, double H) {
    const double x = mu * H;
    return mu * std::sqrt((1 + 5.366e-5 * x - 4.336e-9 * x * x) / (1 + 1.003e-4 * x + 3.249e-8 * x * x));
}
double LawGapped(double mu, double H) {
    return mu * std::exp(-std::pow(H / 155.51, 2.89));
}

// mu H at which the numerator 1 + a x - b x^2 of the no-gap law reaches zero.
double BiasLimit(double a, double b) {
    return (a + std::sqrt(a * a + 4 * b)) / (2 * b);
}

TEST(PermeabilityLaws, AgreeWithTheirFormulas) {
    // Relative tolerance 1e-12: the same formula, grouped differently.
    for (double H : {0.0, 0.5, 5.0, 20.0, 44.03, 60.0, 80.0, 83.0, 90.0, 95.0}) {
        double e = -1;
        ASSERT_TRUE(PermeabilityUnderBias(245, H, e)) << H;
        EXPECT_NEAR(e / Law245(245, H), 1, 1e-12) << H;
        if (H < 83.6) {  // beyond about 83.65 Oe the 270 law trips
            ASSERT_TRUE(PermeabilityUnderBias(270, H, e)) << H;
            EXPECT_NEAR(e / Law270(270, H), 1, 1e-12) << H;
        }
    }
    for (double H : {0.0, 1.0, 44.03, 155.51, 300.0, 600.0, 1000.0}) {
        double e = -1;
        ASSERT_TRUE(PermeabilityUnderBias(100, H, e)) << H;
        EXPECT_NEAR(e / LawGapped(100, H), 1, 1e-12) << H;
        // Any permeability other than 245 and 270 follows the exponential law.
        ASSERT_TRUE(PermeabilityUnderBias(60, H, e)) << H;
        EXPECT_NEAR(e / LawGapped(60, H), 1, 1e-12) << H;
    }
    double e = 0;
    ASSERT_TRUE(PermeabilityUnderBias(100, 155.51, e));
    EXPECT_NEAR(e, 100 * std::exp(-1.0), 1e-12);
}

TEST(PermeabilityLaws, ZeroForceKeepsTheFullPermeability) {
    for (double mu : {245.0, 270.0, 100.0, 60.0}) {
        double e = -1;
        ASSERT_TRUE(PermeabilityUnderBias(mu, 0, e));
        EXPECT_EQ(e, mu);
    }
}

TEST(PermeabilityLaws, NoGapLawsTripAtTheirThresholds) {
    const struct {
        double mu, a, b, approxH;
    } laws[] = {{245, 5.39e-5, 4.121e-9, 95.65}, {270, 5.366e-5, 4.336e-9, 83.65}};
    for (const auto& law : laws) {
        SCOPED_TRACE(law.mu);
        const double limitH = BiasLimit(law.a, law.b) / law.mu;
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
}

TEST(PermeabilityLaws, GappedLawTripsOnlyWhenTheExponentialUnderflows) {
    double e = 7;
    EXPECT_TRUE(PermeabilityUnderBias(100, 1500, e));  // about 1e-300 of mu, still above zero
    EXPECT_GT(e, 0);
    e = 7;
    EXPECT_FALSE(PermeabilityUnderBias(100, 2000, e));  // exp(-1605) is 0
    EXPECT_EQ(e, 0);
}

TEST(PermeabilityLaws, ClampAtMu) {
    // A negative force makes the no-gap ratio exceed one; the result is held at mu.
    for (double mu : {245.0, 270.0}) {
        double e = 0;
        ASSERT_GT(mu == 245 ? Law245(mu, -1) : Law270(mu, -1), mu);
        ASSERT_TRUE(PermeabilityUnderBias(mu, -1, e));
        EXPECT_EQ(e, mu);
    }
}

// A record ready for EvaluateCandidate on one catalogue core.
Module1 Candidate(bool gapped, const std::string& part, int stack, double inductance, double dcCurrent, double ripple,
                  double frequency = 50000, int ambient = 35) {
    Module1 r = LoadedRecord(gapped);
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

refmodel::Inputs InputsOf(const Module1& r) {
    refmodel::Inputs in;
    in.dcCurrent = r.DCCurrent;
    in.currentDensity = r.CurrentDensityFactor;
    in.frequency = r.Frequency;
    in.ambientTemp = r.AmbientTemp;
    in.stack = r.Stack;
    return in;
}

TEST(Evaluate, FiguresAgreeWithTheReferenceModel) {
    const struct {
        bool gapped;
        const char* part;
        int stack;
        double L, I, ripple, f;
        int ambient;
    } cases[] = {
        {true, "6218TXGP", 1, 318e-6, 3.5, 0.503, 50000, 35}, {true, "6205TXGP", 1, 318e-6, 3.5, 0.503, 50000, 35},
        {true, "6238TXGP", 4, 2e-3, 12, 3, 20000, 60},        {false, "6220TXNG", 3, 170e-6, 3.5, 0.27, 200000, 35},
        {false, "6203TXNG", 1, 10e-6, 0.5, 0.2, 1e6, 100},    {true, "6233TXGP", 9, 1e-4, 30, 10, 5000, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.part);
        Module1 r = Candidate(c.gapped, c.part, c.stack, c.L, c.I, c.ripple, c.f, c.ambient);
        ASSERT_EQ(EvaluateCandidate(r), Evaluation::Complete);
        refmodel::Figures f;
        ASSERT_EQ(refmodel::Evaluate(r, r.CoreIndex, InputsOf(r), c.L, r.PeakCurrent, c.ripple, f), "ok");
        // Relative tolerance 1e-12 on every figure.
        auto same = [](double a, double b) { return a == b || std::fabs(a - b) <= 1e-12 * std::fabs(b); };
        EXPECT_EQ(r.WireSize, f.wireSize);
        EXPECT_EQ(r.Turns, f.turns);
        EXPECT_PRED2(same, r.MagnetizingForce, f.H);
        EXPECT_PRED2(same, r.EffectivePermeability, f.muEff);
        EXPECT_PRED2(same, r.InductanceFullLoad, f.inductanceFullLoad);
        EXPECT_PRED2(same, r.SkinDepth, f.skinDepth);
        EXPECT_PRED2(same, r.MeanTurnLength, f.meanTurn);
        EXPECT_PRED2(same, r.ConductorLength, f.conductorLength);
        EXPECT_PRED2(same, r.ConductorResistance, f.conductorResistance);
        EXPECT_PRED2(same, r.AcResistanceFactor, f.acFactor);
        EXPECT_PRED2(same, r.AcResistance, f.acResistance);
        EXPECT_PRED2(same, r.ActualFillFactor, f.fill);
        EXPECT_PRED2(same, r.Bdc, f.bdc);
        EXPECT_PRED2(same, r.Bac, f.bac);
        EXPECT_PRED2(same, r.CopperLoss, f.copperLoss);
        EXPECT_PRED2(same, r.MaterialLoss, f.materialLoss);
        EXPECT_PRED2(same, r.CoreLoss, f.coreLoss);
        EXPECT_PRED2(same, r.SurfaceArea, f.surface);
        EXPECT_PRED2(same, r.CopperLossAtTemp, f.copperLossAtTemp);
        EXPECT_PRED2(same, r.TotalLoss, f.totalLoss);
        EXPECT_PRED2(same, r.TempRise, f.tempRise);
    }
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
    EXPECT_EQ(r.WireDiameter, 0.00635);
    r.RequiredCopperArea = 2.514 / 1000;  // exactly the area of AWG 24: not larger, so AWG 23
    ASSERT_EQ(2.514 / 1000 * 1000 / 2.514, 1.0);
    ASSERT_EQ(EvaluateCandidate(r), Evaluation::Complete);
    EXPECT_EQ(r.WireSize, 23);
}

TEST(Evaluate, NoWireLeavesTheWireFieldsAsTheyWere) {
    for (double copper : {0.0881, 0.09, 5.0}) {  // at and above the area of AWG 8
        ASSERT_GE(copper * 1000 / 88.1, 1.0);
        Module1 r = Candidate(true, "6218TXGP", 1, 318e-6, 3.5, 0.5);
        r.RequiredCopperArea = copper;
        r.WireSize = 99;
        r.WireDiameter = 0.5;
        r.WireResistance = 0.25;
        EXPECT_EQ(EvaluateCandidate(r), Evaluation::NoWire) << copper;
        EXPECT_EQ(r.WireSize, 99);
        EXPECT_EQ(r.WireDiameter, 0.5);
        EXPECT_EQ(r.WireResistance, 0.25);
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
        {InductanceForTurns(12, al, false), 12},      {InductanceForTurns(12, al, true), 13},
        {12.0001 * 12.0001 * al / 1e9, 13},           {InductanceForTurns(32000, al, false), 32000},
        {InductanceForTurns(32000, al, true), 31000}, {32000.5 * 32000.5 * al / 1e9, 31000},
        {40000.0 * 40000.0 * al / 1e9, 31000},        {1e-15, 1},  // n far below 1
    };
    for (const auto& c : cases) {
        r.Inductance = c.L;
        EvaluateCandidate(r);  // at 31000 turns the bias may trip; the turns are set before that
        EXPECT_EQ(r.Turns, c.turns) << "L = " << c.L;
    }
}

TEST(Evaluate, AcResistanceFactorFromTheSkinDepth) {
    // AWG 18 (0.109 cm) carries 3.5 A at 400 A/cm^2.
    const struct {
        double f;
        bool thinner;  // the wire is thinner than the skin depth
    } cases[] = {{1000, true}, {3000, true}, {10000, false}, {50000, false}, {500000, false}};
    for (const auto& c : cases) {
        Module1 r = Candidate(true, "6218TXGP", 1, 318e-6, 3.5, 0.5, c.f);
        ASSERT_EQ(EvaluateCandidate(r), Evaluation::Complete);
        ASSERT_EQ(r.WireDiameter, 0.109);
        const double s = 6.62 / std::sqrt(c.f), d = 0.109;
        EXPECT_EQ(d < s, c.thinner);
        const double factor = c.thinner ? 1 : (d * d / 4) / ((d - s) * s);
        EXPECT_NEAR(r.AcResistanceFactor, factor, 1e-12 * factor) << c.f;
        if (!c.thinner && d < 2 * s) {
            EXPECT_GT(r.AcResistanceFactor, 1) << c.f;
        }
        EXPECT_NEAR(r.AcResistance, r.AcResistanceFactor * r.ConductorResistance, 1e-15);
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

}  // namespace
}  // namespace coredesign
