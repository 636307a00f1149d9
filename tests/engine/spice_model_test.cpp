// The SPICE model checked by ngspice itself (batch mode, no display): the
// small-signal impedance at a DC bias of the peak current and at zero gives
// the engine's inductances and the hot copper resistance, and a voltage step
// makes the current rise at V / L. And what the model's header tells.
#include "spice_model.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "command.h"
#include "curve.h"
#include "engine_checks.h"
#include "temp_folder.h"
#include "version.h"

namespace coredesign {
namespace {

// Every "name = number" that ngspice printed, the last one of each name.
std::map<std::string, double> Printed(const std::string& output) {
    std::map<std::string, double> values;
    std::istringstream lines(output);
    for (std::string text; std::getline(lines, text);) {
        std::istringstream words(text);
        std::string name, equals, number, rest;
        if (!(words >> name >> equals >> number) || equals != "=" || (words >> rest)) continue;
        std::size_t used = 0;
        try {
            const double value = std::stod(number, &used);
            if (used == number.size()) values[name] = value;
        } catch (const std::exception&) {
        }
    }
    return values;
}

TEST(SpiceModel, NgspiceGivesTheEnginesInductancesAndResistance) {
    ASSERT_EQ(std::system("command -v ngspice >/dev/null"), 0) << "ngspice is missing (scripts/install-deps)";
    const char* designs[] = {"", "nogap", "pick=6230TXGP txtStack=3",
                             "cmbinductance=millihenry txtInductance=1 txtDCCurrent=10"};
    for (const char* inputs : designs) {
        SCOPED_TRACE(inputs);
        InputScreen s = testing::Screen(inputs);
        ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
        const DesignRecord& r = s.Record();
        const InductanceCurve curve = MakeInductanceCurve(r, 2);
        const double fullLoad = r.InductanceFullLoad * 1e-6, zero = curve.zeroCurrentInductance * 1e-6;
        // The copper resistance at the ambient plus the rise.
        const double hot = r.ConductorResistance * (1 + 0.00393 * (r.AmbientTemp + r.TempRise - 25));
        // A 1 V step, read after a thousandth of the winding's time constant.
        const double t1 = 1e-3 * zero / hot;

        const testing::TempFolder dir;
        std::ofstream(dir.File("choke.lib")) << SpiceModel(r);
        const std::string name = SpiceSubcircuitName(r);
        std::ofstream(dir.File("check.cir"))
            << "choke check\n"
            << ".include " << dir.File("choke.lib") << "\n"
            << "Ibias 0 a DC " << RoundTripNumber(r.PeakCurrent) << " AC 1\nX1 a 0 " << name << "\n"
            << "Izero 0 b DC 0 AC 1\nX2 b 0 " << name << "\n"
            << "Vstep c 0 PULSE(0 1 0 1e-12 1e-12 1 2)\nX3 c 0 " << name << "\n"
            << ".control\nset numdgt=15\nac lin 1 1000 1000\n"
            << "let lbias = imag(v(a))/(2*pi*1000)\nlet rbias = real(v(a))\nlet lzero = imag(v(b))/(2*pi*1000)\n"
            << "print lbias rbias lzero\n"
            << "tran " << RoundTripNumber(t1 / 200) << " " << RoundTripNumber(1.01 * t1) << "\n"
            << "let istep = -i(vstep)\nmeas tran iend find istep at=" << RoundTripNumber(t1) << "\nprint iend\nquit 0\n"
            << ".endc\n.end\n";
        const testing::CommandResult run = testing::RunCommand("ngspice -b " + dir.File("check.cir"), dir);
        ASSERT_EQ(run.exitStatus, 0) << run.out << run.err;
        const std::map<std::string, double> v = Printed(run.out);
        ASSERT_EQ(v.count("lbias") + v.count("rbias") + v.count("lzero") + v.count("iend"), 4u) << run.out;
        EXPECT_NEAR(v.at("lbias"), fullLoad, 1e-6 * fullLoad);
        EXPECT_NEAR(v.at("lzero"), zero, 1e-6 * zero);
        EXPECT_NEAR(v.at("rbias"), hot, 1e-6 * hot);
        EXPECT_NEAR(v.at("iend") / t1, 1 / zero, 0.01 / zero);  // the current's slope, V / L
    }
}

TEST(SpiceModel, HeaderNamesTheDesignAndWhatIsLeftOut) {
    InputScreen s = testing::Screen("pick=6230TXGP txtStack=3");
    ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
    const std::string model = SpiceModel(s.Record());
    const std::string expectedTexts[] = {"6230TXGP * 3, 31 turns of 18 AWG",
                                         std::string(kAppTitle) + " " + kVersion,
                                         "core loss",
                                         "self-capacitance",
                                         "skin effect",
                                         "\n.subckt CHOKE_6230TXGPX3_31T A B\n",
                                         "\n.ends CHOKE_6230TXGPX3_31T\n"};
    for (const std::string& expected : expectedTexts)
        EXPECT_NE(model.find(expected), std::string::npos) << expected << "\n" << model;
}

}  // namespace
}  // namespace coredesign
