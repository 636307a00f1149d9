// The design input screen's logic: what its fields, boxes and core size list
// hold, and what each click does to them, to the design record and to the
// other screens. The desktop program's input screen (frmXls) holds one,
// forwards every click to it and only shows its state; the command-line front
// end, the tests and the benchmarks drive the same class without windows.
// (Formerly HeadlessSession.)
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue.h"
#include "comparison.h"
#include "design_record.h"
#include "design_run.h"
#include "messages.h"
#include "results_screen.h"
#include "screen_texts.h"
#include "shown_texts.h"

namespace coredesign {

// The eleven text fields of the input screen, by control name, in the order
// of the screen's rows. A key-filtered field takes typed digits and the
// decimal point only (InputScreen::FieldTakes); the maximum input voltage is
// not filtered.
struct InputField {
    const char* control;
    std::string InputTexts::*text;
    bool keyFiltered;
};
inline constexpr InputField kInputFields[] = {
    {"txtInductance", &InputTexts::txtInductance, true},
    {"txtOutPutVoltage", &InputTexts::txtOutPutVoltage, true},
    {"txtDCCurrent", &InputTexts::txtDCCurrent, true},
    {"txtFluxDensity", &InputTexts::txtFluxDensity, true},
    {"txtFrequency", &InputTexts::txtFrequency, true},
    {"txtMinInputVoltage", &InputTexts::txtMinInputVoltage, true},
    {"txtMaxInputVoltage", &InputTexts::txtMaxInputVoltage, false},
    {"txtAmbientTemp", &InputTexts::txtAmbientTemp, true},
    {"txtCurrentDensityFactor", &InputTexts::txtCurrentDensityFactor, true},
    {"txtFill_Factor", &InputTexts::txtFill_Factor, true},
    {"txtStack", &InputTexts::txtStack, true},
};

// A row of the input screen's framed panel: its caption, the field, what
// stands beside the field (a unit caption, or the control named there), and
// a note further right.
struct InputRow {
    const char* caption;
    const char* field;
    const char* unit;       // a unit caption, or nullptr
    const char* companion;  // the control beside the field (a list, the unit box), or nullptr
    const char* note;       // or nullptr
};
inline constexpr InputRow kInputRows[] = {
    {"Inductance at Full Load", "txtInductance", nullptr, "cmbinductance", nullptr},
    {"Output Voltage", "txtOutPutVoltage", "Volts", nullptr, nullptr},
    {"DC Current", "txtDCCurrent", "Amps", nullptr, nullptr},
    {"Flux Density", "txtFluxDensity", "Tesla", nullptr, nullptr},
    {"Frequency", "txtFrequency", nullptr, "cmbfrequency", "(As Seen By the Inductor)"},
    {"Minimum Input Voltage", "txtMinInputVoltage", "Volts", nullptr, nullptr},
    {"Maximum Input Voltage", "txtMaxInputVoltage", "Volts", nullptr, nullptr},
    {"Ambient Temperature", "txtAmbientTemp", "\u00B0C", nullptr, nullptr},
    {"Current Density", "txtCurrentDensityFactor", nullptr, "txtDensityFactorUom", nullptr},
    {"Window Fill Factor", "txtFill_Factor", nullptr, nullptr, "(Fraction Filled by Conductor Only)"},
};

// A check box of the input screen and its caption.
struct CheckBoxText {
    const char* control;
    const char* caption;
};

// The core size list's text colour: as the screen loaded it, or set black
// (Pick Core chosen) or grey (Calculate Core chosen).
enum class ListColour { AsLoaded, Black, Grey };

// The four boxes of the input screen, checked or not.
struct CheckBoxes {
    bool chkGap = true;  // 100 Perm, the gapped family
    bool chkNoGap = false;
    bool chkCalcCore = true;
    bool chkPickCore = false;
};

// What the input screen reaches beyond its own state: its own widgets and
// the message boxes. The defaults do nothing. Which screens a run shows is
// the screen flow's (screen_flow.h); the results screen's state is the
// model's own (Results()).
class InputScreenView {
public:
    virtual ~InputScreenView() = default;

