// One design as a designer makes it on a freshly loaded input screen: the
// screen's fields start with their initial texts, the family and calculator
// type are chosen, Show Results is pressed once. No windows: the results
// screen's boxes are kept as texts. The command-line front end, the tests and
// the benchmarks use this.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "design_record.h"
#include "design_run.h"
#include "screen_texts.h"

namespace coredesign {

class HeadlessSession : private ResultsScreenPort {
public:
    // Loads the wire table and the gapped family, as the input screen's load does.
    HeadlessSession();

    // "245 Perm" clicked (sets the flux density text to 0.8) or "100 Perm" clicked (1.2).
    void ChooseFamily(bool gapped);
    // "Pick Core" clicked: the list is refilled (layout B) and enabled.
    void ChoosePickCore();
    // "Calculate Core" clicked: the list is emptied and disabled.
    void ChooseCalculateCore();
    // Chooses the list entry of this part number; false when the list has none.
    bool PickPart(const std::string& partNo);

    InputTexts& Fields() { return fields_; }
    const DesignRecord& Record() const { return rec_; }
    DesignRecord& Record() { return rec_; }
    const std::vector<std::string>& CoreList() const { return coreList_; }

    // Presses Show Results and applies what the run asks of the screens.
    const RunResult& ShowResults();

    const RunResult& LastRun() const { return run_; }
    // The results screen's boxes, once the screen exists.
    const std::optional<ResultsTexts>& Results() const { return results_; }

private:
    void ResetTemperatureMark(const DesignRecord& rec) override;

    DesignRecord rec_;
    InputTexts fields_;
    std::vector<std::string> coreList_;
    RunResult run_;
    std::optional<ResultsTexts> results_;
};

}  // namespace coredesign
