// The input screen's Show Results as the designer drives it: the input
// checks (order, boundaries, messages, focus), and random and hostile field
// texts thrown at every field: whatever is typed or pasted, a run ends in
// exactly one defined way, in bounded time, and no screen text shows a
// non-finite number.
#include "input_screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine_checks.h"
#include "numtext.h"
#include "screen_texts.h"

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

// True when the text holds "nan" or "inf" (any case) as a word of its own.
bool ShowsNonFinite(const std::string& text) {
    std::string low(text);
    std::transform(low.begin(), low.end(), low.begin(), [](unsigned char c) { return std::tolower(c); });
    auto letter = [&](size_t p) { return p < low.size() && std::isalpha(static_cast<unsigned char>(low[p])); };
    for (const char* word : {"nan", "inf"})
        for (size_t p = low.find(word); p != std::string::npos; p = low.find(word, p + 1))
            if (!(p > 0 && letter(p - 1)) && (!letter(p + 3) || low.compare(p + 3, 5, "inity") == 0)) return true;
    return false;
}

TEST(ShowsNonFinite, FindsOnlyWholeWords) {
    for (const char* text : {"nan", "-NaN W", "Infinity", "-inf", "1.#INF"}) EXPECT_TRUE(ShowsNonFinite(text)) << text;
    for (const char* text : {"information", "Please be sure that fill factor", "0.0288 tesla"})
        EXPECT_FALSE(ShowsNonFinite(text)) << text;
}

class TextSource {
public:
    explicit TextSource(std::uint64_t seed) : gen_(seed) {}

    std::uint64_t Pick(std::uint64_t n) { return gen_() % n; }
    bool Chance(double p) { return Unit() < p; }
    double Unit() { return static_cast<double>(gen_() >> 11) * 0x1p-53; }
    double LogUniform(double lo, double hi) { return std::exp(std::log(lo) + (std::log(hi) - std::log(lo)) * Unit()); }

    // A plausible number for a field, written in one of the forms a designer might paste.
    std::string Number(double lo, double hi, bool whole) {
        double v = lo > 0 ? LogUniform(lo, hi) : lo + (hi - lo) * Unit();
        if (whole) v = std::round(v);
        char b[64];
        switch (Pick(8)) {
            case 0: std::snprintf(b, sizeof b, "%.17g", v); break;
            case 1: std::snprintf(b, sizeof b, "%.3E", v); break;
            case 2: {
                std::snprintf(b, sizeof b, "%.4e", v);
                for (char* c = b; *c; ++c)
                    if (*c == 'e') *c = 'D';
                break;
            }
            case 3:
                if (whole && v >= 0 && v < 1e9) {
                    std::snprintf(b, sizeof b, Chance(0.5) ? "&H%llX" : "&o%llo", static_cast<unsigned long long>(v));
                    break;
                }
                [[fallthrough]];
            case 4: std::snprintf(b, sizeof b, "  %.6g ", v); break;
            default: std::snprintf(b, sizeof b, "%.6g", v); break;
        }
        std::string s = b;
        if (s.rfind("0.", 0) == 0 && Chance(0.3)) s.erase(0, 1);  // ".5"
        return s;
    }

