#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <filesystem>

#include <gtest/gtest.h>

#include "builder/TableBuilder.h"
#include "support/FailingAllocations.h"
#include "support/Subprocess.h"
#include "support/TempDir.h"
#include "tools/DumpFormat.h"
#include "tools/DumpMain.h"

namespace tessaro {
namespace {

using test::Bytes;
using test::ProgramResult;
using test::RunProgram;
using test::TableBuilder;
using test::TempDir;

const std::string kDump = TESSARO_DUMP_PATH;
const std::string kCorpus = TESSARO_TEST_DATA "/corpus/";

// A path as the tab-separated forms write it: on Windows its backslashes are doubled.
std::string Escaped(const std::string& path) {
    std::string escaped;
    for (const char c : path) {
        escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    }
    return escaped;
}

ProgramResult Dump(const std::vector<std::string>& args) {
    std::vector<std::string> argv{kDump};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv);
}

TEST(DumpFormat, EscapesWhatWouldBreakALine) {
    std::string out;
    AppendEscaped(out, "a\\b\tc\rd\ne");
    EXPECT_EQ(out, "a\\\\b\\tc\\rd\\ne");
}

TEST(DumpFormat, QuotesCsvFieldsOnlyWhenNeeded) {
    std::string out;
    AppendCsvField(out, "plain text");
    out += '|';
    AppendCsvField(out, "a,b");
    out += '|';
    AppendCsvField(out, "say \"hi\"");
    out += '|';
    AppendCsvField(out, "two\r\nlines");
    EXPECT_EQ(out, "plain text|\"a,b\"|\"say \"\"hi\"\"\"|\"two\r\nlines\"");
}

TEST(DumpInfo, DescribesALevel5Table) {
    TempDir dir;
    TableBuilder()
        .Field(Bytes({'G', 'R', 0x99, 0xE1, 'E'}), 'N', 10, 2)
        .Field("NOTIZ", 'M', 10)
        .Record({"1.50", ""})
        .WriteTo(dir.File("kunden.dbf"));
    const ProgramResult result = Dump({"--info", dir.File("kunden.dbf")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "Datei\t" + Escaped(dir.File("kunden.dbf")) +
                              "\n"
                              "Format\tDBase 5\n"
                              "Records\t1\n"
                              "Kopflänge\t97\n"
                              "Satzlänge\t21\n"
                              "Felder\t2\n"
                              "Memofelder\t1\n"
                              "Zeichensatz\tDOS (deutsche Umlaute)\tVoreinstellung\n"
                              "Feld\t1\tGRÖßE\tN\t10\t2\n"
                              "Feld\t2\tNOTIZ\tM\t10\t0\n");
}

TEST(DumpInfo, DescribesALevel7Table) {
    TempDir dir;
    TableBuilder(0x8C).Field("ZAEHLER", '+', 4).WriteTo(dir.File("t.dbf"));
    const ProgramResult result = Dump({"--info", dir.File("t.dbf")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("Format\tDBase 7\nRecords\t0\nKopflänge\t117\n"), std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("Feld\t1\tZAEHLER\t+\t4\t0\n"), std::string::npos);
}

TEST(DumpInfo, AnInvalidHeaderGoesToStandardError) {
    TempDir dir;
    TableBuilder().Field("A", 'C', 1).HeaderLength(0).WriteTo(dir.File("t.dbf"));
    const ProgramResult result = Dump({"--info", dir.File("t.dbf")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "Tessaro - Lesefehler: Dateikopf enthält folgende Fehler : \nUngültiger Header\n");
    // A folder holds no table either: the same at once, in every mode.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--info", dir.Path()}, {dir.Path()}, {"--memo", "1", dir.Path()}}) {
        const ProgramResult folder = Dump(args);
        EXPECT_EQ(folder.exitCode, 1);
        EXPECT_EQ(folder.out, "");
        EXPECT_EQ(folder.err, result.err);
    }
}

TEST(DumpInfo, TooManyRecords) {
    TempDir dir;
    TableBuilder().Field("A", 'C', 1).RecordCount(65537).WriteTo(dir.File("t.dbf"));
    const ProgramResult result = Dump({"--info", dir.File("t.dbf")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "Tessaro - Lesefehler: Datei enthält: 65537 Records.\n"
              "Viewer kann maximal 65536 Records anzeigen\n");
}

TEST(DumpUsage, WrongArgumentsExitWith2) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"--info"}, {"--bunt", "t.dbf"}, {"a", "b"}, {"--info", "a", "b"}}) {
        const ProgramResult result = Dump(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("Aufruf: tessaro-dump"), std::string::npos);
    }
    EXPECT_EQ(Dump({"--help"}).exitCode, 0);
}

