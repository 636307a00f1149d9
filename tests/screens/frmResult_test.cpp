// The results screen: its texts against the engine's own for the same
// design, the temperature marking, the refill on activation, the ways back
// to the input screen and what each does to the core list, and its link.
#include "frmResult.h"

#include <QLabel>

#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

using ResultsScreen = ScreenTest;

// The window is told it became the active one.
void Activate(QWidget& window) {
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activate);
}

// The engine's own figures are checked in its tests; this is the one check
// that the screen shows the same for the same inputs, in both families and
// both calculator types, with units, an empty stack and a unit after the
// maximum input voltage.
TEST_F(ResultsScreen, ShowsTheFiguresTheEngineGivesForTheSameInputs) {
    for (const char* screen : {"cmbfrequency=kHz txtFrequency=50 cmbinductance=microhenry txtInductance=318 "
                               "txtStack= txtMaxInputVoltage=50V",
                               "nogap pick=6225TXNG txtStack=3"}) {
        SCOPED_TRACE(screen);
        Fresh();
        Enter(screen);
        ShowResults();
        PumpEvents();
        InputScreen engine = coredesign::testing::Screen(screen);
        ASSERT_EQ(engine.ShowResults().outcome, Outcome::Results);
        ASSERT_TRUE(Shown(Results()));
        EXPECT_FALSE(Input().isVisible());
        ExpectSameBoxes(Results()->Texts(), *engine.Results());
        EXPECT_EQ(Str(Field("txtStack").text()), engine.Fields().txtStack);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(Str(Results()->focusWidget()->objectName()), "cmdIinterOutput");
        for (QLineEdit* box : Results()->findChildren<QLineEdit*>()) EXPECT_TRUE(box->isReadOnly());
    }
}

TEST_F(ResultsScreen, RefillsFromTheRecordAndKeepsTheTemperatureMarkUntilTheNextRun) {
    Enter("pick=6218TXGP txtAmbientTemp=150");
    ShowResults();
    ASSERT_EQ(messages.size(), 1u);  // the temperature message
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
    ResultsTexts expected;
    DisplayResults(record, Str(CoreList().currentText()), expected);
    expected.txtTotalTempRiseAlarm = true;
    ExpectSameBoxes(Results()->Texts(), expected);
    record.Turns = 9;
    Activate(*Results());
    EXPECT_EQ(Results()->Texts().txtNoOfTurns, "9");
    EXPECT_TRUE(marked());

    // Back to the inputs, a cooler design: the input reading clears the mark.
    ClickAndSettle(Results(), "cmdExit");
    Enter("txtAmbientTemp=35");
    PickEntry("6218TXGP");
    ShowResults();
    EXPECT_FALSE(marked());
    EXPECT_EQ(TextColour(Child<QLineEdit>(*Results(), "txtTotalTempRise"), QPalette::Text), QColor(Qt::black));
}

// How the designer gets back to the input screen, and the list afterwards.
TEST_F(ResultsScreen, TheWayBackToTheInputsLeavesTheListAsItSays) {
    const struct {
        bool pickCore;
        bool resetButton;  // else the window's close box
        const char* list;
        const char* chosen;
    } ways[] = {{false, true, "0  disabled grey", ""},
                {false, false, "35 6205TXGP A enabled", ""},
                {true, true, "35 6205TXGP B enabled", ""},
                {true, false, "35 6205TXGP B enabled", "6218TXGP"}};
    for (const auto& way : ways) {
        SCOPED_TRACE(std::string(way.pickCore ? "Pick Core, " : "Calculate Core, ") +
                     (way.resetButton ? "Reset" : "close box"));
        Fresh();
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
}

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
    QTest::mouseClick(&link, Qt::RightButton);
    EXPECT_EQ(web, 0);
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(web, 1);

    ClickAndSettle(Results(), "cmdExit");
    ShowResults();
    EXPECT_EQ(TextColour(Child<QLineEdit>(*Results(), "cmdWebLink"), QPalette::Text), look::kLinkBlue);
}

}  // namespace
}  // namespace coredesign::gui::testing
