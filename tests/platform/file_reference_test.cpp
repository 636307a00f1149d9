// How a document refers to a file of this system: the file: URL (or, on
// Windows, the short path), a missing file as nothing, and the pictures the
// report refers to beside the built programs.
#include "file_reference.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "folders.h"
#include "temp_folder.h"

namespace coredesign::platform {
namespace {

namespace fs = std::filesystem;
using coredesign::testing::TempFolder;

// A folder `name` inside `dir` holding a stand-in for a picture.
std::string PictureFolder(const TempFolder& dir, const std::string& name) {
    const std::string folder = dir.File(name);
    fs::create_directories(folder);
    std::ofstream(folder + "/kes_logo.gif") << "GIF89a";
    return folder;
}

TEST(FileReference, TheProgramFolderHoldsTheReportsPictures) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    for (const char* picture : {"kes_logo.gif", "coregap.gif", "corenogap.gif"})
        EXPECT_NE(FileReference(folder, picture), "") << picture;
}

// A missing file (or a folder of its name) is an empty reference; a folder
// with blanks or other unsafe characters, or a relative one, gives an
// absolute URL without blanks (on Windows: ShortPathOrUrlWithoutBlanks).
TEST(FileReference, MissingFileBlanksAndRelativeFolders) {
    const TempFolder dir;
    EXPECT_EQ(FileReference(dir.Path(), "kes_logo.gif"), "");
    fs::create_directory(dir.File("coregap.gif"));
    EXPECT_EQ(FileReference(dir.Path(), "coregap.gif"), "");
#ifndef _WIN32
    const struct {
        const char* folder;
        const char* encoded;
    } cases[] = {
        {"Program Files/Core Design", "Program%20Files/Core%20Design"},
        {"it's #1 100%", "it%27s%20%231%20100%25"},
        {"a>b&c=d", "a%3Eb%26c%3Dd"},
        {"Caf\xC3\xA9", "Caf%C3%A9"},
        {"plain-name_1.0~x", "plain-name_1.0~x"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileReference(PictureFolder(dir, c.folder), "kes_logo.gif"),
                  "file://" + dir.Path() + "/" + c.encoded + "/kes_logo.gif");

    const std::string folder = PictureFolder(dir, "rel");
    const fs::path before = fs::current_path();
    fs::current_path(dir.Path());
    const std::string ref = FileReference("./rel/../rel", "kes_logo.gif");
    fs::current_path(before);
    EXPECT_EQ(ref, "file://" + folder + "/kes_logo.gif");
#endif
}

#ifdef _WIN32
// A volume without short names: the system gives the long path back.
std::string LongPathBack(const std::string& path) {
    return path;
}

// The system's short path (lower-cased); where it has no short names, the
// percent-encoded file: URL, since a blank would end the reference.
TEST(FileReference, ShortPathOrUrlWithoutBlanks) {
    const TempFolder dir;
    const std::string folder = PictureFolder(dir, "Core Design");
    const std::string reference = FileReference(folder, "kes_logo.gif");
    EXPECT_EQ(reference.find(' '), std::string::npos) << reference;
    EXPECT_TRUE(fs::equivalent(reference, dir.File("Core Design/kes_logo.gif"))) << reference;
    std::string url = "file:///" + dir.Path() + "/Core%20Design/kes_logo.gif";
    for (char& ch : url) ch = ch == '\\' ? '/' : ch;
    EXPECT_EQ(FileReference(folder, "kes_logo.gif", LongPathBack), url);
}
#endif

}  // namespace
}  // namespace coredesign::platform
