#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <random>

#include <gtest/gtest.h>

#include "builder/TableBuilder.h"
#include "fileio/FileTable.h"
#include "support/TempDir.h"

namespace tessaro {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

class FileTableTest : public ::testing::Test {
protected:
    FileNumber OpenBinary(const std::string& name) {
        const OpenAttempt attempt = files.TryOpen(name, OpenMode::Binary);
        EXPECT_EQ(attempt.error, kNoError) << name;
        return attempt.number;
    }

    TempDir dir;
    FileTable files;
};

TEST_F(FileTableTest, NumbersAreTheLowestFreeFromOne) {
    WriteFile(dir.File("a"), "a");
    WriteFile(dir.File("b"), "b");
    WriteFile(dir.File("c"), "c");
    EXPECT_EQ(OpenBinary(dir.File("a")), 1);
    EXPECT_EQ(OpenBinary(dir.File("b")), 2);
    files.Close(1);
    EXPECT_EQ(OpenBinary(dir.File("c")), 1);
    EXPECT_EQ(files.OpenCount(), 2);
    files.CloseAll();
    EXPECT_EQ(files.OpenCount(), 0);
}

TEST_F(FileTableTest, ClosingTwiceOrClosingNothingIsHarmless) {
    WriteFile(dir.File("a"), "a");
    const FileNumber file = OpenBinary(dir.File("a"));
    files.Close(file);
    files.Close(file);
    files.Close(0);
    files.Close(-3);
    EXPECT_EQ(files.OpenCount(), 0);
}

TEST_F(FileTableTest, AMissingFileIsNotCreatedByReading) {
    EXPECT_EQ(files.TryOpen(dir.File("missing.dbf"), OpenMode::Binary).error, 53);
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing.dbf")));
    EXPECT_EQ(files.TryOpen(dir.File("no/such/folder.dbf"), OpenMode::Binary).error, 76);
}

TEST_F(FileTableTest, BadNamesAndFoldersAreRefused) {
    EXPECT_EQ(files.TryOpen("", OpenMode::Binary).error, 64);
    EXPECT_EQ(files.TryOpen(dir.File("*.dbf"), OpenMode::Binary).error, 64);
    EXPECT_EQ(files.TryOpen(dir.File("a?.dbf"), OpenMode::Append).error, 64);
    EXPECT_EQ(files.TryOpen(dir.Path(), OpenMode::Binary).error, kErrNotAFile);
#ifndef _WIN32  // the Windows devices in tests/windows
    ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
    EXPECT_EQ(files.TryOpen(dir.File("fifo"), OpenMode::Binary).error, kErrNotAFile);
    EXPECT_EQ(files.TryOpen("/dev/null", OpenMode::Binary).error, kErrNotAFile);
    // A folder that may not even be read is a folder all the same.
    ASSERT_EQ(::mkdir(dir.File("zu").c_str(), 0), 0);
    EXPECT_EQ(files.TryOpen(dir.File("zu"), OpenMode::Binary).error, kErrNotAFile);
    ::chmod(dir.File("zu").c_str(), 0700);
    const int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketName = dir.File("sock");
    ASSERT_LT(socketName.size(), sizeof(address.sun_path));
    socketName.copy(address.sun_path, socketName.size());
    ASSERT_EQ(::bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    EXPECT_EQ(files.TryOpen(socketName, OpenMode::Binary).error, kErrNotAFile);
    ::close(socket);
#endif
    EXPECT_EQ(files.TryOpen(std::string(5000, 'x'), OpenMode::Binary).error, 64);
    EXPECT_EQ(files.OpenCount(), 0);
}

TEST_F(FileTableTest, AnOpenFileIsExclusive) {
    WriteFile(dir.File("t.dbf"), "data");
    const FileNumber first = OpenBinary(dir.File("t.dbf"));
    EXPECT_EQ(files.TryOpen(dir.File("t.dbf"), OpenMode::Binary).error, 70);
    FileTable other;  // as another instance of the program would
    EXPECT_EQ(other.TryOpen(dir.File("t.dbf"), OpenMode::Binary).error, 70);
    files.Close(first);
    EXPECT_NE(other.TryOpen(dir.File("t.dbf"), OpenMode::Binary).number, 0);
}

#ifndef _WIN32  // flock; the Windows twin holds the file from another process
TEST_F(FileTableTest, ALockTakenByAnotherProgramGivesFileInUse) {
    WriteFile(dir.File("t.dbf"), "data");
    const int fd = ::open(dir.File("t.dbf").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(fd, LOCK_EX), 0);
    EXPECT_EQ(files.TryOpen(dir.File("t.dbf"), OpenMode::Binary).error, 70);
    ::close(fd);
    EXPECT_NE(files.TryOpen(dir.File("t.dbf"), OpenMode::Binary).number, 0);
}
#endif

TEST_F(FileTableTest, PositionsCountFromOne) {
    WriteFile(dir.File("t"), "abcdef");
    const FileNumber file = OpenBinary(dir.File("t"));
    EXPECT_EQ(files.ReadString(file, 2), "ab");
    EXPECT_EQ(files.ReadString(file, 2), "cd");
    EXPECT_EQ(files.SetPosition(file, 5), kNoError);
    EXPECT_EQ(files.ReadString(file, 10), "ef");
    EXPECT_EQ(files.ReadString(file, 10), "");
    EXPECT_EQ(files.SetPosition(file, 100), kNoError);
    EXPECT_EQ(files.ReadString(file, 3), "");
    EXPECT_EQ(files.SetPosition(file, 0), 63);
    EXPECT_EQ(files.SetPosition(file, -5), 63);
}

TEST_F(FileTableTest, BufferedReadsGiveTheBytesOfTheFile) {
    std::string content(3 * 1024 * 1024 + 17, '\0');
    std::mt19937 random(7);
    for (char& c : content) {
        c = static_cast<char>(random());
    }
    WriteFile(dir.File("big"), content);
    const FileNumber file = OpenBinary(dir.File("big"));
    std::uniform_int_distribution<std::size_t> offsets(0, content.size() + 10);
    std::uniform_int_distribution<std::size_t> lengths(0, 600 * 1024);
    for (int i = 0; i < 200; ++i) {
        const std::size_t offset = offsets(random);
        const std::size_t length = i % 10 == 0 ? lengths(random) : lengths(random) % 300;
        files.SetPosition(file, static_cast<std::int64_t>(offset) + 1);
        const std::string expected = offset < content.size() ? content.substr(offset, length) : "";
        ASSERT_EQ(files.ReadString(file, length), expected) << offset << " " << length;
    }
}

TEST_F(FileTableTest, ModesAreKeptApart) {
    WriteFile(dir.File("t"), "abc");
    const FileNumber binary = OpenBinary(dir.File("t"));
    EXPECT_EQ(files.WriteText(binary, "x"), 54);
    const FileNumber text = files.TryOpen(dir.File("out.tmp"), OpenMode::Append).number;
    ASSERT_NE(text, 0);
    char byte;
    EXPECT_EQ(files.ReadBytes(text, &byte, 1).error, 54);
    EXPECT_EQ(files.ReadBytes(99, &byte, 1).error, 52);
    EXPECT_EQ(files.WriteText(99, "x"), 52);
    files.CloseAll();  // on Windows the open file keeps out every other reader, this one too
    EXPECT_EQ(ReadFile(dir.File("t")), "abc");
}

TEST_F(FileTableTest, AppendFilesAreNewFilesWrittenAtTheirEnd) {
    const FileNumber created = files.TryOpen(dir.File("out.tmp"), OpenMode::Append).number;
    ASSERT_NE(created, 0);
    EXPECT_EQ(files.WriteText(created, "Hallo"), kNoError);
    EXPECT_EQ(files.WriteLineEnd(created), kNoError);
    files.Close(created);
    EXPECT_EQ(ReadFile(dir.File("out.tmp")), "Hallo\r\n");
}

TEST_F(FileTableTest, AnExistingFileIsNeverAppendedTo) {
    // Whoever left it there (another user in a shared folder, say) must not get the text.
    WriteFile(dir.File("out.tmp"), "fremd");
    const OpenAttempt attempt = files.TryOpen(dir.File("out.tmp"), OpenMode::Append);
    EXPECT_EQ(attempt.number, 0);
    EXPECT_EQ(attempt.error, 75) << "as Windows says for a file it may not replace";
    EXPECT_EQ(ReadFile(dir.File("out.tmp")), "fremd");
}

#ifndef _WIN32  // modes and umask; on Windows the folder's ACL applies
TEST_F(FileTableTest, ANewTextFileIsNoMoreOpenThanItsModel) {
    namespace fs = std::filesystem;
    WriteFile(dir.File("KUNDEN.DBT"), "memo");
    fs::permissions(dir.File("KUNDEN.DBT"), fs::perms::owner_read | fs::perms::owner_write);
    const FileNumber model = OpenBinary(dir.File("KUNDEN.DBT"));
    const FileNumber text = files.TryOpen(dir.File("KUNDEN.tmp"), OpenMode::Append, model).number;
    ASSERT_NE(text, 0);
    EXPECT_EQ(fs::status(dir.File("KUNDEN.tmp")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    files.CloseAll();
    const mode_t oldMask = ::umask(0);
    const FileNumber open = files.TryOpen(dir.File("offen.tmp"), OpenMode::Append).number;
    ::umask(oldMask);
    ASSERT_NE(open, 0);
    EXPECT_EQ(fs::status(dir.File("offen.tmp")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::group_write | fs::perms::others_read | fs::perms::others_write)
        << "without a model the file is as open as the umask lets it be";
}
#endif

#ifndef _WIN32  // symlinks; Windows twins in tests/windows
TEST_F(FileTableTest, AnAppendFileIsNeverWrittenThroughALink) {
    WriteFile(dir.File("precious"), "keep");
    std::filesystem::create_symlink(dir.File("precious"), dir.File("out.tmp"));
    EXPECT_EQ(files.TryOpen(dir.File("out.tmp"), OpenMode::Append).number, 0);
    EXPECT_EQ(ReadFile(dir.File("precious")), "keep");
}
#endif

TEST_F(FileTableTest, AReadOnlyTableCanBeRead) {
    WriteFile(dir.File("t.dbf"), "abc");
    std::filesystem::permissions(dir.File("t.dbf"), std::filesystem::perms::owner_read);
    const FileNumber file = OpenBinary(dir.File("t.dbf"));
    EXPECT_EQ(files.ReadString(file, 3), "abc");
}

}  // namespace
}  // namespace tessaro
