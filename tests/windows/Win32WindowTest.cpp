// The Win32 window made in this process, on a scripted desktop: memory that runs out in a
// command, a dialog or a request of the list gives message 7, and the window goes on.

#include <windows.h>

#include <commctrl.h>

#include <iterator>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "WindowsTestSupport.h"
#include "builder/TableBuilder.h"
#include "support/FailingAllocations.h"
#include "support/FakeDesktop.h"
#include "support/TempDir.h"
#include "win32/MainWindow.h"
#include "win32/resource.h"

namespace tessaro {
namespace {

using test::FailingAllocations;

constexpr const char* kOutOfMemory = "nicht genügend Arbeitsspeicher !\r\nMorvane wird beendet";

// A top-level window of this process by its class or title.
HWND WindowOfThisProcess(const wchar_t* className, const wchar_t* title) {
    for (HWND window = nullptr;
         (window = ::FindWindowExW(nullptr, window, className, title)) != nullptr;) {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        if (process == ::GetCurrentProcessId()) {
            return window;
        }
    }
    return nullptr;
}

class Win32WindowTest : public ::testing::Test {
protected:
    ~Win32WindowTest() override {
        if (window_ != nullptr) {
            window_->Finish();
        }
    }

    void Start() {
        window_ = std::make_unique<win32::MainWindow>(::GetModuleHandleW(nullptr), desktop);
        ASSERT_TRUE(window_->Create(SW_SHOWNOACTIVATE));
        main_ = WindowOfThisProcess(win32::MainWindow::kClassName, nullptr);
        ASSERT_NE(main_, nullptr);
        Pump();  // the table of the working folder
    }

    static void Pump() {
        MSG message;
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }

    void Command(int id) {
        ::SendMessageW(main_, WM_COMMAND, static_cast<WPARAM>(id), 0);
        Pump();
    }

    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const test::ShownBox& box : desktop.boxes) {
            texts.push_back(box.text);
        }
        return texts;
    }

    // The list's text of a cell, as the list asks the window for it while it draws; also
    // while allocations fail (an empty text allocates nothing).
    std::wstring CellText(int row, int column) const {
        const HWND list = ::FindWindowExW(main_, nullptr, WC_LISTVIEWW, nullptr);
        wchar_t text[300] = {};
        LVITEMW item = {};
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = static_cast<int>(std::size(text));
        const auto length = ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                           reinterpret_cast<LPARAM>(&item));
        return std::wstring(text, static_cast<std::size_t>(length));
    }

    test::TempDir dir;
    test::CurrentFolder inside{dir.Path()};
    test::FakeDesktop desktop;
    HWND main_ = nullptr;

private:
    std::unique_ptr<win32::MainWindow> window_;
};

TEST_F(Win32WindowTest, HelpThatMemoryDoesNotSufficeForIsMessage7AndTheWindowGoesOn) {
    test::WriteFile(dir.File("tessaro.hlp"), "<p>" + std::string(100 << 10, 'x') + "</p>");
    Start();
    {
        const FailingAllocations failing(64 << 10);
        Command(IDM_HELP);
        EXPECT_GT(failing.Failures(), 0);
    }
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kOutOfMemory});
    EXPECT_EQ(WindowOfThisProcess(nullptr, L"Tessaro \u2013 Hilfe"), nullptr);
    Command(IDM_HELP);
    EXPECT_NE(WindowOfThisProcess(nullptr, L"Tessaro \u2013 Hilfe"), nullptr)
        << "the help file was let go";
    EXPECT_EQ(desktop.boxes.size(), 1u);
}

TEST_F(Win32WindowTest, ASearchThatMemoryDoesNotSufficeForIsMessage7AndTheDialogStays) {
    Start();
    Command(IDM_GOTO);
    const HWND dialog = WindowOfThisProcess(nullptr, L"Gehe zu Satz ..");
    ASSERT_NE(dialog, nullptr);
    ::SetDlgItemTextW(dialog, IDC_RECORD_NUMBER, std::wstring(100, L'1').c_str());
    {
        const FailingAllocations failing(128);
        ::SendMessageW(dialog, WM_COMMAND, IDOK, 0);
        EXPECT_GT(failing.Failures(), 0);
    }
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kOutOfMemory});
    EXPECT_TRUE(::IsWindow(dialog));
}

TEST_F(Win32WindowTest, ACellThatMemoryDoesNotSufficeForStaysEmptyAndMessage7Follows) {
    const std::string text(120, 'x');
    test::TableBuilder().Field("TEXT", 'C', 120).Record({text}).WriteTo(dir.File("t.dbf"));
    Start();
    ASSERT_EQ(CellText(0, 1), std::wstring(text.begin(), text.end()));
    {
        const FailingAllocations failing(200);  // the cell's text in UTF-16 takes more
        EXPECT_EQ(CellText(0, 1), L"");
        EXPECT_EQ(CellText(0, 1), L"");
        EXPECT_GT(failing.Failures(), 0);
    }
    EXPECT_TRUE(desktop.boxes.empty()) << "no box while the list draws";
    Pump();
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kOutOfMemory}) << "one box for the drawing";
    EXPECT_EQ(CellText(0, 1), std::wstring(text.begin(), text.end()));
}

}  // namespace
}  // namespace tessaro
