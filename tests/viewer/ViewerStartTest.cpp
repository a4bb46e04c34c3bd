// The window's frame: start, the automatic open, the columns, the status line, help (and
// what of it reaches a rich text reader), version and the end of the program.

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <cstring>

#include "ViewerFixture.h"
#include "viewer/Centering.h"
#include "viewer/ColumnWidths.h"
#include "viewer/HelpHtml.h"
#include "viewer/HtmlTags.h"

namespace tessaro {
namespace {

using test::FakeWindow;
using test::TableBuilder;

class ViewerStartTest : public test::ViewerFixture {};

TEST_F(ViewerStartTest, StartsWithThePromptAndNoList) {
    Start();
    EXPECT_EQ(window.Status(), "Bitte wählen Sie eine DBase Datei zur Ansicht");
    EXPECT_EQ(window.listsCreated, 0);
    EXPECT_FALSE(viewer->HasRecordList());
    EXPECT_FALSE(window.memoItemEnabled.has_value()) << "the memo item stays as the menu has it";
}

TEST_F(ViewerStartTest, TheOneTableOfTheFolderIsShownAtStart) {
    MakeMemoTable("KUNDEN.DBF");
    Start();
    ASSERT_TRUE(window.hasList);
    EXPECT_TRUE(window.listVisible);
    EXPECT_EQ(window.statusTexts, (std::vector<std::string>{
                                      "Bitte wählen Sie eine DBase Datei zur Ansicht",
                                      "Lese Datei ....", "KUNDEN.DBF, 3 Records, Format DBase 5"}));
    EXPECT_FALSE(window.memoItemEnabled.has_value())
        << "the automatic open leaves the memo item alone";
    ASSERT_NE(window.rows, nullptr);
    EXPECT_EQ(window.rows->RowCount(), 3);
    EXPECT_EQ(window.Cell(1, 1), "Kunde 2   ");
    EXPECT_EQ(window.Cell(1, 2), "Block: 1");
    EXPECT_EQ(window.rows->RowImage(1), kMemoRowImage);
    EXPECT_EQ(window.rows->RowImage(0), kRowImage);
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(ViewerStartTest, NoOrSeveralTablesLeaveTheWindowEmpty) {
    Start();
    EXPECT_EQ(window.listsCreated, 0);
    MakeMemoTable("a.dbf");
    MakeMemoTable("B.DBF");
    std::filesystem::create_directory(dir.File("ordner.dbf"));
    window = FakeWindow();
    Start();
    EXPECT_EQ(window.listsCreated, 0);
    EXPECT_EQ(window.Status(), "Bitte wählen Sie eine DBase Datei zur Ansicht");
}

TEST_F(ViewerStartTest, AFolderOrFifoNamedLikeATableIsNoTable) {
    std::filesystem::create_directory(dir.File("ordner.dbf"));
#ifndef _WIN32
    ASSERT_EQ(::mkfifo(dir.File("fifo.dbf").c_str(), 0600), 0);
#endif
    MakeMemoTable("t.dbf");
    Start();
    EXPECT_EQ(window.Status(), "t.dbf, 3 Records, Format DBase 5");
}

TEST_F(ViewerStartTest, TheColumnsFollowTheFields) {
    TableBuilder(0x04)
        .Field("NAME", 'C', 30)
        .Field("ABCDEFGHIJKL", 'N', 6)
        .Field("AB", 'C', 2)
        .Field("GR\x99\xE1", 'C', 1)
        .WriteTo(dir.File("t.dbf"));
    Start();
    EXPECT_EQ(
        window.columns,
        (std::vector<FakeWindow::Column>{
            {"Satznr.", 45}, {"NAME", 200}, {"ABCDEFGHIJKL", 108}, {"AB", 18}, {"GRÖß", 36}}));
}

TEST(ColumnWidths, FollowTheLengthsOfValueAndName) {
    const auto width = [](const std::string& name, int length) {
        FieldDesc field;
        field.FieldName = name;
        field.FieldLength = static_cast<std::int16_t>(length);
        return ColumnWidth(field);
    };
    EXPECT_EQ(width("NAME", 30), 200) << "8 x 30 = 240, capped";
    EXPECT_EQ(width("ABCDEFGHIJKL", 6), 108);
    EXPECT_EQ(width("AB", 2), 18) << "equal lengths take the name";
    EXPECT_EQ(width("AB", 3), 24);
    EXPECT_EQ(width("", 0), 0);
    EXPECT_EQ(width(std::string(32, 'X'), 1), 200);
}

TEST_F(ViewerStartTest, ColumnsOfFixedFormsShowTheirTextsWhole) {
    TableBuilder(0x04)
        .Field("L", 'L', 1)
        .Field("DATUM", 'D', 8)
        .Field("ZEIT", '@', 8)
        .Field("NOTIZ", 'M', 10)
        .Field("N", 'N', 3)
        .WriteTo(dir.File("t.dbf"));
    Start();
    EXPECT_EQ(window.columns, (std::vector<FakeWindow::Column>{{"Satznr.", 45},
                                                               {"L", 9, "Nein"},
                                                               {"DATUM", 64, "00.00.0000"},
                                                               {"ZEIT", 64, "00-00-0000  00:00:00"},
                                                               {"NOTIZ", 80, "Block: 0000000000"},
                                                               {"N", 24}}));
}

TEST(ColumnWidths, FixedFormsFollowTheDialectOfTheTable) {
    const auto text = [](char type, int length, ValueDialect dialect) {
        FieldDesc field;
        field.FieldType = type;
        field.FieldLength = static_cast<std::int16_t>(length);
        return FixedFormText(field, dialect);
    };
    EXPECT_EQ(text('M', 4, ValueDialect::FoxPro), "Block: 0000000000")
        << "a binary block number holds up to 4294967295";
    EXPECT_EQ(text('M', 4, ValueDialect::DBase), "Block: 0000");
    EXPECT_EQ(text('T', 8, ValueDialect::FoxPro), "00-00-0000  00:00:00");
    EXPECT_EQ(text('C', 10, ValueDialect::DBase), "");
    // The binary numbers of Visual FoxPro: the longest texts they can have fit.
    const auto fits = [&text](char type, auto value) {
        std::string bytes(sizeof value, '\0');
        std::memcpy(bytes.data(), &value, sizeof value);
        EXPECT_GE(text(type, 8, ValueDialect::FoxPro).size(),
                  FormatCellText(type, bytes, ValueDialect::FoxPro).size())
            << type;
    };
    fits('I', std::int32_t{-2147483647 - 1});
    fits('Y', std::int64_t{-123456789012345});  // -12345678901.2345
    fits('Y', std::int64_t{-9223372036854775807 - 1});
    fits('B', -1.23456789012345e-300);
    fits('B', -123456789012345.0);
    EXPECT_EQ(text('I', 4, ValueDialect::DBase), "") << "dBASE 7 integers are as long as any";
}

TEST(ColumnWidths, ScaleFromTheSmallSystemFontToTheFontShown) {
    EXPECT_EQ(ScaledColumnWidth(45, 6), 45);
    EXPECT_EQ(ScaledColumnWidth(200, 6 * 52, 52), 200);
    EXPECT_EQ(ScaledColumnWidth(45, 5 * 52, 52), 38) << "37.5 rounds up";
    EXPECT_EQ(ScaledColumnWidth(200, 364, 52), 233);
    EXPECT_EQ(ScaledColumnWidth(45, 7), 53);
    EXPECT_EQ(ScaledColumnWidth(90, 12), 180);
    EXPECT_EQ(ScaledColumnWidth(90, 12, 0), 90) << "no letters measured: the width as it is";
}

TEST(CenteredOffset, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(CenteredOffset(100, 68), 16);
    EXPECT_EQ(CenteredOffset(101, 68), 16) << "16.5 goes to 16";
    EXPECT_EQ(CenteredOffset(103, 68), 18) << "17.5 goes to 18";
    EXPECT_EQ(CenteredOffset(68, 68), 0);
    EXPECT_EQ(CenteredOffset(50, 68), -9);
    EXPECT_EQ(CenteredOffset(51, 68), -8) << "-8.5 goes to -8";
    EXPECT_EQ(CenteredOffset(49, 68), -10) << "-9.5 goes to -10";
    EXPECT_EQ(CenteredOffset(0, 64), -32);
}

TEST_F(ViewerStartTest, ALongStatusTextIsCutToItsFirst254Characters) {
    // A path of umlauts: characters are counted, not bytes, and none is split.
    const std::string folder = dir.File(std::string(120, 'x'));
    std::filesystem::create_directory(folder);
    std::string name;
    for (int i = 0; i < 60; ++i) {
        name += "ä";
    }
    const std::string path = folder + "/" + name + ".dbf";
    MakeMemoTable(std::string(120, 'x') + "/" + name + ".dbf");
    Start();
    OpenByCommand(path);
    const std::string full = path + ", 3 Records, Format DBase 5";
    std::string expected;
    std::size_t characters = 0;
    for (std::size_t i = 0; i < full.size() && characters < 254; ++characters) {
        const std::size_t length = (static_cast<unsigned char>(full[i]) & 0xE0) == 0xC0 ? 2 : 1;
        expected += full.substr(i, length);
        i += length;
    }
    EXPECT_EQ(window.Status(), expected);
    EXPECT_EQ(viewer->State().tableInfo.FileName, path) << "the path itself is kept whole";
}

TEST_F(ViewerStartTest, EveryVersionCommandOpensOneMoreBox) {
    Start();
    viewer->ShowVersion();
    viewer->ShowVersion();
    EXPECT_EQ(window.versionBoxes, 2);
}

TEST_F(ViewerStartTest, EndingBeepsClosesEveryFileAndQuitsWithZeroOnce) {
    MakeMemoTable("t.dbf");
    Start();
    ASSERT_NE(viewer->State().access.files.TryOpen(dir.File("t.dbf"), OpenMode::Binary).number, 0);
    viewer->End();
    viewer->End();  // the close that follows "Ende", or the end of the session
    EXPECT_EQ(window.beeps, 1);
    EXPECT_EQ(window.quits, std::vector<int>{0});
    EXPECT_EQ(viewer->State().access.files.OpenCount(), 0);
    viewer->OpenTable();
    EXPECT_TRUE(window.dialogRequests.empty()) << "nothing starts once the program ends";
}

// A front end guards every command and notes what fails while its list draws: memory that
// keeps running out gives one box at a time, never one box over another.
TEST_F(ViewerStartTest, MemoryThatRunsOutIsReportedOneBoxAtATime) {
    Start();
    const auto failing = [] { throw std::bad_alloc(); };
    window.onBox = [&](const test::ShownBox&) {
        viewer->Guarded(failing);
        EXPECT_FALSE(viewer->NoteOutOfMemory()) << "while the box is open";
    };
    viewer->Guarded(failing);
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, "nicht genügend Arbeitsspeicher !\r\nMorvane wird beendet");
    window.onBox = nullptr;
    viewer->ReportNotedOutOfMemory();
    EXPECT_EQ(window.boxes.size(), 1u) << "nothing was noted";
    EXPECT_TRUE(viewer->NoteOutOfMemory());
    EXPECT_FALSE(viewer->NoteOutOfMemory()) << "the report is due already";
    viewer->ReportNotedOutOfMemory();
    viewer->ReportNotedOutOfMemory();
    EXPECT_EQ(window.boxes.size(), 2u);
    EXPECT_EQ(viewer->Guarded([] { return 7; }), 7);
    EXPECT_TRUE(window.quits.empty());
}

TEST_F(ViewerStartTest, AMissingHelpFileIsReported) {
    Start();
    viewer->ShowHelp();
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, "Die Hilfedatei tessaro.hlp wurde nicht gefunden.");
    EXPECT_EQ(window.boxes[0].caption, "Tessaro Hilfe");
    EXPECT_EQ(window.boxes[0].style, BoxButtons::Ok | BoxIcon::Exclamation);
    EXPECT_EQ(window.boxes[0].owner, FakeWindow::kOwner);
    EXPECT_TRUE(window.helpShown.empty());
}

TEST_F(ViewerStartTest, HelpIsLookedForInTheWorkingFolderThenBesideTheProgramThenInstalled) {
    test::TempDir program;
    std::filesystem::create_directories(program.File("bin"));
    std::filesystem::create_directories(program.File("share/tessaro"));
    std::filesystem::create_directories(program.File("usr/share/tessaro"));
    window.programFolder = program.File("bin");
    window.dataFolder = program.File("usr/share/tessaro");
    Start();
    test::WriteFile(program.File("usr/share/tessaro/tessaro.hlp"), "<p>installiert</p>");
    viewer->ShowHelp();
    test::WriteFile(program.File("share/tessaro/tessaro.hlp"), "<p>neben dem Programm</p>");
    viewer->ShowHelp();
    test::WriteFile(program.File("bin/tessaro.hlp"), "<p>daneben</p>");
    viewer->ShowHelp();
    test::WriteFile(dir.File("tessaro.hlp"), "<p>hier</p>");
    viewer->ShowHelp();
    EXPECT_EQ(window.helpShown,
              (std::vector<std::string>{program.File("usr/share/tessaro/tessaro.hlp"),
                                        program.File("bin/../share/tessaro/tessaro.hlp"),
                                        program.File("bin/tessaro.hlp"), "tessaro.hlp"}));
    EXPECT_TRUE(window.boxes.empty());
}

TEST_F(ViewerStartTest, AHelpFileTooBigToShowIsPassedOver) {
    test::TempDir program;
    window.programFolder = program.Path();
    Start();
    test::WriteFile(dir.File("tessaro.hlp"), "<p>" + std::string(128 << 10, 'x') + "</p>");
    test::WriteFile(program.File("tessaro.hlp"), "<p>Hilfe</p>");
    viewer->ShowHelp();
    EXPECT_EQ(window.helpShown, std::vector<std::string>{program.Path() + "/tessaro.hlp"});
    std::filesystem::remove(program.File("tessaro.hlp"));
    viewer->ShowHelp();
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, "Die Hilfedatei tessaro.hlp wurde nicht gefunden.");
}

