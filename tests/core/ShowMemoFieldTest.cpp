#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>

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

using test::Bytes;
using test::FolderSnapshot;
using test::MemoBuilder;
using test::ReadFile;
using test::ReadMemoText;
using test::TableBuilder;
using test::WriteFile;

WindowHandle const kOwner = reinterpret_cast<WindowHandle>(0x77);

class ShowMemoFieldTest : public test::CoreFixture {
protected:
    // A table KUNDEN.DBF: a name and one memo field; record n refers to block n (0: none).
    void MakeTable(const std::vector<int>& blocks) {
        TableBuilder table;
        table.Field("NAME", 'C', 10).Field("NOTIZ", 'M', 10);
        for (const int block : blocks) {
            table.Record({"Kunde", block == 0 ? "" : std::string(9, ' ') + std::to_string(block)});
        }
        table.WriteTo(tablePath());
    }
    std::string tablePath() const { return dir.File("KUNDEN.DBF"); }
    std::string memoPath() const { return dir.File("KUNDEN.dbt"); }
    std::string textPath() const { return dir.File("KUNDEN.tmp"); }

    void Load(const std::string& path = "") {
        session.tableInfo.FileName = path.empty() ? tablePath() : path;
        ASSERT_EQ(ReadTableHeader(session, session.tableInfo.FileName, kOwner), 1);
        ASSERT_EQ(cells.Load(session), 1);
        UseCodePage(session, cells, AutomaticCodePage(session, cells).codePage);
        desktop.boxes.clear();
    }

    // Answers the question with Yes and shows the memo of a row.
    void ShowRow(std::int32_t row) {
        desktop.answers = {BoxAnswer::Yes};
        snapshot.emplace(dir.Path());
        ShowMemoField(session, kOwner, &cells, row);
        EXPECT_EQ(session.access.files.OpenCount(), 0);
        EXPECT_EQ(snapshot->Differences(".tmp"), "") << "table and memo file stay as they were";
    }

    void ExpectNothingHappened() {
        EXPECT_FALSE(FileExists(textPath()));
        EXPECT_TRUE(desktop.editorStarts.empty());
    }

    RecordCells cells;
    std::optional<FolderSnapshot> snapshot;
};

TEST_F(ShowMemoFieldTest, CopiesTheMemoIntoTheTextFileAndStartsTheEditor) {
    MakeTable({0, 0, 3});
    MemoBuilder(512).Memo(3, "Hallo Welt!").WriteTo(memoPath());
    Load();
    ShowRow(2);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].text, "In Datei kopieren und anzeigen ?");
    EXPECT_EQ(desktop.boxes[0].caption, "Memofeld");
    EXPECT_EQ(desktop.boxes[0].style, BoxButtons::YesNo | BoxIcon::Question);
    EXPECT_EQ(desktop.boxes[0].owner, kOwner);
    EXPECT_EQ(ReadMemoText(textPath()), "Hallo Welt!\r\n");
    EXPECT_EQ(desktop.editorStarts, std::vector<std::string>{textPath()});
}

TEST_F(ShowMemoFieldTest, TheStoredLengthCountsTheBlockHeader) {
    MakeTable({3});
    // 0x13 = 19 = 8 header bytes + 11 text bytes, then stale filler that is not the memo.
    MemoBuilder(512).Memo(3, "Hallo Welt!" + std::string(8, '\x1F'), 0x13).WriteTo(memoPath());
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "Hallo Welt!\r\n");
}

TEST_F(ShowMemoFieldTest, AMemoRunsOverSeveralBlocks) {
    MakeTable({1});
    std::string text(1500, 'x');
    text[0] = 'A';
    text[1499] = 'Z';
    MemoBuilder(512)
        .Memo(1, text + "filler")
        .Memo(4, "next memo")
        .Raw(1 * 512 + 8 + 1500, "FILL")
        .WriteTo(memoPath());
    std::string bytes = ReadFile(memoPath());
    bytes.replace(512 + 4, 4, test::LittleEndian32(1508));
    WriteFile(memoPath(), bytes);
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), text + "\r\n");
}

