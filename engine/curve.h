// The inductance curve of a design: how the designed winding's inductance
// falls as the current through it rises, worked out with the run's own
// formulas and permeability law (evaluate.h), so that the curve passes
// through the run's full-load inductance exactly.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design_record.h"

namespace coredesign {

struct CurvePoint {
    double current = 0;     // A
    double H = 0;           // Oe, the magnetising force of that current
    double mu = 0;          // effective permeability there
    double inductance = 0;  // uH
};

struct InductanceCurve {
    // Ascending currents: `gridPoints` evenly spaced from 0 to twice
    // PeakCurrent, and PeakCurrent itself as one more point (listed once
    // where the grid holds it); a current where the permeability law has no
    // value is left out.
    std::vector<CurvePoint> points;
    CurvePoint operatingPoint;         // at PeakCurrent: its inductance is InductanceFullLoad
    double zeroCurrentInductance = 0;  // uH: the turns on the stacked core at the full permeability
    double enteredInductance = 0;      // uH, as entered
    double initialPermeability = 0;    // the core's relative permeability
    double dcCurrent = 0;              // A
    // The lowest current of the curve's grid where the law has no value (the
    // no-gap material's limit): the curve ends below it. Empty when the law
    // has a value everywhere on the grid.
    std::optional<double> lawEndsBefore;
};

inline constexpr int kDefaultCurvePoints = 101;
inline constexpr int kMinCurvePoints = 2;
inline constexpr int kMaxCurvePoints = 10001;

// True when the record holds a design (a run that ended in results or the
// fill warning leaves one): a core, turns and a finite full-load inductance.
// The curve and the circuit model are made only from such a record.
bool HoldsDesign(const DesignRecord& rec);

// The curve of the design in the record (HoldsDesign must be true), with
// `gridPoints` (kMinCurvePoints to kMaxCurvePoints) evenly spaced currents.
InductanceCurve MakeInductanceCurve(const DesignRecord& rec, int gridPoints = kDefaultCurvePoints);

// The curve as CSV: the header "current_A,H_Oe,mu_eff,inductance_uH", one
// line per point, numbers with 17 significant digits and a decimal point
// whatever the locale, "\n" line ends.
std::string CurveCsv(const InductanceCurve& curve);

// A number with 17 significant digits (enough to read back the same double)
// and a decimal point whatever the locale; "nan" or "inf" when not finite.
std::string RoundTripNumber(double value);

}  // namespace coredesign
