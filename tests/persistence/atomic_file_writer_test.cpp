#include "persistence/atomic_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "persistence/temp_folder.h"

namespace velmora {
namespace {

using testing::EntryCount;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

// Counts the temporary files created and the handles closed: a failed save must close every
// handle it opened, or each failure leaks one.
struct CountingSteps : FileWriteSteps {
    int CreateNew(const std::string& path) const override {
        const int fd = FileWriteSteps::CreateNew(path);
        if (fd >= 0) ++created;
        return fd;
    }
    bool Close(int fd) const override {
        ++closed;
        return FileWriteSteps::Close(fd);
    }
    mutable int created = 0;
    mutable int closed = 0;
};

struct FailingWrite : CountingSteps {
    bool WriteAll(int fd, std::string_view data) const override {
        // Half the text reaches the disk, then the disk is full.
        FileWriteSteps::WriteAll(fd, data.substr(0, data.size() / 2));
        return false;
    }
};

struct FailingSync : CountingSteps {
    bool Sync(int) const override { return false; }
};

struct FailingRename : CountingSteps {
    bool Rename(const std::string&, const std::string&) const override { return false; }
};

// The process dies after the temporary file is complete, before it replaces the old one.
struct CrashBeforeRename : FileWriteSteps {
    bool Rename(const std::string&, const std::string&) const override { ::_exit(7); }
};

class AtomicFileWriterTest : public ::testing::Test {
  protected:
    void SetUp() override { WriteBytes(path_, "old contents\n"); }
    TempFolder folder_;
    std::string path_ = folder_.File("engine.RBP");
};

TEST_F(AtomicFileWriterTest, ReplacesTheFileKeepingItsModeAndLeavesNothingBehind) {
    ::chmod(path_.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(path_, "new contents\n"));
    EXPECT_EQ(ReadBytes(path_), "new contents\n");
    struct stat info {};
    ASSERT_EQ(::stat(path_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(EntryCount(folder_.Path()), 1);
}

TEST_F(AtomicFileWriterTest, AnyFailingStepKeepsTheOldFileAndRemovesTheTemporary) {
    const FailingWrite failingWrite;
    const FailingSync failingSync;
    const FailingRename failingRename;
    for (const CountingSteps* steps : {static_cast<const CountingSteps*>(&failingWrite),
                                       static_cast<const CountingSteps*>(&failingSync),
                                       static_cast<const CountingSteps*>(&failingRename)}) {
        EXPECT_FALSE(WriteFileAtomically(path_, "new contents\n", steps));
        EXPECT_EQ(ReadBytes(path_), "old contents\n");
        EXPECT_EQ(EntryCount(folder_.Path()), 1);
        EXPECT_EQ(steps->created, 1);
        EXPECT_EQ(steps->closed, 1) << "the temporary file's handle is left open";
    }
}

TEST_F(AtomicFileWriterTest, CrashBeforeRenameLeavesTheOldFileIntact) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const CrashBeforeRename crash;
        WriteFileAtomically(path_, "new contents\n", &crash);
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
    EXPECT_EQ(ReadBytes(path_), "old contents\n");
    // The stray temporary file does not stand in the way of the next save.
    EXPECT_EQ(EntryCount(folder_.Path()), 2);
    EXPECT_TRUE(WriteFileAtomically(path_, "next\n"));
    EXPECT_EQ(ReadBytes(path_), "next\n");
}

TEST_F(AtomicFileWriterTest, StaleTemporariesOfDeadProcessesAreRemovedOthersKept) {
    // A process that has certainly ended: a child that exited and was waited for.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    const std::string dead = std::to_string(child);
    const std::string alive = std::to_string(::getpid());

    const std::string stale = folder_.File(".engine.RBP.tmp-" + dead + "-1f2e");
    const std::string running = folder_.File(".engine.RBP.tmp-" + alive + "-abc");
    const std::string otherFile = folder_.File(".other.RBP.tmp-" + dead + "-1f2e");
    const std::string notOurs = folder_.File(".engine.RBP.tmp-notes");
    for (const std::string& file : {stale, running, otherFile, notOurs}) WriteBytes(file, "x");
    const std::string fresh = folder_.File(".engine.RBP.tmp-" + dead + "-77");

    // Started after they were written: the dead process's temporary goes, nothing else.
    const std::time_t later = std::time(nullptr) + 10;
    EXPECT_EQ(RemoveStaleTemporaryFiles(path_, later), 1);
    EXPECT_FALSE(fs::exists(stale));
    for (const std::string& file : {running, otherFile, notOurs}) EXPECT_TRUE(fs::exists(file));

    // One written after this process started is another save in progress.
    WriteBytes(fresh, "x");
    EXPECT_EQ(RemoveStaleTemporaryFiles(path_, std::time(nullptr) - 10), 0);
    EXPECT_TRUE(fs::exists(fresh));
    EXPECT_EQ(ReadBytes(path_), "old contents\n");
}

TEST_F(AtomicFileWriterTest, VanishedOrReadOnlyFolderFails) {
    EXPECT_FALSE(WriteFileAtomically(folder_.File("gone/engine.RBP"), "x"));
    EXPECT_FALSE(fs::exists(folder_.File("gone")));

    fs::permissions(folder_.Path(), fs::perms::all);
    testing::MakeReadOnlyFolder(folder_.Path());
    const std::string path = path_;
    EXPECT_EQ(testing::RunWithoutPrivileges([&] { return WriteFileAtomically(path, "x"); }), 0);
    EXPECT_EQ(ReadBytes(path_), "old contents\n");
    EXPECT_EQ(EntryCount(folder_.Path()), 1);
}

TEST_F(AtomicFileWriterTest, SymbolicLinkIsFollowedAndKept) {
    const std::string link = folder_.File("link.RBP");
    fs::create_symlink(path_, link);
    ASSERT_TRUE(WriteFileAtomically(link, "through the link\n"));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(ReadBytes(path_), "through the link\n");
}

}  // namespace
}  // namespace velmora
