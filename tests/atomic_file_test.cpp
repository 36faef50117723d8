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
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

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
    EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"out.csv"});
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
        EXPECT_EQ(FileNames(dir.path()), std::vector<std::string>{"out.map"}) << c.name;
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

#endif

// What a killed writer left beside the target goes when the next writer of
// that target opens; nothing of a live process or of another name does.
TEST(AtomicFileWriter, OpenRemovesTemporariesOfEndedProcesses) {
    // No process has this number: Linux stops below 2^22, Windows numbers are multiples of 4.
    const std::string gone = "999999999", self = platform::ProcessTag();
    EXPECT_TRUE(platform::ProcessIsGone(gone));
    EXPECT_FALSE(platform::ProcessIsGone(self));
    EXPECT_FALSE(platform::ProcessIsGone("x1"));

    TempDir dir;
    struct Entry { std::string name; bool kept; };
    const Entry entries[] = {
        {"out.map.tmp-" + gone + "-0", false}, {"out.map.tmp-" + gone + "-12", false},
        {"out.map.tmp-" + self + "-7", true},   // this process's own
        {"other.map.tmp-" + gone + "-0", true}, // another target's
        {"out.map.tmp-" + gone + "-x", true}, {"out.map.tmp-abc-0", true}, {"out.map.tmp-" + gone, true},
        {"out.map", true},
    };
    for (const Entry& e : entries) WriteFileBytes(dir.File(e.name), "left");
    AtomicFileWriter writer(dir.File("out.map"));
    ASSERT_TRUE(writer.Open()) << writer.Error();
    writer.Discard();
    const std::vector<std::string> names = FileNames(dir.path());
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(std::find(names.begin(), names.end(), e.name) != names.end(), e.kept);
    }
}
