// The Compare Cores table's cells, sort order, filters, marks and chart rows,
// on the default design's comparison of both families.
#include "compare_screen.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace coredesign {
namespace {

const Comparison& DefaultComparison() {
    static const Comparison c =
        CompareCores({{true, InputTexts{}, {}}, {false, TextsAfterChoosingFamily(InputTexts{}, true, false), {}}});
    return c;
}

std::size_t IndexOf(const Comparison& c, bool gapped, const std::string& part, int stack) {
    for (std::size_t i = 0; i < c.rows.size(); ++i)
        if (c.rows[i].gapped == gapped && c.rows[i].part == part && c.rows[i].stack == stack) return i;
    ADD_FAILURE() << "no row " << part << " * " << stack;
    return 0;
}

std::vector<std::string> Cells(const CompareTable& table, std::size_t row) {
    std::vector<std::string> cells;
    for (int column = 0; column < CompareTable::ColumnCount; ++column) cells.push_back(table.CellText(row, column));
    return cells;
}

// The figures of the CLI's CSV for these rows (coredesign-cli --explore
// --csv), rounded by hand to each column's places.
TEST(CompareTable, CellTextsOfARowWithADesignAndOfOneWithout) {
    const Comparison& c = DefaultComparison();
    const CompareTable table(c);
    ASSERT_EQ(table.RowCount(), 630u);
    const struct {
        bool gapped;
        const char* part;
        int stack;
        std::vector<std::string> cells;
        bool bold, shaded, dimmed;
    } cases[] = {
        // volume 6.41137, TotalLoss 0.65624, mass 21.79, L 317.6757 uH (-0.102 %), fill 0.38114,
        // copper 0.65009, core 0.0061486, rise 16.383
        {true,
         "6218TXGP",
         1,
         {"100 Perm", "6218TXGP", "1", "Fits", "6.41", "0.656", "21.8", "58", "18", "317.7", "-0.1", "0.381", "0.65",
          "0.0061", "16.4", "51.4", "Calculate Core pick"},
         true,
         false,
         false},
        // Saturates: no winding, so no figures; the envelope (0.28004) and mass (0.51) still stand.
        {false,
         "6201TXNG",
         1,
         {"245 Perm", "6201TXNG", "1", "Saturates (DC bias)", "0.28", "", "0.5", "", "", "", "", "", "", "", "", "",
          ""},
         false,
         false,
         true},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.part);
        const std::size_t i = IndexOf(c, k.gapped, k.part, k.stack);
        EXPECT_EQ(Cells(table, i), k.cells);
        EXPECT_EQ(table.Bold(i), k.bold);
        EXPECT_EQ(table.Shaded(i), k.shaded);
        EXPECT_EQ(table.Dimmed(i), k.dimmed);
    }
    const std::size_t saturated = IndexOf(c, false, "6201TXNG", 1);
    EXPECT_TRUE(std::isnan(table.SortKey(saturated, CompareTable::TotalLoss)));
    EXPECT_EQ(table.SortKey(saturated, CompareTable::Stack), 1);
    EXPECT_EQ(Cells(table, IndexOf(c, false, "6218TXNG", 1)).back(), "Calculate Core pick, Pareto");
    EXPECT_EQ(Cells(table, IndexOf(c, false, "6222TXNG", 1)).back(), "Pareto");
}

TEST(CompareTable, FiltersAndSortOrder) {
    const Comparison& c = DefaultComparison();
    const CompareTable table(c);
    int fitting = 0, fittingNoGap = 0;
    for (const ComparisonRow& row : c.rows) {
        fitting += row.fits;
        fittingNoGap += row.fits && !row.gapped;
    }
    const struct {
        FamilyFilter families;
        bool everyRow;
        std::size_t rows;
    } filters[] = {
        {FamilyFilter::Both, false, static_cast<std::size_t>(fitting)},
        {FamilyFilter::NoGap, false, static_cast<std::size_t>(fittingNoGap)},
        {FamilyFilter::Both, true, 630},
        {FamilyFilter::Gapped, true, 34 * 9},
    };
    for (const auto& f : filters) {
        SCOPED_TRACE(std::to_string(static_cast<int>(f.families)) + (f.everyRow ? " every row" : " fitting"));
        for (const int column : {int{CompareTable::Volume}, int{CompareTable::TotalLoss}, int{CompareTable::Verdict}}) {
            for (const bool ascending : {true, false}) {
                const std::vector<std::size_t> shown = table.ShownRows(f.families, f.everyRow, column, ascending);
                ASSERT_EQ(shown.size(), f.rows);
                bool emptySeen = false;
                for (std::size_t k = 0; k < shown.size(); ++k) {
                    const ComparisonRow& row = c.rows[shown[k]];
                    EXPECT_TRUE(CompareTable::FamilyShown(row, f.families));
                    EXPECT_TRUE(f.everyRow || row.fits);
                    const bool empty = table.CellText(shown[k], column).empty();
                    EXPECT_FALSE(emptySeen && !empty) << "an empty cell before a filled one at " << k;
                    emptySeen = emptySeen || empty;
                    if (k == 0 || empty || table.CellText(shown[k - 1], column).empty()) continue;
                    const std::size_t a = shown[k - 1], b = shown[k];
                    if (CompareTable::SortsByText(column)) {
                        const std::string x = table.CellText(a, column), y = table.CellText(b, column);
                        EXPECT_TRUE(ascending ? x <= y : x >= y);
                        if (x == y) {
                            EXPECT_LT(a, b) << "equal cells keep the comparison's order";
                        }
                    } else {
                        const double x = table.SortKey(a, column), y = table.SortKey(b, column);
                        EXPECT_TRUE(ascending ? x <= y : x >= y);
                    }
                }
            }
        }
    }
    // Every row's total loss is empty but for a winding, so a sort by it puts
    // the refused designs last both ways.
    const std::vector<std::size_t> byLoss = table.ShownRows(FamilyFilter::Both, true, CompareTable::TotalLoss, false);
    EXPECT_TRUE(table.CellText(byLoss.back(), CompareTable::TotalLoss).empty());
    EXPECT_FALSE(table.CellText(byLoss.front(), CompareTable::TotalLoss).empty());
}

TEST(CompareTable, ChartRowsAreTheFittingRowsWithTheFrontByVolume) {
    const Comparison& c = DefaultComparison();
    const CompareTable table(c);
    const CompareTable::Chart both = table.ChartRows(FamilyFilter::Both);
    const CompareTable::Chart gapped = table.ChartRows(FamilyFilter::Gapped);
    EXPECT_EQ(both.fitting.size(), table.ShownRows(FamilyFilter::Both, false, CompareTable::Volume, true).size());
    ASSERT_FALSE(both.front.empty());
    for (std::size_t k = 0; k < both.front.size(); ++k) {
        EXPECT_TRUE(c.rows[both.front[k]].pareto);
        if (k > 0) {
            EXPECT_LE(c.rows[both.front[k - 1]].volume, c.rows[both.front[k]].volume);
        }
    }
    int pareto = 0;
    for (const ComparisonRow& row : c.rows) pareto += row.pareto;
    EXPECT_EQ(both.front.size(), static_cast<std::size_t>(pareto));
    EXPECT_EQ(both.picks.size(), 2u);
    ASSERT_EQ(gapped.picks.size(), 1u);
    EXPECT_EQ(c.rows[gapped.picks[0]].part, "6218TXGP");
    for (std::size_t i : gapped.fitting) EXPECT_TRUE(c.rows[i].gapped && c.rows[i].fits);
}

}  // namespace
}  // namespace coredesign
