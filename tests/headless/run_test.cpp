// The command-line front end: the JSON document carries the engine's run
// exactly; every way a run ends, with its exit status, summary and report
// file; usage errors; a comma locale; the curve, the SPICE model and the PDF
// of a design. The runs are made in the test's own process; the built
// program is run for what its main adds, and for the PDF.
#include "run.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <nlohmann/json.hpp>

#include "cli_session.h"
#include "command.h"
#include "curve.h"
#include "design_file.h"
#include "document.h"
#include "engine_checks.h"
#include "screen_texts.h"
#include "spice_model.h"
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
        s.SetEnvironment(cli::SystemHost().Environment());  // the record names the CLI's temporary folder
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
        {"--curve", "--points", "1"},
        {"--curve", "--points", "10002"},
        {"--curve", "--points", "2.5"},
        {"--curve", "--points", "1e3"},
        {"--curve", "--points", "-5"},
        {"--curve", "--points", ""},
        {"--points", "5"},  // without --curve
        {"--csv"},
        {"--curve", "--csv", "--json"},
        {"--curve=1"},
        {"--spice"},
        {"--pdf", ""},
        {"--design"},
        {"--design", ""},
        {"--save-design", ""},
        {"--design", "/nonexistent/d.coredesign"},
        {"--explore", "--design", "d.coredesign"},
        {"--explore", "--save-design", "d.coredesign"},
        {"--batch", "b.csv", "--stack", "2"},
        {"--batch", "b.csv", "--report", "r.htm"},
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

// A design saved by --save-design and opened by --design gives the same
// document as its texts given as options: the default, the no-gap default,
// Pick Core stacked, and hostile texts.
TEST(Cli, ADesignFileRunsAsItsTextsGivenAsOptions) {
    const testing::TempFolder dir;
    const std::string file = dir.File("d.coredesign");
    const std::vector<Args> cases = {
        {},
        {"--family", "nogap"},
        {"--pick", "6230TXGP", "--stack", "3"},
        {"--family", "nogap", "--pick", "6226TXNG", "--stack", "2", "--inductance", "150", "--inductance-unit",
         "microhenry", "--frequency", "50", "--frequency-unit", "kHz"},
        {"--inductance", "1e400", "--dc-current", "3.5\"\n\\\xC3\xA9\xE4\xB8\xAD", "--max-input-voltage",
         "5\x01"
         "0\t",
         "--output-voltage", "<b>&amp;</b>", "--stack", "", "--ambient-temp", " 35 "},
    };
    for (const Args& options : cases) {
        SCOPED_TRACE(Joined(options));
        Args save = options;
        save.insert(save.end(), {"--save-design", file});
        std::remove(file.c_str());
        const CliResult saved = RunCli(save);
        EXPECT_EQ(saved.err, "");
        Args direct = options;
        direct.push_back("--json");
        const CliResult expected = RunCli(direct);
        const CliResult opened = RunCli({"--design", file, "--json"});
        EXPECT_EQ(opened.exitStatus, expected.exitStatus);
        EXPECT_EQ(opened.out, expected.out);
        EXPECT_EQ(opened.err, "");
    }
}

