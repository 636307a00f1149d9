#include "session.h"

#include "catalogue.h"

namespace coredesign {

HeadlessSession::HeadlessSession() : rec_(LoadedRecord(true)) {
    coreList_ = LoadPickCoreArray(rec_, PickLayout::DiametersFirst);
}

void HeadlessSession::ChooseFamily(bool gapped) {
    rec_.GappedCores = gapped;
    fields_.txtFluxDensity = gapped ? "1.2" : "0.8";
    ArrayData_QV_Load(rec_);
    coreList_ = LoadPickCoreArray(rec_, PickLayout::DiametersFirst);
    fields_.txtCoreSize.clear();
}

void HeadlessSession::ChoosePickCore() {
    rec_.CalculatorType = Calculator::PickCore;
    coreList_ = LoadPickCoreArray(rec_, PickLayout::HeightFirst);
    fields_.txtCoreSize.clear();
    fields_.coreSizeListEnabled = true;
}

void HeadlessSession::ChooseCalculateCore() {
    rec_.CalculatorType = Calculator::CalculateCore;
    coreList_.clear();
    fields_.txtCoreSize.clear();
    fields_.coreSizeListEnabled = false;
}

bool HeadlessSession::PickPart(const std::string& partNo) {
    for (size_t k = 1; k < coreList_.size(); ++k) {
        if (PartNumberOfEntry(coreList_[k]) == partNo) {
            fields_.txtCoreSize = coreList_[k];
            return true;
        }
    }
    return false;
}

void HeadlessSession::ResetTemperatureMark(const DesignRecord& rec) {
    if (!results_) {  // touching the results screen creates it, and creation fills it
        results_.emplace();
        DisplayResults(rec, fields_.txtCoreSize, *results_);
    }
    results_->txtTotalTempRiseAlarm = false;
}

const RunResult& HeadlessSession::ShowResults() {
    run_ = coredesign::ShowResults(rec_, fields_, this);
    if (run_.stackSetToOne) fields_.txtStack = "1";
    if (run_.clearCoreList) {
        coreList_.clear();
        fields_.txtCoreSize.clear();
        fields_.coreSizeListEnabled = false;
    }
    if (run_.temperatureAlarm && results_) results_->txtTotalTempRiseAlarm = true;
    if (run_.clearResultFields && results_) ClearResultFields(*results_);
    if (run_.showResults && results_) DisplayResults(rec_, fields_.txtCoreSize, *results_);  // activation
    return run_;
}

}  // namespace coredesign
