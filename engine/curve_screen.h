// The Inductance Curve window's model (frmInductanceCurve): the curve of the
// results screen's design and every text the window shows of it: the title,
// the chart's title, legend and axis texts, the operating point's label, the
// notes below the chart and the buttons.
#pragma once

#include <string>
#include <vector>

#include "curve.h"
#include "design_record.h"
#include "results_screen.h"
#include "shown_texts.h"

namespace coredesign {

class CurveScreen {
public:
    static constexpr const char* kTitleBeforeDesign = "Inductance Curve";
    static constexpr const char* kCurrentAxis = "Current (A)";
    static constexpr const char* kPermeabilityAxis = "Permeability (% of initial)";
    static constexpr const char* kCurveSeries = "Inductance";
    static constexpr const char* kOperatingSeries = "Operating point (peak current)";
    static std::string InductanceAxis();              // "Inductance (µH)"
    static const std::vector<ButtonText>& Buttons();  // Save Picture, Save Data, Save SPICE Model, Close

    // The design in `rec` (HoldsDesign must be true), kept as a copy for the saves.
    explicit CurveScreen(const DesignRecord& rec);

    const DesignRecord& Design() const { return design_; }
    const InductanceCurve& Curve() const { return curve_; }
    // The entered inductance and its acceptance limit, µH.
    double Entered() const { return curve_.enteredInductance; }
    double Acceptance() const;

    std::string Title() const;           // "Inductance Curve - 6218TXGP"
    std::string ChartTitle() const;      // "6218TXGP, 58 turns of 18 AWG"
    std::string OperatingLabel() const;  // "3.75 A, 317.7 µH"
    std::string EnteredSeries() const;
    std::string AcceptanceSeries() const;
    std::string DcCurrentSeries() const;
    std::string ZeroCurrentNote() const;
    // The note on where the no-gap law ends ("" when the curve runs to the end).
    std::string LimitNote() const;
    // The files the save dialogs start from.
    std::string PictureFile() const;
    std::string DataFile() const;
    std::string SpiceFile() const;

    ShownTexts Shown() const;

private:
    DesignRecord design_;
    InductanceCurve curve_;
};

}  // namespace coredesign
