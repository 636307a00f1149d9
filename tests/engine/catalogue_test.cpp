// The core catalogue, the wire table, their loaders and the core size list.
#include "catalogue.h"

#include <gtest/gtest.h>

#include "engine_checks.h"

namespace coredesign {
namespace {

// The thirteen arrays of a family, all of one size.
size_t CatalogueSize(const DesignRecord& r) {
    const size_t n = r.CorePartNo.size();
    for (const auto* c : {&r.CoreOD, &r.CoreID, &r.CoreHT, &r.CoreLm, &r.CoreAc, &r.CoreVolume, &r.CoreWa, &r.CoreWaAc,
                          &r.CoreMass, &r.CorePerm, &r.CoreAL, &r.CoreSurface})
        if (c->size() != n) return 0;
    return n;
}

TEST(Catalogue, BothFamiliesAfterLoad) {
    const DesignRecord g = LoadedRecord(true), n = LoadedRecord(false);
    ASSERT_EQ(CatalogueSize(g), 35u);  // element 0 and rows 1..34
    ASSERT_EQ(CatalogueSize(n), 37u);
    EXPECT_EQ(g.CorePartNo[0], "");
    EXPECT_EQ(g.CoreOD[0], 0);
    // Row 1 of the gapped family in full: 6205TXGP,13.23,7.46,6.12,3.14,0.08,0.25,0.44,0.035,1.83,100,32,5.86
    EXPECT_EQ(g.CorePartNo[1], "6205TXGP");
    const double row1[] = {g.CoreOD[1], g.CoreID[1],   g.CoreHT[1],   g.CoreLm[1],   g.CoreAc[1], g.CoreVolume[1],
                           g.CoreWa[1], g.CoreWaAc[1], g.CoreMass[1], g.CorePerm[1], g.CoreAL[1], g.CoreSurface[1]};
    const double stored[] = {13.23, 7.46, 6.12, 3.14, 0.08, 0.25, 0.44, 0.035, 1.83, 100, 32, 5.86};
    for (int k = 0; k < 12; ++k) EXPECT_EQ(row1[k], stored[k]) << "column " << k;
    EXPECT_EQ(g.CorePartNo[34], "6238TXGP");
    EXPECT_EQ(n.CorePartNo[1], "6201TXNG");
    EXPECT_EQ(n.CorePartNo[36], "6238TXNG");
    for (int k = 1; k <= 34; ++k) EXPECT_EQ(g.CorePerm[k], 100) << g.CorePartNo[k];
    for (int k = 1; k <= 36; ++k) EXPECT_EQ(n.CorePerm[k], k <= 4 || k == 6 || k == 7 ? 270 : 245) << "row " << k;
}

// A size made in both families is one core shape: the same geometry and mass;
// only the permeability and AL differ.
TEST(Catalogue, BothFamiliesCarryTheSameGeometryAndMassForASize) {
    const DesignRecord g = LoadedRecord(true), n = LoadedRecord(false);
    int shared = 0;
    for (int i = 1; i <= g.CatalogueRows(); ++i) {
        const int k = FindCoreRow(n, g.CorePartNo[i].substr(0, 4) + "TXNG");
        if (k == 0) continue;
        SCOPED_TRACE(g.CorePartNo[i]);
        ++shared;
        for (auto column : {&DesignRecord::CoreOD, &DesignRecord::CoreID, &DesignRecord::CoreHT, &DesignRecord::CoreLm,
                            &DesignRecord::CoreAc, &DesignRecord::CoreVolume, &DesignRecord::CoreWa,
                            &DesignRecord::CoreWaAc, &DesignRecord::CoreMass, &DesignRecord::CoreSurface})
            EXPECT_EQ((g.*column)[i], (n.*column)[k]);
    }
    EXPECT_EQ(shared, 32);
}

TEST(Catalogue, SwitchingFamiliesNeverAccumulatesRows) {
    DesignRecord r;
    EXPECT_EQ(r.MaxAreaProduct, 0);
    DataLoad(r);
    for (int i = 0; i < 4; ++i) {
        r.GappedCores = i % 2 == 1;
        ArrayData_QV_Load(r);
        ASSERT_EQ(CatalogueSize(r), r.GappedCores ? 35u : 37u) << "switch " << i;
        EXPECT_EQ(r.CorePartNo[1], r.GappedCores ? "6205TXGP" : "6201TXNG");
        EXPECT_EQ(r.MaxAreaProduct, 11.376);  // the largest WaAc of the catalogue
    }
    DataLoad(r);  // reloading the wire table does not grow it
    EXPECT_EQ(r.WireTableAWG.size(), 38u);
    r.MaxAreaProduct = 50;  // a higher value stays: loads never lower it
    ArrayData_QV_Load(r);
    EXPECT_EQ(r.MaxAreaProduct, 50);
}

TEST(Catalogue, WireTable) {
    const DesignRecord r = LoadedRecord();
    ASSERT_EQ(r.WireTableAWG.size(), 38u);
    ASSERT_EQ(r.WireTableResistance.size(), 38u);
    ASSERT_EQ(r.WireTableDiameter.size(), 38u);
    ASSERT_EQ(r.WireTableArea.size(), 38u);
    EXPECT_EQ(r.WireTableAWG[1], 8);
    EXPECT_EQ(r.WireTableResistance[1], 20.5);
    EXPECT_EQ(r.WireTableDiameter[1], 0.335);
    EXPECT_EQ(r.WireTableArea[1], 88.1);
    EXPECT_EQ(r.WireTableAWG[37], 44);
    for (int k = 2; k <= 37; ++k) {
        SCOPED_TRACE("AWG " + std::to_string(r.WireTableAWG[k]));
        EXPECT_EQ(r.WireTableAWG[k], r.WireTableAWG[k - 1] + 1);
        EXPECT_LT(r.WireTableDiameter[k], r.WireTableDiameter[k - 1]);
        // Resistance goes as 1/d^2 of the copper: consecutive gauges, about 1.26 apart.
        EXPECT_NEAR(r.WireTableResistance[k] / r.WireTableResistance[k - 1], 1.26, 0.06);
        // Area over insulation is pi/4 d^2 in 1e-3 cm^2, to the stored rounding (0.5 %).
        EXPECT_NEAR(M_PI / 4 * r.WireTableDiameter[k] * r.WireTableDiameter[k] * 1000 / r.WireTableArea[k], 1, 0.005);
    }
}

// The stored figures agree with each other to their stored rounding; a
// mistyped digit breaks one of these relations. Tolerances are relative.
TEST(Catalogue, RowsAreConsistentAndInAscendingAreaProduct) {
    for (bool gapped : {true, false}) {
        const DesignRecord r = LoadedRecord(gapped);
        for (int k = 1; k <= r.CatalogueRows(); ++k) {
            SCOPED_TRACE(r.CorePartNo[k]);
            if (k > 1) {
                EXPECT_GT(r.CoreWaAc[k], r.CoreWaAc[k - 1]);
            }
            EXPECT_NEAR(r.CoreLm[k] * r.CoreAc[k] / r.CoreVolume[k], 1, 0.04);
            EXPECT_NEAR(M_PI / 4 * std::pow(r.CoreID[k] / 10, 2) / r.CoreWa[k], 1, 0.025);
            EXPECT_NEAR(r.CoreWa[k] * r.CoreAc[k] / r.CoreWaAc[k], 1, 0.06);
            // AL in nH = 4 pi mu Ac / Lm (cm units).
            EXPECT_NEAR(4 * M_PI * r.CorePerm[k] * r.CoreAc[k] / r.CoreLm[k] / r.CoreAL[k], 1, 0.02);
            const double od = r.CoreOD[k] / 10, id = r.CoreID[k] / 10, ht = r.CoreHT[k] / 10;
            EXPECT_NEAR((M_PI / 2 * (od * od - id * id) + M_PI * (od + id) * ht) / r.CoreSurface[k], 1, 0.005);
            EXPECT_LE(r.CorePartNo[k].size(), 20u);
        }
    }
}

TEST(PickList, LayoutsAndLookUp) {
    const DesignRecord g = LoadedRecord(true), n = LoadedRecord(false);
    const std::string field = "6205TXGP            ";  // padded to 20
    EXPECT_EQ(PickListEntry(g, 1, PickLayout::DiametersFirst), field + " OD= 13mm,  ID= 7 mm, Height = 6mm");
    EXPECT_EQ(PickListEntry(g, 1, PickLayout::HeightFirst), field + " HT= 6mm,  OD= 13 mm, ID = 7mm");
    // Halves round away from zero: OD 9.50 and 38.5, ID 21.69, HT 11.05.
    EXPECT_EQ(PickListEntry(n, 2, PickLayout::DiametersFirst).substr(20), " OD= 10mm,  ID= 4 mm, Height = 5mm");
    EXPECT_EQ(PickListEntry(g, FindCoreRow(g, "6228TXGP"), PickLayout::DiametersFirst).substr(20),
              " OD= 39mm,  ID= 22 mm, Height = 11mm");
    for (const DesignRecord* r : {&g, &n}) {
        for (auto layout : {PickLayout::DiametersFirst, PickLayout::HeightFirst}) {
            const auto list = LoadPickCoreArray(*r, layout);
            ASSERT_EQ(list.size(), r->CorePartNo.size());
            EXPECT_EQ(list[0], "");
            for (int k = 1; k <= r->CatalogueRows(); ++k) {
                EXPECT_EQ(list[k], PickListEntry(*r, k, layout));
                EXPECT_EQ(FindCoreRow(*r, PartNumberOfEntry(list[k])), k);
            }
        }
    }
    EXPECT_EQ(FindCoreRow(n, "6233TXNG"), 0);  // the no-gap family lacks this size
    EXPECT_EQ(FindCoreRow(n, "6205TXGP"), 0);  // the other family's part number
    EXPECT_EQ(FindCoreRow(g, "6205txgp"), 0);  // exact text comparison
    EXPECT_EQ(FindCoreRow(g, ""), 0);
    EXPECT_EQ(PartNumberOfEntry(" 6205TXGP"), "");
}

}  // namespace
}  // namespace coredesign