TEST_F(ViewerStartTest, AHelpFileThatIsNoFileIsNotShown) {
    // A FIFO would freeze the window for good, a folder is no document.
#ifdef _WIN32
    std::filesystem::create_directory(dir.File("tessaro.hlp"));
#else
    ASSERT_EQ(::mkfifo(dir.File("tessaro.hlp").c_str(), 0600), 0);
#endif
    Start();
    viewer->ShowHelp();
    EXPECT_TRUE(window.helpShown.empty());
    ASSERT_EQ(window.boxes.size(), 1u);
}

// How deep the elements of an HTML text nest at most.
int DeepestNesting(const std::string& html) {
    HtmlTags tags(html);
    HtmlPiece piece;
    int depth = 0;
    int deepest = 0;
    while (tags.Next(piece)) {
        if (piece.kind == HtmlPiece::Kind::StartTag && !piece.closed) {
            deepest = std::max(deepest, ++depth);
        } else if (piece.kind == HtmlPiece::Kind::EndTag) {
            --depth;
        }
    }
    return deepest;
}

// Qt's reader takes time with the square of the nesting: 40,000 <b> held it for minutes.
TEST(HelpHtml, NestingBeyondTheLimitIsLeftOutWithItsEndTagsAndTheTextStays) {
    std::string html;
    for (int i = 0; i < 40000; ++i) {
        html += "<b><i>";
    }
    html += "tief";
    for (int i = 0; i < 40000; ++i) {
        html += "</i></b>";
    }
    html += "danach";
    const std::string bounded = BoundedHelpHtml(html);
    EXPECT_EQ(DeepestNesting(bounded), HelpHtmlLimits::kDeepestNesting);
    EXPECT_NE(bounded.find("<i>tief</i></b>"), std::string::npos);
    EXPECT_TRUE(bounded.ends_with("</i></b>danach")) << "the end tags of what was left out";
    EXPECT_EQ(BoundedHelpHtml(bounded), bounded) << "what is within the limits stays";
}

// Every style rule is matched against every element: 9,000 rules and 3,000 paragraphs took
// Qt 14 seconds.
TEST(HelpHtml, StyleSheetsMatchedAgainstTooManyElementsAreLeftOut) {
    const auto help = [](int rules, int paragraphs) {
        std::string html = "<style>";
        for (int i = 0; i < rules; ++i) {
            html += "p{color:red}";
        }
        html += "</style>";
        for (int i = 0; i < paragraphs; ++i) {
            html += "<p>x";
        }
        return BoundedHelpHtml(html);
    };
    EXPECT_NE(help(100, 1000).find("p{color:red}"), std::string::npos);
    const std::string tooMany = help(1000, 1000);
    EXPECT_EQ(tooMany.find("color"), std::string::npos);
    EXPECT_TRUE(tooMany.starts_with("<style></style><p>x</p><p>x")) << "the rest stays";
}

}  // namespace
}  // namespace tessaro
