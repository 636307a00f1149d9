// Writing temp.htm: the document and one CR LF, failures described, and the
// command-line front end writing the very same bytes.
#include "report_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "cli_run.h"
#include "report_test_support.h"
#include "session.h"

namespace coredesign::report {
namespace {

using testing::ReadFile;
using testing::TempDir;

HeadlessSession PickedDesign() {
    HeadlessSession s;
    s.ChooseFamily(false);
    s.ChoosePickCore();
    EXPECT_TRUE(s.PickPart("6234TXNG"));
    s.Fields().txtStack = "3";
    EXPECT_EQ(s.ShowResults().outcome, Outcome::Results);
    return s;
}

TEST(ReportFile, PathIsTheFolderTheSeparatorAndTempHtm) {
    EXPECT_EQ(ReportFilePath("/tmp/x y"), "/tmp/x y/temp.htm");
    EXPECT_EQ(ReportFilePath(""), "/temp.htm");
}

TEST(ReportFile, ProgramFolderHoldsThisProgramAndThePictures) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "report_file_test"));
    // The build puts the report's pictures beside the programs.
    for (const char* image : {kLogoImage, kGappedCoreImage, kNoGapCoreImage})
        EXPECT_NE(ResolveImagePath(folder, image), "") << image;
}

TEST(ReportFile, FileIsTheDocumentAndOneCrLfAndReplacesTheOldOne) {
    const TempDir dir;
    const HeadlessSession s = PickedDesign();
    const std::string path = ReportFilePath(dir.Path());
    testing::ImageFolder(dir, "bin");
    {
        std::ofstream old(path);
        old << std::string(100000, 'x');  // longer than the report: nothing of it may remain
    }
    std::string failure = "stale";
    ASSERT_TRUE(WriteReportFile(path, *s.Results(), s.Record(), dir.Path() + "/bin", failure));
    EXPECT_EQ(failure, "");
    EXPECT_EQ(ReadFile(path), BuildReportDocument(*s.Results(), s.Record(), dir.Path() + "/bin") + "\r\n");

    // Without a folder of its own, the running program's folder holds the pictures.
    ASSERT_TRUE(WriteReportFile(path, *s.Results(), s.Record(), failure));
    EXPECT_EQ(ReadFile(path), BuildReportDocument(*s.Results(), s.Record(), ProgramFolder()) + "\r\n");
}

TEST(ReportFile, FailureCarriesTheSystemsDescription) {
    const TempDir dir;
    const HeadlessSession s = PickedDesign();
    std::ofstream(dir.Path() + "/plain-file") << "x";
    struct Case {
        std::string path;
        const char* description;
    } const cases[] = {
        {dir.Path() + "/missing/temp.htm", "No such file or directory"},
        {dir.Path() + "/plain-file/temp.htm", "Not a directory"},
        {dir.Path(), "Is a directory"},
    };
    for (const Case& c : cases) {
        std::string failure;
        EXPECT_FALSE(WriteReportFile(c.path, *s.Results(), s.Record(), failure)) << c.path;
        EXPECT_EQ(failure, c.description) << c.path;
    }
    std::string failure;
    EXPECT_FALSE(WriteReportFile("/dev/full", *s.Results(), s.Record(), failure));
    EXPECT_EQ(failure, "No space left on device");
}

// The command-line front end writes what View Report writes for the same design.
TEST(ReportFile, CommandLineWritesTheSameBytes) {
    const TempDir dir;
    const std::string cliFile = dir.Path() + "/cli report.htm";
    struct Case {
        std::vector<std::string> args;
        bool gapped;
        const char* pick;
        const char* stack;
    } const cases[] = {
        {{"--stack", "3"}, true, nullptr, "3"},
        {{"--family", "nogap", "--pick", "6234TXNG", "--stack", "3"}, false, "6234TXNG", "3"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"coredesign-cli", "--report", cliFile};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        cli::Options options;
        std::string error;
        ASSERT_TRUE(cli::ParseOptions(static_cast<int>(argv.size()), argv.data(), options, error)) << error;
        std::ostringstream out, err;
        ASSERT_EQ(cli::Run(options, out, err), 0) << err.str();

        HeadlessSession s;
        if (!c.gapped) s.ChooseFamily(false);
        if (c.pick) {
            s.ChoosePickCore();
            ASSERT_TRUE(s.PickPart(c.pick));
        }
        s.Fields().txtStack = c.stack;
        ASSERT_EQ(s.ShowResults().outcome, Outcome::Results);
        const std::string viewFile = ReportFilePath(dir.Path());
        std::string failure;
        ASSERT_TRUE(WriteReportFile(viewFile, *s.Results(), s.Record(), failure));
        const std::string bytes = ReadFile(cliFile);
        EXPECT_EQ(bytes, ReadFile(viewFile));
        EXPECT_NE(bytes.find(c.gapped ? "Program  " : "Designer 6234TXNG - Stacked by 3 "), std::string::npos);
    }
}

TEST(ReportFile, CommandLineReportsAnUnwritableFile) {
    const TempDir dir;
    std::vector<std::string> args = {"coredesign-cli", "--report", dir.Path() + "/missing/r.htm"};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    cli::Options options;
    std::string error;
    ASSERT_TRUE(cli::ParseOptions(static_cast<int>(argv.size()), argv.data(), options, error));
    std::ostringstream out, err;
    EXPECT_EQ(cli::Run(options, out, err), 1);
    EXPECT_NE(err.str().find("No such file or directory"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace coredesign::report
