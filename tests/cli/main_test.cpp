// The program's own part: what it writes to standard output is checked at
// the end, and output that could not be written (a copy of the full device
// as standard output) is told and ends the program with status 1, on every
// path that prints; a usage error keeps its status 2.
#include <gtest/gtest.h>

#include "command.h"
#include "temp_folder.h"

namespace coredesign {
namespace {

TEST(CliProgram, StandardOutputThatCannotBeWrittenIsTold) {
    const testing::TempFolder dir;
    const std::string full = dir.File("full"), err = dir.File("err");
    if (!testing::MakeDevice(full, 7)) GTEST_SKIP() << "the full device is made with mknod, which needs root";
    const char* told = "coredesign-cli: cannot write standard output: No space left on device\n";
    const struct {
        const char* args;
        int exitStatus;
        const char* message;
    } cases[] = {
        {"", 1, told},
        {"--json", 1, told},
        {"--explore", 1, told},
        {"--explore --csv", 1, told},
        {"--curve", 1, told},
        {"--curve --json", 1, told},
        {"--help", 1, told},
        {"--version", 1, told},
        {"--bogus", 2, "coredesign-cli: unknown option '--bogus'\nTry 'coredesign-cli --help'.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const int status =
            std::system((std::string(COREDESIGN_CLI) + " " + c.args + " >" + full + " 2>" + err).c_str());
        EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, c.exitStatus);
        EXPECT_EQ(testing::ReadFile(err), c.message);
    }
}

}  // namespace
}  // namespace coredesign
