#include "curve_screen.h"

#include "catalogue.h"
#include "constants.h"
#include "numtext.h"
#include "spice_model.h"

namespace coredesign {
namespace {

const char* const kMicro = "\u00B5H";

}  // namespace

std::string CurveScreen::InductanceAxis() {
    return std::string("Inductance (") + kMicro + ")";
}

const std::vector<ButtonText>& CurveScreen::Buttons() {
    static const std::vector<ButtonText> buttons = {{"cmdSavePicture", "Save &Picture...", ""},
                                                    {"cmdSaveData", "Save &Data...", ""},
                                                    {"cmdSaveSpice", "Save &SPICE Model...", ""},
                                                    {"cmdClose", "&Close", ""}};
    return buttons;
}

CurveScreen::CurveScreen(const DesignRecord& rec) : design_(rec), curve_(MakeInductanceCurve(design_)) {}

double CurveScreen::Acceptance() const {
    return curve_.enteredInductance * (1 + kInductanceTolerance);
}

std::string CurveScreen::Title() const {
    return "Inductance Curve - " + PartWithStack(design_.CoreSize, design_.Stack);
}

std::string CurveScreen::ChartTitle() const {
    return PartWithStack(design_.CoreSize, design_.Stack) + ", " + FormatWhole(design_.Turns) + " turns of " +
           FormatPlain(design_.WireSize) + " AWG";
}

std::string CurveScreen::OperatingLabel() const {
    return FormatRounded(curve_.operatingPoint.current, 2) + " A, " +
           FormatRounded(curve_.operatingPoint.inductance, 1) + " " + kMicro;
}

std::string CurveScreen::EnteredSeries() const {
    return "Entered " + FormatRounded(Entered(), 1) + " " + kMicro;
}

std::string CurveScreen::AcceptanceSeries() const {
    return "3 % below entered, " + FormatRounded(Acceptance(), 1) + " " + kMicro;
}

std::string CurveScreen::DcCurrentSeries() const {
    return "DC current " + FormatRounded(curve_.dcCurrent, 2) + " A";
}

std::string CurveScreen::ZeroCurrentNote() const {
    return "At 0 A the winding gives " + FormatRounded(curve_.zeroCurrentInductance, 1) + " " + kMicro +
           ": its turns on the core at the full permeability. The results screen's \"Inductance Zero Load\", " +
           FormatRounded(design_.Inductance * 1000000, 1) + " " + kMicro +
           ", is the design inductance the calculation settled on.";
}

std::string CurveScreen::LimitNote() const {
    if (!curve_.lawEndsBefore) return std::string();
    return "The no-gap material's permeability law has no value from " + FormatRounded(*curve_.lawEndsBefore, 2) +
           " A on (the core's DC bias capability is exceeded): the curve ends at " +
           FormatRounded(curve_.points.back().current, 2) + " A.";
}

std::string CurveScreen::PictureFile() const {
    return design_.CoreSize + "-curve.png";
}

std::string CurveScreen::DataFile() const {
    return design_.CoreSize + "-curve.csv";
}

std::string CurveScreen::SpiceFile() const {
    return SpiceSubcircuitName(design_) + ".lib";
}

ShownTexts CurveScreen::Shown() const {
    ShownTexts shown = {{"frmInductanceCurve", TextRole::Title, Title()},
                        {"chart", TextRole::Title, ChartTitle()},
                        {"serInductance", TextRole::Text, kCurveSeries},
                        {"serEntered", TextRole::Text, EnteredSeries()},
                        {"serAcceptance", TextRole::Text, AcceptanceSeries()},
                        {"serDcCurrent", TextRole::Text, DcCurrentSeries()},
                        {"serOperatingPoint", TextRole::Text, kOperatingSeries},
                        {"serOperatingPoint", TextRole::Item, OperatingLabel()},
                        {"axisCurrent", TextRole::Text, kCurrentAxis},
                        {"axisInductance", TextRole::Text, InductanceAxis()},
                        {"axisPermeability", TextRole::Text, kPermeabilityAxis},
                        {"lblZeroCurrent", TextRole::Text, ZeroCurrentNote()},
                        {"lblLimit", TextRole::Text, LimitNote()}};
    for (const ButtonText& button : Buttons()) shown.push_back({button.control, TextRole::Text, button.caption});
    return shown;
}

}  // namespace coredesign