TEST(DumpListing, OneLinePerRecordWithEscapes) {
    TempDir dir;
    TableBuilder()
        .Field("NAME", 'C', 6)
        .Field("AKTIV", 'L', 1)
        .Field("NOTIZ", 'M', 10)
        .Record({"a\tb\\c", "T", "         3"})
        .Record({"x\r\ny", "F", ""})
        .WriteTo(dir.File("t.dbf"));
    const ProgramResult result = Dump({dir.File("t.dbf")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out,
              "Satznr.\tNAME\tAKTIV\tNOTIZ\n"
              "1\ta\\tb\\\\c \tJa\tBlock: 3\n"
              "2\tx\\r\\ny  \tNein\t\n");
}

TEST(DumpListing, CsvForSpreadsheets) {
    TempDir dir;
    TableBuilder()
        .Field("NAME", 'C', 8)
        .Field("BETRAG", 'N', 6)
        .Record({"Meier, A", "1.5"})
        .Record({"\"Q\"", "2"})
        .WriteTo(dir.File("t.dbf"));
    const ProgramResult result = Dump({"--csv", dir.File("t.dbf")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out,
              "Satznr.,NAME,BETRAG\r\n"
              "1,\"Meier, A\",1.5\r\n"
              "2,\"\"\"Q\"\"     \",2\r\n");
}

TEST(DumpCorpus, TablesOfOtherProgramsAreDescribedRight) {
    struct Case {
        const char* file;
        const char* head;
    };
    for (const Case& c : {
             Case{"infused_dbase_03.dbf",
                  "Format\tDBase "
                  "5\nRecords\t14\nKopflänge\t1025\nSatzlänge\t590\nFelder\t31\nMemofelder\t0\nZeic"
                  "hensatz\t"
                  "DOS (deutsche Umlaute)\tVoreinstellung\n"},
             Case{"infused_dbase_83.dbf",
                  "Format\tDBase "
                  "5\nRecords\t67\nKopflänge\t513\nSatzlänge\t805\nFelder\t15\nMemofelder\t1\n"},
             Case{"infused_dbase_8b.dbf",
                  "Format\tDBase "
                  "5\nRecords\t10\nKopflänge\t225\nSatzlänge\t160\nFelder\t6\nMemofelder\t1\n"},
             Case{"phpxbase_dBaseVII_double.dbf",
                  "Format\tDBase "
                  "7\nRecords\t5\nKopflänge\t117\nSatzlänge\t9\nFelder\t1\nMemofelder\t0\nZeichensa"
                  "tz\tDOS "
                  "(deutsche Umlaute)\tVoreinstellung\nFeld\t1\t"
                  "double\tO\t8\t0\n"},
             Case{"phpxbase_dBaseVII_int.dbf",
                  "Format\tDBase "
                  "7\nRecords\t6\nKopflänge\t117\nSatzlänge\t5\nFelder\t1\nMemofelder\t0\nZeichensa"
                  "tz\tDOS "
                  "(deutsche Umlaute)\tVoreinstellung\nFeld\t1\t"
                  "INT\tI\t4\t0\n"},
             Case{"dans_cars.dbf", "Format\tFoxPro\nRecords\t4\n"},
             Case{"yortus_vfp9_30_memo.dbf", "Format\tVisual FoxPro\nRecords\t3\n"},
             Case{"phpxbase_dBaseVII_ts.dbf",
                  "Format\tDBase "
                  "7\nRecords\t15\nKopflänge\t117\nSatzlänge\t9\nFelder\t1\nMemofelder\t0\nZeichens"
                  "atz\tDOS "
                  "(deutsche Umlaute)\tVoreinstellung\nFeld\t1"
                  "\tTS\t@\t8\t0\n"},
         }) {
        const ProgramResult result = Dump({"--info", kCorpus + c.file});
        EXPECT_EQ(result.exitCode, 0) << c.file;
        EXPECT_NE(result.out.find(c.head), std::string::npos) << c.file << "\n" << result.out;
    }
    const ProgramResult fields = Dump({"--info", kCorpus + "infused_dbase_8b.dbf"});
    EXPECT_NE(fields.out.find("Feld\t1\tCHARACTER\tC\t100\t0\nFeld\t2\tNUMERICAL\tN\t20\t2\n"
                              "Feld\t3\tDATE\tD\t8\t0\nFeld\t4\tLOGICAL\tL\t1\t0\n"
                              "Feld\t5\tFLOAT\tF\t20\t18\nFeld\t6\tMEMO\tM\t10\t0\n"),
              std::string::npos)
        << fields.out;
}

TEST(DumpCorpus, TablesInOtherCodePagesReadRight) {
    struct Case {
        const char* file;
        const char* codePage;  // the line of --info after "Zeichensatz"
        const char* text;      // a value of the listing
    };
    for (const Case& c : {
             Case{"dbfdr_cp1251.dbf", "Windows-1251 (Kyrillisch)\tSprachtreiber 0xC9",
                  "амбулаторно-поликлиническое"},
             Case{"mapshaper_cpg_win1251.dbf",
                  "Windows-1251 (Kyrillisch)\tmapshaper_cpg_win1251.cpg", "РУССКИЙ"},
             Case{"sergdbf_rec3.dbf", "DOS 866 (Kyrillisch)\tSprachtreiber 0x65", "Мышь"},
             Case{"chinadiv_province.dbf", "UTF-8\tchinadiv_province.cpg", "\t中华人民共和国"},
             Case{"mapshaper_utf8.dbf", "UTF-8\tUTF-8 erkannt", "\t国语國語"},
             Case{"yortus_vfp9_30_memo.dbf", "Windows-1252 (Westeuropa)\tSprachtreiber 0x03",
                  "\tText1"},
             Case{"ndbf_CzechEncoding.dbf", "DOS (deutsche Umlaute)\tVoreinstellung",
                  "Jihoèeský kraj"},
         }) {
        SCOPED_TRACE(c.file);
        const std::string info = Dump({"--info", kCorpus + c.file}).out;
        EXPECT_NE(info.find(std::string("\nZeichensatz\t") + c.codePage + "\n"), std::string::npos)
            << info;
        const ProgramResult listing = Dump({kCorpus + c.file});
        EXPECT_EQ(listing.exitCode, 0) << listing.err;
        EXPECT_NE(listing.out.find(c.text), std::string::npos) << listing.out;
    }
    // The Czech table is right only in the code page the user chooses.
    const std::string czech = Dump({"--codepage", "1250", kCorpus + "ndbf_CzechEncoding.dbf"}).out;
    EXPECT_NE(czech.find("\tJihočeský kraj\t"), std::string::npos) << czech;
    EXPECT_NE(czech.find("\tJindřichův Hradec\t"), std::string::npos) << czech;
}

TEST(DumpCodePage, EveryModeReadsTheTableInTheCodePageGiven) {
    TempDir dir;
    const std::string town = Bytes({0xC3, 0xCE, 0xD0, 0xCE, 0xC4});  // ГОРОД in 1251
    const std::string mouse = Bytes({0xCC, 0xFB, 0xF8, 0xFC});       // Мышь
    TableBuilder()
        .Field(town, 'C', 4)
        .Field("NOTIZ", 'M', 10)
        .Record({mouse, "         1"})
        .WriteTo(dir.File("t.dbf"));
    test::MemoBuilder(512).Memo(1, mouse).WriteTo(dir.File("t.dbt"));
    const std::string table = dir.File("t.dbf");
    EXPECT_EQ(Dump({"--codepage", "Windows-1251", table}).out,
              "Satznr.\tГОРОД\tNOTIZ\n1\tМышь\tBlock: 1\n");
    EXPECT_EQ(Dump({"--csv", "--codepage", "cp1251", table}).out,
              "Satznr.,ГОРОД,NOTIZ\r\n1,Мышь,Block: 1\r\n");
    const std::string info = Dump({"--codepage", "1251", "--info", table}).out;
    EXPECT_NE(info.find("\nZeichensatz\tWindows-1251 (Kyrillisch)\tgewählt\nFeld\t1\tГОРОД\tC"),
              std::string::npos)
        << info;
    EXPECT_EQ(test::WithoutUtf8Mark(Dump({"--codepage", "1251", "--memo", "1", table}).out),
              "Мышь\r\n");
    EXPECT_EQ(test::WithoutUtf8Mark(Dump({"--memo", "1", table}).out), "Ìûøü\r\n")
        << "without a choice: the table's own, the German DOS rule";
    const ProgramResult unknown = Dump({"--codepage", "KOI9", table});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.out, "");
    EXPECT_TRUE(unknown.err.starts_with("Unbekannter Zeichensatz: KOI9\nBekannt sind "))
        << unknown.err;
    EXPECT_EQ(Dump({"--codepage", table}).exitCode, 2) << "a code page without its name";
}

TEST(DumpCorpus, ValuesOfOtherProgramsAreListedRight) {
    EXPECT_EQ(Dump({kCorpus + "phpxbase_dBaseVII_double.dbf"}).out,
              "Satznr.\tdouble\n1\t-199.99\n2\t-74.62\n3\t 43.65\n4\t 150.48\n5\t 0\n");
    EXPECT_EQ(
        Dump({kCorpus + "phpxbase_dBaseVII_int.dbf"}).out,
        "Satznr.\tINT\n1\t 1\n2\t-1\n3\t 5000000\n4\t-5000000\n5\t 2147483647\n6\t-2147483647\n");
    const std::string stamps = Dump({kCorpus + "phpxbase_dBaseVII_ts.dbf"}).out;
    EXPECT_NE(stamps.find("1\t**-**-****  **:**:**\n"), std::string::npos) << "1601 is before 1900";
    EXPECT_NE(stamps.find("4\t01-01-1970  00:00:00\n"), std::string::npos);
    EXPECT_NE(stamps.find("7\t01-01-1900  00:00:00\n"), std::string::npos);
    EXPECT_NE(stamps.find("15\t10-01-2000  00:00:00\n"), std::string::npos);
    const std::string mixed = Dump({kCorpus + "infused_dbase_8b.dbf"}).out;
    EXPECT_NE(mixed.find("\n1\tOne" + std::string(97, ' ') +
                         "\t1.00\t01.01.1970\tJa\t1.234567890123460000\tBlock: 1\n"),
              std::string::npos)
        << mixed << "dBASE IV wrote a Y for true";
    EXPECT_NE(mixed.find("\t  .  .    \tNein\t\tBlock: 9\n"), std::string::npos)
        << "blank date and float";
    const std::string wide = Dump({kCorpus + "infused_dbase_03.dbf"}).out;
    EXPECT_NE(wide.find("Satznr.\tPoint_ID\tType\tShape"), std::string::npos);
    EXPECT_NE(wide.find("\n14\t"), std::string::npos);
    // FoxPro 2.6 keeps its memo references as digits, Visual FoxPro in binary, with
    // date-times of its own.
    EXPECT_EQ(Dump({kCorpus + "dans_cars.dbf"}).out,
              "Satznr.\tNAME\tYEAR\tSEDAN\tPROD_DATE\tCC\tDESCR\n"
              "1\tPASSAT         \t0\tNein\t01.01.1977\t0.000\tBlock: 0000000001\n"
              "2\tPOLO           \t2000\tNein\t03.12.1901\t333.444\t\n"
              "3\tJETTA          \t1990\tJa\t12.02.1990\t999.999\tBlock: 0000000002\n"
              "4\t               \t\tNein\t  .  .    \t.\t\n");
    EXPECT_EQ(Dump({kCorpus + "yortus_vfp9_30_memo.dbf"}).out,
              "Satznr.\tID\tMEMO\tCHAR\tNUM\tDATE\tTIME\n"
              "1\t1\tBlock: 10\tText1     \t999.50\t11.10.2021\t11-10-2021  22:34:49\n"
              "2\t2\tBlock: 9\tText2     \t50.90\t01.01.2020\t01-01-2020  12:12:12\n"
              "3\t3\tBlock: 12\tText3     \t10.11\t01.01.2020\t01-01-2020  12:12:12\n");
}

class DumpMemo : public ::testing::Test {
protected:
    void SetUp() override {
        TableBuilder()
            .Field("NAME", 'C', 8)
            .Field("NOTIZ", 'M', 10)
            .Record({"mit", "         2"})
            .Record({"ohne", ""})
            .WriteTo(dir.File("kunden.dbf"));
    }
    ProgramResult Memo(const std::string& record) {
        test::FolderSnapshot snapshot(dir.Path());
        ProgramResult result = Dump({"--memo", record, dir.File("kunden.dbf")});
        EXPECT_EQ(snapshot.Differences(), "") << "no file is written or changed";
        result.out = test::WithoutUtf8Mark(result.out);
        return result;
    }
    TempDir dir;
};

TEST_F(DumpMemo, WritesTheBytesTheTextFileWouldHold) {
    test::MemoBuilder(512)
        .Memo(2, Bytes({'G', 'r', 0x81, 0xE1, 'e', 0x0D, 0x0A}) + "Zeile 2")
        .WriteTo(dir.File("kunden.dbt"));
    const ProgramResult result = Memo("1");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "Grüße\r\nZeile 2\r\n") << "in UTF-8, as the text file";
    EXPECT_EQ(result.err, "");
}

