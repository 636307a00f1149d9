// The texts of the Compare Cores window (frmCompareCores): its captions,
// the table's column headings, the verdicts, the filter's entries, the
// "Computed for:" line, the counts, the chart's texts and the name of a row.
#pragma once

#include <cstddef>
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

// The columns of the Compare Cores table, in order: what the chart plots next
// to the verdict, then the design.
struct CompareColumns {
    enum Column {
        Family,
        Part,
        Stack,
        Verdict,
        Volume,
        TotalLoss,
        Mass,
        Turns,
        Awg,
        InductanceFullLoad,
        Deviation,
        FillFactor,
        CopperLoss,
        CoreLoss,
        TempRise,
        TotalTemp,
        Marked,
        ColumnCount
    };
};

// The families the table shows (cmbFamily's entries, in order).
enum class FamilyFilter { Both, Gapped, NoGap };

// The Compare Cores table of one comparison (which must outlive it): each
// cell's text and the number it sorts by, the rows in bold (the Calculate
// Core picks), shaded (the Pareto rows) and dimmed (those that do not fit),
// the rows the filters show and their order, and the chart's points.
class CompareTable : public CompareColumns {
public:
    explicit CompareTable(const Comparison& comparison);

    const Comparison& Data() const { return *comparison_; }
    std::size_t RowCount() const { return comparison_->rows.size(); }
    const ComparisonRow& Row(std::size_t row) const { return comparison_->rows[row]; }

    // The cell's text as the table shows it (empty for a figure of a run that left no design).
    std::string CellText(std::size_t row, int column) const;
    // Columns of words sort by their text, the others by the number behind the cell.
    static bool SortsByText(int column);
    // The number behind a cell, for sorting: NaN where the cell is empty.
    double SortKey(std::size_t row, int column) const;
    // Whether row `a` comes before row `b` in a sort by `column`; empty
    // cells come last whichever way the column is sorted.
    bool Before(std::size_t a, std::size_t b, int column, bool ascending) const;
    // Figures stand right-aligned, words left-aligned.
    static bool RightAligned(int column);

    bool IsCalculateCorePick(std::size_t row) const { return row < picks_.size() && picks_[row]; }
    bool Bold(std::size_t row) const { return IsCalculateCorePick(row); }
    bool Shaded(std::size_t row) const { return Row(row).pareto; }
    bool Dimmed(std::size_t row) const { return !Row(row).fits; }

    // Whether a row passes the family filter.
    static bool FamilyShown(const ComparisonRow& row, FamilyFilter families);
    // The rows the filters let through (only those that fit unless every
    // row is asked for), sorted by `column` (a stable sort: equal cells keep
    // the comparison's order).
    std::vector<std::size_t> ShownRows(FamilyFilter families, bool everyRow, int column, bool ascending) const;

    // The chart's rows: the fitting rows of the families shown, the Pareto
    // front among them by rising volume, and the Calculate Core picks.
    struct Chart {
        std::vector<std::size_t> fitting, front, picks;
    };
    Chart ChartRows(FamilyFilter families) const;

private:
    const Comparison* comparison_;
    std::vector<bool> picks_;  // by row: a Calculate Core pick
};

}  // namespace coredesign
