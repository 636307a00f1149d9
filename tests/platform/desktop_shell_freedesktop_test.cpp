// The freedesktop shell, with real xdg-mime and gio, in a desktop of the
// test's own: its own default-applications list and desktop entries, and a
// "browser" that writes down the address it was asked to open.
#include <gtest/gtest.h>

#include <chrono>
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

// The desktops in which a look-up and an open of the maker's site are tried.
enum class Desktop { Registered, NothingRegistered, EntryGone, BrowserMissing, EntryInAFolder, NoTools };
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

class FreedesktopDesktops : public ::testing::TestWithParam<DesktopCase> {
protected:
    void SetUp() override {
        if (std::system("command -v xdg-mime >/dev/null && command -v gio >/dev/null") != 0)
            GTEST_SKIP() << "xdg-mime or gio is not installed (packages xdg-utils, libglib2.0-bin)";
        ASSERT_TRUE(root_.Valid());
        for (const char* folder : {"config", "data/applications/sub", "temp"}) fs::create_directories(Path(folder));
        std::ofstream(Path("temp/x27z42j.html")).flush();
        for (const auto& [name, folder] : {std::pair{"XDG_CONFIG_HOME", "config"},
                                           {"XDG_DATA_HOME", "data"},
                                           {"XDG_DATA_DIRS", "nowhere"},
                                           {"XDG_CONFIG_DIRS", "nowhere"}})
            env_.emplace_back(name, Path(folder));
        env_.emplace_back("XDG_CURRENT_DESKTOP", std::string("X-Generic"));
    }

    std::string Path(const std::string& relative) const { return root_.File(relative); }

    // Registers the desktop entry `id` for HTML, running `exec`: by default a
    // script that writes its arguments into the file "opened".
    void RegisterBrowser(const std::string& id, std::string exec) {
        if (exec.empty()) {
            exec = Path("browser.sh");
            std::ofstream(exec) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << Path("opened.tmp") << "'\nmv '"
                                << Path("opened.tmp") << "' '" << Path("opened") << "'\n";
            fs::permissions(exec, fs::perms::owner_all);
        }
        std::ofstream(Path("data/applications/" + id))
            << "[Desktop Entry]\nType=Application\nName=Test Browser\nExec=" << exec << " %u\nMimeType=text/html;\n";
        std::ofstream(Path("config/mimeapps.list")) << "[Default Applications]\ntext/html=" << id << "\n";
    }

    // The address the test browser received (bounded wait: the shell does not wait for the browser).
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

TEST_P(FreedesktopDesktops, LookUpAndOpenAnswerAsTheDesktopAllows) {
    const DesktopCase& c = GetParam();
    const std::string id = c.desktop == Desktop::EntryInAFolder ? "sub/test-browser.desktop" : "test-browser.desktop";
    if (c.desktop != Desktop::NothingRegistered)
        RegisterBrowser(id, c.desktop == Desktop::BrowserMissing ? Path("no-such-browser") : std::string());
    if (c.desktop == Desktop::EntryGone) fs::remove(Path("data/applications/" + id));
    if (c.desktop == Desktop::NoTools) env_.emplace_back("PATH", Path("nowhere"));

    std::string program = "stale";
    EXPECT_EQ(SystemShell().LookUpProgram("x27z42j.html", Path("temp"), program), c.lookUp);
    EXPECT_EQ(program, c.lookUp == kFound ? id : "");
    const long opened = SystemShell().OpenAddress(0, "Open", "www.kestrova.example", "", "", kShowNormal);
    switch (c.open) {
        case OpenResult::Opens:
            EXPECT_GT(opened, kNoAssociation);
            EXPECT_EQ(Opened(), "http://www.kestrova.example");
            break;
        case OpenResult::NoAssociation: EXPECT_EQ(opened, kNoAssociation); break;
        case OpenResult::Fails: EXPECT_LE(opened, kNoAssociation); break;
    }
    if (c.desktop != Desktop::Registered) return;
    // The document and its folder must exist for the look-up.
    EXPECT_EQ(SystemShell().LookUpProgram("other.html", Path("temp"), program), kFileNotFound);
    EXPECT_EQ(SystemShell().LookUpProgram("x27z42j.html", Path("gone"), program), kPathNotFound);
    EXPECT_EQ(SystemShell().LookUpProgram("x27z42j.html", "", program), kPathNotFound);
    EXPECT_EQ(program, "");
}

INSTANTIATE_TEST_SUITE_P(
    Desktops, FreedesktopDesktops,
    ::testing::Values(
        DesktopCase{"Registered", Desktop::Registered, kFound, OpenResult::Opens},
        DesktopCase{"NothingRegistered", Desktop::NothingRegistered, kNoAssociation, OpenResult::NoAssociation},
        DesktopCase{"EntryFileGone", Desktop::EntryGone, kNoAssociation, OpenResult::Fails},
        DesktopCase{"BrowserCannotStart", Desktop::BrowserMissing, kFound, OpenResult::Fails},
        // Only a plain entry id is taken, never a path into a folder.
        DesktopCase{"EntryIdWithAFolder", Desktop::EntryInAFolder, kNoAssociation, OpenResult::NoAssociation},
        DesktopCase{"NoDesktopTools", Desktop::NoTools, kNoAssociation, OpenResult::NoAssociation}),
    [](const ::testing::TestParamInfo<DesktopCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace coredesign::platform
