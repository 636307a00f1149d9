// Evaluation of one candidate core: wire, turns, permeability under DC bias,
// full-load inductance, winding, losses and temperature rise.
#pragma once

#include <cstdint>

#include "record.h"

namespace coredesign {

enum class Evaluation {
    Complete,  // every figure below is written and finite
    DcBias,    // the core's DC bias capability is exceeded (or a figure came out non-finite)
    NoWire,    // not even the thickest wire of the table carries the copper area
};

// Needs CoreIndex, StackedAc, Permeability, RequiredCopperArea, PeakCurrent,
// RippleCurrent and the inputs in the record.
Evaluation EvaluateCandidate(Module1& rec);

// What one Show Results run carries from one candidate evaluation to the
// next: the wire row, chosen once (it depends only on the required copper
// area and the wire table); the core and turns of the last complete
// evaluation, whose figures the record holds or will hold once settled; and
// the candidate whose later figures are still to be worked out.
struct EvaluationMemo {
    enum class Pending {
        None,
        Losses,    // steps 15-22 of pendingCore
        FromBias,  // steps 3-10 and 12-22 of pendingCore (turns, wire and fill are written)
    };
    int wireRow = -1;  // -1 until chosen; 0 when no wire is large enough
    int core = 0;      // 0 when no complete evaluation is held
    std::int16_t turns = 0;
    Pending pending = Pending::None;
    int pendingCore = 0;
    double pendingTurns = 0, pendingPermeability = 0, pendingStackedAc = 0;
};

// The same evaluation within one run, with the same verdict. Between the calls
// that share a memo only the design inductance and what follows from it
// (energy, area product) and the candidate core may change. Figures of a
// complete candidate may be left pending: SettlePendingFigures must come
// before anything but the wire, turns, full-load inductance and fill is read,
// and before the record is handed on. With `passedOverWhenOverfilled` the
// caller states that it moves on to another core when the fill exceeds the
// record's fill factor, whatever the other figures; then even the full-load
// inductance of such a candidate may be left pending.
Evaluation EvaluateCandidate(Module1& rec, EvaluationMemo& memo, bool passedOverWhenOverfilled = false);

// Writes the pending figures, if any, into the record.
void SettlePendingFigures(Module1& rec, EvaluationMemo& memo);

// Permeability kept under a DC magnetising force H (oersted), for a core of
// relative permeability mu. Returns false when the capability is exceeded
// (then `effective` is left as it was for the 245/270 laws).
bool PermeabilityUnderBias(double mu, double H, double& effective);

}  // namespace coredesign