    // The state changed: the screen shows it now.
    virtual void Refresh() {}
    // The busy pointer, on while the calculation runs.
    virtual void Busy(bool) {}
    // A message box of the run; after it, the control FocusAfter names takes
    // the focus.
    virtual void Tell(const Message&) {}
};

class InputScreen : private ResultsScreenPort {
public:
    // The fixed texts of the screen: the window's and the header's title is
    // the application's title (kAppTitle).
    static const std::vector<CheckBoxText>& CheckBoxTexts();
    static const std::vector<ButtonText>& Buttons();  // Show Results ... Compare Cores, then Help
    // The captions beside the boxes and the list: "Cores To Stack",
    // "Choose Permeability", "Choose Calculator Type", "Core Size List".
    static constexpr const char* kStackCaption = "Cores To Stack";
    static constexpr const char* kPermeabilityCaption = "Choose Permeability";
    static constexpr const char* kCalculatorCaption = "Choose Calculator Type";
    static constexpr const char* kCoreListCaption = "Core Size List";
    // The unit box beside the current density before the screen's load.
    static constexpr const char* kDensityUnitBeforeLoad = "A/cm^2";
    // The tool tip of a control ("" for none).
    static std::string ToolTip(const std::string& control);
    // The entries of the unit list `cmbinductance` or `cmbfrequency`.
    static const std::vector<std::string>& ListItems(const std::string& control);
    // Whether a typed character may reach a key-filtered field: a digit or
    // the decimal point (backspace aside).
    static bool FieldTakes(char32_t c) { return (c >= U'0' && c <= U'9') || c == U'.'; }
    // Whether the field of this control name is key-filtered.
    static bool KeyFiltered(const std::string& control);

    // Without windows: a design record of its own. Loaded as a fresh input screen.
    InputScreen();
    // The screen of a front end, on its record and showing through `view`.
    // The record is loaded as the screen's load does (Calculate Core, the
    // wire table and the gapped family); the view is not called yet.
    InputScreen(DesignRecord& record, InputScreenView& view);
    ~InputScreen() override;
    // Moved, a screen without windows keeps its record and results screen.
    InputScreen(InputScreen&&) noexcept;
    InputScreen& operator=(InputScreen&&) noexcept;
    // A screen without windows in the same state as this one, with a record
    // and results screen of its own (copies of this screen's). Only for a
    // screen without windows: a front end's screen has no copy.
    InputScreen Copy() const;

    // A click on "100 Perm" (gapped) or "245 Perm": the box toggles; when it
    // becomes checked the family is chosen.
    void ClickFamily(bool gapped);
    // Choosing a family, as checking its box does: the other box unchecked,
    // the flux density text 1.2 (gapped) or 0.8, the family's catalogue
    // loaded, the list refilled (diameters first) with nothing chosen.
    void ChooseFamily(bool gapped);

    // A click on "Calculate Core" or "Pick Core": the box toggles; when it
    // becomes checked the calculator type is chosen.
    void ClickCalculator(Calculator type);
    // Choosing a calculator type, as checking its box does: the other box
    // unchecked; Calculate Core empties the list, greys and disables it;
    // Pick Core refills it (height first), black and enabled.
    void ChooseCalculator(Calculator type);
    void ChooseCalculateCore() { ChooseCalculator(Calculator::CalculateCore); }
    void ChoosePickCore() { ChooseCalculator(Calculator::PickCore); }

    // Chooses the list entry at this position (-1: none).
    void ChooseListEntry(int index);
    // Chooses the list entry of this part number; false when the list has none.
    bool PickPart(const std::string& partNo);

    // Show Results: reads and checks the fields, runs the design and applies
    // what the run asks of the screens, in the program's order: the fields,
    // the messages, the list, the results screen (touched by the input
    // reading: created then if it does not exist; its temperature alarm, its
    // outputs emptied; filled again when the run shows it; whether it shows
    // a design).
    const RunResult& ShowResults();
    // Clear Results: the eleven text fields emptied; boxes and list stay.
    void ClearResults();
    // The return to the inputs from the results: in Calculate Core mode the
    // list is emptied and disabled, in Pick Core mode its first (empty)
    // entry is chosen.
    void ResetCoreSizeList();

