// The freedesktop shell, with real xdg-mime and gio, in a desktop of the
// test's own: its own default-applications list and desktop entries, and a
// "browser" that writes down the address it was asked to open.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <filesystem>
#include <fstream>
#include <optional>

#include "platform.h"

namespace coredesign::platform {
namespace {

namespace fs = std::filesystem;

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QByteArray& value) : name_(name), had_(qEnvironmentVariableIsSet(name)) {
        old_ = qgetenv(name);
        qputenv(name, value);
    }
    ~ScopedEnv() {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

class FreedesktopShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"xdg-mime", "gio"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                GTEST_SKIP() << tool << " is not installed (packages xdg-utils, libglib2.0-bin)";
        ASSERT_TRUE(root_.isValid());
        fs::create_directories(Path("config"));
        fs::create_directories(Path("data/applications"));
        fs::create_directories(Path("temp"));
        std::ofstream(Path("temp/x27z42j.html")).flush();
        config_.emplace("XDG_CONFIG_HOME", QByteArray::fromStdString(Path("config")));
        data_.emplace("XDG_DATA_HOME", QByteArray::fromStdString(Path("data")));
        dirs_.emplace("XDG_DATA_DIRS", QByteArray::fromStdString(Path("nowhere")));
        configDirs_.emplace("XDG_CONFIG_DIRS", QByteArray::fromStdString(Path("nowhere")));
        desktop_.emplace("XDG_CURRENT_DESKTOP", QByteArray("X-Generic"));
    }

    std::string Path(const std::string& relative) const {
        return root_.filePath(QString::fromStdString(relative)).toStdString();
    }

    void RegisterBrowser(const std::string& exec) {
        const std::string script = Path("browser.sh");
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" << Path("opened.tmp") << "'\nmv '"
                              << Path("opened.tmp") << "' '" << Path("opened") << "'\n";
        fs::permissions(script, fs::perms::owner_all);
        std::ofstream(Path("data/applications/test-browser.desktop"))
            << "[Desktop Entry]\nType=Application\nName=Test Browser\nExec=" << (exec.empty() ? script : exec)
            << " %u\nMimeType=text/html;\n";
        std::ofstream(Path("config/mimeapps.list")) << "[Default Applications]\ntext/html=test-browser.desktop\n";
    }

    // The address the test browser received, once it has run (bounded wait:
    // the browser is a separate program that the shell does not wait for).
    std::string Opened() const {
        QDeadlineTimer deadline(10000);
        while (!fs::exists(Path("opened")) && !deadline.hasExpired()) QThread::msleep(20);
        std::ifstream in(Path("opened"));
        std::string line;
        std::getline(in, line);
        return line;
    }

    QTemporaryDir root_;
    std::optional<ScopedEnv> config_, data_, dirs_, configDirs_, desktop_;
};

TEST_F(FreedesktopShellTest, LookUpAnswersWithTheShellsCodes) {
    RegisterBrowser("");
    struct Case {
        const char* name;
        std::string file, folder;
        long code;
        std::string program;
    };
    const Case cases[] = {
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

TEST_F(FreedesktopShellTest, NothingRegisteredMeansNoAssociation) {
    std::string program;
    EXPECT_EQ(SystemShell().LookUpProgram("x27z42j.html", Path("temp"), program), kNoAssociation);
    EXPECT_EQ(SystemShell().OpenAddress(0, "Open", "www.kestrova.example", "", "", kShowNormal), kNoAssociation);
}

TEST_F(FreedesktopShellTest, ARegisteredEntryWhoseFileIsGoneIsNoAssociation) {
    RegisterBrowser("");
    fs::remove(Path("data/applications/test-browser.desktop"));
    std::string program;
    EXPECT_EQ(SystemShell().LookUpProgram("x27z42j.html", Path("temp"), program), kNoAssociation);
    EXPECT_LE(SystemShell().OpenAddress(0, "Open", "www.kestrova.example", "", "", kShowNormal), kNoAssociation);
}

TEST_F(FreedesktopShellTest, OpenStartsTheRegisteredBrowserWithTheHttpAddress) {
    RegisterBrowser("");
    EXPECT_GT(SystemShell().OpenAddress(0, "Open", "www.kestrova.example", "", "", kShowNormal), kNoAssociation);
    EXPECT_EQ(Opened(), "http://www.kestrova.example");
}

TEST_F(FreedesktopShellTest, ABrowserThatCannotStartFailsTheOpen) {
    RegisterBrowser(Path("no-such-browser"));
    std::string program;
    EXPECT_EQ(SystemShell().LookUpProgram("x27z42j.html", Path("temp"), program), kFound);
    EXPECT_LE(SystemShell().OpenAddress(0, "Open", "www.kestrova.example", "", "", kShowNormal), kNoAssociation);
}

TEST_F(FreedesktopShellTest, WithoutTheDesktopToolsNothingIsRegistered) {
    RegisterBrowser("");
    ScopedEnv path("PATH", QByteArray::fromStdString(Path("nowhere")));
    std::string program;
    EXPECT_EQ(SystemShell().LookUpProgram("x27z42j.html", Path("temp"), program), kNoAssociation);
    EXPECT_EQ(SystemShell().OpenAddress(0, "Open", "www.kestrova.example", "", "", kShowNormal), kNoAssociation);
}

TEST(DesktopShellSeam, AStandInReplacesTheSystemShellUntilRemoved) {
    struct Fixed : DesktopShell {
        long LookUpProgram(const std::string&, const std::string&, std::string&) override { return 7; }
        long OpenAddress(WindowHandle, const std::string&, const std::string&, const std::string&, const std::string&,
                         int) override {
            return 8;
        }
    } fixed;
    EXPECT_EQ(&CurrentShell(), &SystemShell());
    EXPECT_EQ(SetShell(&fixed), nullptr);
    EXPECT_EQ(&CurrentShell(), &fixed);
    EXPECT_EQ(SetShell(nullptr), &fixed);
    EXPECT_EQ(&CurrentShell(), &SystemShell());
}

}  // namespace
}  // namespace coredesign::platform
