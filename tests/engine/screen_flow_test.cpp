// The flow between the screens: the moves of each command, of Show Results
// and of a screen's closing, and which screens keep the program alive.
#include "screen_flow.h"

#include <gtest/gtest.h>

#include "engine_checks.h"
#include "input_screen.h"

namespace coredesign {
namespace {

// Carries the moves out on the flow's own state, as a front end's windows
// would report them; the closing of a screen brings its own moves.
void Carry(ScreenFlow& flow, const FlowSteps& steps) {
    for (const FlowStep& step : steps) {
        switch (step.move) {
            case Move::Show: flow.Shown(step.screen); break;
            case Move::Hide: flow.Hidden(step.screen); break;
            case Move::SetAside:
                flow.Hidden(step.screen);
                flow.SetCounted(step.screen, false);
                break;
            case Move::Close:
                if (flow.Exists(step.screen)) {
                    const FlowSteps after = flow.Closing(step.screen);
                    flow.Gone(step.screen);
                    Carry(flow, after);
                }
                break;
            case Move::CreateUnseen:
                if (!flow.Exists(step.screen)) flow.Created(step.screen, false);
                break;
            case Move::ResetCoreList:
            case Move::Refill: flow.Created(step.screen); break;
        }
    }
}

std::string Existing(const ScreenFlow& flow) {
    std::string out;
    for (int k = 0; k < kScreenCount; ++k) {
        const Screen s = static_cast<Screen>(k);
        if (!flow.Exists(s)) continue;
        out += std::string(out.empty() ? "" : " ") + ScreenName(s) + (flow.Visible(s) ? "" : " (hidden)") +
               (flow.Counts(s) ? "" : " (uncounted)");
    }
    return out;
}

// Each command's moves, as a table.
TEST(ScreenFlow, CommandMoves) {
    ScreenFlow flow;
    const struct {
        FlowCommand command;
        const char* moves;
    } kCases[] = {
        {FlowCommand::Launch, "frmEnter show\n"},
        {FlowCommand::Accept, "frmXls show\nfrmEnter close\n"},
        {FlowCommand::ExitStart, "frmEnter close\n"},
        {FlowCommand::Cancel, "frmXls close\nfrmEnter show\n"},
        {FlowCommand::Help, "frmDirections show\nfrmDirections refill\n"},
        {FlowCommand::Compare, "frmCompareCores show\nfrmCompareCores refill\n"},
        {FlowCommand::ResetDesignInputs, "frmXls reset core list\nfrmResult close\n"},
        {FlowCommand::Calculations, "frmIntermediateOutput show\n"},
        {FlowCommand::ViewReport, "frmHtmlReport show\n"},
        {FlowCommand::WebLink, "frmDirections create unseen\n"},
        {FlowCommand::Curve, "frmInductanceCurve refill\nfrmInductanceCurve show\n"},
        {FlowCommand::CloseIntermediate, "frmIntermediateOutput close\n"},
        {FlowCommand::Back, "frmResult show\nfrmHtmlReport close\n"},
        {FlowCommand::ResetDesign, "frmXls reset core list\nfrmXls show\nfrmResult close\nfrmHtmlReport close\n"},
        {FlowCommand::ExitDirections, "frmDirections close\n"},
        {FlowCommand::UseThisDesign, "frmXls show\n"},
        {FlowCommand::CloseCompare, "frmCompareCores close\n"},
        {FlowCommand::CloseCurve, "frmInductanceCurve close\n"},
    };
    for (const auto& c : kCases) EXPECT_EQ(DescribeSteps(flow.Command(c.command)), c.moves);
    EXPECT_EQ(DescribeSteps(flow.ShowResults()), "");  // no input screen
}

// From the start to the results and back out: which screens exist, and the
// program ends with the last one that counts.
TEST(ScreenFlow, ThroughTheScreens) {
    ScreenFlow flow;
    InputScreen input;
    Carry(flow, flow.Command(FlowCommand::Launch));
    EXPECT_EQ(Existing(flow), "frmEnter");
    Carry(flow, flow.Command(FlowCommand::Accept));
    EXPECT_EQ(Existing(flow), "frmXls");
    flow.AttachInput(&input);

    // Show Results: the results screen the run touched, then shown in place of the input screen.
    const FlowSteps run = flow.ShowResults();
    EXPECT_EQ(DescribeSteps(run), "frmResult create unseen\nfrmResult refill\nfrmXls hide\nfrmResult show\n");
    Carry(flow, run);
    EXPECT_EQ(Existing(flow), "frmXls (hidden) frmResult");

    // The curve follows a new run: it shows the design, or closes without one.
    Carry(flow, flow.Command(FlowCommand::Curve));
    EXPECT_EQ(DescribeSteps(flow.ShowResults()),
              "frmResult create unseen\nfrmResult refill\nfrmXls hide\nfrmResult show\nfrmInductanceCurve refill\n");
    input.Fields().txtInductance.clear();
    EXPECT_EQ(DescribeSteps(flow.ShowResults()),
              "frmResult create unseen\nfrmResult refill\nfrmInductanceCurve close\n");
    input.Fields().txtInductance = ".000318";

    // Use This Design sets a shown results screen aside.
    EXPECT_EQ(DescribeSteps(flow.Command(FlowCommand::UseThisDesign)), "frmResult set aside\nfrmXls show\n");

    // Reset: the results screen goes, with its model and the curve; the input screen is back.
    Carry(flow, flow.Command(FlowCommand::ResetDesignInputs));
    EXPECT_EQ(Existing(flow), "frmXls");
    EXPECT_EQ(input.ResultsModel(), nullptr);

    // The web link's directions screen does not keep the program alive.
    Carry(flow, flow.Command(FlowCommand::WebLink));
    EXPECT_EQ(Existing(flow), "frmXls frmDirections (hidden) (uncounted)");
    EXPECT_EQ(flow.LiveScreens(), 1);
    Carry(flow, flow.Command(FlowCommand::Cancel));
    EXPECT_EQ(Existing(flow), "frmEnter frmDirections (hidden) (uncounted)");
    Carry(flow, flow.Command(FlowCommand::ExitStart));
    EXPECT_TRUE(flow.ProgramEnds());
}

// A fill warning keeps the input screen in front and brings the intermediate
// outputs, written anew when they are open; closing them resets the list.
TEST(ScreenFlow, FillWarning) {
    ScreenFlow flow;
    InputScreen input = testing::Screen("pick=6205TXGP");
    flow.Shown(Screen::Input);
    flow.AttachInput(&input);
    const FlowSteps first = flow.ShowResults();
    EXPECT_EQ(DescribeSteps(first),
              "frmResult create unseen\nfrmResult refill\nfrmXls show\nfrmIntermediateOutput show\n");
    Carry(flow, first);
    EXPECT_EQ(Existing(flow), "frmXls frmResult (hidden) (uncounted) frmIntermediateOutput");
    EXPECT_EQ(DescribeSteps(flow.ShowResults()),
              "frmResult create unseen\nfrmResult refill\nfrmXls show\nfrmIntermediateOutput refill\n"
              "frmIntermediateOutput show\n");
    EXPECT_EQ(DescribeSteps(flow.Command(FlowCommand::CloseIntermediate)),
              "frmXls reset core list\nfrmIntermediateOutput close\n");
    // Closing the input screen takes Compare Cores with it.
    EXPECT_EQ(DescribeSteps(flow.Closing(Screen::Input)), "frmCompareCores close\n");
}

}  // namespace
}  // namespace coredesign
