#include "curve.h"

#include <cmath>

#include "evaluate.h"
#include "numtext.h"

namespace coredesign {
namespace {

// One point of the curve from the run's own formulas: the magnetising force
// of step 3, the permeability law of step 4 and the inductance of step 5.
// False where the law has no value.
bool PointAt(const DesignRecord& rec, double current, CurvePoint& point) {
    const double turns = rec.Turns;
    const double lm = rec.ChosenCore().lm;
    point.current = current;
    point.H = MagnetizingForceAt(turns, current, lm);
    if (!std::isfinite(point.H) || !PermeabilityUnderBias(rec.Permeability, point.H, point.mu)) return false;
    point.inductance = WoundInductance(turns, rec.StackedAc, point.mu, lm);
    return std::isfinite(point.inductance);
}

}  // namespace

bool HoldsDesign(const DesignRecord& rec) {
    return rec.CoreIndex > 0 && rec.CoreIndex <= rec.CatalogueRows() && rec.Turns > 0 && rec.StackedAc > 0 &&
           rec.Permeability > 0 && std::isfinite(rec.PeakCurrent) && rec.PeakCurrent > 0 &&
           std::isfinite(rec.InductanceFullLoad);
}

InductanceCurve MakeInductanceCurve(const DesignRecord& rec, int gridPoints) {
    InductanceCurve curve;
    curve.enteredInductance = rec.InductanceEntered * 1000000;
    curve.initialPermeability = rec.Permeability;
    curve.dcCurrent = rec.DCCurrent;
    CurvePoint zero;
    if (PointAt(rec, 0, zero)) curve.zeroCurrentInductance = zero.inductance;
    // The operating point is the run's own: the same force, law and formula at PeakCurrent.
    PointAt(rec, rec.PeakCurrent, curve.operatingPoint);

    const double top = 2 * rec.PeakCurrent;
    const int last = gridPoints - 1;
    bool operatingPlaced = false;
    curve.points.reserve(static_cast<std::size_t>(gridPoints) + 1);
    for (int k = 0; k <= last; ++k) {
        const double current = k == last ? top : top * k / last;
        if (!operatingPlaced && current >= rec.PeakCurrent) {
            curve.points.push_back(curve.operatingPoint);
            operatingPlaced = true;
            if (current == rec.PeakCurrent) continue;  // a grid current at the peak is that point: listed once
        }
        CurvePoint point;
        if (!PointAt(rec, current, point)) {
            // The law only loses its value as the force rises: the rest of the grid has none either.
            curve.lawEndsBefore = current;
            break;
        }
        curve.points.push_back(point);
    }
    if (!operatingPlaced) curve.points.push_back(curve.operatingPoint);
    return curve;
}

std::string RoundTripNumber(double value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    return FormatSignificant(value, 17);
}

std::string CurveCsv(const InductanceCurve& curve) {
    std::string csv = "current_A,H_Oe,mu_eff,inductance_uH\n";
    for (const CurvePoint& p : curve.points) {
        csv += RoundTripNumber(p.current);
        csv += ',';
        csv += RoundTripNumber(p.H);
        csv += ',';
        csv += RoundTripNumber(p.mu);
        csv += ',';
        csv += RoundTripNumber(p.inductance);
        csv += '\n';
    }
    return csv;
}

}  // namespace coredesign
