// A table that another program holds: a second process takes the same exclusive flock the
// viewer takes. The retries use the fixture's sleeper, which does not wait, so the other
// program is told when to let go instead of holding the file for a time.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include "builder/TableBuilder.h"
#include "support/ContentionFixture.h"
#include "table/FillRecordCells.h"
#include "table/ReadTableHeader.h"
#include "table/RecordCells.h"
#include "table/ShowMemoField.h"

namespace tessaro {
namespace {

using test::FolderSnapshot;
using test::MemoBuilder;
using test::ReadFile;
using test::TableBuilder;

// Another process that opens a file and holds an exclusive lock on it until it is told to
// let go; Release returns once the process has ended and the lock is surely gone.
class OtherProgram {
public:
    explicit OtherProgram(const std::string& path) {
        int ready[2];
        int release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0) {
            ADD_FAILURE() << "no pipe";
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            const int fd = ::open(path.c_str(), O_RDONLY);
            char state = fd >= 0 && ::flock(fd, LOCK_EX) == 0 ? 'L' : 'F';
            (void)!::write(ready[1], &state, 1);
            (void)!::read(release[0], &state, 1);  // returns when the test closes its end
            _exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        release_ = release[1];
        char state = 0;
        holding_ = ::read(ready[0], &state, 1) == 1 && state == 'L';
        ::close(ready[0]);
    }
    ~OtherProgram() { Release(); }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

    bool Holding() const { return holding_; }

    void Release() {
        if (release_ >= 0) {
            ::close(release_);
            release_ = -1;
        }
        if (pid_ > 0) {
            int status = 0;
            ::waitpid(pid_, &status, 0);
            pid_ = -1;
        }
        holding_ = false;
    }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool holding_ = false;
};

// Runs `load` in a child process, as a second instance of the viewer, and returns its
// exit code.
int RunAsOtherProgram(const std::function<int()>& load) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        _exit(load());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool LockedNow(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    const bool locked = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
    ::close(fd);
    return locked;
}

class LockContentionTest : public test::ContentionFixture {};

TEST_F(LockContentionTest, ATableHeldByAnotherProgramGivesTheRetryBoxAfterTheRetries) {
    const FolderSnapshot snapshot(dir.Path());
    OtherProgram other(tablePath());
    ASSERT_TRUE(other.Holding());
    EXPECT_EQ(Load(), -1);
    EXPECT_EQ(waits, 500) << "five seconds of attempts";
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[0].text, "Zugriffskonflikt !");
    EXPECT_EQ(desktop.boxes[0].caption, "Morvane - Fehler");
    EXPECT_EQ(desktop.boxes[0].style, BoxButtons::RetryCancel | BoxIcon::Question);
    EXPECT_EQ(desktop.boxes[1].text, "Die Datei " + tablePath() + "\r\nist gesperrt.");
    EXPECT_EQ(session.access.files.OpenCount(), 0);
    other.Release();
    EXPECT_EQ(snapshot.Differences(), "");
}

TEST_F(LockContentionTest, ATableReleasedWithinTwoSecondsIsReadSilently) {
    for (const int releasedAfter : {1, 100, 199}) {
        SCOPED_TRACE(std::to_string(releasedAfter) + " waits");
        waits = 0;
        OtherProgram other(tablePath());
        ASSERT_TRUE(other.Holding());
        onWait = [&](int count) {
            if (count == releasedAfter) {
                other.Release();
            }
        };
        EXPECT_EQ(Load(), 1);
        onWait = nullptr;
        EXPECT_EQ(waits, releasedAfter);
        EXPECT_TRUE(desktop.boxes.empty());
        EXPECT_EQ(cells.CellText(1, 1), "Schulz  ");
    }
}

TEST_F(LockContentionTest, ATableTakenBetweenHeaderAndRecordsIsWaitedFor) {
    session.tableInfo.FileName = tablePath();
    ASSERT_EQ(ReadTableHeader(session, tablePath(), nullptr), 1);
    OtherProgram other(tablePath());
    ASSERT_TRUE(other.Holding());
    onWait = [&](int count) {
        if (count == 150) {
            other.Release();
        }
    };
    EXPECT_EQ(cells.Load(session), 1);
    EXPECT_EQ(waits, 150);
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(cells.CellText(0, 1), "Meier   ");
}

TEST_F(LockContentionTest, RetryAfterTheOtherProgramLetGoReadsTheTable) {
    OtherProgram other(tablePath());
    ASSERT_TRUE(other.Holding());
    desktop.answers = {BoxAnswer::Retry};
    desktop.onBox = [&](const test::ShownBox&) { other.Release(); };  // while the box is open
    EXPECT_EQ(Load(), 1);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Zugriffskonflikt !"});
    EXPECT_EQ(waits, 500);
    EXPECT_EQ(cells.CellText(0, 1), "Meier   ");
}

TEST_F(LockContentionTest, TwoProgramsReadingOneAfterTheOtherBothSucceed) {
    // Each program reads the table and lets go of it: the next one finds it free.
    const auto loadElsewhere = [&] {
        test::FakeDesktop otherDesktop;
        Session otherSession(otherDesktop);
        otherSession.access.retry.retryLimit = 0;
        otherSession.tableInfo.FileName = tablePath();
        if (ReadTableHeader(otherSession, tablePath(), nullptr) != 1) {
            return 1;
        }
        RecordCells otherCells;
        if (otherCells.Load(otherSession) != 1 || otherCells.CellText(1, 1) != "Schulz  ") {
            return 2;
        }
        return otherDesktop.boxes.empty() ? 0 : 3;
    };
    const FolderSnapshot snapshot(dir.Path());
    EXPECT_EQ(RunAsOtherProgram(loadElsewhere), 0) << "the other program first";
    EXPECT_FALSE(LockedNow(tablePath()));
    EXPECT_EQ(Load(), 1);
    EXPECT_FALSE(LockedNow(tablePath())) << "the viewer keeps no lock after reading";
    EXPECT_EQ(RunAsOtherProgram(loadElsewhere), 0) << "the other program after the viewer";
    EXPECT_EQ(Load(), 1);
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(snapshot.Differences(), "");
}

TEST_F(LockContentionTest, AMemoFileHeldByAnotherProgram) {
    ASSERT_EQ(Load(), 1);
    const FolderSnapshot snapshot(dir.Path());
    {
        OtherProgram other(memoPath());
        ASSERT_TRUE(other.Holding());
        desktop.answers = {BoxAnswer::Yes};
        ShowMemoField(session, nullptr, &cells, 0);
        EXPECT_EQ(BoxTexts(), (std::vector<std::string>{
                                  "In Datei kopieren und anzeigen ?", "Zugriffskonflikt !",
                                  "Memodatei " + memoPath() + "\rkann nicht geöffnet werden"}));
        EXPECT_TRUE(desktop.editorStarts.empty());
    }
    desktop.boxes.clear();
    waits = 0;
    {
        OtherProgram other(memoPath());
        ASSERT_TRUE(other.Holding());
        onWait = [&](int count) {
            if (count == 120) {
                other.Release();
            }
        };
        desktop.answers = {BoxAnswer::Yes};
        ShowMemoField(session, nullptr, &cells, 0);
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"In Datei kopieren und anzeigen ?"});
        EXPECT_EQ(waits, 120);
        EXPECT_EQ(ReadFile(textPath()), "Notiz zu Meier\r\n");
        EXPECT_EQ(desktop.editorStarts, std::vector<std::string>{textPath()});
    }
    EXPECT_EQ(snapshot.Differences(".tmp"), "");
}

}  // namespace
}  // namespace tessaro
