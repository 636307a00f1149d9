// The input screen's Show Results as the designer drives it: reading the
// fields, the input checks (order and boundaries), and random and hostile
// field texts thrown at every field: whatever is typed or pasted, a run ends
// in exactly one defined way and no screen text shows a non-finite number.
#include "input_screen.h"

#include <gtest/gtest.h>

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

// One run: the messages fit its end, and a design that reaches the screens
// holds a real core, only finite figures and no non-finite text.
void CheckRun(const InputScreen& s, const RunResult& run, bool firstRun) {
    const Ids ids = MessageIds(run);
    for (const Message& m : run.messages) EXPECT_FALSE(ShowsNonFinite(m.text)) << m.text;
    const bool pick = s.Record().CalculatorType == Calculator::PickCore;
    switch (run.outcome) {
        case Outcome::Validation: EXPECT_EQ(ids.size(), 1u); break;
        case Outcome::Results: EXPECT_TRUE(ids.empty() || (pick && ids == Ids{"temperature"})); break;
        case Outcome::FillWarning: EXPECT_TRUE(pick && ids[0] == "fill" && ids.size() <= 2); break;
        default: EXPECT_EQ(ids, Ids{OutcomeName(run.outcome)});  // each stop is told by its own message
    }
    EXPECT_EQ(run.temperatureAlarm, !ids.empty() && ids.back() == "temperature");
    if (run.outcome != Outcome::Results && run.outcome != Outcome::FillWarning) return;
    const DesignRecord& r = s.Record();
    ASSERT_TRUE(r.CoreIndex >= 1 && r.CoreIndex <= r.CatalogueRows());
    EXPECT_EQ(r.CoreSize, r.CorePartNo[r.CoreIndex]);
    for (double v : {r.Inductance, r.PeakCurrent, r.Energy, r.AreaProduct, r.InductanceFullLoad, r.ActualFillFactor,
                     r.ConductorResistance, r.SkinDepth, r.Bdc, r.Bac, r.CoreLoss, r.TotalLoss, r.TempRise})
        EXPECT_TRUE(std::isfinite(v));
    const IntermediateTexts it = MakeIntermediateTexts(r);
    for (int k = 1; k <= 38; ++k) EXPECT_FALSE(ShowsNonFinite(it.Labelo[k])) << "Labelo" << k << " " << it.Labelo[k];
    // After a fill warning the results screen keeps the texts it was created
    // with; only on a fresh screen (as the command line has) are they this run's.
    if (run.outcome == Outcome::FillWarning && !firstRun) return;
    for (const auto& [name, box] : testing::kResultsBoxes) EXPECT_FALSE(ShowsNonFinite((*s.Results()).*box)) << name;
}

