// Fuzz target: the command-line front end's argument parser. The bytes are
// the arguments after the program's name, split at NUL bytes. Every command
// line must be either taken, with no message, or refused as a usage error
// with a message; nothing is run.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_checks.h"
#include "options.h"
#include "system_host.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments = {"coredesign-cli", std::string()};
    for (std::size_t k = 0; k < size; ++k) {
        if (data[k] == 0)
            arguments.emplace_back();
        else
            arguments.back().push_back(static_cast<char>(data[k]));
    }
    if (size == 0) arguments.pop_back();  // no arguments at all
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);  // as main receives them

    coredesign::cli::Options options;
    std::string error;
    const bool taken = coredesign::cli::ParseOptions(static_cast<int>(arguments.size()), argv.data(), options, error);
    if (taken != error.empty())
        coredesign::fuzz::Fail("options", taken ? "taken with the message " + error : "refused without a message");
    return 0;
}
