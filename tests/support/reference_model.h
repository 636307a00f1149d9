// A second implementation of the design calculation, written from the
// engineering formulas rather than from the engine's code. It is kept for the
// one thing nothing else guards: over random designs (DesignRun.
// AgreesWithTheReferenceModel) it catches a changed constant, order of
// operations or retry rule anywhere in the run, including figures that the
// screens round away. Everywhere else the tests check behaviour against
// pinned, hand-checked values instead. It starts from numbers and uses the
// catalogue and wire table a loaded record refers to, and the engine's
// permeability laws (which their own test checks against hand-worked values).
#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue.h"
#include "design_record.h"
#include "design_run.h"
#include "evaluate.h"

namespace refmodel {

using coredesign::Outcome;

struct Inputs {
    double inductance = 318e-6, outputVoltage = 10, dcCurrent = 3.5, fluxDensity = 1.2, frequency = 50000;
    double minInputVoltage = 24, maxInputVoltage = 50, currentDensity = 400, fillFactor = 0.4;
    int ambientTemp = 35, stack = 1;
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

enum class Eval { Ok, NoWire, DcBias };

struct Run {
    Outcome end = Outcome::Results;
    std::vector<std::string> messages;  // ids in order: "fill", "temperature", ...
    int passes = 0;                     // inductance passes after the first
    double inductance = 0, ripple = 0, peak = 0, energy = 0, areaProduct = 0;
    int core = 0;  // last candidate
    Figures fig;
    bool designWarning = false, fillWarning = false;
};

constexpr double pi = 3.141592654;
constexpr double twoPi = 6.283185308;

// Rounds to three places on the exact binary value, halves to even (C library).
inline double Round3(double x) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.3f", x);
    return std::strtod(buf, nullptr);
}

// Evaluates catalogue row `row`; `fig` carries the wire of the previous evaluation in.
inline Eval Evaluate(const coredesign::DesignRecord& cat, int row, const Inputs& in, double inductance, double peak,
                     double ripple, Figures& fig) {
    const double requiredCopper = in.dcCurrent / in.currentDensity;
    bool anyWire = false;
    const coredesign::WireTable& wires = *cat.LoadedWireTable;
    for (int k = 1; k <= wires.Rows(); ++k) {
        if (requiredCopper * 1000 / wires.Row(k).area >= 1) break;
        anyWire = true;
        fig.wireSize = wires.Row(k).awg;
        fig.wireDiameter = wires.Row(k).diameter;
        fig.wireResistance = wires.Row(k).resistance / 1e6;
    }
    if (!anyWire) return Eval::NoWire;

    const coredesign::Core& core = cat.LoadedCatalogue->Row(row);
    const double od = core.od, id = core.id, ht = core.ht, lm = core.lm;
    const double stack = in.stack;
    double n = std::sqrt(inductance * 1000 / (stack * core.al / 1e6));
    if (n > 32000)
        n = 31000;
    else if (n < 1)
        n = 1;
    fig.turns = static_cast<int>(std::ceil(n));
    const double N = fig.turns;

    fig.H = 0.4 * pi * N * peak / lm;
    const bool biasOk = coredesign::PermeabilityUnderBias(core.perm, fig.H, fig.muEff);
    fig.inductanceFullLoad = 0.4 * pi * (N * N) * (stack * core.ac) * fig.muEff * 1e-8 * 1e6 / lm;
    if (!biasOk) return Eval::DcBias;

    fig.skinDepth = 6.62 / std::sqrt(in.frequency);
    fig.meanTurn = (od - id + 2 * ht) * stack / 10;
    fig.conductorLength = N * fig.meanTurn * 1.1;
    fig.conductorResistance = fig.wireResistance * fig.conductorLength;
    const double d = fig.wireDiameter, s = fig.skinDepth;
    fig.acFactor = (d * d / 4) / ((d - s) * s);
    if (fig.acFactor < 0) fig.acFactor = 1;
    fig.acResistance = fig.acFactor * fig.conductorResistance;
    fig.fill = N * pi * (d * d) / 4 / core.wa;
    fig.bdc = 0.4 * pi * N * peak / lm * fig.muEff * 1e-4;
    fig.bac = 0.4 * pi * N * (ripple / 2) * fig.muEff * 1e-4 / lm;
    const double rippleRms = ripple * 0.577;
    fig.copperLoss = rippleRms * rippleRms * fig.acResistance + in.dcCurrent * in.dcCurrent * fig.conductorResistance;
    const double fk = in.frequency / 1000, halfBac = fig.bac / 2;
    fig.materialLoss = 275 * fk * std::pow(halfBac, 2.6) + 0.114 * (fk * fk) * (halfBac * halfBac);
    fig.coreLoss = stack * core.mass / 1000 * fig.materialLoss;
    fig.totalLoss = fig.coreLoss + fig.copperLoss;
    const double faces = twoPi * ((od / 20) * (od / 20) - (id / 20) * (id / 20));
    fig.surface = faces + stack * (pi * od / 10) * (ht / 10) + stack * (pi * id / 10) * (ht / 10);
    fig.tempRise = std::pow(fig.totalLoss * 1000 / fig.surface, 0.833);
    fig.copperLossAtTemp = (1 + 0.00393 * (in.ambientTemp + fig.tempRise - 25)) * fig.copperLoss;
    fig.totalLoss = fig.copperLossAtTemp + fig.coreLoss;
    fig.tempRise = std::pow(fig.totalLoss * 1000 / fig.surface, 0.833);
    return Eval::Ok;
}

inline Run Design(const coredesign::DesignRecord& cat, const Inputs& in) {
    Run run;
    const int rows = cat.CatalogueRows();
    const double period = 1e6 / in.frequency;
    const bool buck = in.outputVoltage <= in.maxInputVoltage;
    const double duty = buck ? in.outputVoltage / in.maxInputVoltage : in.maxInputVoltage / in.outputVoltage;
    const double offTime = (1 - duty) * period;
    run.inductance = in.inductance;
    auto stop = [&](Outcome end, const char* id) {
        run.end = end;
        run.messages.push_back(id);
        return run;
    };

    for (;;) {
        run.ripple = offTime * in.outputVoltage * 1e-6 / in.inductance;
        run.peak = buck ? in.dcCurrent + run.ripple / 2
                        : in.dcCurrent * in.outputVoltage / in.minInputVoltage + run.ripple / 2;
        run.energy = 0.5 * run.inductance * (run.peak * run.peak);
        if (in.pickRow == 0) {
            run.areaProduct = std::pow(run.energy * 20000 / (in.fillFactor * in.currentDensity * in.fluxDensity), 1.16);
            if (in.stack * 11.376 < run.areaProduct) return stop(Outcome::AreaProduct, "area_product");
        }
        int counter = 0, phase = 1, after = 0;
        bool again = false;
        for (;;) {
            int row = in.pickRow;
            if (row != 0) {
                run.areaProduct = in.stack * cat.LoadedCatalogue->Row(row).waAc;
            } else {
                for (int k = after + 1; k <= rows && row == 0; ++k)
                    if (in.stack * cat.LoadedCatalogue->Row(k).waAc >= run.areaProduct) row = k;
                if (row == 0) return stop(Outcome::AreaProduct, "area_product");
            }
            run.core = row;
            const Eval e = Evaluate(cat, row, in, run.inductance, run.peak, run.ripple, run.fig);
            if (e == Eval::NoWire) return stop(Outcome::NoWire, "no_wire");
            if (e == Eval::DcBias) return stop(Outcome::DcBias, "dc_bias");

            run.designWarning = false;
            const double deviation = Round3(1 - in.inductance * 1e6 / run.fig.inductanceFullLoad);
            if (deviation < -0.03 && run.fig.fill < in.fillFactor) {
                if (run.passes == 10000) return stop(Outcome::InductanceLimit, "inductance_limit");
                ++run.passes;
                run.inductance *= 1.005;
                again = true;
                break;
            }
            if (run.fig.fill > in.fillFactor) {
                ++counter;
                if (in.pickRow != 0 || (counter > 99 && phase == 1)) {
                    run.messages.push_back("fill");
                    if (in.pickRow != 0) run.designWarning = run.fillWarning = true;
                } else {
                    ++counter;
                    phase = 1;
                    after = row;
                    continue;
                }
            } else {
                run.fillWarning = false;
            }
            if (in.ambientTemp + run.fig.tempRise > 155) {
                ++counter;
                if (in.pickRow != 0 || (counter > 99 && phase == 3)) {
                    run.messages.push_back("temperature");
                } else {
                    if (phase == 1) counter = 0;
                    phase = 3;
                    after = row;
                    continue;
                }
            }
            break;
        }
        if (again) continue;
        run.end = run.designWarning ? Outcome::FillWarning : Outcome::Results;
        return run;
    }
}

}  // namespace refmodel