// The options given with --design act on the opened design as on a fresh
// screen, wherever --design stands: --family (choosing the other family sets
// the flux density text and empties the choice of core), then --pick, then
// the texts; --save-design writes the design the run starts from, whatever
// the run's outcome.
TEST(Cli, OptionsGivenWithADesignActOnIt) {
    const testing::TempFolder dir;
    const std::string file = dir.File("d.coredesign");
    const struct {
        Args saved, given;   // `given` holds "FILE" where --design's file goes
        const char* screen;  // as testing::Screen reads it
    } cases[] = {
        {{"--family", "nogap", "--stack", "3"},
         {"--design", "FILE", "--flux-density", "1.0"},
         "nogap txtStack=3 txtFluxDensity=1.0"},
        {{"--flux-density", "0.9"}, {"--design", "FILE", "--family", "nogap"}, "txtFluxDensity=0.9 nogap"},
        {{"--family", "nogap"},
         {"--flux-density", "0.7", "--family", "gapped", "--design", "FILE"},
         "nogap gapped txtFluxDensity=0.7"},
        {{"--family", "nogap", "--pick", "6226TXNG", "--stack", "2"},
         {"--design", "FILE", "--family", "gapped"},
         "nogap pick=6226TXNG txtStack=2 gapped"},  // no core chosen: refused
        {{"--family", "nogap", "--pick", "6226TXNG"},
         {"--design", "FILE", "--family", "nogap"},
         "nogap pick=6226TXNG"},  // the family it holds already: nothing changes
        {{"--pick", "6218TXGP"},
         {"--stack", "2", "--design", "FILE", "--pick", "6230TXGP"},
         "pick=6230TXGP txtStack=2"},
        {{"--stack", "4", "--inductance-unit", "microhenry"},
         {"--design", "FILE", "--inductance", "318"},
         "txtStack=4 cmbinductance=microhenry txtInductance=318"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Joined(c.given));
        Args save = c.saved;
        save.insert(save.end(), {"--save-design", file});
        ASSERT_EQ(RunCli(save).err, "");
        Args args = c.given;
        std::replace(args.begin(), args.end(), std::string("FILE"), file);
        args.push_back("--json");
        InputScreen s = testing::Screen(c.screen);
        s.SetEnvironment(cli::SystemHost().Environment());
        s.ShowResults();
        EXPECT_EQ(RunCli(args).out, cli::JsonDocument(s));
    }

    // The design the run starts from: the empty stack as typed, a refused run's texts too.
    for (const Args& args : std::vector<Args>{{"--stack", ""}, {"--inductance", "0", "--stack", ""}}) {
        Args save = args;
        save.insert(save.end(), {"--save-design", file});
        RunCli(save);
        Design design;
        ASSERT_FALSE(ReadDesignFile(testing::ReadFile(file), design));
        EXPECT_EQ(design.texts.back(), "");
    }

    // A design file that cannot be read, or is refused, is a usage error; a
    // design that cannot be written is told, and the run goes on.
    testing::WriteFile(file, "{\"format\": \"coredesign-design\", \"version\": 2}");
    const CliResult newer = RunCli({"--design", file});
    EXPECT_EQ(newer.exitStatus, 2);
    EXPECT_EQ(newer.out, "");
    EXPECT_EQ(newer.err, "coredesign-cli: cannot open the design file '" + file +
                             "': This design file was written by a newer version of the program (design file version "
                             "2); this version opens design files of version 1.\n");
    std::remove(file.c_str());
    const CliResult notUtf8 = RunCli({"--inductance", "\xFF", "--save-design", file});
    EXPECT_EQ(notUtf8.exitStatus, 1);
    EXPECT_NE(notUtf8.out.find("Outcome: validation"), std::string::npos);
    EXPECT_EQ(notUtf8.err, "coredesign-cli: cannot write the design to '" + file +
                               "': This design cannot be saved: the text of txtInductance is not UTF-8 text, and a "
                               "design file holds UTF-8 text only.\n");
    EXPECT_FALSE(std::ifstream(file).good());
    const CliResult unwritable = RunCli({"--save-design", dir.File("missing/d.coredesign")});
    EXPECT_EQ(unwritable.exitStatus, 1);
    EXPECT_NE(unwritable.err.find("No such file or directory"), std::string::npos) << unwritable.err;
}

// The record of the same run on an input screen (as testing::Screen reads it).
InputScreen EngineRun(const std::string& screen) {
    InputScreen s = testing::Screen(screen);
    s.ShowResults();
    return s;
}