TEST_F(DumpMemo, ReadsMemoFilesWithLargeBlocksInAnyCase) {
    test::MemoBuilder(1024).Memo(2, "Block von 1024 Bytes").WriteTo(dir.File("KUNDEN.DBT"));
    EXPECT_EQ(Memo("1").out, "Block von 1024 Bytes\r\n");
}

TEST_F(DumpMemo, ABlockWithoutSignatureGivesNothing) {
    test::MemoBuilder(512).Memo(3, "woanders").WriteTo(dir.File("kunden.dbt"));
    const ProgramResult result = Memo("1");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.out, "");
}

TEST_F(DumpMemo, SaysWhyWhenThereIsNoMemo) {
    test::MemoBuilder(512).Memo(2, "x").WriteTo(dir.File("kunden.dbt"));
    const ProgramResult without = Memo("2");
    EXPECT_EQ(without.exitCode, 1);
    EXPECT_EQ(without.out, "");
    EXPECT_EQ(without.err, "Satz 2 verweist auf kein Memo.\n");
    const ProgramResult beyond = Memo("3");
    EXPECT_EQ(beyond.exitCode, 1);
    EXPECT_EQ(beyond.err, "Satz 3 gibt es nicht: die Tabelle hat 2 Sätze.\n");
    std::filesystem::remove(dir.File("kunden.dbt"));
    const ProgramResult missing = Memo("1");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err,
              "Die Memodatei " + dir.File("kunden.dbt") + " fehlt oder ist kürzer als 32 Bytes.\n");
    // A memo file in another case is named as it is written, on every system.
    test::WriteFile(dir.File("KUNDEN.DBT"), std::string(20, '\0'));
    EXPECT_EQ(Memo("1").err,
              "Die Memodatei " + dir.File("KUNDEN.DBT") + " fehlt oder ist kürzer als 32 Bytes.\n");
    EXPECT_EQ(Dump({"--memo", "0", dir.File("kunden.dbf")}).exitCode, 2);
    EXPECT_EQ(Dump({"--memo", "eins", dir.File("kunden.dbf")}).exitCode, 2);
    EXPECT_EQ(Dump({"--memo", "1"}).exitCode, 2);
}

