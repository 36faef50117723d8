#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cstring>
#include <string>
#include <vector>

#include "io/atomic_file.h"
#include "io/platform.h"
#include "tests/test_support.h"

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Names(const std::string& directory) {
    std::vector<std::string> names;
    for (fs::directory_iterator it(directory), end; it != end; ++it)
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Bytes(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>('a' + i % 26);
    return s;
}

}  // namespace

TEST(AtomicFileWriter, CommitReplacesTheTargetWithEverythingWritten) {
    TempDir dir;
    const std::string target = dir.File("out.csv");
    WriteFileBytes(target, "old contents");
    const std::string big = Bytes(3 * 4096 + 17);  // larger than the buffer: written directly

    AtomicFileWriter writer(target, 4096);
    ASSERT_TRUE(writer.Open()) << writer.Error();
    EXPECT_EQ(ReadFileBytes(target), "old contents");  // untouched until Commit
    writer.Write("head,");
    writer.Write(big);
    char* room = writer.Reserve(10000);  // more than the buffer holds
    ASSERT_NE(room, nullptr);
    std::memcpy(room, "tail\r\n", 6);
    writer.Advance(6);
    writer.Write(std::string());
    ASSERT_TRUE(writer.Commit()) << writer.Error();

    EXPECT_EQ(ReadFileBytes(target), "head," + big + "tail\r\n");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.csv"});
}

TEST(AtomicFileWriter, WithoutCommitTheTargetStaysAndNoTemporaryIsLeft) {
    TempDir dir;
    const std::string target = dir.File("out.csv");
    WriteFileBytes(target, "old");
    {
        AtomicFileWriter writer(target);
        ASSERT_TRUE(writer.Open());
        writer.Write("new");
    }
    EXPECT_EQ(ReadFileBytes(target), "old");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.csv"});

    AtomicFileWriter discarded(target);
    ASSERT_TRUE(discarded.Open());
    discarded.Write("new");
    discarded.Discard();
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.csv"});
}

TEST(AtomicFileWriter, MissingDirectoryFailsAtOpenNamingTheTarget) {
    TempDir dir;
    const std::string target = dir.File("absent/out.csv");
    AtomicFileWriter writer(target);
    EXPECT_FALSE(writer.Open());
    EXPECT_NE(writer.Error().find(target), std::string::npos) << writer.Error();
#ifndef _WIN32  // Windows words the reason itself
    EXPECT_NE(writer.Error().find("No such file"), std::string::npos) << writer.Error();
#endif
    writer.Write("ignored");
    EXPECT_EQ(writer.Reserve(10), nullptr);
    EXPECT_FALSE(writer.Commit());
    EXPECT_TRUE(Names(dir.path()).empty());
}

TEST(AtomicFileWriter, TargetThatIsADirectoryFailsAndLeavesNothing) {
    TempDir dir;
    const std::string target = dir.File("out.csv");
    fs::create_directory(target);
    WriteFileBytes(dir.File("out.csv/inside"), "kept");
    AtomicFileWriter writer(target);
    ASSERT_TRUE(writer.Open());
    writer.Write("data");
    EXPECT_FALSE(writer.Commit());
    EXPECT_FALSE(writer.Error().empty());
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(ReadFileBytes(dir.File("out.csv/inside")), "kept");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.csv"});
}

// A target the user protected, or one that another program holds open (a map
// open in the level editor; Windows only, where that blocks a rename), is
// refused with its reason; the old file stays and no temporary is left.
TEST(AtomicFileWriter, ReadOnlyOrHeldOpenTargetIsRefusedAndKept) {
    struct Case { const char* name; bool readOnly; bool heldOpen; const char* reason; };
    const Case cases[] = {
        {"read-only", true, false, "the file is read-only"},
#ifdef _WIN32
        {"held open", false, true, "the file is open in another program"},
#endif
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string target = dir.File("out.map");
        WriteFileBytes(target, "old");
        if (c.readOnly) fs::permissions(target, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                                        fs::perm_options::remove);
        std::FILE* holder = c.heldOpen ? platform::OpenFile(target, "rb") : nullptr;
        AtomicFileWriter writer(target);
        ASSERT_TRUE(writer.Open());
        writer.Write("new");
        EXPECT_FALSE(writer.Commit()) << c.name;
        EXPECT_NE(writer.Error().find("Cannot replace '" + target + "': " + c.reason), std::string::npos)
            << writer.Error();
        if (holder) std::fclose(holder);
        EXPECT_EQ(ReadFileBytes(target), "old") << c.name;
        EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.map"}) << c.name;
        fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    }
}

#ifndef _WIN32

TEST(AtomicFileWriter, ReplacedFileKeepsItsPermissionsAndNewFilesFollowTheUmask) {
    TempDir dir;
    const std::string kept = dir.File("kept.csv");
    WriteFileBytes(kept, "old");
    ::chmod(kept.c_str(), 0640);
    AtomicFileWriter writer(kept);
    ASSERT_TRUE(writer.Open());
    writer.Write("new");
    ASSERT_TRUE(writer.Commit()) << writer.Error();
    struct stat info;
    ASSERT_EQ(::stat(kept.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);


    const mode_t mask = ::umask(022);
    ::umask(mask);
    AtomicFileWriter fresh(dir.File("fresh.csv"));
    ASSERT_TRUE(fresh.Open());
    ASSERT_TRUE(fresh.Commit());
    ASSERT_EQ(::stat(dir.File("fresh.csv").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666u & ~mask);
}

// A full disk, simulated by a file size limit in a child process (the limit
// and the ignored SIGXFSZ would otherwise stay with the test runner).
TEST(AtomicFileWriter, FullDiskKeepsTheOldFileAndRemovesTheTemporary) {
    TempDir dir;
    const std::string target = dir.File("out.csv");
    const std::string old = "old line\r\n";
    WriteFileBytes(target, old);
    for (const std::size_t size : {std::size_t(10000), std::size_t(5) << 20}) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = {4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            AtomicFileWriter writer(target);
            if (!writer.Open()) ::_exit(2);
            writer.Write(Bytes(size));
            const bool committed = writer.Commit();
            const bool reported = writer.Error().find("File too large") != std::string::npos;
            ::_exit(committed ? 1 : reported ? 0 : 3);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "size " << size;
        EXPECT_EQ(ReadFileBytes(target), old);
        EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.csv"});
    }
}

TEST(AtomicFileWriter, ReadOnlyDirectoryRefusesTheTemporary) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not stop root";
    TempDir dir;
    const std::string target = dir.File("out.csv");
    WriteFileBytes(target, "old");
    ::chmod(dir.path().c_str(), 0555);
    AtomicFileWriter writer(target);
    EXPECT_FALSE(writer.Open());
    EXPECT_NE(writer.Error().find("Permission denied"), std::string::npos) << writer.Error();
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(ReadFileBytes(target), "old");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.csv"});
}

#endif
