// The Windows twins of ShowMemoFieldTest's POSIX-only cases: another name in place of the
// text file, an old text file that cannot be deleted, rights of the new text file, and
// memo file names in any case; and what only Windows has: an old text file that another
// program holds, hidden or system files, Linux links seen through Wine.

#include "HoldingProcess.h"
#include "WindowsTestSupport.h"
#include "builder/TableBuilder.h"
#include "fileio/FileSystem.h"
#include "support/CoreFixture.h"
#include "table/FillRecordCells.h"
#include "table/MemoFile.h"
#include "table/ReadTableHeader.h"
#include "table/RecordCells.h"
#include "table/ShowMemoField.h"

namespace tessaro {
namespace {

using test::AddAttributes;
using test::AttributesOf;
using test::FolderSnapshot;
using test::MemoBuilder;
using test::ReadFile;
using test::ReadMemoText;
using test::TableBuilder;
using test::Wide;
using test::WriteFile;

class WindowsShowMemoFieldTest : public test::CoreFixture {
protected:
    // KUNDEN.DBF with one record whose memo is "neu" in KUNDEN.dbt, loaded.
    void MakeAndLoad(const std::string& memo = "neu") {
        TableBuilder()
            .Field("NAME", 'C', 10)
            .Field("NOTIZ", 'M', 10)
            .Record({"Kunde", "         1"})
            .WriteTo(tablePath());
        MemoBuilder(512).Memo(1, memo).WriteTo(memoPath());
        session.tableInfo.FileName = tablePath();
        ASSERT_EQ(ReadTableHeader(session, tablePath(), nullptr), 1);
        ASSERT_EQ(cells.Load(session), 1);
    }
    // Answers the question with Yes (and any box after it as given) and shows the memo.
    void ShowFirstRow(std::deque<BoxAnswer> laterAnswers = {}) {
        desktop.boxes.clear();
        desktop.answers = {BoxAnswer::Yes};
        desktop.answers.insert(desktop.answers.end(), laterAnswers.begin(), laterAnswers.end());
        const FolderSnapshot snapshot(dir.Path());
        ShowMemoField(session, nullptr, &cells, 0);
        EXPECT_EQ(session.access.files.OpenCount(), 0);
        EXPECT_EQ(snapshot.Differences(".tmp"), "") << "table and memo file stay as they were";
    }
    std::string tablePath() const { return dir.File("KUNDEN.DBF"); }
    std::string memoPath() const { return dir.File("KUNDEN.dbt"); }
    std::string textPath() const { return dir.File("KUNDEN.tmp"); }

