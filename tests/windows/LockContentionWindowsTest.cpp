// The Windows twin of LockContentionTest: a table that another program holds is a table
// that tessaro-hold-file has open with share mode 0 in another process. The retries use the
// fixture's sleeper, which does not wait, so the other program is told when to let go.

#include "HoldingProcess.h"
#include "builder/TableBuilder.h"
#include "support/ContentionFixture.h"
#include "support/Subprocess.h"
#include "table/FillRecordCells.h"
#include "table/ReadTableHeader.h"
#include "table/RecordCells.h"
#include "table/ShowMemoField.h"

namespace tessaro {
namespace {

using test::FolderSnapshot;
using test::HoldingProcess;
using test::MemoBuilder;
using test::ReadFile;
using test::ReadMemoText;
using test::TableBuilder;

class WindowsLockContentionTest : public test::ContentionFixture {};

TEST_F(WindowsLockContentionTest, ATableHeldByAnotherProgramGivesTheRetryBoxAfterTheRetries) {
    const FolderSnapshot snapshot(dir.Path());
    HoldingProcess other(tablePath());
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

TEST_F(WindowsLockContentionTest, ATableReleasedWithinTwoSecondsIsReadSilently) {
    for (const int releasedAfter : {1, 199}) {
        SCOPED_TRACE(std::to_string(releasedAfter) + " waits");
        waits = 0;
        HoldingProcess other(tablePath());
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

TEST_F(WindowsLockContentionTest, ATableTakenBetweenHeaderAndRecordsIsWaitedFor) {
    session.tableInfo.FileName = tablePath();
    ASSERT_EQ(ReadTableHeader(session, tablePath(), nullptr), 1);
    HoldingProcess other(tablePath());
    ASSERT_TRUE(other.Holding()) << "the header read let go of the table";
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

TEST_F(WindowsLockContentionTest, RetryAfterTheOtherProgramLetGoReadsTheTable) {
    HoldingProcess other(tablePath());
    ASSERT_TRUE(other.Holding());
    desktop.answers = {BoxAnswer::Retry};
    desktop.onBox = [&](const test::ShownBox&) { other.Release(); };  // while the box is open
    EXPECT_EQ(Load(), 1);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Zugriffskonflikt !"});
    EXPECT_EQ(waits, 500);
    EXPECT_EQ(cells.CellText(0, 1), "Meier   ");
}

TEST_F(WindowsLockContentionTest, TwoProgramsReadingOneAfterTheOtherBothSucceed) {
    // The other program is tessaro-dump: it reads the table and lets go of it.
    const auto readElsewhere = [&] { return test::RunProgram({TESSARO_DUMP_PATH, tablePath()}); };
    const FolderSnapshot snapshot(dir.Path());
    const test::ProgramResult before = readElsewhere();
    EXPECT_EQ(before.exitCode, 0) << before.err;
    EXPECT_EQ(before.out, "Satznr.\tNAME\tNOTIZ\n1\tMeier   \tBlock: 1\n2\tSchulz  \t\n");
    EXPECT_EQ(Load(), 1);
    {
        HoldingProcess probe(tablePath());
        EXPECT_TRUE(probe.Holding()) << "the viewer keeps no table open after reading";
    }
    const test::ProgramResult after = readElsewhere();
    EXPECT_EQ(after.exitCode, 0);
    EXPECT_EQ(after.err, "");
    EXPECT_EQ(Load(), 1);
    EXPECT_EQ(waits, 0);
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(snapshot.Differences(), "");
}

TEST_F(WindowsLockContentionTest, AMemoFileHeldByAnotherProgram) {
    ASSERT_EQ(Load(), 1);
    const FolderSnapshot snapshot(dir.Path());
    {
        HoldingProcess other(memoPath());
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
        HoldingProcess other(memoPath());
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
        EXPECT_EQ(ReadMemoText(textPath()), "Notiz zu Meier\r\n");
        EXPECT_EQ(desktop.editorStarts, std::vector<std::string>{textPath()});
    }
    EXPECT_EQ(snapshot.Differences(".tmp"), "");
}

}  // namespace
}  // namespace tessaro
