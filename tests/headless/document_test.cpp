// coredesign-cli --explore: every row is what the
// single run of that family, part and stack prints with the same options;
// the CSV table; the exit statuses.
#include "document.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli_session.h"

namespace coredesign {
namespace {

using json = nlohmann::ordered_json;
using testing::CliResult;
using testing::RunCli;
using Args = std::vector<std::string>;

json RunJson(const Args& args, int expectedStatus) {
    const CliResult r = RunCli(args);
    EXPECT_EQ(r.exitStatus, expectedStatus) << r.err;
    try {
        return json::parse(r.out);
    } catch (const std::exception& e) {
        ADD_FAILURE() << e.what();
        return {};
    }
}

Args With(Args args, const Args& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(Explore, EveryRowIsTheSingleRunWithTheSameOptions) {
    const Args options = {"--inductance", "250", "--inductance-unit", "microhenry", "--ambient-temp", "90"};
    const json doc = RunJson(With({"--explore", "--stack", "3"}, options), 0);
    ASSERT_EQ(doc["rows"].size(), 630u);
    const json& first = doc["rows"][0];
    std::string keys;
    for (const auto& item : first.items()) keys += item.key() + " ";
    EXPECT_EQ(keys, "family part stack outcome temperature_alarm fits pareto volume_cm3 record ");
    EXPECT_EQ(first["part"], "6205TXGP");

    // A handful of rows across both families, small to large, one to nine stacked.
    for (const std::size_t k : {0u, 100u, 200u, 305u, 306u, 400u, 500u, 629u}) {
        const json& row = doc["rows"][k];
        SCOPED_TRACE(row["family"].get<std::string>() + " " + row["part"].get<std::string>() + " * " +
                     std::to_string(row["stack"].get<int>()));
        const json single = RunJson(With({"--json", "--family", row["family"], "--pick", row["part"], "--stack",
                                          std::to_string(row["stack"].get<int>())},
                                         options),
                                    row["outcome"] == "results" ? 0 : 1);
        EXPECT_EQ(row["outcome"], single["outcome"]);
        EXPECT_EQ(row["record"], single["record"]);
        bool alarm = false;
        for (const json& m : single["messages"]) alarm = alarm || m["id"] == "temperature";
        EXPECT_EQ(row["temperature_alarm"], alarm);
    }
    // The Calculate Core run of each family takes --stack.
    ASSERT_EQ(doc["calculate_core"].size(), 2u);
    for (const json& pick : doc["calculate_core"]) {
        const json single = RunJson(With({"--json", "--family", pick["family"], "--stack", "3"}, options), 0);
        EXPECT_EQ(pick["outcome"], single["outcome"]);
        EXPECT_EQ(pick["part"], single["record"]["CoreSize"]);
        EXPECT_EQ(pick["stack"], 3);
    }
    // --family restricts the table to one family.
    const json nogap = RunJson({"--explore", "--family", "nogap"}, 0);
    EXPECT_EQ(nogap["rows"].size(), 36u * 9);
    EXPECT_EQ(nogap["rows"][0]["family"], "nogap");
    EXPECT_EQ(nogap["calculate_core"].size(), 1u);
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
    return fields;
}

TEST(Explore, CsvTableAndExitStatuses) {
    const CliResult r = RunCli({"--explore", "--csv", "--family", "gapped"});
    EXPECT_EQ(r.exitStatus, 0);
    std::istringstream lines(r.out);
    std::string header, line;
    std::getline(lines, header);
    EXPECT_EQ(header,
              "family,part,stack,outcome,temperature_alarm,fits,pareto,volume_cm3,Turns,WireSize,InductanceFullLoad,"
              "ActualFillFactor,CopperLossAtTemp,CoreLoss,TotalLoss,TempRise,mass_g");
    int count = 0;
    std::vector<std::string> row218;
    while (std::getline(lines, line)) {
        ++count;
        const std::vector<std::string> f = Split(line);
        ASSERT_EQ(f.size(), 17u) << line;
        if (f[1] == "6218TXGP" && f[2] == "1") row218 = f;
    }
    EXPECT_EQ(count, 34 * 9);
    // The default design's own core: the figures of its single run.
    ASSERT_FALSE(row218.empty());
    const json single = RunJson({"--json", "--pick", "6218TXGP"}, 0);
    EXPECT_EQ(std::vector<std::string>(row218.begin(), row218.begin() + 6),
              (std::vector<std::string>{"gapped", "6218TXGP", "1", "results", "false", "true"}));
    EXPECT_EQ(std::stoi(row218[8]), single["record"]["Turns"]);
    EXPECT_EQ(std::stod(row218[14]), single["record"]["TotalLoss"].get<double>());
    EXPECT_NEAR(std::stod(row218[7]), 3.14159265 * 1.359 * 1.359 * 1.105, 1e-6);  // OD 27.18 mm, HT 11.05 mm

    // Nothing fits: exit status 1, the table still printed.
    const CliResult none = RunCli({"--explore", "--csv", "--family", "gapped", "--inductance", "0"});
    EXPECT_EQ(none.exitStatus, 1);
    EXPECT_NE(none.out.find("\ngapped,6238TXGP,9,validation,"), std::string::npos);

    // Options that cannot go with --explore: a usage error naming the option, nothing printed.
    const struct {
        Args args;
        const char* named;
    } refused[] = {
        {{"--explore", "--pick", "6218TXGP"}, "--pick"},
        {{"--explore", "--report", "r.htm"}, "--report"},
        {{"--explore", "--csv", "--json"}, "--json"},
        {{"--csv"}, "--csv"},
        {{"--explore=1"}, "--explore"},
    };
    for (const auto& c : refused) {
        const CliResult u = RunCli(c.args);
        EXPECT_EQ(u.exitStatus, 2) << c.named;
        EXPECT_EQ(u.out, "");
        EXPECT_NE(u.err.find(c.named), std::string::npos) << u.err;
    }
}

}  // namespace
}  // namespace coredesign
