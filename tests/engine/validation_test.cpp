// The input checks of Show Results: order, boundaries, messages, focus.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace coredesign {
namespace {

using testing::MessageIds;

// Every check's message in the order the checks run, with the control that gets the focus.
const struct {
    const char* id;
    const char* text;
    const char* focus;
} kChecks[] = {
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

// The run stopped at exactly one check, `id`, with its text, title, icon and focus.
void ExpectStoppedBy(const RunResult& run, const std::string& id) {
    ASSERT_EQ(run.outcome, Outcome::Validation);
    ASSERT_EQ(MessageIds(run), std::vector<std::string>{id});
    const Message& m = run.messages[0];
    for (const auto& c : kChecks) {
        if (id != c.id) continue;
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.focus, c.focus);
    }
    EXPECT_EQ(m.title, "Caution");
    EXPECT_EQ(m.icon, MessageIcon::Information);
    EXPECT_FALSE(run.showResults);
    EXPECT_FALSE(run.clearCoreList);
}

TEST(Validation, FieldBoundaries) {
    const struct {
        std::string InputTexts::*field;
        const char* id;  // the check that refuses the field, nullptr for one never checked
        std::vector<std::string> refused, accepted;
    } cases[] = {
        // 1e-400 is the number 0; a tab is no blank.
        {&InputTexts::txtInductance,
         "inductance",
         {"", "0", "0.0", "-1", ".", "abc", "1e400", "1e-400", "3e-4x", "\t.000318"},
         {"  .000318  ", "3.18D-4"}},
        {&InputTexts::txtOutPutVoltage, "output_voltage", {"", "0", "-10", "1.2.3"}, {"10"}},
        {&InputTexts::txtDCCurrent, "dc_current", {"", "0", "-3.5"}, {"3.5"}},
        {&InputTexts::txtMinInputVoltage, "min_input_voltage", {"", "0", "-24"}, {"24"}},
        {&InputTexts::txtFrequency, "frequency", {"", "0", "-50000", "50kHz"}, {"50000"}},
        // An empty flux density reads 1.2 into the record; the check still refuses it.
        {&InputTexts::txtFluxDensity, "flux_density", {"", "0", "-0.8"}, {"1.2"}},
        // 40000 lies outside 16 bits, 32767.5 rounds to 32768.
        {&InputTexts::txtAmbientTemp, "ambient_temp", {"", "0", "-5", "40000", "32767.5"}, {"25"}},
        {&InputTexts::txtCurrentDensityFactor,
         "current_density",
         {"", "249.9", "800.1", "-400", "400A"},
         {"250", "800", "&H190"}},
        {&InputTexts::txtFill_Factor, "fill_factor", {"", "0", "-0.1", "0.91", "0.9000001", "."}, {"0.9"}},
        // Halves round to the even neighbour: 0.5 to 0, 1.5 to 2.
        {&InputTexts::txtStack, "stack", {"0", "10", "-1", "9.6", "0.5", "40000", "abc"}, {"9", "9.4", "1.5"}},
        {&InputTexts::txtMaxInputVoltage, nullptr, {}, {"", "abc", "1e400", "-50"}},
    };
    for (const auto& c : cases) {
        for (const std::string& text : c.refused) {
            SCOPED_TRACE(std::string(c.id) + " refuses " + ::testing::PrintToString(text));
            InputScreen s;
            s.Fields().*c.field = text;
            ExpectStoppedBy(s.ShowResults(), c.id);
        }
        for (const std::string& text : c.accepted) {
            SCOPED_TRACE(::testing::PrintToString(text) + " is accepted");
            InputScreen s;
            s.Fields().*c.field = text;
            EXPECT_NE(s.ShowResults().outcome, Outcome::Validation);
        }
    }
}

TEST(Validation, ChecksRunInTheirFixedOrder) {
    InputScreen s;
    s.ChoosePickCore();  // no entry chosen: the core size check applies
    InputTexts& in = s.Fields();
    std::string InputTexts::*const fields[] = {&InputTexts::txtInductance,  &InputTexts::txtOutPutVoltage,
                                               &InputTexts::txtDCCurrent,   &InputTexts::txtMinInputVoltage,
                                               &InputTexts::txtFrequency,   &InputTexts::txtFluxDensity,
                                               &InputTexts::txtAmbientTemp, &InputTexts::txtCurrentDensityFactor,
                                               &InputTexts::txtFill_Factor};
    const char* good[] = {".000318", "10", "3.5", "24", "50000", "1.2", "35", "400", ".4"};
    for (auto field : fields) in.*field = "x";
    in.txtStack = "12";
    for (size_t k = 0; k < 9; ++k) {
        ExpectStoppedBy(s.ShowResults(), kChecks[k].id);
        in.*fields[k] = good[k];
    }
    ExpectStoppedBy(s.ShowResults(), "core_size");
    ASSERT_TRUE(s.PickPart("6218TXGP"));
    ExpectStoppedBy(s.ShowResults(), "stack");
    in.txtStack = "1";
    EXPECT_NE(s.ShowResults().outcome, Outcome::Validation);
}

TEST(Validation, EmptyStackBecomesOneOnlyWhenTheOtherChecksPass) {
    InputScreen s;
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
}

TEST(Validation, CoreSizeCheckOnlyInPickCore) {
    InputScreen calc;  // Calculate Core: whatever the list holds is ignored
    calc.Fields().txtCoreSize = "no such core";
    EXPECT_EQ(calc.ShowResults().outcome, Outcome::Results);
    EXPECT_EQ(calc.Record().CoreSize, "6218TXGP");

    // In Pick Core a blank text and a part number of the other family are refused.
    for (const char* text : {"   ", "6201TXNG             HT= 5mm,  OD= 9 mm, ID = 4mm"}) {
        InputScreen pick;
        pick.ChoosePickCore();
        pick.Fields().txtCoreSize = text;
        ExpectStoppedBy(pick.ShowResults(), "core_size");
    }
}

TEST(Validation, FailureKeepsThePreviousResults) {
    InputScreen s;
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
    const DesignRecord before = s.Record();
    s.Fields().txtInductance = "0";
    s.Fields().txtDCCurrent = "7";
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Validation);
    const DesignRecord& after = s.Record();
    EXPECT_EQ(after.Inductance, 0);  // inputs are rewritten ...
    EXPECT_EQ(after.DCCurrent, 7);
    EXPECT_EQ(after.CoreSize, "");         // (Calculate Core reads the core size as empty)
    EXPECT_EQ(after.Turns, before.Turns);  // ... results are kept
    EXPECT_EQ(after.CoreIndex, before.CoreIndex);
    EXPECT_EQ(after.InductanceFullLoad, before.InductanceFullLoad);
    EXPECT_EQ(after.TempRise, before.TempRise);
}

TEST(Validation, UnitsAreAppliedWhenTheInputsAreRead) {
    InputScreen s;
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
    ExpectStoppedBy(s.ShowResults(), "frequency");

    // So is an inductance so small that it reads as 0 henry in microhenry.
    s.Fields().txtFrequency = "50";
    s.Fields().txtInductance = "5e-324";
    s.Fields().cmbinductance = "microhenry";
    ExpectStoppedBy(s.ShowResults(), "inductance");
    s.Fields().cmbinductance = "Henry";
    EXPECT_EQ(MessageIds(s.ShowResults()), std::vector<std::string>{"area_product"});

    // A small ambient text passes the check but reads as whole degrees.
    s.Fields().txtAmbientTemp = "0.4";
    s.Fields().txtInductance = ".000318";
    EXPECT_EQ(s.ShowResults().outcome, Outcome::Results);
    EXPECT_EQ(s.Record().AmbientTemp, 0);
}

}  // namespace
}  // namespace coredesign