TEST_F(ShowMemoFieldTest, TheTextIsUtf8FromTheCodePageOfTheTable) {
    struct Case {
        const char* what;
        std::uint8_t driver;
        std::string memo;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"German DOS, with soft and hard line ends", 0,
         Bytes({'G', 'r', 0x81, 0xE1, 'e', 0x8D, 0x0A, 'z', 'w', 'e', 'i', 0x0D, 0x0A, 0x00, 0x1A,
                0x8D}),
         std::string("Grüße\r\nzwei\r\n") + '\0' + "\x1A\xC2\x8D"},
        {"DOS 866 by its driver", 0x65, Bytes({0x8C, 0xEB, 0xE8, 0xEC, 0x8D, 0x0A}), "Мышь\r\n"},
        {"Shift-JIS, a character cut by the end", 0x13, Bytes({0x82, 0xA0, 0x8D, 0x0A, 0x82}),
         "あ\r\n\xEF\xBF\xBD"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TableBuilder()
            .LanguageDriverByte(c.driver)
            .Field("NOTIZ", 'M', 10)
            .Record({"         1"})
            .WriteTo(tablePath());
        MemoBuilder(512).Memo(1, c.memo).WriteTo(memoPath());
        Load();
        ShowRow(0);
        const std::string file = ReadFile(textPath());
#ifdef _WIN32
        EXPECT_EQ(file.substr(0, 3), "\xEF\xBB\xBF") << "Notepad reads UTF-8 by this mark";
#else
        EXPECT_NE(file.substr(0, 3), "\xEF\xBB\xBF");
#endif
        EXPECT_EQ(test::WithoutUtf8Mark(file), c.text + "\r\n");
    }
    // A block without a memo gives an empty text file, without the mark.
    TableBuilder().Field("NOTIZ", 'M', 10).Record({"         2"}).WriteTo(tablePath());
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadFile(textPath()), "");
}

TEST_F(ShowMemoFieldTest, AnOldTextFileIsReplaced) {
    MakeTable({1});
    MemoBuilder(512).Memo(1, "neu").WriteTo(memoPath());
    WriteFile(textPath(), "alter Inhalt, der nicht bleiben darf");
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "neu\r\n");
}

#ifndef _WIN32  // symlinks; Windows twin in tests/windows
TEST_F(ShowMemoFieldTest, ALinkInPlaceOfTheTextFileIsRemovedNotFollowed) {
    MakeTable({1});
    MemoBuilder(512).Memo(1, "neu").WriteTo(memoPath());
    test::TempDir elsewhere;
    WriteFile(elsewhere.File("fremd.txt"), "fremde Daten");
    std::filesystem::create_symlink(elsewhere.File("fremd.txt"), textPath());
    Load();
    ShowRow(0);
    EXPECT_FALSE(std::filesystem::is_symlink(textPath()));
    EXPECT_EQ(ReadMemoText(textPath()), "neu\r\n");
    EXPECT_EQ(ReadFile(elsewhere.File("fremd.txt")), "fremde Daten");
}
#endif

TEST_F(ShowMemoFieldTest, BlocksWithoutAMemoGiveAnEmptyTextFile) {
    struct Case {
        const char* why;
        std::string cell;  // the stored memo field
        std::uint16_t blockLength;
    };
    for (const Case& c :
         {Case{"no signature at the block", "         2", 512},
          Case{"block number 0", "         0", 512}, Case{"block length 0", "         1", 0},
          Case{"a negative block length", "         1", 0x8000},
          Case{"no number", "       abc", 512}, Case{"not a whole number", "       1.5", 512},
          Case{"a huge block number", "9999999999", 512},
          Case{"a block beyond the file", "     99999", 512}}) {
        TableBuilder().Field("NOTIZ", 'M', 10).Record({c.cell}).WriteTo(tablePath());
        std::string memo = MemoBuilder(512).Memo(1, "Memo").Bytes();
        memo.resize(1024, '\0');
        memo[20] = static_cast<char>(c.blockLength & 0xFF);
        memo[21] = static_cast<char>(c.blockLength >> 8);
        WriteFile(memoPath(), memo);
        desktop.editorStarts.clear();
        Load();
        ShowRow(0);
        EXPECT_EQ(ReadMemoText(textPath()), "") << c.why;
        EXPECT_EQ(desktop.editorStarts.size(), 1u) << c.why;
    }
}

