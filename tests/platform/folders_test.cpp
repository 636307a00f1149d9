// The program's own folder and the temporary folder, as the system tells
// them (on Windows GetModuleFileNameA and GetTempPathA, run under Wine).
#include "folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "temp_folder.h"

namespace coredesign::platform {
namespace {

TEST(Folders, ProgramFolderHoldsThisProgram) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
#ifdef _WIN32
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "platform_tests.exe")) << folder;
#else
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "platform_tests")) << folder;
#endif
}

// TEMP first (an empty one counts as unset), then the system's own: on
// Windows GetTempPathA's (TMP, else USERPROFILE) without its trailing
// separator but at a drive's root; elsewhere TMPDIR, else /tmp.
TEST(Folders, TemporaryFolder) {
    using V = std::optional<std::string>;
    struct Case {
        V temp, tmp, profile, tmpdir;
        std::string folder;
    } const cases[] = {
        {"C:\\Some Temp", "C:\\Other", {}, "/other", "C:\\Some Temp"},
#ifdef _WIN32
        {{}, "C:\\users\\Core Temp\\", {}, {}, "C:\\users\\Core Temp"},
        {"", "C:\\coretemp", {}, {}, "C:\\coretemp"},
        {{}, "D:\\", {}, {}, "D:\\"},
        {{}, {}, "C:\\users\\designer", {}, "C:\\users\\designer"},
#else
        {"", {}, {}, "/other", "/other"},
        {{}, {}, {}, {}, "/tmp"},
#endif
    };
    for (const Case& c : cases) {
        const coredesign::testing::ScopedEnv temp("TEMP", c.temp), tmp("TMP", c.tmp), tmpdir("TMPDIR", c.tmpdir),
            profile("USERPROFILE", c.profile);
        EXPECT_EQ(TempFolder(), c.folder);
    }
}

}  // namespace
}  // namespace coredesign::platform