    // Pieces of hostile text: numbers gone wrong, blanks, prefixes, unicode.
    std::string Hostile() {
        static const char* const pieces[] = {"0",        "1",        "5",
                                             "9",        "12",       "007",
                                             "3.14159",  ".",        "..",
                                             "+",        "-",        "E",
                                             "e",        "D",        "d",
                                             "E+",       "E-",       "&H",
                                             "&h",       "&O",       "&o",
                                             "FF",       "7f",       "G",
                                             " ",        "  ",       "\t",
                                             "\n",       "\r",       "\r\n",
                                             "E308",     "E309",     "e400",
                                             "E-400",    "E-320",    "D-310",
                                             "1e-324",   "9e307",    "Infinity",
                                             "-inf",     "NaN",      "nan",
                                             ",",        "0x1F",     "1,5",
                                             "\xC2\xB2", "\xC2\xB0", "\xE2\x88\x9E",
                                             "\xC2\xBD", "\xD9\xA3", "\xEF\xBC\x95",
                                             "\xC3\xA9", "\xFF",     "\xC3",
                                             "V",        "Hz",       "mH",
                                             "%",        "_"};
        constexpr size_t count = sizeof pieces / sizeof pieces[0];
        std::string s;
        const int n = static_cast<int>(Pick(9));
        for (int k = 0; k < n; ++k) {
            if (Pick(40) == 0) {
                s += std::string(1 + Pick(300), Chance(0.5) ? '9' : '0');  // very long digit runs
            } else if (Pick(60) == 0) {
                s.push_back('\0');
            } else {
                s += pieces[Pick(count)];
            }
        }
        return s;
    }

    std::string Field(double lo, double hi, bool whole = false) {
        const double r = Unit();
        if (r < 0.93) return Number(lo, hi, whole);
        if (r < 0.94) return "";
        if (r < 0.96) return Number(lo, hi, whole) + Hostile();  // trailing rubbish
        return Hostile();
    }

private:
    std::mt19937_64 gen_;
};

struct Tally {
    std::array<int, 7> outcomes{};
    int runs = 0;
    double slowest = 0;
};

