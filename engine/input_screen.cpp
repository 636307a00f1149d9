#include "input_screen.h"

#include "comparison.h"
#include "constants.h"
#include "curve.h"

namespace coredesign {
namespace {

const std::vector<std::string>& NoEntries() {
    static const std::vector<std::string> none;
    return none;
}

}  // namespace

InputScreen::InputScreen() : InputScreen(NotLoaded{}) {
    Load();
}

InputScreen::InputScreen(NotLoaded)
    : ownRecord_(std::make_unique<DesignRecord>()),
      ownView_(std::make_unique<InputScreenView>()),
      rec_(ownRecord_.get()),
      view_(ownView_.get()),
      coreList_(&NoEntries()) {}

InputScreen::InputScreen(DesignRecord& record, InputScreenView& view)
    : rec_(&record), view_(&view), coreList_(&NoEntries()) {
    Load();
}

InputScreen::~InputScreen() = default;
InputScreen::InputScreen(InputScreen&&) noexcept = default;
InputScreen& InputScreen::operator=(InputScreen&&) noexcept = default;

InputScreen InputScreen::Copy() const {
    InputScreen copy{NotLoaded{}};
    *copy.ownRecord_ = *rec_;
    copy.fields_ = fields_;
    copy.boxes_ = boxes_;
    copy.coreList_ = coreList_;
    copy.coreListIndex_ = coreListIndex_;
    copy.coreListColour_ = coreListColour_;
    copy.run_ = run_;
    copy.results_ = results_;
    copy.environment_ = environment_;
    return copy;
}

bool InputScreen::LastRunShowsDesign() const {
    return ResultsScreen::OutcomeShowsDesign(run_.outcome) && HoldsDesign(*rec_);
}

ResultsScreen& InputScreen::OpenResults() {
    if (!results_) results_.emplace(*rec_, CoreListText(), LastRunShowsDesign());
    return *results_;
}

void InputScreen::RefillResults() {
    if (results_) results_->Fill(*rec_, CoreListText());
}

// The screen's load: Calculate Core, the wire table, the gapped family and
// its list. The record keeps every other figure it holds.
void InputScreen::Load() {
    rec_->CalculatorType = Calculator::CalculateCore;
    DataLoad(*rec_);
    rec_->GappedCores = true;
    ArrayData_QV_Load(*rec_);
    FillCoreList(PickLayout::DiametersFirst);
}

void InputScreen::FillCoreList(PickLayout layout) {
    coreList_ = &LoadPickCoreArray(*rec_->LoadedCatalogue, layout);
    ChooseListEntry(-1);
}

void InputScreen::EmptyCoreList() {
    coreList_ = &NoEntries();
    ChooseListEntry(-1);
    fields_.coreSizeListEnabled = false;
}

void InputScreen::ClickFamily(bool gapped) {
    bool& box = gapped ? boxes_.chkGap : boxes_.chkNoGap;
    box = !box;
    if (box)
        ChooseFamily(gapped);  // unchecking the chosen family changes nothing else
    else
        view_->Refresh();
}

void InputScreen::ChooseFamily(bool gapped) {
    boxes_.chkGap = gapped;
    boxes_.chkNoGap = !gapped;
    rec_->GappedCores = gapped;
    fields_.txtFluxDensity = gapped ? "1.2" : "0.8";
    ArrayData_QV_Load(*rec_);
    FillCoreList(PickLayout::DiametersFirst);  // enabled state and colour stay
    view_->Refresh();
}

void InputScreen::ClickCalculator(Calculator type) {
    bool& box = type == Calculator::CalculateCore ? boxes_.chkCalcCore : boxes_.chkPickCore;
    box = !box;
    if (box)
        ChooseCalculator(type);  // unchecking the chosen type changes nothing else
    else
        view_->Refresh();
}

void InputScreen::ChooseCalculator(Calculator type) {
    const bool pick = type == Calculator::PickCore;
    boxes_.chkCalcCore = !pick;
    boxes_.chkPickCore = pick;
    rec_->CalculatorType = type;
    if (pick) {
        FillCoreList(PickLayout::HeightFirst);
        coreListColour_ = ListColour::Black;
        fields_.coreSizeListEnabled = true;
    } else {
        coreList_ = &NoEntries();
        ChooseListEntry(-1);
        coreListColour_ = ListColour::Grey;
        fields_.coreSizeListEnabled = false;
    }
    view_->Refresh();
}

void InputScreen::ChooseListEntry(int index) {
    coreListIndex_ = index >= 0 && index < static_cast<int>(coreList_->size()) ? index : -1;
    fields_.txtCoreSize = coreListIndex_ < 0 ? std::string() : (*coreList_)[coreListIndex_];
}

bool InputScreen::PickPart(const std::string& partNo) {
    for (size_t k = 1; k < coreList_->size(); ++k) {
        if (PartNumberOfEntry((*coreList_)[k]) == partNo) {
            ChooseListEntry(static_cast<int>(k));
            view_->Refresh();
            return true;
        }
    }
    return false;
}

void InputScreen::ResetTemperatureMark(const DesignRecord&) {
    // Touching the results screen creates it, and creation fills it; the run
    // under way has not ended, so the screen shows what the last one left.
    OpenResults().SetTemperatureAlarm(false);
}

const RunResult& InputScreen::ShowResults() {
    view_->Busy(true);
    run_ = coredesign::ShowResults(*rec_, fields_, this, environment_);
    if (run_.stackSetToOne) fields_.txtStack = "1";
    view_->Busy(false);
    view_->Refresh();
    for (const Message& message : run_.messages) view_->Tell(message);
    if (run_.clearCoreList) {
        EmptyCoreList();  // its colour stays
        view_->Refresh();
    }
    if (results_) {
        if (run_.temperatureAlarm) results_->SetTemperatureAlarm(true);
        if (run_.clearResultFields) results_->ClearOutputs();
        if (run_.showResults) RefillResults();  // showing fills it
        results_->FollowDesign(LastRunShowsDesign());
    }
    return run_;
}

std::optional<std::vector<ComparedFamily>> InputScreen::FamiliesToCompare(std::vector<Message>& refused) const {
    const bool current = rec_->GappedCores;
    std::vector<ComparedFamily> families;
    for (bool gapped : {true, false})
        families.push_back({gapped, TextsAfterChoosingFamily(fields_, current, gapped), environment_});
    std::vector<const ComparedFamily*> order;
    for (const ComparedFamily& family : families)
        order.insert(family.gapped == current ? order.begin() : order.end(), &family);
    for (const ComparedFamily* family : order) {
        const CalculateCorePick pick = RunCalculateCore(*family);
        if (pick.outcome != Outcome::Validation) continue;
        refused = pick.messages;
        return std::nullopt;
    }
    return families;
}

std::string InputScreen::FocusAfter(const Message& message) const {
    if (message.focus == "txtCoreSize" && !fields_.coreSizeListEnabled) return std::string();
    return message.focus;
}

void InputScreen::UseDesign(bool gapped, const InputTexts& texts, const std::string& partNo) {
    ChooseFamily(gapped);
    ChoosePickCore();
    TypeTexts(texts, fields_);
    PickPart(partNo);
    view_->Refresh();
}

void InputScreen::ClearResults() {
    for (const InputField& field : kInputFields) (fields_.*field.text).clear();
    view_->Refresh();
}

void InputScreen::ResetCoreSizeList() {
    if (rec_->CalculatorType == Calculator::CalculateCore)
        EmptyCoreList();
    else
        ChooseListEntry(0);
    view_->Refresh();
}

}  // namespace coredesign

