// The desktop program's own options, answered before any window is opened.
#pragma once

#include <optional>
#include <ostream>
#include <string>

namespace coredesign::gui {

// What `coredesign --help` prints.
const char* DesktopUsageText();

// Answers --help (or -h) and --version on `out` and returns the exit status;
// returns nothing when neither was given and the program is to start. The
// first of them counts; arguments after "--" are not options. Every other
// argument is left to Qt (-platform NAME, -style NAME ...).
std::optional<int> AnswerInformationOptions(int argc, char** argv, std::ostream& out);

// The design file to open (`coredesign FILE.coredesign`, as a file manager
// starts the program): the first argument that is not an option, or the
// first after "--". Read once Qt has taken its own options out of argv.
std::optional<std::string> DesignFileArgument(int argc, char** argv);

}  // namespace coredesign::gui
