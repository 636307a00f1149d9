// Files the user names: written whole over a longer earlier file, read up
// to a bound, and a failure told in the system's words.
#include "named_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "folders.h"
#include "temp_folder.h"

namespace coredesign::platform {
namespace {

using coredesign::testing::ReadFile;
using coredesign::testing::TempFolder;

TEST(NamedFile, ReplacesAnEarlierFileWhole) {
    const TempFolder dir;
    const std::string path = JoinPath(dir.Path(), "report.htm");
    EXPECT_EQ(path, dir.Path() + kPathSeparator + "report.htm");
    for (auto write : {WriteNamedFile, WriteFileWhole}) {
        std::ofstream(path) << std::string(100000, 'x');  // longer than the new text: nothing of it may remain
        std::string failure = "stale";
        ASSERT_TRUE(write(path, "<html>\r\n", failure));
        EXPECT_EQ(ReadFile(path), "<html>\r\n");
    }
}

TEST(NamedFile, FailureCarriesTheSystemsDescription) {
    const TempFolder dir;
    std::ofstream(dir.Path() + "/plain-file") << "x";
    struct Case {
        std::string path;
        const char* description;
    } const cases[] = {
        {dir.Path() + "/missing/temp.htm", "No such file or directory"},
#ifdef _WIN32
        {dir.Path() + "/plain-file/temp.htm", "No such file or directory"},
        {dir.Path(), "Permission denied"},
#else
        {dir.Path() + "/plain-file/temp.htm", "Not a directory"},
        {dir.Path(), "Is a directory"},
        {"/dev/full", "No space left on device"},
#endif
    };
    for (const Case& c : cases) {
        std::string failure;
        EXPECT_FALSE(WriteNamedFile(c.path, "<html>", failure)) << c.path;
        EXPECT_EQ(failure, c.description) << c.path;
    }
}

// Every byte comes back (no line end changed, NUL kept); a longer file
// gives its first bytes; a file that cannot be read says why.
TEST(NamedFile, IsReadInBinaryUpToTheBound) {
    const TempFolder dir;
    const std::string path = JoinPath(dir.Path(), "design.coredesign");
    const std::string bytes = std::string("a\r\nb\0\xFF", 6) + std::string(200000, 'z');
    std::ofstream(path, std::ios::binary) << bytes;
    std::string read, failure;
    ASSERT_TRUE(ReadNamedFile(path, bytes.size(), read, failure)) << failure;
    EXPECT_EQ(read, bytes);
    ASSERT_TRUE(ReadNamedFile(path, 100001, read, failure)) << failure;
    EXPECT_EQ(read, bytes.substr(0, 100001));
    EXPECT_FALSE(ReadNamedFile(dir.Path() + "/missing.coredesign", 10, read, failure));
    EXPECT_EQ(failure, "No such file or directory");
#ifndef _WIN32
    EXPECT_FALSE(ReadNamedFile(dir.Path(), 10, read, failure));
    EXPECT_EQ(failure, "Is a directory");
#endif
}

}  // namespace
}  // namespace coredesign::platform
