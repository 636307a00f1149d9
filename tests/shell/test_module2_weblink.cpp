// The web link through a stand-in desktop shell: each outcome's message, the
// probe file, and the directions screen that parents the launch.
#include <QPushButton>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>

#include "constants.h"
#include "frmDirections.h"
#include "module2_weblink.h"
#include "platform.h"
#include "shell_test_support.h"

namespace coredesign::gui::test {
namespace {

namespace fs = std::filesystem;

// Answers the look-up and the open request with fixed codes and records what
// it was asked, including what the probe file looked like at the look-up.
class StandInShell : public platform::DesktopShell {
public:
    long lookUpCode = platform::kFound;
    long openCode = platform::kOpened;
    bool throwOnLookUp = false;

    int lookUps = 0;
    int opens = 0;
    std::string lookedUpFile, lookedUpFolder;
    std::optional<std::uintmax_t> probeSizeAtLookUp;  // nothing: the probe did not exist
    platform::WindowHandle parent = 0;
    std::string operation, address, parameters, openFolder;
    int showCommand = -1;

    long LookUpProgram(const std::string& file, const std::string& folder, std::string& program) override {
        ++lookUps;
        lookedUpFile = file;
        lookedUpFolder = folder;
        const fs::path probe = fs::path(folder) / file;
        std::error_code e;
        if (fs::is_regular_file(probe, e)) probeSizeAtLookUp = fs::file_size(probe, e);
        if (throwOnLookUp) throw std::runtime_error("look-up broke down");
        program = "browser";
        return lookUpCode;
    }

    long OpenAddress(platform::WindowHandle p, const std::string& op, const std::string& a, const std::string& params,
                     const std::string& folder, int show) override {
        ++opens;
        parent = p;
        operation = op;
        address = a;
        parameters = params;
        openFolder = folder;
        showCommand = show;
        return openCode;
    }
};

class WebLinkTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        ASSERT_TRUE(temp_.isValid());
        record_.TempFolder = temp_.path().toStdString();
        previousShell_ = platform::SetShell(&shell_);
    }
    void TearDown() override {
        platform::SetShell(previousShell_);
        ShellTest::TearDown();
    }

    fs::path Probe() const { return fs::path(record_.TempFolder) / Module2::kProbeFileName; }

    void Click() { registry_->Command().LaunchWebSite(); }

    static QWidget* StartScreen() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmEnter")) return w;
        return nullptr;
    }

    StandInShell shell_;
    platform::DesktopShell* previousShell_ = nullptr;
    QTemporaryDir temp_;
};

const QString kTitle = QString::fromUtf8(kAppTitle);

struct LookUpCase {
    const char* name;
    long lookUp;
    long open;
    int expectedOpens;
    const char* message;  // nullptr: no message
};

