// The web link through the stand-in desktop shell: each outcome's message, the
// probe file, and the directions screen that parents the launch.
#include "web_link.h"

#include <filesystem>
#include <fstream>

#include "app_startup.h"
#include "constants.h"
#include "frmDirections.h"
#include "screen_test.h"

namespace coredesign::gui::testing {
namespace {

namespace fs = std::filesystem;

class WebLinkTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        InstallCommands(*registry);
        record.TempFolder = temp.Path();
    }

    fs::path Probe() const { return fs::path(temp.Path()) / weblink::kProbeFileName; }

    void ExpectOneMessage(const QString& text) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, text);
        EXPECT_EQ(messages[0].title, QString::fromUtf8(kAppTitle));
        EXPECT_EQ(messages[0].icon, BoxIcon::None);
    }
};

TEST_F(WebLinkTest, EachResultCodeEndsInItsMessageAndNoProbeIsLeft) {
    struct Case {
        const char* name;
        long lookUp, open;
        bool staleProbe;      // a probe with content is there before the click
        const char* message;  // nullptr: no message
    } const cases[] = {
        // Failures before the open come first: they create no directions screen.
        {"out of memory", 0, 42, false, "Sorry out of memory, please close some programs and try again."},
        {"error code 1", 1, 42, true, "Error Number: 1"},
        {"error code 30", 30, 42, false, "Error Number: 30"},
        {"no program registered", 31, 42, false, "Unable to find Web Browser."},
        {"negative code", -4, 42, false, nullptr},
        {"found, open fails", 32, 31, false, "Unable to launch Web Browser."},
        {"found, opened", 32, 32, true, nullptr},
        {"found, opened (42)", 42, 42, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shell = StandInShell();
        shell.lookUpCode = c.lookUp;
        shell.openCode = c.open;
        messages.clear();
        if (c.staleProbe) std::ofstream(Probe()) << "left over";

        registry->Command().LaunchWebSite();

        EXPECT_EQ(shell.lookUps, 1);
        EXPECT_EQ(shell.lookedUp, "x27z42j.html|" + record.TempFolder);
        ASSERT_TRUE(shell.probeSizeAtLookUp.has_value()) << "the probe must exist during the look-up";
        EXPECT_EQ(*shell.probeSizeAtLookUp, 0u);
        EXPECT_EQ(shell.probePermsAtLookUp, fs::perms::owner_read | fs::perms::owner_write);
        EXPECT_FALSE(fs::exists(Probe()));
        const bool found = c.lookUp >= 32;
        EXPECT_EQ(shell.opens, found ? 1 : 0);
        // The open asks for the maker's site with the directions screen's window.
        frmDirections* directions = registry->Find<frmDirections>();
        if (found) {
            ASSERT_NE(directions, nullptr);
            EXPECT_EQ(shell.parent, static_cast<platform::WindowHandle>(directions->winId()));
            EXPECT_EQ(shell.request, "Open|www.kestrova.example|||1");
        } else {
            EXPECT_EQ(directions, nullptr);
        }
        if (c.message)
            ExpectOneMessage(QString::fromUtf8(c.message));
        else
            EXPECT_TRUE(messages.empty());
    }
}

TEST_F(WebLinkTest, AFailureOfTheClickIsToldWithItsNumberAndNoProbeIsLeft) {
    // A folder path that runs through a plain file cannot be written, even by root.
    std::ofstream(Probe().parent_path() / "plain-file") << "x";
    const std::string root = temp.Path();
    struct Case {
        const char* name;
        std::string folder;
        bool failLookUp;
        int lookUps;
        const char* tail;  // after "Error Number: "
    } const cases[] = {
        {"unwritable", root + "/plain-file/sub", false, 0, "20\r\nError description: Not a directory"},
        {"missing", root + "/gone", false, 0, "2\r\nError description: No such file or directory"},
        {"empty", "", false, 0, "2\r\nError description: No such file or directory"},
        {"look-up fails", root, true, 1, "5\r\nError description: Input/output error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        shell = StandInShell();
        shell.failLookUp = c.failLookUp;
        record.TempFolder = c.folder;
        messages.clear();
        registry->Command().LaunchWebSite();
        EXPECT_EQ(shell.lookUps, c.lookUps);
        EXPECT_EQ(shell.opens, 0);
        ExpectOneMessage(QStringLiteral("An error has occured, please report this to you lowly programmer\r\n"
                                        "Error Number: ") +
                         QString::fromLatin1(c.tail));
        EXPECT_FALSE(fs::exists(Probe()));
        EXPECT_FALSE(fs::exists(fs::current_path() / weblink::kProbeFileName));
    }
}

// A probe name planted by someone else, here a link to a file of the
// designer's: refused before the look-up, the link and its file untouched.
TEST_F(WebLinkTest, APlantedProbeIsLeftAloneAndTold) {
    const std::string designersFile = temp.File("design.html");
    std::ofstream(designersFile) << "the designer's own work";
    fs::create_symlink(designersFile, Probe());
    registry->Command().LaunchWebSite();
    EXPECT_EQ(shell.lookUps, 0);
    ExpectOneMessage(QStringLiteral("An error has occured, please report this to you lowly programmer\r\n"
                                    "Error Number: 17\r\nError description: ") +
                     QString::fromStdString(Probe().string()) + QStringLiteral(" is a symbolic link (left untouched)"));
    EXPECT_TRUE(fs::is_symlink(Probe()));
    EXPECT_EQ(coredesign::testing::ReadFile(designersFile), "the designer's own work");
}

}  // namespace
}  // namespace coredesign::gui::testing
