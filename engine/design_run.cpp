#include "design_run.h"

#include <cmath>

#include "catalogue.h"
#include "constants.h"
#include "evaluate.h"
#include "folders.h"
#include "numtext.h"

namespace coredesign {
namespace {

// A message box titled "Caution" with the information icon; afterwards the
// control named `focus` (none when empty) takes the focus.
void Caution(RunResult& result, MessageId id, std::string text, const char* focus) {
    result.messages.push_back(Message{id, std::move(text), kCautionTitle, MessageIcon::Information, focus});
}

// A field of checks 1 to 9: its trimmed text must be a number above zero.
bool PositiveNumber(const std::string& text) {
    return IsNumber(text) && Val(TrimBlanks(text)) > 0;
}

bool FitsInt16(double value) {
    const double r = std::nearbyint(value);
    return r >= -32768.0 && r <= 32767.0;
}

// The input checks in their fixed order; the first failure is returned.
bool Validate(DesignRecord& rec, const InputTexts& in, RunResult& result) {
    auto fail = [&](MessageId id, const char* text, const char* focus) {
        Caution(result, id, text, focus);
        result.outcome = Outcome::Validation;
        return false;
    };
    // An entry so small that it reads as 0 henry in the chosen unit is refused too.
    if (!PositiveNumber(in.txtInductance) || !(rec.Inductance > 0))
        return fail(MessageId::Inductance, "Enter Inductance Value > 0.", "txtInductance");
    if (!PositiveNumber(in.txtOutPutVoltage))
        return fail(MessageId::OutputVoltage, "Enter Output Voltage Value > 0.", "txtOutPutVoltage");
    if (!PositiveNumber(in.txtDCCurrent))
        return fail(MessageId::DcCurrent, "Enter DC Current Value > 0.", "txtDCCurrent");
    if (!PositiveNumber(in.txtMinInputVoltage))
        return fail(MessageId::MinInputVoltage, "Enter Minimum Input Voltage > 0.", "txtMinInputVoltage");
    // A kilohertz entry so large that it has no finite value in hertz is refused too.
    if (!PositiveNumber(in.txtFrequency) || !std::isfinite(rec.Frequency))
        return fail(MessageId::Frequency, "Enter the Frequency Value > 0.", "txtFrequency");
    if (!PositiveNumber(in.txtFluxDensity))
        return fail(MessageId::FluxDensity, "Enter a Flux Density > 0.", "txtFluxDensity");
    if (!PositiveNumber(in.txtAmbientTemp) || !FitsInt16(Val(TrimBlanks(in.txtAmbientTemp))))
        return fail(MessageId::AmbientTemp, "Enter an ambient temperature > 0", "txtAmbientTemp");
    {
        const bool number = IsNumber(in.txtCurrentDensityFactor);
        const double v = number ? Val(TrimBlanks(in.txtCurrentDensityFactor)) : 0;
        if (!number || v < 250 || v > 800)
            return fail(MessageId::CurrentDensity, "Enter a Current Density Factor between 250 and 800.",
                        "txtCurrentDensityFactor");
    }
    {
        const bool number = IsNumber(in.txtFill_Factor);
        const double v = number ? Val(TrimBlanks(in.txtFill_Factor)) : 0;
        if (!number || v <= 0 || v > 0.9)
            return fail(MessageId::FillFactor, "Enter a Window Fill Factor between 0 and .9", "txtFill_Factor");
    }
    // A picked part number that the loaded catalogue does not hold is refused like a missing choice.
    if (rec.CalculatorType == Calculator::PickCore &&
        (TrimBlanks(in.txtCoreSize).empty() || FindCoreRow(rec, rec.CoreSize) == 0))
        return fail(MessageId::CoreSize, "Please select Core size from list of values. ", "txtCoreSize");
    if (TrimBlanks(in.txtStack).empty()) {
        result.stackSetToOne = true;
        rec.Stack = 1;
    } else if (rec.Stack > 9 || rec.Stack < 1) {
        return fail(MessageId::Stack, "Please select to stack between 1 and 9 cores.", "txtStack");
    }
    return true;
}

}  // namespace

const char* OutcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Results: return "results";
        case Outcome::FillWarning: return "fill_warning";
        case Outcome::Validation: return "validation";
        case Outcome::AreaProduct: return "area_product";
        case Outcome::DcBias: return "dc_bias";
        case Outcome::NoWire: return "no_wire";
        case Outcome::InductanceLimit: return "inductance_limit";
    }
    return "";
}

