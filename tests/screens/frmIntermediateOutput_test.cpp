// The intermediate outputs screen: the Pick Core fill warning that brings it
// up beside the input screen, the figures of its creation, and its Close.
#include "frmIntermediateOutput.h"

#include <QLabel>

#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

using IntermediateScreen = ScreenTest;

// Pick Core on a core too small for the design: the messages first, then the
// input screen stays with the intermediate outputs and their warning; the
// hidden results screen holds what the input reading left.
TEST_F(IntermediateScreen, AnOverfilledPickWarnsThenShowsTheWarningBesideTheInputs) {
    for (const char* screen : {"pick=6205TXGP txtDCCurrent=10", "pick=6205TXGP txtAmbientTemp=150"}) {
        SCOPED_TRACE(screen);
        Fresh();
        std::vector<bool> intermediateDuringMessages;
        onMessage = [&](const MessageBoxRequest&) { intermediateDuringMessages.push_back(Intermediate() != nullptr); };
        Enter(screen);
        ShowResults();
        PumpEvents();
        InputScreen engine = coredesign::testing::Screen(screen);
        const RunResult& run = engine.ShowResults();
        ASSERT_EQ(run.outcome, Outcome::FillWarning);
        ExpectMessagesOf(run);
        EXPECT_EQ(intermediateDuringMessages, std::vector<bool>(run.messages.size(), false));

        EXPECT_TRUE(Input().isVisible());
        ASSERT_TRUE(Shown(Intermediate()));
        ExpectSameIntermediate(Intermediate()->Texts(), MakeIntermediateTexts(engine.Record()));
        EXPECT_EQ(TextColour(Child<QLabel>(*Intermediate(), "txtWarning")), look::kRed);
        EXPECT_EQ(TextColour(Child<QLabel>(*Intermediate(), "Labelo10")), look::kRed);
        EXPECT_EQ(TextColour(Child<QLabel>(*Intermediate(), "Labelo9")), look::kNavy);
        EXPECT_FALSE(Results()->isVisible());
        ExpectSameBoxes(Results()->Texts(), *engine.Results());

        // Close resets the list to its first entry; the input screen stays as it is.
        ClickAndSettle(Intermediate(), "cmdExit");
        EXPECT_EQ(Intermediate(), nullptr);
        EXPECT_EQ(CoreList().currentIndex(), 0);
        EXPECT_TRUE(Input().isVisible());
    }
}

// The screen keeps the figures of its creation until closed.
TEST_F(IntermediateScreen, ShowsTheFiguresOfItsCreationUntilClosed) {
    ShowResults();
    OpenCalculations();
    frmIntermediateOutput* screen = Intermediate();
    ASSERT_TRUE(Shown(screen));
    const IntermediateTexts first = MakeIntermediateTexts(record);
    ExpectSameIntermediate(screen->Texts(), first);
    EXPECT_EQ(TextColour(Child<QLabel>(*screen, "Labelo10")), look::kNavy);  // the fill factor: no warning

    // A new design while it stays open.
    ClickAndSettle(Results(), "cmdExit");
    SetField("txtDCCurrent", QStringLiteral("5"));
    ShowResults();
    OpenCalculations();
    EXPECT_EQ(Intermediate(), screen);
    ExpectSameIntermediate(screen->Texts(), first);
    ASSERT_NE(MakeIntermediateTexts(record).Labelo[3], first.Labelo[3]);  // the record did move on

    // Closed and opened again: the new figures.
    ClickAndSettle(screen, "cmdExit");
    EXPECT_EQ(Intermediate(), nullptr);
    OpenCalculations();
    ExpectSameIntermediate(Intermediate()->Texts(), MakeIntermediateTexts(record));
}

}  // namespace
}  // namespace coredesign::gui::testing
