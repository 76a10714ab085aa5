// Saving a parameter file when the system fails under it: a full disk (a real one where a
// small tmpfs can be mounted, and a file-size limit everywhere), a folder that cannot be
// written even by root, a folder that vanished after loading, and the process dying at each
// step of the save. Every time the previous file stays as it was and the message names the
// file's full path.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "persistence/parameter_file.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

using testing::EntryCount;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;
namespace fs = std::filesystem;

ControlState EditedState() {
    ControlState s;
    s.EditDispDiameter = {"127.2", 1};
    s.EditHotTemp = {"650", 1};
    s.EditColdTemp = {"42", 1};
    s.Page = 3;
    return s;
}

std::string Message(const std::string& fullPath) {
    return "Unable to write to " + fullPath;
}

// Runs `body` in a child process and gives its exit status, or -1 when it did not exit.
template <typename Body>
int InChild(Body body) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) ::_exit(body());
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

class SaveFaultsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string message;
        ASSERT_TRUE(SaveParameterFile(path_, ControlState{}, message));
        old_ = ReadBytes(path_);
    }

    // The failed save's outcome: false, the message, the old file byte for byte, and no
    // temporary file left beside it.
    void ExpectRefused(const std::string& path, const FileWriteSteps* steps = nullptr) {
        std::string message;
        EXPECT_FALSE(SaveParameterFile(path, EditedState(), message, steps));
        EXPECT_EQ(message, Message(path));
    }
    void ExpectOldFileIntact(const fs::path& folder, int entries) {
        EXPECT_EQ(ReadBytes(path_), old_);
        EXPECT_EQ(EntryCount(folder), entries);
        ControlState loaded;
        LoadParameterFile(path_, loaded);
        EXPECT_EQ(loaded.EditDispDiameter.text, "");
        EXPECT_EQ(loaded.Page, 1);
    }

    TempFolder folder_;
    std::string path_ = folder_.File("Default.INI");
    std::string old_;
};

// A small tmpfs, mounted for the test when the system allows it (as root outside a restricted
// container); otherwise the test is skipped.
class SmallTmpfs {
  public:
    explicit SmallTmpfs(const fs::path& at) : path_(at) {
        fs::create_directory(path_);
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=16k") == 0;
    }
    ~SmallTmpfs() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool Mounted() const { return mounted_; }
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
    bool mounted_ = false;
};

// Writes into `path` until the file system has no room left.
void FillUp(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::string block(512, 'x');
    std::size_t written = 0;
    while (written < (1u << 24) && std::fwrite(block.data(), 1, block.size(), file) == block.size())
        written += block.size();
    std::fclose(file);
}

TEST_F(SaveFaultsTest, FullDiskRefusesTheSaveAndKeepsTheOldFile) {
    SmallTmpfs disk(folder_.Path() / "disk");
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";

    const std::string path = (disk.Path() / "Default.INI").string();
    std::string message;
    ASSERT_TRUE(SaveParameterFile(path, ControlState{}, message));
    const std::string old = ReadBytes(path);
    FillUp((disk.Path() / "filler").string());

    ExpectRefused(path);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(EntryCount(disk.Path()), 2);

    // Once there is room again, the same save goes through.
    fs::remove(disk.Path() / "filler");
    EXPECT_TRUE(SaveParameterFile(path, EditedState(), message));
    ControlState loaded;
    LoadParameterFile(path, loaded);
    EXPECT_EQ(loaded.EditDispDiameter.text, "127.2");
}