TEST_F(ShowMemoFieldTest, ABlockOffsetBeyondAnyFileNamesNoBlock) {
    // A character value can hold a block number far longer than a memo field's ten digits.
    TableBuilder()
        .Field("VERWEIS", 'C', 30)
        .Field("NOTIZ", 'M', 10)
        .Record({"Block: 8999999999999999", ""})
        .WriteTo(tablePath());
    std::string memo = MemoBuilder(512).Memo(1, "Memo").Bytes();
    memo[20] = '\xFF';  // block length 32767
    memo[21] = '\x7F';
    WriteFile(memoPath(), memo);
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "");
}

TEST_F(ShowMemoFieldTest, OddLengthsCopyWhatIsThere) {
    struct Case {
        const char* why;
        std::int32_t storedLength;
        const char* expected;
    };
    for (const Case& c : {Case{"length 0", 0, "\r\n"}, Case{"only the header", 8, "\r\n"},
                          Case{"negative", -100, "\r\n"},
                          Case{"far beyond the end of the file", 0x7FFFFFFF, "Memo\r\n"}}) {
        MakeTable({1});
        WriteFile(memoPath(), MemoBuilder(512).Memo(1, "Memo", c.storedLength).Bytes());
        Load();
        ShowRow(0);
        EXPECT_EQ(ReadMemoText(textPath()), c.expected) << c.why;
    }
}

TEST_F(ShowMemoFieldTest, ABlockHeaderCutShortWritesNothing) {
    MakeTable({1});
    WriteFile(memoPath(), MemoBuilder(512).Memo(1, "").Bytes().substr(0, 512 + 6));
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "");
}

TEST_F(ShowMemoFieldTest, NothingHappensWithoutAMemoReference) {
    MakeTable({0, 2});
    MemoBuilder(512).Memo(2, "x").WriteTo(memoPath());
    Load();
    for (const std::int32_t row : {0, -1, 2, 1000}) {
        desktop.answers = {BoxAnswer::Yes};
        ShowMemoField(session, kOwner, &cells, row);
    }
    ShowMemoField(session, kOwner, nullptr, 1);
    EXPECT_TRUE(desktop.boxes.empty()) << "not even the question";
    ExpectNothingHappened();
}

TEST_F(ShowMemoFieldTest, NothingHappensInATableWithoutMemoFields) {
    TableBuilder().Field("NAME", 'C', 12).Record({"Block: 1"}).WriteTo(tablePath());
    MemoBuilder(512).Memo(1, "x").WriteTo(memoPath());
    Load();
    desktop.answers = {BoxAnswer::Yes};
    ShowMemoField(session, kOwner, &cells, 0);
    EXPECT_TRUE(desktop.boxes.empty());
    ExpectNothingHappened();
}

