// Evaluation of one candidate core: wire, turns, permeability under DC bias,
// full-load inductance, winding, losses and temperature rise.
#pragma once

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

// Permeability kept under a DC magnetising force H (oersted), for a core of
// relative permeability mu. Returns false when the capability is exceeded
// (then `effective` is left as it was for the 245/270 laws).
bool PermeabilityUnderBias(double mu, double H, double& effective);

}  // namespace coredesign
