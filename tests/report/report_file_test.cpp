// Writing the design report file: temp.htm, the pictures of the program's
// folder, and failures with the system's description.
#include "report_file.h"

#include <gtest/gtest.h>

#include "folders.h"
#include "input_screen.h"
#include "report_document.h"
#include "temp_folder.h"

namespace coredesign::report {
namespace {

namespace fs = std::filesystem;
using TempDir = coredesign::testing::TempFolder;
using coredesign::testing::ReadFile;

InputScreen PickedDesign() {
    InputScreen s;
    s.ChooseFamily(false);
    s.ChoosePickCore();
    EXPECT_TRUE(s.PickPart("6234TXNG"));
    s.Fields().txtStack = "3";
    EXPECT_EQ(s.ShowResults().outcome, Outcome::Results);
    return s;
}

TEST(ReportFile, TheProgramFolderHoldsThePictures) {
    const std::string folder = platform::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    for (const char* image : {kLogoImage, kGappedCoreImage, kNoGapCoreImage})
        EXPECT_NE(ResolveImagePath(folder, image), "") << image;
}

TEST(ReportFile, FileIsTheDocumentAndOneCrLfAndReplacesTheOldOne) {
    const TempDir dir;
    const InputScreen s = PickedDesign();
    const std::string path = ReportFilePath(dir.Path());
    EXPECT_EQ(path, dir.Path() + "/temp.htm");
    fs::create_directories(dir.File("bin"));
    for (const char* image : {kLogoImage, kGappedCoreImage, kNoGapCoreImage})
        std::ofstream(dir.File(std::string("bin/") + image)) << "GIF89a";
    std::ofstream(path) << std::string(100000, 'x');  // longer than the report: nothing of it may remain
    std::string failure = "stale";
    ASSERT_TRUE(WriteReportFile(path, *s.Results(), s.Record(), dir.Path() + "/bin", failure));
    EXPECT_EQ(failure, "");
    EXPECT_EQ(ReadFile(path), BuildReportDocument(*s.Results(), s.Record(), dir.Path() + "/bin") + "\r\n");

    // Without a folder of its own, the running program's folder holds the pictures.
    ASSERT_TRUE(WriteReportFile(path, *s.Results(), s.Record(), failure));
    EXPECT_EQ(ReadFile(path), BuildReportDocument(*s.Results(), s.Record(), platform::ProgramFolder()) + "\r\n");
}

TEST(ReportFile, FailureCarriesTheSystemsDescription) {
    const TempDir dir;
    const InputScreen s = PickedDesign();
    std::ofstream(dir.Path() + "/plain-file") << "x";
    struct Case {
        std::string path;
        const char* description;
    } const cases[] = {
        {dir.Path() + "/missing/temp.htm", "No such file or directory"},
        {dir.Path() + "/plain-file/temp.htm", "Not a directory"},
        {dir.Path(), "Is a directory"},
        {"/dev/full", "No space left on device"},
    };
    for (const Case& c : cases) {
        std::string failure;
        EXPECT_FALSE(WriteReportFile(c.path, *s.Results(), s.Record(), failure)) << c.path;
        EXPECT_EQ(failure, c.description) << c.path;
    }
}

}  // namespace
}  // namespace coredesign::report
