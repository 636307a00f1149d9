// --batch: every core of both families at stacks 1, 3 and 9 gives, row for
// row, the single runs' figures (CSV) and documents (JSON Lines); rows that
// are not CSV or whose options are a usage error are told in their row and
// never stop the rows after them; the refusals of a whole batch file.
#include "batch.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "catalogue.h"
#include "cli_session.h"
#include "command.h"
#include "comparison.h"
#include "temp_folder.h"

namespace coredesign {
namespace {

using json = nlohmann::ordered_json;
using testing::RunCli;
using Args = std::vector<std::string>;

// The CSV output's columns after the input columns, from a single run's
// JSON document of the same options.
std::string SingleRunCells(const Args& options) {
    Args args = options;
    args.push_back("--json");
    const json doc = json::parse(RunCli(args).out);
    const json& r = doc["record"];
    std::string cells = doc["outcome"].get<std::string>() + ",";
    if (!doc["messages"].empty()) cells += doc["messages"][0]["id"].get<std::string>();
    cells += "," + r["CoreSize"].get<std::string>() + "," + std::to_string(r["Stack"].get<int>()) + "," +
             std::to_string(r["Turns"].get<int>());
    for (const char* figure : {"WireSize", "InductanceFullLoad", "ActualFillFactor", "CopperLossAtTemp", "CoreLoss",
                               "TotalLoss", "TempRise"})
        cells += "," + (r[figure].is_null() ? std::string() : ExactNumber(r[figure].get<double>()));
    bool alarm = false;
    for (const json& m : doc["messages"]) alarm = alarm || m["id"] == "temperature";
    return cells + (alarm ? ",true" : ",false");
}

const char* const kHeaderTail =
    ",outcome,message,CoreSize,Stack,Turns,WireSize,InductanceFullLoad,ActualFillFactor,CopperLossAtTemp,CoreLoss,"
    "TotalLoss,TempRise,temperature_alarm\n";

TEST(Batch, EveryCoreAndStackGivesTheSingleRunsFiguresRowForRow) {
    const testing::TempFolder dir;
    std::string csv = "family,pick,stack\n", expected = std::string("family,pick,stack") + kHeaderTail;
    std::vector<Args> rows;
    for (bool gapped : {true, false}) {
        const Catalogue& catalogue = Catalogue::OfFamily(gapped);
        for (int row = 1; row <= catalogue.Rows(); ++row) {
            for (const char* stack : {"1", "3", "9"}) {
                const std::string line =
                    std::string(FamilyName(gapped)) + "," + catalogue.Row(row).partNo + "," + stack;
                csv += line + "\n";
                rows.push_back({"--family", FamilyName(gapped), "--pick", catalogue.Row(row).partNo, "--stack", stack});
                expected += line + "," + SingleRunCells(rows.back()) + "\n";
            }
        }
    }
    ASSERT_EQ(rows.size(), 3u * (34 + 36));
    testing::WriteFile(dir.File("cores.csv"), csv);
    const testing::CliResult table = RunCli({"--batch", dir.File("cores.csv")});
    EXPECT_EQ(table.exitStatus, 0) << table.err;
    EXPECT_EQ(table.err, "");
    EXPECT_EQ(table.out, expected);

    // JSON Lines: each line the single run's document with its row first.
    const testing::CliResult lines = RunCli({"--batch", dir.File("cores.csv"), "--json"});
    EXPECT_EQ(lines.exitStatus, 0) << lines.err;
    std::istringstream in(lines.out);
    std::string line;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        SCOPED_TRACE(k);
        ASSERT_TRUE(std::getline(in, line));
        json doc = json::parse(line);
        EXPECT_EQ(doc.begin().key(), "row");
        EXPECT_EQ(doc["row"], k + 1);
        doc.erase("row");
        Args args = rows[k];
        args.push_back("--json");
        EXPECT_EQ(doc, json::parse(RunCli(args).out));
    }
    EXPECT_FALSE(std::getline(in, line));
}

// Cells with commas, quotes and line breaks are read and written back as
// RFC 4180 says; a row that is not CSV, that has the wrong number of cells,
// or whose options are a usage error gets the outcome "usage" with its
// message, and the rows after it still run. A row may start from a design
// file and write its own.
TEST(Batch, AMalformedRowNeverStopsTheRowsAfterIt) {
    const testing::TempFolder dir;
    const std::string design = dir.File("nogap.coredesign"), saved = dir.File("saved.coredesign");
    ASSERT_EQ(RunCli({"--family", "nogap", "--stack", "2", "--save-design", design}).exitStatus, 0);
    const std::string header = "inductance,inductance-unit,dc-current,pick,max-input-voltage,design,save-design";
    const std::string csv = "\xEF\xBB\xBF" + header + "\r\n" +
                            "318,microhenry,3.5,,\"50\",,\r\n"
                            "318,henry,3.5,,50,,\n"
                            "\"3\"\"18\",microhenry,3.5,,50,,\n"
                            "1,2\n"
                            "318,microhenry,3\"5,,50,,\n"
                            "318,microhenry,\"3.5\"x,,50,,\n"
                            "\n"
                            "318,microhenry,3.5,6299TXGP,50,,\n"
                            "318,microhenry,3.5,,\"5,0\nline\",,\n"
                            ",,,,," +
                            design + "," + saved +
                            "\n"
                            ",,,,," +
                            dir.File("missing.coredesign") +
                            ",\n"
                            "318,microhenry,3.5,,\"50";
    testing::WriteFile(dir.File("rows.csv"), csv);
    auto row = [](const std::string& inputs, const Args& options) { return inputs + "," + SingleRunCells(options); };
    auto usage = [](const std::string& inputs, const std::string& message) {
        const bool quoted = message.find(',') != std::string::npos;  // no message here holds a quote
        return inputs + ",usage," + (quoted ? "\"" + message + "\"" : message) + ",,,,,,,,,,,\n";
    };
    const Args micro = {"--inductance", "318", "--inductance-unit", "microhenry", "--dc-current", "3.5"};
    auto with = [&micro](const Args& more) {
        Args args = micro;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::string expected =
        header + kHeaderTail + row("318,microhenry,3.5,,50,,", with({"--max-input-voltage", "50"})) + "\n" +
        usage("318,henry,3.5,,50,,", "unknown inductance unit 'henry' (Henry, millihenry or microhenry)") +
        row("\"3\"\"18\",microhenry,3.5,,50,,", {"--inductance", "3\"18", "--inductance-unit", "microhenry",
                                                 "--dc-current", "3.5", "--max-input-voltage", "50"}) +
        "\n" + usage("1,2,,,,,", "the row has 2 cells, the header 7") +
        usage("318,microhenry,3,,,,", "the row is not CSV: a quote stands inside a cell that does not begin with one") +
        usage("318,microhenry,3.5,,,,", "the row is not CSV: a quoted cell goes on after its closing quote") +
        usage("318,microhenry,3.5,6299TXGP,50,,", "the gapped family holds no core '6299TXGP'") +
        row("318,microhenry,3.5,,\"5,0\nline\",,", with({"--max-input-voltage", "5,0\nline"})) + "\n" +
        row(",,,,," + design + "," + saved, {"--design", design}) + "\n" +
        usage(",,,,," + dir.File("missing.coredesign") + ",",
              "cannot read the design file '" + dir.File("missing.coredesign") + "': No such file or directory") +
        usage("318,microhenry,3.5,,50,,", "the row is not CSV: a quoted cell is not closed before the end of the file");
    const testing::CliResult r = RunCli({"--batch", dir.File("rows.csv")});
    EXPECT_EQ(r.exitStatus, 0) << r.err;
    EXPECT_EQ(r.out, expected);
    // The row's design file was written as the single run writes it.
    ASSERT_EQ(RunCli({"--design", design, "--save-design", dir.File("single.coredesign")}).exitStatus, 0);
    EXPECT_EQ(testing::ReadFile(saved), testing::ReadFile(dir.File("single.coredesign")));

    // In JSON Lines a usage row is its row, outcome and message.
    const testing::CliResult lines = RunCli({"--batch", dir.File("rows.csv"), "--json"});
    std::istringstream in(lines.out);
    std::vector<json> docs;
    for (std::string line; std::getline(in, line);) docs.push_back(json::parse(line));
    ASSERT_EQ(docs.size(), 11u);
    EXPECT_EQ(docs[1], json({{"row", 2},
                             {"outcome", "usage"},
                             {"message", "unknown inductance unit 'henry' (Henry, millihenry or microhenry)"}}));
    EXPECT_EQ(docs[10]["row"], 11);
    EXPECT_EQ(docs[7]["outcome"],
              json::parse(RunCli(with({"--json", "--max-input-voltage", "5,0\nline"})).out)["outcome"]);

    // A file a row cannot write is told with its row, and the batch ends with 1.
    testing::WriteFile(dir.File("unwritable.csv"), "report\n" + dir.File("no/such/folder/r.htm") + "\n\n");
    const testing::CliResult unwritable = RunCli({"--batch", dir.File("unwritable.csv")});
    EXPECT_EQ(unwritable.exitStatus, 1);
    EXPECT_EQ(unwritable.err, "coredesign-cli: row 1: cannot write the report to '" + dir.File("no/such/folder/r.htm") +
                                  "': No such file or directory\n");
}

// A batch file that cannot be read, or whose header names an option no
// column may name, is refused whole: exit status 2, its message, no row.
TEST(Batch, AHeaderThatCannotBeTakenRefusesTheWholeFile) {
    const testing::TempFolder dir;
    const std::string missing = dir.File("missing.csv");
    const struct {
        std::string csv;  // written to the batch file; none: the file is missing
        const char* message;
    } cases[] = {
        {"inductance,bogus\n1,2\n", "the batch file's header names no option 'bogus'"},
        {"--stack\n2\n", "the batch file's header names no option '--stack'"},
        {"stack,json\n2,\n",
         "the batch file's header names the option 'json', which is not one run's (a column names "
         "a field or unit, family, pick, design, save-design, report or spice)"},
        {"pdf\n",
         "the batch file's header names the option 'pdf', which is not one run's (a column names a field or "
         "unit, family, pick, design, save-design, report or spice)"},
        {"batch\n",
         "the batch file's header names the option 'batch', which is not one run's (a column names a field "
         "or unit, family, pick, design, save-design, report or spice)"},
        {"stack,family,stack\n", "the batch file's header names 'stack' twice"},
        {"\"stack\n2\n",
         "the batch file's header cannot be read: a quoted cell is not closed before the end of the "
         "file"},
        {"", "the batch file is empty: it has no header line"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.csv);
        testing::WriteFile(dir.File("batch.csv"), c.csv);
        const testing::CliResult r = RunCli({"--batch", dir.File("batch.csv")});
        EXPECT_EQ(r.exitStatus, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "coredesign-cli: " + std::string(c.message) + "\n");
    }
    const testing::CliResult unread = RunCli({"--batch", missing});
    EXPECT_EQ(unread.exitStatus, 2);
    EXPECT_EQ(unread.err, "coredesign-cli: cannot read the batch file '" + missing + "': No such file or directory\n");
    EXPECT_EQ(RunCli({"--batch", missing, "--stack", "2"}).exitStatus, 2);  // the rows' options are their columns

    // "-" reads standard input (the built program).
    testing::WriteFile(dir.File("stacks.csv"), "stack,family\n2,nogap\n");
    const testing::CommandResult piped =
        testing::RunCommand("printf 'stack,family\\n2,nogap\\n' | " + std::string(COREDESIGN_CLI) + " --batch -", dir);
    EXPECT_EQ(piped.exitStatus, 0) << piped.err;
    EXPECT_EQ(piped.out, RunCli({"--batch", dir.File("stacks.csv")}).out);
}

}  // namespace
}  // namespace coredesign