// Random field texts, mostly plausible numbers in the forms a designer might
// paste, some empty, some with hostile pieces after them or made of them
// only, over several runs on each screen (later runs see what earlier ones left).
TEST(HostileInputs, EveryRunEndsInOneDefinedWay) {
    std::mt19937_64 gen(0x5eed2024ULL);
    auto pick = [&](std::uint64_t n) { return gen() % n; };
    auto unit = [&] { return static_cast<double>(gen() >> 11) * 0x1p-53; };
    // clang-format off
    static const char* const pieces[] = {"0", "1", "9", "007", ".", "..", "+", "-", "E", "e", "D", "E+", "E-",
        "&H", "&o", "FF", "G", " ", "\t", "\n", "\r\n", "E308", "E309", "E-400", "D-310", "1e-324", "9e307",
        "-inf", "NaN", ",", "0x1F", "\xC2\xB2", "\xC2\xB0", "\xE2\x88\x9E", "\xD9\xA3", "\xEF\xBC\x95", "\xFF",
        "\xC3", "Hz", "%"};
    static const char* const forms[] = {"%.17g", "%.3E", "  %.6g ", "%.6g", "%.4e"};
    static const char* const inductanceUnits[] = {"Henry", "millihenry", "microhenry", " microhenry ", "", "µH"};
    static const char* const frequencyUnits[] = {"Hz", "kHz", " kHz", "KHZ", ""};
    // clang-format on
    auto text = [&](double lo, double hi, double plain = 0.96) {
        std::string s;
        const double r = unit();
        if (r < plain && r >= 0.01) {
            char b[64];
            std::snprintf(b, sizeof b, forms[pick(5)], std::exp(std::log(lo) + (std::log(hi) - std::log(lo)) * unit()));
            s = b;
            if (pick(4) == 0) std::replace(s.begin(), s.end(), 'e', 'D');
            if (s.rfind("0.", 0) == 0 && pick(3) == 0) s.erase(0, 1);  // ".5"
            if (pick(20) == 0) s.insert(0, "-");
        }
        for (int k = 0, n = r < plain - 0.03 ? 0 : static_cast<int>(pick(9)); k < n; ++k) {
            const std::uint64_t q = pick(120);
            s += q < 3 ? std::string(1 + pick(300), q ? '9' : '0') : q < 5 ? std::string(1, '\0') : pieces[pick(40)];
        }
        return s;
    };
    int outcomes[7] = {}, runs = 0;
    while (runs < 20000) {
        InputScreen s;
        if (pick(5) < 2) s.ChooseFamily(false);
        const bool pickCore = pick(20) < 7;
        if (pickCore) s.ChoosePickCore();
        for (int k = 0, n = 1 + static_cast<int>(pick(4)); k < n && runs < 20000; ++k, ++runs) {
            InputTexts& in = s.Fields();
            const size_t iu = pick(6), fu = pick(5);
            in.cmbinductance = inductanceUnits[iu];
            in.cmbfrequency = frequencyUnits[fu];
            const double lScale = iu == 1 || iu == 3 ? 1e3 : iu == 2 ? 1e6 : 1, fScale = fu == 1 || fu == 2 ? 1e-3 : 1;
            in.txtInductance = text(1e-7 * lScale, 0.2 * lScale);
            in.txtOutPutVoltage = text(0.5, 500);
            in.txtDCCurrent = text(1e-3, 200);
            in.txtFluxDensity = text(0.05, 2.5);
            in.txtFrequency = text(100 * fScale, 3e6 * fScale);
            in.txtMinInputVoltage = text(0.5, 500);
            in.txtMaxInputVoltage = text(0.5, 600, 0.8);  // not checked: more hostile texts
            in.txtAmbientTemp = text(1, 200);
            in.txtCurrentDensityFactor = text(240, 820);
            in.txtFill_Factor = text(0.01, 0.95);
            in.txtStack = text(1, 10);
            if (pickCore) {
                const auto& list = s.CoreList();
                in.txtCoreSize = pick(8) && !list.empty() ? list[pick(list.size())] : text(1, 1e4);
            }
            const RunResult& run = s.ShowResults();
            ++outcomes[static_cast<int>(run.outcome)];
            ASSERT_NO_FATAL_FAILURE(CheckRun(s, run, k == 0));
            if (::testing::Test::HasFailure()) {
                std::string texts;
                for (const InputField& f : kInputFields) texts += "'" + in.*f.text + "' ";
                FAIL() << "run " << runs << " with the field texts " << texts << "units '" << in.cmbinductance << "', '"
                       << in.cmbfrequency << "', core size '" << in.txtCoreSize << "'";
            }
        }
    }
    // The texts reach every end but the pass bound (whose case is in the design run's tests).
    for (Outcome o : {Outcome::Results, Outcome::FillWarning, Outcome::Validation, Outcome::AreaProduct,
                      Outcome::DcBias, Outcome::NoWire})
        EXPECT_GE(outcomes[static_cast<int>(o)], 100) << OutcomeName(o);
}

}  // namespace
}  // namespace coredesign