TEST(DumpMemoCorpus, MemosOfOtherProgramsAreCopiedRight) {
    const auto Dump = [](const std::vector<std::string>& args) {
        ProgramResult result = tessaro::Dump(args);
        result.out = test::WithoutUtf8Mark(result.out);
        return result;
    };
    const ProgramResult first = Dump({"--memo", "1", kCorpus + "infused_dbase_8b.dbf"});
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.out, "First memo\r\n\r\n") << "not the stale filler behind it";
    EXPECT_EQ(Dump({"--memo", "9", kCorpus + "infused_dbase_8b.dbf"}).out, "Nineth memo\r\n");
    const ProgramResult none = Dump({"--memo", "10", kCorpus + "infused_dbase_8b.dbf"});
    EXPECT_EQ(none.exitCode, 1);
    // dBASE III memo files have no block signatures and a block length of 0: the text runs
    // from the block to the first 0x1A.
    const ProgramResult old = Dump({"--memo", "1", kCorpus + "infused_dbase_83.dbf"});
    EXPECT_EQ(old.exitCode, 0);
    EXPECT_TRUE(
        old.out.starts_with("Our Original assortment...a little taste of heaven for "
                            "everyone.  Let us\r\nselect"))
        << old.out;
    EXPECT_TRUE(old.out.ends_with("and Raspberry Blanc.\r\n")) << old.out;
    EXPECT_EQ(old.out.find('\x1A'), std::string::npos);
    // FoxPro memo files (.fpt) with blocks of 512, 64 and 1 bytes.
    const std::string cars = Dump({"--memo", "1", kCorpus + "dans_cars.dbf"}).out;
    EXPECT_TRUE(cars.starts_with("THIS IS A DESCRIPTION OF PASSAT, YEAR MODEL 1997 AAAA")) << cars;
    EXPECT_TRUE(cars.ends_with("CCCC\r\n")) << cars;
    EXPECT_EQ(cars.size(), 240u);
    EXPECT_EQ(Dump({"--memo", "3", kCorpus + "dans_cars.dbf"}).out,
              "DESCRIPTION OF VOLKSWAGEN JETTA, YEAR MODEL 1990\r\n");
    const std::string longer = Dump({"--memo", "1", kCorpus + "yortus_vfp9_30_memo.dbf"}).out;
    EXPECT_TRUE(longer.starts_with("Memo of record 1.")) << longer;
    EXPECT_TRUE(longer.ends_with("than 64 bytes and take 2 memo blocks\r\n")) << longer;
    EXPECT_EQ(Dump({"--memo", "2", kCorpus + "yortus_vfp9_30_memo.dbf"}).out,
              "Memo of record 2\r\n");
    EXPECT_EQ(Dump({"--memo", "1", kCorpus + "yortus_vfp9_memo_bs1.dbf"}).out,
              "Some notes here\r\n\r\n");
    EXPECT_TRUE(Dump({"--memo", "4", kCorpus + "yortus_vfp9_memo_bs1.dbf"})
                    .out.starts_with("Lorem ipsum dolor sit amet"));
    const ProgramResult noMemoFields = Dump({"--memo", "1", kCorpus + "infused_dbase_03.dbf"});
    EXPECT_EQ(noMemoFields.exitCode, 1);
    EXPECT_EQ(noMemoFields.err, "Die Tabelle hat keine Memofelder.\n");
}

