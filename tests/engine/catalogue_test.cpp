// The core catalogue, the wire table, their loaders and the core size list.
#include "catalogue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "numtext.h"
#include "test_support.h"

namespace coredesign {
namespace {

using testing::LoadedRecord;

size_t CatalogueSize(const Module1& r) {
    const size_t n = r.CorePartNo.size();
    for (const auto* c : {&r.CoreOD, &r.CoreID, &r.CoreHT, &r.CoreLm, &r.CoreAc, &r.CoreVolume, &r.CoreWa, &r.CoreWaAc,
                          &r.CoreMass, &r.CorePerm, &r.CoreAL, &r.CoreSurface})
        if (c->size() != n) return 0;  // the thirteen arrays must agree
    return n;
}

TEST(Catalogue, GappedFamilyAfterLoad) {
    const Module1 r = LoadedRecord(true);
    ASSERT_EQ(CatalogueSize(r), 35u);  // element 0 and rows 1..34
    EXPECT_EQ(r.CatalogueRows(), 34);
    EXPECT_EQ(r.CorePartNo[0], "");
    EXPECT_EQ(r.CorePartNo[1], "6205TXGP");
    EXPECT_EQ(r.CorePartNo[34], "6238TXGP");
    EXPECT_EQ(r.CoreOD[0], 0);
    EXPECT_EQ(r.CoreWaAc[0], 0);
    for (int k = 1; k <= 34; ++k) {
        EXPECT_EQ(r.CorePerm[k], 100) << r.CorePartNo[k];
        EXPECT_EQ(r.CorePartNo[k].substr(4), "TXGP");
    }
    // Row 1 in full: 6205TXGP,13.23,7.46,6.12,3.14,0.08,0.25,0.44,0.035,1.83,100,32,5.86
    EXPECT_EQ(r.CoreOD[1], 13.23);
    EXPECT_EQ(r.CoreID[1], 7.46);
    EXPECT_EQ(r.CoreHT[1], 6.12);
    EXPECT_EQ(r.CoreLm[1], 3.14);
    EXPECT_EQ(r.CoreAc[1], 0.08);
    EXPECT_EQ(r.CoreVolume[1], 0.25);
    EXPECT_EQ(r.CoreWa[1], 0.44);
    EXPECT_EQ(r.CoreWaAc[1], 0.035);
    EXPECT_EQ(r.CoreMass[1], 1.83);
    EXPECT_EQ(r.CoreAL[1], 32);
    EXPECT_EQ(r.CoreSurface[1], 5.86);
}

TEST(Catalogue, NoGapFamilyAfterLoad) {
    const Module1 r = LoadedRecord(false);
    ASSERT_EQ(CatalogueSize(r), 37u);
    EXPECT_EQ(r.CorePartNo[1], "6201TXNG");
    EXPECT_EQ(r.CorePartNo[36], "6238TXNG");
    EXPECT_EQ(r.CoreAc[1], 0.036);
    EXPECT_EQ(r.CoreHT[1], 4.7);  // stored as "4.70"
    EXPECT_EQ(r.CoreAL[1], 61.3);
    for (int k = 1; k <= 36; ++k) {
        const bool small = k <= 4 || k == 6 || k == 7;
        EXPECT_EQ(r.CorePerm[k], small ? 270 : 245) << "row " << k;
    }
}

TEST(Catalogue, SwitchingFamiliesNeverAccumulatesRows) {
    Module1 r = LoadedRecord(true);
    for (int i = 0; i < 25; ++i) {
        r.GappedCores = !r.GappedCores;
        ArrayData_QV_Load(r);
        ASSERT_EQ(CatalogueSize(r), r.GappedCores ? 35u : 37u) << "switch " << i;
        EXPECT_EQ(r.CorePartNo[1], r.GappedCores ? "6205TXGP" : "6201TXNG");
        EXPECT_EQ(r.MaxAreaProduct, 11.376);
    }
    // The wire table is not touched by a family switch, and reloading it does not grow it.
    DataLoad(r);
    DataLoad(r);
    EXPECT_EQ(r.WireTableAWG.size(), 38u);
}

TEST(Catalogue, MaxAreaProductStartsAtZeroAndIsOnlyRaised) {
    Module1 r;
    EXPECT_EQ(r.MaxAreaProduct, 0);
    r.GappedCores = false;
    ArrayData_QV_Load(r);
    EXPECT_EQ(r.MaxAreaProduct, 11.376);
    r.MaxAreaProduct = 50;  // a higher value stays: loads never lower it
    r.GappedCores = true;
    ArrayData_QV_Load(r);
    EXPECT_EQ(r.MaxAreaProduct, 50);
}

TEST(Catalogue, WireTable) {
    const Module1 r = LoadedRecord();
    ASSERT_EQ(r.WireTableAWG.size(), 38u);
    ASSERT_EQ(r.WireTableResistance.size(), 38u);
    ASSERT_EQ(r.WireTableDiameter.size(), 38u);
    ASSERT_EQ(r.WireTableArea.size(), 38u);
    EXPECT_EQ(r.WireTableAWG[0], 0);
    EXPECT_EQ(r.WireTableAWG[1], 8);
    EXPECT_EQ(r.WireTableAWG[37], 44);
    EXPECT_EQ(r.WireTableResistance[1], 20.5);
    EXPECT_EQ(r.WireTableDiameter[1], 0.335);
    EXPECT_EQ(r.WireTableArea[1], 88.1);
    EXPECT_EQ(r.WireTableResistance[37], 85072);
    EXPECT_EQ(r.WireTableDiameter[37], 0.00635);
    EXPECT_EQ(r.WireTableArea[37], 0.031685);
    for (int k = 2; k <= 37; ++k) {
        EXPECT_EQ(r.WireTableAWG[k], r.WireTableAWG[k - 1] + 1);
        EXPECT_LT(r.WireTableDiameter[k], r.WireTableDiameter[k - 1]) << "AWG " << r.WireTableAWG[k];
        EXPECT_LT(r.WireTableArea[k], r.WireTableArea[k - 1]) << "AWG " << r.WireTableAWG[k];
        EXPECT_GT(r.WireTableResistance[k], r.WireTableResistance[k - 1]) << "AWG " << r.WireTableAWG[k];
        // Area over insulation is pi/4 d^2 in 1e-3 cm^2, to the stored rounding (0.5 %).
        const double area = 3.14159265358979 / 4 * r.WireTableDiameter[k] * r.WireTableDiameter[k] * 1000;
        EXPECT_NEAR(area / r.WireTableArea[k], 1, 0.005) << "AWG " << r.WireTableAWG[k];
    }
}

// The stored figures agree with each other to their stored rounding; a
// mistyped digit breaks one of these relations. Tolerances are relative.
TEST(Catalogue, RowsAreConsistentAndInAscendingAreaProduct) {
    const double pi = 3.14159265358979;
    for (bool gapped : {true, false}) {
        const Module1 r = LoadedRecord(gapped);
        for (int k = 1; k <= r.CatalogueRows(); ++k) {
            SCOPED_TRACE(r.CorePartNo[k]);
            if (k > 1) {
                EXPECT_GT(r.CoreWaAc[k], r.CoreWaAc[k - 1]);
            }
            EXPECT_NEAR(r.CoreLm[k] * r.CoreAc[k] / r.CoreVolume[k], 1, 0.04);
            EXPECT_NEAR(pi / 4 * std::pow(r.CoreID[k] / 10, 2) / r.CoreWa[k], 1, 0.025);
            EXPECT_NEAR(r.CoreWa[k] * r.CoreAc[k] / r.CoreWaAc[k], 1, 0.06);
            // AL in nH = 4 pi mu Ac / Lm (cm units).
            EXPECT_NEAR(4 * pi * r.CorePerm[k] * r.CoreAc[k] / r.CoreLm[k] / r.CoreAL[k], 1, 0.02);
            const double od = r.CoreOD[k] / 10, id = r.CoreID[k] / 10, ht = r.CoreHT[k] / 10;
            const double surface = 2 * pi * (od * od - id * id) / 4 + pi * (od + id) * ht;
            EXPECT_NEAR(surface / r.CoreSurface[k], 1, 0.005);
            EXPECT_LE(r.CorePartNo[k].size(), 20u);
            EXPECT_EQ(r.CorePartNo[k].find(' '), std::string::npos);
        }
        EXPECT_EQ(r.CoreWaAc[r.CatalogueRows()], 11.376);
    }
}

TEST(Catalogue, SizesInBothFamiliesShareTheirGeometry) {
    const Module1 g = LoadedRecord(true), n = LoadedRecord(false);
    std::map<std::string, int> noGapRow;
    for (int k = 1; k <= n.CatalogueRows(); ++k) noGapRow[n.CorePartNo[k].substr(0, 4)] = k;
    int shared = 0;
    for (int k = 1; k <= g.CatalogueRows(); ++k) {
        const std::string size = g.CorePartNo[k].substr(0, 4);
        auto it = noGapRow.find(size);
        if (it == noGapRow.end()) {
            EXPECT_TRUE(size == "6233" || size == "6236") << size;
            continue;
        }
        ++shared;
        const int j = it->second;
        SCOPED_TRACE(size);
        EXPECT_EQ(g.CoreOD[k], n.CoreOD[j]);
        EXPECT_EQ(g.CoreID[k], n.CoreID[j]);
        EXPECT_EQ(g.CoreHT[k], n.CoreHT[j]);
        EXPECT_EQ(g.CoreLm[k], n.CoreLm[j]);
        EXPECT_EQ(g.CoreAc[k], n.CoreAc[j]);
        EXPECT_EQ(g.CoreVolume[k], n.CoreVolume[j]);
        EXPECT_EQ(g.CoreWa[k], n.CoreWa[j]);
        EXPECT_EQ(g.CoreWaAc[k], n.CoreWaAc[j]);
        EXPECT_EQ(g.CoreMass[k], n.CoreMass[j]);
        EXPECT_EQ(g.CoreSurface[k], n.CoreSurface[j]);
    }
    EXPECT_EQ(shared, 32);  // 34 gapped sizes less 6233 and 6236
}

TEST(Catalogue, StoredTextsKeepTheirFormat) {
    const std::string gapped = GappedCatalogueText(), noGap = NoGapCatalogueText(), wire = WireTableText();
    EXPECT_EQ(gapped.rfind(",6205TXGP,13.23,7.46,6.12,3.14,0.08,0.25,0.44,0.035,1.83,100,32,5.86,", 0), 0u);
    EXPECT_EQ(noGap.rfind(",6201TXNG,8.71,4.47,4.70,1.98,0.036,0.07,0.16,0.006,0.51,270,61.3,2.82,", 0), 0u);
    EXPECT_EQ(wire.rfind(",8,20.5,0.335,88.1,", 0), 0u);
    const std::string wireEnd = "44,85072,0.00635,0.031685,";
    EXPECT_EQ(wire.substr(wire.size() - wireEnd.size()), wireEnd);
    EXPECT_EQ(gapped.find(' '), std::string::npos);
    EXPECT_EQ(noGap.find(' '), std::string::npos);
}

TEST(Catalogue, CommaDecimalLocaleStillReadsThePoint) {
    testing::LocaleGuard restore;
    if (!testing::UseCommaLocale()) GTEST_SKIP() << "no locale with a decimal comma is installed or could be generated";
    Module1 r;
    DataLoad(r);
    r.GappedCores = false;
    ArrayData_QV_Load(r);
    EXPECT_EQ(r.CoreAc[1], 0.036);
    EXPECT_EQ(r.WireTableDiameter[1], 0.335);
    EXPECT_EQ(r.MaxAreaProduct, 11.376);
}

// ---- The core size list ----

TEST(PickList, LayoutsOfTheFirstGappedRow) {
    const Module1 r = LoadedRecord(true);
    const std::string field = "6205TXGP            ";  // padded to 20
    EXPECT_EQ(PickListEntry(r, 1, PickLayout::A), field + " OD= 13mm,  ID= 7 mm, Height = 6mm");
    EXPECT_EQ(PickListEntry(r, 1, PickLayout::B), field + " HT= 6mm,  OD= 13 mm, ID = 7mm");
}

TEST(PickList, EntriesFollowTheLoadedFamily) {
    const Module1 g = LoadedRecord(true);
    const auto a = LoadPickCoreArray(g, PickLayout::A);
    ASSERT_EQ(a.size(), 35u);
    EXPECT_EQ(a[0], "");

    const Module1 n = LoadedRecord(false);
    const auto na = LoadPickCoreArray(n, PickLayout::A);
    const auto nb = LoadPickCoreArray(n, PickLayout::B);
    ASSERT_EQ(na.size(), 37u);
    ASSERT_EQ(nb.size(), 37u);
    EXPECT_EQ(na[1], "6201TXNG             OD= 9mm,  ID= 4 mm, Height = 5mm");
    EXPECT_EQ(nb[1], "6201TXNG             HT= 5mm,  OD= 9 mm, ID = 4mm");
    EXPECT_EQ(na[2].substr(20), " OD= 10mm,  ID= 4 mm, Height = 5mm");  // OD 9.50 rounds away from zero
    for (const Module1* r : {&g, &n}) {
        for (auto layout : {PickLayout::A, PickLayout::B}) {
            const auto list = LoadPickCoreArray(*r, layout);
            for (int k = 1; k <= r->CatalogueRows(); ++k) {
                EXPECT_EQ(PartNumberOfEntry(list[k]), r->CorePartNo[k]);
                EXPECT_EQ(list[k].substr(0, 20).find_first_not_of(' ', r->CorePartNo[k].size()), std::string::npos);
                EXPECT_EQ(FindCoreRow(*r, PartNumberOfEntry(list[k])), k);
            }
        }
    }
}

TEST(PickList, HalvesRoundAwayFromZero) {
    const Module1 g = LoadedRecord(true);
    const int row = FindCoreRow(g, "6228TXGP");  // OD 38.5, ID 21.69, HT 11.05
    ASSERT_GT(row, 0);
    EXPECT_EQ(PickListEntry(g, row, PickLayout::A).substr(20), " OD= 39mm,  ID= 22 mm, Height = 11mm");
}

TEST(PickList, PartNumberLookUp) {
    const Module1 g = LoadedRecord(true), n = LoadedRecord(false);
    EXPECT_EQ(FindCoreRow(g, "6238TXGP"), 34);
    EXPECT_EQ(FindCoreRow(g, "6233TXGP"), 29);
    EXPECT_EQ(FindCoreRow(n, "6233TXNG"), 0);  // the no-gap family lacks this size
    EXPECT_EQ(FindCoreRow(n, "6205TXGP"), 0);  // the other family's part number
    EXPECT_EQ(FindCoreRow(g, "6205txgp"), 0);  // exact text comparison
    EXPECT_EQ(FindCoreRow(g, ""), 0);
    EXPECT_EQ(PartNumberOfEntry(""), "");
    EXPECT_EQ(PartNumberOfEntry("6205TXGP"), "6205TXGP");
    EXPECT_EQ(PartNumberOfEntry(" 6205TXGP"), "");
}

}  // namespace
}  // namespace coredesign