TEST_F(SaveFaultsTest, FileSizeLimitFailsTheWriteLikeAFullDisk) {
    // Works without privileges: the kernel refuses every byte past the limit (EFBIG).
    const std::string path = path_;
    const int status = InChild([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{200, 200};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 3;
        std::string message;
        const bool saved = SaveParameterFile(path, EditedState(), message);
        return !saved && message == Message(path) ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    ExpectOldFileIntact(folder_.Path(), 1);
}

TEST_F(SaveFaultsTest, FolderThatIsAFileCannotBeWrittenEvenByRoot) {
    ExpectRefused("/dev/null/Default.INI");
    const std::string underFile = path_ + "/Default.INI";
    ExpectRefused(underFile);
    ExpectOldFileIntact(folder_.Path(), 1);
}

TEST_F(SaveFaultsTest, ReadOnlyFolderForAUserKeepsTheOldFile) {
    fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                               fs::perms::others_read);
    testing::MakeReadOnlyFolder(folder_.Path());
    const std::string path = path_;
    EXPECT_EQ(testing::RunWithoutPrivileges([&] {
                  std::string message;
                  return !SaveParameterFile(path, EditedState(), message) &&
                         message == Message(path);
              }),
              1);
    fs::permissions(folder_.Path(), fs::perms::owner_all, fs::perm_options::add);
    ExpectOldFileIntact(folder_.Path(), 1);
}

TEST_F(SaveFaultsTest, FolderThatVanishedAfterLoadingIsNotRecreated) {
    const fs::path folder = folder_.Path() / "engines";
    fs::create_directory(folder);
    const std::string path = (folder / "My.Engine.RBP").string();
    ControlState state = EditedState();
    LoadParameterFile(path, state);  // missing file: defaults
    fs::remove_all(folder);

    ExpectRefused(path);
    EXPECT_FALSE(fs::exists(folder));
    ExpectOldFileIntact(folder_.Path(), 1);
}

TEST_F(SaveFaultsTest, RelativePathIsReportedWithItsFullName) {
    const fs::path before = fs::current_path();
    fs::current_path(folder_.Path());
    std::string message;
    const bool saved = SaveParameterFile("gone/Default.INI", EditedState(), message);
    fs::current_path(before);
    EXPECT_FALSE(saved);
    EXPECT_EQ(message, Message((folder_.Path() / "gone" / "Default.INI").string()));
}

// The process dies inside step `at` of the save.
enum class Step { CreateNew, WriteAll, Sync, Close, Rename };

struct DyingSteps : FileWriteSteps {
    explicit DyingSteps(Step step) : at(step) {}
    int CreateNew(const std::string& path) const override {
        const int fd = FileWriteSteps::CreateNew(path);
        if (at == Step::CreateNew) ::_exit(7);
        return fd;
    }
    bool WriteAll(int fd, std::string_view data) const override {
        if (at != Step::WriteAll) return FileWriteSteps::WriteAll(fd, data);
        FileWriteSteps::WriteAll(fd, data.substr(0, data.size() / 2));
        ::_exit(7);
    }
    bool Sync(int fd) const override {
        const bool synced = FileWriteSteps::Sync(fd);
        if (at == Step::Sync) ::_exit(7);
        return synced;
    }
    bool Close(int fd) const override {
        if (at == Step::Close) ::_exit(7);
        return FileWriteSteps::Close(fd);
    }
    bool Rename(const std::string& from, const std::string& to) const override {
        if (at == Step::Rename) ::_exit(7);
        return FileWriteSteps::Rename(from, to);
    }
    Step at;
};

TEST_F(SaveFaultsTest, CrashAtAnyStepBeforeTheRenameKeepsTheOldFile) {
    int crashes = 0;
    for (Step step : {Step::CreateNew, Step::WriteAll, Step::Sync, Step::Close, Step::Rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        const std::string path = path_;
        EXPECT_EQ(InChild([&] {
                      const DyingSteps dying(step);
                      std::string message;
                      SaveParameterFile(path, EditedState(), message, &dying);
                      return 0;
                  }),
                  7);
        ++crashes;
        EXPECT_EQ(ReadBytes(path_), old_);
        // What the next start-up sees: the file as it was before the crash.
        ControlState loaded;
        LoadParameterFile(path_, loaded);
        EXPECT_EQ(loaded.EditDispDiameter.text, "");
    }
    EXPECT_EQ(EntryCount(folder_.Path()), 1 + crashes);  // the stray temporary files

    // The strays do not stand in the way of the next save, which replaces the file.
    std::string message;
    EXPECT_TRUE(SaveParameterFile(path_, EditedState(), message));
    ControlState loaded;
    LoadParameterFile(path_, loaded);
    EXPECT_EQ(loaded.EditDispDiameter.text, "127.2");
    EXPECT_EQ(loaded.Page, 3);
}

}  // namespace
}  // namespace velmora