TEST_F(ShowMemoFieldTest, DBase3MemosRunToTheirEndMarkInBlocksOf512Bytes) {
    // dBASE III (and Clipper) leave bytes 20 and 21 of the memo file unused, here with a
    // leftover; the blocks are 512 bytes, and a memo ends at its first 0x1A.
    TableBuilder(0x83)
        .Field("NAME", 'C', 5)
        .Field("NOTIZ", 'M', 10)
        .Record({"eins", "         1"})
        .Record({"zwei", "         2"})
        .Record({"drei", "         3"})
        .Record({"vier", "       200"})
        .Record({"lang", "         5"})
        .WriteTo(tablePath());
    // A memo longer than any one piece of the copy: all of it, in its order.
    std::string longText;
    for (int line = 0; longText.size() < 70000; ++line) {
        longText += "Zeile " + std::to_string(line) + "\r\n";
    }
    longText.resize(70000);
    std::string memo =
        MemoBuilder(512)
            .Raw(512, "Erste Notiz\r\nzweite Zeile" + Bytes({0x1A, 0x1A}) + "alt")
            .Raw(1024, Bytes({0xFF, 0xFF, 0x08, 0x00, 0x0B, 0, 0, 0}) + "neu" + Bytes({0x1A}))
            .Raw(1536, Bytes({0x8E, 'r', 'g', 'e', 'r', 0x1A}))
            .Raw(2560, longText + Bytes({0x1A}))
            .Raw(200 * 512, "ohne Ende")
            .Bytes();
    memo[20] = static_cast<char>(0x4D);  // 17741 where the block length would be
    memo[21] = static_cast<char>(0x45);
    WriteFile(memoPath(), memo);
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "Erste Notiz\r\nzweite Zeile\r\n");
    ShowRow(1);
    EXPECT_EQ(ReadMemoText(textPath()), "neu\r\n") << "a block with the signature keeps its rule";
    ShowRow(2);
    EXPECT_EQ(ReadMemoText(textPath()), "Ärger\r\n");
    ShowRow(3);
    EXPECT_EQ(ReadMemoText(textPath()), "ohne Ende\r\n") << "to the end of the file";
    ShowRow(4);
    EXPECT_EQ(ReadMemoText(textPath()), longText + "\r\n");
    EXPECT_EQ(desktop.editorStarts.size(), 5u);
}

TEST_F(ShowMemoFieldTest, OnlyDBase3TablesHaveMemosWithoutSignature) {
    TableBuilder(0x8B).Field("NOTIZ", 'M', 10).Record({"         1"}).WriteTo(tablePath());
    MemoBuilder(512).Raw(512, "kein Memo" + Bytes({0x1A})).WriteTo(memoPath());
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "");
}