TEST(DumpOutput, OutputThatCannotBeWrittenIsAFailure) {
    // A script exporting a table to a full disk must not get a short file and success.
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    TempDir dir;
    TableBuilder().Field("NOTIZ", 'M', 10).Record({"         1"}).WriteTo(dir.File("t.dbf"));
    test::MemoBuilder(512).Memo(1, "Memo").WriteTo(dir.File("t.dbt"));
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{kDump, "--info", dir.File("t.dbf")},
          {kDump, dir.File("t.dbf")},
          {kDump, "--csv", dir.File("t.dbf")},
          {kDump, "--memo", "1", dir.File("t.dbf")},
          {kDump, "--help"}}) {
        const ProgramResult result = RunProgram(args, "", "/dev/full");
        EXPECT_EQ(result.exitCode, 1) << args[1];
        EXPECT_EQ(result.err, "Die Ausgabe konnte nicht vollständig geschrieben werden.\n")
            << args[1];
    }
}

#ifdef TESSARO_READ_FAILURE_SHIM
// tessaro-dump with the reads of the file ending in `ending` failing from byte `from` on.
ProgramResult DumpWithBadSectors(const std::string& ending, int from,
                                 const std::vector<std::string>& args) {
    const char* asan = std::getenv("ASAN_OPTIONS");
    std::vector<std::string> argv{
        "/usr/bin/env", std::string("LD_PRELOAD=") + TESSARO_READ_FAILURE_SHIM,
        "TESSARO_FAIL_READS_OF=" + ending, "TESSARO_FAIL_READS_FROM=" + std::to_string(from),
        // The shim comes before the sanitizer's runtime, which is no fault here.
        std::string("ASAN_OPTIONS=") + (asan != nullptr ? asan : "") + ":verify_asan_link_order=0",
        kDump};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv);
}