void initValues(DesignRecord& rec, const InputTexts& in, ResultsScreenPort* port) {
    rec.TempFolder = platform::TempFolder();
    rec.Frequency = Val(in.txtFrequency);
    if (TrimBlanks(in.cmbfrequency) == "kHz") rec.Frequency = rec.Frequency * 1000;
    rec.Inductance = Val(in.txtInductance);
    const std::string_view unit = TrimBlanks(in.cmbinductance);
    if (unit == "millihenry")
        rec.Inductance = rec.Inductance / 1000;
    else if (unit == "microhenry")
        rec.Inductance = rec.Inductance / 1000000;
    rec.InductanceEntered = rec.Inductance;
    rec.OutputVoltage = Val(in.txtOutPutVoltage);
    rec.MinInputVoltage = Val(in.txtMinInputVoltage);
    rec.Stack = ToInt16(Val(in.txtStack));
    rec.DCCurrent = Val(in.txtDCCurrent);
    rec.CurrentDensityFactor = Val(in.txtCurrentDensityFactor);
    rec.FluxDensity = Val(in.txtFluxDensity);
    if (rec.FluxDensity == 0) rec.FluxDensity = 1.2;
    rec.FillFactor = Val(in.txtFill_Factor);
    rec.AmbientTemp = ToInt16(Val(in.txtAmbientTemp));
    rec.MaxInputVoltage = Val(in.txtMaxInputVoltage);
    if (port) port->ResetTemperatureMark(rec);
    if (rec.CalculatorType == Calculator::CalculateCore)
        rec.CoreSize.clear();
    else if (rec.CalculatorType == Calculator::PickCore && !TrimBlanks(in.txtCoreSize).empty())
        rec.CoreSize = PartNumberOfEntry(in.txtCoreSize);
}

