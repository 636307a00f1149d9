// The command-line front end: the JSON document carries the engine's run
// exactly; every way a run ends, with its exit status, summary and report
// file; usage errors; a comma locale. The runs are made in the test's own
// process; the built program is run once for what its main adds.
#include "cli_run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <nlohmann/json.hpp>

#include "cli_session.h"
#include "engine_checks.h"
#include "screen_texts.h"
#include "temp_folder.h"

namespace coredesign {
namespace {

using json = nlohmann::ordered_json;  // keeps the document's order of keys
using testing::CliResult;
using testing::RunCli;
using Args = std::vector<std::string>;

const std::string kCli = COREDESIGN_CLI;

json Parse(const CliResult& r) {
    try {
        return json::parse(r.out);
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what() << "\n" << r.out;
        return {};
    }
}

std::string Joined(const Args& args) {
    std::string s;
    for (const auto& a : args) s += "'" + a + "' ";
    return s;
}

// A record field as the document should carry it: non-finite numbers as null.
json Expected(const DesignRecord& r, const RecordField& field) {
    return std::visit(
        [&](auto member) -> json {
            const auto& v = r.*member;
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, double>) return std::isfinite(v) ? json(v) : json(nullptr);
            if constexpr (std::is_same_v<T, Calculator>) return static_cast<int>(v);
            if constexpr (!std::is_same_v<T, double> && !std::is_same_v<T, Calculator>) return v;
        },
        field.member);
}

// The document holds exactly what the same run on an input screen gives: the
// outcome, every message, every record field (numbers read back to the same
// double), and the two screens' texts.
TEST(Cli, TheDocumentCarriesTheRunExactly) {
    const struct {
        Args args;
        const char* screen;  // as testing::Screen reads it
    } cases[] = {
        {{}, ""},
        {{"--pick", "6205TXGP", "--ambient-temp", "150"}, "pick=6205TXGP txtAmbientTemp=150"},
        {{"--family", "nogap", "--inductance", "318", "--inductance-unit", "microhenry", "--frequency", "50",
          "--frequency-unit", "kHz", "--stack", "2"},
         "nogap txtInductance=318 cmbinductance=microhenry txtFrequency=50 cmbfrequency=kHz txtStack=2"},
        {{"--family", "nogap", "--flux-density", "1", "--stack", ""}, "nogap txtFluxDensity=1 txtStack="},
        {{"--frequency", "1e-300"}, "txtFrequency=1e-300"},  // the energy overflows: null
        {{"--dc-current", "-1"}, "txtDCCurrent=-1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Joined(c.args));
        Args args = c.args;
        args.insert(args.begin(), "--json");
        const json doc = Parse(RunCli(args));
        InputScreen s = testing::Screen(c.screen);
        const RunResult& run = s.ShowResults();
        EXPECT_EQ(doc["outcome"], OutcomeName(run.outcome));

        ASSERT_EQ(doc["messages"].size(), run.messages.size());
        for (std::size_t k = 0; k < run.messages.size(); ++k) {
            const Message& m = run.messages[k];
            const json expected = {{"id", MessageIdName(m.id)},
                                   {"text", m.text},
                                   {"title", m.title},
                                   {"icon", m.icon == MessageIcon::None ? "none" : "information"},
                                   {"focus", m.focus.empty() ? json(nullptr) : json(m.focus)}};
            EXPECT_EQ(doc["messages"][k], expected);
        }

        ASSERT_EQ(doc["record"].size(), std::size(kRecordFields));
        auto item = doc["record"].items().begin();
        for (const RecordField& field : kRecordFields) {
            EXPECT_EQ(item.key(), field.name);
            EXPECT_EQ(item.value(), Expected(s.Record(), field)) << field.name;
            ++item;
        }

        const bool design = run.outcome == Outcome::Results || run.outcome == Outcome::FillWarning;
        ASSERT_EQ(doc["results_screen"].is_null(), !design);
        ASSERT_EQ(doc["intermediate_screen"].is_null(), !design);
        if (!design) continue;
        const ResultsTexts& t = *s.Results();
        EXPECT_EQ(doc["results_screen"].size(), std::size(testing::kResultsBoxes) + 1);
        for (const auto& [name, box] : testing::kResultsBoxes) EXPECT_EQ(doc["results_screen"][name], t.*box) << name;
        EXPECT_EQ(doc["results_screen"]["txtTotalTempRiseAlarm"], t.txtTotalTempRiseAlarm);
        const IntermediateTexts it = MakeIntermediateTexts(s.Record());
        const json& im = doc["intermediate_screen"];
        for (int k = 1; k <= 38; ++k) {
            EXPECT_EQ(im["Label" + std::to_string(k)], it.Label[k]) << k;
            EXPECT_EQ(im["Labelo" + std::to_string(k)], it.Labelo[k]) << k;
        }
        EXPECT_EQ(im["txtWarning"], it.txtWarning);
        EXPECT_EQ(im["FillFactorRed"], it.FillFactorRed);
    }
}

// Each way a run ends: its exit status, the summary's outcome line, and the
// report file, written only when the results screen is reached.
TEST(Cli, EveryOutcomeWithItsExitStatusSummaryAndReport) {
    const struct {
        Args args;
        const char* outcome;
        int exitStatus;
    } cases[] = {
        {{}, "results", 0},
        {{"--pick", "6218TXGP", "--ambient-temp", "150"}, "results", 0},
        {{"--pick", "6205TXGP"}, "fill_warning", 1},
        {{"--inductance", "0"}, "validation", 1},
        {{"--inductance", "1"}, "area_product", 1},
        {{"--family", "nogap", "--pick", "6205TXNG"}, "dc_bias", 1},
        {{"--inductance", ".000001", "--dc-current", "40", "--current-density", "250", "--max-input-voltage", "10"},
         "no_wire",
         1},
        {{"--pick", "6238TXGP", "--inductance", "100", "--dc-current", ".01"}, "inductance_limit", 1},
    };
    const testing::TempFolder dir;
    const std::string report = dir.File("report.htm");
    for (const auto& c : cases) {
        SCOPED_TRACE(Joined(c.args));
        Args args = c.args;
        args.insert(args.end(), {"--report", report});
        std::remove(report.c_str());
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitStatus, c.exitStatus);
        EXPECT_EQ(r.err, "");
        EXPECT_NE(r.out.find("\nOutcome: " + std::string(c.outcome) + "\n"), std::string::npos) << r.out;
        EXPECT_EQ(std::ifstream(report).good(), c.exitStatus == 0);
    }
}

TEST(Cli, UsageErrorsExitTwoAndDoNothingElse) {
    const std::vector<Args> cases = {
        {"--bogus"},
        {"--json", "--bogus", "1"},
        {"-x"},
        {"positional"},
        {"--inductance-unit", "henry"},
        {"--frequency-unit", "khz"},
        {"--family", "ungapped"},
        {"--pick", "6201TXNG"},                       // a no-gap part while the gapped family is loaded
        {"--family", "nogap", "--pick", "6233TXNG"},  // a size the no-gap family lacks
        {"--pick", "6205txgp"},
        {"--pick", ""},
        {"--json=yes"},
        {"--version=2"},
        {"--inductance"},  // the value missing at the end of the line
    };
    const testing::TempFolder dir;
    const std::string report = dir.File("report.htm");
    for (Args args : cases) {
        SCOPED_TRACE(Joined(args));
        args.insert(args.begin(), {"--report", report});
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitStatus, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err, "");
        EXPECT_FALSE(std::ifstream(report).good()) << "no report is written on a usage error";
    }
    // A report file that cannot be written is told with the system's reason.
    const CliResult unwritable = RunCli({"--report", dir.File("missing/r.htm")});
    EXPECT_EQ(unwritable.exitStatus, 1);
    EXPECT_NE(unwritable.err.find("No such file or directory"), std::string::npos) << unwritable.err;
}