TEST(DumpReadFailure, EveryModeSaysSoAndFails) {
    // The viewer goes on with what it could read; a script must not take that for the table.
    // The records lie beyond the first 256 KiB, which the header's read takes in one go.
    TempDir dir;
    TableBuilder made;
    made.Field("NAME", 'C', 8).Field("NOTIZ", 'M', 10);
    constexpr int kRecords = 20000;
    for (int i = 1; i <= kRecords; ++i) {
        made.Record({"Satz", i == kRecords ? "         1" : ""});
    }
    made.WriteTo(dir.File("t.dbf"));
    test::MemoBuilder(512).Memo(1, "Memo").WriteTo(dir.File("t.dbt"));
    const std::string table = dir.File("t.dbf");
    const std::string last = std::to_string(kRecords);
    const auto cannotRead = [](const std::string& file) {
        return "Die Datei " + file +
               " konnte nicht gelesen werden: Diskette - Platte hat schlechte Sektoren !\n";
    };
    constexpr int kBehindTheHeader = 300000;
    struct Case {
        std::string ending;
        int from;
        std::vector<std::string> args;
        std::string err;
    };
    for (const Case& c : {
             Case{"t.dbf", 0, {"--info", table}, cannotRead(table)},
             Case{"t.dbf", kBehindTheHeader, {table}, cannotRead(table)},
             Case{"t.dbf", kBehindTheHeader, {"--csv", table}, cannotRead(table)},
             Case{"t.dbf", kBehindTheHeader, {"--memo", last, table}, cannotRead(table)},
             Case{"t.dbt", 0, {"--memo", last, table}, cannotRead(dir.File("t.dbt"))},
         }) {
        const ProgramResult result = DumpWithBadSectors(c.ending, c.from, c.args);
        EXPECT_EQ(result.exitCode, 1) << c.args[0] << " " << c.ending << " " << c.from;
        EXPECT_EQ(result.err, c.err) << c.args[0] << " " << c.ending << " " << c.from;
    }
    const ProgramResult before = DumpWithBadSectors("t.dbf", 1 << 20, {"--csv", table});
    EXPECT_EQ(before.exitCode, 0) << "reads before the bad sectors are no failure";
    EXPECT_EQ(before.err, "");
}
#endif

