// The flow between the program's screens: which screens exist, which are
// shown, and for each command which screens are shown, hidden, set aside,
// closed or created; and when the program ends (when no screen that counts
// is left). A front end keeps the windows: it tells the flow what became of
// them (Created, Shown, Hidden, SetCounted, Gone) and carries out the moves
// the flow's commands give, in their order. Each screen exists at most once.
//
// The state part is written inline (the desktop program's lowest Qt layer
// keeps a flow without linking the engine); the commands are in
// screen_flow.cpp.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "design_run.h"

namespace coredesign {

class InputScreen;

// The screens, by their control names: frmEnter, frmXls, frmResult,
// frmIntermediateOutput, frmHtmlReport, frmDirections, frmCompareCores,
// frmInductanceCurve.
enum class Screen { Start, Input, Results, Intermediate, ReportViewer, Directions, CompareCores, InductanceCurve };
inline constexpr int kScreenCount = 8;

// The screen's control name ("frmResult").
const char* ScreenName(Screen screen);

enum class Move {
    Show,           // created when it does not exist, visible and active; it counts
    Hide,           // kept, not visible; it still counts
    SetAside,       // kept, not visible, and it no longer counts until it is shown again
    Close,          // destroyed (when it exists); its own closing follows (Closing)
    CreateUnseen,   // created without being shown when it does not exist; such a screen does not count
    ResetCoreList,  // the input screen (created when it does not exist) resets its core size list
    Refill,         // the screen shows its figures anew: the results screen its model, the intermediate
                    // outputs the record's figures, the curve window the results screen's design, the
                    // directions screen its two texts with the focus on Exit (created when it does not exist)
};

struct FlowStep {
    Screen screen;
    Move move;
    bool operator==(const FlowStep& other) const { return screen == other.screen && move == other.move; }
};
using FlowSteps = std::vector<FlowStep>;

// The commands of the screens that move between screens.
enum class FlowCommand {
    Launch,             // the program starts
    Accept,             // start screen: "I &Accept"
    ExitStart,          // start screen: "E&xit"
    Cancel,             // input screen: "&Cancel"
    Help,               // input screen: "Help"
    Compare,            // input screen: "C&ompare Cores", once the texts pass the input checks
    ResetDesignInputs,  // results screen: "R&eset Design Inputs"
    Calculations,       // results screen: "&Calculations"
    ViewReport,         // results screen: "&View Report", once the report is written
    WebLink,            // results screen: the web link, before the browser is asked for
    Curve,              // results screen: "Inductance C&urve"
    CloseIntermediate,  // intermediate outputs: "&Close"
    Back,               // report viewer: "&Back"
    ResetDesign,        // report viewer: "&Reset Design"
    ExitDirections,     // directions screen: "E&xit"
    UseThisDesign,      // Compare Cores: "&Use This Design", before the input screen takes the design
    CloseCompare,       // Compare Cores: "&Close"
    CloseCurve,         // Inductance Curve: "&Close"
};

class ScreenFlow {
public:
    // What the front end tells the flow.
    // A screen was created; a screen created unseen does not count.
    void Created(Screen s, bool counts = true) {
        State& st = state_[Index(s)];
        if (st.exists) return;
        st = {true, false, counts};
    }
    void Shown(Screen s) {
        Created(s);
        state_[Index(s)].visible = true;
        state_[Index(s)].counts = true;
    }
    void Hidden(Screen s) { state_[Index(s)].visible = false; }
    void SetCounted(Screen s, bool counts) { state_[Index(s)].counts = counts && state_[Index(s)].exists; }
    void Gone(Screen s) { state_[Index(s)] = State{}; }

    bool Exists(Screen s) const { return state_[Index(s)].exists; }
    bool Visible(Screen s) const { return state_[Index(s)].visible; }
    bool Counts(Screen s) const { return state_[Index(s)].counts; }
    // The screens that keep the program alive; none left ends it.
    int LiveScreens() const {
        int live = 0;
        for (const State& st : state_) live += st.exists && st.counts;
        return live;
    }
    bool ProgramEnds() const { return LiveScreens() == 0; }

    // The input screen's model while that screen exists (set by the front end).
    void AttachInput(InputScreen* input) { input_ = input; }
    InputScreen* Input() const { return input_; }

    // The moves of a command, from the state as it stands.
    FlowSteps Command(FlowCommand command) const;
    // Show Results on the input screen: the run (its messages are the input
    // screen's to tell), then the moves: the results screen the run touched
    // created unseen and refilled, then the results screen shown in place of
    // the input screen; or, for a fill warning, the input screen shown again
    // with the intermediate outputs (written anew when open) when the run
    // shows them. An open curve window follows the results screen: it shows
    // the new design, or closes when the screen shows none. Nothing without
    // an input screen.
    FlowSteps ShowResults();
    // A screen closes, by whatever command or its window's close box: what
    // follows. The results screen's model goes; the curve window closes and
    // the input screen is shown. The input screen's Compare Cores window
    // closes with it.
    FlowSteps Closing(Screen s);

private:
    struct State {
        bool exists = false;
        bool visible = false;
        bool counts = false;
    };
    static int Index(Screen s) { return static_cast<int>(s); }

    std::array<State, kScreenCount> state_{};
    InputScreen* input_ = nullptr;
};

// The moves as text, one a line ("frmResult show"), for tests and logs.
std::string DescribeSteps(const FlowSteps& steps);

}  // namespace coredesign