// --curve prints the engine's curve of the run as CSV, or with --json as the
// document's "curve"; a run without a design prints no curve.
TEST(Cli, CurveIsTheEnginesCurveOfTheRun) {
    const struct {
        Args args;
        const char* screen;
        int points, exitStatus;
    } cases[] = {
        {{"--curve"}, "", 101, 0},
        {{"--curve", "--csv", "--points", "2", "--family", "nogap"}, "nogap", 2, 0},
        {{"--curve", "--points", "10001", "--pick", "6230TXGP", "--stack", "3"}, "pick=6230TXGP txtStack=3", 10001, 0},
        {{"--curve", "--family", "nogap", "--pick", "6230TXNG", "--dc-current", "10"},
         "nogap pick=6230TXNG txtDCCurrent=10",
         101,
         1},  // a fill warning whose curve ends at the law's limit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Joined(c.args));
        const InductanceCurve curve = MakeInductanceCurve(EngineRun(c.screen).Record(), c.points);
        const CliResult csv = RunCli(c.args);
        EXPECT_EQ(csv.exitStatus, c.exitStatus);
        EXPECT_EQ(csv.out, CurveCsv(curve));
        // Where the law ends is told beside the CSV.
        EXPECT_EQ(csv.err.find("no value from " + RoundTripNumber(curve.lawEndsBefore.value_or(-1)) + " A on") !=
                      std::string::npos,
                  curve.lawEndsBefore.has_value())
            << csv.err;

        Args args = c.args;
        args.erase(std::remove(args.begin(), args.end(), "--csv"), args.end());
        args.push_back("--json");
        const json doc = Parse(RunCli(args))["curve"];
        ASSERT_EQ(doc["points"].size(), curve.points.size());
        for (std::size_t k = 0; k < curve.points.size(); ++k) {
            const CurvePoint& p = curve.points[k];
            EXPECT_EQ(doc["points"][k], json({p.current, p.H, p.mu, p.inductance})) << k;
        }
        EXPECT_EQ(doc["operating_point"], json({{"current_A", curve.operatingPoint.current},
                                                {"inductance_uH", curve.operatingPoint.inductance}}));
        EXPECT_EQ(doc["zero_current_inductance_uH"], curve.zeroCurrentInductance);
        EXPECT_EQ(doc["entered_inductance_uH"], curve.enteredInductance);
        EXPECT_EQ(doc["law_limit_current_A"], curve.lawEndsBefore ? json(*curve.lawEndsBefore) : json(nullptr));
    }
    const CliResult none = RunCli({"--curve", "--inductance", "0"});
    EXPECT_EQ(none.exitStatus, 1);
    EXPECT_EQ(none.out, "");
    EXPECT_NE(none.err.find("no curve"), std::string::npos) << none.err;
    EXPECT_TRUE(Parse(RunCli({"--curve", "--json", "--inductance", "0"}))["curve"].is_null());
    EXPECT_FALSE(Parse(RunCli({"--json"})).contains("curve"));
}

// --spice writes the engine's model of a design, and nothing without one.
TEST(Cli, SpiceModelIsWrittenForADesignOnly) {
    const testing::TempFolder dir;
    const std::string model = dir.File("choke.lib");
    const struct {
        Args args;
        const char* screen;
        int exitStatus;
        bool written;
    } cases[] = {{{}, "", 0, true},
                 {{"--pick", "6205TXGP"}, "pick=6205TXGP", 1, true},  // the fill warning's design
                 {{"--inductance", "0"}, "txtInductance=0", 1, false},
                 {{"--family", "nogap", "--pick", "6205TXNG"}, "nogap pick=6205TXNG", 1, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(Joined(c.args));
        std::remove(model.c_str());
        Args args = c.args;
        args.insert(args.end(), {"--spice", model});
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.exitStatus, c.exitStatus);
        EXPECT_NE(r.out.find("Outcome: "), std::string::npos);  // the summary as ever
        if (c.written) {
            EXPECT_EQ(testing::ReadFile(model), SpiceModel(EngineRun(c.screen).Record()));
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_FALSE(std::ifstream(model).good());
            EXPECT_NE(r.err.find("no SPICE model written"), std::string::npos) << r.err;
        }
    }
    const CliResult unwritable = RunCli({"--spice", dir.File("missing/choke.lib")});
    EXPECT_EQ(unwritable.exitStatus, 1);
    EXPECT_NE(unwritable.err.find("No such file or directory"), std::string::npos) << unwritable.err;
}

// A front end without a command line (the Python module) takes the run's
// session from RunDesign and asks it for what it gives: the report only on
// the results screen, the model and the curve of any design, none of them
// otherwise. Its document is the CLI's; a part the family does not hold
// runs nothing and says why.
TEST(Cli, RunDesignHandsBackTheSessionAndWhatItGives) {
    const struct {
        Args args;
        const char* outcome;
        bool report, design;
    } cases[] = {{{}, "results", true, true},
                 {{"--pick", "6205TXGP"}, "fill_warning", false, true},
                 {{"--inductance", "0"}, "validation", false, false},
                 {{"--family", "nogap", "--pick", "6205TXNG"}, nullptr, false, false}};
    const RunEnvironment environment = cli::SystemHost().Environment();
    const report::ReportPictures pictures = cli::SystemHost().Pictures();
    for (const auto& c : cases) {
        SCOPED_TRACE(Joined(c.args));
        Args args = c.args;
        args.insert(args.begin(), "coredesign-cli");
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        cli::Options options;
        std::string error;
        ASSERT_TRUE(cli::ParseOptions(static_cast<int>(argv.size()), argv.data(), options, error)) << error;
        const std::optional<InputScreen> session = cli::RunDesign(options, environment, error);
        ASSERT_TRUE(session.has_value()) << error;
        if (c.outcome) {
            EXPECT_STREQ(OutcomeName(session->LastRun().outcome), c.outcome);
        }
        args.erase(args.begin());
        args.insert(args.begin(), "--json");
        EXPECT_EQ(cli::JsonDocument(*session), RunCli(args).out);
        EXPECT_EQ(cli::ReportBytes(*session, pictures).has_value(), c.report);
        EXPECT_EQ(cli::SpiceText(*session).has_value(), c.design);
        EXPECT_EQ(cli::DesignCurve(*session, 5).has_value(), c.design);
    }
    cli::Options pick;
    pick.pick = "6201TXNG";
    std::string error;
    EXPECT_FALSE(cli::RunDesign(pick, environment, error).has_value());
    EXPECT_EQ(error, "the gapped family holds no core '6201TXNG'");

    // The options such a front end takes: those that set the input screen.
    std::string inputs;
    for (const cli::OptionEntry& option : cli::OptionTable())
        if (cli::IsInputOption(option)) inputs += std::string(option.name) + " ";
    EXPECT_EQ(inputs,
              "--inductance --inductance-unit --output-voltage --dc-current --flux-density --frequency "
              "--frequency-unit --min-input-voltage --max-input-voltage --ambient-temp --current-density "
              "--fill-factor --stack --family --pick ");
}

