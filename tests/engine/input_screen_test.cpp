// The input screen's Show Results as the designer drives it: reading the
// fields, and the input checks (order and boundaries).
#include "input_screen.h"

#include <gtest/gtest.h>

#include "engine_checks.h"

namespace coredesign {
namespace {

using testing::MessageIds;
using Ids = std::vector<std::string>;

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
        {&InputTexts::txtFluxDensity, "flux_density", {"", "0", "-0.8"}, {"1.2"}},
        // 40000 lies outside 16 bits, 32767.5 rounds to 32768; 32767 itself fits.
        {&InputTexts::txtAmbientTemp, "ambient_temp", {"", "0", "-5", "40000", "32767.5"}, {"25", "32767"}},
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
            const RunResult& run = s.ShowResults();
            EXPECT_EQ(run.outcome, Outcome::Validation);
            EXPECT_EQ(MessageIds(run), Ids{c.id});
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
    const std::pair<std::string InputTexts::*, const char*> fields[] = {
        {&InputTexts::txtInductance, "inductance"},    {&InputTexts::txtOutPutVoltage, "output_voltage"},
        {&InputTexts::txtDCCurrent, "dc_current"},     {&InputTexts::txtMinInputVoltage, "min_input_voltage"},
        {&InputTexts::txtFrequency, "frequency"},      {&InputTexts::txtFluxDensity, "flux_density"},
        {&InputTexts::txtAmbientTemp, "ambient_temp"}, {&InputTexts::txtCurrentDensityFactor, "current_density"},
        {&InputTexts::txtFill_Factor, "fill_factor"}};
    const InputTexts good;
    for (const auto& [field, id] : fields) in.*field = "x";
    in.txtStack = "12";
    for (const auto& [field, id] : fields) {
        EXPECT_EQ(MessageIds(s.ShowResults()), Ids{id});
        in.*field = good.*field;
    }
    EXPECT_EQ(MessageIds(s.ShowResults()), Ids{"core_size"});
    ASSERT_TRUE(s.PickPart("6218TXGP"));
    EXPECT_EQ(MessageIds(s.ShowResults()), Ids{"stack"});
    in.txtStack = "1";
    EXPECT_NE(s.ShowResults().outcome, Outcome::Validation);
}

TEST(Validation, EmptyStackBecomesOneOnlyWhenTheOtherChecksPass) {
    InputScreen s = testing::Screen("txtFill_Factor=0");
    s.Fields().txtStack = "   ";
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

    // In Pick Core a blank text and a part number of the other family are refused.
    for (const char* text : {"   ", "6201TXNG             HT= 5mm,  OD= 9 mm, ID = 4mm"}) {
        InputScreen pick;
        pick.ChoosePickCore();
        pick.Fields().txtCoreSize = text;
        EXPECT_EQ(MessageIds(pick.ShowResults()), Ids{"core_size"}) << text;
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
    EXPECT_EQ(after.Turns, before.Turns);  // ... results are kept
    EXPECT_EQ(after.CoreIndex, before.CoreIndex);
    EXPECT_EQ(after.InductanceFullLoad, before.InductanceFullLoad);
    EXPECT_EQ(after.TempRise, before.TempRise);
}

// The inputs are read into the record (units applied) before any check.
TEST(Validation, TheInputsAreReadWithTheirUnits) {
    InputScreen s = testing::Screen("txtFrequency=50 cmbfrequency=kHz txtInductance=318 cmbinductance=microhenry");
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
    EXPECT_EQ(s.Record().Frequency, 50000);
    EXPECT_EQ(s.Record().InductanceEntered, 318 / 1e6);

    s.Fields().txtInductance = ".318";
    s.Fields().cmbinductance = " millihenry ";  // the unit text is trimmed
    s.ShowResults();
    EXPECT_EQ(s.Record().InductanceEntered, 0.318 / 1000);

    // A kilohertz figure so large that it has no finite value in hertz is refused.
    s.Fields().txtFrequency = "1e306";
    EXPECT_EQ(MessageIds(s.ShowResults()), Ids{"frequency"});

    // So is an inductance so small that it reads as 0 henry in microhenry.
    s.Fields().txtFrequency = "50";
    s.Fields().txtInductance = "5e-324";
    s.Fields().cmbinductance = "microhenry";
    EXPECT_EQ(MessageIds(s.ShowResults()), Ids{"inductance"});
    s.Fields().cmbinductance = "Henry";
    EXPECT_EQ(MessageIds(s.ShowResults()), Ids{"area_product"});

    // A small ambient text passes the check but reads as whole degrees.
    s.Fields().txtAmbientTemp = "0.4";
    s.Fields().txtInductance = ".000318";
    EXPECT_EQ(s.ShowResults().outcome, Outcome::Results);
    EXPECT_EQ(s.Record().AmbientTemp, 0);

    // An empty or zero flux density is read as 1.2 (and then refused by its check).
    for (const char* flux : {"nogap txtFluxDensity=", "nogap txtFluxDensity=0"}) {
        InputScreen f = testing::Screen(flux);
        EXPECT_EQ(MessageIds(f.ShowResults()), Ids{"flux_density"});
        EXPECT_EQ(f.Record().FluxDensity, 1.2) << flux;
    }
}

// The temporary folder comes from the front end's environment, asked anew
// as each run reads its inputs (even one that a check stops); a screen
// given none reads an empty one, and a copy asks the same source.
TEST(Validation, TheTemporaryFolderIsTheEnvironments) {
    InputScreen s;
    s.ShowResults();
    EXPECT_EQ(s.Record().TempFolder, "");
    std::string folder = "/first";
    s.SetEnvironment({[&folder] { return folder; }});
    s.ShowResults();
    EXPECT_EQ(s.Record().TempFolder, "/first");
    folder = "/second";
    s.Fields().txtInductance = "0";
    EXPECT_EQ(MessageIds(s.ShowResults()), Ids{"inductance"});
    EXPECT_EQ(s.Record().TempFolder, "/second");
    InputScreen copy = s.Copy();
    folder = "/third";
    copy.ShowResults();
    EXPECT_EQ(copy.Record().TempFolder, "/third");
}

}  // namespace
}  // namespace coredesign
