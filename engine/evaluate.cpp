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
int ChooseWireRow(const DesignRecord& rec) {
    const WireTable& wires = *rec.LoadedWireTable;
    int taken = 0;
    for (int k = 1; k <= wires.Rows(); ++k) {
        const double r = rec.RequiredCopperArea * 1000 / wires.Row(k).area;
        if (!(r < 1)) break;
        taken = k;
    }
    return taken;
}

void TakeWire(DesignRecord& rec, int row) {
    const Wire& wire = rec.LoadedWireTable->Row(row);
    rec.WireSize = wire.awg;
    rec.WireDiameter = wire.diameter;
    rec.WireResistance = wire.resistance / 1000000;
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
    bool finite = true;
    for (double v : values) finite &= std::isfinite(v);
    return finite;
}

// No figure that a screen, the report or the CLI shows may be infinite or
// undefined. The check comes in parts: the figures of the run and pass; the
// candidate's inductance and fill; the winding figures; and the losses and
// temperatures.
bool RunFiguresFinite(const DesignRecord& rec) {
    return AllFinite({rec.Period, rec.OffTime, rec.RippleCurrent, rec.PeakCurrent, rec.Energy, rec.AreaProduct,
                      rec.Inductance, rec.Inductance * 1000000, rec.InductanceEntered * 1000000, rec.Frequency,
                      rec.StackedAc, rec.RequiredCopperArea});
}

bool CandidateFiguresFinite(const DesignRecord& rec) {
    return RunFiguresFinite(rec) && AllFinite({rec.InductanceFullLoad, rec.ActualFillFactor});
}

bool WindingFiguresFinite(const DesignRecord& rec) {
    return AllFinite({rec.SkinDepth, rec.MeanTurnLength, rec.ConductorLength, rec.ConductorResistance,
                      rec.ConductorResistance * 1000, rec.AcResistanceFactor, rec.AcResistance, rec.Bdc, rec.Bac,
                      rec.CopperLoss, rec.SurfaceArea});
}

bool LossFiguresFinite(const DesignRecord& rec) {
    return AllFinite({rec.MaterialLoss, rec.MaterialLoss * rec.ChosenCore().mass * rec.Stack / 1000, rec.CoreLoss,
                      rec.CopperLossAtTemp, rec.TotalLoss, rec.TempRise, rec.AmbientTemp + rec.TempRise});
}

// Steps 3-5 for `core` with `turns` turns, relative permeability `mu` and
// stacked cross-section `stackedAc`. False when the DC bias capability is
// exceeded.
bool ComputeBias(DesignRecord& rec, const Core& core, double turns, double mu, double stackedAc) {
    const double lm = core.lm;
    // 3. Magnetising force at the peak current, oersted (CGS):
    //   H = 0.4 pi N I_pk / l_m,  I_pk in A, path length l_m in cm.
    rec.MagnetizingForce = MagnetizingForceAt(turns, rec.PeakCurrent, lm);
    // 4. Permeability under bias.
    const bool withinBias = std::isfinite(rec.MagnetizingForce) &&
                            PermeabilityUnderBias(mu, rec.MagnetizingForce, rec.EffectivePermeability);
    // 5. Inductance at full load, from the permeability kept under bias:
    //   L = 0.4 pi N^2 A_c mu_eff 1e-8 / l_m  (henry, A_c the stacked core area in cm^2,
    //   l_m in cm; 1e-8 turns the CGS result into henry), times 1e6 for microhenry.
    rec.InductanceFullLoad = WoundInductance(turns, stackedAc, rec.EffectivePermeability, lm);
    return withinBias;
}

// 11. Window fill on the window of one core.
double FillOf(const DesignRecord& rec, const Core& core, double turns) {
    return turns * kPi * Sq(rec.WireDiameter) / 4 / core.wa;
}

// Steps 6-10, 12-14 and 18 for `core` wound with `turns` turns of the
// record's wire, at the record's effective permeability.
void ComputeWinding(DesignRecord& rec, const Core& core, double turns) {
    const double od = core.od, id = core.id, ht = core.ht, lm = core.lm;
    const double stack = rec.Stack;
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
    // 12, 13. Flux densities, tesla: B = 0.4 pi N I mu_eff / l_m gauss, times 1e-4;
    //         the DC part at the peak current, the AC part at half the ripple.
    rec.Bdc = 0.4 * kPi * turns * rec.PeakCurrent / lm * rec.EffectivePermeability * 1e-4;
    rec.Bac = 0.4 * kPi * turns * (rec.RippleCurrent / 2) * rec.EffectivePermeability * 1e-4 / lm;
    // 14. Copper loss at 25 degC, W:
    //       P_cu = (0.577 I_ripple)^2 R_ac + I_dc^2 R_dc
    //     0.577 is the program's fixed ripple factor on the peak-to-peak ripple.
    rec.CopperLoss =
        Sq(rec.RippleCurrent * kRippleFactor) * rec.AcResistance + Sq(rec.DCCurrent) * rec.ConductorResistance;
    // 18. Exposed surface: both end faces once, outer and inner walls over the stacked height, cm^2.
    rec.SurfaceArea = kTwoPi * (Sq(od / 20) - Sq(id / 20)) + stack * (kPi * od / 10) * (ht / 10) +
                      stack * (kPi * id / 10) * (ht / 10);
}

