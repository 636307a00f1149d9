// The input checks of Show Results: order, boundaries, messages, focus.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "test_support.h"

namespace coredesign {
namespace {

using testing::MessageIds;

struct CheckText {
    const char* id;
    const char* text;
    const char* focus;
};

const CheckText kChecks[] = {
    {"inductance", "Enter Inductance Value > 0.", "txtInductance"},
    {"output_voltage", "Enter Output Voltage Value > 0.", "txtOutPutVoltage"},
    {"dc_current", "Enter DC Current Value > 0.", "txtDCCurrent"},
    {"min_input_voltage", "Enter Minimum Input Voltage > 0.", "txtMinInputVoltage"},
    {"frequency", "Enter the Frequency Value > 0.", "txtFrequency"},
    {"flux_density", "Enter a Flux Density > 0.", "txtFluxDensity"},
    {"ambient_temp", "Enter an ambient temperature > 0", "txtAmbientTemp"},
    {"current_density", "Enter a Current Density Factor between 250 and 800.", "txtCurrentDensityFactor"},
    {"fill_factor", "Enter a Window Fill Factor between 0 and .9", "txtFill_Factor"},
    {"core_size", "Please select Core size from list of values. ", "txtCoreSize"},
    {"stack", "Please select to stack between 1 and 9 cores.", "txtStack"},
};

const CheckText* CheckById(const std::string& id) {
    for (const auto& c : kChecks)
        if (id == c.id) return &c;
    return nullptr;
}

std::string* Field(InputTexts& in, const std::string& control) {
    if (control == "txtInductance") return &in.txtInductance;
    if (control == "txtOutPutVoltage") return &in.txtOutPutVoltage;
    if (control == "txtDCCurrent") return &in.txtDCCurrent;
    if (control == "txtMinInputVoltage") return &in.txtMinInputVoltage;
    if (control == "txtFrequency") return &in.txtFrequency;
    if (control == "txtFluxDensity") return &in.txtFluxDensity;
    if (control == "txtAmbientTemp") return &in.txtAmbientTemp;
    if (control == "txtCurrentDensityFactor") return &in.txtCurrentDensityFactor;
    if (control == "txtFill_Factor") return &in.txtFill_Factor;
    if (control == "txtStack") return &in.txtStack;
    if (control == "txtMaxInputVoltage") return &in.txtMaxInputVoltage;
    return nullptr;
}

struct FieldCase {
    const char* control;
    const char* text;
    const char* failsWith;  // message id, or nullptr when the checks pass
};

const FieldCase kFieldCases[] = {
    {"txtInductance", "", "inductance"},
    {"txtInductance", "0", "inductance"},
    {"txtInductance", "0.0", "inductance"},
    {"txtInductance", "-1", "inductance"},
    {"txtInductance", ".", "inductance"},
    {"txtInductance", "abc", "inductance"},
    {"txtInductance", "1e400", "inductance"},
    {"txtInductance", "1e-400", "inductance"},  // the number 0
    {"txtInductance", "3e-4x", "inductance"},
    {"txtInductance", "\t.000318", "inductance"},
    {"txtInductance", "  .000318  ", nullptr},
    {"txtInductance", "3.18D-4", nullptr},
    {"txtOutPutVoltage", "", "output_voltage"},
    {"txtOutPutVoltage", "0", "output_voltage"},
    {"txtOutPutVoltage", "-10", "output_voltage"},
    {"txtOutPutVoltage", "1.2.3", "output_voltage"},
    {"txtDCCurrent", "", "dc_current"},
    {"txtDCCurrent", "-3.5", "dc_current"},
    {"txtDCCurrent", "0", "dc_current"},
    {"txtMinInputVoltage", "", "min_input_voltage"},
    {"txtMinInputVoltage", "0", "min_input_voltage"},
    {"txtMinInputVoltage", "-24", "min_input_voltage"},
    {"txtFrequency", "", "frequency"},
    {"txtFrequency", "0", "frequency"},
    {"txtFrequency", "-50000", "frequency"},
    {"txtFrequency", "50kHz", "frequency"},
    {"txtFluxDensity", "", "flux_density"},  // the record reads 1.2, the check still refuses it
    {"txtFluxDensity", "0", "flux_density"},
    {"txtFluxDensity", "-0.8", "flux_density"},
    {"txtAmbientTemp", "", "ambient_temp"},
    {"txtAmbientTemp", "0", "ambient_temp"},
    {"txtAmbientTemp", "-5", "ambient_temp"},
    {"txtAmbientTemp", "40000", "ambient_temp"},    // outside 16 bits
    {"txtAmbientTemp", "32767.5", "ambient_temp"},  // rounds to 32768
    {"txtAmbientTemp", "25", nullptr},
    {"txtCurrentDensityFactor", "", "current_density"},
    {"txtCurrentDensityFactor", "249.9", "current_density"},
    {"txtCurrentDensityFactor", "250", nullptr},
    {"txtCurrentDensityFactor", "800", nullptr},
    {"txtCurrentDensityFactor", "800.1", "current_density"},
    {"txtCurrentDensityFactor", "-400", "current_density"},
    {"txtCurrentDensityFactor", "&H190", nullptr},  // 400
    {"txtCurrentDensityFactor", "400A", "current_density"},
    {"txtFill_Factor", "", "fill_factor"},
    {"txtFill_Factor", "0", "fill_factor"},
    {"txtFill_Factor", "-0.1", "fill_factor"},
    {"txtFill_Factor", "0.9", nullptr},
    {"txtFill_Factor", "0.91", "fill_factor"},
    {"txtFill_Factor", "0.9000001", "fill_factor"},
    {"txtFill_Factor", ".", "fill_factor"},
    {"txtStack", "0", "stack"},
    {"txtStack", "10", "stack"},
    {"txtStack", "-1", "stack"},
    {"txtStack", "9", nullptr},
    {"txtStack", "9.4", nullptr},
    {"txtStack", "9.6", "stack"},
    {"txtStack", "0.5", "stack"},  // a half rounds to the even 0
    {"txtStack", "1.5", nullptr},  // ... and to 2
    {"txtStack", "40000", "stack"},
    {"txtStack", "abc", "stack"},
    {"txtMaxInputVoltage", "", nullptr},  // never checked
    {"txtMaxInputVoltage", "abc", nullptr},
    {"txtMaxInputVoltage", "1e400", nullptr},
    {"txtMaxInputVoltage", "-50", nullptr},
};

class FieldChecks : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldChecks, MessageTitleIconAndFocus) {
    const FieldCase& c = GetParam();
    HeadlessSession s;
    *Field(s.Fields(), c.control) = c.text;
    const RunResult& run = s.ShowResults();
    if (!c.failsWith) {
        EXPECT_NE(run.outcome, Outcome::Validation);
        for (const Message& m : run.messages) EXPECT_EQ(CheckById(MessageIdName(m.id)), nullptr) << m.text;
        return;
    }
    ASSERT_EQ(run.outcome, Outcome::Validation);
    ASSERT_EQ(run.messages.size(), 1u);
    const Message& m = run.messages[0];
    const CheckText* expected = CheckById(c.failsWith);
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(MessageIdName(m.id), std::string(expected->id));
    EXPECT_EQ(m.text, expected->text);
    EXPECT_EQ(m.title, "Caution");
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_EQ(m.focus, expected->focus);
    EXPECT_FALSE(run.showResults);
    EXPECT_FALSE(run.clearCoreList);
}

void PrintTo(const FieldCase& c, std::ostream* os) {
    *os << c.control << " = " << ::testing::PrintToString(std::string(c.text));
}

INSTANTIATE_TEST_SUITE_P(Boundaries, FieldChecks, ::testing::ValuesIn(kFieldCases),
                         [](const ::testing::TestParamInfo<FieldCase>& info) {
                             return testing::ParamName(info.index,
                                                       std::string(info.param.control) + "_" + info.param.text);
                         });

TEST(Validation, ChecksRunInTheirFixedOrder) {
    HeadlessSession s;
    s.ChoosePickCore();  // no entry chosen: check 10 applies
    InputTexts& in = s.Fields();
    const char* controls[] = {"txtInductance", "txtOutPutVoltage", "txtDCCurrent",   "txtMinInputVoltage",
                              "txtFrequency",  "txtFluxDensity",   "txtAmbientTemp", "txtCurrentDensityFactor",
                              "txtFill_Factor"};
    const char* good[] = {".000318", "10", "3.5", "24", "50000", "1.2", "35", "400", ".4"};
    for (const char* control : controls) *Field(in, control) = "x";
    in.txtStack = "12";
    for (size_t k = 0; k < 9; ++k) {
        ASSERT_EQ(s.ShowResults().messages.size(), 1u);
        EXPECT_EQ(MessageIds(s.LastRun())[0], kChecks[k].id);
        *Field(in, controls[k]) = good[k];
    }
    EXPECT_EQ(MessageIds(s.ShowResults()), std::vector<std::string>{"core_size"});
    ASSERT_TRUE(s.PickPart("6218TXGP"));
    EXPECT_EQ(MessageIds(s.ShowResults()), std::vector<std::string>{"stack"});
    in.txtStack = "1";
    EXPECT_NE(s.ShowResults().outcome, Outcome::Validation);
}

TEST(Validation, EmptyStackBecomesOneOnlyWhenTheOtherChecksPass) {
    HeadlessSession s;
    s.Fields().txtStack = "   ";
    s.Fields().txtFill_Factor = "0";
    const RunResult& failed = s.ShowResults();
    EXPECT_EQ(failed.outcome, Outcome::Validation);
    EXPECT_FALSE(failed.stackSetToOne);
    EXPECT_EQ(s.Fields().txtStack, "   ");

    s.Fields().txtFill_Factor = ".4";
    const RunResult& run = s.ShowResults();
    EXPECT_EQ(run.outcome, Outcome::Results);
    EXPECT_TRUE(run.stackSetToOne);
    EXPECT_EQ(s.Fields().txtStack, "1");
    EXPECT_EQ(s.Record().Stack, 1);
    EXPECT_EQ(s.Record().CoreSize, "6218TXGP");
}

TEST(Validation, CoreSizeCheckOnlyInPickCore) {
    HeadlessSession calc;  // Calculate Core: whatever the list holds is ignored
    calc.Fields().txtCoreSize = "no such core";
    EXPECT_EQ(calc.ShowResults().outcome, Outcome::Results);
    EXPECT_EQ(calc.Record().CoreSize, "6218TXGP");

    HeadlessSession pick;
    pick.ChoosePickCore();
    pick.Fields().txtCoreSize = "   ";
    EXPECT_EQ(MessageIds(pick.ShowResults()), std::vector<std::string>{"core_size"});

    // A part number of the other family is refused by the same check.
    HeadlessSession other;
    other.ChoosePickCore();
    other.Fields().txtCoreSize = "6201TXNG             HT= 5mm,  OD= 9 mm, ID = 4mm";
    const RunResult& run = other.ShowResults();
    ASSERT_EQ(run.messages.size(), 1u);
    EXPECT_EQ(run.messages[0].text, "Please select Core size from list of values. ");
    EXPECT_EQ(run.messages[0].focus, "txtCoreSize");
}

TEST(Validation, FailureKeepsThePreviousResults) {
    HeadlessSession s;
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
    const Module1 before = s.Record();
    s.Fields().txtInductance = "0";
    s.Fields().txtDCCurrent = "7";
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Validation);
    const Module1& after = s.Record();
    EXPECT_EQ(after.Inductance, 0);  // inputs are rewritten ...
    EXPECT_EQ(after.DCCurrent, 7);
    EXPECT_EQ(after.CoreSize, "");         // (Calculate Core reads the core size as empty)
    EXPECT_EQ(after.Turns, before.Turns);  // ... results are kept
    EXPECT_EQ(after.CoreIndex, before.CoreIndex);
    EXPECT_EQ(after.InductanceFullLoad, before.InductanceFullLoad);
    EXPECT_EQ(after.TempRise, before.TempRise);
    EXPECT_EQ(after.WireSize, before.WireSize);
}

