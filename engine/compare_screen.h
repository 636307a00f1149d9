// The texts of the Compare Cores window (frmCompareCores): its captions,
// the table's column headings, the verdicts, the filter's entries, the
// "Computed for:" line, the counts, the chart's texts and the name of a row.
#pragma once

#include <string>
#include <vector>

#include "comparison.h"
#include "results_screen.h"
#include "shown_texts.h"

namespace coredesign {

struct CompareScreen {
    static std::string Title();                               // "Compare Cores - " and the application's title
    static constexpr const char* kHeading = "Compare Cores";  // lblTitle
    static constexpr const char* kFamilyCaption = "&Family:";
    // cmbFamily's entries: both families, the gapped one, the no-gap one.
    static const std::vector<std::string>& FamilyFilterItems();
    static constexpr const char* kEveryRow = "Show &every core and stack, not only those that fit";  // chkEveryRow
    static const ButtonText& CancelButton();          // cmdCancel, shown while comparing
    static const std::vector<ButtonText>& Buttons();  // Use This Design, Save Table, Refresh, Close

    // The chart.
    static constexpr const char* kChartTitle = "Designs that fit: volume against total loss";
    static constexpr const char* kFitsSeries = "Fits";
    static constexpr const char* kFrontSeries = "Pareto front";
    static constexpr const char* kPicksSeries = "Calculate Core pick";
    static constexpr const char* kChosenSeries = "Chosen row";
    static constexpr const char* kVolumeAxis = "Volume of the stack (cm\u00B3)";
    static constexpr const char* kLossAxis = "Total loss (W)";

    // The table's column headings, in the columns' order (a line break in some).
    static const std::vector<std::string>& ColumnHeadings();
    // "100 Perm" or "245 Perm", as the input screen names the families.
    static std::string FamilyText(bool gapped);
    // The verdict on a run in words: "Fits", "Too hot", "Overfills the window" ...
    static std::string VerdictText(Outcome outcome, bool temperatureAlarm);
    // The verdicts the table can show, for measuring its column.
    static const std::vector<Outcome>& MeasuredVerdicts();
    // The "Marked" column: "Calculate Core pick", "Pareto", both, or nothing.
    static std::string MarkedText(bool calculateCorePick, bool pareto);

    // The "Computed for:" line of a comparison.
    static std::string InputsText(const Comparison& comparison);
    // What the count label says of a comparison shown, while comparing, and after a cancel.
    static std::string CountText(const Comparison& comparison);
    static std::string ComparingText(int runs);
    static std::string CancelledText(bool tableKept);
    // The inputs line when the texts fail an input check.
    static constexpr const char* kNothingCompared = "Nothing compared: the input screen's texts fail an input check.";
    // A row as the chart's tool tip names it: part and stack, family, volume, loss, verdict.
    static std::string RowName(const ComparisonRow& row);

    // The fixed texts, for the reviewed files and the checks.
    static ShownTexts Shown();
};

}  // namespace coredesign
