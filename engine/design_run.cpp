#include "design_run.h"

#include <cmath>

#include "catalogue.h"
#include "constants.h"
#include "evaluate.h"
#include "numtext.h"

namespace coredesign {
namespace {

// A message box titled "Caution" with the information icon; afterwards the
// control named `focus` (none when empty) takes the focus.
void Caution(RunResult& result, MessageId id, std::string text, const char* focus) {
    result.messages.push_back(Message{id, std::move(text), kCautionTitle, MessageIcon::Information, focus});
}

// The values of the field texts as read by initValues, before any unit or
// default is applied. (Reading the trimmed text gives the same value: the
// reading skips blanks wherever they stand.)
struct FieldValues {
    double inductance = 0, outputVoltage = 0, dcCurrent = 0, minInputVoltage = 0, frequency = 0, fluxDensity = 0,
           ambientTemp = 0, currentDensityFactor = 0, fillFactor = 0;
};

// A field of checks 1 to 9: its trimmed text must be a number above zero.
bool PositiveNumber(const std::string& text, double value) {
    return IsNumber(text) && value > 0;
}

bool FitsInt16(double value) {
    const double r = std::nearbyint(value);
    return r >= -32768.0 && r <= 32767.0;
}

// The input checks in their fixed order; the first failure is returned.
bool Validate(DesignRecord& rec, const InputTexts& in, const FieldValues& values, int& pickedRow, RunResult& result) {
    auto fail = [&](MessageId id, const char* text, const char* focus) {
        Caution(result, id, text, focus);
        result.outcome = Outcome::Validation;
        return false;
    };
    // An entry so small that it reads as 0 henry in the chosen unit is refused too.
    if (!PositiveNumber(in.txtInductance, values.inductance) || !(rec.Inductance > 0))
        return fail(MessageId::Inductance, "Enter Inductance Value > 0.", "txtInductance");
    if (!PositiveNumber(in.txtOutPutVoltage, values.outputVoltage))
        return fail(MessageId::OutputVoltage, "Enter Output Voltage Value > 0.", "txtOutPutVoltage");
    if (!PositiveNumber(in.txtDCCurrent, values.dcCurrent))
        return fail(MessageId::DcCurrent, "Enter DC Current Value > 0.", "txtDCCurrent");
    if (!PositiveNumber(in.txtMinInputVoltage, values.minInputVoltage))
        return fail(MessageId::MinInputVoltage, "Enter Minimum Input Voltage > 0.", "txtMinInputVoltage");
    // A kilohertz entry so large that it has no finite value in hertz is refused too.
    if (!PositiveNumber(in.txtFrequency, values.frequency) || !std::isfinite(rec.Frequency))
        return fail(MessageId::Frequency, "Enter the Frequency Value > 0.", "txtFrequency");
    if (!PositiveNumber(in.txtFluxDensity, values.fluxDensity))
        return fail(MessageId::FluxDensity, "Enter a Flux Density > 0.", "txtFluxDensity");
    if (!PositiveNumber(in.txtAmbientTemp, values.ambientTemp) || !FitsInt16(values.ambientTemp))
        return fail(MessageId::AmbientTemp, "Enter an ambient temperature > 0", "txtAmbientTemp");
    {
        const bool number = IsNumber(in.txtCurrentDensityFactor);
        const double v = number ? values.currentDensityFactor : 0;
        if (!number || v < 250 || v > 800)
            return fail(MessageId::CurrentDensity, "Enter a Current Density Factor between 250 and 800.",
                        "txtCurrentDensityFactor");
    }
    {
        const bool number = IsNumber(in.txtFill_Factor);
        const double v = number ? values.fillFactor : 0;
        if (!number || v <= 0 || v > 0.9)
            return fail(MessageId::FillFactor, "Enter a Window Fill Factor between 0 and .9", "txtFill_Factor");
    }
    // A picked part number that the loaded catalogue does not hold is refused like a missing choice.
    pickedRow = rec.CalculatorType == Calculator::PickCore && !TrimBlanks(in.txtCoreSize).empty()
                    ? rec.LoadedCatalogue->RowOf(rec.CoreSize)
                    : 0;
    if (rec.CalculatorType == Calculator::PickCore && pickedRow == 0)
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

namespace {

// initValues, keeping the values read from the texts for the input checks.
void ReadInputs(DesignRecord& rec, const InputTexts& in, ResultsScreenPort* port, const RunEnvironment& environment,
                FieldValues& values) {
    rec.TempFolder = environment.TempFolder();
    values.frequency = Val(in.txtFrequency);
    rec.Frequency = values.frequency;
    if (TrimBlanks(in.cmbfrequency) == "kHz") rec.Frequency = rec.Frequency * 1000;
    values.inductance = Val(in.txtInductance);
    rec.Inductance = values.inductance;
    const std::string_view unit = TrimBlanks(in.cmbinductance);
    if (unit == "millihenry")
        rec.Inductance = rec.Inductance / 1000;
    else if (unit == "microhenry")
        rec.Inductance = rec.Inductance / 1000000;
    rec.InductanceEntered = rec.Inductance;
    values.outputVoltage = Val(in.txtOutPutVoltage);
    rec.OutputVoltage = values.outputVoltage;
    values.minInputVoltage = Val(in.txtMinInputVoltage);
    rec.MinInputVoltage = values.minInputVoltage;
    rec.Stack = ToInt16(Val(in.txtStack));
    values.dcCurrent = Val(in.txtDCCurrent);
    rec.DCCurrent = values.dcCurrent;
    values.currentDensityFactor = Val(in.txtCurrentDensityFactor);
    rec.CurrentDensityFactor = values.currentDensityFactor;
    values.fluxDensity = Val(in.txtFluxDensity);
    rec.FluxDensity = values.fluxDensity;
    if (rec.FluxDensity == 0) rec.FluxDensity = 1.2;
    values.fillFactor = Val(in.txtFill_Factor);
    rec.FillFactor = values.fillFactor;
    values.ambientTemp = Val(in.txtAmbientTemp);
    rec.AmbientTemp = ToInt16(values.ambientTemp);
    rec.MaxInputVoltage = Val(in.txtMaxInputVoltage);
    if (port) port->ResetTemperatureMark(rec);
    if (rec.CalculatorType == Calculator::CalculateCore)
        rec.CoreSize.clear();
    else if (rec.CalculatorType == Calculator::PickCore && !TrimBlanks(in.txtCoreSize).empty())
        rec.CoreSize = PartNumberOfEntry(in.txtCoreSize);
}

}  // namespace

void initValues(DesignRecord& rec, const InputTexts& in, ResultsScreenPort* port, const RunEnvironment& environment) {
    FieldValues values;
    ReadInputs(rec, in, port, environment, values);
}

namespace {

// The calculation passes of a run whose inputs passed the checks.
void RunPasses(DesignRecord& rec, const InputTexts& in, int pickedRow, RunResult& result, EvaluationMemo& memo) {
    const bool pickCore = rec.CalculatorType == Calculator::PickCore;
    auto areaProductEnd = [&] {
        Caution(result, MessageId::AreaProduct, AreaProductMessageText(), "");
        result.clearCoreList = true;
        result.outcome = Outcome::AreaProduct;
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
                rec.CoreIndex = static_cast<std::int16_t>(pickedRow);
                rec.AreaProduct = rec.Stack * rec.ChosenCore().waAc;
            } else {
                int found = 0;
                for (int k = searchStart + 1; k <= rec.CatalogueRows(); ++k) {
                    if (rec.Stack * rec.LoadedCatalogue->Row(k).waAc >= rec.AreaProduct) {
                        found = k;
                        break;
                    }
                }
                if (found == 0) return areaProductEnd();
                rec.CoreIndex = static_cast<std::int16_t>(found);
            }
            const Core& core = rec.ChosenCore();
            rec.CoreSize = core.partNo;
            rec.StackedAc = rec.Stack * core.ac;
            rec.RequiredCopperArea = rec.DCCurrent / rec.CurrentDensityFactor;
            rec.Permeability = core.perm;

            switch (EvaluateCandidate(rec, memo)) {
                case Evaluation::NoWire:
                    Caution(result, MessageId::NoWire, NoWireMessageText(), "txtDCCurrent");
                    result.outcome = Outcome::NoWire;
                    return;
                case Evaluation::DcBias:
                    Caution(result, MessageId::DcBias, DcBiasMessageText(),
                            in.coreSizeListEnabled ? "txtCoreSize" : "");
                    result.outcome = Outcome::DcBias;
                    return;
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
                    return;
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
            SettlePendingFigures(rec, memo);
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
        return;
    }
}

}  // namespace

RunResult ShowResults(DesignRecord& rec, const InputTexts& in, ResultsScreenPort* port,
                      const RunEnvironment& environment) {
    RunResult result;
    FieldValues values;
    ReadInputs(rec, in, port, environment, values);
    int pickedRow = 0;  // Pick Core: the row of the picked part, the same on every pass
    if (!Validate(rec, in, values, pickedRow, result)) return result;

    EvaluationMemo memo;
    RunPasses(rec, in, pickedRow, result, memo);
    SettlePendingFigures(rec, memo);  // the record holds every figure of the last candidate
    return result;
}

}  // namespace coredesign
