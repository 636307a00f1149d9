// The texts of the results screen and of the intermediate outputs screen.
#include "screen_texts.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include "test_support.h"

namespace coredesign {
namespace {

const char* const kSq = "\xC2\xB2";  // superscript two

std::map<std::string, std::string> SummaryBoxes(const ResultsTexts& t) {
    return {{"txtInductance", t.txtInductance},
            {"txtOutPutVoltage", t.txtOutPutVoltage},
            {"txtDCCurrent", t.txtDCCurrent},
            {"txtFluxDensity", t.txtFluxDensity},
            {"txtFrequency", t.txtFrequency},
            {"txtMinInputVoltage", t.txtMinInputVoltage},
            {"txtCurrentDensityFactor", t.txtCurrentDensityFactor},
            {"VoutUnit", t.VoutUnit},
            {"txtAmbientTemp", t.txtAmbientTemp},
            {"txtcore", t.txtcore},
            {"txtOutCoreSize", t.txtOutCoreSize},
            {"txtStackout", t.txtStackout},
            {"txtNoOfTurns", t.txtNoOfTurns},
            {"txtWireSize", t.txtWireSize},
            {"txtInductanceZero", t.txtInductanceZero},
            {"txtInductanceFull", t.txtInductanceFull},
            {"txtCopperLoss", t.txtCopperLoss},
            {"txtCoreLoss", t.txtCoreLoss},
            {"txtTotalLoss", t.txtTotalLoss},
            {"txtTotalTempRise", t.txtTotalTempRise}};
}

// The values of the intermediate outputs screen, in the order of its rows:
// Labelo2..Labelo10, Labelo15..Labelo19, Labelo28..Labelo32.
const int kValueRows[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 16, 17, 18, 19, 28, 29, 30, 31, 32};

struct KnownDesign {
    const char* name;
    std::function<void(HeadlessSession&)> setup;
    Outcome outcome;
    // Inputs echo, then the summary: txtInductance, txtFluxDensity, txtFrequency, txtcore,
    // txtOutCoreSize, txtStackout, txtNoOfTurns, txtWireSize, txtInductanceZero,
    // txtInductanceFull, txtCopperLoss, txtCoreLoss, txtTotalLoss, txtTotalTempRise.
    std::vector<std::string> results;
    std::vector<std::string> intermediate;  // kValueRows
};

// Figures checked against an independent calculation of the same formulas.
const KnownDesign kKnownDesigns[] = {
    {"default",
     [](HeadlessSession&) {},
     Outcome::Results,
     {"318", "1.2", "50000", "", "6218TXGP", "", "58", "18", "318", "317.7", "0.65", "0.0061", "0.66", "16"},
     {"0.5 amp", "3.75 amp", "0.0022 W-s", "0.185 cm^4", std::string("0.009 cm") + kSq, "18 AWG", "0.109 cm", "58",
      "0.38", "3.58 cm", "228.5 cm", "47.88 mohm", "0.0296 cm", "0.65 W", "0.43 tesla", "0.0288 tesla", "0.28 W/kg",
      "0.0061 W", "0.66 W"}},
    {"no-gap family",
     [](HeadlessSession& s) { s.ChooseFamily(false); },
     Outcome::Results,
     {"318", "0.8", "50000", "", "6218TXNG", "", "53", "18", "642.5", "309.9", "0.59", "0.0072", "0.6", "15"},
     {"0.5 amp", "3.75 amp", "0.0045 W-s", "0.668 cm^4", std::string("0.009 cm") + kSq, "18 AWG", "0.109 cm", "53",
      "0.35", "3.58 cm", "208.8 cm", "43.75 mohm", "0.0296 cm", "0.59 W", "0.46 tesla", "0.0307 tesla", "0.33 W/kg",
      "0.0072 W", "0.6 W"}},
    {"two cores",
     [](HeadlessSession& s) { s.Fields().txtStack = "2"; },
     Outcome::Results,
     {"318", "1.2", "50000", "", "6213TXGP", "* 2", "57", "18", "318", "310.1", "0.93", "0.0062", "0.94", "21"},
     {"0.5 amp", "3.75 amp", "0.0022 W-s", "0.185 cm^4", std::string("0.009 cm") + kSq, "18 AWG", "0.109 cm", "57",
      "0.37", "5.15 cm", "323.2 cm", "67.7 mohm", "0.0296 cm", "0.93 W", "0.46 tesla", "0.0308 tesla", "0.33 W/kg",
      "0.0062 W", "0.94 W"}},
    {"picked no-gap core, three stacked, 200 kHz, 150 uH",
     [](HeadlessSession& s) {
         s.ChooseFamily(false);
         s.ChoosePickCore();
         s.PickPart("6220TXNG");
         s.Fields().txtStack = "3";
         s.Fields().txtFrequency = "200";
         s.Fields().cmbfrequency = "kHz";
         s.Fields().txtInductance = "150";
         s.Fields().cmbinductance = "microhenry";
     },
     Outcome::Results,
     {"150", "0.8", "200000", "6220TXNG", "6220TXNG", "* 3", "19", "18", "169.9", "158.3", "0.57", "0.0089", "0.58",
      "7"},
     {"0.27 amp", "3.63 amp", "0.0011 W-s", "2.253 cm^4", std::string("0.009 cm") + kSq, "18 AWG", "0.109 cm", "19",
      "0.09", "9.92 cm", "207.2 cm", "43.41 mohm", "0.0148 cm", "0.57 W", "0.27 tesla", "0.0099 tesla", "0.17 W/kg",
      "0.0089 W", "0.58 W"}},
    {"picked core overfilled",
     [](HeadlessSession& s) {
         s.ChoosePickCore();
         s.PickPart("6205TXGP");
     },
     Outcome::FillWarning,
     {},
     {"0.5 amp", "3.75 amp", "0.0022 W-s", "0.035 cm^4", std::string("0.009 cm") + kSq, "18 AWG", "0.109 cm", "100",
      "2.12", "1.8 cm", "198.1 cm", "41.5 mohm", "0.0296 cm", "0.62 W", "0.61 tesla", "0.0408 tesla", "0.67 W/kg",
      "0.0012 W", "0.62 W"}},
};

TEST(ScreenTexts, KnownDesigns) {
    for (const KnownDesign& k : kKnownDesigns) {
        SCOPED_TRACE(k.name);
        HeadlessSession s;
        k.setup(s);
        ASSERT_EQ(s.ShowResults().outcome, k.outcome);
        ASSERT_TRUE(s.Results().has_value());
        if (!k.results.empty()) {
            auto boxes = SummaryBoxes(*s.Results());
            const char* names[] = {"txtInductance",     "txtFluxDensity",    "txtFrequency",  "txtcore",
                                   "txtOutCoreSize",    "txtStackout",       "txtNoOfTurns",  "txtWireSize",
                                   "txtInductanceZero", "txtInductanceFull", "txtCopperLoss", "txtCoreLoss",
                                   "txtTotalLoss",      "txtTotalTempRise"};
            for (size_t i = 0; i < k.results.size(); ++i) EXPECT_EQ(boxes[names[i]], k.results[i]) << names[i];
            EXPECT_EQ(boxes["txtOutPutVoltage"], "10");
            EXPECT_EQ(boxes["txtDCCurrent"], "3.5");
            EXPECT_EQ(boxes["txtMinInputVoltage"], "24");
            EXPECT_EQ(boxes["txtCurrentDensityFactor"], "400");
            EXPECT_EQ(boxes["VoutUnit"], std::string(" A/cm") + kSq);
            EXPECT_EQ(boxes["txtAmbientTemp"], "35");
            EXPECT_FALSE(s.Results()->txtTotalTempRiseAlarm);
        }
        const IntermediateTexts t = MakeIntermediateTexts(s.Record());
        for (size_t i = 0; i < k.intermediate.size(); ++i)
            EXPECT_EQ(t.Labelo[kValueRows[i]], k.intermediate[i]) << "Labelo" << kValueRows[i];
        const bool warned = k.outcome == Outcome::FillWarning;
        EXPECT_EQ(t.FillFactorRed, warned);
        EXPECT_EQ(t.txtWarning, warned ? "This design exceeds core operating parameters. \r\n"
                                         "Please modify design inputs Or let the program\r\n"
                                         "select a suitable core for you."
                                       : "");
    }
}

TEST(ScreenTexts, IntermediateCaptionsAndEmptyRows) {
    HeadlessSession s;
    s.ShowResults();
    const IntermediateTexts t = MakeIntermediateTexts(s.Record());
    const std::map<int, std::string> captions = {
        {1, "Calculated Factors:"},
        {2, "Ripple Current"},
        {3, "Peak Current"},
        {4, "Energy At Full Load"},
        {5, "Calc. Area Product"},
        {6, "Copper Area"},
        {7, "Wire Size"},
        {8, "Wire Diameter"},
        {9, "No. of Turns"},
        {10, "Actual Fill Factor"},
        {14, "Coil Details:"},
        {15, "Length of Mean Turn"},
        {16, "Length of Conductor"},
        {17,
         "Conductor Resistance 25\xC2\xB0"
         "C"},
        {18, "Skin Depth"},
        {19, "Conductor Loss @ Temp"},
        {27, "Magnetic Parameters:"},
        {28, "Bdc"},
        {29, "Bac"},
        {30, "Core Loss"},
        {31, "Material Loss"},
        {32, "Total Losses"},
        {33, "  (Material Loss + Copper Loss)"},
    };
    for (int k = 1; k <= 38; ++k) {
        auto it = captions.find(k);
        EXPECT_EQ(t.Label[k], it == captions.end() ? "" : it->second) << "Label" << k;
        const bool hasValue = it != captions.end() && k != 1 && k != 14 && k != 27 && k != 33;
        EXPECT_EQ(t.Labelo[k].empty(), !hasValue) << "Labelo" << k;
    }
}

TEST(ScreenTexts, IntermediateFormsOfSingleFigures) {
    Module1 r;
    r.ActualFillFactor = 0.456;
    r.ConductorResistance = 0.0125;
    r.MaterialLoss = 100;
    r.CoreMass = {0, 20};  // a 20 g core at row 1
    r.CoreIndex = 1;
    r.Stack = 2;
    r.WireSize = 18;
    r.Turns = -3;
    const IntermediateTexts t = MakeIntermediateTexts(r);
    EXPECT_EQ(t.Labelo[10], "0.46");
    EXPECT_EQ(t.Labelo[17], "12.5 mohm");
    EXPECT_EQ(t.Labelo[30], "100 W/kg");
    EXPECT_EQ(t.Labelo[31], "4 W");
    EXPECT_EQ(t.Labelo[7], "18 AWG");
    EXPECT_EQ(t.Labelo[9], "-3");
    EXPECT_EQ(t.Labelo[2], "0 amp");  // a record before any design shows zeros
    EXPECT_FALSE(t.FillFactorRed);
    EXPECT_EQ(t.txtWarning, "");
}

TEST(ScreenTexts, DisplayResultsRoundsAndMarks) {
    Module1 r;
    r.CalculatorType = 1;
    r.CoreSize = "6218TXGP";
    r.Stack = 3;
    r.Turns = 58;
    r.WireSize = 18;
    r.Inductance = 0.000105;
    r.InductanceEntered = 0.000105;
    r.InductanceFullLoad = 99.96;
    r.CopperLossAtTemp = 1.5;
    r.CoreLoss = 0.12344;
    r.TotalLoss = 1.62344;
    r.TempRise = 32.5;
    r.AmbientTemp = -5;
    r.FluxDensity = 1.2;
    r.Frequency = 100000;
    ResultsTexts t;
    EXPECT_EQ(t.VoutUnit, "A/cm^2");  // before the first fill
    t.txtcore = "kept";
    DisplayResults(r, "6205TXGP             HT= 6mm,  OD= 13 mm, ID = 7mm", t);
    EXPECT_EQ(t.txtcore, "kept");  // Calculate Core does not write the input echo
    EXPECT_EQ(t.txtOutCoreSize, "6218TXGP");
    EXPECT_EQ(t.txtStackout, "* 3");
    EXPECT_EQ(t.txtNoOfTurns, "58");
    EXPECT_EQ(t.txtWireSize, "18");
    EXPECT_EQ(t.txtInductanceZero, "105");
    EXPECT_EQ(t.txtInductance, "105");
    EXPECT_EQ(t.txtInductanceFull, "100");
    EXPECT_EQ(t.txtCopperLoss, "1.5");
    EXPECT_EQ(t.txtCoreLoss, "0.1234");
    EXPECT_EQ(t.txtTotalLoss, "1.62");
    EXPECT_EQ(t.txtTotalTempRise, "32");
    EXPECT_EQ(t.txtAmbientTemp, "-5");
    EXPECT_EQ(t.txtFrequency, "100000");
    EXPECT_EQ(t.VoutUnit, std::string(" A/cm") + kSq);

    r.TempRise = 33.5;
    r.Stack = 1;
    r.CalculatorType = 2;
    DisplayResults(r, "6205TXGP             HT= 6mm,  OD= 13 mm, ID = 7mm", t);
    EXPECT_EQ(t.txtTotalTempRise, "34");
    EXPECT_EQ(t.txtStackout, "");
    EXPECT_EQ(t.txtcore, "6205TXGP");
    DisplayResults(r, "", t);  // an empty list text leaves the echo alone
    EXPECT_EQ(t.txtcore, "6205TXGP");
}

TEST(ScreenTexts, ClearResultFieldsEmptiesTheEightOutputs) {
    HeadlessSession s;
    s.ShowResults();
    ResultsTexts t = *s.Results();
    ClearResultFields(t);
    for (const std::string* box : {&t.txtOutCoreSize, &t.txtNoOfTurns, &t.txtWireSize, &t.txtInductanceFull,
                                   &t.txtCopperLoss, &t.txtCoreLoss, &t.txtTotalLoss, &t.txtTotalTempRise})
        EXPECT_EQ(*box, "");
    EXPECT_EQ(t.txtInductanceZero, "318");  // not one of the eight
    EXPECT_EQ(t.txtInductance, "318");
}

TEST(ScreenTexts, ResultsScreenOutlivesADesign) {
    HeadlessSession s;
    s.ChoosePickCore();
    ASSERT_TRUE(s.PickPart("6218TXGP"));
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
    EXPECT_EQ(s.Results()->txtcore, "6218TXGP");
    // Calculate Core on the same (never closed) screen keeps the echo of the pick.
    s.ChooseCalculateCore();
    s.Fields().txtStack = "2";
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
    EXPECT_EQ(s.Results()->txtcore, "6218TXGP");
    EXPECT_EQ(s.Results()->txtOutCoreSize, "6213TXGP");
    EXPECT_EQ(s.Results()->txtStackout, "* 2");
}

TEST(ScreenTexts, FillWarningLeavesTheResultsScreenAsTheInputReadingMadeIt) {
    // The input reading creates the results screen from the record as it then
    // stands; after a fill warning the screen is not shown and not refilled.
    HeadlessSession s;
    s.ChoosePickCore();
    ASSERT_TRUE(s.PickPart("6205TXGP"));
    ASSERT_EQ(s.ShowResults().outcome, Outcome::FillWarning);
    ASSERT_TRUE(s.Results().has_value());
    EXPECT_EQ(s.Results()->txtOutCoreSize, "");
    EXPECT_EQ(s.Results()->txtNoOfTurns, "0");
    EXPECT_EQ(s.Results()->txtInductance, "318");
    EXPECT_EQ(s.Results()->txtcore, "6205TXGP");
}

}  // namespace
}  // namespace coredesign