TEST_F(ShowMemoFieldTest, FoxProMemosComeFromTheFptFile) {
    using test::FoxProMemoBuilder;
    const std::string fpt = dir.File("KUNDEN.fpt");
    const std::string longMemo(5000, 'x');
    struct Case {
        const char* what;
        std::uint8_t version;
        std::string reference;  // the stored memo field: 4 bytes, or 10 digits
        std::string fptFile;    // its name; the bytes below
        std::string fptBytes;
        std::optional<std::string> text;  // none: no text file is made
    };
    const auto binary = [](std::uint32_t block) { return test::LittleEndian32(block); };
    const std::vector<Case> cases = {
        {"Visual FoxPro, blocks of 64", 0x30, binary(8), fpt,
         FoxProMemoBuilder(64).Memo(8, "Hallo Welt!").Bytes(), "Hallo Welt!\r\n"},
        {"FoxPro 2.6, ten digits, blocks of 512", 0xF5, "         2", fpt,
         FoxProMemoBuilder(512).Memo(2, Bytes({0x8E, 'r', 'g', 'e', 'r'})).Bytes(), "Ärger\r\n"},
        {"FoxBASE", 0xFB, "       600", fpt, FoxProMemoBuilder(1).Memo(600, "eins").Bytes(),
         "eins\r\n"},
        {"longer than a block, any type", 0x31, binary(9), fpt,
         FoxProMemoBuilder(64).Memo(9, longMemo, std::nullopt, 2).Bytes(), longMemo + "\r\n"},
        {"a picture, as stored", 0x30, binary(8), fpt,
         FoxProMemoBuilder(64)
             .Memo(8, Bytes({0x89, 'P', 'N', 'G', 0x8D, 0x0A}), std::nullopt, 0)
             .Bytes(),
         Bytes({0x89, 'P', 'N', 'G', 0x8D, 0x0A, 0x0D, 0x0A})},
        {"a length beyond the end", 0x30, binary(8), fpt,
         FoxProMemoBuilder(64).Memo(8, "kurz", 0xFFFFFFF0u).Bytes(), "kurz\r\n"},
        {"the file's name in capitals", 0x30, binary(8), dir.File("KUNDEN.FPT"),
         FoxProMemoBuilder(64).Memo(8, "gross").Bytes(), "gross\r\n"},
        {"block 0 lies in the header", 0xF5, "         0", fpt,
         FoxProMemoBuilder(512).Memo(1, "nicht").Bytes(), ""},
        {"block size 0", 0xF5, "         3", fpt, FoxProMemoBuilder(0).Memo(0, "x").Bytes(), ""},
        {"a block inside the header", 0x30, binary(7), fpt,
         FoxProMemoBuilder(64).Memo(8, "x").Bytes(), ""},
        {"a head the file cuts short", 0x30, binary(8), fpt,
         FoxProMemoBuilder(64).Memo(8, "x").Bytes().substr(0, 512 + 7), ""},
        {"a block near 2^31", 0x30, binary(0x7FFFFFFFu), fpt, FoxProMemoBuilder(0xFFFF).Bytes(),
         ""},
        {"a file shorter than its header", 0x30, binary(8), fpt, std::string(511, '\0'),
         std::nullopt},
        {"no memo file", 0x30, binary(8), dir.File("ANDERS.fpt"),
         FoxProMemoBuilder(64).Memo(8, "x").Bytes(), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const std::string& old :
             {fpt, dir.File("KUNDEN.FPT"), dir.File("ANDERS.fpt"), textPath()}) {
            std::filesystem::remove(test::PathOf(old));
        }
        TableBuilder(c.version)
            .Field("NAME", 'C', 5)
            .Field("NOTIZ", 'M', static_cast<std::uint8_t>(c.reference.size()))
            .RawRecord("Kunde" + c.reference)
            .WriteTo(tablePath());
        WriteFile(c.fptFile, c.fptBytes);
        // A .dbt beside it is not the FoxPro table's memo file.
        MemoBuilder(512).Memo(1, "dBASE").Memo(2, "dBASE").WriteTo(memoPath());
        desktop.editorStarts.clear();
        Load();
        ShowRow(0);
        if (!c.text) {
            ExpectNothingHappened();
            continue;
        }
        EXPECT_EQ(ReadMemoText(textPath()), *c.text);
        EXPECT_EQ(desktop.editorStarts.size(), 1u);
        if (c.text->starts_with("\x89PNG")) {
            EXPECT_EQ(ReadFile(textPath()), *c.text) << "no mark before a picture";
        }
    }
    // A dBASE table reads its .dbt, whatever lies beside it.
    TableBuilder(0x8B).Field("NOTIZ", 'M', 10).Record({"         1"}).WriteTo(tablePath());
    FoxProMemoBuilder(512).Memo(1, "FoxPro").WriteTo(fpt);
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "dBASE\r\n");
}

TEST_F(ShowMemoFieldTest, TheFirstCellBeginningWithBlockIsTheReference) {
    TableBuilder()
        .Field("TEXT", 'C', 12)
        .Field("M1", 'M', 10)
        .Field("M2", 'M', 10)
        .Record({"Block: 2", "", "         3"})
        .Record({"normal", "", "         3"})
        .Record({"Blockhaus", "", "         3"})
        .WriteTo(tablePath());
    MemoBuilder(512).Memo(2, "zwei").Memo(3, "drei").WriteTo(memoPath());
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "zwei\r\n")
        << "a character value that looks like a reference";
    ShowRow(1);
    EXPECT_EQ(ReadMemoText(textPath()), "drei\r\n") << "the blank first memo field is passed over";
    RemoveFile(textPath());
    desktop.boxes.clear();
    ShowRow(2);
    EXPECT_TRUE(desktop.boxes.empty()) << "«Blockhaus» ends the scan";
    EXPECT_FALSE(FileExists(textPath()));
}

TEST_F(ShowMemoFieldTest, NoMeansNothing) {
    MakeTable({1});
    MemoBuilder(512).Memo(1, "x").WriteTo(memoPath());
    WriteFile(textPath(), "bleibt");
    Load();
    desktop.answers = {BoxAnswer::No};
    ShowMemoField(session, kOwner, &cells, 0);
    EXPECT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(ReadMemoText(textPath()), "bleibt");
    EXPECT_TRUE(desktop.editorStarts.empty());
}

