// A second, independent implementation of the design calculation, written
// from the engineering formulas rather than from the engine's code. The tests
// run both on the same inputs and compare every figure, which catches a
// changed constant, a changed order of operations or a changed retry rule.
//
// It starts from numbers (the field texts already read) and uses the
// catalogue and wire arrays of a loaded record.
#pragma once

#include <string>
#include <vector>

#include "record.h"

namespace refmodel {

struct Inputs {
    double inductance = 318e-6;  // H
    double outputVoltage = 10;
    double dcCurrent = 3.5;
    double fluxDensity = 1.2;
    double frequency = 50000;  // Hz
    double minInputVoltage = 24;
    double maxInputVoltage = 50;
    int ambientTemp = 35;
    double currentDensity = 400;
    double fillFactor = 0.4;
    int stack = 1;
    int pickRow = 0;  // 0 = Calculate Core, else the picked catalogue row
};

// Figures of one evaluated core.
struct Figures {
    double wireSize = 0, wireDiameter = 0, wireResistance = 0;
    int turns = 0;
    double H = 0, muEff = 0, inductanceFullLoad = 0;
    double skinDepth = 0, meanTurn = 0, conductorLength = 0, conductorResistance = 0;
    double acFactor = 0, acResistance = 0, fill = 0, bdc = 0, bac = 0;
    double copperLoss = 0, materialLoss = 0, coreLoss = 0, surface = 0;
    double copperLossAtTemp = 0, totalLoss = 0, tempRise = 0;
};

enum class End { Results, FillWarning, AreaProduct, DcBias, NoWire, InductanceLimit };

struct Run {
    End end = End::Results;
    std::vector<std::string> messages;  // ids in order: "fill", "temperature", ...
    std::vector<int> candidates;        // catalogue rows evaluated, in order
    int passes = 0;                     // inductance passes after the first
    size_t lastPassFrom = 0;            // index in `candidates` where the last pass began
    double inductance = 0, ripple = 0, peak = 0, energy = 0, areaProduct = 0;
    int core = 0;  // last candidate
    Figures fig;
    bool designWarning = false, fillWarning = false;
};

// Permeability under bias; false when the core's DC bias capability is exceeded.
bool MuUnderBias(double mu, double H, double& muEff);

// Rounds to three places on the exact binary value, halves to even (C library).
double Round3(double x);

// Evaluates catalogue row `row` for the given design inductance and currents.
// `fig` carries the wire of the previous evaluation in. Returns "ok",
// "no_wire" or "dc_bias".
std::string Evaluate(const coredesign::Module1& cat, int row, const Inputs& in, double inductance, double peak,
                     double ripple, Figures& fig);

Run Design(const coredesign::Module1& cat, const Inputs& in);

}  // namespace refmodel
