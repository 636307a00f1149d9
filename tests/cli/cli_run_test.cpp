// coredesign-cli run as its own process: exit status, standard error, and
// the JSON document for every way a run can end.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "child_process.h"
#include "design_record.h"
#include "mini_json.h"

namespace {

using minijson::Value;

const std::string kCli = COREDESIGN_CLI;

struct CliRun {
    clitest::ProcessResult process;
    Value doc;
};

CliRun RunJson(std::vector<std::string> args, const std::vector<std::string>& env = {}) {
    args.insert(args.begin(), "--json");
    CliRun r;
    r.process = clitest::RunProgram(kCli, args, env);
    try {
        r.doc = minijson::Parse(r.process.out);
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what() << "\n" << r.process.out;
    }
    return r;
}

std::string Joined(const std::vector<std::string>& args) {
    std::string s;
    for (const auto& a : args) s += "'" + a + "' ";
    return s;
}

TEST(Cli, DefaultDesignDocument) {
    // The figures themselves are the engine's, checked there; here the document's shape and a few of them.
    const CliRun r = RunJson({});
    EXPECT_EQ(r.process.exitStatus, 0);
    EXPECT_EQ(r.process.err, "");
    const Value& d = r.doc;
    EXPECT_EQ(d["outcome"].text, "results");
    EXPECT_TRUE(d["messages"].items.empty());
    const Value& box = d["results_screen"];
    EXPECT_EQ(box.members.size(), 21u);
    EXPECT_EQ(box["txtOutCoreSize"].text, "6218TXGP");
    EXPECT_EQ(box["txtNoOfTurns"].text, "58");
    EXPECT_EQ(box["txtInductanceFull"].text, "317.7");
    EXPECT_EQ(box["VoutUnit"].text, " A/cm\xC2\xB2");
    EXPECT_FALSE(box["txtTotalTempRiseAlarm"].boolean);
    const Value& im = d["intermediate_screen"];
    for (int k = 1; k <= 38; ++k) {
        EXPECT_TRUE(im.Has("Label" + std::to_string(k))) << k;
        EXPECT_TRUE(im.Has("Labelo" + std::to_string(k))) << k;
    }
    EXPECT_EQ(im["Label1"].text, "Calculated Factors:");
    EXPECT_EQ(im["Labelo17"].text, "47.88 mohm");
    EXPECT_EQ(im["txtWarning"].text, "");
    EXPECT_FALSE(im["FillFactorRed"].boolean);
    const Value& rec = d["record"];
    // Every figure of the record, in the table's order, and nothing else.
    ASSERT_EQ(rec.members.size(), std::size(coredesign::kRecordFields));
    for (std::size_t k = 0; k < rec.members.size(); ++k)
        EXPECT_EQ(rec.members[k].first, coredesign::kRecordFields[k].name) << k;
    EXPECT_EQ(rec["CoreSize"].text, "6218TXGP");
    EXPECT_EQ(rec["CoreIndex"].number, 14);
    EXPECT_EQ(rec["InductanceEntered"].number, 0.000318);
    EXPECT_EQ(rec["FillFactor"].number, 0.4);  // 17 digits: the double round-trips
    EXPECT_TRUE(rec["GappedCores"].boolean);
    EXPECT_EQ(rec["CalculatorType"].number, 1);
}

TEST(Cli, FamilyPickStackAndUnits) {
    const CliRun noGap = RunJson({"--family", "nogap"});
    EXPECT_EQ(noGap.doc["results_screen"]["txtFluxDensity"].text, "0.8");
    EXPECT_EQ(noGap.doc["results_screen"]["txtOutCoreSize"].text, "6218TXNG");
    EXPECT_FALSE(noGap.doc["record"]["GappedCores"].boolean);
    const CliRun flux = RunJson({"--family", "nogap", "--flux-density", "1"});  // an explicit flux density wins
    EXPECT_EQ(flux.doc["record"]["FluxDensity"].number, 1);

    const CliRun pick = RunJson({"--pick", "6218TXGP"});
    EXPECT_EQ(pick.process.exitStatus, 0);
    EXPECT_EQ(pick.doc["results_screen"]["txtcore"].text, "6218TXGP");
    EXPECT_EQ(pick.doc["record"]["CalculatorType"].number, 2);

    const CliRun stack = RunJson({"--stack", "2"});
    EXPECT_EQ(stack.doc["results_screen"]["txtOutCoreSize"].text, "6213TXGP");
    EXPECT_EQ(stack.doc["record"]["Stack"].number, 2);
    const CliRun empty = RunJson({"--stack", ""});  // an empty field becomes 1
    EXPECT_EQ(empty.process.exitStatus, 0);
    EXPECT_EQ(empty.doc["record"]["Stack"].number, 1);

    const CliRun units = RunJson(
        {"--inductance", "318", "--inductance-unit", "microhenry", "--frequency", "50", "--frequency-unit", "kHz"});
    EXPECT_EQ(units.doc["record"]["Frequency"].number, 50000);
    EXPECT_EQ(units.doc["results_screen"]["txtInductance"].text, "318");
}

struct OutcomeCase {
    std::vector<std::string> args;
    const char* outcome;
    int exitStatus;
    std::vector<std::string> ids;
    const char* firstFocus;  // nullptr: null
};

TEST(Cli, EveryOutcomeWithItsExitStatus) {
    const OutcomeCase cases[] = {
        {{}, "results", 0, {}, nullptr},
        {{"--pick", "6218TXGP", "--ambient-temp", "150"}, "results", 0, {"temperature"}, nullptr},
        {{"--pick", "6205TXGP"}, "fill_warning", 1, {"fill"}, nullptr},
        {{"--pick", "6205TXGP", "--ambient-temp", "150"}, "fill_warning", 1, {"fill", "temperature"}, nullptr},
        {{"--inductance", "0"}, "validation", 1, {"inductance"}, "txtInductance"},
        {{"--inductance", "1"}, "area_product", 1, {"area_product"}, nullptr},
        {{"--family", "nogap", "--pick", "6205TXNG"}, "dc_bias", 1, {"dc_bias"}, "txtCoreSize"},
        {{"--inductance", ".000001", "--dc-current", "40", "--current-density", "250", "--max-input-voltage", "10"},
         "no_wire",
         1,
         {"no_wire"},
         "txtDCCurrent"},
        {{"--pick", "6238TXGP", "--inductance", "100", "--dc-current", ".01"},
         "inductance_limit",
         1,
         {"inductance_limit"},
         "txtInductance"},
    };
    for (const OutcomeCase& c : cases) {
        SCOPED_TRACE(Joined(c.args));
        const CliRun r = RunJson(c.args);
        EXPECT_EQ(r.process.exitStatus, c.exitStatus);
        EXPECT_EQ(r.doc["outcome"].text, c.outcome);
        std::vector<std::string> ids;
        for (const Value& m : r.doc["messages"].items) {
            ids.push_back(m["id"].text);
            EXPECT_FALSE(m["text"].text.empty());
            const bool fill = m["id"].text == "fill";
            EXPECT_EQ(m["title"].text, fill ? "Output Inductor Core Design Tool" : "Caution");
            EXPECT_EQ(m["icon"].text, fill ? "none" : "information");
        }
        EXPECT_EQ(ids, c.ids);
        if (!c.ids.empty()) {
            const Value& focus = r.doc["messages"].items[0]["focus"];
            EXPECT_EQ(focus.IsNull(), c.firstFocus == nullptr);
            EXPECT_EQ(focus.text, c.firstFocus ? c.firstFocus : "");
        }
        const bool design = std::string(c.outcome) == "results" || std::string(c.outcome) == "fill_warning";
        EXPECT_EQ(r.doc["results_screen"].IsNull(), !design);
        EXPECT_EQ(r.doc["intermediate_screen"].IsNull(), !design);
    }
}

TEST(Cli, FillWarningDocument) {
    const CliRun r = RunJson({"--pick", "6205TXGP", "--ambient-temp", "150"});
    const Value& fill = r.doc["messages"].items.at(0);
    EXPECT_EQ(fill["text"].text.substr(0, 38), "Actual window fill, 212% exceeds 40%.\r");
    EXPECT_NE(r.process.out.find("\\r\\n"), std::string::npos);  // line breaks written as \r\n
    EXPECT_TRUE(r.doc["record"]["DesignWarning"].boolean);
    EXPECT_TRUE(r.doc["record"]["FillWarning"].boolean);
    EXPECT_TRUE(r.doc["results_screen"]["txtTotalTempRiseAlarm"].boolean);
    EXPECT_TRUE(r.doc["intermediate_screen"]["FillFactorRed"].boolean);
    EXPECT_EQ(r.doc["intermediate_screen"]["Labelo10"].text, "2.12");
    EXPECT_EQ(r.doc["intermediate_screen"]["txtWarning"].text,
              "This design exceeds core operating parameters. \r\nPlease modify design inputs Or let the "
              "program\r\nselect a suitable core for you.");
}

TEST(Cli, UsageErrorsExitTwoAndDoNothingElse) {
    const std::vector<std::vector<std::string>> cases = {
        {"--bogus"},
        {"--json", "--bogus", "1"},
        {"-x"},
        {"positional"},
        {"--inductance-unit", "henry"},
        {"--inductance-unit", "mH"},
        {"--frequency-unit", "khz"},
        {"--family", "ungapped"},
        {"--pick", "6201TXNG"},                       // a no-gap part while the gapped family is loaded
        {"--family", "nogap", "--pick", "6233TXNG"},  // a size the no-gap family lacks
        {"--family", "nogap", "--pick", "6205TXGP"},
        {"--pick", "6205txgp"},
        {"--pick", ""},
        {"--inductance"},  // no value
        {"--json=yes"},
        {"--version=2"},
    };
    const std::string report = ::testing::TempDir() + "/cli_usage_report.htm";
    for (auto args : cases) {
        SCOPED_TRACE(Joined(args));
        args.push_back("--report");
        args.push_back(report);
        std::remove(report.c_str());
        const clitest::ProcessResult r = clitest::RunProgram(kCli, args);
        EXPECT_EQ(r.exitStatus, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
        EXPECT_FALSE(std::ifstream(report).good()) << "no report is written on a usage error";
    }
}

TEST(Cli, HelpAndSummary) {
    const clitest::ProcessResult help = clitest::RunProgram(kCli, {"--help"});
    EXPECT_EQ(help.exitStatus, 0);
    EXPECT_NE(help.out.find("--inductance"), std::string::npos);
    EXPECT_NE(help.out.find("--pick"), std::string::npos);

    const clitest::ProcessResult summary = clitest::RunProgram(kCli, {});
    EXPECT_EQ(summary.exitStatus, 0);
    EXPECT_NE(summary.out.find("6218TXGP"), std::string::npos);
    EXPECT_NE(summary.out.find("317.7"), std::string::npos);

    const clitest::ProcessResult stopped = clitest::RunProgram(kCli, {"--inductance", "0"});
    EXPECT_EQ(stopped.exitStatus, 1);
    EXPECT_NE(stopped.out.find("Enter Inductance Value > 0."), std::string::npos);
}

TEST(Cli, SameDocumentOnEveryRun) {
    for (std::vector<std::string> args :
         {std::vector<std::string>{}, {"--pick", "6205TXGP", "--ambient-temp", "150"}}) {
        args.insert(args.begin(), "--json");
        const auto a = clitest::RunProgram(kCli, args), b = clitest::RunProgram(kCli, args);
        EXPECT_EQ(a.exitStatus, b.exitStatus) << Joined(args);
        EXPECT_EQ(a.out, b.out) << Joined(args);
    }
}

TEST(Cli, NonFiniteFiguresAreWrittenAsNull) {
    // A frequency so low that the energy overflows. The strict reader refuses
    // bare NaN or Infinity; the texts themselves are the engine's, checked there.
    const CliRun r = RunJson({"--frequency", "1e-300"});
    EXPECT_EQ(r.process.exitStatus, 1);
    EXPECT_EQ(r.doc["outcome"].text, "area_product");
    EXPECT_TRUE(r.doc["record"]["Energy"].IsNull());
    EXPECT_TRUE(r.doc["record"]["AreaProduct"].IsNull());
    EXPECT_EQ(r.doc["record"]["Frequency"].number, 1e-300);
}

TEST(Cli, CommaLocaleWritesCommasInTextsAndPointsInNumbers) {
    const std::string locales = COREDESIGN_TEST_LOCPATH;
    if (!locales.empty()) setenv("LOCPATH", locales.c_str(), 1);
    const bool have = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    std::setlocale(LC_ALL, "C");
    if (!have) GTEST_SKIP() << "no de_DE.UTF-8 locale is installed or could be generated";
    const CliRun r = RunJson({}, {"LC_ALL=de_DE.UTF-8", "LOCPATH=" + locales});
    EXPECT_EQ(r.process.exitStatus, 0);
    EXPECT_EQ(r.doc["results_screen"]["txtInductanceFull"].text, "317,7");
    EXPECT_EQ(r.doc["results_screen"]["txtFluxDensity"].text, "1,2");
    EXPECT_EQ(r.doc["intermediate_screen"]["Labelo3"].text, "3,75 amp");
    EXPECT_EQ(r.doc["record"]["FluxDensity"].number, 1.2);  // JSON numbers keep the point
    EXPECT_EQ(r.doc["record"]["FluxDensity"].text.find(','), std::string::npos);
    EXPECT_EQ(r.doc["record"]["CoreSize"].text, "6218TXGP");  // the catalogue still reads its points
}

}  // namespace
