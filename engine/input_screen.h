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
#include <string_view>
#include <vector>

#include "catalogue.h"
#include "design_record.h"
#include "design_run.h"
#include "messages.h"
#include "screen_texts.h"

namespace coredesign {

// The eleven text fields of the input screen, by control name, in the order
// of the screen's rows.
struct InputField {
    const char* control;
    std::string InputTexts::*text;
};
inline constexpr InputField kInputFields[] = {
    {"txtInductance", &InputTexts::txtInductance},
    {"txtOutPutVoltage", &InputTexts::txtOutPutVoltage},
    {"txtDCCurrent", &InputTexts::txtDCCurrent},
    {"txtFluxDensity", &InputTexts::txtFluxDensity},
    {"txtFrequency", &InputTexts::txtFrequency},
    {"txtMinInputVoltage", &InputTexts::txtMinInputVoltage},
    {"txtMaxInputVoltage", &InputTexts::txtMaxInputVoltage},
    {"txtAmbientTemp", &InputTexts::txtAmbientTemp},
    {"txtCurrentDensityFactor", &InputTexts::txtCurrentDensityFactor},
    {"txtFill_Factor", &InputTexts::txtFill_Factor},
    {"txtStack", &InputTexts::txtStack},
};

// The names of the two unit lists, in the lists' order (neither list can be
// typed into).
inline constexpr const char* kInductanceUnits[] = {"Henry", "millihenry", "microhenry"};
inline constexpr const char* kFrequencyUnits[] = {"Hz", "kHz"};

// Whether `text` is one of a list's names.
template <std::size_t N>
bool IsOneOf(std::string_view text, const char* const (&names)[N]) {
    for (const char* name : names)
        if (text == name) return true;
    return false;
}

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

// What the input screen reaches beyond its own state: its own widgets, the
// message boxes, and the results and intermediate outputs screens. The
// defaults do nothing; the results screen's part is the front end's to say.
class InputScreenView {
public:
    virtual ~InputScreenView() = default;

    // The state changed: the screen shows it now.
    virtual void Refresh() {}
    // The busy pointer, on while the calculation runs.
    virtual void Busy(bool) {}
    // A message box of the run; after it, the control named `focus` takes
    // the focus when it is enabled.
    virtual void Tell(const Message&) {}

    // The results screen as the run reaches it. Touched by the input reading:
    // created if it does not exist (filled from the record as it stands and
    // the core size list's text), its total temperature box regular black.
    virtual void TouchResults(const DesignRecord& rec, const std::string& coreListText) = 0;
    // The total temperature box bold red, when the screen exists.
    virtual void MarkTemperature() = 0;
    // The eight output boxes emptied, when the screen exists.
    virtual void ClearResultOutputs() = 0;
    // Shown in place of the input screen; showing fills it from the record.
    virtual void ShowResultsScreen(const DesignRecord& rec, const std::string& coreListText) = 0;
    // A Pick Core design over its core's limits: the input screen stays in
    // front, and the intermediate outputs are shown when `intermediate`.
    virtual void ShowFillWarning(bool intermediate) = 0;
};

class InputScreen : private ResultsScreenPort {
public:
    // Without windows: a design record of its own, and the results screen
    // kept as texts (Results()). Loaded as a fresh input screen.
    InputScreen();
    // The screen of a front end, on its record and showing through `view`.
    // The record is loaded as the screen's load does (Calculate Core, the
    // wire table and the gapped family); the view is not called yet.
    InputScreen(DesignRecord& record, InputScreenView& view);
    ~InputScreen() override;
    // Moved, a screen without windows keeps its record and results texts.
    InputScreen(InputScreen&&) noexcept;
    InputScreen& operator=(InputScreen&&) noexcept;
    // A screen without windows in the same state as this one, with a record
    // and results texts of its own (copies of this screen's). Only for a
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
    // the messages, the list, the results screen.
    const RunResult& ShowResults();
    // The screen as freshly loaded again (what opening a design starts
    // from): the initial texts, boxes and list, loaded as the screen's load
    // does; the record keeps its other figures, as when the screen is
    // created anew, and the results screen is not touched.
    void Reload();

    // Clear Results: the eleven text fields emptied; boxes and list stay.
    void ClearResults();
    // The return to the inputs from the results: in Calculate Core mode the
    // list is emptied and disabled, in Pick Core mode its first (empty)
    // entry is chosen.
    void ResetCoreSizeList();

    InputTexts& Fields() { return fields_; }
    // After texts were set through Fields(): the view shows them.
    void FieldsChanged() { view_->Refresh(); }
    const InputTexts& Fields() const { return fields_; }
    const CheckBoxes& Boxes() const { return boxes_; }
    const std::vector<std::string>& CoreList() const { return coreList_; }
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
    // Without windows: the results screen's boxes, once the screen exists.
    const std::optional<ResultsTexts>& Results() const;

private:
    class TextsView;
    struct NotLoaded {};
    explicit InputScreen(NotLoaded);

    void Load();
    void FillCoreList(PickLayout layout);
    void EmptyCoreList();
    void ResetTemperatureMark(const DesignRecord& rec) override;

    std::unique_ptr<DesignRecord> ownRecord_;
    std::unique_ptr<TextsView> ownView_;
    DesignRecord* rec_;
    InputScreenView* view_;
    InputTexts fields_;
    CheckBoxes boxes_;
    std::vector<std::string> coreList_;
    int coreListIndex_ = -1;
    ListColour coreListColour_ = ListColour::AsLoaded;
    RunResult run_;
    RunEnvironment environment_;
};

}  // namespace coredesign
