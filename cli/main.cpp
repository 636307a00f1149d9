// coredesign-cli: the headless front end. One run is one freshly loaded input
// screen and one press of Show Results, on the same engine as the desktop
// program.
#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>

#include "folders.h"
#include "options.h"
#include "standard_output.h"
#include "system_host.h"
#include "version.h"

namespace {

// The command line's work: the usage error, the usage, the version or the run.
int RunCommandLine(int argc, char** argv, std::ostream& out) {
    coredesign::cli::Options options;
    std::string error;
    if (!coredesign::cli::ParseOptions(argc, argv, options, error)) {
        std::cerr << "coredesign-cli: " << error << "\n"
                  << "Try 'coredesign-cli --help'.\n";
        return 2;
    }
    if (options.help) {
        out << coredesign::cli::UsageText();
        return 0;
    }
    if (options.version) {
        out << coredesign::VersionText("coredesign-cli");
        return 0;
    }
    return coredesign::cli::Run(options, out, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    coredesign::platform::StartFolder();  // a relative temporary folder is taken from here
    coredesign::cli::StandardOutput standardOutput;
    std::ostream out(&standardOutput);
    std::cerr.tie(&out);  // a message comes after what was printed before it
    const int status = RunCommandLine(argc, argv, out);
    // What was printed is checked: output that could not be written ends the program with 1.
    const int error = standardOutput.Finish();
    std::cerr.tie(nullptr);  // `out` goes with main, the library's streams after it
    if (!error) return status;
    std::cerr << "coredesign-cli: cannot write standard output: " << std::strerror(error) << "\n";
    return 1;
}