void CheckRun(InputScreen& s, const RunResult& run, bool firstRun, Tally& tally) {
    const int o = static_cast<int>(run.outcome);
    ASSERT_GE(o, 0);
    ASSERT_LT(o, 7);
    ++tally.outcomes[static_cast<size_t>(o)];
    const auto ids = testing::MessageIds(run);
    static const std::set<std::string> inputChecks = {
        "inductance",   "output_voltage",  "dc_current",  "min_input_voltage", "frequency", "flux_density",
        "ambient_temp", "current_density", "fill_factor", "core_size",         "stack"};
    static const std::set<std::string> focusNames = {
        "txtInductance",  "txtOutPutVoltage", "txtDCCurrent",   "txtMinInputVoltage",
        "txtFrequency",   "txtFluxDensity",   "txtAmbientTemp", "txtCurrentDensityFactor",
        "txtFill_Factor", "txtCoreSize",      "txtStack",       ""};
    for (const Message& m : run.messages) {
        EXPECT_FALSE(ShowsNonFinite(m.text)) << m.text;
        EXPECT_TRUE(m.title == "Caution" || m.title == "Output Inductor Core Design Tool") << m.title;
        EXPECT_EQ(focusNames.count(m.focus), 1u) << m.focus;
    }
    const bool pick = s.Record().CalculatorType == Calculator::PickCore;
    switch (run.outcome) {
        case Outcome::Validation:
            ASSERT_EQ(ids.size(), 1u);
            EXPECT_EQ(inputChecks.count(ids[0]), 1u) << ids[0];
            break;
        case Outcome::AreaProduct:
            EXPECT_EQ(ids, std::vector<std::string>{"area_product"});
            EXPECT_FALSE(pick);
            EXPECT_TRUE(run.clearCoreList);
            break;
        case Outcome::DcBias: EXPECT_EQ(ids, std::vector<std::string>{"dc_bias"}); break;
        case Outcome::NoWire: EXPECT_EQ(ids, std::vector<std::string>{"no_wire"}); break;
        case Outcome::InductanceLimit:
            EXPECT_EQ(ids, std::vector<std::string>{"inductance_limit"});
            EXPECT_EQ(run.inductancePasses, 10000);
            break;
        case Outcome::Results:
            EXPECT_TRUE(run.showResults);
            EXPECT_TRUE(ids.empty() || (pick && ids == std::vector<std::string>{"temperature"}));
            break;
        case Outcome::FillWarning:
            EXPECT_TRUE(pick);
            EXPECT_TRUE(run.showIntermediate);
            EXPECT_TRUE(ids == std::vector<std::string>{"fill"} ||
                        ids == (std::vector<std::string>{"fill", "temperature"}));
            break;
    }
    EXPECT_LE(run.inductancePasses, 10000);
    if (run.outcome != Outcome::Results && run.outcome != Outcome::FillWarning) return;

    // A design that reaches the screens: a real core and only finite figures.
    const DesignRecord& r = s.Record();
    ASSERT_GE(r.CoreIndex, 1);
    ASSERT_LE(r.CoreIndex, r.CatalogueRows());
    EXPECT_EQ(r.CoreSize, r.CorePartNo[r.CoreIndex]);
    for (double v :
         {r.Inductance, r.InductanceEntered, r.RippleCurrent, r.PeakCurrent, r.Energy, r.AreaProduct,
          r.InductanceFullLoad, r.ActualFillFactor, r.MeanTurnLength, r.ConductorLength, r.ConductorResistance,
          r.SkinDepth, r.Bdc, r.Bac, r.MaterialLoss, r.CoreLoss, r.CopperLossAtTemp, r.TotalLoss, r.TempRise})
        EXPECT_TRUE(std::isfinite(v));
    EXPECT_GE(r.Turns, 1);
    EXPECT_LE(r.Turns, 32000);
    const IntermediateTexts it = MakeIntermediateTexts(r);
    for (int k = 1; k <= 38; ++k) EXPECT_FALSE(ShowsNonFinite(it.Labelo[k])) << "Labelo" << k << " " << it.Labelo[k];

    // The results screen: shown (and refilled) after results; after a fill
    // warning it stays hidden with the texts it was created with, which the
    // command line reports for its single run on a fresh screen.
    ASSERT_TRUE(s.Results().has_value());
    if (run.outcome == Outcome::FillWarning && !firstRun) return;
    const ResultsTexts& t = *s.Results();
    // (txtcore echoes the core size list's text, which is no number.)
    for (const std::string* box :
         {&t.txtInductance, &t.txtOutPutVoltage, &t.txtDCCurrent, &t.txtFluxDensity, &t.txtFrequency,
          &t.txtMinInputVoltage, &t.txtCurrentDensityFactor, &t.txtAmbientTemp, &t.txtOutCoreSize, &t.txtStackout,
          &t.txtNoOfTurns, &t.txtWireSize, &t.txtInductanceZero, &t.txtInductanceFull, &t.txtCopperLoss, &t.txtCoreLoss,
          &t.txtTotalLoss, &t.txtTotalTempRise})
        EXPECT_FALSE(ShowsNonFinite(*box)) << *box;
    if (run.outcome == Outcome::Results) {
        EXPECT_EQ(t.txtOutCoreSize, r.CoreSize);
        EXPECT_FALSE(t.txtTotalTempRise.empty());
    }
}

