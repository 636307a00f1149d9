// The command-line front end run in the test's own process: its options
// parsed and its run made as its main does, with what it writes collected.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "options.h"
#include "system_host.h"

namespace coredesign::testing {

struct CliResult {
    int exitStatus = -1;  // 2 for a usage error, as the program ends
    std::string out, err;
};

inline CliResult RunCli(std::vector<std::string> args) {
    args.insert(args.begin(), "coredesign-cli");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    cli::Options options;
    CliResult r;
    if (!cli::ParseOptions(static_cast<int>(args.size()), argv.data(), options, r.err)) {
        r.exitStatus = 2;
        return r;
    }
    std::ostringstream out, err;
    r.exitStatus = cli::Run(options, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}

}  // namespace coredesign::testing
