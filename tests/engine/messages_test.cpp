// Every message box a Show Results run can raise, with its exact text, title,
// icon and focus: the one place these are written out. The other tests (the
// engine's, the screens', the command line's) check which message ids a run
// raises and that the engine's message reaches them unchanged.
#include "messages.h"

#include <gtest/gtest.h>

#include "engine_checks.h"

namespace coredesign {
namespace {

const std::string kCall = " or call:\r\n USA 1-800-555-0142    Europe +44 20 7946 0142";
const std::string kDcBias =
    "DC bias capability exceeded for selected core.  Pick a larger core, stack cores or use a lower permeability. ";
const char* const kCaution = "Caution";

TEST(Messages, EveryMessageWithItsTextTitleIconAndFocus) {
    const auto info = MessageIcon::Information;
    const struct {
        const char* id;  // as the command line's JSON names it
        const char* screen;
        std::string text;
        const char* title;
        MessageIcon icon;
        const char* focus;
    } cases[] = {
        {"inductance", "txtInductance=0", "Enter Inductance Value > 0.", kCaution, info, "txtInductance"},
        {"output_voltage", "txtOutPutVoltage=", "Enter Output Voltage Value > 0.", kCaution, info, "txtOutPutVoltage"},
        {"dc_current", "txtDCCurrent=-1", "Enter DC Current Value > 0.", kCaution, info, "txtDCCurrent"},
        {"min_input_voltage", "txtMinInputVoltage=x", "Enter Minimum Input Voltage > 0.", kCaution, info,
         "txtMinInputVoltage"},
        {"frequency", "txtFrequency=0", "Enter the Frequency Value > 0.", kCaution, info, "txtFrequency"},
        {"flux_density", "txtFluxDensity=0", "Enter a Flux Density > 0.", kCaution, info, "txtFluxDensity"},
        {"ambient_temp", "txtAmbientTemp=0", "Enter an ambient temperature > 0", kCaution, info, "txtAmbientTemp"},
        {"current_density", "txtCurrentDensityFactor=801", "Enter a Current Density Factor between 250 and 800.",
         kCaution, info, "txtCurrentDensityFactor"},
        {"fill_factor", "txtFill_Factor=1", "Enter a Window Fill Factor between 0 and .9", kCaution, info,
         "txtFill_Factor"},
        {"core_size", "pick=", "Please select Core size from list of values. ", kCaution, info, "txtCoreSize"},
        {"stack", "txtStack=10", "Please select to stack between 1 and 9 cores.", kCaution, info, "txtStack"},
        {"area_product", "txtInductance=1",
         "Calculated area product exceeds the maximum for available core sizes.  Try\r\nstacking two or more cores "
         "if acceptable, otherwise, for customer sizes, send\r\nan e-mail to applications@kestrova.example" +
             kCall + "      Asia +852 5550 0142",
         kCaution, info, ""},
        // The focus goes to the core size list only when the list is enabled.
        {"dc_bias", "nogap pick=6205TXNG", kDcBias, kCaution, info, "txtCoreSize"},
        {"dc_bias", "nogap calc txtInductance=.0001 txtDCCurrent=20 txtFill_Factor=.9 txtCurrentDensityFactor=800",
         kDcBias, kCaution, info, ""},
        {"fill", "pick=6205TXGP",
         "Actual window fill, 212% exceeds 40%.\r\nPlease be sure that fill factor is acceptable or select one of "
         "the following options:\r\n\r\n    1) Choose bigger core with a larger area product. \r\n    2) Try "
         "stacking two or more cores if acceptable.\r\n    3) Contact us for custom sizes:  \r\n          e-mail:   "
         "applications@kestrova.example\r\n          or call:  USA 1-800-555-0142    Europe +44 20 7946 0142      "
         "Asia +852 5550 0142",
         "Output Inductor Core Design Tool", MessageIcon::None, ""},
        {"temperature", "pick=6218TXGP txtAmbientTemp=150",
         "Total temperature for core size selected is > 155\xC2\xB0"
         "C.\r\nPlease use program choice 2 and select larger core sizes, stack\r\ntwo or more cores, or inquire "
         "about custom core sizes by e-mailing us\r\nat applications@kestrova.example" +
             kCall + "    Asia +852 5550 0142",
         kCaution, info, ""},
        {"no_wire", "txtInductance=.000001 txtDCCurrent=40 txtCurrentDensityFactor=250 txtMaxInputVoltage=10",
         "Required copper area exceeds the largest wire in the table (AWG 8).  Lower the DC current or raise the "
         "current density.",
         kCaution, info, "txtDCCurrent"},
        {"inductance_limit", "pick=6238TXGP txtInductance=100 txtDCCurrent=.01",
         "The full-load inductance could not be reached.  Pick a larger core, stack cores or use a lower "
         "permeability.",
         kCaution, info, "txtInductance"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen);
        InputScreen s = testing::Screen(c.screen);
        const RunResult& run = s.ShowResults();
        ASSERT_FALSE(run.messages.empty());
        const Message& m = run.messages[0];
        EXPECT_EQ(MessageIdName(m.id), std::string(c.id));
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.title, c.title);
        EXPECT_EQ(m.icon, c.icon);
        EXPECT_EQ(m.focus, c.focus);
    }
}

}  // namespace
}  // namespace coredesign
