#include "command_line.h"

#include <string_view>

#include "version.h"

namespace coredesign::gui {

const char* DesktopUsageText() {
    return "Usage: coredesign [options] [FILE.coredesign]\n"
           "The Output Inductor Core Design Tool sizes the DC output inductor of a switching\n"
           "power supply on toroidal powder cores from the Kestrova catalogue: it picks the\n"
           "core (or checks one you pick), the turns and the wire gauge, computes the\n"
           "inductance under DC bias, the copper and core losses and the temperature rise,\n"
           "and shows, saves and prints an HTML design report. It is a desktop program:\n"
           "without options it opens its start screen. Given a design file, saved by its\n"
           "input screen's Save Design... or by coredesign-cli --save-design, the input\n"
           "screen holds that design once the terms of use are accepted.\n"
           "\n"
           "Options:\n"
           "  -h, --help     print this text and exit\n"
           "  --version      print the program's name and version and exit\n"
           "\n"
           "Qt's standard options, such as -platform NAME or -style NAME, are also accepted.\n"
           "\n"
           "The same calculation runs without a display as coredesign-cli, which is\n"
           "installed beside this program; 'coredesign-cli --help' lists its options.\n";
}

std::optional<int> AnswerInformationOptions(int argc, char** argv, std::ostream& out) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg == "--help" || arg == "-h") {
            out << DesktopUsageText();
            return 0;
        }
        if (arg == "--version") {
            out << VersionText("coredesign");
            return 0;
        }
    }
    return std::nullopt;
}

std::optional<std::string> DesignFileArgument(int argc, char** argv) {
    bool options = true;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (options && arg == "--") {
            options = false;
        } else if (!options || arg.empty() || arg[0] != '-') {
            return std::string(arg);
        }
    }
    return std::nullopt;
}

}  // namespace coredesign::gui
