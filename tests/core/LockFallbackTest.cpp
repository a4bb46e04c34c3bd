// File systems that cannot take the exclusive lock: NFS emulates flock with byte-range
// locks, and an exclusive one refuses a file opened for reading (EBADF), or there is no lock
// manager at all (ENOLCK). flock is wrapped at link time (-Wl,--wrap=flock), so that a test
// can make it fail as such a file system does.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>

#include "builder/TableBuilder.h"
#include "support/CoreFixture.h"
#include "table/FillRecordCells.h"
#include "table/ReadTableHeader.h"
#include "table/RecordCells.h"

extern "C" int __real_flock(int fd, int operation);

namespace {
std::atomic<int> flockFailure{0};  // the errno flock fails with; 0: the real flock
}  // namespace

extern "C" int __wrap_flock(int fd, int operation) {
    if (const int failure = flockFailure.load(); failure != 0) {
        errno = failure;
        return -1;
    }
    return __real_flock(fd, operation);
}

namespace tessaro {
namespace {

using test::TableBuilder;

class LockFallbackTest : public test::CoreFixture {
protected:
    ~LockFallbackTest() override { flockFailure = 0; }

    std::string MakeTable() {
        const std::string path = dir.File("nfs.dbf");
        TableBuilder().Field("NAME", 'C', 5).Record({"Meier"}).Record({"Huber"}).WriteTo(path);
        return path;
    }
};

TEST_F(LockFallbackTest, ATableIsReadWhereTheExclusiveLockIsNotSupported) {
    const std::string path = MakeTable();
    for (const int failure : {EBADF, ENOLCK, EOPNOTSUPP}) {
        flockFailure = failure;
        session.tableInfo.FileName = path;
        ASSERT_EQ(ReadTableHeader(session, path, nullptr), 1) << failure;
        RecordCells cells;
        ASSERT_EQ(cells.Load(session), 1) << failure;
        EXPECT_EQ(cells.CellText(1, 1), "Huber");
        EXPECT_TRUE(desktop.boxes.empty()) << failure;
        EXPECT_EQ(waits, 0) << "no retries: nothing holds the table";
    }
}

TEST_F(LockFallbackTest, AWriterOnSuchAFileSystemStillKeepsTheTableAway) {
    const std::string path = MakeTable();
    flockFailure = EBADF;
    // Another program writing the table holds a byte-range write lock on it.
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t writer = ::fork();
    if (writer == 0) {
        ::close(ready[0]);
        ::close(release[1]);
        const int fd = ::open(path.c_str(), O_RDWR);
        struct flock lock {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        const char state = fd >= 0 && ::fcntl(fd, F_SETLK, &lock) == 0 ? 'L' : 'F';
        (void)!::write(ready[1], &state, 1);
        char ignored;
        (void)!::read(release[0], &ignored, 1);
        _exit(0);
    }
    ::close(ready[1]);
    ::close(release[0]);
    char state = 0;
    ASSERT_EQ(::read(ready[0], &state, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(state, 'L');
    const OpenAttempt attempt = session.access.files.TryOpen(path, OpenMode::Binary);
    EXPECT_EQ(attempt.number, 0);
    EXPECT_EQ(attempt.error, 70) << "in use by another program";
    ::close(release[1]);
    int status = 0;
    ::waitpid(writer, &status, 0);
    EXPECT_NE(session.access.files.TryOpen(path, OpenMode::Binary).number, 0);
}

TEST_F(LockFallbackTest, ALockHeldElsewhereIsNoReasonToReadUnlocked) {
    const std::string path = MakeTable();
    flockFailure = EWOULDBLOCK;
    const OpenAttempt attempt = session.access.files.TryOpen(path, OpenMode::Binary);
    EXPECT_EQ(attempt.number, 0);
    EXPECT_EQ(attempt.error, 70);
}

}  // namespace
}  // namespace tessaro
