#include "evaluate.h"

#include <cmath>

#include "constants.h"

namespace coredesign {
namespace {

double Sq(double x) {
    return x * x;
}

// Wire choice: the thinnest wire whose insulated area is strictly larger than
// the required copper area. Walks from AWG 8 while the wire is still larger.
bool ChooseWire(DesignRecord& rec) {
    const int rows = static_cast<int>(rec.WireTableArea.size()) - 1;
    bool taken = false;
    for (int k = 1; k <= rows; ++k) {
        const double r = rec.RequiredCopperArea * 1000 / rec.WireTableArea[k];
        if (!(r < 1)) break;
        rec.WireSize = rec.WireTableAWG[k];
        rec.WireDiameter = rec.WireTableDiameter[k];
        rec.WireResistance = rec.WireTableResistance[k] / 1000000;
        taken = true;
    }
    return taken;
}

// Turns: n = sqrt(L[mH] / (Stack * AL[mH/turn^2])), clamped, rounded up.
std::int16_t TurnsFor(double inductance, std::int16_t stack, double al) {
    double n = std::sqrt(inductance * 1000 / (stack * al / 1000000));
    if (n > kTurnsCeiling)
        n = kTurnsClamp;
    else if (n < 1)
        n = 1;
    return static_cast<std::int16_t>(std::ceil(n));
}

bool AllFinite(std::initializer_list<double> values) {
    for (double v : values)
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace

bool PermeabilityUnderBias(double mu, double H, double& effective) {
    if (mu == 245 || mu == 270) {
        // Rational law of the no-gap material:
        //   N = 1 + a mu H - b mu^2 H^2;  mu_eff = mu sqrt(N / (1 + c mu H + d mu^2 H^2))
        const bool is245 = mu == 245;
        const double a = is245 ? 5.39e-5 : 5.366e-5;
        const double b = is245 ? 4.121e-9 : 4.336e-9;
        const double c = is245 ? 7.53e-5 : 1.003e-4;
        const double d = is245 ? 3.6e-8 : 3.249e-8;
        const double N = 1 + a * mu * H - b * Sq(mu) * Sq(H);
        if (!(N >= 0)) return false;  // below zero (or undefined): the capability is exceeded
        const double e = mu * std::sqrt(N / (1 + c * mu * H + d * Sq(mu) * Sq(H)));
        if (!std::isfinite(e)) return false;
        effective = e;
    } else {
        // Gapped material: mu_eff = mu exp(-(H / 155.51)^2.89)
        const double e = mu * std::exp(-std::pow(H / 155.51, 2.89));
        if (!std::isfinite(e)) return false;
        effective = e;
        if (e <= 0) return false;
    }
    if (effective > mu) effective = mu;
    return true;
}

Evaluation EvaluateCandidate(DesignRecord& rec) {
    const int i = rec.CoreIndex;
    const double od = rec.CoreOD[i], id = rec.CoreID[i], ht = rec.CoreHT[i], lm = rec.CoreLm[i];
    const double stack = rec.Stack;

    // 1. Wire.
    if (!ChooseWire(rec)) return Evaluation::NoWire;

    // 2. Turns.
    rec.Turns = TurnsFor(rec.Inductance, rec.Stack, rec.CoreAL[i]);
    const double turns = rec.Turns;

    // 3. Magnetising force, oersted: H = 0.4 pi N Ipk / Lm.
    rec.MagnetizingForce = 0.4 * kPi * turns * rec.PeakCurrent / lm;

    // 4. Permeability under bias.
    bool withinBias = std::isfinite(rec.MagnetizingForce) &&
                      PermeabilityUnderBias(rec.Permeability, rec.MagnetizingForce, rec.EffectivePermeability);

    // 5. Inductance at full load, microhenry: 0.4 pi N^2 Ac mu_eff 1e-8 / Lm, times 1e6.
    rec.InductanceFullLoad = 0.4 * kPi * Sq(turns) * rec.StackedAc * rec.EffectivePermeability * 1e-8 * 1000000 / lm;
    if (!withinBias) return Evaluation::DcBias;

    // 6. Skin depth, cm.
    rec.SkinDepth = kSkinDepthConstant / std::sqrt(rec.Frequency);
    // 7. Mean turn over the whole stack, cm.
    rec.MeanTurnLength = (od - id + 2 * ht) * stack / 10;
    // 8. Conductor length with the winding allowance, cm.
    rec.ConductorLength = turns * rec.MeanTurnLength * kWindingAllowance;
    // 9. DC resistance at 25 degC, ohm.
    rec.ConductorResistance = rec.WireResistance * rec.ConductorLength;
    // 10. AC resistance from the skin depth; a wire thinner than the skin depth keeps factor 1,
    // and so does a wire exactly one skin depth thick, where the ratio has no finite value.
    const double skinDenominator = (rec.WireDiameter - rec.SkinDepth) * rec.SkinDepth;
    rec.AcResistanceFactor = skinDenominator == 0 ? 1 : (Sq(rec.WireDiameter) / 4) / skinDenominator;
    if (rec.AcResistanceFactor < 0) rec.AcResistanceFactor = 1;
    rec.AcResistance = rec.AcResistanceFactor * rec.ConductorResistance;
    // 11. Window fill on the window of one core.
    rec.ActualFillFactor = turns * kPi * Sq(rec.WireDiameter) / 4 / rec.CoreWa[i];
    // 12, 13. Flux densities, tesla.
    rec.Bdc = 0.4 * kPi * turns * rec.PeakCurrent / lm * rec.EffectivePermeability * 1e-4;
    rec.Bac = 0.4 * kPi * turns * (rec.RippleCurrent / 2) * rec.EffectivePermeability * 1e-4 / lm;
    // 14. Copper loss at 25 degC, W.
    rec.CopperLoss =
        Sq(rec.RippleCurrent * kRippleFactor) * rec.AcResistance + Sq(rec.DCCurrent) * rec.ConductorResistance;
    // 15. Material loss density, W/kg, f in kHz, both terms on Bac / 2.
    const double f = rec.Frequency / 1000;
    rec.MaterialLoss = kCoreLossHysteresis * f * std::pow(rec.Bac / 2, kCoreLossHysteresisExp) +
                       kCoreLossEddy * Sq(f) * Sq(rec.Bac / 2);
    // 16, 17. Core loss over the stack, W.
    rec.CoreLoss = stack * rec.CoreMass[i] / 1000 * rec.MaterialLoss;
    rec.TotalLoss = rec.CoreLoss + rec.CopperLoss;
    // 18. Exposed surface: both end faces once, outer and inner walls over the stacked height, cm^2.
    rec.SurfaceArea = kTwoPi * (Sq(od / 20) - Sq(id / 20)) + stack * (kPi * od / 10) * (ht / 10) +
                      stack * (kPi * id / 10) * (ht / 10);
    // 19. Temperature rise from the loss density in mW/cm^2.
    rec.TempRise = std::pow(rec.TotalLoss * 1000 / rec.SurfaceArea, kThermalExponent);
    // 20-22. Copper loss at operating temperature, then one correction of the rise.
    rec.CopperLossAtTemp = (1 + kCopperTempCoefficient * (rec.AmbientTemp + rec.TempRise - 25)) * rec.CopperLoss;
    rec.TotalLoss = rec.CopperLossAtTemp + rec.CoreLoss;
    rec.TempRise = std::pow(rec.TotalLoss * 1000 / rec.SurfaceArea, kThermalExponent);

    // No figure that a screen, the report or the CLI shows may be infinite or undefined.
    const bool finite = AllFinite({rec.Period,
                                   rec.OffTime,
                                   rec.RippleCurrent,
                                   rec.PeakCurrent,
                                   rec.Energy,
                                   rec.AreaProduct,
                                   rec.Inductance,
                                   rec.Inductance * 1000000,
                                   rec.InductanceEntered * 1000000,
                                   rec.Frequency,
                                   rec.StackedAc,
                                   rec.RequiredCopperArea,
                                   rec.InductanceFullLoad,
                                   rec.SkinDepth,
                                   rec.MeanTurnLength,
                                   rec.ConductorLength,
                                   rec.ConductorResistance,
                                   rec.ConductorResistance * 1000,
                                   rec.AcResistanceFactor,
                                   rec.AcResistance,
                                   rec.ActualFillFactor,
                                   rec.Bdc,
                                   rec.Bac,
                                   rec.CopperLoss,
                                   rec.MaterialLoss,
                                   rec.MaterialLoss * rec.CoreMass[i] * rec.Stack / 1000,
                                   rec.CoreLoss,
                                   rec.SurfaceArea,
                                   rec.CopperLossAtTemp,
                                   rec.TotalLoss,
                                   rec.TempRise,
                                   rec.AmbientTemp + rec.TempRise});
    return finite ? Evaluation::Complete : Evaluation::DcBias;
}

}  // namespace coredesign
