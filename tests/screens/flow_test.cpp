// What a Show Results run hands over between the screens: the Pick Core
// fill warning with its messages, screens that exist at most once, and the
// end of the program when the last screen goes.
#include <map>

#include "screen_look.h"
#include "screens_test_support.h"

namespace coredesign::gui::testing {
namespace {

using ScreenFlow = ScreensTest;

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
    frmXls& input = Input();
    QTest::mouseClick(&Child<QCheckBox>(input, "chkPickCore"), Qt::LeftButton);
    PickEntry("6205TXGP");
    SetField("txtDCCurrent", QString::fromUtf8(c.dcCurrent));
    SetField("txtAmbientTemp", QString::fromUtf8(c.ambient));
    // While a message is up the intermediate screen is not shown yet.
    std::vector<bool> intermediateDuringMessages;
    onMessage = [&](const MessageBoxRequest&) {
        intermediateDuringMessages.push_back(registry->Find<frmIntermediateOutput>() != nullptr);
    };
    ShowResults();
    PumpEvents();

    HeadlessSession session;
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
    // The fill message carries no title of its own (the application's) and no icon.
    EXPECT_EQ(Str(messages[0].title), "Output Inductor Core Design Tool");
    EXPECT_EQ(messages[0].icon, BoxIcon::None);
    EXPECT_EQ(Str(messages[0].text).rfind("Actual window fill, ", 0), 0u);

    EXPECT_TRUE(input.isVisible());
    frmIntermediateOutput* intermediate = registry->Find<frmIntermediateOutput>();
    ASSERT_NE(intermediate, nullptr);
    EXPECT_TRUE(intermediate->isVisible());
    ExpectSameIntermediate(intermediate->Texts(), MakeIntermediateTexts(session.Record()));
    EXPECT_EQ(Str(Child<QLabel>(*intermediate, "txtWarning").text()),
              "This design exceeds core operating parameters. \r\nPlease modify design inputs Or let the "
              "program\r\nselect a suitable core for you.");
    EXPECT_EQ(TextColour(Child<QLabel>(*intermediate, "txtWarning")), look::kRed);
    EXPECT_EQ(TextColour(Child<QLabel>(*intermediate, "Labelo10")), look::kRed);
    EXPECT_EQ(TextColour(Child<QLabel>(*intermediate, "Labelo28")), look::kNavy);
    EXPECT_FALSE(registry->Find<frmResult>()->isVisible());
    EXPECT_EQ(registry->Find<frmResult>()->TemperatureAlarm(), c.messageIds.size() == 2);

    // Close resets the list to its first entry; the input screen stays as it is.
    Click(*intermediate, "cmdExit");
    PumpEvents();
    EXPECT_EQ(registry->Find<frmIntermediateOutput>(), nullptr);
    EXPECT_EQ(CoreList().currentIndex(), 0);
    EXPECT_TRUE(input.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Cases, PickCoreOverfill,
                         ::testing::Values(Overfill{"FillOnly", "10", "35", {"fill"}},
                                           Overfill{"FillThenTemperature", "3.5", "150", {"fill", "temperature"}}),
                         [](const ::testing::TestParamInfo<Overfill>& info) { return std::string(info.param.name); });

TEST_F(ScreenFlow, EachScreenExistsAtMostOnce) {
    frmXls& input = Input();
    EXPECT_EQ(&registry->Get<frmXls>(), &input);
    ShowResults();
    frmResult* results = registry->Find<frmResult>();
    Click(*results, "cmdExit");
    PumpEvents();
    ShowResults();
    Click(*registry->Find<frmResult>(), "cmdIinterOutput");
    Click(*registry->Find<frmResult>(), "cmdIinterOutput");
    std::map<std::string, int> count;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget()) ++count[w->metaObject()->className()];
    EXPECT_EQ(count["coredesign::gui::frmXls"], 1);
    EXPECT_EQ(count["coredesign::gui::frmResult"], 1);
    EXPECT_EQ(count["coredesign::gui::frmIntermediateOutput"], 1);
}

TEST_F(ScreenFlow, TheProgramEndsWhenTheLastScreenCloses) {
    frmXls& input = Input();
    ShowResults();
    Click(*registry->Find<frmResult>(), "cmdIinterOutput");
    PumpEvents();
    registry->Find<frmIntermediateOutput>()->close();
    registry->Find<frmResult>()->close();  // shows the input screen again
    PumpEvents();
    EXPECT_EQ(programEnds, 0);
    EXPECT_TRUE(input.isVisible());
    Click(input, "cmdExit");  // Cancel, and no start screen in this test
    PumpEvents();
    EXPECT_EQ(registry->LiveScreens(), 0);
    EXPECT_EQ(programEnds, 1);
}

TEST_F(ScreenFlow, AResultsScreenThatWasOnlyTouchedDoesNotKeepTheProgramAlive) {
    SetField("txtInductance", QString());
    ShowResults();  // refused; the input reading created the results screen, hidden
    ASSERT_NE(registry->Find<frmResult>(), nullptr);
    Click(Input(), "cmdExit");
    PumpEvents();
    EXPECT_EQ(programEnds, 1);
}

TEST_F(ScreenFlow, TheIntermediateScreenStaysBesideTheInputsAfterReset) {
    ShowResults();
    Click(*registry->Find<frmResult>(), "cmdIinterOutput");
    Click(*registry->Find<frmResult>(), "cmdExit");
    PumpEvents();
    EXPECT_TRUE(Input().isVisible());
    ASSERT_NE(registry->Find<frmIntermediateOutput>(), nullptr);
    EXPECT_TRUE(registry->Find<frmIntermediateOutput>()->isVisible());
    // Closing it shows nothing else and, after an ordinary design, leaves the list.
    Click(*registry->Find<frmIntermediateOutput>(), "cmdExit");
    PumpEvents();
    EXPECT_EQ(CoreList().count(), 0);  // emptied by the results screen's Reset in Calculate Core mode
    EXPECT_FALSE(CoreList().isEnabled());
}

}  // namespace
}  // namespace coredesign::gui::testing
