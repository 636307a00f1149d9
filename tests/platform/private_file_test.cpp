// Private files in a folder others may write to: what the program creates is
// the user's alone, and a name planted there by someone else is refused
// without being touched.
#include "private_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "temp_folder.h"

namespace coredesign::platform {
namespace {

namespace fs = std::filesystem;
using coredesign::testing::ReadFile;

mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(PrivateFile, CreatedAndRewrittenFilesAreTheUsersAlone) {
    const coredesign::testing::TempFolder dir;
    const mode_t umaskBefore = ::umask(0);  // the files must be private whatever the umask allows
    const std::string report = dir.File("temp.htm"), probe = dir.File("probe.html");
    FileFailure failure;

    ASSERT_TRUE(WritePrivateFile(report, "first", failure)) << failure.description;
    EXPECT_EQ(ModeOf(report), 0600u);
    // An earlier file of ours, readable by all and longer: replaced whole and made private.
    ::chmod(report.c_str(), 0644);
    std::ofstream(report) << std::string(5000, 'x');
    ASSERT_TRUE(WritePrivateFile(report, "second", failure)) << failure.description;
    EXPECT_EQ(ReadFile(report), "second");
    EXPECT_EQ(ModeOf(report), 0600u);

    std::ofstream(probe) << "left over by an earlier click";
    ASSERT_TRUE(CreatePrivateFile(probe, failure)) << failure.description;
    EXPECT_EQ(ReadFile(probe), "");
    EXPECT_EQ(ModeOf(probe), 0600u);
    ASSERT_TRUE(RemovePrivateFile(probe, failure));
    EXPECT_FALSE(fs::exists(probe));
    EXPECT_TRUE(RemovePrivateFile(probe, failure));  // nothing left to remove
    ::umask(umaskBefore);

    // The system's own reasons pass through.
    EXPECT_FALSE(WritePrivateFile(dir.File("missing/temp.htm"), "x", failure));
    EXPECT_EQ(failure.number, ENOENT);
    EXPECT_EQ(failure.description, "No such file or directory");
}

// Each planted name is refused by all three operations, stays what it was,
// and the file a link points at keeps its content.
TEST(PrivateFile, NamesPlantedBySomeoneElseAreLeftUntouched) {
    const coredesign::testing::TempFolder dir;
    const std::string target = dir.File("designers-file"), name = dir.File("temp.htm");
    struct Case {
        const char* what;
        std::function<void()> plant;
        bool rootOnly;
    } const cases[] = {
        {"is a symbolic link", [&] { fs::create_symlink(target, name); }, false},
        {"is a symbolic link", [&] { fs::create_symlink(dir.File("dangling"), name); }, false},
        {"is not a regular file", [&] { fs::create_directory(name); }, false},
        {"is not a regular file", [&] { ::mkfifo(name.c_str(), 0666); }, false},
        {"has other names (hard links)", [&] { fs::create_hard_link(target, name); }, false},
        {"belongs to another user",
         [&] {
             std::ofstream(name) << "theirs";
             ASSERT_EQ(::chown(name.c_str(), 65534, 65534), 0);
         },
         true},
    };
    using Operation = std::function<bool(FileFailure&)>;
    const Operation operations[] = {
        [&](FileFailure& f) { return WritePrivateFile(name, "report", f); },
        [&](FileFailure& f) { return CreatePrivateFile(name, f); },
        [&](FileFailure& f) { return RemovePrivateFile(name, f); },
    };
    for (const Case& c : cases) {
        if (c.rootOnly && ::geteuid() != 0) continue;  // only root can give a file away
        for (std::size_t op = 0; op < std::size(operations); ++op) {
            SCOPED_TRACE(std::string(c.what) + ", operation " + std::to_string(op));
            fs::remove_all(name);
            std::ofstream(target) << "the designer's own work";
            c.plant();
            struct stat before {};
            ASSERT_EQ(::lstat(name.c_str(), &before), 0);
            FileFailure failure;
            EXPECT_FALSE(operations[op](failure));
            EXPECT_EQ(failure.number, EEXIST);
            EXPECT_EQ(failure.description, name + " " + c.what + " (left untouched)");
            struct stat after {};
            ASSERT_EQ(::lstat(name.c_str(), &after), 0);
            EXPECT_EQ(after.st_ino, before.st_ino);
            EXPECT_EQ(after.st_mode, before.st_mode);
            EXPECT_EQ(after.st_size, before.st_size);
            EXPECT_EQ(ReadFile(target), "the designer's own work");
        }
    }
}

}  // namespace
}  // namespace coredesign::platform