TEST(Validation, UnitsAreAppliedWhenTheInputsAreRead) {
    HeadlessSession s;
    s.Fields().txtFrequency = "50";
    s.Fields().cmbfrequency = "kHz";
    s.Fields().txtInductance = "318";
    s.Fields().cmbinductance = "microhenry";
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
    EXPECT_EQ(s.Record().Frequency, 50000);
    EXPECT_EQ(s.Record().InductanceEntered, 318 / 1e6);
    EXPECT_EQ(s.Record().CoreSize, "6218TXGP");

    s.Fields().txtInductance = ".318";
    s.Fields().cmbinductance = " millihenry ";  // the unit text is trimmed
    s.ShowResults();
    EXPECT_EQ(s.Record().InductanceEntered, 0.318 / 1000);

    // A kilohertz figure so large that it has no finite value in hertz is refused.
    s.Fields().txtFrequency = "1e306";
    EXPECT_EQ(MessageIds(s.ShowResults()), std::vector<std::string>{"frequency"});

    // So is an inductance so small that it reads as 0 henry in microhenry.
    s.Fields().txtFrequency = "50";
    s.Fields().txtInductance = "5e-324";
    s.Fields().cmbinductance = "microhenry";
    EXPECT_EQ(MessageIds(s.ShowResults()), std::vector<std::string>{"inductance"});
    s.Fields().cmbinductance = "Henry";
    EXPECT_EQ(MessageIds(s.ShowResults()), std::vector<std::string>{"area_product"});
}

TEST(Validation, SmallAmbientTextPassesButReadsAsWholeDegrees) {
    HeadlessSession s;
    s.Fields().txtAmbientTemp = "0.4";  // not zero, so check 7 passes; the record holds 0
    EXPECT_EQ(s.ShowResults().outcome, Outcome::Results);
    EXPECT_EQ(s.Record().AmbientTemp, 0);
}

}  // namespace
}  // namespace coredesign
