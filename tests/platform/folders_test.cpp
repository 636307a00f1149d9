// The program's own folder, as the system tells it.
#include "folders.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace coredesign::platform {
namespace {

TEST(Folders, ProgramFolderHoldsThisProgram) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "platform_tests"));
}

}  // namespace
}  // namespace coredesign::platform
