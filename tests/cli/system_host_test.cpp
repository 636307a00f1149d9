// The system's host of the CLI's runs: the files --report, --spice and --pdf
// name are written as they stand (devices written into, links followed,
// permissions kept) and a regular file whole or not at all; the PDF's
// temporary report is told by its folder when it cannot be written and goes
// with the program when a signal ends it. Devices are copies made in the
// test's own folder (which needs root).
#include "system_host.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>

#include <atomic>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>

#include "cli_session.h"
#include "command.h"
#include "temp_folder.h"

extern char** environ;

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
    // With the report written into a device, the PDF is still the report's.
    const std::string both = dir.File("both.pdf");
    EXPECT_EQ(testing::RunCommand(kCli + " --report " + dir.File("null") + " --pdf " + both, dir).exitStatus, 0);
    const std::string text = testing::RunCommand("pdftotext " + both + " -", dir).out;
    EXPECT_NE(text.find("Core Data"), std::string::npos) << text;
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

// The temporary reports of --pdf left in `dir`.
int TemporaryReports(const TempFolder& dir) {
    int count = 0;
    for (const std::string& name : Names(dir)) count += name.rfind("coredesign-report-", 0) == 0;
    return count;
}

// A temporary folder that is a file, or one on a full disk: the message names
// the folder, and no PDF and no temporary report is left.
TEST(SystemHost, PdfsTemporaryReportIsToldByItsFolder) {
    if (!COREDESIGN_VIEWER_MODULE_BUILT) GTEST_SKIP() << "a build without the desktop program has no viewer module";
    const TempFolder dir;
    std::ofstream(dir.File("file")) << "not a folder";
    const std::string pdf = dir.File("report.pdf");
    const testing::CommandResult notFolder =
        testing::RunCommand("TEMP=" + dir.File("file") + " " + kCli + " --pdf " + pdf, dir);
    EXPECT_EQ(notFolder.exitStatus, 1);
    EXPECT_NE(notFolder.err.find("the temporary folder '" + dir.File("file") + "': Not a directory"), std::string::npos)
        << notFolder.err;
    testing::CommandResult full;
    {
        const testing::ScopedFileSizeLimit fullDisk(4096);  // the summary fits, the report (some 15 kB) does not
        full = testing::RunCommand("TEMP=" + dir.Path() + " " + kCli + " --pdf " + pdf, dir);
    }
    EXPECT_EQ(full.exitStatus, 1);
    EXPECT_NE(full.err.find("the temporary folder '" + dir.Path() + "': File too large"), std::string::npos)
        << full.err;
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(TemporaryReports(dir), 0);
}

// SIGTERM, SIGINT or SIGHUP while the browser engine reads the temporary
// report: the program ends as the signal ends it, and the report goes.
TEST(SystemHost, PdfsTemporaryReportGoesWhenASignalEndsTheProgram) {
    if (!COREDESIGN_VIEWER_MODULE_BUILT) GTEST_SKIP() << "a build without the desktop program has no viewer module";
    const TempFolder dir;
    const std::string temp = "TEMP=" + dir.Path(), pdf = dir.File("report.pdf");
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("TEMP=", 0) != 0) env.emplace_back(*e);
    env.push_back(temp);
    std::vector<char*> envp, argv;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string cli = kCli, option = "--pdf", target = pdf;
    argv = {cli.data(), option.data(), target.data(), nullptr};
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(strsignal(signal));
        const int watch = ::inotify_init1(IN_CLOEXEC);
        ASSERT_GE(watch, 0);
        ASSERT_GE(::inotify_add_watch(watch, dir.Path().c_str(), IN_CREATE | IN_ACCESS), 0);
        pid_t child = 0;
        ASSERT_EQ(::posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), envp.data()), 0);
        // The first read of a file in the folder: the browser engine loading the report.
        bool read = false;
        for (pollfd p{watch, POLLIN, 0}; !read && ::poll(&p, 1, 60000) == 1;) {
            alignas(inotify_event) char events[4096];
            const ssize_t n = ::read(watch, events, sizeof events);
            for (ssize_t k = 0; k < n;) {
                const auto* e = reinterpret_cast<const inotify_event*>(events + k);
                read = read || ((e->mask & IN_ACCESS) && std::string(e->name).rfind("coredesign-report-", 0) == 0);
                k += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
            }
        }
        ::close(watch);
        EXPECT_TRUE(read) << "the report was never read";
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_EQ(TemporaryReports(dir), 0);
        std::filesystem::remove(pdf);
    }
}

}  // namespace
}  // namespace coredesign