namespace coredesign {

const std::vector<CheckBoxText>& InputScreen::CheckBoxTexts() {
    static const std::vector<CheckBoxText> boxes = {{"chkGap", "100 Perm"},
                                                    {"chkNoGap", "245 Perm"},
                                                    {"chkCalcCore", "Calculate Core"},
                                                    {"chkPickCore", "Pick Core"}};
    return boxes;
}

const std::vector<ButtonText>& InputScreen::Buttons() {
    static const std::vector<ButtonText> buttons = {
        {"cmdProcess", "&Show Results", ""},
        {"cmdQuit", "Clear &Results", ""},
        {"cmdExit", "&Cancel", ""},
        {"cmdCompare", "C&ompare Cores", "Every core of both families at 1 to 9 stacked cores, side by side."},
        {"cmdHelp", "Help", "Directions on how to use this product."}};
    return buttons;
}

std::string InputScreen::ToolTip(const std::string& control) {
    static const std::pair<const char*, const char*> kToolTips[] = {
        {"txtInductance", "Inductance should not be greater than 0.1 Henries"},
        {"txtDCCurrent", "Output Power should not be greater than 5000 watts"},
        {"txtFrequency", " Frequency should not be greater than 1000000 Hz."},
        {"chkGap", "Gapped PFC  Quorvane Cores are used by calculator."},
        {"chkNoGap", "No-Gap Quorvane Cores are used by calculator."},
        {"txtStack", "Number of Cores to Stack In Calculations"},
    };
    for (const auto& [name, tip] : kToolTips)
        if (control == name) return tip;
    for (const ButtonText& button : Buttons())
        if (control == button.control) return button.toolTip;
    return std::string();
}

const std::vector<std::string>& InputScreen::ListItems(const std::string& control) {
    static const std::vector<std::string> inductance = {"Henry", "millihenry", "microhenry"};
    static const std::vector<std::string> frequency = {"Hz", "kHz"};
    static const std::vector<std::string> none;
    return control == "cmbinductance" ? inductance : control == "cmbfrequency" ? frequency : none;
}

bool InputScreen::KeyFiltered(const std::string& control) {
    for (const InputField& field : kInputFields)
        if (control == field.control) return field.keyFiltered;
    return false;
}

ShownTexts InputScreen::Shown() const {
    ShownTexts shown = {{"frmXls", TextRole::Title, kAppTitle}, {"lblTitle", TextRole::Text, kAppTitle}};
    auto control = [&](const std::string& name, std::string text) {
        shown.push_back({name, TextRole::Text, std::move(text)});
        const std::string tip = ToolTip(name);
        if (!tip.empty()) shown.push_back({name, TextRole::ToolTip, tip});
    };
    auto list = [&](const std::string& name, const std::vector<std::string>& items) {
        for (const std::string& item : items) shown.push_back({name, TextRole::Item, item});
    };
    for (const InputRow& row : kInputRows) {
        shown.push_back({"", TextRole::Text, row.caption});
        for (const InputField& field : kInputFields)
            if (field.control == std::string(row.field)) control(row.field, fields_.*field.text);
        if (row.unit) shown.push_back({"", TextRole::Text, row.unit});
        if (row.companion) {
            const std::string name = row.companion;
            if (name == "txtDensityFactorUom") {
                control(name, kCurrentDensityUnit);  // the screen's load writes it
            } else {
                list(name, ListItems(name));
                control(name, name == "cmbinductance" ? fields_.cmbinductance : fields_.cmbfrequency);
            }
        }
        if (row.note) shown.push_back({"", TextRole::Text, row.note});
    }
    shown.push_back({"", TextRole::Text, kStackCaption});
    for (const InputField& field : kInputFields)
        if (field.text == &InputTexts::txtStack) control(field.control, fields_.txtStack);
    shown.push_back({"", TextRole::Text, kPermeabilityCaption});
    shown.push_back({"", TextRole::Text, kCalculatorCaption});
    for (const CheckBoxText& box : CheckBoxTexts()) control(box.control, box.caption);
    shown.push_back({"", TextRole::Text, kCoreListCaption});
    list("txtCoreSize", *coreList_);
    control("txtCoreSize", CoreListText());
    for (const ButtonText& button : Buttons()) control(button.control, button.caption);
    return shown;
}

}  // namespace coredesign
