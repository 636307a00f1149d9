// coredesign-cli: the headless front end. One run is one freshly loaded input
// screen and one press of Show Results, on the same engine as the desktop
// program.
#include <clocale>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "folders.h"
#include "options.h"
#include "system_host.h"
#include "version.h"

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    coredesign::platform::StartFolder();  // a relative temporary folder is taken from here
    coredesign::cli::Options options;
    std::string error;
    if (!coredesign::cli::ParseOptions(argc, argv, options, error)) {
        std::cerr << "coredesign-cli: " << error << "\n"
                  << "Try 'coredesign-cli --help'.\n";
        return 2;
    }
    if (options.help) {
        std::cout << coredesign::cli::UsageText();
        return 0;
    }
    if (options.version) {
        std::cout << coredesign::VersionText("coredesign-cli");
        return 0;
    }
    return coredesign::cli::Run(options, std::cout, std::cerr);
}
