#include "screen_texts.h"

#include "numtext.h"

namespace coredesign {

void DisplayResults(const DesignRecord& rec, const std::string& coreListText, ResultsTexts& t) {
    t.txtOutCoreSize = rec.CoreSize;
    t.txtStackout = rec.Stack == 1 ? std::string() : "* " + FormatWhole(rec.Stack);
    t.txtNoOfTurns = FormatWhole(rec.Turns);
    t.txtWireSize = FormatPlain(rec.WireSize);
    t.txtInductanceZero = FormatRounded(rec.Inductance * 1000000, 1);
    t.txtInductanceFull = FormatRounded(rec.InductanceFullLoad, 1);
    t.txtCopperLoss = FormatRounded(rec.CopperLossAtTemp, 2);
    t.txtCoreLoss = FormatRounded(rec.CoreLoss, 4);
    t.txtTotalLoss = FormatRounded(rec.TotalLoss, 2);
    t.txtTotalTempRise = FormatRounded(rec.TempRise, 0);
    if (rec.CalculatorType == Calculator::PickCore && !coreListText.empty())
        t.txtcore = coreListText.substr(0, coreListText.find(' '));
    t.txtInductance = FormatRounded(rec.InductanceEntered * 1000000, 1);
    t.txtOutPutVoltage = FormatPlain(rec.OutputVoltage);
    t.txtDCCurrent = FormatPlain(rec.DCCurrent);
    t.txtFluxDensity = FormatPlain(rec.FluxDensity);
    t.txtFrequency = FormatPlain(rec.Frequency);
    t.txtMinInputVoltage = FormatPlain(rec.MinInputVoltage);
    t.txtCurrentDensityFactor = FormatPlain(rec.CurrentDensityFactor);
    t.VoutUnit = kCurrentDensityUnit;
    t.txtAmbientTemp = FormatWhole(rec.AmbientTemp);
}

void ClearResultFields(ResultsTexts& t) {
    for (std::string* box : {&t.txtOutCoreSize, &t.txtNoOfTurns, &t.txtWireSize, &t.txtInductanceFull, &t.txtCopperLoss,
                             &t.txtCoreLoss, &t.txtTotalLoss, &t.txtTotalTempRise})
        box->clear();
}

IntermediateTexts MakeIntermediateTexts(const DesignRecord& rec) {
    IntermediateTexts t;
    auto row = [&](int k, const char* caption, std::string value) {
        t.Label[k] = caption;
        t.Labelo[k] = std::move(value);
    };
    auto num = [](double v, int places, const char* unit) { return FormatRounded(v, places) + unit; };

    // Calculated Factors: Label1..Label13.
    row(1, "Calculated Factors:", "");
    row(2, "Ripple Current", num(rec.RippleCurrent, 2, " amp"));
    row(3, "Peak Current", num(rec.PeakCurrent, 2, " amp"));
    row(4, "Energy At Full Load", num(rec.Energy, 4, " W-s"));
    row(5, "Calc. Area Product", num(rec.AreaProduct, 3, " cm^4"));
    row(6, "Copper Area", num(rec.RequiredCopperArea, 3, " cm\u00B2"));
    row(7, "Wire Size", num(rec.WireSize, 2, " AWG"));
    row(8, "Wire Diameter", num(rec.WireDiameter, 3, " cm"));
    row(9, "No. of Turns", FormatWhole(rec.Turns));
    row(10, "Actual Fill Factor", FormatRounded(rec.ActualFillFactor, 2));
    t.FillFactorRed = rec.FillWarning;

    // Coil Details: Label14..Label26.
    row(14, "Coil Details:", "");
    row(15, "Length of Mean Turn", num(rec.MeanTurnLength, 2, " cm"));
    row(16, "Length of Conductor", num(rec.ConductorLength, 1, " cm"));
    row(17, "Conductor Resistance 25\u00B0C", num(rec.ConductorResistance * 1000, 2, " mohm"));
    row(18, "Skin Depth", num(rec.SkinDepth, 4, " cm"));
    row(19, "Conductor Loss @ Temp", num(rec.CopperLossAtTemp, 2, " W"));

    // Magnetic Parameters: Label27..Label38.
    const double mass =
        rec.CoreIndex > 0 && rec.CoreIndex < static_cast<int>(rec.CoreMass.size()) ? rec.CoreMass[rec.CoreIndex] : 0;
    row(27, "Magnetic Parameters:", "");
    row(28, "Bdc", num(rec.Bdc, 2, " tesla"));
    row(29, "Bac", num(rec.Bac, 4, " tesla"));
    row(30, "Core Loss", num(rec.MaterialLoss, 2, " W/kg"));
    row(31, "Material Loss", num(rec.MaterialLoss * mass * rec.Stack / 1000, 4, " W"));
    row(32, "Total Losses", num(rec.TotalLoss, 2, " W"));
    row(33, "  (Material Loss + Copper Loss)", "");

    if (rec.FillWarning)
        t.txtWarning =
            "This design exceeds core operating parameters. \r\nPlease modify design inputs Or let the "
            "program\r\nselect a suitable core for you.";
    return t;
}

std::string ShortenedText(const std::string& text, std::size_t limit) {
    // The byte where each character starts: any byte but a continuation (10xxxxxx).
    std::size_t characters = 0, keep = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) continue;
        if (++characters == limit) keep = at;
        if (characters > limit) return text.substr(0, keep) + "\u2026";
    }
    return text;
}

}  // namespace coredesign
