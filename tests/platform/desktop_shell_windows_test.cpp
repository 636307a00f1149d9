// The Windows shell's look-up of the program registered for web pages
// (FindExecutableA), under Wine, whose prefix registers its browser for
// .html. Opening an address is not tried: it would start a browser.
#include <gtest/gtest.h>

#include <fstream>

#include "desktop_shell.h"
#include "folders.h"
#include "temp_folder.h"

namespace coredesign::platform {
namespace {

TEST(WindowsShell, LookUpFindsTheProgramForWebPages) {
    const coredesign::testing::TempFolder dir;
    std::ofstream(dir.File("x27z42j.html")).flush();
    std::string program;
    EXPECT_GE(SystemShell().LookUpProgram("x27z42j.html", dir.Path(), program), kFound);
    EXPECT_TRUE(IsRegularFile(program)) << program;
    EXPECT_EQ(SystemShell().LookUpProgram("other.html", dir.Path(), program), kFileNotFound);
    EXPECT_EQ(program, "");
}

}  // namespace
}  // namespace coredesign::platform