TEST_F(ShowMemoFieldTest, AMissingOrShortMemoFileIsSaidAfterTheQuestion) {
    MakeTable({1});
    Load();
    WriteFile(textPath(), "alt");
    for (const std::size_t size : {std::size_t{0}, std::size_t{20}, std::size_t{31}}) {
        if (size > 0) {
            WriteFile(memoPath(), std::string(size, '\0'));
        }
        desktop.boxes.clear();
        ShowRow(0);
        ASSERT_EQ(desktop.boxes.size(), 2u) << size;
        EXPECT_EQ(desktop.boxes[1].text,
                  "Die Memodatei " + memoPath() + " fehlt oder ist kürzer als 32 Bytes.");
        EXPECT_EQ(desktop.boxes[1].caption, "Memofeld");
        EXPECT_EQ(desktop.boxes[1].style, BoxButtons::Ok | BoxIcon::Information);
        EXPECT_EQ(desktop.boxes[1].owner, kOwner);
        EXPECT_EQ(ReadMemoText(textPath()), "alt") << "no text file is made, the old one stays";
        EXPECT_TRUE(desktop.editorStarts.empty());
    }
    WriteFile(memoPath(), std::string(32, '\0'));
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "") << "32 bytes are read: block 1 is beyond the end";
}

TEST_F(ShowMemoFieldTest, AMemoFileInAnotherCaseIsFoundAndNamedAsWritten) {
    MakeTable({1});
    MemoBuilder(512).Memo(1, "gross geschrieben").WriteTo(dir.File("KUNDEN.DBT"));
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "gross geschrieben\r\n");
    ASSERT_NE(session.access.files.TryOpen(dir.File("KUNDEN.DBT"), OpenMode::Binary).number, 0);
    desktop.boxes.clear();
    desktop.answers = {BoxAnswer::Yes};
    ShowMemoField(session, kOwner, &cells, 0);
    session.access.files.CloseAll();
    ASSERT_EQ(desktop.boxes.size(), 3u);
    EXPECT_EQ(desktop.boxes[2].text,
              "Memodatei " + dir.File("KUNDEN.DBT") + "\rkann nicht geöffnet werden");
}

TEST_F(ShowMemoFieldTest, ALockedMemoFileIsReported) {
    MakeTable({1});
    MemoBuilder(512).Memo(1, "x").WriteTo(memoPath());
    WriteFile(textPath(), "alt");
    Load();
    ASSERT_NE(session.access.files.TryOpen(memoPath(), OpenMode::Binary).number, 0);
    desktop.answers = {BoxAnswer::Yes};
    ShowMemoField(session, kOwner, &cells, 0);
    ASSERT_EQ(desktop.boxes.size(), 3u);
    EXPECT_EQ(desktop.boxes[1].text, "Zugriffskonflikt !");
    EXPECT_EQ(desktop.boxes[2].text, "Memodatei " + memoPath() + "\rkann nicht geöffnet werden");
    EXPECT_EQ(desktop.boxes[2].caption, "Zugriffskonflikt");
    EXPECT_EQ(desktop.boxes[2].style, BoxButtons::Ok | BoxIcon::Question);
    EXPECT_EQ(desktop.boxes[2].owner, kOwner);
    EXPECT_FALSE(FileExists(textPath())) << "the old text file is already gone";
    EXPECT_TRUE(desktop.editorStarts.empty());
}

TEST_F(ShowMemoFieldTest, ATextFileThatCannotBeMadeIsReported) {
    MakeTable({1});
    MemoBuilder(512).Memo(1, "x").WriteTo(memoPath());
    std::filesystem::create_directory(textPath());
    std::filesystem::create_directory(textPath() + "/inhalt");  // so it cannot be deleted
    Load();
    desktop.answers = {BoxAnswer::Yes};
    ShowMemoField(session, kOwner, &cells, 0);
    ASSERT_EQ(desktop.boxes.size(), 3u);
    EXPECT_EQ(desktop.boxes[2].text, "Memodatei " + textPath() + "\rkann nicht erstellt werden");
    EXPECT_EQ(desktop.boxes[2].caption, "Zugriffskonflikt");
    EXPECT_EQ(session.access.files.OpenCount(), 0) << "the memo file is closed";
    EXPECT_TRUE(desktop.editorStarts.empty());
}

