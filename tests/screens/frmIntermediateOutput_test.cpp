// What a Show Results run hands over between the screens: the Pick Core
// fill warning with its messages, the intermediate screen's figures, screens
// that exist at most once, and the end of the program when the last screen goes.
#include "frmIntermediateOutput.h"

#include <QLabel>
#include <map>

#include "input_screen.h"
#include "layout_check.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

using ScreenFlow = ScreenTest;
using ScreenLayout = ScreenTest;

// Pick Core on a core too small for the design.
struct Overfill {
    const char* name;
    const char* dcCurrent;
    const char* ambient;
    std::vector<std::string> messageIds;
};

class PickCoreOverfill : public ScreenFlow, public ::testing::WithParamInterface<Overfill> {};

TEST_P(PickCoreOverfill, WarnsThenEndsOnTheInputsWithTheIntermediateWarning) {
    const Overfill& c = GetParam();
    PickCore("6205TXGP");
    SetField("txtDCCurrent", QString::fromUtf8(c.dcCurrent));
    SetField("txtAmbientTemp", QString::fromUtf8(c.ambient));
    // While a message is up the intermediate screen is not shown yet.
    std::vector<bool> intermediateDuringMessages;
    messages.onMessage = [&](const MessageBoxRequest&) {
        intermediateDuringMessages.push_back(Intermediate() != nullptr);
    };
    ShowResults();
    PumpEvents();

    InputScreen session;
    session.ChoosePickCore();
    ASSERT_TRUE(session.PickPart("6205TXGP"));
    session.Fields().txtDCCurrent = c.dcCurrent;
    session.Fields().txtAmbientTemp = c.ambient;
    const RunResult& run = session.ShowResults();
    ASSERT_EQ(run.outcome, Outcome::FillWarning);
    ASSERT_EQ(messages.size(), c.messageIds.size());
    ASSERT_EQ(run.messages.size(), c.messageIds.size());
    for (size_t k = 0; k < messages.size(); ++k) {
        EXPECT_EQ(MessageIdName(run.messages[k].id), c.messageIds[k]);
        EXPECT_EQ(Str(messages[k].text), run.messages[k].text);
        EXPECT_EQ(Str(messages[k].title), run.messages[k].title);
        EXPECT_FALSE(intermediateDuringMessages[k]);
    }
    // The fill message carries the application's title and no icon.
    EXPECT_EQ(Str(messages[0].title), "Output Inductor Core Design Tool");
    EXPECT_EQ(messages[0].icon, BoxIcon::None);

    EXPECT_TRUE(Input().isVisible());
    ASSERT_TRUE(Shown(Intermediate()));
    ExpectSameIntermediate(Intermediate()->Texts(), MakeIntermediateTexts(session.Record()));
    EXPECT_EQ(TextColour(Child<QLabel>(*Intermediate(), "txtWarning")), look::kRed);
    EXPECT_EQ(TextColour(Child<QLabel>(*Intermediate(), "Labelo10")), look::kRed);
    EXPECT_EQ(TextColour(Child<QLabel>(*Intermediate(), "Labelo28")), look::kNavy);
    // The hidden results screen holds what the input reading left: outputs emptied.
    ASSERT_TRUE(session.Results().has_value());
    EXPECT_FALSE(Results()->isVisible());
    EXPECT_EQ(Boxes(Results()->Texts()), Boxes(*session.Results()));
    EXPECT_EQ(Results()->TemperatureAlarm(), c.messageIds.size() == 2);

    // Close resets the list to its first entry; the input screen stays as it is.
    ClickAndSettle(Intermediate(), "cmdExit");
    EXPECT_EQ(Intermediate(), nullptr);
    EXPECT_EQ(CoreList().currentIndex(), 0);
    EXPECT_TRUE(Input().isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, PickCoreOverfill,
                         ::testing::Values(Overfill{"FillOnly", "10", "35", {"fill"}},
                                           Overfill{"FillThenTemperature", "3.5", "150", {"fill", "temperature"}}),
                         [](const ::testing::TestParamInfo<Overfill>& info) { return std::string(info.param.name); });

// The intermediate screen keeps the figures of its creation until closed;
// each screen exists at most once.
TEST_F(ScreenFlow, TheIntermediateScreenShowsTheFiguresOfItsCreationUntilClosed) {
    ShowResults();
    OpenCalculations();
    frmIntermediateOutput* screen = Intermediate();
    ASSERT_TRUE(Shown(screen));
    InputScreen session;
    session.ShowResults();
    const IntermediateTexts first = MakeIntermediateTexts(session.Record());
    ExpectSameIntermediate(screen->Texts(), first);
    EXPECT_EQ(first.txtWarning, "");
    EXPECT_EQ(TextColour(Child<QLabel>(*screen, "Labelo10")), look::kNavy);  // the fill factor: no warning

    // A new design while it stays open.
    ClickAndSettle(Results(), "cmdExit");
    SetField("txtDCCurrent", QStringLiteral("5"));
    ShowResults();
    OpenCalculations();
    EXPECT_EQ(Intermediate(), screen);
    ExpectSameIntermediate(screen->Texts(), first);
    EXPECT_NE(MakeIntermediateTexts(record).Labelo[3], first.Labelo[3]);  // the record did move on
    EXPECT_EQ(&registry->Get<frmXls>(), &Input());
    std::map<std::string, int> count;
    for (QWidget* w : QApplication::topLevelWidgets()) ++count[w->metaObject()->className()];
    for (const char* screenClass : {"frmXls", "frmResult", "frmIntermediateOutput"})
        EXPECT_EQ(count[std::string("coredesign::gui::") + screenClass], 1) << screenClass;

    // Closed and opened again: the new figures.
    ClickAndSettle(screen, "cmdExit");
    EXPECT_EQ(Intermediate(), nullptr);
    OpenCalculations();
    ExpectSameIntermediate(Intermediate()->Texts(), MakeIntermediateTexts(record));
}

TEST_F(ScreenFlow, TheProgramEndsWhenTheLastScreenCloses) {
    frmXls& input = Input();
    ShowResults();
    OpenCalculations();
    PumpEvents();
    Intermediate()->close();
    Results()->close();  // shows the input screen again
    PumpEvents();
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(input.isVisible());
    ClickAndSettle(&input, "cmdExit");  // Cancel, and no start screen in this test
    EXPECT_EQ(registry->LiveScreens(), 0);
    EXPECT_EQ(programEnds, 1);
}

TEST_F(ScreenFlow, AResultsScreenThatWasOnlyTouchedDoesNotKeepTheProgramAlive) {
    SetField("txtInductance", QString());
    ShowResults();  // refused; the input reading created the results screen, hidden
    ASSERT_NE(Results(), nullptr);
    ClickAndSettle(&Input(), "cmdExit");
    EXPECT_EQ(programEnds, 1);
}

// After an ordinary design the intermediate screen's Close leaves the list.
TEST_F(ScreenFlow, TheIntermediateScreenClosesOnItsOwn) {
    PickCore("6218TXGP");
    ShowResults();
    OpenCalculations();
    ClickAndSettle(Intermediate(), "cmdExit");
    EXPECT_EQ(PartNumberOfEntry(Str(CoreList().currentText())), "6218TXGP");

    // Left open after Reset, it stays beside the inputs.
    OpenCalculations();
    ClickAndSettle(Results(), "cmdExit");
    EXPECT_TRUE(Input().isVisible());
    EXPECT_TRUE(Shown(Intermediate()));
}

TEST_F(ScreenLayout, IntermediateScreen) {
    PickCore("6205TXGP");
    ShowResults();  // overfills: the screen carries its warning
    ASSERT_NE(Intermediate(), nullptr);
    CheckAndRender(*Intermediate(), "screen-intermediate.png");
}

}  // namespace
}  // namespace coredesign::gui::testing
