// The core catalogues, the wire table, their loads into the record, the core
// size list and the part texts.
#include "catalogue.h"

#include <gtest/gtest.h>

#include <charconv>
#include <functional>
#include <string>
#include <vector>

#include "engine_checks.h"

namespace coredesign {
namespace {

constexpr double kPi = 3.14159265358979323846;

// The columns 2 to 13 of a catalogue row, in their stored order.
std::vector<double> Columns(const Core& c) {
    return {c.od, c.id, c.ht, c.lm, c.ac, c.volume, c.wa, c.waAc, c.mass, c.perm, c.al, c.surface};
}

TEST(Catalogue, BothFamilies) {
    const Catalogue &g = Catalogue::Gapped(), &n = Catalogue::NoGap();
    ASSERT_EQ(g.Rows(), 34);
    ASSERT_EQ(n.Rows(), 36);
    EXPECT_EQ(&Catalogue::OfFamily(true), &g);
    EXPECT_EQ(&Catalogue::OfFamily(false), &n);
    // Row 1 of the gapped family in full: 6205TXGP,13.23,7.46,6.12,3.14,0.08,0.25,0.44,0.035,1.83,100,32,5.86
    EXPECT_EQ(g.Row(1).partNo, "6205TXGP");
    const std::vector<double> stored = {13.23, 7.46, 6.12, 3.14, 0.08, 0.25, 0.44, 0.035, 1.83, 100, 32, 5.86};
    EXPECT_EQ(Columns(g.Row(1)), stored);
    EXPECT_EQ(g.Row(34).partNo, "6238TXGP");
    EXPECT_EQ(n.Row(1).partNo, "6201TXNG");
    EXPECT_EQ(n.Row(36).partNo, "6238TXNG");
    for (int k = 1; k <= 34; ++k) EXPECT_EQ(g.Row(k).perm, 100) << g.Row(k).partNo;
    for (int k = 1; k <= 36; ++k) EXPECT_EQ(n.Row(k).perm, k <= 4 || k == 6 || k == 7 ? 270 : 245) << "row " << k;
    EXPECT_EQ(g.LargestWaAc(), 11.376);
    EXPECT_EQ(n.LargestWaAc(), 11.376);
    EXPECT_EQ(Catalogue::Empty().Rows(), 0);
    EXPECT_EQ(g.Find(0), nullptr);
    EXPECT_EQ(g.Find(35), nullptr);
    EXPECT_EQ(g.Find(34), &g.Row(34));
}

// Every cell of both catalogues and of the wire table holds the double
// nearest its stored decimal text, as the standard library's exact reading
// gives it (and the part number its text).
TEST(Catalogue, EveryCellIsItsStoredTextReadExactly) {
    const struct {
        const char* text;
        int columns;
        std::function<std::vector<double>(int)> cells;  // the row's numbers in stored order
        std::function<std::string(int)> first;          // the row's first field
        int rows;
    } tables[] = {
        {GappedCatalogueText(), 13, [](int r) { return Columns(Catalogue::Gapped().Row(r)); },
         [](int r) { return Catalogue::Gapped().Row(r).partNo; }, Catalogue::Gapped().Rows()},
        {NoGapCatalogueText(), 13, [](int r) { return Columns(Catalogue::NoGap().Row(r)); },
         [](int r) { return Catalogue::NoGap().Row(r).partNo; }, Catalogue::NoGap().Rows()},
        {WireTableText(), 4,
         [](int r) {
             const Wire& w = WireTable::Stored().Row(r);
             return std::vector<double>{w.awg, w.resistance, w.diameter, w.area};
         },
         [](int) { return std::string(); }, WireTable::Stored().Rows()},
    };
    int cells = 0;
    for (const auto& table : tables) {
        std::vector<std::string> fields;
        const std::string text = table.text;
        ASSERT_EQ(text[0], ',');
        for (size_t from = 1, comma; (comma = text.find(',', from)) != std::string::npos; from = comma + 1)
            fields.push_back(text.substr(from, comma - from));
        ASSERT_EQ(fields.size(), static_cast<size_t>(table.rows * table.columns));
        for (int row = 1; row <= table.rows; ++row) {
            const std::vector<double> values = table.cells(row);
            const bool named = table.columns == 13;
            if (named) {
                EXPECT_EQ(table.first(row), fields[static_cast<size_t>((row - 1) * table.columns)]);
            }
            for (size_t k = 0; k < values.size(); ++k) {
                const std::string& field = fields[static_cast<size_t>((row - 1) * table.columns) + k + (named ? 1 : 0)];
                double expected = 0;
                ASSERT_EQ(std::from_chars(field.data(), field.data() + field.size(), expected).ec, std::errc());
                EXPECT_EQ(values[k], expected) << "row " << row << ", field " << field;
                ++cells;
            }
        }
    }
    EXPECT_EQ(cells, 34 * 12 + 36 * 12 + 37 * 4);
}

// A size made in both families is one core shape: the same geometry and mass;
// only the permeability and AL differ.
TEST(Catalogue, BothFamiliesCarryTheSameGeometryAndMassForASize) {
    const Catalogue &g = Catalogue::Gapped(), &n = Catalogue::NoGap();
    int shared = 0;
    for (int i = 1; i <= g.Rows(); ++i) {
        const int k = n.RowOf(g.Row(i).partNo.substr(0, 4) + "TXNG");
        if (k == 0) continue;
        SCOPED_TRACE(g.Row(i).partNo);
        ++shared;
        for (auto column : {&Core::od, &Core::id, &Core::ht, &Core::lm, &Core::ac, &Core::volume, &Core::wa,
                            &Core::waAc, &Core::mass, &Core::surface})
            EXPECT_EQ(g.Row(i).*column, n.Row(k).*column);
    }
    EXPECT_EQ(shared, 32);
}

// A load makes the record refer to the family's one catalogue (and to the
// one wire table): copies of the record and every other record share those
// rows.
TEST(Catalogue, LoadsReferToTheSharedTables) {
    DesignRecord r;
    EXPECT_EQ(r.MaxAreaProduct, 0);
    EXPECT_EQ(r.CatalogueRows(), 0);
    EXPECT_EQ(r.LoadedWireTable->Rows(), 0);
    DataLoad(r);
    EXPECT_EQ(r.LoadedWireTable, &WireTable::Stored());
    for (int i = 0; i < 4; ++i) {
        r.GappedCores = i % 2 == 1;
        ArrayData_QV_Load(r);
        EXPECT_EQ(r.LoadedCatalogue, &Catalogue::OfFamily(r.GappedCores)) << "switch " << i;
        EXPECT_EQ(r.CatalogueRows(), r.GappedCores ? 34 : 36);
        EXPECT_EQ(r.MaxAreaProduct, 11.376);  // the largest WaAc of the catalogue
    }
    r.MaxAreaProduct = 50;  // a higher value stays: loads never lower it
    ArrayData_QV_Load(r);
    EXPECT_EQ(r.MaxAreaProduct, 50);

    const DesignRecord loaded = LoadedRecord(false);
    EXPECT_EQ(loaded.CalculatorType, Calculator::CalculateCore);
    EXPECT_EQ(loaded.LoadedCatalogue, &Catalogue::NoGap());
    DesignRecord copy = loaded;
    copy.CoreIndex = 5;
    EXPECT_EQ(&copy.ChosenCore(), &Catalogue::NoGap().Row(5));
}

TEST(Catalogue, WireTable) {
    const WireTable& t = WireTable::Stored();
    ASSERT_EQ(t.Rows(), 37);
    EXPECT_EQ(t.Row(1).awg, 8);
    EXPECT_EQ(t.Row(1).resistance, 20.5);
    EXPECT_EQ(t.Row(1).diameter, 0.335);
    EXPECT_EQ(t.Row(1).area, 88.1);
    EXPECT_EQ(t.Row(37).awg, 44);
    for (int k = 2; k <= 37; ++k) {
        const Wire &w = t.Row(k), &thicker = t.Row(k - 1);
        SCOPED_TRACE("AWG " + std::to_string(w.awg));
        EXPECT_EQ(w.awg, thicker.awg + 1);
        EXPECT_LT(w.diameter, thicker.diameter);
        // Resistance goes as 1/d^2 of the copper: consecutive gauges, about 1.26 apart.
        EXPECT_NEAR(w.resistance / thicker.resistance, 1.26, 0.06);
        // Area over insulation is pi/4 d^2 in 1e-3 cm^2, to the stored rounding (0.5 %).
        EXPECT_NEAR(kPi / 4 * w.diameter * w.diameter * 1000 / w.area, 1, 0.005);
    }
}

// The stored figures agree with each other to their stored rounding; a
// mistyped digit breaks one of these relations. Tolerances are relative.
TEST(Catalogue, RowsAreConsistentAndInAscendingAreaProduct) {
    for (const Catalogue* catalogue : {&Catalogue::Gapped(), &Catalogue::NoGap()}) {
        for (int k = 1; k <= catalogue->Rows(); ++k) {
            const Core& c = catalogue->Row(k);
            SCOPED_TRACE(c.partNo);
            if (k > 1) {
                EXPECT_GT(c.waAc, catalogue->Row(k - 1).waAc);
            }
            EXPECT_NEAR(c.lm * c.ac / c.volume, 1, 0.04);
            EXPECT_NEAR(kPi / 4 * std::pow(c.id / 10, 2) / c.wa, 1, 0.025);
            EXPECT_NEAR(c.wa * c.ac / c.waAc, 1, 0.06);
            // AL in nH = 4 pi mu Ac / Lm (cm units).
            EXPECT_NEAR(4 * kPi * c.perm * c.ac / c.lm / c.al, 1, 0.02);
            const double od = c.od / 10, id = c.id / 10, ht = c.ht / 10;
            EXPECT_NEAR((kPi / 2 * (od * od - id * id) + kPi * (od + id) * ht) / c.surface, 1, 0.005);
            EXPECT_LE(c.partNo.size(), 20u);
        }
    }
}

TEST(PickList, LayoutsAndLookUp) {
    const Catalogue &g = Catalogue::Gapped(), &n = Catalogue::NoGap();
    const std::string field = "6205TXGP            ";  // padded to 20
    EXPECT_EQ(PickListEntry(g.Row(1), PickLayout::DiametersFirst), field + " OD= 13mm,  ID= 7 mm, Height = 6mm");
    EXPECT_EQ(PickListEntry(g.Row(1), PickLayout::HeightFirst), field + " HT= 6mm,  OD= 13 mm, ID = 7mm");
    // Halves round away from zero: OD 9.50 and 38.5, ID 21.69, HT 11.05.
    EXPECT_EQ(PickListEntry(n.Row(2), PickLayout::DiametersFirst).substr(20), " OD= 10mm,  ID= 4 mm, Height = 5mm");
    EXPECT_EQ(PickListEntry(g.Row(g.RowOf("6228TXGP")), PickLayout::DiametersFirst).substr(20),
              " OD= 39mm,  ID= 22 mm, Height = 11mm");
    for (const Catalogue* c : {&g, &n}) {
        for (auto layout : {PickLayout::DiametersFirst, PickLayout::HeightFirst}) {
            const auto list = LoadPickCoreArray(*c, layout);
            ASSERT_EQ(list.size(), static_cast<size_t>(c->Rows()) + 1);
            EXPECT_EQ(list[0], "");
            for (int k = 1; k <= c->Rows(); ++k) {
                EXPECT_EQ(list[k], PickListEntry(c->Row(k), layout));
                EXPECT_EQ(c->RowOf(PartNumberOfEntry(list[k])), k);
            }
        }
    }
    EXPECT_EQ(n.RowOf("6233TXNG"), 0);  // the no-gap family lacks this size
    EXPECT_EQ(n.RowOf("6205TXGP"), 0);  // the other family's part number
    EXPECT_EQ(g.RowOf("6205txgp"), 0);  // exact text comparison
    EXPECT_EQ(g.RowOf(""), 0);
    EXPECT_EQ(Catalogue::Empty().RowOf("6205TXGP"), 0);
    EXPECT_EQ(PartNumberOfEntry(" 6205TXGP"), "");
}

TEST(PickList, PartWithStack) {
    const struct {
        int stack;
        StackOfOne oneCore;
        const char* text;
    } cases[] = {{1, StackOfOne::PartAlone, "6218TXGP"},     {2, StackOfOne::PartAlone, "6218TXGP * 2"},
                 {9, StackOfOne::PartAlone, "6218TXGP * 9"}, {1, StackOfOne::Written, "6218TXGP * 1"},
                 {3, StackOfOne::Written, "6218TXGP * 3"},   {0, StackOfOne::PartAlone, "6218TXGP * 0"}};
    for (const auto& c : cases) EXPECT_EQ(PartWithStack("6218TXGP", c.stack, c.oneCore), c.text) << c.stack;
}

}  // namespace
}  // namespace coredesign
