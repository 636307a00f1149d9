// The freedesktop shell, with real xdg-mime and gio, in a desktop of the
// test's own: its own default-applications list and desktop entries, and a
// "browser" that writes down the address it was asked to open.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <list>
#include <string>
#include <thread>

#include "desktop_shell.h"
#include "temp_folder.h"

namespace coredesign::platform {
namespace {

namespace fs = std::filesystem;
using coredesign::testing::ScopedEnv;

// True when a program of this name is found on PATH.
bool OnPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "";
    for (std::size_t start = 0; start <= folders.size();) {
        const std::size_t colon = std::min(folders.find(':', start), folders.size());
        const fs::path candidate = fs::path(folders.substr(start, colon - start)) / program;
        std::error_code ec;
        if (colon > start && fs::is_regular_file(candidate, ec)) return true;
        start = colon + 1;
    }
    return false;
}

class FreedesktopShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"xdg-mime", "gio"})
            if (!OnPath(tool)) GTEST_SKIP() << tool << " is not installed (packages xdg-utils, libglib2.0-bin)";
        ASSERT_TRUE(root_.Valid());
        for (const char* folder : {"config", "data/applications", "temp"}) fs::create_directories(Path(folder));
        std::ofstream(Path("temp/x27z42j.html")).flush();
        env_.emplace_back("XDG_CONFIG_HOME", Path("config"));
        env_.emplace_back("XDG_DATA_HOME", Path("data"));
        env_.emplace_back("XDG_DATA_DIRS", Path("nowhere"));
        env_.emplace_back("XDG_CONFIG_DIRS", Path("nowhere"));
        env_.emplace_back("XDG_CURRENT_DESKTOP", std::string("X-Generic"));
    }

    std::string Path(const std::string& relative) const { return root_.File(relative); }

    // Registers a desktop entry for HTML that runs `exec`, by default a
    // script that writes its arguments into the file "opened".
    void RegisterBrowser(std::string exec = std::string()) {
        if (exec.empty()) {
            exec = Path("browser.sh");
            std::ofstream(exec) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << Path("opened.tmp") << "'\nmv '"
                                << Path("opened.tmp") << "' '" << Path("opened") << "'\n";
            fs::permissions(exec, fs::perms::owner_all);
        }
        std::ofstream(Path("data/applications/test-browser.desktop"))
            << "[Desktop Entry]\nType=Application\nName=Test Browser\nExec=" << exec << " %u\nMimeType=text/html;\n";
        std::ofstream(Path("config/mimeapps.list")) << "[Default Applications]\ntext/html=test-browser.desktop\n";
    }

    // The address the test browser received, once it has run (bounded wait:
    // the shell does not wait for the browser).
    std::string Opened() const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!fs::exists(Path("opened")) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ifstream in(Path("opened"));
        std::string line;
        std::getline(in, line);
        return line;
    }

    coredesign::testing::TempFolder root_;
    std::list<ScopedEnv> env_;
};

TEST_F(FreedesktopShellTest, LookUpAnswersWithTheShellsCodes) {
    RegisterBrowser();
    struct Case {
        const char* name;
        std::string file, folder;
        long code;
        std::string program;
    } const cases[] = {
        {"registered", "x27z42j.html", Path("temp"), kFound, "test-browser.desktop"},
        {"missing document", "other.html", Path("temp"), kFileNotFound, ""},
        {"missing folder", "x27z42j.html", Path("gone"), kPathNotFound, ""},
        {"empty folder name", "x27z42j.html", "", kPathNotFound, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string program = "stale";
        EXPECT_EQ(SystemShell().LookUpProgram(c.file, c.folder, program), c.code);
        EXPECT_EQ(program, c.program);
    }
}

// The desktops in which a look-up and an open of the maker's site are tried.
enum class Desktop { Registered, NothingRegistered, EntryGone, BrowserMissing, NoTools };
enum class OpenResult { Opens, NoAssociation, Fails /* any code of 31 or less */ };

struct DesktopCase {
    const char* name;
    Desktop desktop;
    long lookUp;
    OpenResult open;
};

void PrintTo(const DesktopCase& c, std::ostream* out) {
    *out << c.name;
}

class FreedesktopDesktops : public FreedesktopShellTest, public ::testing::WithParamInterface<DesktopCase> {};

TEST_P(FreedesktopDesktops, LookUpAndOpenAnswerAsTheDesktopAllows) {
    const DesktopCase& c = GetParam();
    if (c.desktop != Desktop::NothingRegistered)
        RegisterBrowser(c.desktop == Desktop::BrowserMissing ? Path("no-such-browser") : std::string());
    if (c.desktop == Desktop::EntryGone) fs::remove(Path("data/applications/test-browser.desktop"));
    if (c.desktop == Desktop::NoTools) env_.emplace_back("PATH", Path("nowhere"));

    std::string program;
    EXPECT_EQ(SystemShell().LookUpProgram("x27z42j.html", Path("temp"), program), c.lookUp);
    const long opened = SystemShell().OpenAddress(0, "Open", "www.kestrova.example", "", "", kShowNormal);
    switch (c.open) {
        case OpenResult::Opens:
            EXPECT_GT(opened, kNoAssociation);
            EXPECT_EQ(Opened(), "http://www.kestrova.example");
            break;
        case OpenResult::NoAssociation: EXPECT_EQ(opened, kNoAssociation); break;
        case OpenResult::Fails: EXPECT_LE(opened, kNoAssociation); break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, FreedesktopDesktops,
    ::testing::Values(DesktopCase{"Registered", Desktop::Registered, kFound, OpenResult::Opens},
                      DesktopCase{"NothingRegistered", Desktop::NothingRegistered, kNoAssociation,
                                  OpenResult::NoAssociation},
                      DesktopCase{"EntryFileGone", Desktop::EntryGone, kNoAssociation, OpenResult::Fails},
                      DesktopCase{"BrowserCannotStart", Desktop::BrowserMissing, kFound, OpenResult::Fails},
                      DesktopCase{"NoDesktopTools", Desktop::NoTools, kNoAssociation, OpenResult::NoAssociation}),
    [](const ::testing::TestParamInfo<DesktopCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace coredesign::platform