RunResult ShowResults(DesignRecord& rec, const InputTexts& in, ResultsScreenPort* port) {
    RunResult result;
    initValues(rec, in, port);
    if (!Validate(rec, in, result)) return result;

    const bool pickCore = rec.CalculatorType == Calculator::PickCore;
    auto areaProductEnd = [&] {
        Caution(result, MessageId::AreaProduct, AreaProductMessageText(), "");
        result.clearCoreList = true;
        result.outcome = Outcome::AreaProduct;
        return result;
    };

    rec.Period = 1000000 / rec.Frequency;
    const double duty = rec.OutputVoltage <= rec.MaxInputVoltage ? rec.OutputVoltage / rec.MaxInputVoltage
                                                                 : rec.MaxInputVoltage / rec.OutputVoltage;
    rec.OffTime = (1 - duty) * rec.Period;

    for (;;) {  // one calculation pass; an inductance pass starts the next
        rec.RippleCurrent = rec.OffTime * rec.OutputVoltage * 1e-6 / rec.InductanceEntered;
        if (rec.OutputVoltage <= rec.MaxInputVoltage)
            rec.PeakCurrent = rec.DCCurrent + rec.RippleCurrent / 2;
        else
            rec.PeakCurrent = rec.DCCurrent * rec.OutputVoltage / rec.MinInputVoltage + rec.RippleCurrent / 2;
        rec.Energy = 0.5 * rec.Inductance * (rec.PeakCurrent * rec.PeakCurrent);
        if (!pickCore) {
            rec.AreaProduct =
                std::pow(rec.Energy * 20000 / (rec.FillFactor * rec.CurrentDensityFactor * rec.FluxDensity), 1.16);
            if (rec.Stack * rec.MaxAreaProduct < rec.AreaProduct) return areaProductEnd();
        }
        rec.CoreIndex = 0;
        int counter = 0;
        int phase = 1;
        int searchStart = 0;
        bool newPass = false;

        for (;;) {  // core selection; a retry moves on from the rejected core
            if (pickCore) {
                rec.CoreIndex = static_cast<std::int16_t>(FindCoreRow(rec, rec.CoreSize));
                rec.AreaProduct = rec.Stack * rec.CoreWaAc[rec.CoreIndex];
            } else {
                int found = 0;
                for (int k = searchStart + 1; k <= rec.CatalogueRows(); ++k) {
                    if (rec.Stack * rec.CoreWaAc[k] >= rec.AreaProduct) {
                        found = k;
                        break;
                    }
                }
                if (found == 0) return areaProductEnd();
                rec.CoreIndex = static_cast<std::int16_t>(found);
            }
            const int i = rec.CoreIndex;
            rec.CoreSize = rec.CorePartNo[i];
            rec.StackedAc = rec.Stack * rec.CoreAc[i];
            rec.RequiredCopperArea = rec.DCCurrent / rec.CurrentDensityFactor;
            rec.Permeability = rec.CorePerm[i];

            switch (EvaluateCandidate(rec)) {
                case Evaluation::NoWire:
                    Caution(result, MessageId::NoWire, NoWireMessageText(), "txtDCCurrent");
                    result.outcome = Outcome::NoWire;
                    return result;
                case Evaluation::DcBias:
                    Caution(result, MessageId::DcBias, DcBiasMessageText(),
                            in.coreSizeListEnabled ? "txtCoreSize" : "");
                    result.outcome = Outcome::DcBias;
                    return result;
                case Evaluation::Complete: break;
            }

            // Inductance: below 1/1.03 of the entered value, with room left in the window,
            // raise the design inductance and start a new pass.
            rec.DesignWarning = false;
            const double deviation = RoundHalfEven(1 - rec.InductanceEntered * 1000000 / rec.InductanceFullLoad, 3);
            if (deviation < kInductanceTolerance && rec.ActualFillFactor < rec.FillFactor) {
                if (result.inductancePasses >= kMaxInductancePasses) {
                    Caution(result, MessageId::InductanceLimit, InductanceLimitMessageText(), "txtInductance");
                    result.outcome = Outcome::InductanceLimit;
                    return result;
                }
                ++result.inductancePasses;
                rec.Inductance = rec.Inductance * kInductanceStep;
                newPass = true;
                break;
            }

            // Fill.
            if (rec.ActualFillFactor > rec.FillFactor) {
                ++counter;
                if (pickCore || (counter > kRetryCounterLimit && phase == 1)) {
                    result.messages.push_back(Message{MessageId::Fill,
                                                      FillMessageText(rec.ActualFillFactor, rec.FillFactor), kAppTitle,
                                                      MessageIcon::None, ""});
                    if (pickCore) {
                        rec.DesignWarning = true;
                        rec.FillWarning = true;
                    }
                } else {
                    ++counter;
                    phase = 1;
                    searchStart = rec.CoreIndex;
                    continue;
                }
            } else {
                rec.FillWarning = false;
            }

            // Temperature.
            if (rec.AmbientTemp + rec.TempRise > kMaxTotalTemperature) {
                ++counter;
                if (pickCore || (counter > kRetryCounterLimit && phase == 3)) {
                    Caution(result, MessageId::Temperature, TemperatureMessageText(), "");
                    result.temperatureAlarm = true;
                } else {
                    if (phase == 1) counter = 0;
                    phase = 3;
                    searchStart = rec.CoreIndex;
                    continue;
                }
            }
            break;  // hand-over
        }
        if (newPass) continue;

        // Hand-over.
        result.clearResultFields = !rec.CoreSize.empty() && !pickCore;
        if (!rec.DesignWarning) {
            result.outcome = Outcome::Results;
            result.showResults = true;
        } else {
            result.outcome = Outcome::FillWarning;
            result.showIntermediate = !rec.CoreSize.empty();
        }
        return result;
    }
}

}  // namespace coredesign