TEST_F(ShowMemoFieldTest, ATableNamedLikeItsTextFileIsNeverTouched) {
    // "daten.tmp" is the table itself: deleting "the old text file" would delete it.
    const std::string table = dir.File("daten.tmp");
    TableBuilder().Field("NOTIZ", 'M', 10).Record({"         1"}).WriteTo(table);
    MemoBuilder(512).Memo(1, "Memo").WriteTo(dir.File("daten.dbt"));
    const std::string before = ReadFile(table);
    Load(table);
    ShowRow(0);
    EXPECT_EQ(ReadFile(table), before);
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(desktop.boxes[1].text,
              "Das Memofeld kann nicht neben dieser Tabelle angezeigt werden:\r" + table +
                  " ist die Tabelle selbst oder ihre Memodatei.");
    EXPECT_EQ(desktop.boxes[1].caption, "Memofeld");
    EXPECT_EQ(desktop.boxes[1].style, BoxButtons::Ok | BoxIcon::Stop);
    EXPECT_TRUE(desktop.editorStarts.empty());
}

TEST_F(ShowMemoFieldTest, ATextFileThatIsTheTableThroughALinkIsNeverTouched) {
    MakeTable({1});
    MemoBuilder(512).Memo(1, "Memo").WriteTo(memoPath());
    std::filesystem::create_hard_link(memoPath(), textPath());
    const std::string memoBefore = ReadFile(memoPath());
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadFile(memoPath()), memoBefore);
    EXPECT_TRUE(std::filesystem::exists(textPath())) << "not even the second name is removed";
    EXPECT_TRUE(desktop.editorStarts.empty());
}

