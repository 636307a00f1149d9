// The results screen: its texts against the engine's own for the same
// design, the temperature marking, the refill on activation, the ways back
// to the input screen and what each does to the core list, and its link.
#include "frmResult.h"

#include <QLabel>

#include "layout_check.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

using ResultsScreen = ScreenTest;
using ScreenLayout = ScreenTest;

// The engine's own figures are checked in its tests; this is the one check
// that the screen shows the same for the same inputs, in both families and
// both calculator types. The first design is entered in kHz and microhenry
// with the stack left empty and a unit after the maximum input voltage: the
// record reads it as the initial design.
TEST_F(ResultsScreen, ShowsTheFiguresTheEngineGivesForTheSameInputs) {
    Child<QComboBox>(Input(), "cmbfrequency").setCurrentIndex(1);
    Child<QComboBox>(Input(), "cmbinductance").setCurrentIndex(2);
    SetField("txtFrequency", QStringLiteral("50"));
    SetField("txtInductance", QStringLiteral("318"));
    SetField("txtStack", QString());
    SetField("txtMaxInputVoltage", QStringLiteral("50V"));
    for (const bool pick : {false, true}) {
        SCOPED_TRACE(pick ? "Pick Core, no gap, three cores" : "Calculate Core, gapped");
        InputScreen session;
        if (pick) {
            Click(Input(), "chkNoGap");
            PickCore("6225TXNG");
            SetField("txtStack", QStringLiteral("3"));
            session.ChooseFamily(false);
            session.ChoosePickCore();
            ASSERT_TRUE(session.PickPart("6225TXNG"));
            session.Fields().txtStack = "3";
        }
        ShowResults();
        PumpEvents();
        session.ShowResults();
        ASSERT_EQ(OutcomeName(session.LastRun().outcome), std::string("results"));
        ASSERT_TRUE(Shown(Results()));
        EXPECT_FALSE(Input().isVisible());
        EXPECT_EQ(Boxes(Results()->Texts()), Boxes(*session.Results()));
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(Str(Results()->focusWidget()->objectName()), "cmdIinterOutput");
        for (QLineEdit* box : Results()->findChildren<QLineEdit*>()) EXPECT_TRUE(box->isReadOnly());
        if (!pick) {
            EXPECT_EQ(Str(Field("txtStack").text()), "1");
            EXPECT_EQ(record.Frequency, 50000);
            EXPECT_DOUBLE_EQ(record.InductanceEntered, 0.000318);
            EXPECT_EQ(record.MaxInputVoltage, 50);
        }
        ClickAndSettle(Results(), "cmdExit");
    }
}

TEST_F(ResultsScreen, RefillsFromTheRecordAndKeepsTheTemperatureMarkUntilTheNextRun) {
    PickCore("6218TXGP");
    SetField("txtAmbientTemp", QStringLiteral("150"));
    ShowResults();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Str(messages[0].text).rfind("Total temperature for core size selected is > 155\u00B0C.", 0), 0u);
    auto marked = [&] {
        QLineEdit& rise = Child<QLineEdit>(*Results(), "txtTotalTempRise");
        return rise.font().bold() && TextColour(rise, QPalette::Text) == look::kRed && Results()->TemperatureAlarm();
    };
    EXPECT_TRUE(marked());
    // Showing and activating rewrite every box from the record, and keep the mark.
    record.Turns = 7;
    record.TempRise = 32.5;
    record.Stack = 3;
    Results()->hide();
    Results()->show();
    EXPECT_EQ(Results()->Texts().txtNoOfTurns, "7");
    EXPECT_EQ(Results()->Texts().txtTotalTempRise, "32");
    EXPECT_EQ(Results()->Texts().txtStackout, "* 3");
    record.Turns = 9;
    Activate(*Results());
    EXPECT_EQ(Results()->Texts().txtNoOfTurns, "9");
    EXPECT_TRUE(marked());

    // Back to the inputs, a cooler design: the input reading clears the mark.
    ClickAndSettle(Results(), "cmdExit");
    PickEntry("6218TXGP");
    SetField("txtAmbientTemp", QStringLiteral("35"));
    ShowResults();
    EXPECT_FALSE(marked());
    EXPECT_EQ(TextColour(Child<QLineEdit>(*Results(), "txtTotalTempRise"), QPalette::Text), QColor(Qt::black));
}

// How the designer gets back to the input screen, and the list afterwards.
struct WayBack {
    const char* name;
    bool pickCore;
    bool resetButton;  // else the window's close box
    const char* list;
    const char* chosen;
};

class ReturnToInputs : public ResultsScreen, public ::testing::WithParamInterface<WayBack> {};

TEST_P(ReturnToInputs, ShowsTheInputScreenWithTheListAsTheWayBackLeavesIt) {
    const WayBack& way = GetParam();
    if (way.pickCore) PickCore("6218TXGP");
    ShowResults();
    ASSERT_TRUE(Shown(Results()));
    if (way.resetButton)
        Click(*Results(), "cmdExit");
    else
        Results()->close();
    PumpEvents();
    EXPECT_EQ(Results(), nullptr);
    EXPECT_TRUE(Input().isVisible());
    EXPECT_EQ(ListState(CoreList()), way.list);
    EXPECT_EQ(PartNumberOfEntry(Str(CoreList().currentText())), way.chosen);
    EXPECT_EQ(Str(Field("txtDCCurrent").text()), "3.5");  // the fields keep their values
}

INSTANTIATE_TEST_SUITE_P(Ways, ReturnToInputs,
                         ::testing::Values(WayBack{"CalculateReset", false, true, "0  disabled grey", ""},
                                           WayBack{"CalculateCloseBox", false, false, "35 6205TXGP A enabled", ""},
                                           WayBack{"PickReset", true, true, "35 6205TXGP B enabled", ""},
                                           WayBack{"PickCloseBox", true, false, "35 6205TXGP B enabled", "6218TXGP"}),
                         [](const ::testing::TestParamInfo<WayBack>& info) { return std::string(info.param.name); });

TEST_F(ResultsScreen, TheNoteTurnsTheLinkYellowThenRedUntilTheScreenIsMadeAfresh) {
    int web = 0;
    registry->Command().LaunchWebSite = [&] { ++web; };
    ShowResults();
    QLineEdit& link = Child<QLineEdit>(*Results(), "cmdWebLink");
    QLabel& note = Child<QLabel>(*Results(), "Label2");
    EXPECT_EQ(TextColour(link, QPalette::Text), look::kLinkBlue);
    QTest::mousePress(&note, Qt::LeftButton);
    EXPECT_EQ(TextColour(link, QPalette::Text), look::kLinkYellow);
    QTest::mouseRelease(&note, Qt::LeftButton);
    EXPECT_EQ(TextColour(link, QPalette::Text), look::kRed);
    Activate(*Results());
    EXPECT_EQ(TextColour(link, QPalette::Text), look::kRed);
    EXPECT_EQ(web, 0);
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(web, 1);

    ClickAndSettle(Results(), "cmdExit");
    ShowResults();
    EXPECT_EQ(TextColour(Child<QLineEdit>(*Results(), "cmdWebLink"), QPalette::Text), look::kLinkBlue);
}

TEST_F(ScreenLayout, ResultsScreen) {
    PickCore("6218TXGP");
    SetField("txtStack", QStringLiteral("2"));
    SetField("txtAmbientTemp", QStringLiteral("150"));  // with the temperature marked
    ShowResults();
    CheckAndRender(*Results(), "screen-results.png");
}

}  // namespace
}  // namespace coredesign::gui::testing
