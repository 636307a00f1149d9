// The results screen's model: its table of boxes, and what a run, a show,
// the note and a new screen do to it.
#include "results_screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "curve.h"
#include "engine_checks.h"
#include "input_screen.h"

namespace coredesign {
namespace {

// The table names every box of the screen once, in the screen's order (the
// order of the CLI's JSON), and each record field it shows exists.
TEST(ResultsScreen, TableOfBoxes) {
    std::vector<std::string> controls;
    std::vector<std::string ResultsTexts::*> members;
    for (const ResultBox& box : kResultBoxes) {
        controls.push_back(box.control);
        EXPECT_EQ(std::count(members.begin(), members.end(), box.text), 0) << box.control;
        members.push_back(box.text);
        EXPECT_EQ(FindResultBox(box.control), &box);
        if (box.recordField) {
            bool known = false;
            for (const RecordField& field : kRecordFields) known = known || std::string(field.name) == box.recordField;
            EXPECT_TRUE(known) << box.recordField;
        }
    }
    const std::vector<std::string> order = {"txtInductance",
                                            "txtOutPutVoltage",
                                            "txtDCCurrent",
                                            "txtFluxDensity",
                                            "txtFrequency",
                                            "txtMinInputVoltage",
                                            "txtCurrentDensityFactor",
                                            "VoutUnit",
                                            "txtAmbientTemp",
                                            "txtcore",
                                            "txtOutCoreSize",
                                            "txtStackout",
                                            "txtNoOfTurns",
                                            "txtWireSize",
                                            "txtInductanceZero",
                                            "txtInductanceFull",
                                            "txtCopperLoss",
                                            "txtCoreLoss",
                                            "txtTotalLoss",
                                            "txtTotalTempRise"};
    EXPECT_EQ(controls, order);
    EXPECT_EQ(members.size(), order.size());
    EXPECT_EQ(FindResultBox("txtNothing"), nullptr);
    EXPECT_STREQ(kTemperatureAlarmKey, "txtTotalTempRiseAlarm");
}

// Filled from the table, each box holds the figure of its record field as
// the screen writes it.
TEST(ResultsScreen, FillFollowsTheTable) {
    DesignRecord r;
    r.InductanceEntered = 0.000105;
    r.Inductance = 0.000105;
    r.InductanceFullLoad = 99.96;
    r.OutputVoltage = 12.5;
    r.Frequency = 100000;
    r.AmbientTemp = -5;
    r.Stack = 3;
    r.Turns = 42;
    r.WireSize = 17;
    r.CopperLossAtTemp = 1.5;
    r.CoreLoss = 0.12344;
    r.TempRise = 32.5;
    r.CoreSize = "6218TXGP";
    r.CalculatorType = Calculator::PickCore;
    const ResultsScreen s(r, "6220TXNG OD= 1", false);
    const ResultsTexts& t = s.Texts();
    EXPECT_EQ(t.txtInductance, "105");
    EXPECT_EQ(t.txtInductanceZero, "105");
    EXPECT_EQ(t.txtInductanceFull, "100");
    EXPECT_EQ(t.txtOutPutVoltage, "12.5");
    EXPECT_EQ(t.txtFrequency, "100000");
    EXPECT_EQ(t.txtAmbientTemp, "-5");
    EXPECT_EQ(t.txtStackout, "* 3");
    EXPECT_EQ(t.txtNoOfTurns, "42");
    EXPECT_EQ(t.txtWireSize, "17");
    EXPECT_EQ(t.txtCopperLoss, "1.5");
    EXPECT_EQ(t.txtCoreLoss, "0.1234");
    EXPECT_EQ(t.txtTotalTempRise, "32");
    EXPECT_EQ(t.txtOutCoreSize, "6218TXGP");
    EXPECT_EQ(t.txtcore, "6220TXNG");
    EXPECT_EQ(t.VoutUnit, kCurrentDensityUnit);
}

// A run: the alarm survives the refill of showing, the outputs of a
// Calculate Core run are filled again when shown, the curve is offered only
// with a design; the note turns the link yellow, then red, until the screen
// is made anew.
TEST(ResultsScreen, RunsShowsAndTheNote) {
    InputScreen s = testing::Screen("pick=6218TXGP txtAmbientTemp=150");
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
    ResultsScreen* r = s.ResultsModel();
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->TemperatureAlarm());
    EXPECT_EQ(r->Look(*FindResultBox("txtTotalTempRise")).colour, TextColour::Red);
    EXPECT_TRUE(r->Look(*FindResultBox("txtTotalTempRise")).bold);
    s.RefillResults();
    EXPECT_TRUE(r->TemperatureAlarm());
    EXPECT_TRUE(r->ShowsDesign());
    EXPECT_TRUE(r->CurveOffered());

    EXPECT_EQ(r->WebLinkColour(), TextColour::LinkBlue);
    r->PressNote();
    EXPECT_EQ(r->WebLinkColour(), TextColour::LinkYellow);
    r->ReleaseNote();
    EXPECT_EQ(r->WebLinkColour(), TextColour::Red);
    s.RefillResults();
    EXPECT_EQ(r->WebLinkColour(), TextColour::Red);

    // A refused run: the screen shows no design, and the next run's input
    // reading sets the alarm back.
    s.Fields().txtInductance = "";
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Validation);
    EXPECT_FALSE(s.ResultsModel()->ShowsDesign());
    EXPECT_FALSE(s.ResultsModel()->TemperatureAlarm());

    // Closed and opened anew: blue link, regular black, and a design shown
    // only when the last run left one.
    s.CloseResults();
    EXPECT_EQ(s.Results(), nullptr);
    EXPECT_EQ(s.OpenResults().WebLinkColour(), TextColour::LinkBlue);
    EXPECT_FALSE(s.ResultsModel()->ShowsDesign());
    s.Fields().txtInductance = ".000318";
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
    s.CloseResults();
    EXPECT_TRUE(s.OpenResults().ShowsDesign());
}

// The fill warning: the screen is created and touched by the run, never
// shown: its boxes are those of the record before the run, and it shows the
// fill warning's design (the curve is offered from the record that holds it).
TEST(ResultsScreen, FillWarningTouchesWithoutShowing) {
    InputScreen s = testing::Screen("pick=6205TXGP");
    const RunResult& run = s.ShowResults();
    ASSERT_EQ(run.outcome, Outcome::FillWarning);
    EXPECT_FALSE(run.showResults);
    ASSERT_NE(s.Results(), nullptr);
    EXPECT_EQ(s.Results()->txtOutCoreSize, "");
    EXPECT_EQ(s.Results()->txtNoOfTurns, "0");
    EXPECT_EQ(s.ResultsModel()->ShowsDesign(), HoldsDesign(s.Record()));
}

}  // namespace
}  // namespace coredesign