#ifndef _WIN32  // owners, sticky folders and setuid; Windows twin in tests/windows
// A memo must never go into a text file that someone else left and that cannot be deleted:
// in a shared folder with the sticky bit, such as /tmp, another user's world-writable
// KUNDEN.tmp would receive the memo that user may not read. Run as an unprivileged user
// (the superuser may delete anything), in a child process.
TEST_F(ShowMemoFieldTest, AnUndeletableOldTextFileIsNeverWrittenTo) {
    namespace fs = std::filesystem;
    MakeTable({1});
    MemoBuilder(512).Memo(1, "geheim").WriteTo(memoPath());
    WriteFile(textPath(), "fremd");
    fs::permissions(textPath(), fs::perms::all & ~fs::perms::owner_exec & ~fs::perms::group_exec &
                                    ~fs::perms::others_exec);
    const bool root = ::geteuid() == 0;
    constexpr uid_t kNobody = 65534;
    if (root) {
        // The folder is shared and sticky; table and memo file belong to the user.
        fs::permissions(dir.Path(), fs::perms::all | fs::perms::sticky_bit);
        for (const std::string& path : {tablePath(), memoPath()}) {
            ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
        }
    }
    EXPECT_EXIT(
        {
            if (root && (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) {
                std::_Exit(3);
            }
            if (!root) {
                fs::permissions(dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
            }
            session.tableInfo.FileName = tablePath();
            if (ReadTableHeader(session, tablePath(), kOwner) != 1) {
                std::_Exit(4);
            }
            cells.Load(session);
            desktop.boxes.clear();
            desktop.answers = {BoxAnswer::Yes};
            session.access.retry.retryLimit = 0;
            ShowMemoField(session, kOwner, &cells, 0);
            const bool refused = desktop.boxes.size() == 3 &&
                                 desktop.boxes[1].text.starts_with("Verzeichnis kann nicht") &&
                                 desktop.boxes[2].text.ends_with("kann nicht erstellt werden") &&
                                 desktop.editorStarts.empty();
            std::_Exit(refused ? 0 : 5);
        },
        ::testing::ExitedWithCode(0), "");
    fs::permissions(dir.Path(), fs::perms::owner_all, fs::perm_options::add);
    EXPECT_EQ(ReadMemoText(textPath()), "fremd");
}
#endif

#ifndef _WIN32  // a file-size limit and modes; the modes' Windows twin is in tests/windows
TEST_F(ShowMemoFieldTest, AFileSizeLimitShortensTheTextInsteadOfEndingTheProgram) {
    MakeTable({1});
    MemoBuilder(512).Memo(1, std::string(5000, 'x')).WriteTo(memoPath());
    Load();
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = 1000;
    EXPECT_EXIT(
        {
            ::setrlimit(RLIMIT_FSIZE, &limit);
            desktop.answers = {BoxAnswer::Yes};
            ShowMemoField(session, kOwner, &cells, 0);
            const bool shorter = ReadMemoText(textPath()) == std::string(1000, 'x') &&
                                 desktop.editorStarts.size() == 1;
            std::_Exit(shorter ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(ShowMemoFieldTest, TheTextFileIsNoMoreOpenThanTheMemoFile) {
    namespace fs = std::filesystem;
    MakeTable({1});
    MemoBuilder(512).Memo(1, "privat").WriteTo(memoPath());
    fs::permissions(memoPath(), fs::perms::owner_read | fs::perms::owner_write);
    Load();
    ShowRow(0);
    EXPECT_EQ(ReadMemoText(textPath()), "privat\r\n");
    EXPECT_EQ(fs::status(textPath()).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}
#endif

TEST(MemoFileNames, TheExtensionOfTheLastComponentIsReplaced) {
    EXPECT_EQ(FileStem("/daten/KUNDEN.DBF"), "/daten/KUNDEN");
    EXPECT_EQ(FileStem("/daten.alt/KUNDEN.DBF"), "/daten.alt/KUNDEN");
    EXPECT_EQ(FileStem("kunden.2024.dbf"), "kunden.2024");
    EXPECT_EQ(FileStem("KUNDEN.DBF"), "KUNDEN");
    EXPECT_EQ(FileStem("/daten.alt/KUNDEN"), "/daten.alt/KUNDEN");
    EXPECT_EQ(FileStem("KUNDEN"), "KUNDEN");
    const MemoFileNames names = MemoFileNamesFor("/nirgends.alt/KUNDEN.DBF");
    EXPECT_EQ(names.memo, "/nirgends.alt/KUNDEN.dbt");
    EXPECT_EQ(names.text, "/nirgends.alt/KUNDEN.tmp");
}

#ifndef _WIN32  // case-sensitive names; Windows twin in tests/windows
TEST(MemoFileNames, TwoCandidatesInOtherCasesAreNeitherTaken) {
    test::TempDir dir;
    WriteFile(dir.File("A.DBT"), std::string(64, '\0'));
    WriteFile(dir.File("a.Dbt"), std::string(64, '\0'));
    EXPECT_EQ(MemoFileNamesFor(dir.File("a.dbf")).memo, dir.File("a.dbt"));
    WriteFile(dir.File("B.DBT"), std::string(64, '\0'));
    EXPECT_EQ(MemoFileNamesFor(dir.File("b.dbf")).memo, dir.File("B.DBT"));
}
#endif

TEST(MemoBlockNumbers, AreWholeNumbersFromTheSeventhCharacterOn) {
    EXPECT_EQ(MemoBlockNumber("Block: 17"), 17);
    EXPECT_EQ(MemoBlockNumber("Block:    17"), 17);
    EXPECT_EQ(MemoBlockNumber("Block: 17abc"), 17);
    EXPECT_EQ(MemoBlockNumber("Block: abc"), 0);
    EXPECT_EQ(MemoBlockNumber("Block: "), 0);
    EXPECT_EQ(MemoBlockNumber("Block: 1.5"), std::nullopt);
    EXPECT_EQ(MemoBlockNumber("Block: -3"), std::nullopt);
    EXPECT_EQ(MemoBlockNumber("Block: 1e300"), std::nullopt);
}

}  // namespace
}  // namespace tessaro