    InputTexts& Fields() { return fields_; }
    const InputTexts& Fields() const { return fields_; }
    const CheckBoxes& Boxes() const { return boxes_; }
    const std::vector<std::string>& CoreList() const { return *coreList_; }
    int CoreListIndex() const { return coreListIndex_; }
    ListColour CoreListColour() const { return coreListColour_; }
    // The list's current text (empty when nothing is chosen).
    const std::string& CoreListText() const { return fields_.txtCoreSize; }

    // What the runs read from the system: the front end's to give (a screen
    // without one reads an empty temporary folder). Copies keep it.
    void SetEnvironment(RunEnvironment environment) { environment_ = std::move(environment); }
    const RunEnvironment& Environment() const { return environment_; }

    const DesignRecord& Record() const { return *rec_; }
    DesignRecord& Record() { return *rec_; }
    const RunResult& LastRun() const { return run_; }
    // Tells a message through the screen's view (a message box, then the focus).
    void Tell(const Message& message) { view_->Tell(message); }
    // Compare Cores for the screen's texts as they stand: each family with
    // the texts the screen shows once that family is chosen. When the texts
    // fail an input check (those of Show Results, a picked core aside; the
    // family on the screen first), nothing, with that check's messages in
    // `refused`.
    std::optional<std::vector<ComparedFamily>> FamiliesToCompare(std::vector<Message>& refused) const;

    // The control that takes the focus after this message box: the one the
    // message names, unless it is the core size list while disabled (none).
    std::string FocusAfter(const Message& message) const;

    // Use This Design of Compare Cores: the family chosen, Pick Core, these
    // texts typed into the fields, and the part chosen in the list. Show
    // Results is the caller's next step (the screen flow runs it).
    void UseDesign(bool gapped, const InputTexts& texts, const std::string& partNo);

    // The results screen's model, once a run has touched the screen or it
    // was opened (nullptr while it does not exist).
    const ResultsScreen* ResultsModel() const { return results_ ? &*results_ : nullptr; }
    ResultsScreen* ResultsModel() { return results_ ? &*results_ : nullptr; }
    // The results screen's boxes, once the screen exists (nullptr before).
    const ResultsTexts* Results() const { return results_ ? &results_->Texts() : nullptr; }
    // The results screen created when it does not exist (filled from the
    // record and the list's text; it shows a design when the last run left
    // one), as showing it or the report viewer's Back makes it.
    ResultsScreen& OpenResults();
    // The results screen shown or activated: it fills itself anew.
    void RefillResults();
    // The results screen closed: the model goes with it.
    void CloseResults() { results_.reset(); }
    // A results screen that outlived the input screen it belonged to is this
    // screen's now, as it stands.
    void AdoptResults(const ResultsScreen& results) { results_ = results; }
    // Whether the last run left a design on the results screen.
    bool LastRunShowsDesign() const;

    // Everything the screen shows, for the reviewed files and the checks.
    ShownTexts Shown() const;

private:
    struct NotLoaded {};
    explicit InputScreen(NotLoaded);

    void Load();
    void FillCoreList(PickLayout layout);
    void EmptyCoreList();
    void ResetTemperatureMark(const DesignRecord& rec) override;

    std::unique_ptr<DesignRecord> ownRecord_;
    std::unique_ptr<InputScreenView> ownView_;
    DesignRecord* rec_;
    InputScreenView* view_;
    InputTexts fields_;
    CheckBoxes boxes_;
    const std::vector<std::string>* coreList_;  // the loaded catalogue's list, or an empty one
    int coreListIndex_ = -1;
    ListColour coreListColour_ = ListColour::AsLoaded;
    RunResult run_;
    std::optional<ResultsScreen> results_;
    RunEnvironment environment_;
};

}  // namespace coredesign
