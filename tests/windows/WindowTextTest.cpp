// What the Win32 front end makes of the viewer's texts and sizes before Windows sees them.

#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fileio/win32/WideNames.h"
#include "win32/WindowText.h"

namespace tessaro::win32 {
namespace {

using namespace std::string_literals;

TEST(ShownWide, KeepsEveryCharacterOfUtf8) {
    EXPECT_EQ(os::ShownWide("M\xC3\xBCller \xE2\x82\xAC"), L"M\u00FCller \u20AC");
    EXPECT_EQ(os::ShownWide("\xF0\x9F\x98\x80"), L"\xD83D\xDE00");
    EXPECT_EQ(os::ShownWide(""), L"");
}

TEST(ShownWide, ABrokenByteLosesOnlyItself) {
    EXPECT_EQ(os::ShownWide("a\xFF"
                            "b"),
              L"a\uFFFDb");
}

TEST(MessageBoxText, EveryLineBreakBecomesTheLineFeedABoxBreaksAt) {
    EXPECT_EQ(MessageBoxText("Memodatei X.tmp\rkann nicht erstellt werden"),
              L"Memodatei X.tmp\nkann nicht erstellt werden");
    EXPECT_EQ(MessageBoxText("Sie haben kein dbf File ausgew\xC3\xA4hlt.\r\nDer Viewer"),
              L"Sie haben kein dbf File ausgew\u00E4hlt.\nDer Viewer");
    EXPECT_EQ(MessageBoxText("a\r\rb"), L"a\n\nb");
    EXPECT_EQ(MessageBoxText("a\r\n\r\nb"), L"a\n\nb");
    EXPECT_EQ(MessageBoxText("\xC3\x9C"
                             "berschrift"),
              L"\u00DCberschrift");
}

TEST(OpenDialogFilter, BarsBecomeNulsWithOneMoreAtTheEnd) {
    EXPECT_EQ(OpenDialogFilter("dbf Datei|*.dbf|Alle Dateien|*.*"),
              L"dbf Datei\0*.dbf\0Alle Dateien\0*.*\0\0"s);
    EXPECT_EQ(OpenDialogFilter("T\xC3\xA4"
                               "bellen|*.dbf;*.DBF"),
              L"T\u00E4bellen\0*.dbf;*.DBF\0\0"s);
}

TEST(OpenDialogFilter, ADescriptionWithoutPatternIsLeftOut) {
    EXPECT_EQ(OpenDialogFilter("a|*.a|b"), L"a\0*.a\0\0"s);
    EXPECT_EQ(OpenDialogFilter(""), L"\0"s);
}

// How a program started with the command line sees its arguments.
std::vector<std::wstring> Arguments(const std::wstring& commandLine) {
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(commandLine.c_str(), &count);
    std::vector<std::wstring> result;
    for (int i = 0; i < count; ++i) {
        result.emplace_back(arguments[i]);
    }
    ::LocalFree(arguments);
    return result;
}

TEST(EditorCommandLine, TheEditorGetsTheWholeNameAsOneArgument) {
    const std::wstring editor = L"C:\\Windows\\system32\\notepad.exe";
    for (const std::wstring name :
         {L"KUNDEN.tmp", L"C:\\Meine Daten\\Kunden 2024.tmp",
          L"D:\\\u0141\u00F3d\u017A & Co\\M\u00FCller^1.tmp", L"C:\\a;b,c=d.tmp"}) {
        const std::vector<std::wstring> arguments = Arguments(EditorCommandLine(editor, name));
        ASSERT_EQ(arguments.size(), 2u) << name;
        EXPECT_EQ(arguments[0], editor);
        EXPECT_EQ(arguments[1], name);
    }
}

TEST(EditorCommandLine, NoNameLooksLikeAnOption) {
    const std::vector<std::wstring> dash = Arguments(EditorCommandLine(L"notepad.exe", L"-p.tmp"));
    ASSERT_EQ(dash.size(), 2u);
    EXPECT_EQ(dash[1], L".\\-p.tmp");
    // The same file: the root of the current drive.
    const std::vector<std::wstring> slash = Arguments(EditorCommandLine(L"notepad.exe", L"/p.tmp"));
    ASSERT_EQ(slash.size(), 2u);
    EXPECT_EQ(slash[1], L"\\p.tmp");
    EXPECT_EQ(Arguments(EditorCommandLine(L"notepad.exe", L"C:/Daten/-x.tmp"))[1],
              L"C:\\Daten\\-x.tmp");
}

TEST(ForDpi, ScalesFrom96Dpi) {
    EXPECT_EQ(ForDpi(281, 96), 281);
    EXPECT_EQ(ForDpi(350, 96), 350);
    EXPECT_EQ(ForDpi(281, 120), 351);
    EXPECT_EQ(ForDpi(281, 144), 422);  // 421.5
    EXPECT_EQ(ForDpi(20, 192), 40);
}

std::wstring Copied(const std::string& text, std::size_t capacity, std::size_t* units = nullptr) {
    std::vector<wchar_t> buffer(capacity + 1, L'#');
    const std::size_t written = CopyCellText(text, buffer.data(), capacity);
    if (units != nullptr) {
        *units = written;
    }
    EXPECT_EQ(buffer[capacity], L'#') << "written beyond the buffer";
    return buffer.data();
}

TEST(CopyCellText, LeavesOutTrailingBlanksOnly) {
    EXPECT_EQ(Copied("M\xC3\xBCller      ", 260), L"M\u00FCller");
    EXPECT_EQ(Copied("  Am Hang 3  ", 260), L"  Am Hang 3");
    EXPECT_EQ(Copied("      ", 260), L"");
    EXPECT_EQ(Copied("a\tb\t", 260), L"a\tb\t");
}

TEST(CopyCellText, CutsToTheBufferWithItsNul) {
    std::size_t units = 0;
    EXPECT_EQ(Copied("abcdef", 4, &units), L"abc");
    EXPECT_EQ(units, 3u);
    EXPECT_EQ(Copied("abc", 4, &units), L"abc");
    EXPECT_EQ(units, 3u);
    EXPECT_EQ(Copied("abc", 1, &units), L"");
    EXPECT_EQ(units, 0u);
}

TEST(CopyCellText, NeverSplitsACharacterOfTwoUnits) {
    const std::string laugh = "a\xF0\x9F\x98\x80";  // a, U+1F600
    std::size_t units = 0;
    EXPECT_EQ(Copied(laugh, 3, &units), L"a");
    EXPECT_EQ(units, 1u);
    EXPECT_EQ(Copied(laugh, 4, &units), L"a\xD83D\xDE00");
    EXPECT_EQ(units, 3u);
}

TEST(CopyCellText, WritesNothingWithoutABuffer) {
    EXPECT_EQ(CopyCellText("abc", nullptr, 10), 0u);
    wchar_t one = L'#';
    EXPECT_EQ(CopyCellText("abc", &one, 0), 0u);
    EXPECT_EQ(one, L'#');
}

}  // namespace
}  // namespace tessaro::win32
