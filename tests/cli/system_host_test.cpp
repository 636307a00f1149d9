// The system's host of the CLI's runs: the files --report, --spice and --pdf
// name are written as they stand (devices written into, links followed,
// permissions kept) and a regular file whole or not at all. Devices are
// copies made in the test's own folder (which needs root).
#include "system_host.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <thread>

#include "cli_session.h"
#include "command.h"
#include "temp_folder.h"

namespace coredesign {
namespace {

using testing::ReadFile;
using testing::RunCli;
using testing::TempFolder;

const std::string kCli = COREDESIGN_CLI;

// The names in the folder, sorted.
std::vector<std::string> Names(const TempFolder& dir) {
    std::vector<std::string> names;
    for (const auto& f : std::filesystem::directory_iterator(dir.Path())) names.push_back(f.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// What each kind of target is after a write: a device stays a device, a link
// a link (its target written), a file keeps its permissions, a file the user
// may not write is refused.
struct Target {
    const char* name;
    mode_t mode;          // the type and permission bits of the name afterwards
    const char* failure;  // in the message, or null when the write succeeds
};
constexpr Target kTargets[] = {
    {"null", S_IFCHR | 0666, nullptr},  {"full", S_IFCHR | 0666, "No space left on device"},
    {"link", S_IFLNK | 0777, nullptr},  {"read-only", S_IFREG | 0444, nullptr},  // root may write it: it keeps its mode
    {"group", S_IFREG | 0640, nullptr},
};

// The targets laid out anew in `dir`, each file holding "earlier".
void LayTargets(const TempFolder& dir) {
    for (const char* name : {"null", "full", "link", "linked", "read-only", "group"})
        std::filesystem::remove(dir.File(name));
    ASSERT_TRUE(testing::MakeDevice(dir.File("null"), 3) && testing::MakeDevice(dir.File("full"), 7));
    for (const char* name : {"linked", "read-only", "group"}) std::ofstream(dir.File(name)) << "earlier";
    std::filesystem::create_symlink("linked", dir.File("link"));
    std::filesystem::permissions(dir.File("read-only"), std::filesystem::perms(0444));
    std::filesystem::permissions(dir.File("group"), std::filesystem::perms(0640));
}

// `bytes`: what the file must hold afterwards; nothing for a PDF (two
// renderings differ in their creation date), which must then be one.
void ExpectWrittenAsItStands(const TempFolder& dir, const Target& t, int exitStatus, const std::string& err,
                             const std::optional<std::string>& bytes) {
    SCOPED_TRACE(t.name);
    EXPECT_EQ(exitStatus, t.failure ? 1 : 0) << err;
    if (t.failure) {
        EXPECT_NE(err.find(t.failure), std::string::npos) << err;
    }
    EXPECT_EQ(testing::LinkMode(dir.File(t.name)), t.mode);
    if (!S_ISREG(t.mode) && !S_ISLNK(t.mode)) return;
    const std::string written = ReadFile(dir.File(S_ISLNK(t.mode) ? "linked" : t.name));
    if (bytes) {
        EXPECT_EQ(written, *bytes);
    } else {
        EXPECT_EQ(written.rfind("%PDF-", 0), 0u) << written.substr(0, 20);
    }
}

TEST(SystemHost, NamedFilesAreWrittenAsTheyStand) {
    if (::geteuid() != 0) GTEST_SKIP() << "the devices are made with mknod, which needs root";
    const TempFolder dir;
    for (const char* option : {"--report", "--spice"}) {
        SCOPED_TRACE(option);
        ASSERT_EQ(RunCli({option, dir.File("plain")}).exitStatus, 0);
        const std::string bytes = ReadFile(dir.File("plain"));
        LayTargets(dir);
        for (const Target& t : kTargets) {
            const testing::CliResult r = RunCli({option, dir.File(t.name)});
            ExpectWrittenAsItStands(dir, t, r.exitStatus, r.err, bytes);
        }
    }
}

TEST(SystemHost, PdfIsWrittenAsTheNamedFileStands) {
    if (!COREDESIGN_VIEWER_MODULE_BUILT) GTEST_SKIP() << "a build without the desktop program has no viewer module";
    if (::geteuid() != 0) GTEST_SKIP() << "the devices are made with mknod, which needs root";
    const TempFolder dir;
    LayTargets(dir);
    for (const Target& t : kTargets) {
        const testing::CommandResult r =
            testing::RunCommand("TEMP=" + dir.Path() + " " + kCli + " --pdf " + dir.File(t.name), dir);
        ExpectWrittenAsItStands(dir, t, r.exitStatus, r.err, std::nullopt);
    }
}

TEST(SystemHost, ARegularFileIsReplacedWholeOrNotAtAll) {
    const TempFolder dir;
    const std::string file = dir.File("out");
    // A full disk (the file size limit): the earlier, longer file stays, and nothing is left beside it.
    for (const char* option : {"--report", "--spice"}) {
        SCOPED_TRACE(option);
        const std::string earlier(100000, 'x');
        std::ofstream(file) << earlier;
        testing::CliResult r;
        {
            const testing::ScopedFileSizeLimit fullDisk(1024);  // both files are some kB
            r = RunCli({option, file});
        }
        EXPECT_EQ(r.exitStatus, 1);
        EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
        EXPECT_EQ(ReadFile(file), earlier);
        EXPECT_EQ(Names(dir), std::vector<std::string>{"out"});
    }

    // A name beside the model that earlier versions wrote first is nobody's
    // business: a link planted there leads nowhere, a file of that name stays.
    const std::string model = dir.File("choke.lib"), side = model + ".partial", victim = dir.File("victim");
    std::ofstream(victim) << "victim";
    std::filesystem::create_symlink(victim, side);
    EXPECT_EQ(RunCli({"--spice", model}).exitStatus, 0);
    EXPECT_EQ(ReadFile(victim), "victim");
    EXPECT_TRUE(std::filesystem::is_symlink(side));
    std::filesystem::remove(side);
    std::ofstream(side) << "the designer's own";
    EXPECT_EQ(RunCli({"--spice", model}).exitStatus, 0);
    EXPECT_EQ(ReadFile(side), "the designer's own");
    const std::string one = ReadFile(model);

    // Two runs at once on the same file: both succeed, and the file is one of their models whole.
    ASSERT_EQ(RunCli({"--spice", model, "--stack", "2"}).exitStatus, 0);
    const std::string two = ReadFile(model);
    ASSERT_NE(one, two);
    for (int round = 0; round < 50; ++round) {
        std::atomic<int> ready{0};
        testing::CliResult first, second;
        auto run = [&](testing::CliResult& r, std::vector<std::string> args) {
            for (++ready; ready < 2;) std::this_thread::yield();
            r = RunCli(std::move(args));
        };
        std::thread a(run, std::ref(first), std::vector<std::string>{"--spice", model});
        std::thread b(run, std::ref(second), std::vector<std::string>{"--spice", model, "--stack", "2"});
        a.join();
        b.join();
        ASSERT_EQ(first.exitStatus + second.exitStatus, 0) << first.err << second.err;
        const std::string written = ReadFile(model);
        ASSERT_TRUE(written == one || written == two) << "round " << round << ": " << written.size() << " bytes";
    }
    EXPECT_EQ(Names(dir), (std::vector<std::string>{"choke.lib", "choke.lib.partial", "out", "victim"}));
}

}  // namespace
}  // namespace coredesign
