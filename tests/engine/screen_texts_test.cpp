// The texts of the results screen and of the intermediate outputs screen,
// for known designs and for single figures.
#include "screen_texts.h"

#include <gtest/gtest.h>

#include "engine_checks.h"

namespace coredesign {
namespace {

const char* const kSq = "\xC2\xB2";  // superscript two

// The values of the intermediate outputs screen, in the order of its rows:
// Labelo2..Labelo10, Labelo15..Labelo19, Labelo28..Labelo32.
const int kValueRows[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 15, 16, 17, 18, 19, 28, 29, 30, 31, 32};

struct KnownDesign {
    const char* screen;  // as testing::Screen reads it
    Outcome outcome;
    // Inputs echo, then the summary: txtInductance, txtFluxDensity, txtFrequency, txtcore,
    // txtOutCoreSize, txtStackout, txtNoOfTurns, txtWireSize, txtInductanceZero,
    // txtInductanceFull, txtCopperLoss, txtCoreLoss, txtTotalLoss, txtTotalTempRise.
    std::vector<std::string> results;
    std::vector<std::string> intermediate;  // kValueRows
};

// The default design's figures are pinned here and nowhere else; the other
// tests compare with the engine. Figures checked against an independent
// calculation of the same formulas.
const KnownDesign kKnownDesigns[] = {
    {"",
     Outcome::Results,
     {"318", "1.2", "50000", "", "6218TXGP", "", "58", "18", "318", "317.7", "0.65", "0.0061", "0.66", "16"},
     {"0.5 amp", "3.75 amp", "0.0022 W-s", "0.185 cm^4", std::string("0.009 cm") + kSq, "18 AWG", "0.109 cm", "58",
      "0.38", "3.58 cm", "228.5 cm", "47.88 mohm", "0.0296 cm", "0.65 W", "0.43 tesla", "0.0288 tesla", "0.28 W/kg",
      "0.0061 W", "0.66 W"}},
    {"nogap pick=6220TXNG txtStack=3 txtFrequency=200 cmbfrequency=kHz txtInductance=150 cmbinductance=microhenry",
     Outcome::Results,
     {"150", "0.8", "200000", "6220TXNG", "6220TXNG", "* 3", "19", "18", "169.9", "158.3", "0.57", "0.0089", "0.58",
      "7"},
     {"0.27 amp", "3.63 amp", "0.0011 W-s", "2.253 cm^4", std::string("0.009 cm") + kSq, "18 AWG", "0.109 cm", "19",
      "0.09", "9.92 cm", "207.2 cm", "43.41 mohm", "0.0148 cm", "0.57 W", "0.27 tesla", "0.0099 tesla", "0.17 W/kg",
      "0.0089 W", "0.58 W"}},
    {"pick=6205TXGP",
     Outcome::FillWarning,
     {},
     {"0.5 amp", "3.75 amp", "0.0022 W-s", "0.035 cm^4", std::string("0.009 cm") + kSq, "18 AWG", "0.109 cm", "100",
      "2.12", "1.8 cm", "198.1 cm", "41.5 mohm", "0.0296 cm", "0.62 W", "0.61 tesla", "0.0408 tesla", "0.67 W/kg",
      "0.0012 W", "0.62 W"}},
};

TEST(ScreenTexts, KnownDesigns) {
    for (const KnownDesign& k : kKnownDesigns) {
        SCOPED_TRACE(k.screen);
        InputScreen s = testing::Screen(k.screen);
        ASSERT_EQ(s.ShowResults().outcome, k.outcome);
        ASSERT_TRUE(s.Results() != nullptr);
        if (!k.results.empty()) {
            const ResultsTexts& r = *s.Results();
            const std::string* boxes[] = {&r.txtInductance,     &r.txtFluxDensity,    &r.txtFrequency,  &r.txtcore,
                                          &r.txtOutCoreSize,    &r.txtStackout,       &r.txtNoOfTurns,  &r.txtWireSize,
                                          &r.txtInductanceZero, &r.txtInductanceFull, &r.txtCopperLoss, &r.txtCoreLoss,
                                          &r.txtTotalLoss,      &r.txtTotalTempRise};
            for (size_t i = 0; i < k.results.size(); ++i) EXPECT_EQ(*boxes[i], k.results[i]) << "box " << i;
            EXPECT_EQ((std::vector<std::string>{r.txtOutPutVoltage, r.txtDCCurrent, r.txtMinInputVoltage,
                                                r.txtCurrentDensityFactor, r.txtAmbientTemp, r.VoutUnit}),
                      (std::vector<std::string>{"10", "3.5", "24", "400", "35", std::string(" A/cm") + kSq}));
            EXPECT_FALSE(r.txtTotalTempRiseAlarm);
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

// The input echo of the core size: written from the list's text in Pick
// Core only, and left alone by an empty list text. (The figures' rounding is
// the number texts' and the known designs'.)
TEST(ScreenTexts, TheCoreSizeEchoFollowsTheCalculatorType) {
    DesignRecord r;
    ResultsTexts t;
    EXPECT_EQ(t.VoutUnit, "A/cm^2");  // before the first fill
    t.txtcore = "kept";
    const std::string entry = "6205TXGP             HT= 6mm,  OD= 13 mm, ID = 7mm";
    r.CalculatorType = Calculator::CalculateCore;
    DisplayResults(r, entry, t);
    EXPECT_EQ(t.txtcore, "kept");
    EXPECT_EQ(t.VoutUnit, std::string(" A/cm") + kSq);
    r.CalculatorType = Calculator::PickCore;
    DisplayResults(r, entry, t);
    EXPECT_EQ(t.txtcore, "6205TXGP");
    DisplayResults(r, "", t);
    EXPECT_EQ(t.txtcore, "6205TXGP");
}

TEST(ScreenTexts, ResultsScreenOutlivesADesign) {
    // The input reading creates the results screen from the record as it then
    // stands; after a fill warning the screen is not shown and not refilled.
    InputScreen s = testing::Screen("pick=6205TXGP");
    ASSERT_EQ(s.ShowResults().outcome, Outcome::FillWarning);
    ASSERT_TRUE(s.Results() != nullptr);
    EXPECT_EQ(s.Results()->txtOutCoreSize, "");
    EXPECT_EQ(s.Results()->txtNoOfTurns, "0");
    EXPECT_EQ(s.Results()->txtInductance, "318");
    EXPECT_EQ(s.Results()->txtcore, "6205TXGP");
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

// A long text on a screen: cut to the limit with an ellipsis, counted in
// characters (UTF-8), none split; a text within the limit as it is.
TEST(ScreenTexts, LongTextsAreShortenedToTheLimit) {
    const struct {
        std::string text;
        std::size_t limit;
        std::string shown;
    } cases[] = {
        {"", 4, ""},
        {"abcd", 4, "abcd"},
        {"abcde", 4, "abc\u2026"},
        {"\u00B5\u00B5\u00B5\u00B5", 4, "\u00B5\u00B5\u00B5\u00B5"},
        {"\u00B5\u00B5\u00B5\u00B5\u00B5", 4, "\u00B5\u00B5\u00B5\u2026"},
        {"a\U0001F529bcd", 4, "a\U0001F529b\u2026"},
        {std::string(40000, '7'), kShortTextLimit, std::string(kShortTextLimit - 1, '7') + "\u2026"},
    };
    for (const auto& c : cases) EXPECT_EQ(ShortenedText(c.text, c.limit), c.shown) << c.text.substr(0, 30);
}

}  // namespace
}  // namespace coredesign
