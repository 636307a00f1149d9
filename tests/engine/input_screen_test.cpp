// The input screen's Show Results as the designer drives it: reading the
// fields, the input checks (order and boundaries), and random and hostile
// field texts thrown at every field: whatever is typed or pasted, a run ends
// in exactly one defined way and no screen text shows a non-finite number.
#include "input_screen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine_checks.h"
#include "screen_texts.h"

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

// True when the text holds "nan" or "inf" (any case) not inside a longer word.
bool ShowsNonFinite(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    auto letter = [&](size_t p) { return p < text.size() && std::isalpha(static_cast<unsigned char>(text[p])); };
    for (const char* word : {"nan", "inf"})
        for (size_t p = text.find(word); p != std::string::npos; p = text.find(word, p + 1))
            if (!(p > 0 && letter(p - 1)) && (!letter(p + 3) || text.compare(p + 3, 5, "inity") == 0)) return true;
    return false;
}

// Field texts: mostly plausible numbers in the forms a designer might paste,
// some with rubbish after them, some made of hostile pieces only.
class TextSource {
public:
    explicit TextSource(std::uint64_t seed) : gen_(seed) {}
    std::uint64_t Pick(std::uint64_t n) { return gen_() % n; }
    double Unit() { return static_cast<double>(gen_() >> 11) * 0x1p-53; }

    std::string Number(double lo, double hi, bool whole) {
        double v = lo > 0 ? std::exp(std::log(lo) + (std::log(hi) - std::log(lo)) * Unit()) : lo + (hi - lo) * Unit();
        if (whole) v = std::round(v);
        static const char* const forms[] = {"%.17g", "%.3E", "  %.6g ", "%.6g", "%.4e"};
        char b[64];
        if (whole && v >= 0 && v < 1e9 && Pick(6) == 0) {
            std::snprintf(b, sizeof b, Pick(2) ? "&H%llX" : "&o%llo", static_cast<unsigned long long>(v));
        } else {
            const size_t form = Pick(5);
            std::snprintf(b, sizeof b, forms[form], v);
            if (form == 4) std::replace(b, b + sizeof b, 'e', 'D');
        }
        std::string s = b;
        if (s.rfind("0.", 0) == 0 && Pick(3) == 0) s.erase(0, 1);  // ".5"
        return s;
    }

    std::string Hostile() {
        static const char* const pieces[] = {
            "0",    "1",        "9",        "007",          ".",        "..",           "+",     "-",    "E",   "e",
            "D",    "E+",       "E-",       "&H",           "&o",       "FF",           "G",     " ",    "\t",  "\n",
            "\r\n", "E308",     "E309",     "E-400",        "D-310",    "1e-324",       "9e307", "-inf", "NaN", ",",
            "0x1F", "\xC2\xB2", "\xC2\xB0", "\xE2\x88\x9E", "\xD9\xA3", "\xEF\xBC\x95", "\xFF",  "\xC3", "Hz",  "%"};
        std::string s;
        for (int k = 0, n = static_cast<int>(Pick(9)); k < n; ++k) {
            if (Pick(40) == 0)
                s += std::string(1 + Pick(300), Pick(2) ? '9' : '0');  // very long digit runs
            else if (Pick(60) == 0)
                s.push_back('\0');
            else
                s += pieces[Pick(std::size(pieces))];
        }
        return s;
    }

    std::string Field(double lo, double hi, bool whole = false) {
        const double r = Unit();
        if (r < 0.93) return Number(lo, hi, whole);
        if (r < 0.94) return "";
        if (r < 0.96) return Number(lo, hi, whole) + Hostile();
        return Hostile();
    }

private:
    std::mt19937_64 gen_;
};

