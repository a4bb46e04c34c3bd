// The name questions of the Windows layer: separators, drives and UNC roots, hidden and
// system files, case-blind names, file identity, and UTF-8 names that reach Windows as
// UTF-16.

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "HoldingProcess.h"
#include "WindowsTestSupport.h"
#include "builder/TableBuilder.h"
#include "fileio/FileSystem.h"
#include "fileio/FileTable.h"
#include "support/TempDir.h"
#include "table/MemoFile.h"

namespace tessaro {
namespace {

using test::AddAttributes;
using test::AttributesOf;
using test::ReadFile;
using test::TempDir;
using test::Wide;
using test::WriteFile;

TEST(WindowsFileNames, BackslashSlashAndDriveEndTheFolderPart) {
    EXPECT_EQ(FileStem("C:\\daten.alt\\KUNDEN.DBF"), "C:\\daten.alt\\KUNDEN");
    EXPECT_EQ(FileStem("daten.alt\\KUNDEN"), "daten.alt\\KUNDEN");
    EXPECT_EQ(FileStem("C:/daten.alt/KUNDEN"), "C:/daten.alt/KUNDEN");
    EXPECT_EQ(FileStem("daten.alt/sub\\KUNDEN"), "daten.alt/sub\\KUNDEN");
    EXPECT_EQ(FileStem("daten.alt\\sub/KUNDEN"), "daten.alt\\sub/KUNDEN");
    EXPECT_EQ(FileStem("C:KUNDEN.DBF"), "C:KUNDEN");
    EXPECT_EQ(FileNameStart("C:KUNDEN.DBF"), 2u);
    EXPECT_EQ(FileNameStart("d:"), 2u);
    EXPECT_EQ(FileNameStart("1:KUNDEN.DBF"), 0u) << "no drive letter";
    const MemoFileNames names = MemoFileNamesFor("C:\\nirgends.alt\\KUNDEN.DBF");
    EXPECT_EQ(names.memo, "C:\\nirgends.alt\\KUNDEN.dbt");
    EXPECT_EQ(names.text, "C:\\nirgends.alt\\KUNDEN.tmp");
}

TEST(WindowsFileNames, TheServerAndShareOfAUncPathAreNoName) {
    for (const std::string root : {"\\\\server\\share.alt", "//server/share.alt", "\\\\server"}) {
        EXPECT_EQ(FileNameStart(root), root.size()) << root;
    }
    EXPECT_EQ(FileStem("\\\\server\\share.alt"), "\\\\server\\share.alt");
    EXPECT_EQ(FileStem("\\\\server.x\\share\\KUNDEN.DBF"), "\\\\server.x\\share\\KUNDEN");
    EXPECT_EQ(FileNameStart("\\\\?\\C:\\KUNDEN.DBF"), 7u);
    EXPECT_EQ(FileNameStart("\\\\?\\C:"), 6u);
}

TEST(WindowsFileSystem, HiddenAndSystemFilesCountAsMissing) {
    TempDir dir;
    for (const DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
        const std::string path = dir.File(std::string("f").append(std::to_string(attribute)));
        WriteFile(path, "x");
        EXPECT_TRUE(FileExists(path));
        ASSERT_TRUE(AddAttributes(path, attribute));
        EXPECT_FALSE(FileExists(path)) << attribute;
    }
    const std::string readOnly = dir.File("nur-lesen");
    WriteFile(readOnly, "x");
    ASSERT_TRUE(AddAttributes(readOnly, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
    EXPECT_TRUE(FileExists(readOnly));
    EXPECT_TRUE(FileExists(dir.Path())) << "a folder exists";
    EXPECT_FALSE(FileExists(dir.File("fehlt")));
    EXPECT_FALSE(FileExists(""));
}

TEST(WindowsFileSystem, SizesOfFilesAndFolders) {
    TempDir dir;
    WriteFile(dir.File("memo.dbt"), std::string(70000, 'm'));
    EXPECT_EQ(FindFileSize(dir.File("memo.dbt")), 70000);
    WriteFile(dir.File("leer.dbt"), "");
    EXPECT_EQ(FindFileSize(dir.File("leer.dbt")), 0);
    std::filesystem::create_directory(test::PathOf(dir.File("ordner")));
    EXPECT_EQ(FindFileSize(dir.File("ordner")), 0);
    EXPECT_EQ(FindFileSize(dir.File("fehlt.dbt")), -1);
    EXPECT_EQ(FindFileSize(dir.File("fehlt\\memo.dbt")), -1);
    EXPECT_EQ(FindFileSize(""), -1);
}

TEST(WindowsFileSystem, NamesAreFoundWhateverTheirCase) {
    TempDir dir;
    WriteFile(dir.File("KUNDEN.DBT"), "memo");
    EXPECT_EQ(FindNameIgnoringCase(dir.File("kunden.dbt")), dir.File("KUNDEN.DBT"))
        << "the name as given finds the file, as it is written";
    EXPECT_EQ(FindNameIgnoringCase(dir.File("fehlt.dbt")), std::nullopt);
    EXPECT_EQ(FindNameIgnoringCase(dir.Path() + "\\"), std::nullopt) << "no name at all";
    EXPECT_EQ(FindNameIgnoringCase("C:"), std::nullopt);
}

TEST(WindowsFileSystem, MatchingFilesOfTheCurrentFolder) {
    TempDir dir;
    for (const char* name : {"a.dbf", "B.DBF", "c.Dbf", "d.txt", "e.dbf.alt", "versteckt.dbf"}) {
        WriteFile(dir.File(name), "x");
    }
    ASSERT_TRUE(AddAttributes(dir.File("versteckt.dbf"), FILE_ATTRIBUTE_HIDDEN));
    std::filesystem::create_directory(test::PathOf(dir.File("ordner.dbf")));
    const test::CurrentFolder inside(dir.Path());
    std::vector<std::string> names = FindMatchingFiles("*.DBF", 10);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"B.DBF", "a.dbf", "c.Dbf"}))
        << "letters compared without case; folders and hidden files left out";
    EXPECT_EQ(FindMatchingFiles("*.dbf", 2).size(), 2u);
    EXPECT_TRUE(FindMatchingFiles("*.dbf", 0).empty());
    EXPECT_TRUE(FindMatchingFiles("*.xyz", 10).empty());
}

TEST(WindowsFileSystem, OneFileUnderTwoNamesIsTheSameFile) {
    TempDir dir;
    WriteFile(dir.File("kunden.dbt"), "memo");
    WriteFile(dir.File("andere.dbt"), "memo");
    ASSERT_TRUE(::CreateHardLinkW(Wide(dir.File("kunden.tmp")).c_str(),
                                  Wide(dir.File("kunden.dbt")).c_str(), nullptr));
    std::filesystem::create_directory(test::PathOf(dir.File("sub")));
    EXPECT_TRUE(SameFile(dir.File("kunden.tmp"), dir.File("kunden.dbt"))) << "a hard link";
    EXPECT_TRUE(SameFile(dir.File("KUNDEN.DBT"), dir.File("kunden.dbt"))) << "another case";
    EXPECT_TRUE(SameFile(dir.File("sub\\..\\kunden.dbt"), dir.Path() + "/kunden.dbt"))
        << "another spelling of the path";
    EXPECT_FALSE(SameFile(dir.File("andere.dbt"), dir.File("kunden.dbt")));
    EXPECT_FALSE(SameFile(dir.File("fehlt.dbt"), dir.File("fehlt.dbt")));
    EXPECT_FALSE(SameFile(dir.File("fehlt.dbt"), dir.File("kunden.dbt")));
}

TEST(WindowsFileSystem, AskingAboutAHeldFileNeitherFailsNorDisturbsTheHolder) {
    TempDir dir;
    WriteFile(dir.File("kunden.dbt"), "memo");
    test::HoldingProcess other(dir.File("kunden.dbt"));
    ASSERT_TRUE(other.Holding());
    EXPECT_TRUE(SameFile(dir.File("kunden.dbt"), dir.File("KUNDEN.DBT")));
    EXPECT_EQ(FindFileSize(dir.File("kunden.dbt")), 4);
    EXPECT_TRUE(FileExists(dir.File("kunden.dbt")));
    FileTable files;
    EXPECT_EQ(files.TryOpen(dir.File("kunden.dbt"), OpenMode::Binary).error, 70)
        << "the other program still holds it alone";
}

TEST(WindowsFileSystem, RemovingOneNameOfAFileKeepsTheOther) {
    TempDir dir;
    WriteFile(dir.File("fremd.txt"), "fremde Daten");
    ASSERT_TRUE(::CreateHardLinkW(Wide(dir.File("kunden.tmp")).c_str(),
                                  Wide(dir.File("fremd.txt")).c_str(), nullptr));
    EXPECT_EQ(RemoveFile(dir.File("kunden.tmp")), 0u);
    EXPECT_EQ(AttributesOf(dir.File("kunden.tmp")), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFile(dir.File("fremd.txt")), "fremde Daten");
    EXPECT_EQ(RemoveFile(dir.File("fehlt.tmp")), 0u) << "nothing there is nothing in the way";
    EXPECT_NE(RemoveFile(""), 0u);
}

// Wine shows a Linux symbolic link as the file it leads to and deletes that file in its
// place; a folder reached through such a link is the folder itself.
TEST(WindowsFileSystem, RemovingAFileNeverReachesThroughALinuxLinkUnderWine) {
    TempDir dir;
    TempDir elsewhere;
    WriteFile(elsewhere.File("fremd.txt"), "fremde Daten");
    if (!test::MakeLinuxSymbolicLink(dir.File("kunden.tmp"), elsewhere.File("fremd.txt"))) {
        GTEST_SKIP() << "Linux links exist only under Wine";
    }
    EXPECT_EQ(RemoveFile(dir.File("kunden.tmp")), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadFile(elsewhere.File("fremd.txt")), "fremde Daten");

    ASSERT_TRUE(test::MakeLinuxSymbolicLink(dir.File("weg"), elsewhere.Path()));
    EXPECT_EQ(RemoveFile(dir.File("weg\\fremd.txt")), 0u);
    EXPECT_EQ(AttributesOf(elsewhere.File("fremd.txt")), INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(test::RemoveLinuxSymbolicLink(dir.File("kunden.tmp")));
    EXPECT_TRUE(test::RemoveLinuxSymbolicLink(dir.File("weg")));

    // A link to a file beside it whose name differs only in case: on Linux that is another
    // file, whatever Windows would make of the two names.
    TempDir folder;
    WriteFile(folder.File("k.TMP"), "fremde Daten");
    const std::string linuxFolder = test::LinuxPathUnderWine(folder.Path());
    ASSERT_TRUE(test::RunLinuxProgramUntil({"/bin/ln", "-s", "k.TMP", linuxFolder + "/K.tmp"}, [&] {
        return test::NamesIn(folder.Path()).size() == 2;
    }));
    EXPECT_EQ(RemoveFile(folder.File("K.tmp")), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(ReadFile(folder.File("k.TMP")), "fremde Daten");
    EXPECT_EQ(test::NamesIn(folder.Path()).size(), 2u);
    EXPECT_TRUE(test::RunLinuxProgramUntil({"/bin/rm", linuxFolder + "/K.tmp"}, [&] {
        return test::NamesIn(folder.Path()).size() == 1;
    }));
}

// Something that is no plain file, whatever it is: no table can be read from it.
TEST(WindowsFileSystem, FoldersAndDevicesAreThereButNoFiles) {
    TempDir dir;
    WriteFile(dir.File("t.dbf"), "x");
    EXPECT_TRUE(ExistsButIsNoFile(dir.Path()));
    EXPECT_TRUE(ExistsButIsNoFile(dir.Path() + "\\"));
    EXPECT_TRUE(ExistsButIsNoFile("NUL"));
    EXPECT_FALSE(ExistsButIsNoFile(dir.File("t.dbf")));
    EXPECT_FALSE(ExistsButIsNoFile(dir.File("fehlt.dbf")));
    EXPECT_FALSE(ExistsButIsNoFile(""));
    if (test::MakeLinuxFifo(dir.File("fifo.dbf"))) {  // under Wine
        EXPECT_TRUE(ExistsButIsNoFile(dir.File("fifo.dbf")));
        FileTable files;
        EXPECT_EQ(files.TryOpen(dir.File("fifo.dbf"), OpenMode::Binary).error, kErrNotAFile);
        EXPECT_TRUE(test::RemoveLinuxFifo(dir.File("fifo.dbf")));
    }
}

// Names in UTF-8 reach Windows as UTF-16, also beyond the ANSI code page ("Łódź" is not in
// code page 1252), and come back from it in UTF-8.
TEST(WindowsFileSystem, NamesBeyondAsciiAreTheNamesOnDisk) {
    TempDir dir;
    const std::wstring folder = Wide(dir.Path()) + L"\\";
    const HANDLE made = ::CreateFileW((folder + L"M\u00fcller.dbf").c_str(), GENERIC_WRITE, 0,
                                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(made, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(made, "Tabelle", 7, &written, nullptr);
    ::CloseHandle(made);

    const std::string mueller = dir.File("M\xC3\xBCller.dbf");
    EXPECT_TRUE(FileExists(mueller));
    EXPECT_EQ(FindFileSize(mueller), 7);
    FileTable files;
    const OpenAttempt table = files.TryOpen(mueller, OpenMode::Binary);
    ASSERT_EQ(table.error, kNoError);
    EXPECT_EQ(files.ReadString(table.number, 7), "Tabelle");

    const std::string lodz = dir.File(
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA.tmp");
    const OpenAttempt text = files.TryOpen(lodz, OpenMode::Append);
    ASSERT_EQ(text.error, kNoError);
    files.CloseAll();
    EXPECT_NE(::GetFileAttributesW((folder + L"\u0141\u00f3d\u017a.tmp").c_str()),
              INVALID_FILE_ATTRIBUTES);

    const test::CurrentFolder inside(dir.Path());
    EXPECT_EQ(FindMatchingFiles("*.dbf", 10), std::vector<std::string>{"M\xC3\xBCller.dbf"});
    EXPECT_EQ(FindMatchingFiles("*.tmp", 10), std::vector<std::string>{"\xC5\x81\xC3\xB3"
                                                                       "d\xC5\xBA.tmp"});
}

TEST(WindowsFileSystem, NamesNoFileCanHaveAreBadNames) {
    TempDir dir;
    FileTable files;
    EXPECT_EQ(files.TryOpen(dir.File("\xFF\xFE.dbf"), OpenMode::Binary).error, 64) << "not UTF-8";
    EXPECT_EQ(files.TryOpen(dir.File(std::string(256, 'x')), OpenMode::Append).error, 64)
        << "longer than any name on a Windows disk";
    EXPECT_FALSE(FileExists(dir.File("\xFF.dbf")));
    EXPECT_EQ(FindFileSize(dir.File("\xFF.dbf")), -1);
}

}  // namespace
}  // namespace tessaro
