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
// separator but at a drive's root; elsewhere TMPDIR, else /tmp. Read anew at
// every call; elsewhere than Windows a relative name is taken from the
// folder the program started in, wherever the working folder is now.
TEST(Folders, TemporaryFolder) {
    using V = std::optional<std::string>;
#ifndef _WIN32
    const std::string start = StartFolder();
    ASSERT_EQ(start, std::filesystem::current_path().string());
#endif
    struct Case {
        V temp, tmp, profile, tmpdir;
        std::string folder;
    } const cases[] = {
#ifdef _WIN32
        {"C:\\Some Temp", "C:\\Other", {}, "/other", "C:\\Some Temp"},
        {{}, "C:\\users\\Core Temp\\", {}, {}, "C:\\users\\Core Temp"},
        {"", "C:\\coretemp", {}, {}, "C:\\coretemp"},
        {{}, "D:\\", {}, {}, "D:\\"},
        {{}, {}, "C:\\users\\designer", {}, "C:\\users\\designer"},
#else
        {"/some/temp", {}, {}, "/other", "/some/temp"},
        {"", {}, {}, "/other", "/other"},
        {{}, {}, {}, {}, "/tmp"},
        {"reports/tmp", {}, {}, "/other", start + "/reports/tmp"},
        {{}, {}, {}, "tmp", start + "/tmp"},
#endif
    };
#ifndef _WIN32
    std::filesystem::current_path("/");
#endif
    for (const Case& c : cases) {
        const coredesign::testing::ScopedEnv temp("TEMP", c.temp), tmp("TMP", c.tmp), tmpdir("TMPDIR", c.tmpdir),
            profile("USERPROFILE", c.profile);
        EXPECT_EQ(TempFolder(), c.folder);
    }
#ifndef _WIN32
    std::filesystem::current_path(start);
#endif
}

}  // namespace
}  // namespace coredesign::platform