// Steps 15-17 and 19-22 for `core`, from the flux swing, copper loss and
// surface that the record holds.
void ComputeLosses(DesignRecord& rec, const Core& core) {
    const double stack = rec.Stack;
    // 15. Core loss: the material's loss density,
    //       P = 275 f (B_ac / 2)^2.6 + 0.114 f^2 (B_ac / 2)^2   (W/kg, f in kHz, B in tesla),
    //     a hysteresis term and an eddy-current term, both on half the AC flux
    //     swing; 275, 2.6 and 0.114 are a fit to the maker's material data.
    const double f = rec.Frequency / 1000;
    rec.MaterialLoss = kCoreLossHysteresis * f * std::pow(rec.Bac / 2, kCoreLossHysteresisExp) +
                       kCoreLossEddy * Sq(f) * Sq(rec.Bac / 2);
    // 16, 17. Core loss over the stack, W.
    rec.CoreLoss = stack * core.mass / 1000 * rec.MaterialLoss;
    rec.TotalLoss = rec.CoreLoss + rec.CopperLoss;
    // 19. Temperature rise, degC, from the loss density over the exposed surface:
    //       dT = (P_total[mW] / A_surface[cm^2])^0.833
    //     an empirical thermal rule of thumb for a part in still air.
    rec.TempRise = std::pow(rec.TotalLoss * 1000 / rec.SurfaceArea, kThermalExponent);
    // 20-22. Copper loss at the operating temperature: copper's resistance rises by
    //        0.00393 per degC (its temperature coefficient of resistance near 25 degC),
    //          P_cu(T) = (1 + 0.00393 (T_ambient + dT - 25)) P_cu(25),
    //        then the rise is computed once more from the new total; no further iteration.
    rec.CopperLossAtTemp = CopperTemperatureFactor(rec.AmbientTemp, rec.TempRise) * rec.CopperLoss;
    rec.TotalLoss = rec.CopperLossAtTemp + rec.CoreLoss;
    rec.TempRise = std::pow(rec.TotalLoss * 1000 / rec.SurfaceArea, kThermalExponent);
}

bool Within(double v, double lo, double hi) {
    return v >= lo && v <= hi;
}

// True when steps 15-22 cannot give an infinite or undefined figure. With half
// the flux swing in [0, 1e6] T, f in [0, 1e12] kHz, the mass in [0, 1e10] g,
// the stack in [0, 10], the copper loss in [0, 1e30] W, the surface at least
// 1e-6 cm^2 and the ambient at least -200 degC: the material loss stays below
// 2e35 W/kg, the core loss below 2e43 W, the first rise below 1e44, the factor
// of the copper loss at temperature in [0.11, 1e42], the total loss below
// 1e73 W and the last rise below 1e68 degC. No base of a power is negative and
// no quotient is 0/0, so nothing is undefined either.
bool LossesCertainlyFinite(const DesignRecord& rec, const Core& core) {
    return Within(rec.Bac / 2, 0, 1e6) && Within(rec.Frequency / 1000, 0, 1e12) && Within(core.mass, 0, 1e10) &&
           Within(rec.Stack, 0, 10) && Within(rec.CopperLoss, 0, 1e30) && rec.SurfaceArea >= 1e-6 &&
           rec.AmbientTemp >= -200;
}

}  // namespace

double MagnetizingForceAt(double turns, double current, double lm) {
    return 0.4 * kPi * turns * current / lm;
}

double WoundInductance(double turns, double stackedAc, double mu, double lm) {
    return 0.4 * kPi * Sq(turns) * stackedAc * mu * 1e-8 * 1000000 / lm;
}

double CopperTemperatureFactor(double ambientTemp, double tempRise) {
    return 1 + kCopperTempCoefficient * (ambientTemp + tempRise - 25);
}

bool NoGapLawFor(double mu, NoGapLaw& law) {
    if (mu != 245 && mu != 270) return false;
    const bool is245 = mu == 245;
    law.a = is245 ? 5.39e-5 : 5.366e-5;
    law.b = is245 ? 4.121e-9 : 4.336e-9;
    law.c = is245 ? 7.53e-5 : 1.003e-4;
    law.d = is245 ? 3.6e-8 : 3.249e-8;
    return true;
}

