// An atomic save written in pieces, the reasons a failed save gives, and output files that are
// written through instead of replaced.
#include "persistence/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "persistence/atomic_file_writer.h"
#include "persistence/temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;
using testing::EntryCount;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// The disk fills up on the second piece.
struct FullOnSecondWrite : FileWriteSteps {
    bool WriteAll(int fd, std::string_view data) const override {
        if (++writes > 1) {
            errno = ENOSPC;
            return false;
        }
        return FileWriteSteps::WriteAll(fd, data);
    }
    mutable int writes = 0;
};

TEST(AtomicFileWriter, PiecesReplaceTheFileOnlyAtCommit) {
    const TempFolder folder;
    const std::string path = folder.File("sweep.csv");
    WriteBytes(path, "old\n");
    {
        AtomicFileWriter writer;
        ASSERT_TRUE(writer.Open(path));
        EXPECT_TRUE(writer.Write("a,b\n"));
        EXPECT_TRUE(writer.Write("1,2\n"));
        EXPECT_EQ(ReadBytes(path), "old\n");
        EXPECT_TRUE(writer.Commit());
    }
    EXPECT_EQ(ReadBytes(path), "a,b\n1,2\n");
    EXPECT_EQ(EntryCount(folder.Path()), 1);

    {
        AtomicFileWriter abandoned;  // never committed: the old file stays, nothing is left
        ASSERT_TRUE(abandoned.Open(path));
        abandoned.Write("half");
    }
    EXPECT_EQ(ReadBytes(path), "a,b\n1,2\n");
    EXPECT_EQ(EntryCount(folder.Path()), 1);
}

TEST(AtomicFileWriter, AFailedSaveSaysWhyInTheSystemsWords) {
    const TempFolder folder;
    const std::string path = folder.File("sweep.csv");
    WriteBytes(path, "old\n");
    const FullOnSecondWrite full;
    AtomicFileWriter writer(&full);
    ASSERT_TRUE(writer.Open(path));
    EXPECT_TRUE(writer.Write("a,b\n"));
    EXPECT_FALSE(writer.Write("1,2\n"));
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(writer.FailureReason(), "No space left on device");
    EXPECT_EQ(ReadBytes(path), "old\n");
    EXPECT_EQ(EntryCount(folder.Path()), 1);

    std::string reason;
    EXPECT_FALSE(WriteFileAtomically(folder.File("gone/x.csv"), "x", reason));
    EXPECT_EQ(reason, "No such file or directory");
}

TEST(OutputFile, DevicesAndProcessLinksAreWrittenThroughRegularFilesReplaced) {
    const TempFolder folder;
    EXPECT_TRUE(WrittenStraightThrough("/dev/null"));
    EXPECT_TRUE(WrittenStraightThrough("/dev/stdout"));
    EXPECT_TRUE(WrittenStraightThrough("/dev/fd/2"));
    const std::string file = folder.File("plain.csv");
    WriteBytes(file, "x");
    EXPECT_FALSE(WrittenStraightThrough(file));
    EXPECT_FALSE(WrittenStraightThrough(folder.File("new.csv")));
    const std::string link = folder.File("link.csv");
    fs::create_symlink(file, link);
    EXPECT_FALSE(WrittenStraightThrough(link));  // an ordinary link: its target is replaced

    // Written through a FIFO of our own: a fault here must never replace a system device.
    const std::string fifo = folder.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    OutputFile through;
    ASSERT_TRUE(through.Open(fifo));
    EXPECT_TRUE(through.Write("rows\n"));
    EXPECT_TRUE(through.Commit());
    char got[16] = {};
    EXPECT_EQ(::read(reader, got, sizeof got), 5);
    ::close(reader);
    EXPECT_STREQ(got, "rows\n");
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));

    fs::permissions(file, fs::perms::owner_read);
    OutputFile readOnly;
    EXPECT_FALSE(readOnly.Open(file));
    EXPECT_EQ(readOnly.FailureReason(), "Permission denied (read-only file)");
    EXPECT_EQ(ExistingFileWriteProblem(folder.Path().string()), "Is a directory");
    EXPECT_EQ(ReadBytes(file), "x");
}

}  // namespace
}  // namespace velmora
