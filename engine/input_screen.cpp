#include "input_screen.h"

namespace coredesign {

// The results screen of a screen without windows, kept as texts.
class InputScreen::TextsView final : public InputScreenView {
public:
    void TouchResults(const DesignRecord& rec, const std::string& coreListText) override {
        if (!results) {  // touching the results screen creates it, and creation fills it
            results.emplace();
            DisplayResults(rec, coreListText, *results);
        }
        results->txtTotalTempRiseAlarm = false;
    }
    void MarkTemperature() override {
        if (results) results->txtTotalTempRiseAlarm = true;
    }
    void ClearResultOutputs() override {
        if (results) ClearResultFields(*results);
    }
    void ShowResultsScreen(const DesignRecord& rec, const std::string& coreListText) override {
        if (results) DisplayResults(rec, coreListText, *results);  // showing fills it
    }
    void ShowFillWarning(bool) override {}

    std::optional<ResultsTexts> results;
};

InputScreen::InputScreen() : InputScreen(NotLoaded{}) {
    Load();
}

InputScreen::InputScreen(NotLoaded)
    : ownRecord_(std::make_unique<DesignRecord>()),
      ownView_(std::make_unique<TextsView>()),
      rec_(ownRecord_.get()),
      view_(ownView_.get()) {}

InputScreen::InputScreen(DesignRecord& record, InputScreenView& view) : rec_(&record), view_(&view) {
    Load();
}

InputScreen::~InputScreen() = default;
InputScreen::InputScreen(InputScreen&&) noexcept = default;
InputScreen& InputScreen::operator=(InputScreen&&) noexcept = default;

InputScreen InputScreen::Copy() const {
    InputScreen copy{NotLoaded{}};
    *copy.ownRecord_ = *rec_;
    copy.ownView_->results = ownView_ ? ownView_->results : std::nullopt;
    copy.fields_ = fields_;
    copy.boxes_ = boxes_;
    copy.coreList_ = coreList_;
    copy.coreListIndex_ = coreListIndex_;
    copy.coreListColour_ = coreListColour_;
    copy.run_ = run_;
    copy.environment_ = environment_;
    return copy;
}

const std::optional<ResultsTexts>& InputScreen::Results() const {
    static const std::optional<ResultsTexts> none;
    return ownView_ ? ownView_->results : none;
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
    coreList_ = LoadPickCoreArray(*rec_, layout);
    ChooseListEntry(-1);
}

void InputScreen::EmptyCoreList() {
    coreList_.clear();
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
        coreList_.clear();
        ChooseListEntry(-1);
        coreListColour_ = ListColour::Grey;
        fields_.coreSizeListEnabled = false;
    }
    view_->Refresh();
}

void InputScreen::ChooseListEntry(int index) {
    coreListIndex_ = index >= 0 && index < static_cast<int>(coreList_.size()) ? index : -1;
    fields_.txtCoreSize = coreListIndex_ < 0 ? std::string() : coreList_[coreListIndex_];
}

bool InputScreen::PickPart(const std::string& partNo) {
    for (size_t k = 1; k < coreList_.size(); ++k) {
        if (PartNumberOfEntry(coreList_[k]) == partNo) {
            ChooseListEntry(static_cast<int>(k));
            view_->Refresh();
            return true;
        }
    }
    return false;
}

void InputScreen::ResetTemperatureMark(const DesignRecord& rec) {
    view_->TouchResults(rec, CoreListText());
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
    if (run_.temperatureAlarm) view_->MarkTemperature();
    if (run_.clearResultFields) view_->ClearResultOutputs();
    if (run_.showResults)
        view_->ShowResultsScreen(*rec_, CoreListText());
    else if (run_.outcome == Outcome::FillWarning)
        view_->ShowFillWarning(run_.showIntermediate);
    return run_;
}

void InputScreen::Reload() {
    fields_ = InputTexts();
    boxes_ = CheckBoxes();
    coreListColour_ = ListColour::AsLoaded;
    Load();
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
