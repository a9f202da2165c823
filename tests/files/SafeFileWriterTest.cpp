#include "FilesTestSupport.h"
#include "UFloatMath.h"
#include "UInputFile.h"
#include "USafeFileWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <sys/stat.h>

namespace {

// Lets the first `byteLimit` bytes through, a few at a time, then fails like
// a full disk; or fails at one later step.
class TFailingSeam : public TFileWriteSeam {
public:
    std::size_t ByteLimit = std::numeric_limits<std::size_t>::max();
    std::size_t ChunkLimit = 7;
    bool FailSync = false;
    bool FailClose = false;
    bool FailReplace = false;
    bool FailCreate = false;
    bool FileWriteProtected = false;

    int CreateTemporary(std::string& pattern) override {
        // A read-only file system: the file there cannot be written in place either.
        if (FailCreate) {
            errno = EROFS;
            return -1;
        }
        return TFileWriteSeam::CreateTemporary(pattern);
    }
    ssize_t Write(int fd, const char* data, std::size_t size) override {
        if (written_ == ByteLimit) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t allowed = std::min({size, ChunkLimit, ByteLimit - written_});
        const ssize_t count = TFileWriteSeam::Write(fd, data, allowed);
        written_ += static_cast<std::size_t>(count);
        return count;
    }
    int Sync(int fd) override { return FailWith(FailSync, EIO, TFileWriteSeam::Sync(fd)); }
    int Close(int fd) override {
        const int result = TFileWriteSeam::Close(fd);
        return FailWith(FailClose, EIO, result);
    }
    int Replace(const std::string& from, const std::string& to) override {
        return FailReplace ? FailWith(true, EBUSY, 0) : TFileWriteSeam::Replace(from, to);
    }
    int CheckWritable(const std::string& path) override {
        return FileWriteProtected ? FailWith(true, EACCES, 0) : TFileWriteSeam::CheckWritable(path);
    }

private:
    static int FailWith(bool fail, int error, int result) {
        if (!fail) {
            return result;
        }
        errno = error;
        return -1;
    }
    std::size_t written_ = 0;
};

class SafeFileWriter : public testing::Test {
protected:
    void SetUp() override { WriteBytes(path, earlier); }

    // The earlier file is untouched and no temporary file is left.
    void ExpectEarlierFileKept() {
        EXPECT_EQ(ReadBytes(path), earlier);
        EXPECT_EQ(folder.Names(), std::set<std::string>{"field.inp"});
    }

    TTempFolder folder;
    const std::string path = folder.Path("field.inp");
    const std::string earlier = "the earlier file\r\n";
    TDMTylwen store = WorkedExampleStore();
};

TEST_F(SafeFileWriter, ShortWritesStillWriteEveryByte) {
    TFailingSeam seam;
    seam.ChunkLimit = 3;
    ASSERT_EQ(WriteInputFile(path, store, seam), std::nullopt);
    EXPECT_EQ(ReadBytes(path), FormatInputFile(path, store));
    EXPECT_EQ(folder.Names(), std::set<std::string>{"field.inp"});
}

TEST_F(SafeFileWriter, FailureAtAnyByteKeepsTheEarlierFile) {
    const std::size_t size = FormatInputFile(path, store).size();
    for (std::size_t limit = 0; limit < size; ++limit) {
        TFailingSeam seam;
        seam.ByteLimit = limit;
        try {
            static_cast<void>(WriteInputFile(path, store, seam));
            ADD_FAILURE() << "no error after " << limit << " bytes";
        } catch (const EInOutError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "The file \"" + path + "\" could not be written: No space left on device");
        }
        ExpectEarlierFileKept();
    }
}

TEST_F(SafeFileWriter, FailureAfterTheLastByteKeepsTheEarlierFile) {
    for (bool TFailingSeam::*step :
         {&TFailingSeam::FailSync, &TFailingSeam::FailClose, &TFailingSeam::FailReplace}) {
        TFailingSeam seam;
        seam.*step = true;
        const TWriteResult result = WriteFileSafely(path, "new content", seam);
        EXPECT_EQ(result.Stage, TWriteStage::Write);
        EXPECT_FALSE(result.Reason.empty());
        ExpectEarlierFileKept();
    }
    TFailingSeam seam;
    seam.FailReplace = true;
    EXPECT_THROW(static_cast<void>(WriteInputFile(path, store, seam)), EInOutError);
    ExpectEarlierFileKept();
}

TEST_F(SafeFileWriter, FileThatCannotBeCreatedIsToldAndNothingWritten) {
    const std::string expected = "The file \"" + path +
                                 "\"could not be opened. It may be damaged, in use by another "
                                 "program,  or the programmer should incorporate more time.";
    TFailingSeam seam;
    seam.FailCreate = true;
    EXPECT_EQ(WriteInputFile(path, store, seam), Told(expected));
    ExpectEarlierFileKept();

    TFailingSeam protectedFile;
    protectedFile.FileWriteProtected = true;
    EXPECT_EQ(WriteInputFile(path, store, protectedFile), Told(expected));
    ExpectEarlierFileKept();

    const std::string missing = folder.Path("no such folder/field.inp");
    EXPECT_EQ(WriteInputFile(missing, store), Told(CouldNotCreateMessage(missing)));

    std::filesystem::create_directory(folder.Path("a folder.inp"));
    EXPECT_EQ(WriteFileSafely(folder.Path("a folder.inp"), "x").Stage, TWriteStage::Create);
    EXPECT_EQ(WriteFileSafely("", "x").Stage, TWriteStage::Create);
}

TEST_F(SafeFileWriter, ReadOnlyFolderIsTold) {
    const std::string readOnly = folder.Path("read-only");
    std::filesystem::create_directory(readOnly);
    WriteBytes(readOnly + "/field.inp", earlier);
    ::chmod(folder.Folder().c_str(), 0755);
    ::chmod(readOnly.c_str(), 0555);
    const std::string target = readOnly + "/field.inp";
    EXPECT_TRUE(HoldsWithoutRoot([&] {
        TDMTylwen childStore = WorkedExampleStore();
        return WriteInputFile(target, childStore) == Told(CouldNotCreateMessage(target));
    }));
    EXPECT_EQ(ReadBytes(target), earlier);
    EXPECT_EQ(folder.Names("read-only"), std::set<std::string>{"field.inp"});
}

TEST_F(SafeFileWriter, NewFileFollowsTheUmaskAndReplacedFileKeepsItsMode) {
    const mode_t previousMask = ::umask(027);
    const std::string fresh = folder.Path("fresh.inp");
    EXPECT_TRUE(WriteFileSafely(fresh, "x").Succeeded());
    ::umask(previousMask);
    struct stat info {};
    ASSERT_EQ(::stat(fresh.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);

    ::chmod(path.c_str(), 0604);
    EXPECT_TRUE(WriteFileSafely(path, "replaced").Succeeded());
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0604u);
    EXPECT_EQ(ReadBytes(path), "replaced");
}

TEST_F(SafeFileWriter, DotsInFolderNamesAndLongNamesAreNoObstacle) {
    std::filesystem::create_directories(folder.Path("x/a.b"));
    EXPECT_TRUE(WriteFileSafely(folder.Path("x/a.b/c"), "c").Succeeded());
    EXPECT_EQ(ReadBytes(folder.Path("x/a.b/c")), "c");
    const std::string longName = std::string(250, 'n') + ".inp";
    EXPECT_TRUE(WriteFileSafely(folder.Path(longName), "long").Succeeded());
    EXPECT_EQ(folder.Names().count(longName), 1u);
    EXPECT_EQ(folder.Names().size(), 3u);
}

} // namespace
