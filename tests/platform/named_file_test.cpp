// Files the user names: a regular file written whole over a longer earlier
// one, or not at all (a full disk, two writers at once); devices, FIFOs and
// links written as they stand; the permissions of the file, or of a new
// one, kept; read up to a bound; and a failure told in the system's words.
#include "named_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

#include "folders.h"
#include "temp_folder.h"
#ifndef _WIN32
#include <fcntl.h>

#include "command.h"
#endif

namespace coredesign::platform {
namespace {

using coredesign::testing::ReadFile;
using coredesign::testing::TempFolder;

std::vector<std::string> Names(const TempFolder& dir) {
    std::vector<std::string> names;
    for (const auto& f : std::filesystem::directory_iterator(dir.Path())) names.push_back(f.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(NamedFile, ReplacesAnEarlierFileWhole) {
    const TempFolder dir;
    const std::string path = JoinPath(dir.Path(), "report.htm");
    EXPECT_EQ(path, dir.Path() + kPathSeparator + "report.htm");
    std::ofstream(path) << std::string(100000, 'x');  // longer than the new text: nothing of it may remain
    std::string failure = "stale";
    ASSERT_TRUE(WriteNamedFile(path, "<html>\r\n", failure));
    EXPECT_EQ(ReadFile(path), "<html>\r\n");
    EXPECT_EQ(Names(dir), std::vector<std::string>{"report.htm"});

    // Two writers at once: each succeeds, and the file is one of their texts whole.
    const std::string one(1 << 20, 'a'), two(1 << 19, 'b');
    for (int round = 0; round < 20; ++round) {
        std::atomic<int> ready{0};
        bool written[2] = {};
        auto write = [&](int k, const std::string& text) {
            for (++ready; ready < 2;) std::this_thread::yield();
            std::string reason;
            written[k] = WriteNamedFile(path, text, reason);
        };
        std::thread a(write, 0, std::cref(one)), b(write, 1, std::cref(two));
        a.join();
        b.join();
        EXPECT_TRUE(written[0] && written[1]);
        const std::string text = ReadFile(path);
        ASSERT_TRUE(text == one || text == two) << "round " << round << ": " << text.size() << " bytes";
    }
    EXPECT_EQ(Names(dir), std::vector<std::string>{"report.htm"});
}

TEST(NamedFile, FailureCarriesTheSystemsDescription) {
    const TempFolder dir;
    std::ofstream(dir.Path() + "/plain-file") << "x";
    struct Case {
        std::string path;
        const char* description;
    } const cases[] = {
        {dir.Path() + "/missing/temp.htm", "No such file or directory"},
#ifdef _WIN32
        {dir.Path() + "/plain-file/temp.htm", "No such file or directory"},
        {dir.Path(), "Permission denied"},
#else
        {dir.Path() + "/plain-file/temp.htm", "Not a directory"},
        {dir.Path(), "Is a directory"},
#endif
    };
    for (const Case& c : cases) {
        std::string failure;
        EXPECT_FALSE(WriteNamedFile(c.path, "<html>", failure)) << c.path;
        EXPECT_EQ(failure, c.description) << c.path;
    }
}

// Every byte comes back (no line end changed, NUL kept); a longer file
// gives its first bytes; a file that cannot be read says why.
TEST(NamedFile, IsReadInBinaryUpToTheBound) {
    const TempFolder dir;
    const std::string path = JoinPath(dir.Path(), "design.coredesign");
    const std::string bytes = std::string("a\r\nb\0\xFF", 6) + std::string(200000, 'z');
    std::ofstream(path, std::ios::binary) << bytes;
    std::string read, failure;
    ASSERT_TRUE(ReadNamedFile(path, bytes.size(), read, failure)) << failure;
    EXPECT_EQ(read, bytes);
    ASSERT_TRUE(ReadNamedFile(path, 100001, read, failure)) << failure;
    EXPECT_EQ(read, bytes.substr(0, 100001));
    EXPECT_FALSE(ReadNamedFile(dir.Path() + "/missing.coredesign", 10, read, failure));
    EXPECT_EQ(failure, "No such file or directory");
#ifndef _WIN32
    EXPECT_FALSE(ReadNamedFile(dir.Path(), 10, read, failure));
    EXPECT_EQ(failure, "Is a directory");
#endif
}

#ifndef _WIN32
// A full disk (the file size limit) fails the write and leaves the earlier file whole.
TEST(NamedFile, AFullDiskLeavesTheEarlierFile) {
    const TempFolder dir;
    const std::string path = dir.File("model.lib"), earlier(5000, 'x');
    std::ofstream(path) << earlier;
    std::string failure;
    {
        const coredesign::testing::ScopedFileSizeLimit fullDisk(1000);
        EXPECT_FALSE(WriteNamedFile(path, std::string(2000, 'y'), failure));
    }
    EXPECT_EQ(failure, "File too large");
    EXPECT_EQ(ReadFile(path), earlier);
    EXPECT_EQ(Names(dir), std::vector<std::string>{"model.lib"});
}

// Devices and FIFOs are written into, a link is followed (a dangling one
// makes its target), and nothing else of the folder is touched.
TEST(NamedFile, DevicesFifosAndLinksAreWrittenAsTheyStand) {
    const TempFolder dir;
    if (!coredesign::testing::MakeDevice(dir.File("null"), 3) || !coredesign::testing::MakeDevice(dir.File("full"), 7))
        GTEST_SKIP() << "the devices are made with mknod, which needs root";
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    std::string fromFifo;
    std::thread reader([&] { fromFifo = ReadFile(dir.File("fifo")); });
    std::ofstream(dir.File("target")) << "earlier";
    std::filesystem::create_symlink("target", dir.File("link"));
    std::filesystem::create_symlink("made", dir.File("dangling"));
    std::filesystem::create_symlink(dir.File("victim"), dir.File("link.partial"));  // a name nobody may use
    const struct {
        const char* name;
        const char* failure;  // empty: written
        mode_t mode;          // what the name is afterwards
    } cases[] = {
        {"null", "", S_IFCHR | 0666},     {"full", "No space left on device", S_IFCHR | 0666},
        {"fifo", "", S_IFIFO | 0600},     {"link", "", S_IFLNK | 0777},
        {"dangling", "", S_IFLNK | 0777},
    };
    for (const auto& c : cases) {
        std::string failure;
        EXPECT_EQ(WriteNamedFile(dir.File(c.name), "model", failure), !*c.failure) << c.name;
        EXPECT_EQ(failure, c.failure) << c.name;
        EXPECT_EQ(coredesign::testing::LinkMode(dir.File(c.name)), c.mode) << c.name;
    }
    reader.join();
    EXPECT_EQ(fromFifo, "model");
    EXPECT_EQ(ReadFile(dir.File("target")), "model");
    EXPECT_EQ(ReadFile(dir.File("made")), "model");
    EXPECT_EQ(Names(dir),
              (std::vector<std::string>{"dangling", "fifo", "full", "link", "link.partial", "made", "null", "target"}));
}

// What `check` returns, run in a child process as the user nobody.
std::string AsNobody(const std::function<std::string()>& check) {
    int pipe[2];
    if (::pipe(pipe) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe[0]);
        const std::string answer = ::setgid(65534) == 0 && ::setuid(65534) == 0 ? check() : "not nobody";
        const bool sent = ::write(pipe[1], answer.data(), answer.size()) == static_cast<ssize_t>(answer.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipe[1]);
    std::string answer;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, n);
    ::close(pipe[0]);
    ::waitpid(child, nullptr, 0);
    return answer;
}

// A file keeps its owner and mode; a new one gets the mode a new file gets.
// A file the user may not write is refused as opening it is, and left as it
// is; in a folder where no new file can be made, a file that may be written
// is written in place.
TEST(NamedFile, PermissionsAreThoseOfTheFileOrOfANewOne) {
    const TempFolder dir;
    const mode_t umask = ::umask(027);
    std::string failure;
    EXPECT_TRUE(WriteNamedFile(dir.File("new"), "x", failure));
    std::ofstream(dir.File("private")) << "earlier";
    ::chmod(dir.File("private").c_str(), 0600);
    EXPECT_TRUE(WriteNamedFile(dir.File("private"), "x", failure));
    ::umask(umask);
    EXPECT_EQ(coredesign::testing::LinkMode(dir.File("new")), S_IFREG | 0640);
    EXPECT_EQ(coredesign::testing::LinkMode(dir.File("private")), S_IFREG | 0600);
    if (::geteuid() != 0) GTEST_SKIP() << "the files of another user are made as root";

    for (const char* name : {"theirs", "locked/theirs", "locked/read-only"}) {
        std::filesystem::create_directories(std::filesystem::path(dir.File(name)).parent_path());
        std::ofstream(dir.File(name)) << "earlier";
        ASSERT_EQ(::chown(dir.File(name).c_str(), 65534, 65534), 0);
    }
    ::chmod(dir.File("locked/read-only").c_str(), 0444);
    ::chmod(dir.File("locked").c_str(), 0555);
    ::chmod(dir.Path().c_str(), 0777);
    EXPECT_TRUE(WriteNamedFile(dir.File("theirs"), "root's", failure));
    struct stat theirs {};
    ::stat(dir.File("theirs").c_str(), &theirs);
    EXPECT_EQ(theirs.st_uid, 65534u);
    EXPECT_EQ(ReadFile(dir.File("theirs")), "root's");
    EXPECT_EQ(AsNobody([&] {
                  std::string reason, readOnly, locked;
                  const bool refused = !WriteNamedFile(dir.File("locked/read-only"), "new", readOnly);
                  const bool inPlace = WriteNamedFile(dir.File("locked/theirs"), "new", locked);
                  return std::to_string(refused) + readOnly + "|" + std::to_string(inPlace) + locked;
              }),
              "1Permission denied|1");
    EXPECT_EQ(ReadFile(dir.File("locked/read-only")), "earlier");
    EXPECT_EQ(ReadFile(dir.File("locked/theirs")), "new");
}
#endif

}  // namespace
}  // namespace coredesign::platform
