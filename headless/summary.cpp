#include "summary.h"

#include "catalogue.h"
#include "constants.h"
#include "input_screen.h"

namespace coredesign::cli {
namespace {

// Pads to a width in characters (UTF-8 continuation bytes take no column).
std::string PadRight(std::string text, size_t width) {
    size_t columns = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++columns;
    if (columns < width) text.append(width - columns, ' ');
    return text;
}

}  // namespace

std::string Summary(const InputScreen& session) {
    const RunResult& run = session.LastRun();
    std::string out;
    out += std::string(kAppTitle) + "\n";
    out += "Outcome: " + std::string(OutcomeName(run.outcome)) + "\n";
    for (const Message& m : run.messages) {
        std::string text = m.text;
        for (size_t p; (p = text.find("\r\n")) != std::string::npos;) text.replace(p, 2, "\n  ");
        out += "\n[" + m.title + "] " + text + "\n";
    }
    if (run.outcome == Outcome::FillWarning) {
        // The designer is back on the input screen with the intermediate outputs.
        const IntermediateTexts t = MakeIntermediateTexts(session.Record());
        for (int k = 1; k <= 38; ++k) {
            if (t.Label[k].empty()) continue;
            if (t.Labelo[k].empty()) {
                out += (k == 1 ? "\n" : "") + t.Label[k] + "\n";
                continue;
            }
            out += "  " + PadRight(t.Label[k], 28) + t.Labelo[k] +
                   (k == 10 && t.FillFactorRed ? "  (over the fill factor)" : "") + "\n";
        }
        std::string warning = t.txtWarning;
        for (size_t p; (p = warning.find("\r\n")) != std::string::npos;) warning.replace(p, 2, " ");
        if (!warning.empty()) out += "\n" + warning + "\n";
    }
    if (run.outcome == Outcome::Results && session.Results()) {
        const ResultsTexts& t = *session.Results();
        auto line = [&](const char* caption, const std::string& value, const char* unit) {
            out += "  " + PadRight(caption, 24) + value + (value.empty() || !*unit ? "" : " ") + unit + "\n";
        };
        out += "\nInput Values\n";
        line("Desired Inductance", t.txtInductance, "microHenries");
        line("Output Voltage", t.txtOutPutVoltage, "Volts");
        line("DC Current", t.txtDCCurrent, "Amps");
        line("Flux Density", t.txtFluxDensity, "Tesla");
        line("Frequency", t.txtFrequency, "Hz");
        line("Min Input Voltage", t.txtMinInputVoltage, "Volts");
        line("Current Density", t.txtCurrentDensityFactor, t.VoutUnit.c_str() + (t.VoutUnit[0] == ' ' ? 1 : 0));
        line("Ambient Temperature", t.txtAmbientTemp, "\u00B0C");
        line("Core Size", t.txtcore, "");
        out += "\nSummary Output\n";
        line("Core Size", PartWithStack(t.txtOutCoreSize, session.Record().Stack), "");
        line("No. of Turns", t.txtNoOfTurns, "");
        line("Wire Size", t.txtWireSize, "AWG");
        line("Inductance Zero Load", t.txtInductanceZero, "microHenries");
        line("Inductance Full Load", t.txtInductanceFull, "microHenries");
        line("Copper Loss", t.txtCopperLoss, "Watts");
        line("Core Loss", t.txtCoreLoss, "Watts");
        line("Total Losses", t.txtTotalLoss, "Watts");
        line("Temperature Rise", t.txtTotalTempRise + (t.txtTotalTempRiseAlarm ? " (over 155 \u00B0C in total)" : ""),
             "\u00B0C");
    }
    return out;
}

}  // namespace coredesign::cli
