// The program's own folder and the temporary folder, as the system tells them.
#include "folders.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

namespace coredesign::platform {
namespace {

using coredesign::testing::ScopedEnv;

TEST(Folders, ProgramFolderHoldsThisProgram) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "platform_tests"));
}

// TEMP when set and not empty, else the system's own: TMPDIR, else /tmp.
// Read anew at every call.
TEST(Folders, TemporaryFolderFromTheEnvironment) {
    const struct {
        std::optional<std::string> temp, tmpdir;
        const char* folder;
    } cases[] = {{"/some/temp", "/other", "/some/temp"},
                 {"", "/other", "/other"},
                 {std::nullopt, "/other", "/other"},
                 {std::nullopt, std::nullopt, "/tmp"}};
    for (const auto& c : cases) {
        const ScopedEnv temp("TEMP", c.temp), tmpdir("TMPDIR", c.tmpdir);
        EXPECT_EQ(TempFolder(), c.folder);
    }
}

}  // namespace
}  // namespace coredesign::platform
