// The models of the screens that show fixed texts only: the start screen,
// the directions screen and the report viewer's buttons; and the
// intermediate outputs screen, whose figures are the record's at the moment
// it is filled. A front end builds its widgets from these texts.
#pragma once

#include <string>
#include <vector>

#include "design_record.h"
#include "results_screen.h"
#include "screen_texts.h"
#include "shown_texts.h"

namespace coredesign {

// The start screen (frmEnter).
struct StartScreen {
    static constexpr const char* kTitle = "Output Inductor Core Selection Calculator";
    static constexpr const char* kHeading = "Output Inductor Core Design Tool";  // Label1
    static constexpr const char* kVersionBox = " (Ver.  2.0.0)";                 // Text1
    static std::string TermsOfUse();                                             // Label5
    static std::string Disclaimer();                  // Label6, ending in the telephone number
    static const std::vector<ButtonText>& Buttons();  // I Accept, Exit
    static ShownTexts Shown();
};

// The directions screen (frmDirections). Its two text boxes are empty until
// the Help command writes them (Move::Refill).
struct DirectionsScreen {
    static constexpr const char* kTitle = "Calculator Explaination";
    static constexpr const char* kWelcome = "Welcome  to Our Core Calculator";  // Text1
    // The directions: 23 lines, each ended by CR LF.
    static std::string Directions();
    // The maker's contact: e-mail address, then one line of telephone numbers.
    static std::string Contact();
    static const ButtonText& ExitButton();
    static ShownTexts Shown(bool written);
};

// The report viewer's window (frmHtmlReport): its title and buttons.
struct ReportViewerScreen {
    static constexpr const char* kTitle = "Output Inductor Core Selection Report";
    // The message Print shows for a page that is not a report of this
    // program: one without an element named "print" (kPrintHookName).
    static constexpr const char* kCannotPrintMessage =
        "UNABLE TO PRINT THE FILE AS IT IS NOT SAVED OR GENERATED FROM CORE DESIGN";
    static constexpr const char* kPrintHookName = "print";
    // Save as HTML File, Open, Print, Reset Design, Back, then Save as PDF.
    static const std::vector<ButtonText>& Buttons();
    static const ButtonText& Button(const std::string& control);
    static ShownTexts Shown();
};

// The intermediate outputs screen (frmIntermediateOutput): its texts are the
// record's when it is filled (on creation, and anew for a fill warning).
class IntermediateScreen {
public:
    static constexpr const char* kTitle = "Output Inductor Core Design Intermediate Outputs";
    static const ButtonText& CloseButton();
    // The caption rows that head the three column groups, and the caption
    // that runs across its value column.
    static constexpr int kFillFactorValue = 10;  // Labelo10, "Actual Fill Factor"
    static constexpr int kSpanningCaption = 33;  // "  (Material Loss + Copper Loss)"

    explicit IntermediateScreen(const DesignRecord& rec) : texts_(MakeIntermediateTexts(rec)) {}
    void Refill(const DesignRecord& rec) { texts_ = MakeIntermediateTexts(rec); }

    const IntermediateTexts& Texts() const { return texts_; }
    TextColour FillFactorColour() const { return texts_.FillFactorRed ? TextColour::Red : TextColour::Navy; }
    ShownTexts Shown() const;

private:
    IntermediateTexts texts_;
};

}  // namespace coredesign
