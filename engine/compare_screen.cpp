#include "compare_screen.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "catalogue.h"
#include "constants.h"
#include "numtext.h"

namespace coredesign {
namespace {

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

// A run that produced a winding: its figures mean something.
bool HasDesign(const ComparisonRow& row) {
    return row.outcome == Outcome::Results || row.outcome == Outcome::FillWarning;
}

std::string Rounded(double value, int places) {
    return std::isnan(value) ? std::string() : FormatRounded(value, places);
}

// The places each figure column is rounded to.
int Places(int column) {
    switch (column) {
        case CompareColumns::Volume: return 2;
        case CompareColumns::TotalLoss:
        case CompareColumns::FillFactor:
        case CompareColumns::CopperLoss: return 3;
        case CompareColumns::CoreLoss: return 4;
        case CompareColumns::Turns:
        case CompareColumns::Awg: return 0;
        default: return 1;
    }
}

}  // namespace

std::string CompareScreen::Title() {
    return std::string("Compare Cores - ") + kAppTitle;
}

const std::vector<std::string>& CompareScreen::FamilyFilterItems() {
    static const std::vector<std::string> items = {"100 Perm and 245 Perm", FamilyText(true), FamilyText(false)};
    return items;
}

const ButtonText& CompareScreen::CancelButton() {
    static const ButtonText cancel = {"cmdCancel", "C&ancel", ""};
    return cancel;
}

const std::vector<ButtonText>& CompareScreen::Buttons() {
    static const std::vector<ButtonText> buttons = {
        {"cmdUse", "&Use This Design", "Pick Core with this core and stack on the input screen, then Show Results."},
        {"cmdSave", "&Save Table...", ""},
        {"cmdRefresh", "&Refresh", "Compare again for the input screen's texts as they stand now."},
        {"cmdClose", "&Close", ""}};
    return buttons;
}

const std::vector<std::string>& CompareScreen::ColumnHeadings() {
    static const std::vector<std::string> headings = {"Family",
                                                      "Part",
                                                      "Stack",
                                                      "Verdict",
                                                      "Volume\n(cm\u00B3)",
                                                      "Total loss\n(W)",
                                                      "Mass\n(g)",
                                                      "Turns",
                                                      "AWG",
                                                      "L full load\n(\u00B5H)",
                                                      "\u0394L\n(%)",
                                                      "Fill\nfactor",
                                                      "Copper loss\n(W)",
                                                      "Core loss\n(W)",
                                                      "Temp. rise\n(\u00B0C)",
                                                      "Total temp.\n(\u00B0C)",
                                                      "Marked"};
    return headings;
}

std::string CompareScreen::FamilyText(bool gapped) {
    return gapped ? "100 Perm" : "245 Perm";
}

std::string CompareScreen::VerdictText(Outcome outcome, bool temperatureAlarm) {
    switch (outcome) {
        case Outcome::Results: return temperatureAlarm ? "Too hot" : "Fits";
        case Outcome::FillWarning: return "Overfills the window";
        case Outcome::DcBias: return "Saturates (DC bias)";
        case Outcome::InductanceLimit: return "Inductance not reached";
        case Outcome::NoWire: return "No wire large enough";
        case Outcome::AreaProduct: return "No core large enough";
        case Outcome::Validation: return "Refused by the input checks";
    }
    return std::string();
}

const std::vector<Outcome>& CompareScreen::MeasuredVerdicts() {
    static const std::vector<Outcome> outcomes = {Outcome::FillWarning, Outcome::DcBias, Outcome::InductanceLimit,
                                                  Outcome::NoWire};
    return outcomes;
}

std::string CompareScreen::MarkedText(bool calculateCorePick, bool pareto) {
    std::string marks = calculateCorePick ? "Calculate Core pick" : "";
    if (pareto) marks += marks.empty() ? "Pareto" : ", Pareto";
    return marks;
}

std::string CompareScreen::InputsText(const Comparison& c) {
    const InputTexts& t = c.families.front().texts;  // the families differ in the flux density only
    std::string flux, picks;
    for (const ComparedFamily& family : c.families)
        flux += (flux.empty() ? "" : ", ") + family.texts.txtFluxDensity + " T (" + FamilyText(family.gapped) + ")";
    for (const CalculateCorePick& pick : c.calculateCore)
        picks += (picks.empty() ? "" : ", ") + FamilyText(pick.gapped) + ": " +
                 (pick.part.empty() ? "none (" + VerdictText(pick.outcome, false) + ")"
                                    : PartWithStack(pick.part, pick.stack));
    return "Computed for: inductance " + t.txtInductance + " " + t.cmbinductance + ", output " + t.txtOutPutVoltage +
           " V, DC current " + t.txtDCCurrent + " A, flux density " + flux + ", frequency " + t.txtFrequency + " " +
           t.cmbfrequency + ", input " + t.txtMinInputVoltage + " to " + t.txtMaxInputVoltage + " V, ambient " +
           t.txtAmbientTemp + " \u00B0C, current density " + t.txtCurrentDensityFactor + " A/cm\u00B2, fill factor " +
           t.txtFill_Factor + ". Calculate Core (cores to stack " + (t.txtStack.empty() ? "1" : t.txtStack) +
           ") picks " + picks + ".";
}

std::string CompareScreen::CountText(const Comparison& c) {
    int fitting = 0, pareto = 0;
    for (const ComparisonRow& row : c.rows) {
        fitting += row.fits;
        pareto += row.pareto;
    }
    return std::to_string(fitting) + " of " + std::to_string(c.rows.size()) + " cores and stacks fit; " +
           std::to_string(pareto) + " on the Pareto front (shaded); Calculate Core's picks in bold.";
}

std::string CompareScreen::ComparingText(int runs) {
    return "Comparing " + std::to_string(runs) + " cores and stacks...";
}

std::string CompareScreen::CancelledText(bool tableKept) {
    return tableKept ? "Cancelled; the table is still the one computed before." : "Cancelled.";
}

std::string CompareScreen::RowName(const ComparisonRow& row) {
    return PartWithStack(row.part, row.stack) + " (" + FamilyText(row.gapped) + "): " + FormatRounded(row.volume, 2) +
           " cm\u00B3, " + FormatRounded(row.record.TotalLoss, 3) + " W, " +
           VerdictText(row.outcome, row.temperatureAlarm);
}

CompareTable::CompareTable(const Comparison& comparison) : comparison_(&comparison) {
    picks_.assign(comparison.rows.size(), false);
    for (std::size_t k = 0; k < comparison.calculateCore.size(); ++k) {
        const int row = CalculateCoreRow(comparison, k);
        if (row >= 0) picks_[static_cast<std::size_t>(row)] = true;
    }
}

bool CompareTable::SortsByText(int column) {
    return column == Family || column == Part || column == Verdict || column == Marked;
}

bool CompareTable::RightAligned(int column) {
    return column == Stack || (column >= Volume && column <= TotalTemp);
}

double CompareTable::SortKey(std::size_t index, int column) const {
    const ComparisonRow& row = Row(index);
    const DesignRecord& r = row.record;
    const bool design = HasDesign(row);
    auto figure = [&](double value) { return design ? value : kNone; };
    switch (column) {
        case Stack: return row.stack;
        case Volume: return row.volume;
        case Mass: return row.mass;
        case Turns: return figure(r.Turns);
        case Awg: return figure(r.WireSize);
        case InductanceFullLoad: return figure(r.InductanceFullLoad);
        case Deviation: {
            const double entered = r.InductanceEntered * 1000000;  // uH
            return figure((r.InductanceFullLoad - entered) / entered * 100);
        }
        case FillFactor: return figure(r.ActualFillFactor);
        case CopperLoss: return figure(r.CopperLossAtTemp);
        case CoreLoss: return figure(r.CoreLoss);
        case TotalLoss: return figure(r.TotalLoss);
        case TempRise: return figure(r.TempRise);
        case TotalTemp: return figure(r.AmbientTemp + r.TempRise);
        default: return kNone;
    }
}

std::string CompareTable::CellText(std::size_t index, int column) const {
    const ComparisonRow& row = Row(index);
    switch (column) {
        case Family: return CompareScreen::FamilyText(row.gapped);
        case Part: return row.part;
        case Stack: return std::to_string(row.stack);
        case Verdict: return CompareScreen::VerdictText(row.outcome, row.temperatureAlarm);
        case Marked: return CompareScreen::MarkedText(IsCalculateCorePick(index), row.pareto);
        default: return column > Verdict && column < Marked ? Rounded(SortKey(index, column), Places(column)) : "";
    }
}

bool CompareTable::Before(std::size_t a, std::size_t b, int column, bool ascending) const {
    if (SortsByText(column)) {
        const std::string x = CellText(a, column), y = CellText(b, column);
        return ascending ? x < y : y < x;
    }
    const double x = SortKey(a, column), y = SortKey(b, column);
    const bool emptyX = std::isnan(x), emptyY = std::isnan(y);
    if (emptyX || emptyY) return !emptyX && emptyY;  // empty cells last
    return ascending ? x < y : y < x;
}

bool CompareTable::FamilyShown(const ComparisonRow& row, FamilyFilter families) {
    return families == FamilyFilter::Both || row.gapped == (families == FamilyFilter::Gapped);
}

std::vector<std::size_t> CompareTable::ShownRows(FamilyFilter families, bool everyRow, int column,
                                                 bool ascending) const {
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < RowCount(); ++i)
        if (FamilyShown(Row(i), families) && (everyRow || Row(i).fits)) shown.push_back(i);
    std::stable_sort(shown.begin(), shown.end(),
                     [&](std::size_t a, std::size_t b) { return Before(a, b, column, ascending); });
    return shown;
}

