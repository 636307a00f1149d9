#include "screen_flow.h"

#include "input_screen.h"

namespace coredesign {

const char* ScreenName(Screen screen) {
    switch (screen) {
        case Screen::Start: return "frmEnter";
        case Screen::Input: return "frmXls";
        case Screen::Results: return "frmResult";
        case Screen::Intermediate: return "frmIntermediateOutput";
        case Screen::ReportViewer: return "frmHtmlReport";
        case Screen::Directions: return "frmDirections";
        case Screen::CompareCores: return "frmCompareCores";
        case Screen::InductanceCurve: return "frmInductanceCurve";
    }
    return "";
}

FlowSteps ScreenFlow::Command(FlowCommand command) const {
    switch (command) {
        case FlowCommand::Launch: return {{Screen::Start, Move::Show}};
        case FlowCommand::Accept: return {{Screen::Input, Move::Show}, {Screen::Start, Move::Close}};
        case FlowCommand::ExitStart: return {{Screen::Start, Move::Close}};
        // The start screen comes back made anew.
        case FlowCommand::Cancel: return {{Screen::Input, Move::Close}, {Screen::Start, Move::Show}};
        case FlowCommand::Help: return {{Screen::Directions, Move::Show}, {Screen::Directions, Move::Refill}};
        // Compares for the input screen's texts as they stand (a new window, or again).
        case FlowCommand::Compare: return {{Screen::CompareCores, Move::Show}, {Screen::CompareCores, Move::Refill}};
        case FlowCommand::ResetDesignInputs:
            return {{Screen::Input, Move::ResetCoreList}, {Screen::Results, Move::Close}};
        // An open intermediate outputs screen is only brought forward: its figures stay.
        case FlowCommand::Calculations: return {{Screen::Intermediate, Move::Show}};
        case FlowCommand::ViewReport: return {{Screen::ReportViewer, Move::Show}};
        // The browser's parent window; a directions screen made for it alone does not count.
        case FlowCommand::WebLink: return {{Screen::Directions, Move::CreateUnseen}};
        case FlowCommand::Curve:
            return {{Screen::InductanceCurve, Move::Refill}, {Screen::InductanceCurve, Move::Show}};
        case FlowCommand::CloseIntermediate: {
            // After a design that exceeded its core, the input screen's list is reset.
            FlowSteps steps;
            if (input_ && Exists(Screen::Input) && input_->Record().DesignWarning)
                steps.push_back({Screen::Input, Move::ResetCoreList});
            steps.push_back({Screen::Intermediate, Move::Close});
            return steps;
        }
        case FlowCommand::Back: return {{Screen::Results, Move::Show}, {Screen::ReportViewer, Move::Close}};
        case FlowCommand::ResetDesign:
            return {{Screen::Input, Move::ResetCoreList},
                    {Screen::Input, Move::Show},
                    {Screen::Results, Move::Close},
                    {Screen::ReportViewer, Move::Close}};
        case FlowCommand::ExitDirections: return {{Screen::Directions, Move::Close}};
        case FlowCommand::UseThisDesign: {
            // Back to the input screen as from the results screen: the run then shows the results again.
            FlowSteps steps;
            if (Visible(Screen::Results)) steps.push_back({Screen::Results, Move::SetAside});
            steps.push_back({Screen::Input, Move::Show});
            return steps;
        }
        case FlowCommand::CloseCompare: return {{Screen::CompareCores, Move::Close}};
        case FlowCommand::CloseCurve: return {{Screen::InductanceCurve, Move::Close}};
    }
    return {};
}

FlowSteps ScreenFlow::ShowResults() {
    FlowSteps steps;
    if (!input_) return steps;
    const RunResult& run = input_->ShowResults();
    const ResultsScreen* results = input_->ResultsModel();
    if (results) {
        steps.push_back({Screen::Results, Move::CreateUnseen});
        steps.push_back({Screen::Results, Move::Refill});
    }
    if (run.showResults) {
        steps.push_back({Screen::Input, Move::Hide});
        steps.push_back({Screen::Results, Move::Show});
    } else if (run.outcome == Outcome::FillWarning) {
        // The input screen stays; the intermediate outputs carry the warning. A
        // screen left open from an earlier design shows this one's figures.
        steps.push_back({Screen::Input, Move::Show});
        if (run.showIntermediate) {
            if (Exists(Screen::Intermediate)) steps.push_back({Screen::Intermediate, Move::Refill});
            steps.push_back({Screen::Intermediate, Move::Show});
        }
    }
    if (results && Exists(Screen::InductanceCurve))
        steps.push_back({Screen::InductanceCurve, results->ShowsDesign() ? Move::Refill : Move::Close});
    return steps;
}

FlowSteps ScreenFlow::Closing(Screen s) {
    switch (s) {
        case Screen::Results:
            if (input_) input_->CloseResults();
            // The curve shows this screen's design: it goes with it. However this
            // screen goes, the designer is back on the input screen.
            return {{Screen::InductanceCurve, Move::Close}, {Screen::Input, Move::Show}};
        // The comparison belongs to the input screen's designs.
        case Screen::Input: return {{Screen::CompareCores, Move::Close}};
        default: return {};
    }
}

std::string DescribeSteps(const FlowSteps& steps) {
    static const char* const kMoves[] = {"show",  "hide", "set aside", "close", "create unseen", "reset core list",
                                         "refill"};
    std::string out;
    for (const FlowStep& step : steps)
        out += std::string(ScreenName(step.screen)) + " " + kMoves[static_cast<int>(step.move)] + "\n";
    return out;
}

}  // namespace coredesign