// One run: exactly one defined end with its messages, and a design that
// reaches the screens holds a real core and only finite figures.
void CheckRun(const InputScreen& s, const RunResult& run, bool firstRun) {
    static const std::set<std::string> checks = {"inductance",  "output_voltage", "dc_current",   "min_input_voltage",
                                                 "frequency",   "flux_density",   "ambient_temp", "current_density",
                                                 "fill_factor", "core_size",      "stack"};
    const Ids ids = MessageIds(run);
    for (const Message& m : run.messages) EXPECT_FALSE(ShowsNonFinite(m.text)) << m.text;
    const bool pick = s.Record().CalculatorType == Calculator::PickCore;
    const bool hot = ids.size() == 2 || (ids.size() == 1 && ids[0] == "temperature");
    switch (run.outcome) {
        case Outcome::Validation: EXPECT_TRUE(ids.size() == 1 && checks.count(ids[0])) << ids.size(); break;
        case Outcome::AreaProduct: EXPECT_EQ(ids, Ids{"area_product"}); break;
        case Outcome::DcBias: EXPECT_EQ(ids, Ids{"dc_bias"}); break;
        case Outcome::NoWire: EXPECT_EQ(ids, Ids{"no_wire"}); break;
        case Outcome::InductanceLimit: EXPECT_EQ(ids, Ids{"inductance_limit"}); break;
        case Outcome::Results: EXPECT_TRUE(ids.empty() || (pick && ids == Ids{"temperature"})); break;
        case Outcome::FillWarning:
            EXPECT_TRUE(pick && (ids == Ids{"fill"} || ids == Ids{"fill", "temperature"}));
            break;
    }
    EXPECT_EQ(run.temperatureAlarm, hot);
    if (run.outcome != Outcome::Results && run.outcome != Outcome::FillWarning) return;

    const DesignRecord& r = s.Record();
    ASSERT_GE(r.CoreIndex, 1);
    ASSERT_LE(r.CoreIndex, r.CatalogueRows());
    EXPECT_EQ(r.CoreSize, r.CorePartNo[r.CoreIndex]);
    for (double v : {r.Inductance, r.RippleCurrent, r.PeakCurrent, r.Energy, r.AreaProduct, r.InductanceFullLoad,
                     r.ActualFillFactor, r.MeanTurnLength, r.ConductorResistance, r.SkinDepth, r.Bdc, r.Bac, r.CoreLoss,
                     r.CopperLossAtTemp, r.TotalLoss, r.TempRise})
        EXPECT_TRUE(std::isfinite(v));
    const IntermediateTexts it = MakeIntermediateTexts(r);
    for (int k = 1; k <= 38; ++k) EXPECT_FALSE(ShowsNonFinite(it.Labelo[k])) << "Labelo" << k << " " << it.Labelo[k];
    // After a fill warning the results screen keeps the texts it was created
    // with; only on a fresh screen (as the command line has) are they this run's.
    ASSERT_TRUE(s.Results().has_value());
    if (run.outcome == Outcome::FillWarning && !firstRun) return;
    const ResultsTexts& t = *s.Results();
    for (const std::string* box :
         {&t.txtInductance, &t.txtDCCurrent, &t.txtFrequency, &t.txtOutCoreSize, &t.txtNoOfTurns, &t.txtInductanceZero,
          &t.txtInductanceFull, &t.txtCopperLoss, &t.txtCoreLoss, &t.txtTotalLoss, &t.txtTotalTempRise})
        EXPECT_FALSE(ShowsNonFinite(*box)) << *box;
}

TEST(HostileInputs, EveryRunEndsInOneDefinedWay) {
    TextSource src(0x5eed2024ULL);
    int outcomes[7] = {}, runs = 0;
    static const char* const inductanceUnits[] = {"Henry", "millihenry", "microhenry", " microhenry ", "", "µH"};
    static const char* const frequencyUnits[] = {"Hz", "kHz", " kHz", "KHZ", ""};
    while (runs < 20000) {
        InputScreen s;
        if (src.Pick(5) < 2) s.ChooseFamily(false);
        const bool pick = src.Pick(20) < 7;
        if (pick) s.ChoosePickCore();
        const int runsHere = 1 + static_cast<int>(src.Pick(4));  // later runs see what earlier ones left
        for (int k = 0; k < runsHere && runs < 20000; ++k, ++runs) {
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
            in.txtMaxInputVoltage = src.Pick(5) ? src.Field(-20, 600) : src.Hostile();
            in.txtAmbientTemp = src.Field(1, 200, true);
            in.txtCurrentDensityFactor = src.Field(240, 820);
            in.txtFill_Factor = src.Field(0.01, 0.95);
            in.txtStack = src.Pick(20) ? src.Field(1, 10, true) : "";
            if (pick && src.Pick(25) == 0) {
                // Far more inductance than 31000 turns give, and a wire that
                // never fills: only the bound on inductance passes ends these.
                in.txtInductance = src.Number(50, 1e4, false);
                in.cmbinductance = "Henry";
                in.txtDCCurrent = src.Number(1e-3, 0.02, false);
            }
            if (pick) {
                const auto& list = s.CoreList();
                const double r = src.Unit();
                in.txtCoreSize = r < 0.85 && !list.empty() ? list[src.Pick(list.size())]
                                 : r < 0.92                ? src.Hostile()
                                                           : "6233TXNG             HT= 19mm,  OD= 47 mm, ID = 25mm";
            }
            const RunResult& run = s.ShowResults();
            ++outcomes[static_cast<int>(run.outcome)];
            ASSERT_NO_FATAL_FAILURE(CheckRun(s, run, k == 0));
            if (::testing::Test::HasFailure()) {
                std::string texts;
                for (const std::string* t :
                     {&in.txtInductance, &in.cmbinductance, &in.txtOutPutVoltage, &in.txtDCCurrent, &in.txtFluxDensity,
                      &in.txtFrequency, &in.cmbfrequency, &in.txtMinInputVoltage, &in.txtMaxInputVoltage,
                      &in.txtAmbientTemp, &in.txtCurrentDensityFactor, &in.txtFill_Factor, &in.txtStack,
                      &in.txtCoreSize})
                    texts += "'" + *t + "' ";
                FAIL() << "run " << runs << " with the field texts " << texts;
            }
        }
    }
    // The texts reach every end (the pass bound is rare by its nature).
    for (int o = 0; o < 7; ++o)
        EXPECT_GE(outcomes[o], static_cast<Outcome>(o) == Outcome::InductanceLimit ? 5 : 100)
            << OutcomeName(static_cast<Outcome>(o));
}

}  // namespace
}  // namespace coredesign
