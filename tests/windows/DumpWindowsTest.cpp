// tessaro-dump.exe as a Windows program: names beyond the ANSI code page on the command
// line, and tables held by another Windows program (the twins of the fork-and-flock cases
// of DumpTest and ConcurrentDumpTest). The held-table cases wait for real: slow tests.

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "HoldingProcess.h"
#include "WindowsTestSupport.h"
#include "builder/TableBuilder.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"

namespace tessaro {
namespace {

using test::HoldingProcess;
using test::MemoBuilder;
using test::ProgramResult;
using test::RunProgram;
using test::TableBuilder;
using test::TempDir;

ProgramResult Dump(const std::vector<std::string>& args, const std::string& workingDir = "") {
    std::vector<std::string> argv{TESSARO_DUMP_PATH};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv, workingDir);
}

std::string Escaped(const std::string& path) {
    std::string escaped;
    for (const char c : path) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

TEST(WindowsDump, NamesBeyondTheAnsiCodePageArriveWhole) {
    TempDir dir;
    std::filesystem::create_directory(test::PathOf(dir.File("mit Leerzeichen")));
    // "Łódź" has letters that no ANSI code page of Western Europe has; "Müller" one that
    // code page 1252 has and the OEM code page writes differently.
    for (const std::string name : {"M\xC3\xBCller",
                                   "\xC5\x81\xC3\xB3"
                                   "d\xC5\xBA",
                                   "mit Leerzeichen\\kunden liste"}) {
        SCOPED_TRACE(name);
        TableBuilder()
            .Field("NOTIZ", 'M', 10)
            .Record({"         1"})
            .WriteTo(dir.File(name + ".dbf"));
        MemoBuilder(512).Memo(1, "Notiz\n").WriteTo(dir.File(name + ".dbt"));
        const ProgramResult info = Dump({"--info", dir.File(name + ".dbf")});
        EXPECT_EQ(info.exitCode, 0) << info.err;
        EXPECT_EQ(info.out.substr(0, info.out.find('\n')),
                  "Datei\t" + Escaped(dir.File(name + ".dbf")));
        const ProgramResult memo = Dump({"--memo", "1", name + ".dbf"}, dir.Path());
        EXPECT_EQ(memo.exitCode, 0) << memo.err;
        EXPECT_EQ(memo.out, "\xEF\xBB\xBFNotiz\n\r\n")
            << "the memo file beside it, as a text file of Windows begins";
    }
}

TEST(WindowsDump, MessagesNameTheTableInUtf8) {
    TempDir dir;
    const std::string table = dir.File(
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA.dbf");
    TableBuilder().Field("NOTIZ", 'M', 10).Record({"         1"}).WriteTo(table);
    const ProgramResult result = Dump({"--memo", "1", table});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Die Memodatei " +
                              dir.File("\xC5\x81\xC3\xB3"
                                       "d\xC5\xBA.dbt") +
                              " fehlt oder ist kürzer als 32 Bytes.\n");
}

TEST(WindowsDumpSlow, ATableHeldByAnotherProgramIsReportedAfterFiveSeconds) {
    TempDir dir;
    TableBuilder().Field("A", 'C', 1).WriteTo(dir.File("t.dbf"));
    HoldingProcess holder(dir.File("t.dbf"), 8.0);
    ASSERT_TRUE(holder.Holding());
    const auto start = std::chrono::steady_clock::now();
    const ProgramResult result = Dump({"--info", dir.File("t.dbf")});
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Morvane - Fehler: Zugriffskonflikt !\nTessaro Programminfo: Die Datei " +
                              dir.File("t.dbf") + "\nist gesperrt.\n");
}

TEST(WindowsDumpSlow, ATableReleasedWithinTwoSecondsIsReadSilently) {
    TempDir dir;
    TableBuilder().Field("A", 'C', 1).Record({"x"}).WriteTo(dir.File("t.dbf"));
    HoldingProcess holder(dir.File("t.dbf"), 2.0);
    ASSERT_TRUE(holder.Holding());
    const auto start = std::chrono::steady_clock::now();
    const ProgramResult result = Dump({dir.File("t.dbf")});
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500))
        << "it waited for the other program";
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "Satznr.\tA\n1\tx\n");
}

// Two programs waiting for the same table: while a third holds it, both retry; when it
// lets go, one gets in first and the other waits its turn instead of failing.
TEST(WindowsDumpSlow, TwoProgramsWaitingForTheSameTableBothReadIt) {
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
        HoldingProcess holder(dir.File("t.dbf"), 1.0);
        ASSERT_TRUE(holder.Holding());
        std::thread other([&] { second = Dump({"--csv", dir.File("t.dbf")}); });
        first = Dump({"--csv", dir.File("t.dbf")});
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
