// What a save replaces and how. Ownership needs root to hand files to other
// users and an unprivileged saver (nobody, in a child process) to be refused.
#include "FilesTestSupport.h"
#include "USafeFileWriter.h"
#include "UTemporaryFiles.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <tuple>

namespace {

std::tuple<uid_t, gid_t, mode_t> Owner(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return {info.st_uid, info.st_gid, info.st_mode & 07777};
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
    EXPECT_TRUE(WriteFileSafely(path, "new").Succeeded());
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(ReadBytes(folder.Path("shared/field.out")), "new");
    EXPECT_EQ(folder.Names("shared"), std::set<std::string>{"field.out"});

    std::filesystem::create_symlink("/dev/null", folder.Path("null.out"));
    const TWriteResult refused = WriteFileSafely(folder.Path("null.out"), "x");
    EXPECT_EQ(refused.Stage, TWriteStage::Refused);
    EXPECT_EQ(refused.Reason, "\"/dev/null\" is not a regular file");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("null.out")));
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

// Root saving nobody's file leaves it nobody's. Nobody may write daemon's
// file but not give a new one to daemon, and may write its own file in a
// folder that takes no new file: both are written in place.
TEST_F(SafeFileWriterTarget, OwnerGroupAndModeStayWhoeverSaves) {
    const passwd* daemon = ::getpwnam("daemon");
    if (::geteuid() != 0 || daemon == nullptr) {
        GTEST_SKIP() << "needs root and the user daemon to hand files to other users";
    }
    const std::string users = folder.Path("users.out");
    const std::string closed = folder.Path("closed/field.out");
    std::filesystem::create_directory(folder.Path("closed"));
    for (const auto& [file, owner, group, mode] :
         {std::tuple(path, Nobody, Nobody, 0640),
          std::tuple(users, daemon->pw_uid, daemon->pw_gid, 0666),
          std::tuple(closed, Nobody, Nobody, 0644)}) {
        WriteBytes(file, "old");
        ASSERT_EQ(::chown(file.c_str(), owner, group), 0);
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
    }
    ASSERT_EQ(::chmod(folder.Folder().c_str(), 0777), 0);
    ASSERT_EQ(::chmod(folder.Path("closed").c_str(), 0755), 0);
    EXPECT_TRUE(WriteFileSafely(path, "new").Succeeded());
    EXPECT_TRUE(HoldsWithoutRoot([&] {
        return WriteFileSafely(users, "new").Succeeded() &&
               WriteFileSafely(closed, "new").Succeeded();
    }));
    EXPECT_EQ(Owner(path), std::make_tuple(Nobody, Nobody, 0640u));
    EXPECT_EQ(Owner(users), std::make_tuple(daemon->pw_uid, daemon->pw_gid, 0666u));
    for (const std::string& file : {path, users, closed}) {
        EXPECT_EQ(ReadBytes(file), "new") << file;
    }
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"closed", "field.out", "users.out"}));
    EXPECT_EQ(folder.Names("closed"), std::set<std::string>{"field.out"});
}

// A save killed half-way leaves its temporary file unlocked; one in progress
// holds the lock; a user's file only looks alike. The first save into the
// folder clears those of every file there, and later ones do not look again.
TEST_F(SafeFileWriterTarget, FirstSaveClearsStaleTemporariesButNoneInUse) {
    std::string stale = TemporaryPattern(path);
    std::string inUse = TemporaryPattern(path);
    std::string otherStale = TemporaryPattern(folder.Path("other.out"));
    ::close(::mkstemp(stale.data()));
    ::close(::mkstemp(otherStale.data()));
    const int fd = ::mkstemp(inUse.data());
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    WriteBytes(folder.Path(".field.out.backup"), "kept");
    EXPECT_TRUE(WriteFileSafely(path, "new").Succeeded());
    ::close(fd);
    EXPECT_EQ(folder.Names(), (std::set<std::string>{"field.out", ".field.out.backup",
                                                     inUse.substr(inUse.rfind('/') + 1)}));
    EXPECT_TRUE(WriteFileSafely(path, "new").Succeeded());
    EXPECT_EQ(folder.Names().size(), 3u) << "the folder was read again";
}

// In a sticky folder that all may write, a link is followed only when the
// saver or the folder's owner (root) made it, as the kernel would. Nobody
// saves, and in the last case root.
TEST_F(SafeFileWriterTarget, LinkInASharedFolderIsFollowedOnlyFromTheSaverOrTheFolderOwner) {
    const passwd* daemon = ::getpwnam("daemon");
    if (::geteuid() != 0 || daemon == nullptr) {
        GTEST_SKIP() << "needs root to give links to other users and to save as nobody";
    }
    const std::string link = folder.Path("shared/field.out");
    std::filesystem::create_directory(folder.Path("shared"));
    ASSERT_EQ(
        ::chmod(folder.Folder().c_str(), 0777) | ::chmod(folder.Path("shared").c_str(), 01777), 0);
    for (const auto& [owner, asNobody, followed] :
         {std::tuple(daemon->pw_uid, true, false), std::tuple(Nobody, true, true),
          std::tuple(uid_t{0}, true, true), std::tuple(daemon->pw_uid, false, false)}) {
        WriteBytes(path, "old");
        std::filesystem::create_symlink(path, link);
        ASSERT_EQ(::chown(path.c_str(), Nobody, Nobody) | ::lchown(link.c_str(), owner, owner), 0);
        const auto save = [&, followed = followed] {
            const TWriteResult result = WriteFileSafely(link, "new");
            return result.Succeeded() == followed &&
                   (followed || result.Reason.find(link) != std::string::npos);
        };
        EXPECT_TRUE(asNobody ? HoldsWithoutRoot(save) : save()) << owner;
        EXPECT_EQ(ReadBytes(path), followed ? "new" : "old") << owner;
        std::filesystem::remove(link);
    }
}

} // namespace