// The built program ends with the run's status; a usage error writes nothing
// but its message, and --help the usage.
TEST(Cli, TheProgramEndsWithTheRunsStatus) {
    const testing::TempFolder dir;
    auto run = [&](const std::string& args) {
        const int status = std::system((kCli + " " + args + " >" + dir.File("out") + " 2>" + dir.File("err")).c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("--bogus"), 2);
    EXPECT_EQ(testing::ReadFile(dir.File("out")), "");
    EXPECT_NE(testing::ReadFile(dir.File("err")), "");
    EXPECT_EQ(run("--help"), 0);
    EXPECT_EQ(testing::ReadFile(dir.File("out")), cli::UsageText());
    EXPECT_EQ(run("--pick 6205TXGP --json"), 1);
    EXPECT_EQ(testing::ReadFile(dir.File("out")), RunCli({"--pick", "6205TXGP", "--json"}).out);
}

TEST(Cli, CommaLocaleWritesCommasInTextsAndPointsInNumbers) {
    const std::string locales = COREDESIGN_TEST_LOCPATH;
    if (!locales.empty()) setenv("LOCPATH", locales.c_str(), 1);
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale is installed or could be generated";
    const testing::LocaleGuard restore;
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const CliResult r = RunCli({"--json"});
    EXPECT_EQ(r.exitStatus, 0);
    const json doc = Parse(r);
    EXPECT_EQ(doc["results_screen"]["txtFluxDensity"], "1,2");
    EXPECT_EQ(doc["intermediate_screen"]["Labelo3"], "3,75 amp");
    EXPECT_EQ(doc["record"]["FluxDensity"], 1.2);
    EXPECT_EQ(doc["record"]["CoreSize"], "6218TXGP");  // the catalogue still reads its points
    // The explored table keeps the point too.
    const CliResult csv = RunCli({"--explore", "--csv", "--family", "gapped"});
    EXPECT_NE(csv.out.find("\ngapped,6205TXGP,1,fill_warning,false,false,false,0.84"), std::string::npos);
}

}  // namespace
}  // namespace coredesign