TEST(HostileInputs, EveryRunEndsInOneDefinedWay) {
    TextSource src(0x5eed2024ULL);
    Tally tally;
    const auto start = std::chrono::steady_clock::now();
    static const char* const inductanceUnits[] = {"Henry", "millihenry", "microhenry", " microhenry ", "", "µH"};
    static const char* const frequencyUnits[] = {"Hz", "kHz", " kHz", "KHZ", ""};
    while (tally.runs < 20000) {
        InputScreen s;
        if (src.Chance(0.4)) s.ChooseFamily(false);
        const bool pick = src.Chance(0.35);
        if (pick)
            s.ChoosePickCore();
        else if (src.Chance(0.3))
            s.ChooseCalculateCore();
        const int runsHere = 1 + static_cast<int>(src.Pick(4));  // later runs see what earlier ones left
        for (int k = 0; k < runsHere && tally.runs < 20000; ++k, ++tally.runs) {
            InputTexts& in = s.Fields();
            const size_t iu = src.Pick(6), fu = src.Pick(5);
            in.cmbinductance = inductanceUnits[iu];
            in.cmbfrequency = frequencyUnits[fu];
            const double lScale = iu == 1 || iu == 3 ? 1e3 : iu == 2 ? 1e6 : 1;
            in.txtInductance = src.Field(1e-7 * lScale, 0.2 * lScale);
            in.txtOutPutVoltage = src.Field(0.5, 500);
            in.txtDCCurrent = src.Field(1e-3, 200);
            in.txtFluxDensity = src.Field(0.05, 2.5);
            in.txtFrequency = fu == 1 || fu == 2 ? src.Field(0.1, 3000) : src.Field(100, 3e6);
            in.txtMinInputVoltage = src.Field(0.5, 500);
            in.txtMaxInputVoltage = src.Chance(0.8) ? src.Field(-20, 600) : src.Hostile();
            in.txtAmbientTemp = src.Field(1, 200, true);
            in.txtCurrentDensityFactor = src.Field(240, 820);
            in.txtFill_Factor = src.Field(0.01, 0.95);
            in.txtStack = src.Chance(0.05) ? "" : src.Field(1, 10, true);
            if (pick && src.Chance(0.04)) {
                // A design that only the bound on inductance passes can end:
                // far more inductance than 31000 turns give, a wire that never fills.
                in.txtInductance = src.Number(50, 1e4, false);
                in.cmbinductance = "Henry";
                in.txtDCCurrent = src.Number(1e-3, 0.02, false);
            }
            if (pick) {
                const auto& list = s.CoreList();
                const double r = src.Unit();
                if (r < 0.85 && !list.empty())
                    in.txtCoreSize = list[src.Pick(list.size())];
                else if (r < 0.92)
                    in.txtCoreSize = src.Hostile();
                else
                    in.txtCoreSize = "6233TXNG             HT= 19mm,  OD= 47 mm, ID = 25mm";
            }
            const auto t0 = std::chrono::steady_clock::now();
            const RunResult& run = s.ShowResults();
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            tally.slowest = std::max(tally.slowest, seconds);
            ASSERT_LT(seconds, 2.0) << "a single run took " << seconds << " s";
            ASSERT_NO_FATAL_FAILURE(CheckRun(s, run, k == 0, tally));
            if (::testing::Test::HasFailure()) {
                std::string texts;
                for (const std::string* t :
                     {&in.txtInductance, &in.cmbinductance, &in.txtOutPutVoltage, &in.txtDCCurrent, &in.txtFluxDensity,
                      &in.txtFrequency, &in.cmbfrequency, &in.txtMinInputVoltage, &in.txtMaxInputVoltage,
                      &in.txtAmbientTemp, &in.txtCurrentDensityFactor, &in.txtFill_Factor, &in.txtStack,
                      &in.txtCoreSize})
                    texts += "'" + *t + "' ";
                ADD_FAILURE() << "run " << tally.runs << " with the field texts " << texts;
                return;
            }
        }
    }
    const double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "%d runs in %.2f s (slowest %.1f ms): results %d, fill_warning %d, validation %d, area_product %d, "
        "dc_bias %d, no_wire %d, inductance_limit %d\n",
        tally.runs, total, tally.slowest * 1000, tally.outcomes[0], tally.outcomes[1], tally.outcomes[2],
        tally.outcomes[3], tally.outcomes[4], tally.outcomes[5], tally.outcomes[6]);
    // The texts reach every end (the pass bound is rare by its nature).
    for (int o = 0; o < 7; ++o) {
        const int least = static_cast<Outcome>(o) == Outcome::InductanceLimit ? 5 : 100;
        EXPECT_GE(tally.outcomes[static_cast<size_t>(o)], least) << OutcomeName(static_cast<Outcome>(o));
    }
}

}  // namespace
}  // namespace coredesign