    RecordCells cells;
};

TEST_F(WindowsShowMemoFieldTest, AnotherNameOfAFileInPlaceOfTheTextFileIsRemovedNotWrittenThrough) {
    test::TempDir elsewhere;
    WriteFile(elsewhere.File("fremd.txt"), "fremde Daten");
    ASSERT_TRUE(::CreateHardLinkW(Wide(textPath()).c_str(),
                                  Wide(elsewhere.File("fremd.txt")).c_str(), nullptr));
    MakeAndLoad();
    ShowFirstRow();
    EXPECT_EQ(ReadMemoText(textPath()), "neu\r\n");
    EXPECT_EQ(ReadFile(elsewhere.File("fremd.txt")), "fremde Daten");
    EXPECT_EQ(desktop.editorStarts, std::vector<std::string>{textPath()});
}

TEST_F(WindowsShowMemoFieldTest, ASymbolicLinkInPlaceOfTheTextFileIsRemovedNotFollowed) {
    test::TempDir elsewhere;
    WriteFile(elsewhere.File("fremd.txt"), "fremde Daten");
    if (!test::MakeSymbolicLink(textPath(), elsewhere.File("fremd.txt"))) {
        GTEST_SKIP() << "this system makes no symbolic links for this user; the hard-link "
                        "case covers the rule";
    }
    MakeAndLoad();
    ShowFirstRow();
    EXPECT_EQ(AttributesOf(textPath()) & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    EXPECT_EQ(ReadMemoText(textPath()), "neu\r\n");
    EXPECT_EQ(ReadFile(elsewhere.File("fremd.txt")), "fremde Daten");
}

// A read-only file cannot be deleted on Windows: the memo must not go into it, nor into
// anything else of that name.
TEST_F(WindowsShowMemoFieldTest, AnUndeletableOldTextFileIsNeverWrittenTo) {
    WriteFile(textPath(), "fremd");
    ASSERT_TRUE(AddAttributes(textPath(), FILE_ATTRIBUTE_READONLY));
    MakeAndLoad("geheim");
    session.access.retry.retryLimit = 0;
    ShowFirstRow();
    ASSERT_EQ(desktop.boxes.size(), 3u);
    EXPECT_EQ(desktop.boxes[1].text, "Verzeichnis kann nicht gelöscht oder umbenannt werden !");
    EXPECT_EQ(desktop.boxes[2].text, "Memodatei " + textPath() + "\rkann nicht erstellt werden");
    EXPECT_TRUE(desktop.editorStarts.empty());
    EXPECT_EQ(ReadMemoText(textPath()), "fremd");
}

// Wine shows a Linux symbolic link as the file it points to, and deletes that file when
// asked to delete the link: the old text file must then stay, and nothing else be touched.
TEST_F(WindowsShowMemoFieldTest, ALinuxSymbolicLinkInPlaceOfTheTextFileIsNeverFollowedUnderWine) {
    test::TempDir elsewhere;
    for (const std::string& target : {elsewhere.File("fremd.txt"), dir.File("fremd.txt")}) {
        SCOPED_TRACE(target);
        WriteFile(target, "fremde Daten");
        if (!test::MakeLinuxSymbolicLink(textPath(), target)) {
            GTEST_SKIP() << "Linux links exist only under Wine";
        }
        MakeAndLoad("geheim");
        session.access.retry.retryLimit = 0;
        ShowFirstRow();
        EXPECT_EQ(ReadFile(target), "fremde Daten");
        ASSERT_FALSE(desktop.boxes.empty());
        EXPECT_EQ(desktop.boxes.back().text,
                  "Memodatei " + textPath() + "\rkann nicht erstellt werden");
        EXPECT_TRUE(desktop.editorStarts.empty());
        EXPECT_TRUE(test::RemoveLinuxSymbolicLink(textPath()));
    }
}

// Another program holds the old text file: it is in use, and once the other program has let
// go, "Wiederholen" deletes it and the memo is shown.
TEST_F(WindowsShowMemoFieldTest, AHeldOldTextFileIsInUseAndRetryReplacesIt) {
    MakeAndLoad();
    WriteFile(textPath(), "alt");
    test::HoldingProcess other(textPath());
    ASSERT_TRUE(other.Holding());
    session.access.retry.retryLimit = 0;
    desktop.onBox = [&other](const test::ShownBox& box) {
        if (box.text == "Zugriffskonflikt !") {
            other.Release();
        }
    };
    ShowFirstRow({BoxAnswer::Retry});
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[1].text, "Zugriffskonflikt !");
    EXPECT_EQ(desktop.boxes[1].style, BoxButtons::RetryCancel | BoxIcon::Question);
    EXPECT_EQ(ReadMemoText(textPath()), "neu\r\n");
    EXPECT_EQ(desktop.editorStarts, std::vector<std::string>{textPath()});
}

// Hidden and system files are no names a user works with, but an old text file that has
// become one is still the old text file.
TEST_F(WindowsShowMemoFieldTest, AHiddenOrSystemOldTextFileIsReplacedLikeAnyOther) {
    MakeAndLoad();
    for (const DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        SCOPED_TRACE(attribute);
        WriteFile(textPath(), "alt");
        ASSERT_TRUE(AddAttributes(textPath(), attribute));
        ASSERT_NE(AttributesOf(textPath()) & attribute, 0u);
        desktop.editorStarts.clear();
        ShowFirstRow();
        EXPECT_EQ(ReadMemoText(textPath()), "neu\r\n");
        EXPECT_EQ(AttributesOf(textPath()) & attribute, 0u);
        EXPECT_EQ(desktop.editorStarts, std::vector<std::string>{textPath()});
    }
}

TEST_F(WindowsShowMemoFieldTest, TheTextFileOfAReadOnlyMemoFileCanBeReplacedNextTime) {
    MakeAndLoad("privat");
    ASSERT_TRUE(AddAttributes(memoPath(), FILE_ATTRIBUTE_READONLY));
    ShowFirstRow();
    EXPECT_EQ(ReadMemoText(textPath()), "privat\r\n");
    EXPECT_EQ(AttributesOf(textPath()) & FILE_ATTRIBUTE_READONLY, 0u);
    WriteFile(textPath(), "vom Benutzer geändert");
    ShowFirstRow();
    EXPECT_EQ(ReadMemoText(textPath()), "privat\r\n");
    EXPECT_EQ(desktop.editorStarts.size(), 2u);
}

// Windows finds names without regard to case: a memo file in another case is the memo
// file, and there cannot be two that differ only in case.
TEST_F(WindowsShowMemoFieldTest, MemoFileNamesInAnyCaseNameTheOneFile) {
    MakeAndLoad();
    ASSERT_TRUE(::DeleteFileW(Wide(memoPath()).c_str()));
    MemoBuilder(512).Memo(1, "gross").WriteTo(dir.File("KUNDEN.DBT"));
    EXPECT_EQ(MemoFileNamesFor(tablePath()).memo, dir.File("KUNDEN.DBT"))
        << "the name as it is written in the folder, as Linux finds it";
    MemoBuilder(512).Memo(1, "klein").WriteTo(dir.File("kunden.Dbt"));
    const test::CurrentFolder inside(dir.Path());
    EXPECT_EQ(FindMatchingFiles("*.dbt", 10).size(), 1u) << "one file, written twice";
    ShowFirstRow();
    EXPECT_EQ(ReadMemoText(textPath()), "klein\r\n");
}

}  // namespace
}  // namespace tessaro
