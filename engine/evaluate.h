// Evaluation of one candidate core: wire, turns, permeability under DC bias,
// full-load inductance, winding, losses and temperature rise.
#pragma once

#include <cstdint>

#include "design_record.h"

namespace coredesign {

enum class Evaluation {
    Complete,  // every figure below is written and finite
    DcBias,    // the core's DC bias capability is exceeded (or a figure came out non-finite)
    NoWire,    // not even the thickest wire of the table carries the copper area
};

// Needs CoreIndex, StackedAc, Permeability, RequiredCopperArea, PeakCurrent,
// RippleCurrent and the inputs in the record.
Evaluation EvaluateCandidate(DesignRecord& rec);

// What one Show Results run carries from one candidate evaluation to the
// next: the wire row, chosen once (it depends only on the required copper
// area and the wire table); the core and turns of the last complete
// evaluation, whose figures the record holds; and the candidate whose losses
// and temperatures are still to be worked out, if any. A candidate that
// fails its DC bias check leaves the losses and temperatures of the one
// before in the record, so those are settled all the same.
struct EvaluationMemo {
    int wireRow = -1;  // -1 until chosen; 0 when no wire is large enough
    int core = 0;      // 0 when no complete evaluation is held
    std::int16_t turns = 0;
    bool lossesPending = false;  // steps 15-22 of `pendingCore` not yet written
    int pendingCore = 0;
};

// The same evaluation within one run, with the same verdict. Between the calls
// that share a memo only the design inductance and what follows from it
// (energy, area product) and the candidate core may change. The losses and
// temperatures of a complete candidate may be left pending when they cannot
// come out infinite or undefined (most candidates are passed over for their
// inductance or fill, which never read them): SettlePendingFigures must come
// before they are read and before the record is handed on.
Evaluation EvaluateCandidate(DesignRecord& rec, EvaluationMemo& memo);

// Writes the pending losses and temperatures, if any, into the record.
void SettlePendingFigures(DesignRecord& rec, EvaluationMemo& memo);

// Permeability kept under a DC magnetising force H (oersted), for a core of
// relative permeability mu. Returns false when the capability is exceeded
// (then `effective` is left as it was for the 245/270 laws).
bool PermeabilityUnderBias(double mu, double H, double& effective);

// The formulas of steps 3, 5 and 20 on their own, for whatever else is worked
// out from a design (its inductance curve, its circuit model): the run calls
// these very functions, so a figure computed here is the run's to the bit.

// Magnetising force, oersted, of `turns` turns carrying `current` amperes on
// a magnetic path of `lm` cm.
double MagnetizingForceAt(double turns, double current, double lm);

// Inductance, microhenry, of `turns` turns on a core of stacked cross-section
// `stackedAc` cm^2 and path `lm` cm at the effective permeability `mu`.
double WoundInductance(double turns, double stackedAc, double mu, double lm);

// Copper's resistance at the operating temperature over its value at 25 degC,
// for an ambient of `ambientTemp` degC and a rise of `tempRise` degC.
double CopperTemperatureFactor(double ambientTemp, double tempRise);

// The coefficients of the no-gap material's law (see PermeabilityUnderBias),
// for a relative permeability of 245 or 270; false for any other.
struct NoGapLaw {
    double a, b, c, d;
};
bool NoGapLawFor(double mu, NoGapLaw& law);

}  // namespace coredesign
