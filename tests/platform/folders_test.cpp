// The program's own folder and the temporary folder, as the system tells them.
#include "folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

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
// Read anew at every call; a relative name is taken from the folder the
// program started in, wherever the working folder is now.
TEST(Folders, TemporaryFolderFromTheEnvironment) {
    const std::string start = StartFolder();
    ASSERT_EQ(start, std::filesystem::current_path().string());
    const struct {
        std::optional<std::string> temp, tmpdir;
        std::string folder;
    } cases[] = {{"/some/temp", "/other", "/some/temp"},
                 {"", "/other", "/other"},
                 {std::nullopt, "/other", "/other"},
                 {std::nullopt, std::nullopt, "/tmp"},
                 {"reports/tmp", "/other", start + "/reports/tmp"},
                 {std::nullopt, "tmp", start + "/tmp"}};
    std::filesystem::current_path("/");
    for (const auto& c : cases) {
        const ScopedEnv temp("TEMP", c.temp), tmpdir("TMPDIR", c.tmpdir);
        EXPECT_EQ(TempFolder(), c.folder);
    }
    std::filesystem::current_path(start);
}

}  // namespace
}  // namespace coredesign::platform
