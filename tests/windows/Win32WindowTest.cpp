// The Win32 window made in this process, on a scripted desktop: memory that runs out in a
// command, a dialog or a request of the list gives message 7, and the window goes on.

#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>  // DROPFILES

#include <cstring>
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
        RetryPolicy retry;
        retry.sleep = [](std::chrono::milliseconds) {};
        window_ = std::make_unique<win32::MainWindow>(::GetModuleHandleW(nullptr), desktop, retry);
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

    // Files dropped on the window as the Explorer drops them: a DROPFILES block that the
    // window gives back.
    void DropFiles(const std::vector<std::string>& paths) const {
        std::wstring names;
        for (const std::string& path : paths) {
            names += test::Wide(path) + L'\0';
        }
        names += L'\0';
        const SIZE_T size = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
        const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        ASSERT_NE(memory, nullptr);
        auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
        drop->pFiles = sizeof(DROPFILES);
        drop->fWide = TRUE;
        std::memcpy(drop + 1, names.data(), names.size() * sizeof(wchar_t));
        ::GlobalUnlock(memory);
        ::SendMessageW(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    }

    std::wstring Status() const {
        wchar_t text[300] = {};
        ::GetWindowTextW(::GetDlgItem(main_, IDC_STATUS), text, static_cast<int>(std::size(text)));
        return text;
    }

    int Rows() const {
        const HWND list = ::FindWindowExW(main_, nullptr, WC_LISTVIEWW, nullptr);
        return list != nullptr && ::IsWindowVisible(list)
                   ? static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0))
                   : -1;
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

// Wine hands a drop to the window inside a box, also while a load asks whether to try
// again: the drop is refused, and the load goes on with its own table.
TEST_F(Win32WindowTest, ADropWhileALoadAsksIsRefused) {
    test::CustomerTable(4).WriteTo(dir.File("ERSTE.DBF"));
    test::CustomerTable(6).WriteTo(dir.File("ZWEITE.DBF"));
    Start();
    // Held as another program holds it: share mode 0.
    HANDLE held = ::CreateFileW(test::Wide(dir.File("ERSTE.DBF")).c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    desktop.answers = {BoxAnswer::Retry};
    desktop.onBox = [&](const test::ShownBox& box) {
        if (box.text == "Zugriffskonflikt !") {
            DropFiles({dir.File("ZWEITE.DBF")});
            ::CloseHandle(held);
        }
    };
    DropFiles({dir.File("ERSTE.DBF")});
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Zugriffskonflikt !"});
    EXPECT_EQ(Status(), test::Wide(dir.File("ERSTE.DBF")) + L", 4 Records, Format DBase 5");
    EXPECT_EQ(Rows(), 4);
}

// A folder is no table: the message at once, and the table shown stays.
TEST_F(Win32WindowTest, ADroppedFolderIsNoTableAndTheTableShownStays) {
    test::CustomerTable(4).WriteTo(dir.File("KUNDEN.DBF"));
    Start();
    ASSERT_EQ(Rows(), 4);
    DropFiles({dir.Path(), dir.File("KUNDEN.DBF")});
    EXPECT_EQ(BoxTexts(),
              std::vector<std::string>{"Dateikopf enthält folgende Fehler : \rUngültiger Header"});
    EXPECT_EQ(Rows(), 4);
    EXPECT_EQ(Status(), L"KUNDEN.DBF, 4 Records, Format DBase 5");
}

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