// The processes (the browser engine's helpers among them) whose environment
// holds `marker`.
int ProcessesWithMarker(const std::string& marker) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        const std::string name = entry.path().filename();
        if (name.find_first_not_of("0123456789") == std::string::npos &&
            testing::ReadFile(entry.path() / "environ").find(marker) != std::string::npos)
            ++count;
    }
    return count;
}

// --pdf (the built program) renders the report through the viewer's module:
// the core, "Core Data" and the design's figures, with its pictures; no
// browser process stays behind, no PDF comes from a run that did not reach
// the results screen, and a run without --pdf maps no Qt library at all.
TEST(Cli, PdfOfTheReportFromTheViewersEngineOnlyWhenAsked) {
    if (!COREDESIGN_VIEWER_MODULE_BUILT) GTEST_SKIP() << "a build without the desktop program has no viewer module";
    ASSERT_EQ(std::system("command -v pdftotext pdfimages >/dev/null"), 0) << "poppler-utils is missing (install-deps)";
    const testing::TempFolder dir;
    const std::string pdf = dir.File("report.pdf"), marker = "COREDESIGN_PDF_TEST=" + dir.Path();
    const testing::CommandResult r = testing::RunCommand(
        marker + " TEMP=" + dir.Path() + " " + kCli + " --json --pick 6230TXGP --stack 3 --pdf " + pdf, dir);
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const json screen = json::parse(r.out)["results_screen"];
    const std::string text = testing::RunCommand("pdftotext " + pdf + " -", dir).out;
    for (const char* box : {"txtNoOfTurns", "txtInductanceFull", "txtCopperLoss", "txtTotalLoss"})
        EXPECT_NE(text.find(screen[box].get<std::string>()), std::string::npos) << box << "\n" << text;
    for (const char* expected : {"6230TXGP - Stacked by 3", "Core Data", "6230TXGP * 3"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    const std::string images = testing::RunCommand("pdfimages -list " + pdf, dir).out;
    EXPECT_GE(std::count(images.begin(), images.end(), '\n'), 4) << images;  // a heading of two lines, two pictures
    EXPECT_EQ(ProcessesWithMarker(marker), 0) << "a browser process outlived the program";
    std::vector<std::string> left;
    for (const auto& f : std::filesystem::directory_iterator(dir.Path())) left.push_back(f.path().filename());
    EXPECT_EQ(left, std::vector<std::string>{"report.pdf"}) << "the report rendered was the program's own to remove";

    const testing::CommandResult warning =
        testing::RunCommand(kCli + " --pick 6205TXGP --pdf " + dir.File("warning.pdf"), dir);
    EXPECT_EQ(warning.exitStatus, 1);
    EXPECT_FALSE(std::ifstream(dir.File("warning.pdf")).good());
    EXPECT_NE(warning.err.find("no PDF written"), std::string::npos) << warning.err;

    // The dynamic loader's own account of the libraries it maps.
    auto mapsQt = [&](const std::string& args) {
        return testing::RunCommand("LD_DEBUG=files " + kCli + " " + args, dir).err.find("libQt6Core") !=
               std::string::npos;
    };
    EXPECT_FALSE(mapsQt("--json"));
    EXPECT_TRUE(mapsQt("--json --pdf " + dir.File("again.pdf")));
}

}  // namespace
}  // namespace coredesign
