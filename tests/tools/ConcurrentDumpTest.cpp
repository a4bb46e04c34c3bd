// Two programs waiting for the same table: while a third holds it, both retry; when it
// lets go, one gets in first and the other waits its turn instead of failing. Real
// waiting, hence a slow test.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>

#include <gtest/gtest.h>

#include "builder/TableBuilder.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

namespace tessaro {
namespace {

using test::ProgramResult;
using test::RunProgram;
using test::TableBuilder;
using test::TempDir;

// A process that holds an exclusive lock on a file for a while; the constructor returns
// once the lock is taken.
class HoldingProcess {
public:
    HoldingProcess(const std::string& path, int holdMilliseconds) {
        int ready[2];
        if (::pipe(ready) != 0) {
            ADD_FAILURE() << "no pipe";
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            const int fd = ::open(path.c_str(), O_RDONLY);
            ::flock(fd, LOCK_EX);
            (void)!::write(ready[1], "L", 1);
            ::usleep(static_cast<useconds_t>(holdMilliseconds) * 1000);
            _exit(0);
        }
        ::close(ready[1]);
        char state = 0;
        (void)!::read(ready[0], &state, 1);
        ::close(ready[0]);
    }
    ~HoldingProcess() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }

private:
    pid_t pid_ = -1;
};

TEST(DumpSlow, TwoProgramsWaitingForTheSameTableBothReadIt) {
    TempDir dir;
    TableBuilder table;
    table.Field("NR", 'N', 6).Field("NAME", 'C', 40);
    for (int i = 1; i <= 65536; ++i) {
        table.Record({std::to_string(i), "Kunde " + std::to_string(i % 977)});
    }
    table.WriteTo(dir.File("t.dbf"));

    ProgramResult first;
    ProgramResult second;
    {
        HoldingProcess holder(dir.File("t.dbf"), 1000);
        std::thread other([&] {
            second = RunProgram({TESSARO_DUMP_PATH, "--csv", dir.File("t.dbf")});
        });
        first = RunProgram({TESSARO_DUMP_PATH, "--csv", dir.File("t.dbf")});
        other.join();
    }
    for (const ProgramResult* result : {&first, &second}) {
        EXPECT_EQ(result->exitCode, 0) << result->err;
        EXPECT_EQ(result->err, "") << "no box: the table came free within the retries";
    }
    EXPECT_EQ(first.out.size(), second.out.size());
    EXPECT_TRUE(first.out == second.out);
    EXPECT_NE(first.out.find("\r\n65536,65536,Kunde 77 "), std::string::npos);
}

}  // namespace
}  // namespace tessaro
