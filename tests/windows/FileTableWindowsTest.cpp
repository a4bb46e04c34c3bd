// The Windows twins of the file table's POSIX-only tests: another program's open is a
// share-mode-0 open in another process, a new text file's rights come from its folder,
// and a text file is never written through another name of an existing file.

#include <gtest/gtest.h>

#include "HoldingProcess.h"
#include "WindowsTestSupport.h"
#include "builder/TableBuilder.h"
#include "fileio/FileTable.h"
#include "support/TempDir.h"

namespace tessaro {
namespace {

using test::AddAttributes;
using test::AttributesOf;
using test::ReadFile;
using test::TempDir;
using test::Wide;
using test::WriteFile;

TEST(WindowsFileTable, AFileHeldByAnotherProgramIsInUseUntilItLetsGo) {
    TempDir dir;
    WriteFile(dir.File("t.dbf"), "data");
    FileTable files;
    test::HoldingProcess other(dir.File("t.dbf"));
    ASSERT_TRUE(other.Holding());
    EXPECT_EQ(files.TryOpen(dir.File("t.dbf"), OpenMode::Binary).error, 70);
    other.Release();
    const OpenAttempt attempt = files.TryOpen(dir.File("t.dbf"), OpenMode::Binary);
    ASSERT_NE(attempt.number, 0);
    EXPECT_EQ(files.ReadString(attempt.number, 4), "data");
}

TEST(WindowsFileTable, AFileOpenHereKeepsAnotherProgramOut) {
    TempDir dir;
    WriteFile(dir.File("t.dbf"), "data");
    FileTable files;
    ASSERT_NE(files.TryOpen(dir.File("t.dbf"), OpenMode::Binary).number, 0);
    test::HoldingProcess other(dir.File("t.dbf"));
    EXPECT_FALSE(other.Holding());
    files.CloseAll();
    test::HoldingProcess later(dir.File("t.dbf"));
    EXPECT_TRUE(later.Holding()) << "closed means free";
}

// On Windows the new text file gets the rights its folder gives; were the memo file's
// read-only attribute passed on, the next memo could not replace it.
TEST(WindowsFileTable, ANewTextFileIsNotReadOnlyWhenItsModelIs) {
    TempDir dir;
    WriteFile(dir.File("KUNDEN.DBT"), "memo");
    ASSERT_TRUE(AddAttributes(dir.File("KUNDEN.DBT"), FILE_ATTRIBUTE_READONLY));
    FileTable files;
    const FileNumber model = files.TryOpen(dir.File("KUNDEN.DBT"), OpenMode::Binary).number;
    ASSERT_NE(model, 0);
    const FileNumber text = files.TryOpen(dir.File("KUNDEN.tmp"), OpenMode::Append, model).number;
    ASSERT_NE(text, 0);
    EXPECT_EQ(files.WriteText(text, "Notiz"), kNoError);
    files.CloseAll();
    EXPECT_EQ(AttributesOf(dir.File("KUNDEN.tmp")) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ReadFile(dir.File("KUNDEN.tmp")), "Notiz");
    EXPECT_TRUE(::DeleteFileW(Wide(dir.File("KUNDEN.tmp")).c_str()));
}

TEST(WindowsFileTable, AnAppendFileIsNeverWrittenThroughAnotherNameOfAFile) {
    TempDir dir;
    WriteFile(dir.File("precious"), "keep");
    ASSERT_TRUE(::CreateHardLinkW(Wide(dir.File("out.tmp")).c_str(),
                                  Wide(dir.File("precious")).c_str(), nullptr));
    FileTable files;
    const OpenAttempt attempt = files.TryOpen(dir.File("out.tmp"), OpenMode::Append);
    EXPECT_EQ(attempt.number, 0);
    EXPECT_EQ(attempt.error, 75);
    EXPECT_EQ(ReadFile(dir.File("precious")), "keep");
}

TEST(WindowsFileTable, AnAppendFileIsNeverWrittenThroughASymbolicLink) {
    TempDir dir;
    WriteFile(dir.File("precious"), "keep");
    if (!test::MakeSymbolicLink(dir.File("out.tmp"), dir.File("precious")) ||
        !test::MakeSymbolicLink(dir.File("dangling.tmp"), dir.File("nowhere"))) {
        GTEST_SKIP() << "this system makes no symbolic links for this user; "
                        "AnAppendFileIsNeverWrittenThroughAnotherNameOfAFile covers the rule";
    }
    FileTable files;
    EXPECT_EQ(files.TryOpen(dir.File("out.tmp"), OpenMode::Append).error, 75);
    EXPECT_EQ(files.TryOpen(dir.File("dangling.tmp"), OpenMode::Append).error, 75);
    EXPECT_EQ(ReadFile(dir.File("precious")), "keep");
    EXPECT_EQ(AttributesOf(dir.File("nowhere")), INVALID_FILE_ATTRIBUTES)
        << "nothing made where it points";
}

TEST(WindowsFileTable, DevicesAndFoldersAreNoFiles) {
    TempDir dir;
    FileTable files;
    EXPECT_EQ(files.TryOpen("NUL", OpenMode::Binary).error, kErrNotAFile);
    EXPECT_EQ(files.TryOpen(dir.Path(), OpenMode::Binary).error, kErrNotAFile);
    EXPECT_EQ(files.TryOpen(dir.Path() + "\\", OpenMode::Binary).error, kErrNotAFile);
    EXPECT_EQ(files.OpenCount(), 0);
}

TEST(WindowsFileTable, ReadsBeyondTheEndGiveNothingAndNoError) {
    TempDir dir;
    WriteFile(dir.File("t"), "abc");
    FileTable files;
    const FileNumber file = files.TryOpen(dir.File("t"), OpenMode::Binary).number;
    ASSERT_NE(file, 0);
    files.SetPosition(file, 10);
    ErrorNumber error = kNoError;
    EXPECT_EQ(files.ReadString(file, 5, &error), "");
    EXPECT_EQ(error, kNoError) << "the end of a file is no read error";
}

}  // namespace
}  // namespace tessaro
