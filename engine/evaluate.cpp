// Evaluation of one candidate core. Every physical model the program uses is
// computed here, once, in the record's units (see design_record.h); the
// comment at each model gives its equation, units and what its constants
// are, as far as the project knows them.
#include "evaluate.h"

#include <cmath>

#include "constants.h"

namespace coredesign {
namespace {

double Sq(double x) {
    return x * x;
}

// Wire choice: the thinnest wire of the table whose area over insulation is
// strictly larger than the required copper area A_cu = I_dc / J (cm^2, from
// the DC current in A and the current density factor J in A/cm^2). The table
// holds the area in 1e-3 cm^2 (hence the factor 1000) and the resistance in
// micro-ohm per cm (hence the division by 1e6, to ohm/cm). Walks from AWG 8
// while the wire is still larger.
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

// Turns from the inductance factor: L = N^2 * AL, so
//   n = sqrt(L[mH] / (Stack * AL[mH/turn^2]))
// with L the design inductance in H (times 1000: mH) and AL the catalogue's
// nH per turn^2 (divided by 1e6: mH per turn^2), one AL per stacked core.
// Above 32000 the turns are set to 31000, below 1 to 1; a fraction is
// rounded up.
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
        // Permeability under DC bias, no-gap material (245 and 270 perm): a
        // rational law in the magnetising force H (oersted),
        //   N = 1 + a mu H - b mu^2 H^2;  mu_eff = mu sqrt(N / (1 + c mu H + d mu^2 H^2))
        // whose coefficients a, b, c, d for each permeability are a fit to the
        // maker's material data. With N below zero the core's DC bias
        // capability is exceeded.
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
        // Permeability under DC bias, gapped material (100 perm):
        //   mu_eff = mu exp(-(H / 155.51)^2.89),  H in oersted
        // 155.51 Oe and 2.89 are the fit of the gapped material's roll-off
        // to the maker's data.
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

    // 3. Magnetising force at the peak current, oersted (CGS):
    //   H = 0.4 pi N I_pk / l_m,  I_pk in A, path length l_m in cm.
    rec.MagnetizingForce = 0.4 * kPi * turns * rec.PeakCurrent / lm;

    // 4. Permeability under bias.
    bool withinBias = std::isfinite(rec.MagnetizingForce) &&
                      PermeabilityUnderBias(rec.Permeability, rec.MagnetizingForce, rec.EffectivePermeability);

    // 5. Inductance at full load, from the permeability kept under bias:
    //   L = 0.4 pi N^2 A_c mu_eff 1e-8 / l_m  (henry, A_c the stacked core area in cm^2,
    //   l_m in cm; 1e-8 turns the CGS result into henry), times 1e6 for microhenry.
    rec.InductanceFullLoad = 0.4 * kPi * Sq(turns) * rec.StackedAc * rec.EffectivePermeability * 1e-8 * 1000000 / lm;
    if (!withinBias) return Evaluation::DcBias;

    // 6. Skin effect: the skin depth of copper, delta = 6.62 / sqrt(f)  (cm, f in Hz);
    //    6.62 cm*sqrt(Hz) is copper's skin depth constant.
    rec.SkinDepth = kSkinDepthConstant / std::sqrt(rec.Frequency);
    // 7. Mean turn over the whole stack, cm.
    rec.MeanTurnLength = (od - id + 2 * ht) * stack / 10;
    // 8. Conductor length with the winding allowance, cm.
    rec.ConductorLength = turns * rec.MeanTurnLength * kWindingAllowance;
    // 9. DC resistance at 25 degC, ohm.
    rec.ConductorResistance = rec.WireResistance * rec.ConductorLength;
    // 10. AC resistance from the skin depth: the wire's whole section over the
    //     ring one skin depth deep that carries the current,
    //       F_ac = (d^2 / 4) / ((d - delta) delta),  d the wire diameter in cm;
    //     a wire thinner than the skin depth keeps factor 1, and so does a wire
    //     exactly one skin depth thick, where the ratio has no finite value.
    const double skinDenominator = (rec.WireDiameter - rec.SkinDepth) * rec.SkinDepth;
    rec.AcResistanceFactor = skinDenominator == 0 ? 1 : (Sq(rec.WireDiameter) / 4) / skinDenominator;
    if (rec.AcResistanceFactor < 0) rec.AcResistanceFactor = 1;
    rec.AcResistance = rec.AcResistanceFactor * rec.ConductorResistance;
    // 11. Window fill on the window of one core.
    rec.ActualFillFactor = turns * kPi * Sq(rec.WireDiameter) / 4 / rec.CoreWa[i];
    // 12, 13. Flux densities, tesla: B = 0.4 pi N I mu_eff / l_m gauss, times 1e-4;
    //         the DC part at the peak current, the AC part at half the ripple.
    rec.Bdc = 0.4 * kPi * turns * rec.PeakCurrent / lm * rec.EffectivePermeability * 1e-4;
    rec.Bac = 0.4 * kPi * turns * (rec.RippleCurrent / 2) * rec.EffectivePermeability * 1e-4 / lm;
    // 14. Copper loss at 25 degC, W:
    //       P_cu = (0.577 I_ripple)^2 R_ac + I_dc^2 R_dc
    //     0.577 is the program's fixed ripple factor on the peak-to-peak ripple.
    rec.CopperLoss =
        Sq(rec.RippleCurrent * kRippleFactor) * rec.AcResistance + Sq(rec.DCCurrent) * rec.ConductorResistance;
    // 15. Core loss: the material's loss density,
    //       P = 275 f (B_ac / 2)^2.6 + 0.114 f^2 (B_ac / 2)^2   (W/kg, f in kHz, B in tesla),
    //     a hysteresis term and an eddy-current term, both on half the AC flux
    //     swing; 275, 2.6 and 0.114 are a fit to the maker's material data.
    const double f = rec.Frequency / 1000;
    rec.MaterialLoss = kCoreLossHysteresis * f * std::pow(rec.Bac / 2, kCoreLossHysteresisExp) +
                       kCoreLossEddy * Sq(f) * Sq(rec.Bac / 2);
    // 16, 17. Core loss over the stack, W.
    rec.CoreLoss = stack * rec.CoreMass[i] / 1000 * rec.MaterialLoss;
    rec.TotalLoss = rec.CoreLoss + rec.CopperLoss;
    // 18. Exposed surface: both end faces once, outer and inner walls over the stacked height, cm^2.
    rec.SurfaceArea = kTwoPi * (Sq(od / 20) - Sq(id / 20)) + stack * (kPi * od / 10) * (ht / 10) +
                      stack * (kPi * id / 10) * (ht / 10);
    // 19. Temperature rise, degC, from the loss density over the exposed surface:
    //       dT = (P_total[mW] / A_surface[cm^2])^0.833
    //     an empirical thermal rule of thumb for a part in still air.
    rec.TempRise = std::pow(rec.TotalLoss * 1000 / rec.SurfaceArea, kThermalExponent);
    // 20-22. Copper loss at the operating temperature: copper's resistance rises by
    //        0.00393 per degC (its temperature coefficient of resistance near 25 degC),
    //          P_cu(T) = (1 + 0.00393 (T_ambient + dT - 25)) P_cu(25),
    //        then the rise is computed once more from the new total; no further iteration.
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
