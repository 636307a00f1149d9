// The desktop program's command line: which argument is the design file to
// open (Qt has taken its own options out by then).
#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace coredesign::gui {
namespace {

TEST(CommandLine, TheDesignFileIsTheFirstArgumentThatIsNoOption) {
    const struct {
        std::vector<std::string> args;
        std::optional<std::string> file;
    } cases[] = {
        {{}, std::nullopt},
        {{"choke.coredesign"}, "choke.coredesign"},
        {{"--reverse", "/home/d/My Designs/choke.coredesign", "other.coredesign"},
         "/home/d/My Designs/choke.coredesign"},
        {{"--", "-named-like-an-option.coredesign"}, "-named-like-an-option.coredesign"},
        {{"-x", "--"}, std::nullopt},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.begin(), "coredesign");
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        EXPECT_EQ(DesignFileArgument(static_cast<int>(argv.size()), argv.data()), c.file) << args.size();
    }
}

}  // namespace
}  // namespace coredesign::gui
