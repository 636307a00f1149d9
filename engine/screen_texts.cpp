#include "screen_texts.h"

#include <cstring>
#include <variant>

#include "numtext.h"
#include "results_screen.h"

namespace coredesign {

namespace {

// A record field as a number (the record's numbers and whole numbers).
double Number(const DesignRecord& rec, const char* name) {
    for (const RecordField& field : kRecordFields) {
        if (std::strcmp(field.name, name) != 0) continue;
        if (const auto* d = std::get_if<double DesignRecord::*>(&field.member)) return rec.**d;
        if (const auto* i = std::get_if<std::int16_t DesignRecord::*>(&field.member)) return rec.**i;
    }
    return 0;
}

}  // namespace

void DisplayResults(const DesignRecord& rec, const std::string& coreListText, ResultsTexts& t) {
    // Each box as the results screen's table says; no box reads another.
    for (const ResultBox& box : kResultBoxes) {
        std::string& text = t.*box.text;
        switch (box.fill) {
            case BoxFill::Plain: text = FormatPlain(Number(rec, box.recordField)); break;
            case BoxFill::Rounded: text = FormatRounded(Number(rec, box.recordField), box.places); break;
            case BoxFill::Whole: text = FormatWhole(static_cast<int>(Number(rec, box.recordField))); break;
            case BoxFill::Micro: text = FormatRounded(Number(rec, box.recordField) * 1000000, box.places); break;
            case BoxFill::Text: text = rec.CoreSize; break;
            case BoxFill::StackMarker: text = rec.Stack == 1 ? std::string() : "* " + FormatWhole(rec.Stack); break;
            case BoxFill::PickedPart:
                if (rec.CalculatorType == Calculator::PickCore && !coreListText.empty())
                    text = coreListText.substr(0, coreListText.find(' '));
                break;
            case BoxFill::Unit: text = kCurrentDensityUnit; break;
        }
    }
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
    const Core* const core = rec.LoadedCatalogue->Find(rec.CoreIndex);
    const double mass = core ? core->mass : 0;
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
