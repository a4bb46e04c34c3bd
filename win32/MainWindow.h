#pragma once

#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include "viewer/Viewer.h"
#include "win32/CodePageMenu.h"
#include "win32/HelpWindow.h"
#include "win32/RecordListControl.h"

namespace tessaro::win32 {

// The program's one window, "MYPROGRAM32": menu, background picture, status line and
// record list. It draws what the viewer asks for and forwards every command and click to
// it.
class MainWindow final : private WindowPort {
public:
    MainWindow(HINSTANCE instance, DesktopPort& desktop, RetryPolicy retry = {});
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Makes and shows the window; false when it could not be made.
    bool Create(int showCommand);
    // After the event loop: every file closed, the window gone.
    void Finish();

    static constexpr const wchar_t* kClassName = L"MYPROGRAM32";
    // The outer size at 96 DPI.
    static constexpr int kStartWidth = 281;
    static constexpr int kStartHeight = 350;
    // The room the status line keeps below the list, at 96 DPI.
    static constexpr int kStatusRoom = 20;

private:
    // WindowPort
    WindowHandle OwnerWindow() override { return window_; }
    bool CreateRecordList() override;
    void DestroyRecordList() override;
    void ShowRecordList(bool visible) override;
    void AddColumn(std::string_view heading, int width, std::string_view wholeText) override;
    void SetRows(const RecordCells& cells) override;
    void SetColumnHeading(int column, std::string_view heading) override;
    void RedrawRows() override;
    void EnsureRowVisible(std::int32_t row) override;
    void SetStatusText(std::string_view text) override;
    void EnableMemoItem(bool enabled) override;
    void SetCodePageMenu(std::string_view automaticText, std::optional<int> chosen) override;
    std::optional<std::string> ShowOpenDialog(const OpenDialogRequest& request) override;
    void ShowGoToDialog() override;
    void ShowVersionBox() override;
    void ShowHelp(const std::string& helpFile) override;
    std::string ProgramFolder() override;
    std::string DataFolder() override;
    void BeepQuestion() override;
    void Quit(int exitCode) override;

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void OnCreate();
    void OnSize(int width, int height);
    void OnPaint();
    void OnCommand(int id);
    LRESULT OnNotify(const NMHDR& header, LPARAM lParam);
    void FillListItem(LVITEMW& item);
    void OnDropFiles(HDROP drop);
    LRESULT FindTypedRecord(const NMLVFINDITEMW& find) const;
    RECT RecordListArea() const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND status_ = nullptr;
    HBITMAP background_ = nullptr;
    HFONT font_ = nullptr;
    int dpi_ = 96;
    bool finished_ = false;
    RecordListControl list_;
    CodePageMenu codePages_;
    HelpWindow help_;
    Viewer viewer_;  // last: it may draw into the window while it starts
};

}  // namespace tessaro::win32