TEST_F(WebLinkTest, EachResultCodeEndsInItsMessageAndNoProbeIsLeft) {
    const LookUpCase cases[] = {
        {"out of memory", 0, 42, 0, "Sorry out of memory, please close some programs and try again."},
        {"error code 1", 1, 42, 0, "Error Number: 1"},
        {"error code 5", 5, 42, 0, "Error Number: 5"},
        {"error code 30", 30, 42, 0, "Error Number: 30"},
        {"no program registered", 31, 42, 0, "Unable to find Web Browser."},
        {"negative code", -4, 42, 0, nullptr},
        {"found, open fails", 32, 31, 1, "Unable to launch Web Browser."},
        {"found, open fails with 2", 42, 2, 1, "Unable to launch Web Browser."},
        {"found, opened", 32, 32, 1, nullptr},
        {"found, opened (42)", 42, 42, 1, nullptr},
    };
    for (const LookUpCase& c : cases) {
        SCOPED_TRACE(c.name);
        shell_ = StandInShell();
        shell_.lookUpCode = c.lookUp;
        shell_.openCode = c.open;
        messages_.clear();

        Click();

        EXPECT_EQ(shell_.lookUps, 1);
        EXPECT_EQ(shell_.lookedUpFile, "x27z42j.html");
        EXPECT_EQ(shell_.lookedUpFolder, record_.TempFolder);
        ASSERT_TRUE(shell_.probeSizeAtLookUp.has_value()) << "the probe must exist during the look-up";
        EXPECT_EQ(*shell_.probeSizeAtLookUp, 0u);
        EXPECT_FALSE(fs::exists(Probe()));
        EXPECT_EQ(shell_.opens, c.expectedOpens);
        if (c.message) {
            ASSERT_EQ(messages_.size(), 1u);
            EXPECT_EQ(messages_[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(messages_[0].title, kTitle);
            EXPECT_EQ(messages_[0].icon, BoxIcon::None);
        } else {
            EXPECT_TRUE(messages_.empty());
        }
    }
}

TEST_F(WebLinkTest, OpenRequestAsksForTheMakersSiteWithTheDirectionsWindow) {
    Click();
    ASSERT_EQ(shell_.opens, 1);
    EXPECT_EQ(shell_.operation, "Open");
    EXPECT_EQ(shell_.address, "www.kestrova.example");
    EXPECT_EQ(shell_.parameters, "");
    EXPECT_EQ(shell_.openFolder, "");
    EXPECT_EQ(shell_.showCommand, 1);
    frmDirections* directions = registry_->Find<frmDirections>();
    ASSERT_NE(directions, nullptr);
    EXPECT_EQ(shell_.parent, static_cast<platform::WindowHandle>(directions->winId()));
}

TEST_F(WebLinkTest, AStaleProbeIsEmptiedAndRemoved) {
    std::ofstream(Probe()) << "left over";
    Click();
    ASSERT_TRUE(shell_.probeSizeAtLookUp.has_value());
    EXPECT_EQ(*shell_.probeSizeAtLookUp, 0u);
    EXPECT_FALSE(fs::exists(Probe()));
}

TEST_F(WebLinkTest, UnwritableTemporaryFolderEndsInTheErrorMessage) {
    // A folder path that runs through a plain file cannot be written, even by root.
    const fs::path file = fs::path(temp_.path().toStdString()) / "plain-file";
    std::ofstream(file) << "x";
    record_.TempFolder = (file / "sub").string();

    Click();

    EXPECT_EQ(shell_.lookUps, 0);
    EXPECT_EQ(shell_.opens, 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, QStringLiteral("An error has occured, please report this to you lowly programmer\r\n"
                                                "Error Number: 20\r\n"
                                                "Error description: Not a directory"));
    EXPECT_EQ(messages_[0].title, kTitle);
    EXPECT_EQ(messages_[0].icon, BoxIcon::None);
    EXPECT_FALSE(fs::exists(fs::path(temp_.path().toStdString()) / Module2::kProbeFileName));
}

TEST_F(WebLinkTest, MissingFolderAndEmptyFolderEndInTheErrorMessage) {
    const std::string missing = (fs::path(temp_.path().toStdString()) / "gone").string();
    for (const std::string& folder : {missing, std::string()}) {
        SCOPED_TRACE(folder);
        record_.TempFolder = folder;
        messages_.clear();
        Click();
        EXPECT_EQ(shell_.lookUps, 0);
        ASSERT_EQ(messages_.size(), 1u);
        EXPECT_EQ(messages_[0].text,
                  QStringLiteral("An error has occured, please report this to you lowly programmer\r\n"
                                 "Error Number: 2\r\n"
                                 "Error description: No such file or directory"));
    }
    EXPECT_FALSE(fs::exists(fs::current_path() / Module2::kProbeFileName));
}

TEST_F(WebLinkTest, AFailingLookUpStillRemovesTheProbe) {
    shell_.throwOnLookUp = true;
    Click();
    EXPECT_FALSE(fs::exists(Probe()));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_TRUE(messages_[0].text.startsWith(
        QStringLiteral("An error has occured, please report this to you lowly programmer\r\nError Number: ")));
    EXPECT_TRUE(messages_[0].text.endsWith(QStringLiteral("\r\nError description: look-up broke down")));
}

TEST_F(WebLinkTest, FailuresBeforeTheOpenCreateNoDirectionsScreen) {
    for (long code : {0L, 7L, 31L}) {
        shell_.lookUpCode = code;
        Click();
    }
    EXPECT_EQ(registry_->Find<frmDirections>(), nullptr);
    EXPECT_EQ(shell_.opens, 0);
}

TEST_F(WebLinkTest, LinkBeforeHelpCreatesTheDirectionsScreenUnseenAndHelpReusesIt) {
    // A visible screen to click from, standing in for the results screen.
    registry_->Command().ShowStart();
    QWidget* start = StartScreen();
    ASSERT_NE(start, nullptr);
    Click();
    Settle();
    frmDirections* unseen = registry_->Find<frmDirections>();
    ASSERT_NE(unseen, nullptr);
    EXPECT_FALSE(unseen->isVisible());
    EXPECT_EQ(Windows("frmDirections"), 1);

    // A second click uses the same screen.
    Click();
    EXPECT_EQ(registry_->Find<frmDirections>(), unseen);

    registry_->Command().ShowDirections();
    Settle();
    EXPECT_EQ(registry_->Find<frmDirections>(), unseen);
    EXPECT_TRUE(unseen->isVisible());
    EXPECT_EQ(unseen->txtHelp()->text(), DirectionsText());
    EXPECT_EQ(Windows("frmDirections"), 1);
    EXPECT_EQ(ended_, 0);

    // Shown, it keeps the program alive: closing it is what ends the program.
    start->close();
    Settle();
    EXPECT_EQ(registry_->LiveScreens(), 1);
    EXPECT_EQ(ended_, 0);
    unseen->cmdExit()->click();
    Settle();
    EXPECT_EQ(registry_->Find<frmDirections>(), nullptr);
    EXPECT_EQ(ended_, 1);
}

TEST_F(WebLinkTest, AnUnseenDirectionsScreenDoesNotKeepTheProgramRunning) {
    // The results screen's stand-in: some visible screen from which the link is used.
    registry_->Command().ShowStart();
    Settle();
    Click();
    Settle();
    ASSERT_NE(registry_->Find<frmDirections>(), nullptr);
    EXPECT_EQ(ended_, 0);

    QWidget* start = StartScreen();
    ASSERT_NE(start, nullptr);
    start->close();
    Settle();
    EXPECT_EQ(ended_, 1) << "only the unseen directions screen is left";
}

}  // namespace
}  // namespace coredesign::gui::test