#ifndef _WIN32  // file size limits of POSIX
TEST(DumpOutput, AFileSizeLimitIsAShortWriteThatIsReported) {
    // Beyond the limit the system sends SIGXFSZ, which would end the program without a word.
    if (!std::filesystem::exists("/usr/bin/prlimit")) {
        GTEST_SKIP() << "no prlimit here";
    }
    TempDir dir;
    TableBuilder table;
    table.Field("TEXT", 'C', 100);
    for (int i = 0; i < 50; ++i) {
        table.Record({std::string(100, 'x')});
    }
    table.WriteTo(dir.File("t.dbf"));
    const ProgramResult result = RunProgram(
        {"/usr/bin/prlimit", "--fsize=1024", kDump, dir.File("t.dbf")}, "", dir.File("liste.txt"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Die Ausgabe konnte nicht vollständig geschrieben werden.\n");
    EXPECT_EQ(std::filesystem::file_size(dir.File("liste.txt")), 1024u);
}
#endif

TEST(DumpMemory, MemoryThatRunsOutWhileTheArgumentsAreReadIsSaidInGerman) {
    std::vector<std::string> args = {"tessaro-dump", "--memo", "1", kCorpus + "dans_cars.dbf"};
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    testing::internal::CaptureStderr();
    int code = -1;
    {
        // The first allocation of this size is the list of the arguments.
        const test::FailingAllocations failing(40, 1);
        EXPECT_NO_THROW(code = RunDump(static_cast<int>(argv.size()), argv.data()));
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Morvane - Fehler: nicht genügend Arbeitsspeicher !\nMorvane wird beendet\n");
    EXPECT_EQ(code, 1);
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(_WIN32)  // address-space limits of Linux
// The smallest address space, in MiB, in which tessaro-dump starts at all on this machine.
int StartingAddressSpace() {
    for (int mib = 2; mib <= 256; ++mib) {
        if (RunProgram({"/usr/bin/prlimit", "--as=" + std::to_string(mib << 20), kDump, "--help"})
                .exitCode == 0) {
            return mib;
        }
    }
    return 0;
}

ProgramResult DumpWithin(int mib, const std::vector<std::string>& args) {
    std::vector<std::string> argv{"/usr/bin/prlimit", "--as=" + std::to_string(mib << 20), kDump};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunProgram(argv);
}

TEST(DumpMemory, OutOfMemoryIsSaidInGerman) {
    if (!std::filesystem::exists("/usr/bin/prlimit")) {
        GTEST_SKIP() << "no prlimit here";
    }
    const int start = StartingAddressSpace();
    ASSERT_GT(start, 0);
    // A listing needs a few MiB beyond the start for its buffers.
    const ProgramResult result = DumpWithin(start, {kCorpus + "infused_dbase_03.dbf"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "Morvane - Fehler: nicht genügend Arbeitsspeicher !\nMorvane wird beendet\n");
}

TEST(DumpMemory, OneMemoDoesNotHoldTheWholeTable) {
    if (!std::filesystem::exists("/usr/bin/prlimit")) {
        GTEST_SKIP() << "no prlimit here";
    }
    TempDir dir;
    TableBuilder table;
    table.Field("TEXT", 'C', 250).Field("NOTIZ", 'M', 10);
    for (int i = 1; i <= 65536; ++i) {
        const std::string unique = std::to_string(i);
        table.Record({unique + std::string(240, 'x'), i == 65536 ? "         1" : ""});
    }
    table.WriteTo(dir.File("gross.dbf"));
    test::MemoBuilder(512).Memo(1, "der letzte").WriteTo(dir.File("gross.dbt"));
    // The cells of this whole table take more than 8 MiB; the one record needs a few KiB.
    const ProgramResult result =
        DumpWithin(StartingAddressSpace() + 6, {"--memo", "65536", dir.File("gross.dbf")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "der letzte\r\n");
}
#endif

#ifndef _WIN32  // fork and flock; Windows twins in tests/windows
// Holds a table locked from another process, as a second program would.
class LockingProcess {
public:
    LockingProcess(const std::string& path, int holdMilliseconds) {
        pid_ = fork();
        if (pid_ == 0) {
            const int fd = ::open(path.c_str(), O_RDONLY);
            ::flock(fd, LOCK_EX);
            ::usleep(static_cast<useconds_t>(holdMilliseconds) * 1000);
            _exit(0);
        }
        ::usleep(200 * 1000);  // let it take the lock
    }
    ~LockingProcess() {
        int status;
        waitpid(pid_, &status, 0);
    }

private:
    pid_t pid_;
};

#endif

TEST(DumpSlow, AMissingTableIsReportedAfterTheRetriesAndNotCreated) {
    TempDir dir;
    const ProgramResult result = Dump({"--info", dir.File("kunden.dbf")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "Morvane - Fehler: Datei nicht gefunden !\nMorvane wird beendet\n"
              "Tessaro Programminfo: Die Datei " +
                  dir.File("kunden.dbf") + "\nist gesperrt.\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("kunden.dbf")));
}

#ifndef _WIN32  // fork and flock; Windows twins in tests/windows
TEST(DumpSlow, ATableHeldByAnotherProgramIsReportedAfterFiveSeconds) {
    TempDir dir;
    TableBuilder().Field("A", 'C', 1).WriteTo(dir.File("t.dbf"));
    LockingProcess holder(dir.File("t.dbf"), 8000);
    const auto start = std::chrono::steady_clock::now();
    const ProgramResult result = Dump({"--info", dir.File("t.dbf")});
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "Morvane - Fehler: Zugriffskonflikt !\nTessaro Programminfo: Die Datei " +
                              dir.File("t.dbf") + "\nist gesperrt.\n");
}

TEST(DumpSlow, ATableReleasedWithinTwoSecondsIsReadSilently) {
    TempDir dir;
    TableBuilder().Field("A", 'C', 1).Record({"x"}).WriteTo(dir.File("t.dbf"));
    LockingProcess holder(dir.File("t.dbf"), 2000);
    const ProgramResult result = Dump({dir.File("t.dbf")});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out, "Satznr.\tA\n1\tx\n");
}

#endif

}  // namespace
}  // namespace tessaro