CompareTable::Chart CompareTable::ChartRows(FamilyFilter families) const {
    Chart chart;
    for (std::size_t i = 0; i < RowCount(); ++i) {
        const ComparisonRow& row = Row(i);
        if (!row.fits || !FamilyShown(row, families)) continue;
        chart.fitting.push_back(i);
        if (row.pareto) chart.front.push_back(i);
        if (IsCalculateCorePick(i)) chart.picks.push_back(i);
    }
    std::stable_sort(chart.front.begin(), chart.front.end(),
                     [&](std::size_t a, std::size_t b) { return Row(a).volume < Row(b).volume; });
    return chart;
}

ShownTexts CompareScreen::Shown() {
    ShownTexts shown = {{"frmCompareCores", TextRole::Title, Title()},
                        {"lblTitle", TextRole::Text, kHeading},
                        {"", TextRole::Text, kFamilyCaption}};
    for (const std::string& item : FamilyFilterItems()) shown.push_back({"cmbFamily", TextRole::Item, item});
    shown.push_back({"chkEveryRow", TextRole::Text, kEveryRow});
    shown.push_back({CancelButton().control, TextRole::Text, CancelButton().caption});
    for (const ButtonText& button : Buttons()) {
        shown.push_back({button.control, TextRole::Text, button.caption});
        shown.push_back({button.control, TextRole::ToolTip, button.toolTip});
    }
    for (const std::string& heading : ColumnHeadings()) shown.push_back({"tblCores", TextRole::Item, heading});
    for (const char* text :
         {kChartTitle, kFitsSeries, kFrontSeries, kPicksSeries, kChosenSeries, kVolumeAxis, kLossAxis})
        shown.push_back({"chtCores", TextRole::Text, text});
    for (const Outcome outcome : {Outcome::Results, Outcome::FillWarning, Outcome::Validation, Outcome::AreaProduct,
                                  Outcome::DcBias, Outcome::NoWire, Outcome::InductanceLimit})
        shown.push_back({"verdict", TextRole::Item, VerdictText(outcome, false)});
    shown.push_back({"verdict", TextRole::Item, VerdictText(Outcome::Results, true)});
    return shown;
}

}  // namespace coredesign
