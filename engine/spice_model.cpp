#include "spice_model.h"

#include <cctype>
#include <cmath>

#include "constants.h"
#include "curve.h"
#include "evaluate.h"
#include "numtext.h"
#include "version.h"

namespace coredesign {
namespace {

// The shortest text that reads back as the same double, with a decimal point
// whatever the locale: the model reproduces the engine's figures exactly.
std::string Exact(double value) {
    return FormatShortest(value);
}

// A figure of the header, for the reader: six significant digits.
std::string Figure(double value) {
    return FormatSignificant(value, 6);
}

// The effective permeability at the magnetising force `H` (an expression in
// oersted), written as the permeability law of the evaluation computes it.
// Where the no-gap law has no value (its numerator below zero) the
// expression gives zero.
std::string PermeabilityExpression(double mu, const std::string& H) {
    const std::string m = Exact(mu);
    NoGapLaw law{};
    if (NoGapLawFor(mu, law)) {
        return m + "*sqrt(max(1+" + Exact(law.a) + "*" + m + "*" + H + "-" + Exact(law.b) + "*(" + m + "*" + m + ")*(" +
               H + "*" + H + "),0)/(1+" + Exact(law.c) + "*" + m + "*" + H + "+" + Exact(law.d) + "*(" + m + "*" + m +
               ")*(" + H + "*" + H + ")))";
    }
    return m + "*exp(-pow(" + H + "/" + Exact(kGappedRollOffField) + "," + Exact(kGappedRollOffExponent) + "))";
}

}  // namespace

double HotCopperResistance(const DesignRecord& rec) {
    return rec.ConductorResistance * CopperTemperatureFactor(rec.AmbientTemp, rec.TempRise);
}

std::string SpiceSubcircuitName(const DesignRecord& rec) {
    std::string name = "CHOKE_";
    for (char c : rec.CoreSize) name += (std::isalnum(static_cast<unsigned char>(c)) ? c : '_');
    if (rec.Stack != 1) name += "X" + std::to_string(rec.Stack);
    return name + "_" + std::to_string(rec.Turns) + "T";
}

std::string SpiceModel(const DesignRecord& rec) {
    const std::string name = SpiceSubcircuitName(rec);
    const double turns = rec.Turns;
    const double lm = rec.ChosenCore().lm;
    // Oersted per ampere, and henry per unit of permeability: the run's
    // formulas of steps 3 and 5 at one ampere and at a permeability of one.
    const double oerstedPerAmpere = MagnetizingForceAt(turns, 1, lm);
    const double henryPerPermeability = WoundInductance(turns, rec.StackedAc, 1, lm) / 1000000;
    const double hotResistance = HotCopperResistance(rec);
    NoGapLaw law{};
    const bool noGap = NoGapLawFor(rec.Permeability, law);
    double zeroCurrent = 0;
    {
        double mu = 0;
        if (PermeabilityUnderBias(rec.Permeability, 0, mu)) zeroCurrent = WoundInductance(turns, rec.StackedAc, mu, lm);
    }

    std::string t;
    auto line = [&](const std::string& text) { t += text + "\n"; };
    line("* Circuit model of a DC output choke: " + PartWithStack(rec.CoreSize, rec.Stack) + ", " +
         std::to_string(rec.Turns) + " turns of " + Figure(rec.WireSize) + " AWG");
    line(std::string("* Written by ") + kAppTitle + " " + kVersion);
    line("*");
    line("* Core                       " + PartWithStack(rec.CoreSize, rec.Stack) + " (relative permeability " +
         Figure(rec.Permeability) + (noGap ? ", no gap)" : ", gapped)"));
    line("* Turns                      " + std::to_string(rec.Turns));
    line("* Wire                       " + Figure(rec.WireSize) + " AWG");
    line("* Inductance entered         " + Figure(rec.InductanceEntered * 1000000) + " uH");
    line("* Inductance at full load    " + Figure(rec.InductanceFullLoad) + " uH at " + Figure(rec.PeakCurrent) +
         " A (the peak current)");
    line("* Inductance at zero current " + Figure(zeroCurrent) + " uH (the turns on the core at full permeability)");
    line("* Copper loss                " + Figure(rec.CopperLossAtTemp) + " W (at the operating temperature)");
    line("* Core loss                  " + Figure(rec.CoreLoss) + " W");
    line("* Temperature rise           " + Figure(rec.TempRise) + " degC over an ambient of " +
         std::to_string(rec.AmbientTemp) + " degC");
    line("* Copper resistance          " + Figure(rec.ConductorResistance) + " ohm at 25 degC, " +
         Figure(hotResistance) + " ohm at " + Figure(rec.AmbientTemp + rec.TempRise) + " degC");
    line("*");
    line("* Between A and B: the winding's resistance at the operating temperature in");
    line("* series with an inductance L(i) that follows the core's permeability under");
    line("* DC bias, the same for either direction of the current. At a DC bias I the");
    line("* small-signal inductance is L(I); in a transient the voltage is L(i) di/dt.");
    if (noGap)
        line(
            "* Where the no-gap material's law has no value (beyond the core's DC bias\n"
            "* capability) the model's inductance is zero.");
    line("* Left out: the core loss, the winding's self-capacitance, and its AC");
    line("* resistance above the DC value (skin effect).");
    line("* Use: X1 node1 node2 " + name);
    line("*");
    line(".subckt " + name + " A B");
    line("* copper resistance at " + Figure(rec.AmbientTemp + rec.TempRise) + " degC, ohm");
    line("R1 A n1 " + Exact(hotResistance));
    line("* the winding's current, sensed");
    line("Vi n1 n2 0");
    line("* that current copied into the voltage across 1 F: the capacitor's current is di/dt");
    line("Hc nc 0 Vi 1");
    line("Vd nc nd 0");
    line("Cd nd 0 1");
    line("* v = L(i) di/dt; L(i) = " + Exact(henryPerPermeability) + " H times the effective permeability");
    line("* at H = " + Exact(oerstedPerAmpere) + " Oe per ampere of |i|");
    const std::string H = "(" + Exact(oerstedPerAmpere) + "*abs(i(Vi)))";
    line("BL n2 B V=i(Vd)*" + Exact(henryPerPermeability) + "*" + PermeabilityExpression(rec.Permeability, H));
    line(".ends " + name);
    return t;
}

}  // namespace coredesign
