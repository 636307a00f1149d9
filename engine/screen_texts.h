// The texts that the results and intermediate outputs screens show, as
// functions of the design record, and how a long text is shortened on a
// screen.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "design_record.h"

namespace coredesign {

// " A/cm" and a superscript two (UTF-8).
inline constexpr const char* kCurrentDensityUnit = " A/cm\u00B2";

// The value boxes of the results screen, by control name.
struct ResultsTexts {
    std::string txtInductance, txtOutPutVoltage, txtDCCurrent, txtFluxDensity, txtFrequency, txtMinInputVoltage,
        txtCurrentDensityFactor;
    std::string VoutUnit = "A/cm^2";  // until the first fill
    std::string txtAmbientTemp, txtcore, txtOutCoreSize, txtStackout, txtNoOfTurns, txtWireSize, txtInductanceZero,
        txtInductanceFull, txtCopperLoss, txtCoreLoss, txtTotalLoss, txtTotalTempRise;
    bool txtTotalTempRiseAlarm = false;  // bold red
};

// Fills every box from the record. `coreListText` is the input screen's core
// size list text; in Pick Core mode its part number becomes txtcore,
// otherwise txtcore keeps what it holds.
void DisplayResults(const DesignRecord& rec, const std::string& coreListText, ResultsTexts& texts);

// Empties the eight output boxes, in their fixed order.
void ClearResultFields(ResultsTexts& texts);

// The intermediate outputs screen: Label[k] is a caption, Labelo[k] the value
// beside it (k = 1..38; index 0 unused).
struct IntermediateTexts {
    std::array<std::string, 39> Label;
    std::array<std::string, 39> Labelo;
    std::string txtWarning;      // three lines in red when FillWarning, else empty
    bool FillFactorRed = false;  // the "Actual Fill Factor" value drawn red
};

IntermediateTexts MakeIntermediateTexts(const DesignRecord& rec);

// A text the designer typed, shown where its length could push a window off
// the screen (Compare Cores' "Computed for:" line): one of more than `limit`
// characters is cut to its first `limit` - 1 and an ellipsis ("\u2026") that
// says it was cut. Characters are counted in UTF-8; none is split.
inline constexpr std::size_t kShortTextLimit = 24;
std::string ShortenedText(const std::string& text, std::size_t limit = kShortTextLimit);

}  // namespace coredesign
