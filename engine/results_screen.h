// The results screen's model: what each of its boxes shows, in which colour
// and weight, which buttons it offers, whether it shows a design, and the
// colour of its web link. The desktop program's results screen (frmResult)
// shows one; the input screen's model owns it (the screen exists from the
// first run that touches it), and the report copies its texts.
#pragma once

#include <string>
#include <vector>

#include "design_record.h"
#include "design_run.h"
#include "screen_texts.h"
#include "shown_texts.h"

namespace coredesign {

// The two panels of the results screen.
enum class ResultsPanel { InputValues, SummaryOutput };

// How a box is filled from the record (DisplayResults), or what it is.
enum class BoxFill {
    Plain,        // the field, plain
    Rounded,      // the field rounded to `places`
    Whole,        // a whole-number field
    Micro,        // the field in henries times 1 000 000, rounded to `places`
    Text,         // the field's text as it stands
    StackMarker,  // empty for one core, else "* " and the stack
    PickedPart,   // Pick Core: the part number of the core size list's text; else kept
    Unit,         // the unit box of the row before: " A/cm" and a superscript two
};

// One box of the results screen. A box without a caption shares the row of
// the box before it (the current density's unit box, the stack marker).
struct ResultBox {
    const char* control;              // the box's control name, a JSON key of the CLI
    ResultsPanel panel;               // where it stands
    const char* caption;              // the row's caption, or nullptr
    const char* unit;                 // the row's unit text ("" for none)
    std::string ResultsTexts::*text;  // its text in the model
    BoxFill fill;                     // how DisplayResults writes it
    const char* recordField;          // the record field it shows (kRecordFields), or nullptr
    int places;                       // for Rounded and Micro
    const char* reportHeading;        // its column heading in the report's tables, or nullptr
};

// Every box, in the screen's order: the "Input Values" rows, then the
// "Summary Output" rows. The current density's unit is shown by the box
// VoutUnit (with its leading blank); the row's unit below is the same text
// without it, as the summary and the report write it.
inline constexpr ResultBox kResultBoxes[] = {
    {"txtInductance", ResultsPanel::InputValues, "Desired Inductance", "microHenries", &ResultsTexts::txtInductance,
     BoxFill::Micro, "InductanceEntered", 1, "Inductance"},
    {"txtOutPutVoltage", ResultsPanel::InputValues, "Output Voltage", "Volts", &ResultsTexts::txtOutPutVoltage,
     BoxFill::Plain, "OutputVoltage", 0, "Output Voltage"},
    {"txtDCCurrent", ResultsPanel::InputValues, "DC Current", "Amps", &ResultsTexts::txtDCCurrent, BoxFill::Plain,
     "DCCurrent", 0, "DC Current"},
    {"txtFluxDensity", ResultsPanel::InputValues, "Flux Density", "Tesla", &ResultsTexts::txtFluxDensity,
     BoxFill::Plain, "FluxDensity", 0, "Flux Density"},
    {"txtFrequency", ResultsPanel::InputValues, "Frequency", "Hz", &ResultsTexts::txtFrequency, BoxFill::Plain,
     "Frequency", 0, "Frequency"},
    {"txtMinInputVoltage", ResultsPanel::InputValues, "Min Input Voltage", "Volts", &ResultsTexts::txtMinInputVoltage,
     BoxFill::Plain, "MinInputVoltage", 0, "Min Input Voltage"},
    {"txtCurrentDensityFactor", ResultsPanel::InputValues, "Current Density", "A/cm\u00B2",
     &ResultsTexts::txtCurrentDensityFactor, BoxFill::Plain, "CurrentDensityFactor", 0, "Current Density"},
    {"VoutUnit", ResultsPanel::InputValues, nullptr, "", &ResultsTexts::VoutUnit, BoxFill::Unit, nullptr, 0, nullptr},
    {"txtAmbientTemp", ResultsPanel::InputValues, "Ambient Temperature", "\u00B0C", &ResultsTexts::txtAmbientTemp,
     BoxFill::Whole, "AmbientTemp", 0, "Ambient Temp"},
    {"txtcore", ResultsPanel::InputValues, "Core Size", "", &ResultsTexts::txtcore, BoxFill::PickedPart, nullptr, 0,
     "Core Size"},
    {"txtOutCoreSize", ResultsPanel::SummaryOutput, "Core Size", "", &ResultsTexts::txtOutCoreSize, BoxFill::Text,
     "CoreSize", 0, nullptr},
    {"txtStackout", ResultsPanel::SummaryOutput, nullptr, "", &ResultsTexts::txtStackout, BoxFill::StackMarker, "Stack",
     0, nullptr},
    {"txtNoOfTurns", ResultsPanel::SummaryOutput, "No. of Turns", "", &ResultsTexts::txtNoOfTurns, BoxFill::Whole,
     "Turns", 0, "No.of Turns"},
    {"txtWireSize", ResultsPanel::SummaryOutput, "Wire Size", "AWG", &ResultsTexts::txtWireSize, BoxFill::Plain,
     "WireSize", 0, "Wire Size"},
    {"txtInductanceZero", ResultsPanel::SummaryOutput, "Inductance Zero Load", "microHenries",
     &ResultsTexts::txtInductanceZero, BoxFill::Micro, "Inductance", 1, "Inductance Zero Load"},
    {"txtInductanceFull", ResultsPanel::SummaryOutput, "Inductance Full Load", "microHenries",
     &ResultsTexts::txtInductanceFull, BoxFill::Rounded, "InductanceFullLoad", 1, "Inductance Full Load"},
    {"txtCopperLoss", ResultsPanel::SummaryOutput, "Copper Loss", "Watts", &ResultsTexts::txtCopperLoss,
     BoxFill::Rounded, "CopperLossAtTemp", 2, "Copper Loss"},
    {"txtCoreLoss", ResultsPanel::SummaryOutput, "Core Loss", "Watts", &ResultsTexts::txtCoreLoss, BoxFill::Rounded,
     "CoreLoss", 4, "Core Loss"},
    {"txtTotalLoss", ResultsPanel::SummaryOutput, "Total Losses", "Watts", &ResultsTexts::txtTotalLoss,
     BoxFill::Rounded, "TotalLoss", 2, "Total Loss"},
    {"txtTotalTempRise", ResultsPanel::SummaryOutput, "Temperature Rise", "\u00B0C", &ResultsTexts::txtTotalTempRise,
     BoxFill::Rounded, "TempRise", 0, nullptr},
};

// The key of the total temperature box's alarm beside the boxes (the CLI's JSON).
inline constexpr const char* kTemperatureAlarmKey = "txtTotalTempRiseAlarm";

// The box of this control name, or nullptr.
const ResultBox* FindResultBox(const std::string& control);

// How one box looks: its text colour and weight.
struct BoxLook {
    TextColour colour = TextColour::Black;
    bool bold = false;
};

class ResultsScreen {
public:
    // The fixed texts of the screen.
    static constexpr const char* kTitle = "Output Inductor Core Design Input Screen";
    static constexpr const char* kInputHeading = "Input Values";
    static constexpr const char* kSummaryHeading = "Summary Output";
    static constexpr const char* kNoteHeading = "Note:";  // Label1
    // Label2 to Label5; Label2 is the note that colours the web link.
    static const std::vector<std::string>& Notes();
    // Left to right: Calculations, View Report, Reset Design Inputs; then
    // Inductance Curve, which stands apart at the row's left.
    static const std::vector<ButtonText>& Buttons();
    static constexpr const char* kCurveButton = "cmdCurve";