bool PermeabilityUnderBias(double mu, double H, double& effective) {
    if (mu == 245 || mu == 270) {
        // Permeability under DC bias, no-gap material (245 and 270 perm): a
        // rational law in the magnetising force H (oersted),
        //   N = 1 + a mu H - b mu^2 H^2;  mu_eff = mu sqrt(N / (1 + c mu H + d mu^2 H^2))
        // whose coefficients a, b, c, d for each permeability are a fit to the
        // maker's material data. With N below zero the core's DC bias
        // capability is exceeded.
        NoGapLaw law{};
        NoGapLawFor(mu, law);
        const double a = law.a, b = law.b, c = law.c, d = law.d;
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
        const double e = mu * std::exp(-std::pow(H / kGappedRollOffField, kGappedRollOffExponent));
        if (!std::isfinite(e)) return false;
        effective = e;
        if (e <= 0) return false;
    }
    if (effective > mu) effective = mu;
    return true;
}

Evaluation EvaluateCandidate(DesignRecord& rec) {
    const Core& core = rec.ChosenCore();
    // 1. Wire.
    const int wireRow = ChooseWireRow(rec);
    if (wireRow == 0) return Evaluation::NoWire;
    TakeWire(rec, wireRow);
    // 2. Turns.
    rec.Turns = TurnsFor(rec.Inductance, rec.Stack, core.al);
    const double turns = rec.Turns;
    // 3-5. Magnetising force, permeability under bias, full-load inductance.
    if (!ComputeBias(rec, core, turns, rec.Permeability, rec.StackedAc)) return Evaluation::DcBias;
    // 6-10, 12-14, 18. The winding.
    ComputeWinding(rec, core, turns);
    // 11. Window fill.
    rec.ActualFillFactor = FillOf(rec, core, turns);
    // 15-17, 19-22. Losses and temperatures.
    ComputeLosses(rec, core);
    return CandidateFiguresFinite(rec) && WindingFiguresFinite(rec) && LossFiguresFinite(rec) ? Evaluation::Complete
                                                                                              : Evaluation::DcBias;
}

void SettlePendingFigures(DesignRecord& rec, EvaluationMemo& memo) {
    if (!memo.lossesPending) return;
    ComputeLosses(rec, rec.LoadedCatalogue->Row(memo.pendingCore));
    memo.lossesPending = false;
}

Evaluation EvaluateCandidate(DesignRecord& rec, EvaluationMemo& memo) {
    const int i = rec.CoreIndex;
    const Core& core = rec.ChosenCore();

    // 1. Wire.
    if (memo.wireRow < 0) memo.wireRow = ChooseWireRow(rec);
    if (memo.wireRow == 0) return Evaluation::NoWire;
    TakeWire(rec, memo.wireRow);

    // 2. Turns.
    rec.Turns = TurnsFor(rec.Inductance, rec.Stack, core.al);
    const double turns = rec.Turns;
    // The same core with the same turns: every figure below would come out as
    // it stands, and all of them were finite (or, for figures still pending,
    // certainly will be). Only the design inductance and what follows from it
    // have moved on, so only those need the finiteness check again.
    if (memo.core == i && memo.turns == rec.Turns)
        return AllFinite({rec.Energy, rec.AreaProduct, rec.Inductance, rec.Inductance * 1000000}) ? Evaluation::Complete
                                                                                                  : Evaluation::DcBias;
    memo.core = 0;

    // 3-5. Magnetising force, permeability under bias, full-load inductance.
    if (!ComputeBias(rec, core, turns, rec.Permeability, rec.StackedAc)) return Evaluation::DcBias;

    // 6-10, 12-14, 18. The winding.
    ComputeWinding(rec, core, turns);
    // 11. Window fill.
    rec.ActualFillFactor = FillOf(rec, core, turns);

    // 15-17, 19-22: the losses and temperatures. Most candidates of a run are
    // passed over for their inductance or fill, which never read them, so
    // they wait for SettlePendingFigures when they cannot fail.
    if (CandidateFiguresFinite(rec) && WindingFiguresFinite(rec) && LossesCertainlyFinite(rec, core)) {
        memo.lossesPending = true;
        memo.pendingCore = i;
    } else {
        memo.lossesPending = false;
        ComputeLosses(rec, core);
        if (!CandidateFiguresFinite(rec) || !WindingFiguresFinite(rec) || !LossFiguresFinite(rec))
            return Evaluation::DcBias;
    }
    memo.core = i;
    memo.turns = rec.Turns;
    return Evaluation::Complete;
}

}  // namespace coredesign
