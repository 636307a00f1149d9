// The web link through the stand-in desktop shell: each outcome's message, the
// probe file, and the directions screen that parents the launch.
#include "web_link.h"

#include "app_startup.h"
#include "constants.h"
#include "frmDirections.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

namespace fs = std::filesystem;
using WebLinkTest = ScreenTest;

TEST_F(WebLinkTest, EachWayTheClickEndsIsToldAndNoProbeIsLeft) {
    InstallCommands(*registry);
    const std::string root = temp.Path();
    const fs::path probe = fs::path(root) / weblink::kProbeFileName;
    // A folder path that runs through a plain file cannot be written, even by root.
    std::ofstream(root + "/plain-file") << "x";
    const std::string error = "An error has occured, please report this to you lowly programmer\r\nError Number: ";
    const struct {
        std::string folder;
        long lookUp, open;
        bool failLookUp, staleProbe;  // the look-up throws; a probe with content is there before the click
        std::string message;          // empty: no message
    } cases[] = {
        // Failures before the open come first: they create no directions screen.
        {root, 0, 42, false, false, "Sorry out of memory, please close some programs and try again."},
        {root, 1, 42, false, true, "Error Number: 1"},
        {root, 30, 42, false, false, "Error Number: 30"},
        {root, 31, 42, false, false, "Unable to find Web Browser."},
        {root, -4, 42, false, false, ""},
        {root, 32, 31, false, false, "Unable to launch Web Browser."},
        {root, 32, 32, false, true, ""},
        {root, 42, 42, false, false, ""},
        // A failure of the click itself, told with the system's number.
        {root + "/plain-file/sub", 32, 42, false, false, error + "20\r\nError description: Not a directory"},
        {root + "/gone", 32, 42, false, false, error + "2\r\nError description: No such file or directory"},
        {"", 32, 42, false, false, error + "2\r\nError description: No such file or directory"},
        {root, 32, 42, true, false, error + "5\r\nError description: Input/output error"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder + " " + std::to_string(c.lookUp) + " " + std::to_string(c.open));
        DeleteTopLevels();
        shell = StandInShell();
        shell.lookUpCode = c.lookUp;
        shell.openCode = c.open;
        shell.failLookUp = c.failLookUp;
        record.TempFolder = c.folder;
        messages.clear();
        if (c.staleProbe) std::ofstream(probe) << "left over";

        registry->Command().LaunchWebSite();

        const bool writable = c.folder == root;
        EXPECT_EQ(shell.lookUps, writable ? 1 : 0);
        if (writable && !c.failLookUp) {
            EXPECT_EQ(shell.lookedUp, "x27z42j.html|" + root);
            ASSERT_TRUE(shell.probeSizeAtLookUp.has_value()) << "the probe must exist during the look-up";
            EXPECT_EQ(*shell.probeSizeAtLookUp, 0u);
            EXPECT_EQ(shell.probePermsAtLookUp, fs::perms::owner_read | fs::perms::owner_write);
        }
        EXPECT_FALSE(fs::exists(probe));
        EXPECT_FALSE(fs::exists(fs::current_path() / weblink::kProbeFileName));
        // The open asks for the maker's site with the directions screen's window.
        const bool found = writable && !c.failLookUp && c.lookUp >= 32;
        EXPECT_EQ(shell.opens, found ? 1 : 0);
        frmDirections* directions = registry->Find<frmDirections>();
        ASSERT_EQ(directions != nullptr, found);
        if (found) {
            EXPECT_EQ(shell.parent, static_cast<platform::WindowHandle>(directions->winId()));
            EXPECT_EQ(shell.request, "Open|www.kestrova.example|||1");
        }
        ASSERT_EQ(messages.size(), c.message.empty() ? 0u : 1u);
        if (c.message.empty()) continue;
        EXPECT_EQ(Str(messages[0].text), c.message);
        EXPECT_EQ(Str(messages[0].title), kAppTitle);
        EXPECT_EQ(messages[0].icon, BoxIcon::None);
    }
}

// A probe name planted by someone else, here a link to a file of the
// designer's: refused before the look-up, the link and its file untouched.
TEST_F(WebLinkTest, APlantedProbeIsLeftAloneAndTold) {
    InstallCommands(*registry);
    record.TempFolder = temp.Path();
    const fs::path probe = fs::path(temp.Path()) / weblink::kProbeFileName;
    const std::string designersFile = temp.File("design.html");
    std::ofstream(designersFile) << "the designer's own work";
    fs::create_symlink(designersFile, probe);
    registry->Command().LaunchWebSite();
    EXPECT_EQ(shell.lookUps, 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(Str(messages[0].text),
              "An error has occured, please report this to you lowly programmer\r\n"
              "Error Number: 17\r\nError description: " +
                  probe.string() + " is a symbolic link (left untouched)");
    EXPECT_TRUE(fs::is_symlink(probe));
    EXPECT_EQ(coredesign::testing::ReadFile(designersFile), "the designer's own work");
}

}  // namespace
}  // namespace coredesign::gui::testing