    // Whether a run with this outcome leaves a design on the screen (results
    // or the fill warning), before asking whether the record holds one.
    static bool OutcomeShowsDesign(Outcome outcome);

    // A new screen: `txtcore` empty, every box regular black, the web link
    // blue, then filled from the record (DisplayResults). `showsDesign`: the
    // screen shows a design when it is created (the last run left one).
    ResultsScreen(const DesignRecord& rec, const std::string& coreListText, bool showsDesign);

    // DisplayResults: every box from the record; `coreListText` is the input
    // screen's core size list text. Run on creation and whenever the screen
    // is shown or activated.
    void Fill(const DesignRecord& rec, const std::string& coreListText);
    // ClearResultFields: the eight output boxes emptied.
    void ClearOutputs();
    // The total temperature box bold red (on) or regular black; refills keep it.
    void SetTemperatureAlarm(bool on);
    // After a run: whether the screen shows a design now (the run's outcome
    // and a record that holds one). Only then is Inductance Curve offered.
    void FollowDesign(bool design);

    // The mouse on the note Label2: its button down turns the web link
    // yellow, up turns it red; it stays red until the screen is made anew.
    void PressNote() { link_ = TextColour::LinkYellow; }
    void ReleaseNote() { link_ = TextColour::Red; }

    const ResultsTexts& Texts() const { return texts_; }
    bool TemperatureAlarm() const { return texts_.txtTotalTempRiseAlarm; }
    bool ShowsDesign() const { return showsDesign_; }
    bool CurveOffered() const { return showsDesign_; }
    TextColour WebLinkColour() const { return link_; }
    std::string WebLinkText() const;
    BoxLook Look(const ResultBox& box) const;

    // Everything the screen shows, for the reviewed files and the checks.
    ShownTexts Shown() const;

private:
    ResultsTexts texts_;
    bool showsDesign_ = false;
    TextColour link_ = TextColour::LinkBlue;
};

}  // namespace coredesign
