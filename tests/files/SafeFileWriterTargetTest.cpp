// What a save replaces and how: through symbolic links, keeping the owner,
// group and mode of the file it replaces, in place where the folder or the
// ownership leaves no other way, and clearing away what killed saves left.
// Ownership needs root to hand files to other users and an unprivileged
// saver (nobody, in a child process) to be refused.
#include "FilesTestSupport.h"
#include "USafeFileWriter.h"
#include "UTemporaryFiles.h"

#include <gtest/gtest.h>

#include <csignal>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>

namespace {

struct stat StatusOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info;
}

void ExpectOwned(const std::string& path, uid_t owner, gid_t group, mode_t mode) {
    const struct stat info = StatusOf(path);
    EXPECT_EQ(info.st_uid, owner) << path;
    EXPECT_EQ(info.st_gid, group) << path;
    EXPECT_EQ(info.st_mode & 07777, mode) << path;
}

class SafeFileWriterTarget : public testing::Test {
protected:
    TTempFolder folder;
    const std::string path = folder.Path("field.out");
};

TEST_F(SafeFileWriterTarget, LinkStaysAndItsTargetGetsTheContent) {
    std::filesystem::create_directory(folder.Path("shared"));
    WriteBytes(folder.Path("shared/field.out"), "old");
    std::filesystem::create_symlink("shared/field.out", path);
    std::filesystem::create_symlink("shared/new.out", folder.Path("new.out"));
    EXPECT_TRUE(WriteFileSafely(path, "new").Succeeded());
    EXPECT_TRUE(WriteFileSafely(folder.Path("new.out"), "created").Succeeded());
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(ReadBytes(folder.Path("shared/field.out")), "new");
    EXPECT_EQ(ReadBytes(folder.Path("shared/new.out")), "created");
    EXPECT_EQ(folder.Names("shared"), (std::set<std::string>{"field.out", "new.out"}));

    std::filesystem::create_symlink("/dev/null", folder.Path("null.out"));
    const TWriteResult refused = WriteFileSafely(folder.Path("null.out"), "x");
    EXPECT_EQ(refused.Stage, TWriteStage::Refused);
    EXPECT_EQ(refused.Reason, "\"/dev/null\" is not a regular file");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("null.out")));
    EXPECT_TRUE(S_ISCHR(StatusOf("/dev/null").st_mode));
}

TEST_F(SafeFileWriterTarget, RootSavingAUsersFileLeavesItTheUsers) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "handing a file to another user needs root";
    }
    WriteBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), Nobody, Nobody), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    EXPECT_TRUE(WriteFileSafely(path, "new").Succeeded());
    EXPECT_EQ(ReadBytes(path), "new");
    ExpectOwned(path, Nobody, Nobody, 0640);
}

// Nobody may write daemon's file but not give a new one to daemon, and may
// write its own file in a folder that takes no new file: both are written in
// place, so owner, group and mode stay.
TEST_F(SafeFileWriterTarget, UnprivilegedSaverWritesInPlaceWhereNoNewFileWillDo) {
    const passwd* daemon = ::getpwnam("daemon");
    if (::geteuid() != 0 || daemon == nullptr) {
        GTEST_SKIP() << "needs root and the user daemon to hand files to other users";
    }
    ASSERT_EQ(::chmod(folder.Folder().c_str(), 0777), 0);
    WriteBytes(path, "old");
    ASSERT_EQ(::chown(path.c_str(), daemon->pw_uid, daemon->pw_gid), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
    const std::string closed = folder.Path("closed/field.out");
    std::filesystem::create_directory(folder.Path("closed"));
    WriteBytes(closed, "old");
    ASSERT_EQ(::chown(closed.c_str(), Nobody, Nobody), 0);
    EXPECT_TRUE(HoldsWithoutRoot([&] {
        return WriteFileSafely(path, "new").Succeeded() &&
               WriteFileSafely(closed, "new").Succeeded();
    }));
    EXPECT_EQ(ReadBytes(path), "new");
    ExpectOwned(path, daemon->pw_uid, daemon->pw_gid, 0666);
    EXPECT_EQ(ReadBytes(closed), "new");
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"closed", "field.out"}));
    EXPECT_EQ(folder.Names("closed"), std::set<std::string>{"field.out"});
}

// Dies at its first write, as a save killed half-way.
class TKilledSeam : public TFileWriteSeam {
public:
    ssize_t Write(int, const char*, std::size_t) override {
        ::raise(SIGKILL);
        return -1;
    }
};

TEST_F(SafeFileWriterTarget, NextSaveClearsStaleTemporariesButNoneInUse) {
    WriteBytes(path, "old");
    const pid_t child = ::fork();
    if (child == 0) {
        TKilledSeam seam;
        WriteFileSafely(path, "half", seam);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    ASSERT_EQ(folder.Names().size(), 2u);
    // A save in progress holds its temporary file; a user's file only looks alike.
    std::string inUse = TemporaryPattern(path);
    const int fd = ::mkstemp(inUse.data());
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    WriteBytes(folder.Path(".field.out.backup"), "kept");
    EXPECT_TRUE(WriteFileSafely(path, "new").Succeeded());
    ::close(fd);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"field.out", ".field.out.backup",
                                                     inUse.substr(inUse.rfind('/') + 1)}));
}

} // namespace
